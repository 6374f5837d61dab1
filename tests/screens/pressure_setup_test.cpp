#include <gtest/gtest.h>

#include "lcd/frame.h"
#include "screens/main_menu.h"
#include "screens/pressure_setup.h"
#include "support/hook_counts.h"
#include "support/screen_pass.h"

namespace {

constexpr uint8_t RowSpan = 1, RowLowAlarm = 4, RowHighAlarm = 6, RowFilter = 7, RowUnit = 8;

// Pressure setup with row selected and editing.
void EditRow(uint8_t row)
{
    StartOnScreen(PressureSetupScreen);
    state.menuCursor = row;
    state.editMode = 1;
}

} // namespace

TEST(PressureSetup, SpanJumpsToTheOppositeLimitWithEitherKnobStep)
{
    const struct {
        uint8_t knobStep;
        int32_t from;
        uint8_t key;
        int32_t to;
    } cases[] = {
        {10, 2495, KeyClockwise, 250}, {10, 255, KeyAntiClockwise, 2500}, {1, 2500, KeyLeft, 250},
        {1, 250, KeyRight, 2500},      {10, 1000, KeyLeft, 1010},         {1, 1000, KeyAntiClockwise, 999},
    };
    for (const auto &c : cases) {
        EditRow(RowSpan);
        state.knobStep = c.knobStep;
        state.settings.pressureSpan = c.from;
        Press(c.key);
        EXPECT_EQ(state.settings.pressureSpan, c.to) << c.from << " key " << int(c.key);
        EXPECT_EQ(state.editMode, 1);
        EXPECT_EQ(state.menuCursor, RowSpan);
    }
}

// Every unit's limits, a quarter bar to two and a half, as the user meets
// them on each number row: up to the upper limit and from there to the
// lower, and down to the lower and from there to the upper.
TEST(PressureSetup, EveryUnitStepsToItsOwnLimitsAndJumpsAcross)
{
    const struct {
        uint8_t unit;
        int32_t lo, hi;
    } cases[] = {{UnitMillibar, 250, 2500}, {UnitBar, 25, 250},       {UnitPsi, 36, 362},
                 {UnitKgPerCm2, 25, 254},   {UnitInchesHg, 73, 738},  {UnitMmHg, 187, 1875},
                 {UnitKiloPascal, 25, 250}, {UnitAtmosphere, 24, 254}};
    Settings &s = state.settings;
    const struct {
        uint8_t row;
        int32_t *value;
    } rows[] = {
        {RowSpan, &s.pressureSpan}, {RowLowAlarm, &s.pressureLowAlarm}, {RowHighAlarm, &s.pressureHighAlarm}};
    for (const auto &c : cases)
        for (const auto &row : rows) {
            EditRow(row.row);
            s.pressureUnit = c.unit;
            const struct {
                int32_t from;
                uint8_t key;
                int32_t to;
            } steps[] = {{c.hi - 1, KeyClockwise, c.hi},
                         {c.hi, KeyClockwise, c.lo},
                         {c.lo + 1, KeyAntiClockwise, c.lo},
                         {c.lo, KeyAntiClockwise, c.hi}};
            for (const auto &step : steps) {
                *row.value = step.from;
                Press(step.key);
                EXPECT_EQ(*row.value, step.to)
                    << "unit " << int(c.unit) << " row " << int(row.row) << " from " << step.from;
            }
        }
}

TEST(PressureSetup, FilterAndUnitListsWrapAround)
{
    EditRow(RowFilter);
    state.settings.pressureFilter = 2; // SLOW
    Press(KeyClockwise);
    EXPECT_EQ(state.settings.pressureFilter, 0);
    Press(KeyAntiClockwise);
    EXPECT_EQ(state.settings.pressureFilter, 2);

    EditRow(RowUnit);
    state.settings.pressureUnit = UnitAtmosphere;
    Press(KeyLeft);
    EXPECT_EQ(state.settings.pressureUnit, UnitMillibar);
    Press(KeyRight);
    EXPECT_EQ(state.settings.pressureUnit, UnitAtmosphere);
}

