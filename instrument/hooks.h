// Operations that drive hardware or the non-volatile store on the instrument.
// In the simulator they have no effect on the instrument; each only counts its
// calls so that tests can see when the logic asked for it.
#pragma once
#include <cstdint>

void SaveSettings();
void SaveMaxValues();
void SaveHobbs();
void SaveFlightLogEntry();
void EraseFlightLog();
void ApplyContrast();
void BacklightOn();
void BacklightOff();
void AlarmOutputOn();
void AlarmOutputOff();

// Read only by tests; nothing in the instrument looks at these.
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

// Read only by tests: when set, every hook calls it after counting, with the
// hook's name, so a test can look at the state at the moment of the call.
extern void (*hookObserver)(const char *hookName);
