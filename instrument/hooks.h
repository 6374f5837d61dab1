// Operations that drive hardware or the non-volatile store on the instrument.
// The instrument itself needs no effect of theirs: each calls the listeners
// subscribed to it, so that host code (the window's backlight, a store for
// engine time) and tests can act on them.
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

// Called when the hook runs; it sees the state as it is at that moment.
typedef void (*HookListener)(HookId hook);

// Each hook keeps its listeners in a list of fixed size, and calls them in
// the order they subscribed. Four are plenty: the window, the store, a tool
// and a test.
constexpr int HookListenerCapacity = 4;

// Names one subscription. Tokens are not reused until 65535 more
// subscriptions have been made, so a stale one does not end somebody
// else's.
typedef uint16_t HookToken;
constexpr HookToken NoHookToken = 0;

// Adds listener at the end of the hook's list. NoHookToken when the list is
// full or the hook does not exist: the caller tells its user.
HookToken SubscribeHook(HookId hook, HookListener listener);
// Ends one subscription, in any order; NoHookToken or a token already ended
// does nothing. A listener may end its own subscription while it is called.
void UnsubscribeHook(HookToken token);
// Ends every subscription of every hook (a fresh instrument).
void UnsubscribeAllHooks();
// How many listeners the hook has.
int HookListenerCount(HookId hook);

// The hook's function name: "SaveSettings", ...; "" for HookCount and beyond.
const char *HookName(HookId hook);
