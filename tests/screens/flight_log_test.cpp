// Flight log menu, view, erase confirmation and blocked message; the speed
// rows of the flight log menu and the Hobbs meter.
#include <gtest/gtest.h>

#include <string>

#include "screens/flight_log.h"
#include "screens/flight_log_view.h"
#include "screens/hobbs_meter.h"
#include "screens/main_menu.h"
#include "screens/messages.h"
#include "support/frame_check.h"
#include "support/hook_counts.h"
#include "support/screen_pass.h"

TEST(FlightLog, ViewLogIsBlockedInFlightAndOpensPageZeroOtherwise)
{
    for (uint8_t inFlight : {1, 0}) {
        StartOnScreen(FlightLogMenuScreen);
        state.inFlight = inFlight;
        state.menuCursor = LogRowView;
        Press(KeyCentre);
        if (inFlight) {
            EXPECT_EQ(state.currentScreen, FlightLogBlockedScreen);
            Press(6); // not a key
            EXPECT_EQ(state.currentScreen, FlightLogBlockedScreen);
            Press(KeyRight);
            EXPECT_EQ(state.currentScreen, FlightLogMenuScreen);
            EXPECT_EQ(state.menuCursor, LogRowView);
        } else {
            EXPECT_EQ(state.currentScreen, FlightLogViewScreen);
            EXPECT_EQ(state.menuCursor, 0);
        }
    }
}

// Pages stop at both ends; only page 0 leads back, to VIEW LOG.
TEST(FlightLog, ViewPagesStopAtTheEnds)
{
    StartOnScreen(FlightLogViewScreen);
    Press(KeyAntiClockwise);
    EXPECT_EQ(state.menuCursor, 0);
    PressTimes(KeyRight, 5);
    EXPECT_EQ(state.menuCursor, 3);
    for (uint8_t page : {3, 2, 1}) {
        state.menuCursor = page;
        Press(KeyCentre);
        EXPECT_EQ(state.currentScreen, FlightLogViewScreen);
    }
    PressTimes(KeyLeft, 3);
    EXPECT_EQ(state.menuCursor, 0);
    Press(KeyCentre);
    EXPECT_EQ(state.currentScreen, FlightLogMenuScreen);
    EXPECT_EQ(state.menuCursor, LogRowView);
}

// Only the left key erases; the log menu is back on ERASE LOG either way.
TEST(FlightLog, EraseOnlyWithTheLeftKey)
{
    for (uint8_t key : {KeyCentre, KeyClockwise, KeyAntiClockwise, KeyRight, KeyLeft}) {
        StartOnScreen(FlightLogMenuScreen);
        state.menuCursor = LogRowErase;
        Press(KeyCentre);
        ASSERT_EQ(state.currentScreen, FlightLogEraseScreen);
        Press(6);
        EXPECT_EQ(state.currentScreen, FlightLogEraseScreen);
        Press(key);
        EXPECT_EQ(hookCalls.eraseFlightLog, key == KeyLeft ? 1u : 0u) << int(key);
        if (key == KeyLeft) {
            EXPECT_EQ(state.currentScreen, DoneMessage);
            Press(KeyClockwise);
        }
        EXPECT_EQ(state.currentScreen, FlightLogMenuScreen);
        EXPECT_EQ(state.menuCursor, LogRowErase);
    }
}

// Both speed rows step by 10 x knobStep and jump to the opposite limit.
TEST(FlightLog, HobbsAndTakeOffSpeedsWrapAndTakeOffGoesAwayInManualMode)
{
    const struct {
        ScreenHandler screen;
        uint8_t row;
        uint32_t *speed;
        uint8_t knobStep;
        uint32_t from;
        uint8_t key;
        uint32_t to;
    } cases[] = {{FlightLogMenuScreen, 4, &state.settings.flightRpm, 1, 19500, KeyClockwise, 100},
                 {FlightLogMenuScreen, 4, &state.settings.flightRpm, 1, 100, KeyAntiClockwise, 19500},
                 {FlightLogMenuScreen, 4, &state.settings.flightRpm, 10, 19450, KeyLeft, 100},
                 {FlightLogMenuScreen, 4, &state.settings.flightRpm, 10, 1000, KeyRight, 900},
                 {HobbsMeterScreen, 1, &state.settings.hobbsRpm, 1, 9500, KeyClockwise, 100},
                 {HobbsMeterScreen, 1, &state.settings.hobbsRpm, 1, 100, KeyAntiClockwise, 9500},
                 {HobbsMeterScreen, 1, &state.settings.hobbsRpm, 10, 9450, KeyLeft, 100},
                 {HobbsMeterScreen, 1, &state.settings.hobbsRpm, 10, 150, KeyRight, 9500},
                 {HobbsMeterScreen, 1, &state.settings.hobbsRpm, 1, 1000, KeyLeft, 1010}};
    for (const auto &c : cases) {
        StartOnScreen(c.screen);
        state.menuCursor = c.row;
        state.editMode = 1;
        state.knobStep = c.knobStep;
        *c.speed = c.from;
        Press(c.key);
        EXPECT_EQ(*c.speed, c.to) << c.from << " key " << int(c.key);
    }

    StartOnScreen(FlightLogMenuScreen);
    state.menuCursor = 3;
    Press(KeyCentre);
    Press(KeyRight);
    EXPECT_EQ(state.settings.flightAutoDetect, 0);
    Press(KeyCentre);
    PressTimes(KeyClockwise, 2);
    EXPECT_EQ(state.menuCursor, 3);
    PressTimes(KeyLeft, 3);
    Press(KeyCentre);
    EXPECT_EQ(state.currentScreen, MainMenuScreen);
    EXPECT_EQ(state.menuCursor, MenuFlightLog);
    EXPECT_EQ(hookCalls.saveSettings, 0u);
}

TEST(FlightLogFrames, MenuViewPagesEraseAndBlocked)
{
    StartOnScreen(FlightLogMenuScreen);
    state.settings.flightRpm = 19500;
    state.menuCursor = 4;
    state.editMode = 1;
    Idle();
    ExpectScreenFrame("log_menu_detect");
    state.settings.flightAutoDetect = 0;
    state.menuCursor = 3;
    state.editMode = 0;
    Idle();
    ExpectScreenFrame("refs/log_menu_manual");

    // Entries filled, empty ("-----" from 100 hours on) and at the edges of
    // the table, on every page, with both separators.
    StartOnScreen(FlightLogViewScreen);
    const uint8_t entries[][3] = {{0, 1, 30},  {2, 200, 0},    {5, 99, 59}, {6, 12, 5},  {12, 100, 7},
                                  {13, 3, 45}, {19, 255, 255}, {20, 0, 1},  {23, 150, 0}};
    for (const auto &e : entries) {
        state.flightLogHours[e[0]] = e[1];
        state.flightLogMinutes[e[0]] = e[2];
    }
    const char *pages[] = {"log_view_page0", "log_view_page1_decimal", "log_view_page2", "log_view_page3"};
    for (uint8_t page = 0; page < 4; ++page) {
        state.menuCursor = page;
        state.settings.hourFractionDecimal = page == 1 ? 1 : 0;
        Idle();
        ExpectScreenFrame(pages[page]);
    }

    const struct {
        ScreenHandler screen;
        const char *name;
    } notices[] = {{FlightLogEraseScreen, "refs/log_erase"}, {FlightLogBlockedScreen, "refs/log_blocked"}};
    for (const auto &n : notices) {
        StartOnScreen(n.screen);
        Idle();
        ExpectScreenFrame(n.name);
    }
}
