// Writing a column of up to 32 dots into the frame a byte at a time: the
// column is shifted to its row and merged into the one to five page bytes it
// covers, which sets the same dots as setting each dot through LcdSetPixel.
// Used by the text and numeral drawing.
#pragma once
#include <bit>
#include <cstdint>
#include <cstring>

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

// Eight neighbouring columns at once, one in each byte of a 64-bit word.
static_assert(std::endian::native == std::endian::little, "byte i of a word is column x + i");
constexpr uint64_t EachColumn = 0x0101010101010101u;

// Merges eight column bytes into the frame at page row `at`, x..x+7.
inline void MergeEightColumns(uint8_t *at, uint64_t set, uint64_t clear)
{
    uint64_t bytes;
    memcpy(&bytes, at, sizeof bytes);
    bytes = (bytes & ~clear) | set;
    memcpy(at, &bytes, sizeof bytes);
}

// An 8-row band of columns x..x+7, all on the frame, its top row at top
// (negative: above the frame): byte i of set and clear is column x + i, bit
// k row top + k, as in WriteColumn. Each byte is shifted within itself into
// the two pages the band straddles.
inline void WriteEightColumns(uint8_t x, int top, uint64_t set, uint64_t clear)
{
    if (top <= -8 || top >= LcdHeight)
        return;
    int page = top >> 3, shift = top & 7;
    // Offsets from the frame's first byte, never a pointer above it: a band
    // partly above the frame has page -1, whose row does not exist.
    if (page >= 0) {
        uint64_t kept = EachColumn * (uint8_t)(0xFFu << shift);
        MergeEightColumns(state.lcdFrame + page * LcdWidth + x, set << shift & kept, clear << shift & kept);
    }
    if (shift != 0 && page + 1 < LcdHeight / 8) {
        uint64_t kept = EachColumn * (0xFFu >> (8 - shift));
        MergeEightColumns(state.lcdFrame + (page + 1) * LcdWidth + x, set >> (8 - shift) & kept,
                          clear >> (8 - shift) & kept);
    }
}

// Sets the dark dots of `width` column bytes at x..x + width - 1, bit k of
// each row top + k; columns off the frame are left out. Eight columns wholly
// on the frame are merged at once.
inline void SetBandDots(uint8_t x, uint8_t top, const uint8_t *columns, int width)
{
    ColumnPlace place = PlaceColumn(top, 8);
    if (place.firstPage > place.lastPage)
        return;
    for (int c = 0; c < width; c += 8) {
        int n = width - c < 8 ? width - c : 8;
        uint8_t at = (uint8_t)(x + c);
        if (at <= LcdWidth - 8) {
            uint64_t bits = 0;
            if (n == 8)
                memcpy(&bits, columns + c, sizeof bits);
            else
                for (int i = 0; i < n; ++i)
                    bits |= (uint64_t)columns[c + i] << (8 * i);
            WriteEightColumns(at, place.top, bits, 0);
        } else
            for (int i = 0; i < n; ++i)
                WriteColumn((uint8_t)(at + i), place, columns[c + i], 0);
    }
}