TEST(PressureSetup, UnitChangeMeasuresAtOnceAndClampsOnTheNextPass)
{
    EditRow(RowUnit);
    state.simPressureInput = 1500; // about 1030 mB
    state.pressureMax = 2222;
    Press(KeyClockwise);
    EXPECT_EQ(state.settings.pressureUnit, UnitBar);
    EXPECT_EQ(state.pressureValue, state.pressureMillibar / 10);
    EXPECT_EQ(state.pressureMax, state.pressureValue);
    EXPECT_EQ(hookCalls.saveMaxValues, 1u);
    // Span and alarms keep their numbers until the next pass pulls them in.
    EXPECT_EQ(state.settings.pressureSpan, 2500);
    Idle();
    EXPECT_EQ(state.settings.pressureSpan, 250);
    EXPECT_EQ(state.settings.pressureLowAlarm, 250);
    EXPECT_EQ(state.settings.pressureHighAlarm, 250);
    // Back in millibar the earlier values are lost.
    Press(KeyAntiClockwise);
    Idle();
    EXPECT_EQ(state.settings.pressureSpan, 250);
    EXPECT_EQ(state.settings.pressureHighAlarm, 250);
}

TEST(PressureSetup, ClampKeepsEachValueOnItsOwnAndAcceptsLowAboveHigh)
{
    StartOnScreen(PressureSetupScreen);
    state.settings.pressureUnit = UnitPsi;
    state.settings.pressureSpan = 400;
    state.settings.pressureLowAlarm = 300;
    state.settings.pressureHighAlarm = 10;
    ClampPressureSettings();
    EXPECT_EQ(state.settings.pressureSpan, 362);
    EXPECT_EQ(state.settings.pressureLowAlarm, 300);
    EXPECT_EQ(state.settings.pressureHighAlarm, 36);

    // A unit outside the table takes the first entry's limits.
    state.settings.pressureUnit = 200;
    ClampPressureSettings();
    EXPECT_EQ(state.settings.pressureLowAlarm, 300);
    EXPECT_EQ(state.settings.pressureHighAlarm, 250);
    EXPECT_EQ(state.settings.pressureSpan, 362);
}

TEST(PressureSetup, MovingStopsAtTheEndsAndCentreTogglesEditing)
{
    StartOnScreen(PressureSetupScreen);
    Press(KeyAntiClockwise);
    EXPECT_EQ(state.menuCursor, 0);
    PressTimes(KeyRight, 12);
    EXPECT_EQ(state.menuCursor, RowUnit);
    Press(KeyLeft);
    EXPECT_EQ(state.menuCursor, RowFilter);
    Press(KeyCentre);
    EXPECT_EQ(state.editMode, 1);
    Press(KeyCentre);
    EXPECT_EQ(state.editMode, 0);
    EXPECT_EQ(state.menuCursor, RowFilter);
    Press(6); // not a key
    EXPECT_EQ(state.menuCursor, RowFilter);
    EXPECT_EQ(state.pendingKey, KeyNone);
}

TEST(PressureSetup, AlarmsEditedAcrossEachOther)
{
    EditRow(RowLowAlarm);
    state.settings.pressureLowAlarm = 1999;
    PressTimes(KeyClockwise, 3);
    EXPECT_EQ(state.settings.pressureLowAlarm, 2002);
    Idle();
    EXPECT_EQ(state.settings.pressureLowAlarm, 2002); // above the high alarm, kept
    state.menuCursor = RowHighAlarm;
    Press(KeyRight);
    EXPECT_EQ(state.settings.pressureHighAlarm, 1999);
}

// No screen produces these values, but a damaged state must not read beyond
// the text tables: the value shows as an empty text and steps back into the
// table.
TEST(PressureSetup, DamagedChoicesShowNothingAndStepBackIntoTheTable)
{
    EditRow(RowUnit);
    state.settings.pressureUnit = 200;
    state.settings.pressureFilter = 77;
    Idle();
    for (uint8_t x = 48; x < 128; ++x) // after "UNIT: " on the bottom line
        for (uint8_t y = 56; y < 64; ++y)
            ASSERT_EQ(LcdGetPixel(x, y), 0) << x << "," << y;
    EXPECT_STREQ(TableText(OnOffTexts, 2), "");
    Press(KeyAntiClockwise);
    EXPECT_EQ(state.settings.pressureUnit, UnitAtmosphere);
    state.menuCursor = RowFilter;
    Press(KeyClockwise);
    EXPECT_EQ(state.settings.pressureFilter, 0);
}
