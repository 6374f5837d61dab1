// Every menu and setup screen compared dot for dot with its reference.
#include <gtest/gtest.h>

#include <string>

#include "screens/calibration.h"
#include "screens/display_setup.h"
#include "screens/main_menu.h"
#include "screens/pressure_setup.h"
#include "screens/rpm_setup.h"
#include "support/frame_check.h"
#include "support/screen_pass.h"

TEST(SetupScreenFrames, MainMenuEveryEntry)
{
    const char *names[] = {"refs/menu_exit",  "refs/menu_flight_log", "refs/menu_display",
                           "refs/menu_hobbs", "refs/menu_rpm",        "refs/menu_pressure",
                           "refs/menu_adc",   "refs/menu_calibrate"};
    for (uint8_t entry = 0; entry < 8; ++entry) {
        StartOnScreen(MainMenuScreen);
        state.calibrateSwitch = 1;
        state.menuCursor = entry;
        Idle();
        ExpectScreenFrame(names[entry]);
    }
    // The switch off on a service entry: the thumb of 6 entries falls below
    // the display.
    StartOnScreen(MainMenuScreen);
    state.menuCursor = MenuCalibrate;
    Idle();
    ExpectScreenFrame("menu_calibrate_switch_off");
}

TEST(SetupScreenFrames, PressureSetupBrowsingEditingAndScrolled)
{
    StartOnScreen(PressureSetupScreen);
    Idle();
    ExpectScreenFrame("refs/pressure_setup");
    Press(KeyClockwise);
    Press(KeyCentre);
    Idle(); // a key shows from the pass after it
    ExpectScreenFrame("pressure_setup_span_edit");
    state.editMode = 0;
    state.menuCursor = 7;
    Idle();
    ExpectScreenFrame("pressure_setup_row7");
    state.menuCursor = 8;
    state.settings.pressureUnit = UnitBar;
    Idle();
    Idle(); // the pass after a unit change shows the clamped values
    ExpectScreenFrame("pressure_setup_row8_bar");
}

TEST(SetupScreenFrames, RpmSetupFullListScrolledAndOff)
{
    StartOnScreen(RpmSetupScreen);
    state.menuCursor = 3;
    state.settings.rpmPercent = 1;
    Idle();
    ExpectScreenFrame("rpm_setup_percent_row3");
    state.menuCursor = 10;
    state.editMode = 1;
    Idle();
    ExpectScreenFrame("rpm_setup_row10_edit");
    state.menuCursor = 1;
    state.editMode = 0;
    state.settings.rpmDisplayOn = 0;
    Idle();
    ExpectScreenFrame("refs/rpm_setup_off");
}

TEST(SetupScreenFrames, DisplaySetupAndContrast)
{
    StartOnScreen(DisplaySetupScreen);
    state.settings.rpmDisplayOn = 0;
    state.settings.barHorizontal = 1;
    state.menuCursor = 3;
    Idle();
    ExpectScreenFrame("refs/display_setup_bar");
    StartOnScreen(ContrastScreen);
    Idle();
    ExpectScreenFrame("refs/contrast");
}

TEST(SetupScreenFrames, CalibrationAndReadout)
{
    StartOnScreen(CalibrateScreen);
    state.settings.pressureCalOffset = -12;
    state.pressureMillibar = 995;
    state.menuCursor = 1;
    state.editMode = 1;
    Idle();
    ExpectScreenFrame("calibrate_edit");
    StartOnScreen(AdcValuesScreen);
    state.pressureAdc = 1234;
    Idle();
    ExpectScreenFrame("adc_values");
}
