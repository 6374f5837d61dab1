#include "screens/flight_log.h"

#include "instrument/hooks.h"
#include "lcd/icons.h"
#include "lcd/text.h"
#include "screens/flight_log_view.h"
#include "screens/main_menu.h"
#include "screens/messages.h"
#include "screens/screen_flow.h"
#include "screens/setup_list.h"

static const char DetectionTexts[2][7] = {"MANUAL", "DETECT"};

// The log is not shown during a flight; a flight that starts while it is
// shown does not close it.
static void OpenView()
{
    if (state.inFlight == 0)
        OpenScreen(FlightLogViewScreen, 0);
    else
        ShowScreen(FlightLogBlockedScreen, FlightLogMenuScreen);
}

static void OpenErase() { GoToScreen(FlightLogEraseScreen); }

// The take-off speed matters only to automatic detection.
static uint8_t LastRow() { return state.settings.flightAutoDetect == 1 ? 4 : 3; }

static constexpr Settings &s = state.settings;

static const SetupRow Rows[] = {
    DoneRow(),
    ActionRow("VIEW LOG", OpenView),
    ActionRow("ERASE LOG", OpenErase),
    ChoiceRow("FLIGHT: ", &s.flightAutoDetect, DetectionTexts),
    NumberRow("RPM T/O: ", &s.flightRpm, KnobSteps(10, 100, 19500), FormatDecimal),
};

const SetupScreen FlightLogSetupList =
    SetupList(" FLIGHT LOG ", Rows, MainMenuScreen, MenuFlightLog, LastRow);

void FlightLogMenuScreen() { RunSetupList(FlightLogSetupList); }

void FlightLogEraseScreen()
{
    LcdDrawIcon(IconQuestion);
    LcdDrawTextCentered(85, 3, "ERASE", 1, 0, 0);
    LcdDrawTextCentered(85, 20, "FLIGHT", 1, 0, 0);
    LcdDrawTextCentered(85, 37, "LOG", 1, 0, 0);
    LcdDrawText(0, 56, " ERASE ", 0, 0, 1);

    switch (TakePendingKey()) {
    case KeyLeft:
        EraseFlightLog();
        state.menuCursor = LogRowErase;
        ShowScreen(DoneMessage, FlightLogMenuScreen);
        break;
    case KeyCentre:
    case KeyClockwise:
    case KeyAntiClockwise:
    case KeyRight:
        GoToScreen(FlightLogMenuScreen);
        break;
    }
}

static constexpr NoticeLine BlockedLines[] = {
    {"FLIGHT", 8}, {"LOG CANT", 18}, {"BE VIEWED", 28}, {"WHILE IN", 38}, {"FLIGHT", 48},
};

void FlightLogBlockedScreen() { RunNotice(NoticeOf(nullptr, 0, BlockedLines)); }
