#include <gtest/gtest.h>

#include <cstring>

#include "instrument/pressure.h"
#include "instrument/pressure_units.h"
#include "instrument/settings.h"
#include "instrument/state.h"
#include "support/frame_check.h"

namespace {

// Program-start state with the default settings, as after power-on.
void ResetWithDefaults()
{
    ResetInstrumentState();
    LoadDefaultSettings();
}

// Runs the pressure step n times with the slider at `position`.
void RunAt(int32_t position, int passes)
{
    state.simPressureInput = position;
    for (int i = 0; i < passes; ++i)
        UpdatePressure();
}

} // namespace

// ---- Cut-off, scaling and calibration offset ----

TEST(PressureScaling, CutOffBetween167And168)
{
    ResetWithDefaults();
    state.settings.pressureFilter = 0;
    RunAt(167, 1);
    EXPECT_EQ(state.pressureAdc, 167);
    EXPECT_EQ(state.pressureMillibar, 0);
    EXPECT_EQ(state.pressureValue, 0);
    RunAt(168, 1);
    EXPECT_EQ(state.pressureMillibar, 213); // 348 x 100 / 163
    EXPECT_EQ(state.pressureValue, 213);
}

TEST(PressureScaling, TopOfSliderWithoutFilterIs2623)
{
    ResetWithDefaults();
    state.settings.pressureFilter = 0;
    RunAt(4096, 1);
    EXPECT_EQ(state.pressureMillibar, 2623);
    // Readings are not clamped at the top: the offset lifts the top position further.
    state.settings.pressureCalOffset = 50;
    RunAt(4096, 1);
    EXPECT_EQ(state.pressureMillibar, (4096 + 50 + 180) * 100 / 163);
}

TEST(PressureScaling, CalibrationOffsetIsAddedBeforeCutOff)
{
    ResetWithDefaults();
    state.settings.pressureFilter = 0;
    state.settings.pressureCalOffset = -50;
    RunAt(30, 1); // sum -20: negative reads 0
    EXPECT_EQ(state.pressureMillibar, 0);
    RunAt(217, 1); // sum 167
    EXPECT_EQ(state.pressureMillibar, 0);
    RunAt(218, 1); // sum 168
    EXPECT_EQ(state.pressureMillibar, 213);
    EXPECT_EQ(state.pressureAdc, 218); // the raw reading is kept without the offset

    state.settings.pressureCalOffset = 10;
    RunAt(158, 1); // sum 168
    EXPECT_EQ(state.pressureMillibar, 213);
}

TEST(PressureScaling, BelowCutOffLeavesFilterAccumulatorAlone)
{
    ResetWithDefaults();
    state.settings.pressureFilter = 1;
    state.pressureFilterAcc = 1234;
    RunAt(100, 5);
    EXPECT_EQ(state.pressureFilterAcc, 1234u);
    EXPECT_EQ(state.pressureMillibar, 0);
    // With "NONE" above the cut-off the accumulator is not touched either.
    state.settings.pressureFilter = 0;
    RunAt(2000, 3);
    EXPECT_EQ(state.pressureFilterAcc, 1234u);
}

// ---- Filters ----

TEST(PressureFilter, FastSettlesOneShortFromBelowExactFromAbove)
{
    ResetWithDefaults();
    state.settings.pressureFilter = 1;
    RunAt(4096, 100);
    EXPECT_EQ(state.pressureFilterAcc, 2u * 4276 - 1);
    EXPECT_EQ(state.pressureMillibar, 2622); // 4275 x 100 / 163

    state.pressureFilterAcc = 2 * 5000; // settled on a higher reading
    RunAt(4096, 100);
    EXPECT_EQ(state.pressureFilterAcc, 2u * 4276);
    EXPECT_EQ(state.pressureMillibar, 2623);
}

TEST(PressureFilter, SlowSettlesOneShortFromBelowExactFromAbove)
{
    ResetWithDefaults();
    state.settings.pressureFilter = 2;
    RunAt(4096, 200);
    EXPECT_EQ(state.pressureFilterAcc, 4u * 4276 - 3);
    EXPECT_EQ(state.pressureMillibar, 2622);

    state.pressureFilterAcc = 4 * 5000;
    RunAt(4096, 200);
    EXPECT_EQ(state.pressureFilterAcc, 4u * 4276);
    EXPECT_EQ(state.pressureMillibar, 2623);
}

TEST(PressureFilter, LowestReadingRisingSettlesAt212)
{
    for (uint8_t filter : {1, 2}) {
        ResetWithDefaults();
        state.settings.pressureFilter = filter;
        RunAt(168, 200);
        EXPECT_EQ(state.pressureMillibar, 212) << "filter " << int(filter); // v = 347
    }
}

TEST(PressureFilter, FirstStepsFollowTheShifts)
{
    // From an empty accumulator a step to v = 4276 moves halfway (fast) or a
    // quarter of the way (slow) each pass.
    ResetWithDefaults();
    state.settings.pressureFilter = 1;
    RunAt(4096, 1);
    EXPECT_EQ(state.pressureFilterAcc, 4276u);           // (8552 + 0) / 2
    EXPECT_EQ(state.pressureMillibar, 2138 * 100 / 163); // v = 2138
    RunAt(4096, 1);
    EXPECT_EQ(state.pressureFilterAcc, 6414u); // (8552 + 4276) / 2

    ResetWithDefaults();
    state.settings.pressureFilter = 2;
    RunAt(4096, 1);
    EXPECT_EQ(state.pressureFilterAcc, 4276u); // (0 + 17104) / 4
    EXPECT_EQ(state.pressureMillibar, 1069 * 100 / 163);
    RunAt(4096, 1);
    EXPECT_EQ(state.pressureFilterAcc, 7483u); // (12828 + 17104) / 4
}

