#include "lcd/text.h"

#include "lcd/fonts.h"
#include "lcd/frame_columns.h"
#include "lcd/text_report.h"

void CopyConstantText(char (&out)[TextBufferSize], const char *text)
{
    int n = 0;
    while (n < TextBufferSize - 1 && text[n] != '\0') {
        out[n] = text[n];
        ++n;
    }
    out[n] = '\0';
}

uint8_t TextLength(const char *text)
{
    uint32_t n = 0;
    while (text[n] != '\0')
        ++n;
    return (uint8_t)n;
}

// Every glyph is drawn as whole columns merged into the frame's bytes
// (lcd/frame_columns.h): the same dots as setting them one by one, which
// lcd/dot_by_dot.cpp still does for the tests to compare with.

// Codes outside a font's range draw as a blank cell and never index past the
// table.
static const uint8_t BlankGlyph[8] = {};

static const uint8_t *Font8x8Glyph(uint8_t code)
{
    if (code < Font8x8First || code > Font8x8Last)
        return BlankGlyph;
    return &Font8x8[(code - Font8x8First) * 8];
}

static const uint8_t *Font5x7Glyph(uint8_t code)
{
    if (code < Font5x7First || code > Font5x7Last)
        return BlankGlyph;
    return &Font5x7[(code - Font5x7First) * 5];
}

// Each row doubled: bit k of the glyph column becomes bits 2k and 2k + 1.
static uint32_t DoubledRows(uint32_t bits)
{
    bits = (bits | bits << 4) & 0x0F0Fu;
    bits = (bits | bits << 2) & 0x3333u;
    bits = (bits | bits << 1) & 0x5555u;
    return bits | bits << 1;
}

// The rows upside down: bit k becomes bit 7 - k.
static uint32_t ReversedRows(uint32_t bits)
{
    bits = (bits & 0xF0u) >> 4 | (bits & 0x0Fu) << 4;
    bits = (bits & 0xCCu) >> 2 | (bits & 0x33u) << 2;
    return (bits & 0xAAu) >> 1 | (bits & 0x55u) << 1;
}

// The rows 0-3 (half 0) or 4-7 (half 1) of eight glyph columns, each row
// doubled: bit k of a column's half becomes bits 2k and 2k + 1 of its byte.
static uint64_t DoubledHalf(uint64_t columns, int half)
{
    uint64_t bits = (columns >> (4 * half)) & EachColumn * 0x0Fu;
    bits = (bits | bits << 2) & EachColumn * 0x33u;
    bits = (bits | bits << 1) & EachColumn * 0x55u;
    return bits | bits << 1;
}

// Normal video is transparent (only glyph dots are set); inverse video writes
// the whole cell, clearing glyph dots and setting the rest. Double height
// draws each glyph row as two frame rows. A cell wholly on the frame is
// merged eight columns at a time, one cut by the right edge column by column.
void LcdDrawText(uint8_t x, uint8_t y, char *text, uint8_t doubleHeight, uint8_t, uint8_t inverse)
{
    ReportTextDrawn(x, y, text);
    bool tall = doubleHeight == 1;
    bool dark = inverse == 1;
    uint32_t cell = tall ? 0xFFFFu : 0xFFu;
    ColumnPlace place = PlaceColumn(y, tall ? 16 : 8);
    if (place.firstPage > place.lastPage)
        return;
    for (const char *p = text; *p != '\0'; ++p) {
        const uint8_t *glyph = Font8x8Glyph((uint8_t)*p);
        if (x <= LcdWidth - 8) {
            uint64_t columns;
            memcpy(&columns, glyph, sizeof columns);
            for (int band = 0; band < (tall ? 2 : 1); ++band) {
                uint64_t bits = tall ? DoubledHalf(columns, band) : columns;
                WriteEightColumns(x, place.top + 8 * band, dark ? ~bits : bits, dark ? bits : 0);
            }
            x = (uint8_t)(x + 8);
            continue;
        }
        for (uint8_t column = 0; column < 8; ++column, ++x) {
            uint32_t bits = tall ? DoubledRows(glyph[column]) : glyph[column];
            if (dark)
                WriteColumn(x, place, cell & ~bits, bits);
            else
                WriteColumn(x, place, bits, 0);
        }
    }
}

void LcdDrawText(uint8_t x, uint8_t y, const char *text, uint8_t doubleHeight, uint8_t unused,
                 uint8_t inverse)
{
    char copy[TextBufferSize];
    CopyConstantText(copy, text);
    LcdDrawText(x, y, copy, doubleHeight, unused, inverse);
}

