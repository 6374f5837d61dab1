// How a screen hands over: it takes the key waiting for it, and it names the
// screen that is drawn from the next pass on.
#pragma once
#include <cstdint>

#include "instrument/state.h"

// The key waiting for the active screen, which is consumed by taking it:
// pendingKey is KeyNone afterwards, whether or not the screen uses the key.
uint8_t TakePendingKey();

// The next pass draws next.
void GoToScreen(ScreenHandler next);

// Opens next on the list row (or entry, page, digit) cursor, browsing.
void OpenScreen(ScreenHandler next, uint8_t cursor);

// Moves the cursor of a list (menuCursor: row, entry or page) for a knob
// turn or F1/F2: clockwise and F2 one row down as far as last, anticlockwise
// and F1 one row up as far as 0; other keys leave it. A cursor beyond last
// (its list got shorter under it) only moves up.
void StepMenuCursor(uint8_t key, uint8_t last);

// Shows a message or code screen; a key there leads back to returnTo.
void ShowScreen(ScreenHandler next, ScreenHandler returnTo);
