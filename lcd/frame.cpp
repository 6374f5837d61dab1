#include "lcd/frame.h"

#include <cstring>

#include "instrument/state.h"
#include "lcd/dot_by_dot.h"
#include "lcd/text_report.h"

void LcdClear()
{
    memset(state.lcdFrame, 0, sizeof state.lcdFrame);
    ReportFrameCleared();
}

uint8_t LcdGetPixel(uint8_t x, uint8_t y)
{
    if (x >= LcdWidth || y >= LcdHeight)
        return 0;
    return FrameDot(state.lcdFrame, x, y) ? 1 : 0;
}

void LcdSetPixel(uint8_t x, uint8_t y, uint8_t mode)
{
    if (x >= LcdWidth || y >= LcdHeight)
        return;
    uint8_t &byte = state.lcdFrame[FrameDotByte(x, y)];
    uint8_t mask = FrameDotMask(y);
    if (mode == PixelClear)
        byte &= (uint8_t)~mask;
    else if (mode == PixelSet)
        byte |= mask;
    else if (mode == PixelInvert) {
        if (LcdGetPixel(x, y))
            byte &= (uint8_t)~mask;
        else
            byte |= mask;
    }
}

// Applies a drawing mode to the dots of mask in the bytes first..last of a
// page: what LcdSetPixel does to each of those dots.
static void ApplyMode(uint8_t *page, int first, int last, uint8_t mask, uint8_t mode)
{
    if (mode == PixelClear)
        for (int x = first; x <= last; ++x)
            page[x] &= (uint8_t)~mask;
    else if (mode == PixelSet)
        for (int x = first; x <= last; ++x)
            page[x] |= mask;
    else if (mode == PixelInvert)
        for (int x = first; x <= last; ++x)
            page[x] ^= mask;
}

// Positions first..last.
struct Span {
    int first, last;
};

// The positions lo..hi (fewer than 256 of them) of a row or column wrap in 8
// bits: they are a..a + n - 1 modulo 256 with a = lo mod 256, at most two
// spans once wrapped. Returns how many spans lie below limit, cut there.
static int WrappedSpans(int64_t lo, int64_t hi, int limit, Span (&spans)[2])
{
    int64_t a = lo & 255, end = a + (hi - lo);
    int n = 0;
    auto add = [&](int64_t first, int64_t last) {
        if (last >= limit)
            last = limit - 1;
        if (first <= last)
            spans[n++] = {(int)first, (int)last};
    };
    add(a, end < 255 ? end : 255);
    if (end >= 256)
        add(0, end - 256);
    return n;
}

// The rows lo..hi of a column as a mask, bit y for row y.
static uint64_t WrappedRows(int64_t lo, int64_t hi)
{
    Span spans[2];
    uint64_t rows = 0;
    for (int i = WrappedSpans(lo, hi, LcdHeight, spans); i-- > 0;)
        rows |= (~0ull >> (63 - spans[i].last)) & (~0ull << spans[i].first);
    return rows;
}

// Columns first..last (on the frame) of the rows given by the bits of rows:
// one run of bytes in each page.
static void ColumnsRun(int first, int last, uint64_t rows, uint8_t mode)
{
    for (int p = 0; p < LcdHeight / 8; ++p)
        if (uint8_t mask = (uint8_t)(rows >> (8 * p)))
            ApplyMode(state.lcdFrame + p * LcdWidth, first, last, mask, mode);
}

// Row y, columns lo..hi: one bit in each of their bytes.
static void HorizontalRun(int64_t lo, int64_t hi, uint8_t y, uint8_t mode)
{
    if (y >= LcdHeight)
        return;
    Span spans[2];
    for (int i = WrappedSpans(lo, hi, LcdWidth, spans); i-- > 0;)
        ApplyMode(state.lcdFrame + FrameDotByte(0, y), spans[i].first, spans[i].last, FrameDotMask(y), mode);
}

// Bresenham walk from (x0, y0) to (x1, y1). Every point is plotted exactly
// once, so an inverting line toggles each of its dots once. The diagonal step
// is taken only while the error is strictly positive, which fixes which of two
// equally near dots a line uses (and makes a reversed line differ from the
// forward one).
//
// A row or a column of dots, the lines that bars, rules and frames are made
// of, is set a byte at a time instead: it has the same dots.
void LcdDrawLine(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint8_t mode)
{
    int64_t left = x0 < x1 ? x0 : x1, right = x0 < x1 ? x1 : x0;
    int64_t top = y0 < y1 ? y0 : y1, bottom = y0 < y1 ? y1 : y0;
    if (y0 == y1 && right - left < 256)
        return HorizontalRun(left, right, (uint8_t)y0, mode);
    if (x0 == x1 && bottom - top < 256) {
        if ((uint8_t)x0 < LcdWidth)
            ColumnsRun((uint8_t)x0, (uint8_t)x0, WrappedRows(top, bottom), mode);
        return;
    }
    // Any other line steps dot by dot, exactly as the reference drawing does.
    dot_by_dot::LcdDrawLine(x0, y0, x1, y1, mode);
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

// Columns x0..x1 inclusive, each the vertical line from y0 to y1, as the
// loop with an 8-bit counter that drew them did: x1 = 255 draws up to column
// 255 (off-screen) and x0 > x1 draws nothing. Only columns below 128 show.
void LcdFillRect(uint8_t x0, uint8_t y0, uint8_t x1, uint8_t y1, uint8_t mode)
{
    if (x0 > x1 || x0 >= LcdWidth)
        return;
    ColumnsRun(x0, x1 < LcdWidth ? x1 : LcdWidth - 1, WrappedRows(y0 < y1 ? y0 : y1, y0 < y1 ? y1 : y0),
               mode);
}
