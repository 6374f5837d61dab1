#include "lcd/text_report.h"

static TextDrawnHandler registeredHandler = nullptr;

void SetTextDrawnHandler(TextDrawnHandler handler) { registeredHandler = handler; }

void ReportTextDrawn(uint8_t x, uint8_t y, const char *text)
{
    if (registeredHandler)
        registeredHandler(x, y, text);
}

void ReportFrameCleared()
{
    if (registeredHandler)
        registeredHandler(0, 0, nullptr);
}
