#include "instrument/hooks.h"

namespace {

struct Subscription {
    HookToken token; // NoHookToken: a free place
    HookListener listener;
};

// Each hook's listeners, in subscription order, packed at the front.
Subscription listeners[HookCount][HookListenerCapacity];
HookToken lastToken = NoHookToken;

const char *const hookNames[HookCount] = {
    "SaveSettings",  "SaveMaxValues", "SaveHobbs",    "SaveFlightLogEntry", "EraseFlightLog",
    "ApplyContrast", "BacklightOn",   "BacklightOff", "AlarmOutputOn",      "AlarmOutputOff",
};

bool TokenInUse(HookToken token)
{
    for (const auto &list : listeners)
        for (const Subscription &s : list)
            if (s.token == token)
                return true;
    return false;
}

// The next token after the last one that no subscription holds.
HookToken NewToken()
{
    do
        ++lastToken;
    while (lastToken == NoHookToken || TokenInUse(lastToken));
    return lastToken;
}

// Calls a copy of the list, so that a listener that subscribes or ends a
// subscription while it runs changes the next call, not this one.
void Run(HookId hook)
{
    Subscription now[HookListenerCapacity];
    for (int i = 0; i < HookListenerCapacity; ++i)
        now[i] = listeners[hook][i];
    for (const Subscription &s : now)
        if (s.token != NoHookToken)
            s.listener(hook);
}

} // namespace

HookToken SubscribeHook(HookId hook, HookListener listener)
{
    if (hook >= HookCount || !listener)
        return NoHookToken;
    for (Subscription &s : listeners[hook])
        if (s.token == NoHookToken) {
            s = {NewToken(), listener};
            return s.token;
        }
    return NoHookToken;
}

void UnsubscribeHook(HookToken token)
{
    if (token == NoHookToken)
        return;
    for (auto &list : listeners)
        for (int i = 0; i < HookListenerCapacity; ++i) {
            if (list[i].token != token)
                continue;
            // The later ones move up, keeping their order.
            for (int k = i; k + 1 < HookListenerCapacity; ++k)
                list[k] = list[k + 1];
            list[HookListenerCapacity - 1] = {NoHookToken, nullptr};
            return;
        }
}

void UnsubscribeAllHooks()
{
    for (auto &list : listeners)
        for (Subscription &s : list)
            s = {NoHookToken, nullptr};
}

int HookListenerCount(HookId hook)
{
    int count = 0;
    if (hook < HookCount)
        for (const Subscription &s : listeners[hook])
            count += s.token != NoHookToken;
    return count;
}

const char *HookName(HookId hook) { return hook < HookCount ? hookNames[hook] : ""; }

void SaveSettings() { Run(HookSaveSettings); }
void SaveMaxValues() { Run(HookSaveMaxValues); }
void SaveHobbs() { Run(HookSaveHobbs); }
void SaveFlightLogEntry() { Run(HookSaveFlightLogEntry); }
void EraseFlightLog() { Run(HookEraseFlightLog); }
void ApplyContrast() { Run(HookApplyContrast); }
void BacklightOn() { Run(HookBacklightOn); }
void BacklightOff() { Run(HookBacklightOff); }
void AlarmOutputOn() { Run(HookAlarmOutputOn); }
void AlarmOutputOff() { Run(HookAlarmOutputOff); }
