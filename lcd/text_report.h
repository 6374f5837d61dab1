// Tells an interested host which texts are drawn into the frame and where:
// the scenario runner checks them and the state view lists them. Nothing is
// reported while no handler is registered, which is the default.
#pragma once
#include <cstdint>

// Called with the text and the top-left corner of its first character (after
// centring) for every text and numeral string drawn; called with text null
// when the frame is cleared, so that what follows belongs to a new frame.
typedef void (*TextDrawnHandler)(uint8_t x, uint8_t y, const char *text);

// nullptr: nothing is reported.
void SetTextDrawnHandler(TextDrawnHandler handler);

// Used by the drawing operations.
void ReportTextDrawn(uint8_t x, uint8_t y, const char *text);
void ReportFrameCleared();
