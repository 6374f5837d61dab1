#include "screens/main_menu.h"

#include "instrument/hooks.h"
#include "instrument/state.h"
#include "lcd/furniture.h"
#include "lcd/icons.h"
#include "lcd/text.h"
#include "screens/calibration.h"
#include "screens/display_setup.h"
#include "screens/flight_log.h"
#include "screens/hobbs_meter.h"
#include "screens/pressure_setup.h"
#include "screens/rpm_setup.h"
#include "screens/run_screen.h"
#include "screens/screen_flow.h"

namespace {

struct MenuEntry {
    const char *line1;
    const char *line2; // null: a one-line caption
    uint8_t icon;
    ScreenHandler opens;
};

const MenuEntry Entries[] = {
    {"EXIT", "MENU", IconExitMenu, RunScreen},
    {"FLIGHT", "LOG", IconFlightLog, FlightLogMenuScreen},
    {"DISPLAY", "SETUP", IconDisplay, DisplaySetupScreen},
    {"HOBBS", "METER", IconClock, HobbsMeterScreen},
    {"RPM", "SETUP", IconRpm, RpmSetupScreen},
    {"PRESSURE", "SETUP", IconPressure, PressureSetupScreen},
    {"ADC", "VALUES", IconAdcValues, AdcValuesScreen},
    {"CALIBRATE", nullptr, IconCalibrate, CalibrateScreen},
};
constexpr uint8_t EntryCount = sizeof Entries / sizeof Entries[0];

} // namespace

// The service entries are offered only while the calibrate switch is on. An
// entry beyond the last (the switch turned off on a service entry) is still
// shown and opens; the selection then only moves up.
void MainMenuScreen()
{
    uint8_t last = state.calibrateSwitch == 1 ? MenuCalibrate : MenuPressureSetup;
    uint8_t cursor = state.menuCursor;

    DrawTitle(" MAIN MENU ");
    DrawScrollBar(cursor, (uint8_t)(last + 1));
    if (cursor < EntryCount) {
        const MenuEntry &entry = Entries[cursor];
        if (entry.line2) {
            LcdDrawTextCentered(84, 18, entry.line1, 1, 0, 0);
            LcdDrawTextCentered(84, 36, entry.line2, 1, 0, 0);
        } else {
            LcdDrawTextCentered(84, 26, entry.line1, 1, 0, 0);
        }
        LcdDrawIcon(entry.icon);
    }

    uint8_t key = TakePendingKey();
    if (key == KeyCentre) {
        if (cursor < EntryCount) {
            GoToScreen(Entries[cursor].opens);
            // Leaving the menu is when changed settings reach the store.
            if (cursor == MenuExit)
                SaveSettings();
            state.menuCursor = 0;
            state.editMode = 0;
        }
    } else {
        StepMenuCursor(key, last);
    }
}
