// Hobbs meter list, the two time editors, the access-code screens and the
// messages: values, wrapping, commits, and every path back to its row.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "instrument/timekeeping.h"
#include "screens/access_code.h"
#include "screens/digit_entry.h"
#include "screens/hobbs_meter.h"
#include "screens/main_menu.h"
#include "screens/messages.h"
#include "screens/time_adjust.h"
#include "support/frame_check.h"
#include "support/hook_counts.h"
#include "support/screen_pass.h"

namespace {

// Digits from zeros: each raised by its value, then KeyCentre.
void EnterDigits(const char *digits)
{
    for (const char *d = digits; *d; ++d) {
        PressTimes(KeyClockwise, *d - '0');
        Press(KeyCentre);
    }
}

} // namespace

// The fraction style chosen on the list sets the editor's separator and the
// limit of the fraction's tens digit (digit 4); the other digits wrap at 9,
// one step per key whatever the knob's step.
TEST(HobbsMeter, FractionStyleSetsSeparatorAndTensLimitOfTheEditor)
{
    StartOnScreen(HobbsMeterScreen);
    state.hobbsHours = 79;
    state.hobbsMinutes = 95;
    state.menuCursor = 4;
    Press(KeyCentre);
    for (uint8_t key : {KeyClockwise, KeyAntiClockwise, KeyLeft, KeyRight, KeyLeft})
        Press(key);
    EXPECT_EQ(state.settings.hourFractionDecimal, 1);
    Press(KeyCentre);
    PressTimes(KeyLeft, 2);
    Press(KeyCentre);
    ASSERT_EQ(state.currentScreen, HobbsTimeAdjustScreen);
    Idle();
    ExpectScreenFrame("hobbs_time_decimal");

    const struct {
        uint8_t decimal, digit, from, key, to;
    } cases[] = {{1, 4, 0, KeyRight, 9}, {1, 4, 9, KeyLeft, 0},          {1, 4, 5, KeyClockwise, 6},
                 {0, 4, 0, KeyRight, 5}, {0, 4, 5, KeyLeft, 0},          {0, 4, 4, KeyClockwise, 5},
                 {0, 4, 7, KeyLeft, 0},  {0, 4, 7, KeyRight, 6},         {0, 5, 9, KeyClockwise, 0},
                 {0, 0, 9, KeyLeft, 0},  {0, 3, 0, KeyAntiClockwise, 9}, {0, 5, 5, KeyLeft, 6}};
    state.knobStep = 10;
    for (const auto &c : cases) {
        state.settings.hourFractionDecimal = c.decimal;
        state.menuCursor = c.digit;
        state.entryDigits[c.digit] = c.from;
        Press(c.key);
        EXPECT_EQ(state.entryDigits[c.digit], c.to)
            << int(c.decimal) << " digit " << int(c.digit) << " " << int(c.from) << " key " << int(c.key);
    }
}

TEST(TimeAdjust, HobbsCommitAtTheLastDigitKeepsSecondsAndReturnsToItsRow)
{
    StartOnScreen(HobbsMeterScreen);
    state.hobbsHours = 1234;
    state.hobbsMinutes = 56;
    state.hobbsSeconds = 42;
    state.menuCursor = HobbsRowSetHobbsTime;
    Press(KeyCentre);
    PressTimes(KeyCentre, 4);
    Idle(); // a key shows from the pass after it
    ExpectScreenFrame("hobbs_time_minutes");
    Press(KeyAntiClockwise); // 56 -> 46
    Press(KeyCentre);
    EXPECT_EQ(state.hobbsMinutes, 56);
    EXPECT_EQ(hookCalls.saveHobbs, 0u);
    Press(KeyCentre);
    EXPECT_EQ(state.hobbsHours, 1234u);
    EXPECT_EQ(state.hobbsMinutes, 46);
    EXPECT_EQ(state.hobbsSeconds, 42);
    EXPECT_EQ(hookCalls.saveHobbs, 1u);
    EXPECT_EQ(state.currentScreen, HobbsMeterScreen);
    EXPECT_EQ(state.menuCursor, HobbsRowSetHobbsTime);
}

