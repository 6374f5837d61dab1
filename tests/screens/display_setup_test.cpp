#include <gtest/gtest.h>

#include "lcd/frame.h"
#include "screens/display_setup.h"
#include "support/hook_counts.h"
#include "support/screen_pass.h"

TEST(DisplaySetup, BarRowOnlyWithoutEngineSpeed)
{
    StartOnScreen(DisplaySetupScreen);
    PressTimes(KeyClockwise, 5);
    EXPECT_EQ(state.menuCursor, 2);
    state.settings.rpmDisplayOn = 0;
    PressTimes(KeyClockwise, 5);
    EXPECT_EQ(state.menuCursor, 3);
    Press(KeyCentre);
    Press(KeyRight);
    EXPECT_EQ(state.settings.barHorizontal, 1);
    Press(KeyClockwise);
    EXPECT_EQ(state.settings.barHorizontal, 0);
}

TEST(DisplaySetup, BacklightToggleCallsItsHookOnce)
{
    StartOnScreen(DisplaySetupScreen);
    state.menuCursor = 2;
    Press(KeyCentre);
    Press(KeyLeft);
    EXPECT_EQ(state.settings.backlightOn, 0);
    EXPECT_EQ(hookCalls.backlightOff, 1u);
    EXPECT_EQ(hookCalls.backlightOn, 0u);
    Press(KeyAntiClockwise);
    EXPECT_EQ(state.settings.backlightOn, 1);
    EXPECT_EQ(hookCalls.backlightOn, 1u);
}

TEST(DisplaySetup, ContrastOpensAndReturnsToItsRowSavingOnce)
{
    StartOnScreen(DisplaySetupScreen);
    Press(KeyClockwise);
    Press(KeyCentre);
    EXPECT_EQ(state.currentScreen, ContrastScreen);
    EXPECT_EQ(state.menuCursor, 0);
    Press(KeyCentre);
    EXPECT_EQ(state.currentScreen, DisplaySetupScreen);
    EXPECT_EQ(state.menuCursor, 1);
    EXPECT_EQ(hookCalls.saveSettings, 1u);
}

TEST(Contrast, StopsAtItsLimitsAndAppliesEveryStep)
{
    StartOnScreen(ContrastScreen);
    PressTimes(KeyClockwise, 15);
    EXPECT_EQ(state.settings.contrast, 62);
    Press(KeyLeft);
    EXPECT_EQ(state.settings.contrast, 62);
    Idle();
    // The bar reaches column 125, one short of the frame's right edge.
    EXPECT_EQ(LcdGetPixel(125, 20), 1);
    EXPECT_EQ(LcdGetPixel(126, 20), 1);
    PressTimes(KeyAntiClockwise, 31);
    EXPECT_EQ(state.settings.contrast, 0);
    Press(KeyRight);
    EXPECT_EQ(state.settings.contrast, 0);
    Idle();
    EXPECT_EQ(LcdGetPixel(1, 20), 1);
    EXPECT_EQ(LcdGetPixel(2, 20), 0);
    EXPECT_EQ(hookCalls.applyContrast, 15u + 1 + 31 + 1);
    EXPECT_EQ(state.currentScreen, ContrastScreen);
}