// ---- Units ----

TEST(PressureUnits, OneAtmosphereInEveryUnit)
{
    ResetWithDefaults();
    const int32_t expected[PressureUnitCount] = {1013, 101, 146, 103, 299, 759, 101, 99};
    for (uint8_t unit = 0; unit < PressureUnitCount; ++unit) {
        state.settings.pressureUnit = unit;
        EXPECT_EQ(ConvertPressureUnit(1013), expected[unit]) << PressureUnitNames[unit];
    }
    state.settings.pressureUnit = 8; // out of range: millibar unchanged
    EXPECT_EQ(ConvertPressureUnit(1013), 1013);
    state.settings.pressureUnit = 255;
    EXPECT_EQ(ConvertPressureUnit(1013), 1013);
}

TEST(PressureUnits, ConversionTruncatesAfterTheProduct)
{
    ResetWithDefaults();
    // 2623 mB: 262300000 / 689474 = 380.4 psi tenths; a rounding division
    // would give 381 at 2624 (380.57) where truncation keeps 380.
    state.settings.pressureUnit = 2;
    EXPECT_EQ(ConvertPressureUnit(2623), 380);
    EXPECT_EQ(ConvertPressureUnit(2624), 380);
    state.settings.pressureUnit = 7;
    EXPECT_EQ(ConvertPressureUnit(2623), 258); // 26230000 / 101325 = 258.87
    state.settings.pressureUnit = 1;
    EXPECT_EQ(ConvertPressureUnit(19), 1);
    EXPECT_EQ(ConvertPressureUnit(0), 0);
}

TEST(PressureUnits, UpdateStoresMillibarAndUnitValue)
{
    ResetWithDefaults();
    state.settings.pressureFilter = 0;
    state.settings.pressureUnit = 4; // inches of mercury
    // Slider 1471: v = 1651, 165100 / 163 = 1012 mB.
    RunAt(1471, 1);
    EXPECT_EQ(state.pressureMillibar, 1012);
    EXPECT_EQ(state.pressureValue, 298); // 101200000 / 338638 = 298.8
}

// ---- Maximum and alarm ----

TEST(PressureAlarm, MaximumIsSignedAndOnlyRises)
{
    ResetWithDefaults();
    state.settings.pressureFilter = 0;
    state.pressureMax = -5; // a negative maximum must still be beaten by 0
    RunAt(0, 1);
    EXPECT_EQ(state.pressureMax, 0);
    RunAt(2000, 1);
    int32_t high = state.pressureValue;
    EXPECT_EQ(state.pressureMax, high);
    RunAt(1000, 1);
    EXPECT_EQ(state.pressureMax, high);
}

TEST(PressureAlarm, LowAndHighThresholdsAreStrict)
{
    ResetWithDefaults();
    state.settings.pressureFilter = 0;
    state.settings.pressureLowAlarm = 213;
    state.settings.pressureHighAlarm = 213;
    RunAt(168, 1); // exactly 213: neither below nor above
    EXPECT_EQ(state.alarmActive & 1, 0);
    state.settings.pressureLowAlarm = 214;
    UpdatePressure();
    EXPECT_EQ(state.alarmActive & 1, 1);
    state.settings.pressureLowAlarm = 213;
    state.settings.pressureHighAlarm = 212;
    UpdatePressure();
    EXPECT_EQ(state.alarmActive & 1, 1);
    state.settings.pressureHighAlarmOn = 0;
    UpdatePressure();
    EXPECT_EQ(state.alarmActive & 1, 0);
}

TEST(PressureAlarm, SliderAtZeroRaisesLowAlarmWithDefaults)
{
    ResetWithDefaults();
    RunAt(0, 1);
    EXPECT_EQ(state.pressureValue, 0);
    EXPECT_EQ(state.alarmActive, 1);
    state.settings.pressureLowAlarmOn = 0;
    UpdatePressure();
    EXPECT_EQ(state.alarmActive, 0);
}

TEST(PressureAlarm, ThresholdsAreComparedInTheSelectedUnit)
{
    ResetWithDefaults();
    state.settings.pressureFilter = 0;
    // 1012 mB is between 500 and 2000 millibar, but 101 bar-hundredths is
    // below the unconverted low threshold of 500.
    RunAt(1471, 1);
    EXPECT_EQ(state.alarmActive & 1, 0);
    state.settings.pressureUnit = 1;
    UpdatePressure();
    EXPECT_EQ(state.pressureValue, 101);
    EXPECT_EQ(state.alarmActive & 1, 1);
}

TEST(PressureAlarm, AcknowledgementClearsOnlyWithTheCondition)
{
    ResetWithDefaults();
    state.settings.pressureFilter = 0;
    state.alarmActive = 2; // an engine speed alarm must be left alone
    state.alarmMuted = 2;
    RunAt(0, 1);
    EXPECT_EQ(state.alarmActive, 3);
    state.alarmMuted |= 1; // acknowledged with a key
    RunAt(100, 3);         // still low
    EXPECT_EQ(state.alarmActive, 3);
    EXPECT_EQ(state.alarmMuted, 3);
    RunAt(1471, 1); // condition clears
    EXPECT_EQ(state.alarmActive, 2);
    EXPECT_EQ(state.alarmMuted, 2);
    RunAt(0, 1); // a new excursion is not acknowledged
    EXPECT_EQ(state.alarmActive, 3);
    EXPECT_EQ(state.alarmMuted, 2);
}