// The start may wrap below 0 to 255..128: those characters fall off the left
// edge and the rest continue from x = 0 as x wraps back.
void LcdDrawTextCentered(uint8_t x, uint8_t y, char *text, uint8_t doubleHeight, uint8_t unused,
                         uint8_t inverse)
{
    LcdDrawText((uint8_t)(x - 4 * TextLength(text)), y, text, doubleHeight, unused, inverse);
}

void LcdDrawTextCentered(uint8_t x, uint8_t y, const char *text, uint8_t doubleHeight, uint8_t unused,
                         uint8_t inverse)
{
    char copy[TextBufferSize];
    CopyConstantText(copy, text);
    LcdDrawTextCentered(x, y, copy, doubleHeight, unused, inverse);
}

// A 6 x 8 cell per character: five glyph columns and a blank sixth. The
// cell's top row (bit 7, always clear in the font) lands on y - 1, so the
// glyph's own rows cover y..y+6. A highlighted cell sets its background dots,
// leaving the glyph light in a dark box. A cell is merged as one, or column
// by column where the right edge cuts it.
void LcdDrawSmallText(uint8_t x, uint8_t y, char *text, uint8_t highlightFrom)
{
    ReportTextDrawn(x, y, text);
    ColumnPlace place = PlaceColumn((uint8_t)(y - 1), 8);
    if (place.firstPage > place.lastPage)
        return;
    bool highlight = false;
    for (uint32_t i = 0; text[i] != '\0'; ++i) {
        if (i == highlightFrom)
            highlight = true;
        const uint8_t *glyph = Font5x7Glyph((uint8_t)text[i]);
        uint64_t set = 0;
        for (int column = 0; column < 6; ++column) {
            uint32_t rows = column < 5 ? ReversedRows(glyph[column]) : 0;
            set |= (uint64_t)(highlight ? ~rows & 0xFFu : rows) << (8 * column);
        }
        if (x <= LcdWidth - 8)
            WriteEightColumns(x, place.top, set, 0);
        else
            for (int column = 0; column < 6; ++column)
                WriteColumn((uint8_t)(x + column), place, (uint8_t)(set >> (8 * column)), 0);
        x = (uint8_t)(x + 6);
    }
}

void LcdDrawSmallText(uint8_t x, uint8_t y, const char *text, uint8_t highlightFrom)
{
    char copy[TextBufferSize];
    CopyConstantText(copy, text);
    LcdDrawSmallText(x, y, copy, highlightFrom);
}

void LcdDrawSmallTextCentered(uint8_t x, uint8_t y, char *text, uint8_t highlightFrom)
{
    LcdDrawSmallText((uint8_t)(x - 3 * TextLength(text)), y, text, highlightFrom);
}

void LcdDrawSmallTextCentered(uint8_t x, uint8_t y, const char *text, uint8_t highlightFrom)
{
    char copy[TextBufferSize];
    CopyConstantText(copy, text);
    LcdDrawSmallTextCentered(x, y, copy, highlightFrom);
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
// whatever lay beneath it. Rows run from bit 5 at y - 1 to bit 1 at y + 3. A
// cell wholly on the frame is merged at once, one cut by the right edge
// column by column.
void LcdDrawTinyText(uint8_t x, uint8_t y, const char *text, uint8_t inverse)
{
    ReportTextDrawn(x, y, text);
    ColumnPlace place = PlaceColumn((uint8_t)(y - 1), 5);
    if (place.firstPage > place.lastPage)
        return;
    uint32_t flip = inverse != 0 ? 0x1Fu : 0;
    for (const char *p = text; *p != '\0'; ++p) {
        TinyGlyph glyph = TinyGlyphFor(*p);
        uint64_t set = 0, clear = 0;
        for (uint8_t column = 0; column < glyph.advance; ++column) {
            bool blank = column == glyph.advance - 1 || glyph.start == TinyGlyphBlank.start;
            uint32_t rows = (blank ? 0 : ReversedRows(FontTiny[glyph.start + column]) >> 2 & 0x1Fu) ^ flip;
            set |= (uint64_t)rows << (8 * column);
            clear |= (uint64_t)(~rows & 0x1Fu) << (8 * column);
        }
        if (x <= LcdWidth - 8)
            WriteEightColumns(x, place.top, set, clear);
        else
            for (uint8_t column = 0; column < glyph.advance; ++column)
                WriteColumn((uint8_t)(x + column), place, (uint8_t)(set >> (8 * column)),
                            (uint8_t)(clear >> (8 * column)));
        x = (uint8_t)(x + glyph.advance);
    }
}
