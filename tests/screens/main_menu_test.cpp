#include <gtest/gtest.h>

#include "screens/calibration.h"
#include "screens/display_setup.h"
#include "screens/flight_log.h"
#include "screens/hobbs_meter.h"
#include "screens/main_menu.h"
#include "screens/pressure_setup.h"
#include "screens/rpm_setup.h"
#include "screens/run_screen.h"
#include "support/hook_counts.h"
#include "support/screen_pass.h"

TEST(MainMenu, SelectionStopsAtBothEndsWithAndWithoutTheServiceEntries)
{
    StartOnScreen(MainMenuScreen);
    PressTimes(KeyAntiClockwise, 2);
    Press(KeyLeft);
    EXPECT_EQ(state.menuCursor, 0);
    PressTimes(KeyClockwise, 10);
    EXPECT_EQ(state.menuCursor, MenuPressureSetup);
    Press(KeyRight);
    EXPECT_EQ(state.menuCursor, MenuPressureSetup);

    state.calibrateSwitch = 1;
    PressTimes(KeyRight, 10);
    EXPECT_EQ(state.menuCursor, MenuCalibrate);
    Press(KeyAntiClockwise);
    EXPECT_EQ(state.menuCursor, MenuAdcValues);
    Press(9); // not a key: cleared without effect
    EXPECT_EQ(state.menuCursor, MenuAdcValues);
    EXPECT_EQ(state.pendingKey, KeyNone);
}

TEST(MainMenu, SwitchTurnedOffOnAServiceEntryOnlyLetsTheSelectionGoUp)
{
    StartOnScreen(MainMenuScreen);
    state.menuCursor = MenuCalibrate;
    Press(KeyClockwise);
    EXPECT_EQ(state.menuCursor, MenuCalibrate);
    Press(KeyCentre); // still opens
    EXPECT_EQ(state.currentScreen, CalibrateScreen);

    state.currentScreen = MainMenuScreen;
    state.menuCursor = MenuCalibrate;
    PressTimes(KeyLeft, 2);
    EXPECT_EQ(state.menuCursor, MenuPressureSetup);
    Press(KeyRight);
    EXPECT_EQ(state.menuCursor, MenuPressureSetup);
}

TEST(MainMenu, EveryEntryOpensItsScreenBrowsingFromTheTop)
{
    const ScreenHandler opens[] = {RunScreen,      FlightLogMenuScreen, DisplaySetupScreen, HobbsMeterScreen,
                                   RpmSetupScreen, PressureSetupScreen, AdcValuesScreen,    CalibrateScreen};
    for (uint8_t entry = 0; entry < 8; ++entry) {
        StartOnScreen(MainMenuScreen);
        state.calibrateSwitch = 1;
        state.menuCursor = entry;
        state.editMode = 1;
        Press(KeyCentre);
        EXPECT_EQ(state.currentScreen, opens[entry]) << "entry " << int(entry);
        EXPECT_EQ(state.menuCursor, 0);
        EXPECT_EQ(state.editMode, 0);
        // Only leaving the menu saves the settings.
        EXPECT_EQ(hookCalls.saveSettings, entry == MenuExit ? 1u : 0u) << "entry " << int(entry);
    }
}

// Each screen reached from the menu leads back to the menu on its own entry.
TEST(MainMenu, EverySetupScreenReturnsToItsOwnEntry)
{
    const struct {
        ScreenHandler screen;
        uint8_t entry;
        uint32_t saves;
    } cases[] = {
        {FlightLogMenuScreen, MenuFlightLog, 0},     {DisplaySetupScreen, MenuDisplaySetup, 0},
        {HobbsMeterScreen, MenuHobbsMeter, 0},       {RpmSetupScreen, MenuRpmSetup, 0},
        {PressureSetupScreen, MenuPressureSetup, 0}, {AdcValuesScreen, MenuAdcValues, 0},
        {CalibrateScreen, MenuCalibrate, 1},
    };
    for (const auto &c : cases) {
        StartOnScreen(c.screen);
        Press(KeyCentre);
        EXPECT_EQ(state.currentScreen, MainMenuScreen) << "entry " << int(c.entry);
        EXPECT_EQ(state.menuCursor, c.entry);
        EXPECT_EQ(state.editMode, 0);
        EXPECT_EQ(hookCalls.saveSettings, c.saves) << "entry " << int(c.entry);
    }
}
