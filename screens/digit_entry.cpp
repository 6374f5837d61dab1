#include "screens/digit_entry.h"

#include <cstdio>

#include "instrument/state.h"
#include "lcd/text.h"
#include "screens/screen_flow.h"

static void DrawEntryDigits(const DigitEntry &entry)
{
    for (uint8_t i = 0; i < entry.count; ++i) {
        char text[TextBufferSize];
        snprintf(text, sizeof text, "%d", state.entryDigits[i]);
        LcdDrawText(entry.columns[i], entry.top, text, 1, 0, state.menuCursor == i ? 1 : 0);
    }
}

static uint8_t TopValue(const DigitEntry &entry, uint8_t digit)
{
    if (digit != entry.limitedDigit || entry.limit == nullptr)
        return 9;
    uint8_t limit = entry.limit();
    return limit < 9 ? limit : 9;
}

// Whatever a digit holds, the result is within 0 .. its top value going up
// and within 0..9 going down (a digit above its limit steps down towards it).
static void StepDigit(const DigitEntry &entry, bool up)
{
    uint8_t cursor = state.menuCursor;
    if (cursor >= entry.count)
        return;
    uint8_t &digit = state.entryDigits[cursor];
    uint8_t top = TopValue(entry, cursor);
    if (up)
        digit = digit < top ? (uint8_t)(digit + 1) : 0;
    else
        digit = digit == 0 || digit > 9 ? top : (uint8_t)(digit - 1);
    if (entry.changed)
        entry.changed();
}

static void HandleDigitKey(const DigitEntry &entry)
{
    switch (TakePendingKey()) {
    case KeyCentre:
        if (state.menuCursor + 1 < entry.count)
            ++state.menuCursor;
        else
            entry.commit();
        break;
    case KeyClockwise:
    case KeyLeft:
        StepDigit(entry, true);
        break;
    case KeyAntiClockwise:
    case KeyRight:
        StepDigit(entry, false);
        break;
    }
}

void RunDigitEntry(const DigitEntry &entry)
{
    DrawEntryDigits(entry);
    HandleDigitKey(entry);
}

uint32_t EntryValue(uint8_t first, uint8_t count)
{
    uint32_t value = 0;
    for (uint8_t i = 0; i < count; ++i)
        value = 10 * value + state.entryDigits[first + i];
    return value;
}

void LoadEntryDigits(uint8_t first, const char *text, uint8_t count)
{
    for (uint8_t i = 0; i < count; ++i)
        state.entryDigits[first + i] = (uint8_t)(text[i] - '0');
}

void ClearCodeDigits()
{
    for (uint8_t i = 0; i < 4; ++i)
        state.entryDigits[i] = 0;
}
