// Writing a column of up to 32 dots into the frame a byte at a time: the
// column is shifted to its row and merged into the one to five page bytes it
// covers, which sets the same dots as setting each dot through LcdSetPixel.
// Used by the text and numeral drawing.
#pragma once
#include <cstdint>

#include "instrument/state.h"
#include "lcd/frame_layout.h"

// Where a column of dots lands: its top row (negative when the column starts
// above the frame) and the frame pages it touches. firstPage > lastPage when
// no dot of it is on the frame.
struct ColumnPlace {
    int top;
    int firstPage, lastPage;
};

// Rows wrap in 8 bits like every coordinate, so a column whose top is 192..255
// starts above the frame (-64..-1) and its lower rows may show at the top.
inline ColumnPlace PlaceColumn(uint8_t top, int height)
{
    int t = top < LcdHeight ? top : top - 256;
    int bottom = t + height - 1;
    if (bottom < 0)
        return {0, 1, 0};
    return {t, t < 0 ? 0 : t / 8, bottom >= LcdHeight ? LcdHeight / 8 - 1 : bottom / 8};
}

// Bit k of set (and of clear) stands for row top + k of column x: those dots
// become dark (light). Columns x >= 128 are off the frame.
inline void WriteColumn(uint8_t x, const ColumnPlace &place, uint32_t set, uint32_t clear)
{
    if (x >= LcdWidth)
        return;
    uint64_t s = place.top >= 0 ? (uint64_t)set << place.top : set >> -place.top;
    uint64_t c = place.top >= 0 ? (uint64_t)clear << place.top : clear >> -place.top;
    uint8_t *column = state.lcdFrame + x;
    for (int p = place.firstPage; p <= place.lastPage; ++p) {
        uint8_t &byte = column[p * LcdWidth];
        byte = (uint8_t)((byte & ~(uint8_t)(c >> (8 * p))) | (uint8_t)(s >> (8 * p)));
    }
}
