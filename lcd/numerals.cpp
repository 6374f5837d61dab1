#include "lcd/numerals.h"

#include "lcd/bitmaps.h"
#include "lcd/frame.h"
#include "lcd/frame_columns.h"
#include "lcd/text_report.h"

namespace {

constexpr int LargeWidth = 18;
constexpr int LargePages = 3;
constexpr int LargeStripWidth = 10 * LargeWidth;
constexpr int HugeWidth = 22;
constexpr int HugePages = 4;
constexpr int HugeSlotBytes = HugeWidth * HugePages;
constexpr int HugeFirstCode = '-';

// Sets the dark dots of a paged bitmap at (x, y); background dots are left
// alone so numerals overlay whatever is drawn. stride is the width of one
// page row of the table. Positions wrap in 8 bits like every coordinate. Column
// bytes are merged into the frame whole (lcd/frame_columns.h).
void SetPagedDots(uint8_t x, uint8_t y, const uint8_t *bits, int width, int pages, int stride)
{
    for (int p = 0; p < pages; ++p)
        SetBandDots(x, uint8_t(y + 8 * p), &bits[p * stride], width);
}

// Horizontal bars, one line per row from row y0 to y1. Lines take the
// unwrapped ends: they reduce each plotted point to 8 bits themselves, so a
// bar that crosses x = 255 continues at x = 0 instead of running backwards.
void HorizontalBar(int x0, int x1, int y0, int y1)
{
    for (int y = y0; y <= y1; ++y)
        LcdDrawLine(x0, y, x1, y, PixelSet);
}

void VerticalBar(int x0, int x1, int y0, int y1)
{
    for (int x = x0; x <= x1; ++x)
        LcdDrawLine(x, y0, x, y1, PixelSet);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

void LcdDrawLargeNumber(uint8_t x, uint8_t y, const char *text)
{
    ReportTextDrawn(x, y, text);
    for (; *text != '\0'; ++text) {
        const char c = *text;
        if (c == '.') {
            // A rounded dot, narrower than a digit.
            VerticalBar(x + 3, x + 3, y + 20, y + 21);
            VerticalBar(x + 4, x + 5, y + 19, y + 22);
            VerticalBar(x + 6, x + 6, y + 20, y + 21);
            x += 12;
            continue;
        }
        if (c == '-')
            HorizontalBar(x + 4, x + 12, y + 9, y + 11);
        else if (IsDigit(c))
            SetPagedDots(x, y, &DigitsLarge[(c - '0') * LargeWidth], LargeWidth, LargePages, LargeStripWidth);
        // Space and any other character leave a digit-wide gap.
        x += LargeWidth;
    }
}

void LcdDrawHugeNumber(uint8_t x, uint8_t y, const char *text)
{
    ReportTextDrawn(x, y, text);
    for (; *text != '\0'; ++text) {
        const char c = *text;
        if (c == '+' || c == '-') {
            if (c == '+')
                VerticalBar(x + 4, x + 7, y + 9, y + 20);
            HorizontalBar(x, x + 11, y + 13, y + 16);
            x += 14;
        } else if (c == '.') {
            VerticalBar(x + 2, x + 2, y + 27, y + 28);
            VerticalBar(x + 3, x + 5, y + 26, y + 29);
            VerticalBar(x + 6, x + 6, y + 27, y + 28);
            x += 12;
        } else {
            if (IsDigit(c))
                SetPagedDots(x, y, &DigitsHuge[(c - HugeFirstCode) * HugeSlotBytes], HugeWidth, HugePages,
                             HugeWidth);
            // Space and any other character leave a digit-wide gap.
            x += HugeWidth;
        }
    }
}
