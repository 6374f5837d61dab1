// The byte layout of a 128 x 64 frame (state.lcdFrame, and every copy of
// one: screenshots, reference pictures, icon sheets).
//
// 8 pages of 128 column bytes. Page p holds rows 8p..8p+7; the byte of dot
// (x, y) is frame[(y / 8) * 128 + x] and the dot is its bit (y % 8), bit 0 at
// the top. A set bit is a dark dot.
//
//            x=0   x=1         x=127
//   page 0  [b0 ] [b0 ]  ...  [b0 ]   y=0
//           [ .. ] [ ..]       [ ..]
//           [b7 ] [b7 ]  ...  [b7 ]   y=7
//   page 1  [b0 ] ...                 y=8   (byte 128 + x)
//   ...
//   page 7  [b7 ] ...                 y=63  (byte 896 + x)
//
// Only constants and the address of a dot: the state record includes this.
#pragma once
#include <cstdint>

constexpr int LcdWidth = 128;
constexpr int LcdHeight = 64;
constexpr int LcdFrameBytes = LcdWidth * LcdHeight / 8;

// The byte of dot (x, y); x and y must lie within the frame.
constexpr int FrameDotByte(int x, int y) { return (y / 8) * LcdWidth + x; }
// The bit of row y within its byte.
constexpr uint8_t FrameDotMask(int y) { return (uint8_t)(1u << (y % 8)); }

// True when dot (x, y), within the frame, is dark.
constexpr bool FrameDot(const uint8_t *frame, int x, int y)
{
    return (frame[FrameDotByte(x, y)] & FrameDotMask(y)) != 0;
}
// Makes dot (x, y), within the frame, dark.
constexpr void SetFrameDot(uint8_t *frame, int x, int y) { frame[FrameDotByte(x, y)] |= FrameDotMask(y); }
