#include "lcd/frame.h"

#include <cstring>

#include "instrument/state.h"
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
