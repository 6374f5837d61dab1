#include "lcd/dot_by_dot.h"

#include "lcd/bitmaps.h"
#include "lcd/fonts.h"
#include "lcd/frame.h"

namespace dot_by_dot {

// Bresenham walk from (x0, y0) to (x1, y1). Every point is plotted exactly
// once, so an inverting line toggles each of its dots once. The diagonal step
// is taken only while the error is strictly positive, which fixes which of two
// equally near dots a line uses (and makes a reversed line differ from the
// forward one).
void LcdDrawLine(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint8_t mode)
{
    int32_t dx = x1 > x0 ? x1 - x0 : x0 - x1;
    int32_t dy = y1 > y0 ? y1 - y0 : y0 - y1;
    int32_t sx = x0 > x1 ? -1 : 1;
    int32_t sy = y0 > y1 ? -1 : 1;
    int32_t x = x0, y = y0;
    if (dx >= dy) {
        int32_t a = 2 * dy, b = 2 * dy - 2 * dx, e = 2 * dy - dx;
        for (int32_t i = 0; i <= dx; ++i) {
            LcdSetPixel((uint8_t)x, (uint8_t)y, mode);
            if (e > 0) {
                x += sx;
                y += sy;
                e += b;
            } else {
                x += sx;
                e += a;
            }
        }
    } else {
        int32_t a = 2 * dx, b = 2 * dx - 2 * dy, e = 2 * dx - dy;
        for (int32_t i = 0; i <= dy; ++i) {
            LcdSetPixel((uint8_t)x, (uint8_t)y, mode);
            if (e > 0) {
                x += sx;
                y += sy;
                e += b;
            } else {
                y += sy;
                e += a;
            }
        }
    }
}

// Left, top, right, bottom: each corner is plotted twice, so an inverted
// outline leaves its corners as they were.
void LcdDrawRect(uint8_t x0, uint8_t y0, uint8_t x1, uint8_t y1, uint8_t mode)
{
    LcdDrawLine(x0, y0, x0, y1, mode);
    LcdDrawLine(x0, y0, x1, y0, mode);
    LcdDrawLine(x1, y0, x1, y1, mode);
    LcdDrawLine(x0, y1, x1, y1, mode);
}

// Columns x0..x1 inclusive with an 8-bit counter. The loop ends on reaching
// x1 rather than on passing it, so x1 = 255 (which the counter can never
// exceed) still terminates, after column 255 (off-screen) is drawn.
void LcdFillRect(uint8_t x0, uint8_t y0, uint8_t x1, uint8_t y1, uint8_t mode)
{
    if (x0 > x1)
        return;
    for (uint8_t x = x0;; ++x) {
        LcdDrawLine(x, y0, x, y1, mode);
        if (x == x1)
            break;
    }
}

// Codes outside a font's range draw as a blank cell and never index past the
// table.
static uint8_t Font8x8Column(uint8_t code, uint8_t column)
{
    if (code < Font8x8First || code > Font8x8Last)
        return 0;
    return Font8x8[(uint8_t)(code - Font8x8First) * 8 + column];
}

static uint8_t Font5x7Column(uint8_t code, uint8_t column)
{
    if (code < Font5x7First || code > Font5x7Last)
        return 0;
    return Font5x7[(uint8_t)(code - Font5x7First) * 5 + column];
}

// Normal video is transparent (only glyph dots are set); inverse video writes
// the whole cell, clearing glyph dots and setting the rest.
void LcdDrawText(uint8_t x, uint8_t y, const char *text, uint8_t doubleHeight, uint8_t inverse)
{
    bool tall = doubleHeight == 1;
    bool dark = inverse == 1;
    for (const char *p = text; *p != '\0'; ++p) {
        for (uint8_t column = 0; column < 8; ++column, ++x) {
            uint8_t bits = Font8x8Column((uint8_t)*p, column);
            for (uint8_t row = 0; row < 8; ++row) {
                bool dot = (bits >> row) & 1;
                if (!dot && !dark)
                    continue;
                uint8_t mode = dot && dark ? PixelClear : PixelSet;
                if (tall) {
                    LcdSetPixel(x, (uint8_t)(y + 2 * row), mode);
                    LcdSetPixel(x, (uint8_t)(y + 2 * row + 1), mode);
                } else {
                    LcdSetPixel(x, (uint8_t)(y + row), mode);
                }
            }
        }
    }
}

// A 6 x 8 cell per character: five glyph columns and a blank sixth. The
// cell's top row (bit 7, always clear in the font) lands on y - 1, so the
// glyph's own rows cover y..y+6. A highlighted cell sets its background dots,
// leaving the glyph light in a dark box.
void LcdDrawSmallText(uint8_t x, uint8_t y, const char *text, uint8_t highlightFrom)
{
    bool highlight = false;
    for (uint32_t i = 0; text[i] != '\0'; ++i) {
        if (i == highlightFrom)
            highlight = true;
        for (uint8_t column = 0; column < 6; ++column, ++x) {
            uint8_t bits = column < 5 ? Font5x7Column((uint8_t)text[i], column) : 0;
            for (uint8_t k = 0; k < 8; ++k) {
                bool dot = (bits >> (7 - k)) & 1;
                if (dot != highlight)
                    LcdSetPixel(x, (uint8_t)(y + k - 1), PixelSet);
            }
        }
    }
}

// Digits, ':' and ';' by position; the six letters and the point by name. Any
// other character is an opaque blank cell of the digits' width.
static TinyGlyph TinyGlyphFor(char c)
{
    if (c >= '0' && c <= ';')
        return {(uint8_t)(FontTinyDigitsStart + (c - '0') * 3), 4};
    switch (c) {
    case 'm':
        return TinyGlyphM;
    case 'K':
        return TinyGlyphK;
    case 'M':
        return TinyGlyphBigM;
    case 'N':
        return TinyGlyphN;
    case 't':
        return TinyGlyphT;
    case '.':
        return TinyGlyphPoint;
    default:
        return TinyGlyphBlank;
    }
}

// Opaque: every dot of the advance x 5 cell is written, so a label covers
// whatever lay beneath it. Rows run from bit 5 at y - 1 to bit 1 at y + 3.
void LcdDrawTinyText(uint8_t x, uint8_t y, const char *text, uint8_t inverse)
{
    uint8_t dark = inverse != 0 ? PixelClear : PixelSet;
    uint8_t light = inverse != 0 ? PixelSet : PixelClear;
    for (const char *p = text; *p != '\0'; ++p) {
        TinyGlyph glyph = TinyGlyphFor(*p);
        for (uint8_t column = 0; column < glyph.advance; ++column, ++x) {
            bool blank = column == glyph.advance - 1 || glyph.start == TinyGlyphBlank.start;
            uint8_t bits = blank ? 0 : FontTiny[glyph.start + column];
            for (uint8_t bit = 5; bit >= 1; --bit)
                LcdSetPixel(x, (uint8_t)(y + 4 - bit), ((bits >> bit) & 1) ? dark : light);
        }
    }
}

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
// page row of the table. Positions wrap in 8 bits like every coordinate.
void SetPagedDots(uint8_t x, uint8_t y, const uint8_t *bits, int width, int pages, int stride)
{
    for (int p = 0; p < pages; ++p)
        for (int c = 0; c < width; ++c) {
            const uint8_t column = bits[p * stride + c];
            for (int b = 0; b < 8; ++b)
                if (column & (1u << b))
                    LcdSetPixel(uint8_t(x + c), uint8_t(y + 8 * p + b), PixelSet);
        }
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

} // namespace dot_by_dot
