#include "instrument/hooks.h"

HookCallCounts hookCalls;

static HookHandler handlers[HookCount];

static const char *const hookNames[HookCount] = {
    "SaveSettings",  "SaveMaxValues", "SaveHobbs",    "SaveFlightLogEntry", "EraseFlightLog",
    "ApplyContrast", "BacklightOn",   "BacklightOff", "AlarmOutputOn",      "AlarmOutputOff",
};

void SetHookHandler(HookId hook, HookHandler handler)
{
    if (hook < HookCount)
        handlers[hook] = handler;
}

HookHandler HookHandlerOf(HookId hook) { return hook < HookCount ? handlers[hook] : nullptr; }

const char *HookName(HookId hook) { return hook < HookCount ? hookNames[hook] : ""; }

static void Run(HookId hook, uint32_t &calls)
{
    ++calls;
    if (handlers[hook])
        handlers[hook](hook);
}

void SaveSettings() { Run(HookSaveSettings, hookCalls.saveSettings); }
void SaveMaxValues() { Run(HookSaveMaxValues, hookCalls.saveMaxValues); }
void SaveHobbs() { Run(HookSaveHobbs, hookCalls.saveHobbs); }
void SaveFlightLogEntry() { Run(HookSaveFlightLogEntry, hookCalls.saveFlightLogEntry); }
void EraseFlightLog() { Run(HookEraseFlightLog, hookCalls.eraseFlightLog); }
void ApplyContrast() { Run(HookApplyContrast, hookCalls.applyContrast); }
void BacklightOn() { Run(HookBacklightOn, hookCalls.backlightOn); }
void BacklightOff() { Run(HookBacklightOff, hookCalls.backlightOff); }
void AlarmOutputOn() { Run(HookAlarmOutputOn, hookCalls.alarmOutputOn); }
void AlarmOutputOff() { Run(HookAlarmOutputOff, hookCalls.alarmOutputOff); }
