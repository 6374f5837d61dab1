// Operations that drive hardware or the non-volatile store on the instrument.
// The instrument itself needs no effect of theirs: each counts its calls and
// then calls the handler registered for it, if any, so that host code (the
// window's backlight, a store for engine time) and tests can act on them.
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

enum HookId : uint8_t {
    HookSaveSettings,
    HookSaveMaxValues,
    HookSaveHobbs,
    HookSaveFlightLogEntry,
    HookEraseFlightLog,
    HookApplyContrast,
    HookBacklightOn,
    HookBacklightOff,
    HookAlarmOutputOn,
    HookAlarmOutputOff,
    HookCount
};

// Called after the hook has counted the call; it sees the state as it is at
// that moment.
typedef void (*HookHandler)(HookId hook);
// nullptr: the hook only counts.
void SetHookHandler(HookId hook, HookHandler handler);
// The handler registered for the hook, or nullptr.
HookHandler HookHandlerOf(HookId hook);
// The hook's function name: "SaveSettings", ...; "" for HookCount and beyond.
const char *HookName(HookId hook);

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
