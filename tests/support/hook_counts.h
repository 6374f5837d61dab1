// How often each hook ran since the instrument was last made fresh: a
// listener that ResetInstrumentState subscribes to every hook.
#pragma once
#include <cstdint>

#include "instrument/hooks.h"

struct HookCallCounts {
    uint32_t saveSettings;
    uint32_t saveMaxValues;
    uint32_t saveHobbs;
    uint32_t saveFlightLogEntry;
    uint32_t eraseFlightLog;
    uint32_t applyContrast;
    uint32_t backlightOn;
    uint32_t backlightOff;
    uint32_t alarmOutputOn;
    uint32_t alarmOutputOff;
};
extern HookCallCounts hookCalls;

// Zeroes the counts and subscribes the counting listener to every hook.
void CountHookCalls();
