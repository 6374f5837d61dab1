// Runs screen handlers pass by pass as the main cycle does, without a window.
#pragma once
#include <cstdint>

#include "instrument/state.h"

// Zeroed record with the default settings, screen active on cursor 0,
// browsing, hook counts at 0.
void StartOnScreen(ScreenHandler screen);

// One pass of the active screen on a cleared frame, with key waiting.
void Press(uint8_t key);
// The same key count times, one pass each.
void PressTimes(uint8_t key, int count);
// One pass without a key.
void Idle();
