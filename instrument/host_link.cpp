#include "instrument/host_link.h"

#include "instrument/rpm.h"
#include "instrument/state.h"

// The registered window's functions; all null while no window is registered.
static HostLink registered;

void RegisterHostLink(const HostLink &window) { registered = window; }
void UnregisterHostLink() { registered = HostLink{}; }

void PresentLcd()
{
    if (registered.presentLcd)
        registered.presentLcd();
}

void PumpMessages()
{
    if (registered.pumpMessages)
        registered.pumpMessages();
}

// Without a window the pulse count stays as the timers and tests left it.
void ReadRpmInput()
{
    if (registered.readRpmSlider)
        state.simPulseCount = registered.readRpmSlider();
    state.rpmPulsePeriod = state.simPulseCount * TimerCountsPerPulseInput;
}

uint8_t CalibrateBoxTicked() { return registered.calibrateBoxTicked ? registered.calibrateBoxTicked() : 0; }
uint8_t KeyFastBoxTicked() { return registered.keyFastBoxTicked ? registered.keyFastBoxTicked() : 0; }

void SetAlarmLamp(uint8_t red, uint8_t green, uint8_t blue)
{
    if (registered.setAlarmLamp)
        registered.setAlarmLamp(red, green, blue);
}

void SetLcdVisible(uint8_t visible)
{
    if (registered.setLcdVisible)
        registered.setLcdVisible(visible);
}

void PaceSplashPass()
{
    if (registered.paceSplashPass)
        registered.paceSplashPass();
}