// A decimal fraction of 60..99 is stored as entered; the next Hobbs minute
// rolls it over into an hour.
TEST(TimeAdjust, DecimalFractionAbove59RollsOverAtTheNextMinute)
{
    StartOnScreen(HobbsTimeAdjustScreen);
    state.settings.hourFractionDecimal = 1;
    EnterDigits("010075");
    EXPECT_EQ(state.hobbsHours, 100u);
    EXPECT_EQ(state.hobbsMinutes, 75);
    state.rpmValue = state.settings.hobbsRpm;
    state.hobbsSeconds = 59;
    OneSecondBlock();
    EXPECT_EQ(state.hobbsHours, 101u);
    EXPECT_EQ(state.hobbsMinutes, 0);
}

// Hours the digits cannot show are offered as all nines; hour digits
// committed as all nines keep the counter, others replace it. Only a changed
// maintenance digit restarts the maintenance minutes. Either commit saves
// the engine times once, with the committed hours.
TEST(TimeAdjust, CountersBeyondTheDigitsSurviveAnUntouchedCommit)
{
    static const uint32_t *watched;
    static uint32_t savedHours;
    const struct {
        uint8_t row;
        uint32_t *counter;
        uint32_t from;
        uint8_t key;
        uint32_t to;
    } cases[] = {{HobbsRowSetHobbsTime, &state.hobbsHours, 10000, KeyNone, 10000},
                 {HobbsRowSetHobbsTime, &state.hobbsHours, 10000, KeyRight, 8999},
                 {HobbsRowSetHobbsTime, &state.hobbsHours, 9999, KeyNone, 9999},
                 {HobbsRowSetMaintTime, &state.maintHours, 1234, KeyNone, 1234},
                 {HobbsRowSetMaintTime, &state.maintHours, 1234, KeyLeft, 99},
                 {HobbsRowSetMaintTime, &state.maintHours, 42, KeyNone, 42}};
    for (const auto &c : cases) {
        StartOnScreen(HobbsMeterScreen);
        *c.counter = c.from;
        state.hobbsMinutes = 30;
        state.maintMinutes = 17;
        state.menuCursor = c.row;
        watched = c.counter;
        savedHours = 0;
        SubscribeHook(HookSaveHobbs, [](HookId) { savedHours = *watched; });
        Press(KeyCentre);
        EXPECT_EQ(state.entryDigits[0], c.from > 999 ? 9 : 0) << c.from;
        Press(c.key);
        PressTimes(KeyCentre, c.row == HobbsRowSetHobbsTime ? 6 : 3);
        EXPECT_EQ(*c.counter, c.to) << c.from << " key " << int(c.key);
        EXPECT_EQ(hookCalls.saveHobbs, 1u) << c.from << " key " << int(c.key);
        EXPECT_EQ(savedHours, c.to) << c.from << " key " << int(c.key);
        EXPECT_EQ(state.hobbsMinutes, 30);
        EXPECT_EQ(state.maintMinutes, c.row == HobbsRowSetMaintTime && c.key != KeyNone ? 0 : 17);
        EXPECT_EQ(state.menuCursor, c.row);
    }
}

