#include <gtest/gtest.h>

#include "instrument/rpm.h"
#include "instrument/settings.h"
#include "instrument/state.h"
#include "support/frame_check.h"

namespace {

void ResetWithDefaults()
{
    ResetInstrumentState();
    LoadDefaultSettings();
    UpdateRpmPeriodConstant();
}

// Feeds the same raw reading n times through cap, averaging, maximum, alarm.
void Apply(uint32_t reading, int passes = 1)
{
    for (int i = 0; i < passes; ++i)
        ApplyRpmReading(reading);
}

} // namespace

// ---- Raw reading ----

TEST(RpmReading, PulseModeScalesGateCountByPulsesPerRev)
{
    ResetWithDefaults();
    state.rpmGateCount = 100;
    EXPECT_EQ(RawRpmReading(), 2000u); // 100 x 1200 / 60
    state.settings.pulsesPerRev = 7;
    EXPECT_EQ(RawRpmReading(), 17142u); // 120000 / 7, truncated
    state.settings.pulsesPerRev = 5000;
    EXPECT_EQ(RawRpmReading(), 24u);
    state.rpmGateCount = 0;
    EXPECT_EQ(RawRpmReading(), 0u);
}

TEST(RpmReading, PulseModeFollowsTheGateNotThePeriod)
{
    // The whole step reads the gate count that the 500 ms gate latched; the
    // pulse input read at the start of the step does not change it.
    ResetWithDefaults();
    state.rpmGateCount = 150;
    UpdateRpm();
    EXPECT_EQ(state.rpmValue, 3000u);
}

TEST(RpmReading, SliderTopInPulseModeIsCappedAt19999)
{
    ResetWithDefaults();
    state.rpmGateCount = 4096; // 81920 before the cap
    UpdateRpm();
    EXPECT_EQ(state.rpmValue, 19999u);
    EXPECT_EQ(state.rpmMax, 19999u);
    state.rpmGateCount = 1000; // exactly 20000
    UpdateRpm();
    EXPECT_EQ(state.rpmValue, 19999u);
    state.rpmGateCount = 999; // 19980 passes
    UpdateRpm();
    EXPECT_EQ(state.rpmValue, 19980u);
}

TEST(RpmReading, TimeModeDividesConstantByPeriod)
{
    ResetWithDefaults();
    state.settings.pulseMode = PulseModeTime;
    state.rpmGateCount = 100;           // ignored in this mode
    state.rpmPulsePeriod = 20;          // slider at 1
    EXPECT_EQ(RawRpmReading(), 15625u); // 312500 / 20
    state.rpmPulsePeriod = 2000;        // slider at 100
    EXPECT_EQ(RawRpmReading(), 156u);
    state.rpmPulsePeriod = 81920; // slider at 4096
    EXPECT_EQ(RawRpmReading(), 3u);
    // No pulses: period 0 reads as a stopped engine, not a division by 0.
    state.rpmPulsePeriod = 0;
    EXPECT_EQ(RawRpmReading(), 0u);
}

TEST(RpmReading, TimeModeReadingIsCappedToo)
{
    ResetWithDefaults();
    state.settings.pulseMode = PulseModeTime;
    state.settings.pulsesPerRev = 7;
    UpdateRpmPeriodConstant(); // 857 x 3125
    state.rpmPulsePeriod = 20;
    EXPECT_EQ(RawRpmReading(), 133906u);
    ApplyRpmReading(RawRpmReading());
    EXPECT_EQ(state.rpmValue, 19999u);
}

TEST(RpmReading, PeriodConstantTruncatesEachDivisionInTurn)
{
    ResetWithDefaults();
    EXPECT_EQ(state.rpmPeriodConstant, 100 * 3125);
    state.settings.pulsesPerRev = 1000;
    UpdateRpmPeriodConstant();
    EXPECT_EQ(state.rpmPeriodConstant, 6 * 3125);
    state.settings.pulsesPerRev = 7;
    UpdateRpmPeriodConstant();
    EXPECT_EQ(state.rpmPeriodConstant, 857 * 3125); // not 8571 x 3125 / 10
    state.settings.pulsesPerRev = 1;
    UpdateRpmPeriodConstant();
    EXPECT_EQ(state.rpmPeriodConstant, 6000 * 3125);
    state.settings.pulsesPerRev = 5000;
    UpdateRpmPeriodConstant();
    EXPECT_EQ(state.rpmPeriodConstant, 1 * 3125);
}

