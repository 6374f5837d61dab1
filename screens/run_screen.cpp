#include "screens/run_screen.h"

#include <cstdio>

#include "instrument/hooks.h"
#include "instrument/settings.h"
#include "instrument/state.h"
#include "instrument/timekeeping.h"
#include "lcd/format.h"
#include "lcd/furniture.h"
#include "lcd/icons.h"
#include "lcd/text.h"
#include "screens/main_menu.h"
#include "screens/run_layouts.h"
#include "screens/run_texts.h"
#include "screens/screen_flow.h"

// Length of the magneto check in slow ticks of the host's timer.
constexpr uint8_t MagCheckTicks = 60;

// Acknowledges every present, unacknowledged alarm. Returns true when the key
// was spent on that and must do nothing else.
static bool AcknowledgeAlarms()
{
    bool acknowledged = false;
    static constexpr uint8_t alarms[] = {AlarmPressure, AlarmRpm};
    for (uint8_t bit : alarms) {
        if ((state.alarmActive & bit) && !(state.alarmMuted & bit)) {
            state.alarmMuted |= bit;
            acknowledged = true;
        }
    }
    return acknowledged;
}

void RunScreen()
{
    const Settings &s = state.settings;
    if (s.rpmDisplayOn != 0)
        DrawRpmPressureScreen();
    else if (s.barHorizontal != 0)
        DrawPressureScreenHorizontal();
    else
        DrawPressureScreenVertical();

    uint8_t key = TakePendingKey();
    if (key == KeyNone)
        return;
    if (state.magCheckTimer != 0) {
        // Any key ends the check and does nothing else.
        state.magCheckTimer = 0;
        return;
    }
    if (AcknowledgeAlarms())
        return;
    switch (key) {
    case KeyCentre:
        OpenScreen(MainMenuScreen, 0);
        break;
    case KeyClockwise:
    case KeyAntiClockwise:
        GoToScreen(MaxValuesScreen);
        break;
    case KeyLeft:
        if (s.rpmDisplayOn == 1 && s.flightAutoDetect == 0)
            GoToScreen(FlightScreen);
        break;
    case KeyRight:
        if (s.rpmDisplayOn == 1) {
            state.magCheckRpmRef = state.rpmValue;
            state.magCheckTimer = MagCheckTicks;
        }
        break;
    }
}

void MaxValuesScreen()
{
    const Settings &s = state.settings;
    DrawTitle(" MAX VALUES ");

    char text[32];
    uint8_t y = 24, c = 47;
    if (s.rpmDisplayOn == 1) {
        LcdDrawText(0, 15, "RPM:", 0, 0, 0);
        snprintf(text, sizeof text, "%5u", state.rpmMax);
        y = 34;
        if (s.rpmPercent == 0) {
            LcdDrawText(57, 15, text, 1, 0, 0);
        } else {
            LcdDrawText(31, 15, text, 1, 0, 0);
            double percent = s.rpmFullScale == 0 ? 0.0 : state.rpmMax * 100.0 / s.rpmFullScale;
            snprintf(text, sizeof text, "%5.1f%%", percent);
            LcdDrawText(78, 15, text, 1, 0, 0);
            c = 37;
        }
    }
    LcdDrawText(0, y, "PRESS:", 0, 0, 0);
    FormatPressureWide(text, state.pressureMax);
    LcdDrawText(c + 18, y, text, 1, 0, 0);
    DrawUnitLabel(c + 65, y, y - 1, y + 7, 0);
    LcdDrawText(0, 56, " RESET ", 0, 0, 1);

    uint8_t key = TakePendingKey();
    if (key == KeyLeft)
        ResetMaxValues();
    else if (key != KeyNone)
        GoToScreen(RunScreen);
}

void FlightScreen()
{
    LcdDrawIcon(IconQuestion);
    if (state.inFlight == 0) {
        LcdDrawTextCentered(84, 10, "START", 1, 0, 0);
        LcdDrawTextCentered(84, 30, "FLIGHT", 1, 0, 0);
        LcdDrawText(0, 56, " START ", 0, 0, 1);
    } else {
        LcdDrawTextCentered(84, 10, "STOP", 1, 0, 0);
        LcdDrawTextCentered(84, 30, "FLIGHT", 1, 0, 0);
        LcdDrawText(0, 56, " STOP ", 0, 0, 1);
    }

    uint8_t key = TakePendingKey();
    if (key == KeyNone)
        return;
    if (key == KeyLeft) {
        if (state.inFlight == 0)
            StartFlight();
        else
            EndFlight();
    }
    // Every key leaves, KeyLeft after starting or stopping the flight.
    GoToScreen(RunScreen);
}
