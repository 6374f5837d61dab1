#include "lcd/text.h"

#include "lcd/fonts.h"
#include "lcd/frame.h"
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
void LcdDrawText(uint8_t x, uint8_t y, char *text, uint8_t doubleHeight, uint8_t, uint8_t inverse)
{
    ReportTextDrawn(x, y, text);
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
// leaving the glyph light in a dark box.
void LcdDrawSmallText(uint8_t x, uint8_t y, char *text, uint8_t highlightFrom)
{
    ReportTextDrawn(x, y, text);
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
// whatever lay beneath it. Rows run from bit 5 at y - 1 to bit 1 at y + 3.
void LcdDrawTinyText(uint8_t x, uint8_t y, const char *text, uint8_t inverse)
{
    ReportTextDrawn(x, y, text);
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
