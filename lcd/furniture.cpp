#include "lcd/furniture.h"

#include "instrument/state.h"
#include "lcd/frame.h"
#include "lcd/text.h"

uint8_t ListScrollOffset(uint8_t cursor) { return cursor >= 7 ? (uint8_t)(cursor - 6) : 0; }

// The title centred on x = 64, with a rule on row 4 on each side that reaches
// two dots into the title's first and last cells (their blanks).
void DrawTitle(const char *title)
{
    char copy[TextBufferSize];
    CopyConstantText(copy, title);
    uint8_t n = TextLength(copy);
    LcdDrawText((uint8_t)(64 - 4 * n), 0, copy, 0, 0, 0);
    // The rule ends are signed line coordinates: a title too long for the
    // row pulls its left rule back past x = 0 instead of wrapping.
    LcdDrawLine(0, 4, 66 - 4 * n, 4, PixelSet);
    LcdDrawLine(62 + 4 * n, 4, 127, 4, PixelSet);
}

// Rows that scroll above the list (y < 8) are kept out of the title row.
void DrawMenuText(uint8_t x, uint8_t y, char *text, uint8_t inverse)
{
    if (y >= 8)
        LcdDrawText(x, y, text, 0, 0, inverse);
}

// While browsing, the selected row shows label and value inverted; while
// editing, only the value, marking what the knob changes.
void DrawMenuRow(uint8_t valueOffset, uint8_t row, char *label, char *value)
{
    bool selected = (uint8_t)(state.menuCursor - ListScrollOffset(state.menuCursor)) == row;
    uint8_t y = (uint8_t)(8 * row + 8);
    DrawMenuText(0, y, label, selected && state.editMode == 0 ? 1 : 0);
    DrawMenuText((uint8_t)(8 * TextLength(label) + valueOffset), y, value, selected ? 1 : 0);
}

void DrawMenuRow(uint8_t valueOffset, uint8_t row, const char *label, char *value)
{
    char labelCopy[TextBufferSize];
    CopyConstantText(labelCopy, label);
    DrawMenuRow(valueOffset, row, labelCopy, value);
}

void DrawMenuRow(uint8_t valueOffset, uint8_t row, const char *label, const char *value)
{
    char labelCopy[TextBufferSize], valueCopy[TextBufferSize];
    CopyConstantText(labelCopy, label);
    CopyConstantText(valueCopy, value);
    DrawMenuRow(valueOffset, row, labelCopy, valueCopy);
}

// Track at x = 125 below the title row; a thumb five dots wide whose top
// follows position in steps of 560 / count tenths of a row.
void DrawScrollBar(uint8_t position, uint8_t count)
{
    if (count == 0) // no list to scroll; avoids dividing by zero
        return;
    uint32_t step = 560u / count;
    uint32_t top = (position * step + 80u) / 10u;
    uint32_t bottom = top + step / 10u;
    LcdDrawLine(125, 8, 125, 63, PixelSet);
    LcdFillRect(123, (uint8_t)top, 127, (uint8_t)bottom, PixelSet);
}
