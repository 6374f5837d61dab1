// Temporary: the window functions the instrument needs, doing nothing, until
// the form lands.
#include "instrument/host_link.h"
#include "instrument/state.h"

void PresentLcd() {}
void PumpMessages() {}
void ReadRpmInput() { state.rpmPulsePeriod = state.simPulseCount * 20; }
uint8_t CalibrateBoxTicked() { return 0; }
uint8_t KeyFastBoxTicked() { return 0; }
void SetAlarmLamp(uint8_t, uint8_t, uint8_t) {}
void SetLcdVisible(uint8_t) {}
void PaceSplashPass() {}
