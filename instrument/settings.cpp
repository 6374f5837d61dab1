#include "instrument/settings.h"

#include "instrument/hooks.h"
#include "instrument/rpm.h"
#include "instrument/state.h"

void LoadDefaultSettings()
{
    Settings &s = state.settings;
    s.contrast = 32;
    ApplyContrast();
    s.backlightOn = 1;
    BacklightOn();
    s.pressureSpan = 2500;
    s.pressureTopScale = 0;
    s.pressureLowAlarm = 500;
    s.pressureLowAlarmOn = 1;
    s.pressureHighAlarm = 2000;
    s.pressureHighAlarmOn = 1;
    s.pressureFilter = 1;
    s.pressureUnit = 0;
    s.barHorizontal = 0;
    s.hourFractionDecimal = 0;
    s.hobbsRpm = 1000;
    s.flightAutoDetect = 1;
    s.flightRpm = 1000;
    s.rpmDisplayOn = 1;
    s.rpmPercent = 0;
    s.rpmFullScale = 6000;
    s.rpmLowAlarm = 600;
    s.rpmLowAlarmOn = 0;
    s.rpmHighAlarm = 5000;
    s.rpmHighAlarmOn = 1;
    s.pulsesPerRev = 60;
    s.pulseMode = PulseModeGate;
    s.rpmFilter = 0;
    EraseFlightLog();
    ResetMaxValues();
}

void ClearPressureCalibration()
{
    state.settings.pressureCalOffset = 0;
    SaveSettings();
}

// The maxima restart from the present readings, not from zero.
void ResetMaxValues()
{
    state.pressureMax = state.pressureValue;
    state.rpmMax = state.rpmValue;
    SaveMaxValues();
}