TEST(RpmReading, PulsesPerRevReachesTimeModeOnlyThroughTheConstant)
{
    ResetWithDefaults();
    state.settings.pulseMode = PulseModeTime;
    state.rpmPulsePeriod = 2000;
    state.settings.pulsesPerRev = 1000; // changed, constant not yet updated
    EXPECT_EQ(RawRpmReading(), 156u);
    UpdateRpmPeriodConstant();
    EXPECT_EQ(RawRpmReading(), 9u); // 18750 / 2000
}

// ---- Averaging ----

TEST(RpmAveraging, SpanWindowRestartsEveryPass)
{
    ResetWithDefaults(); // rpmFilter 0, full scale 6000: window 30000
    Apply(2000);
    Apply(2010);
    EXPECT_EQ(state.rpmValue, 2010u);
    EXPECT_EQ(state.rpmSampleCount, 1);
    EXPECT_EQ(state.rpmSampleIndex, 1);
    Apply(19999);
    EXPECT_EQ(state.rpmValue, 19999u);
    EXPECT_EQ(state.rpmSampleCount, 1);
}

TEST(RpmAveraging, SpanWindowFollowsFullScale)
{
    ResetWithDefaults();
    state.settings.rpmFullScale = 100; // window 500
    Apply(2000);
    Apply(2400); // inside 2000 +- 500
    EXPECT_EQ(state.rpmValue, 2200u);
    EXPECT_EQ(state.rpmSampleCount, 2);
}

TEST(RpmAveraging, SteadyReadingAveragesAndJumpRestarts)
{
    ResetWithDefaults();
    state.settings.rpmFilter = 5; // window 50
    Apply(2000, 5);
    EXPECT_EQ(state.rpmValue, 2000u);
    EXPECT_EQ(state.rpmSampleCount, 5);
    Apply(2060); // more than 50 above: restart, shown at once
    EXPECT_EQ(state.rpmSampleCount, 1);
    EXPECT_EQ(state.rpmSampleIndex, 1);
    EXPECT_EQ(state.rpmValue, 2060u);
    Apply(2060);
    EXPECT_EQ(state.rpmSampleCount, 2);
    EXPECT_EQ(state.rpmValue, 2060u);
}

TEST(RpmAveraging, WindowEdgesAreInclusive)
{
    ResetWithDefaults();
    state.settings.rpmFilter = 5;
    Apply(2000, 5);
    Apply(2050); // average + window: kept
    EXPECT_EQ(state.rpmSampleCount, 6);
    EXPECT_EQ(state.rpmValue, (5 * 2000u + 2050) / 6); // 2008
    Apply(1958);                                       // average - window: kept
    EXPECT_EQ(state.rpmSampleCount, 7);
    EXPECT_EQ(state.rpmValue, (5 * 2000u + 2050 + 1958) / 7); // 2001
    Apply(1950);                                              // 51 below: restart
    EXPECT_EQ(state.rpmSampleCount, 1);
    EXPECT_EQ(state.rpmValue, 1950u);
}

TEST(RpmAveraging, ReadingsNotAboveWindowAreNeverAveraged)
{
    ResetWithDefaults();
    state.settings.rpmFilter = 5;
    for (uint32_t r : {50u, 50u, 40u, 45u, 0u, 50u}) {
        Apply(r);
        EXPECT_EQ(state.rpmValue, r);
        EXPECT_EQ(state.rpmSampleCount, 1);
    }
    // 51 is above the window and the average of 50 reaches it: kept.
    Apply(51);
    EXPECT_EQ(state.rpmSampleCount, 2);
    EXPECT_EQ(state.rpmValue, 50u);
}

