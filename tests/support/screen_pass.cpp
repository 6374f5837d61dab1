#include "support/screen_pass.h"

#include <cstring>

#include "instrument/hooks.h"
#include "instrument/settings.h"
#include "lcd/frame.h"
#include "support/frame_check.h"
#include "support/hook_counts.h"

void StartOnScreen(ScreenHandler screen)
{
    ResetInstrumentState();
    LoadDefaultSettings();
    hookCalls = HookCallCounts{};
    state.knobStep = 1;
    state.currentScreen = screen;
}

void Press(uint8_t key)
{
    state.pendingKey = key;
    Idle();
}

void PressTimes(uint8_t key, int count)
{
    for (int i = 0; i < count; ++i)
        Press(key);
}

void Idle()
{
    LcdClear();
    state.currentScreen();
}
