#include "instrument/main_cycle.h"

#include "instrument/hooks.h"
#include "instrument/host_link.h"
#include "instrument/pressure.h"
#include "instrument/rpm.h"
#include "instrument/settings.h"
#include "instrument/state.h"
#include "instrument/timekeeping.h"
#include "lcd/frame.h"
#include "lcd/text.h"
#include "screens/run_screen.h"

// The maker's web address under the splash, at most 21 characters of the
// small font so that it fits the display width.
static const char SplashWebAddress[] = "www.zeq-avionics.com";
static const char SplashVersion[] = "2.00";

static void PlaySplash()
{
    int8_t makerX = 127; // left edge of the maker line
    int8_t modelX = -20; // centre of the model line
    for (int pass = 0; pass < 80; ++pass) {
        LcdClear();
        LcdDrawText((uint8_t)makerX, 5, "ZEQ AVIONICS", 1, 0, 0);
        if (makerX > 20)
            makerX = (int8_t)(makerX - 2);
        LcdDrawTextCentered((uint8_t)modelX, 28, "QPX-2", 1, 0, 0);
        if (makerX < 102 && modelX < 64)
            modelX = (int8_t)(modelX + 2);
        LcdDrawSmallTextCentered(64, 56, SplashWebAddress, 100);
        LcdDrawSmallText(95, 40, SplashVersion, 100);
        PresentLcd();
        PumpMessages();
        UpdatePressure();
        PaceSplashPass();
    }
}

void PowerOnReset()
{
    ResetMaxValues();
    LoadDefaultSettings();
    ClearPressureCalibration();
    state.alarmActive = 0;
    state.alarmMuted = 0;
    state.flightHours = 0;
    state.flightMinutes = 0;
    state.flightLogIndex = 0;
    state.inFlight = 0;
    state.flightRecorded = 0;
    state.simPressureInput = 0;
    state.calibrateSwitch = 0;
    state.pendingKey = KeyNone;
    UpdateRpmPeriodConstant();
}

void PowerOnSplash()
{
    PlaySplash();
    AlarmOutputOff();
    state.powerOffRequest = 0;
    state.currentScreen = RunScreen;
    state.menuCursor = 0;
}

void PowerOnSequence()
{
    PowerOnReset();
    PowerOnSplash();
}

// An alarm sounds while its condition is present and not yet acknowledged.
static bool AlarmSounding()
{
    uint8_t unacknowledged = state.alarmActive & (uint8_t)~state.alarmMuted;
    return (unacknowledged & (AlarmPressure | AlarmRpm)) != 0;
}

void MainCyclePass()
{
    UpdateRpm();
    if (state.secondTick == 1) {
        OneSecondBlock();
        state.secondTick = 0;
    }
    UpdatePressure();
    state.calibrateSwitch = CalibrateBoxTicked() ? 1 : 0;
    if (state.settings.backlightOn == 1)
        BacklightOn();
    else
        BacklightOff();

    if (AlarmSounding() && state.blinkPhase == 1) {
        AlarmOutputOn();
        SetAlarmLamp(255, 0, 0);
    } else {
        AlarmOutputOff();
        SetAlarmLamp(128, 0, 0);
    }

    state.knobStep = KeyFastBoxTicked() ? 10 : 1;
    SetLcdVisible(0);
    LcdClear();
    if (state.currentScreen)
        state.currentScreen();
    PresentLcd();
    SetLcdVisible(1);
    PumpMessages();
}
