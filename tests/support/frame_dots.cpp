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
    if (x < 0 || x >= LcdWidth || y < 0 || y >= LcdHeight)
        return false;
    return FrameDot(frame, x, y);
}

bool DotAt(int x, int y) { return DotAt(state.lcdFrame, x, y); }

void SetDot(Frame &frame, int x, int y, bool dark)
{
    if (x < 0 || x >= LcdWidth || y < 0 || y >= LcdHeight)
        return;
    uint8_t &column = frame.bytes[FrameDotByte(x, y)];
    uint8_t bit = FrameDotMask(y);
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

int CountDots(const uint8_t *frame) { return CountDots(frame, 0, 0, LcdWidth - 1, LcdHeight - 1); }

Dots DarkDots(const uint8_t *frame)
{
    Dots dots;
    for (int y = 0; y < LcdHeight; ++y)
        for (int x = 0; x < LcdWidth; ++x)
            if (DotAt(frame, x, y))
                dots.insert({x, y});
    return dots;
}
