#include <gtest/gtest.h>

#include "instrument/rpm.h"
#include "screens/main_menu.h"
#include "screens/rpm_setup.h"
#include "support/screen_pass.h"

namespace {

constexpr uint8_t RowDisplay = 1, RowFullScale = 3, RowLowAlarm = 5, RowHighAlarm = 7, RowPulses = 8,
                  RowFilter = 10;

void EditRow(uint8_t row, uint8_t knobStep)
{
    StartOnScreen(RpmSetupScreen);
    state.menuCursor = row;
    state.editMode = 1;
    state.knobStep = knobStep;
}

struct Step {
    uint8_t row, knobStep;
    uint32_t from;
    uint8_t key;
    uint32_t to;
};

uint32_t RowValue(uint8_t row)
{
    const Settings &s = state.settings;
    switch (row) {
    case RowFullScale:
        return s.rpmFullScale;
    case RowLowAlarm:
        return s.rpmLowAlarm;
    case RowHighAlarm:
        return s.rpmHighAlarm;
    case RowPulses:
        return (uint32_t)s.pulsesPerRev;
    default:
        return s.rpmFilter;
    }
}

void SetRowValue(uint8_t row, uint32_t value)
{
    Settings &s = state.settings;
    switch (row) {
    case RowFullScale:
        s.rpmFullScale = value;
        break;
    case RowLowAlarm:
        s.rpmLowAlarm = value;
        break;
    case RowHighAlarm:
        s.rpmHighAlarm = value;
        break;
    case RowPulses:
        s.pulsesPerRev = (int32_t)value;
        break;
    default:
        s.rpmFilter = (uint8_t)value;
    }
}

} // namespace

TEST(RpmSetup, NumbersAndFilterWrapWithTheirSteps)
{
    const Step cases[] = {
        // The full scale always moves by 100.
        {RowFullScale, 10, 20000, KeyClockwise, 500},
        {RowFullScale, 10, 500, KeyAntiClockwise, 20000},
        {RowFullScale, 10, 6000, KeyLeft, 6100},
        // Alarms by 10 x knobStep.
        {RowLowAlarm, 10, 600, KeyAntiClockwise, 500},
        {RowLowAlarm, 10, 150, KeyRight, 20000},
        {RowHighAlarm, 1, 20000, KeyClockwise, 100},
        {RowHighAlarm, 1, 5000, KeyLeft, 5010},
        // Pulses per revolution in tenths, by knobStep.
        {RowPulses, 1, 1, KeyAntiClockwise, 5000},
        {RowPulses, 1, 5000, KeyClockwise, 1},
        {RowPulses, 10, 60, KeyClockwise, 70},
        // Twelve filter texts.
        {RowFilter, 1, 11, KeyClockwise, 0},
        {RowFilter, 1, 0, KeyAntiClockwise, 11},
    };
    for (const Step &c : cases) {
        EditRow(c.row, c.knobStep);
        SetRowValue(c.row, c.from);
        Press(c.key);
        EXPECT_EQ(RowValue(c.row), c.to) << "row " << int(c.row) << " from " << c.from;
    }
}

TEST(RpmSetup, DisplayOffHidesAndLocksTheOtherRows)
{
    EditRow(RowDisplay, 1);
    state.settings.rpmPercent = 1;
    state.settings.rpmLowAlarm = 700;
    Press(KeyClockwise);
    EXPECT_EQ(state.settings.rpmDisplayOn, 0);
    EXPECT_EQ(state.menuCursor, RowDisplay);
    Press(KeyCentre);
    PressTimes(KeyClockwise, 3);
    EXPECT_EQ(state.menuCursor, RowDisplay);

    Press(KeyCentre);
    Press(KeyAntiClockwise); // on again
    Press(KeyCentre);
    PressTimes(KeyRight, 20);
    EXPECT_EQ(state.menuCursor, RowFilter);
    EXPECT_EQ(state.settings.rpmPercent, 1);
    EXPECT_EQ(state.settings.rpmLowAlarm, 700u);
}

// The time-between-pulses constant follows a new pulses-per-revolution only
// when the screen is left.
TEST(RpmSetup, LeavingTakesTheNewPulsesIntoTheTimeMode)
{
    EditRow(RowPulses, 10);
    UpdateRpmPeriodConstant();
    int32_t before = state.rpmPeriodConstant;
    Press(KeyLeft); // 6.0 -> 7.0
    EXPECT_EQ(state.rpmPeriodConstant, before);
    Press(KeyCentre);
    PressTimes(KeyLeft, 10);
    Press(KeyCentre);
    EXPECT_EQ(state.currentScreen, MainMenuScreen);
    EXPECT_EQ(state.menuCursor, MenuRpmSetup);
    EXPECT_EQ(state.rpmPeriodConstant, ((60000 / 70) / 10) * 3125);
}
