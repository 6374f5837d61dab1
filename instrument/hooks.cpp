#include "instrument/hooks.h"

HookCallCounts hookCalls;
void (*hookObserver)(const char *hookName);

static void Count(uint32_t &calls, const char *hookName)
{
    ++calls;
    if (hookObserver)
        hookObserver(hookName);
}

void SaveSettings() { Count(hookCalls.saveSettings, "SaveSettings"); }
void SaveMaxValues() { Count(hookCalls.saveMaxValues, "SaveMaxValues"); }
void SaveHobbs() { Count(hookCalls.saveHobbs, "SaveHobbs"); }
void SaveFlightLogEntry() { Count(hookCalls.saveFlightLogEntry, "SaveFlightLogEntry"); }
void EraseFlightLog() { Count(hookCalls.eraseFlightLog, "EraseFlightLog"); }
void ApplyContrast() { Count(hookCalls.applyContrast, "ApplyContrast"); }
void BacklightOn() { Count(hookCalls.backlightOn, "BacklightOn"); }
void BacklightOff() { Count(hookCalls.backlightOff, "BacklightOff"); }
void AlarmOutputOn() { Count(hookCalls.alarmOutputOn, "AlarmOutputOn"); }
void AlarmOutputOff() { Count(hookCalls.alarmOutputOff, "AlarmOutputOff"); }