TEST(RpmAveraging, AverageBelowWindowRestarts)
{
    ResetWithDefaults();
    state.settings.rpmFilter = 10; // window 100
    Apply(99);
    Apply(150); // average 99 is below the window: restart
    EXPECT_EQ(state.rpmSampleCount, 1);
    EXPECT_EQ(state.rpmValue, 150u);
}

TEST(RpmAveraging, FullRingAveragesTheLast32)
{
    ResetWithDefaults();
    state.settings.rpmFilter = 5;
    // A slow climb stays inside the window, so nothing restarts.
    for (uint32_t r = 2000; r <= 2040; ++r)
        Apply(r);
    EXPECT_EQ(state.rpmSampleCount, 32);
    EXPECT_EQ(state.rpmSampleIndex, 41 % 32);
    // The last 32 readings are 2009..2040: sum 64784.
    EXPECT_EQ(state.rpmValue, 64784u / 32);
    EXPECT_EQ(state.rpmSamples[8], 2040u);
    EXPECT_EQ(state.rpmSamples[9], 2009u);
}

TEST(RpmAveraging, CappedReadingIsAveragedLikeAnyOther)
{
    ResetWithDefaults();
    state.settings.rpmFilter = 10; // window 100
    Apply(19950);
    Apply(25000); // capped to 19999, inside 19950 + 100
    EXPECT_EQ(state.rpmSampleCount, 2);
    EXPECT_EQ(state.rpmValue, (19950u + 19999u) / 2);
}

TEST(RpmAveraging, OffTakesEachReadingAndLeavesTheRing)
{
    ResetWithDefaults();
    state.settings.rpmFilter = 5;
    Apply(2000, 3);
    state.settings.rpmFilter = 11;
    Apply(3000);
    EXPECT_EQ(state.rpmValue, 3000u);
    EXPECT_EQ(state.rpmAverage, 3000u);
    EXPECT_EQ(state.rpmSampleCount, 3);
    EXPECT_EQ(state.rpmSampleIndex, 3);
    state.settings.rpmFilter = 200;
    Apply(30000);
    EXPECT_EQ(state.rpmValue, 19999u);
    EXPECT_EQ(state.rpmSampleCount, 3);
}

// ---- Maximum and alarm ----

TEST(RpmAlarm, MaximumOnlyRises)
{
    ResetWithDefaults();
    Apply(4200);
    Apply(3000);
    EXPECT_EQ(state.rpmMax, 4200u);
    EXPECT_EQ(state.rpmValue, 3000u);
}

TEST(RpmAlarm, LowAndHighThresholdsAreStrict)
{
    ResetWithDefaults(); // high alarm 5000 on, low alarm 600 off
    Apply(5000);
    EXPECT_EQ(state.alarmActive, 0);
    Apply(5001);
    EXPECT_EQ(state.alarmActive, 2);
    Apply(0);
    EXPECT_EQ(state.alarmActive, 0); // low alarm off by default
    state.settings.rpmLowAlarmOn = 1;
    Apply(599);
    EXPECT_EQ(state.alarmActive, 2);
    Apply(600);
    EXPECT_EQ(state.alarmActive, 0);
}

TEST(RpmAlarm, AcknowledgementClearsOnlyWithTheCondition)
{
    ResetWithDefaults();
    state.alarmActive = 1; // a pressure alarm must be left alone
    state.alarmMuted = 1;
    Apply(6000);
    EXPECT_EQ(state.alarmActive, 3);
    state.alarmMuted |= 2;
    Apply(5500, 3);
    EXPECT_EQ(state.alarmMuted, 3);
    Apply(4000);
    EXPECT_EQ(state.alarmActive, 1);
    EXPECT_EQ(state.alarmMuted, 1);
    Apply(6000);
    EXPECT_EQ(state.alarmActive, 3);
    EXPECT_EQ(state.alarmMuted, 1);
}
