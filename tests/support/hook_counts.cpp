#include "support/hook_counts.h"

#include <gtest/gtest.h>

HookCallCounts hookCalls;

static void Count(HookId hook)
{
    // In the order of HookId.
    uint32_t *const counters[HookCount] = {
        &hookCalls.saveSettings,       &hookCalls.saveMaxValues,  &hookCalls.saveHobbs,
        &hookCalls.saveFlightLogEntry, &hookCalls.eraseFlightLog, &hookCalls.applyContrast,
        &hookCalls.backlightOn,        &hookCalls.backlightOff,   &hookCalls.alarmOutputOn,
        &hookCalls.alarmOutputOff,
    };
    ++*counters[hook];
}

void CountHookCalls()
{
    hookCalls = HookCallCounts{};
    for (int hook = 0; hook < HookCount; ++hook)
        EXPECT_NE(SubscribeHook((HookId)hook, Count), NoHookToken) << HookName((HookId)hook);
}
