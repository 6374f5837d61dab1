// Reading the dots of a 128 x 64 frame (lcd/frame_layout.h) in tests,
// straight from the bytes so that the drawing code under test is not used to
// check itself.
#pragma once
#include <cstdint>
#include <set>
#include <utility>

#include "lcd/frame_layout.h"

// A copy of a frame, kept to compare or look at later.
struct Frame {
    uint8_t bytes[LcdFrameBytes];
    bool operator==(const Frame &) const = default;
};
// A copy of state.lcdFrame as it is now.
Frame CurrentFrame();

// True when dot (x, y) of frame is dark; false off the frame.
bool DotAt(const uint8_t *frame, int x, int y);
// The same for state.lcdFrame.
bool DotAt(int x, int y);

// Dark dots in the box from (x0, y0) to (x1, y1), corners included; dots off
// the frame count as light.
int CountDots(const uint8_t *frame, int x0, int y0, int x1, int y1);
// Dark dots in the whole frame.
int CountDots(const uint8_t *frame);

// The same for a kept frame.
inline bool DotAt(const Frame &frame, int x, int y) { return DotAt(frame.bytes, x, y); }
inline int CountDots(const Frame &frame, int x0, int y0, int x1, int y1)
{
    return CountDots(frame.bytes, x0, y0, x1, y1);
}

// Makes dot (x, y) of a kept frame dark or light; nothing off the frame.
void SetDot(Frame &frame, int x, int y, bool dark);

// Every dark dot of the frame as (x, y).
using Dot = std::pair<int, int>;
using Dots = std::set<Dot>;
Dots DarkDots(const uint8_t *frame);
