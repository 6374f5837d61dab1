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

namespace {

// Reference frames of this file lie in tests/data/screens.
void ExpectFrame(const std::string &name) { ExpectFrameMatches("screens/" + name); }

} // namespace

TEST(SetupScreenFrames, MainMenuEveryEntry)
{
    const char *names[] = {"menu_exit", "menu_flight_log", "menu_display", "menu_hobbs",
                           "menu_rpm",  "menu_pressure",   "menu_adc",     "menu_calibrate"};
    for (uint8_t entry = 0; entry < 8; ++entry) {
        StartOnScreen(MainMenuScreen);
        state.calibrateSwitch = 1;
        state.menuCursor = entry;
        Idle();
        ExpectFrame(names[entry]);
    }
    // The switch off on a service entry: the thumb of 6 entries falls below
    // the display.
    StartOnScreen(MainMenuScreen);
    state.menuCursor = MenuCalibrate;
    Idle();
    ExpectFrame("menu_calibrate_switch_off");
}

TEST(SetupScreenFrames, PressureSetupBrowsingEditingAndScrolled)
{
    StartOnScreen(PressureSetupScreen);
    Idle();
    ExpectFrame("pressure_setup_done");
    Press(KeyClockwise);
    Press(KeyCentre);
    Idle(); // a key shows from the pass after it
    ExpectFrame("pressure_setup_span_edit");
    state.editMode = 0;
    state.menuCursor = 7;
    Idle();
    ExpectFrame("pressure_setup_row7");
    state.menuCursor = 8;
    state.settings.pressureUnit = UnitBar;
    Idle();
    Idle(); // the pass after a unit change shows the clamped values
    ExpectFrame("pressure_setup_row8_bar");
}

TEST(SetupScreenFrames, RpmSetupFullListScrolledAndOff)
{
    StartOnScreen(RpmSetupScreen);
    state.menuCursor = 3;
    state.settings.rpmPercent = 1;
    Idle();
    ExpectFrame("rpm_setup_percent_row3");
    state.menuCursor = 10;
    state.editMode = 1;
    Idle();
    ExpectFrame("rpm_setup_row10_edit");
    state.menuCursor = 1;
    state.editMode = 0;
    state.settings.rpmDisplayOn = 0;
    Idle();
    ExpectFrame("rpm_setup_off");
}

TEST(SetupScreenFrames, DisplaySetupAndContrast)
{
    StartOnScreen(DisplaySetupScreen);
    state.settings.rpmDisplayOn = 0;
    state.settings.barHorizontal = 1;
    state.menuCursor = 3;
    Idle();
    ExpectFrame("display_setup_bar");
    StartOnScreen(ContrastScreen);
    Idle();
    ExpectFrame("contrast_default");
}

TEST(SetupScreenFrames, CalibrationAndReadout)
{
    StartOnScreen(CalibrateScreen);
    state.settings.pressureCalOffset = -12;
    state.pressureMillibar = 995;
    state.menuCursor = 1;
    state.editMode = 1;
    Idle();
    ExpectFrame("calibrate_edit");
    StartOnScreen(AdcValuesScreen);
    state.pressureAdc = 1234;
    Idle();
    ExpectFrame("adc_values");
}
