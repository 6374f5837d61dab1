#include "support/frame_dots.h"

#include <cstring>

#include "instrument/state.h"

Frame CurrentFrame()
{
    Frame frame;
    memcpy(frame.bytes, state.lcdFrame, sizeof frame.bytes);
    return frame;
}

bool DotAt(const uint8_t *frame, int x, int y)
{
    if (x < 0 || x >= 128 || y < 0 || y >= 64)
        return false;
    return (frame[(y / 8) * 128 + x] >> (y % 8)) & 1;
}

bool DotAt(int x, int y) { return DotAt(state.lcdFrame, x, y); }

void SetDot(Frame &frame, int x, int y, bool dark)
{
    if (x < 0 || x >= 128 || y < 0 || y >= 64)
        return;
    uint8_t &column = frame.bytes[(y / 8) * 128 + x];
    uint8_t bit = (uint8_t)(1u << (y % 8));
    column = dark ? (uint8_t)(column | bit) : (uint8_t)(column & ~bit);
}

int CountDots(const uint8_t *frame, int x0, int y0, int x1, int y1)
{
    int n = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            n += DotAt(frame, x, y);
    return n;
}

int CountDots(const uint8_t *frame) { return CountDots(frame, 0, 0, 127, 63); }

Dots DarkDots(const uint8_t *frame)
{
    Dots dots;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 128; ++x)
            if (DotAt(frame, x, y))
                dots.insert({x, y});
    return dots;
}
