#include <gtest/gtest.h>

#include "host/readout/state_fields.h"
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

// Rows by the setting they edit.
struct Step {
    uint8_t row;
    const char *setting;
    uint8_t knobStep;
    int64_t from;
    uint8_t key;
    int64_t to;
};

} // namespace

TEST(RpmSetup, NumbersAndFilterWrapWithTheirSteps)
{
    const Step cases[] = {
        // The full scale always moves by 100.
        {RowFullScale, "settings.rpmFullScale", 10, 20000, KeyClockwise, 500},
        {RowFullScale, "settings.rpmFullScale", 10, 500, KeyAntiClockwise, 20000},
        {RowFullScale, "settings.rpmFullScale", 10, 6000, KeyLeft, 6100},
        // Alarms by 10 x knobStep.
        {RowLowAlarm, "settings.rpmLowAlarm", 10, 600, KeyAntiClockwise, 500},
        {RowLowAlarm, "settings.rpmLowAlarm", 10, 150, KeyRight, 20000},
        {RowHighAlarm, "settings.rpmHighAlarm", 1, 20000, KeyClockwise, 100},
        {RowHighAlarm, "settings.rpmHighAlarm", 1, 5000, KeyLeft, 5010},
        // Pulses per revolution in tenths, by knobStep.
        {RowPulses, "settings.pulsesPerRev", 1, 1, KeyAntiClockwise, 5000},
        {RowPulses, "settings.pulsesPerRev", 1, 5000, KeyClockwise, 1},
        {RowPulses, "settings.pulsesPerRev", 10, 60, KeyClockwise, 70},
        // Twelve filter texts.
        {RowFilter, "settings.rpmFilter", 1, 11, KeyClockwise, 0},
        {RowFilter, "settings.rpmFilter", 1, 0, KeyAntiClockwise, 11},
    };
    for (const Step &c : cases) {
        EditRow(c.row, c.knobStep);
        const StateField *field = FindStateField(c.setting);
        ASSERT_NE(field, nullptr) << c.setting;
        WriteStateField(*field, c.from);
        Press(c.key);
        EXPECT_EQ(ReadStateField(*field), c.to) << c.setting << " from " << c.from;
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