// The current-code check takes the stored code or the master code, the Hobbs
// code check only the stored one. A new code needs a matching confirmation
// (0 removes the lock). Every code screen starts from zeros, so a path is one
// string of digits; a failure returns to the row that started the path.
TEST(AccessCode, ChecksChangesAndWayBack)
{
    const struct {
        uint8_t row;
        uint32_t stored;
        const char *entered;
        ScreenHandler next;
        uint32_t code;
    } cases[] = {{HobbsRowCode, 0, "0000", EnterNewCodeScreen, 0},
                 {HobbsRowCode, 0, "9734", EnterNewCodeScreen, 0},
                 {HobbsRowCode, 2468, "2468", EnterNewCodeScreen, 2468},
                 {HobbsRowCode, 2468, "9734", EnterNewCodeScreen, 2468},
                 {HobbsRowCode, 2468, "0000", IncorrectCodeMessage, 2468},
                 {HobbsRowSetHobbsTime, 2468, "9734", IncorrectCodeMessage, 2468},
                 {HobbsRowSetHobbsTime, 2468, "2468", HobbsTimeAdjustScreen, 2468},
                 {HobbsRowCode, 2468, "246843214321", CodeChangedMessage, 4321},
                 {HobbsRowCode, 2468, "246811111112", IncorrectCodeMessage, 2468},
                 {HobbsRowCode, 2468, "973400000000", CodeChangedMessage, 0}};
    for (const auto &c : cases) {
        StartOnScreen(HobbsMeterScreen);
        state.settings.accessCode = c.stored;
        state.hobbsHours = 321;
        state.hobbsMinutes = 7;
        state.entryDigits[2] = 5; // cleared when a code screen opens
        state.menuCursor = c.row;
        Press(KeyCentre);
        EnterDigits(c.entered);
        EXPECT_EQ(state.currentScreen, c.next) << int(c.row) << " " << c.stored << " " << c.entered;
        EXPECT_EQ(state.settings.accessCode, c.code) << c.entered;
        if (c.next == IncorrectCodeMessage || c.next == CodeChangedMessage) {
            Press(KeyLeft);
            EXPECT_EQ(state.currentScreen, HobbsMeterScreen);
            EXPECT_EQ(state.menuCursor, c.row);
        } else {
            EXPECT_EQ(state.menuCursor, 0);
            EXPECT_EQ(EntryValue(0, 6), c.next == HobbsTimeAdjustScreen ? 32107u : 0u);
        }
    }
    // With the lock removed SET HOBBS TIME opens the editor directly.
    state.menuCursor = HobbsRowSetHobbsTime;
    Press(KeyCentre);
    EXPECT_EQ(state.currentScreen, HobbsTimeAdjustScreen);
}

TEST(Messages, EveryKeyReturnsAndOtherCodesDoNot)
{
    for (ScreenHandler message : {IncorrectCodeMessage, CodeChangedMessage, DoneMessage}) {
        for (uint8_t key = KeyCentre; key <= KeyRight; ++key) {
            StartOnScreen(message);
            state.returnScreen = MainMenuScreen;
            Press(6);
            EXPECT_EQ(state.currentScreen, message);
            Press(key);
            EXPECT_EQ(state.currentScreen, MainMenuScreen);
        }
    }
}

TEST(HobbsFrames, ListEditorsCodeScreensAndMessages)
{
    const struct {
        const char *name;
        ScreenHandler screen;
        uint8_t cursor, editMode, decimal;
        const char *digits;
    } frames[] = {
        {"hobbs_meter_browse", HobbsMeterScreen, 2, 0, 0, ""},
        {"hobbs_meter_rpm_edit", HobbsMeterScreen, 1, 1, 1, ""},
        {"hobbs_meter_fraction_edit", HobbsMeterScreen, 4, 1, 1, ""},
        {"refs/maint_time_adjust", MaintTimeAdjustScreen, 1, 0, 0, "050"},
        {"code_enter_current", EnterCurrentCodeScreen, 0, 0, 0, "9734"},
        {"code_enter_new", EnterNewCodeScreen, 1, 0, 0, "9734"},
        {"code_confirm_new", ConfirmNewCodeScreen, 2, 0, 0, "9734"},
        {"code_enter_hobbs", EnterHobbsCodeScreen, 3, 0, 0, "9734"},
        {"refs/message_incorrect_code", IncorrectCodeMessage, 0, 0, 0, ""},
        {"refs/message_code_changed", CodeChangedMessage, 0, 0, 0, ""},
        {"refs/message_done", DoneMessage, 0, 0, 0, ""},
    };
    for (const auto &f : frames) {
        StartOnScreen(f.screen);
        state.menuCursor = f.cursor;
        state.editMode = f.editMode;
        state.settings.hourFractionDecimal = f.decimal;
        state.settings.hobbsRpm = f.decimal ? 950 : 1000;
        LoadEntryDigits(0, f.digits, (uint8_t)strlen(f.digits));
        Idle();
        ExpectScreenFrame(f.name);
    }
}
