// Constant bitmaps of the numerals and icons, assembled at compile time from
// the pictures in their table files.
//
// DigitsLarge: one strip 180 columns wide and 24 rows (3 pages) tall; the
//   byte of page p and strip column c is at p * 180 + c, bit b is row 8p + b.
//   Digit d occupies strip columns 18d..18d+17, its dots within columns 1-16
//   and rows 0-22 of the cell so adjacent digits stay apart.
// DigitsHuge: 13 slots of 22 x 32 dots, 88 bytes each, indexed by character
//   code - 45: a blank slot, a plus sign, a minus sign, then the digits 0-9.
//   Within a slot the byte of page p and column c is at p * 22 + c. Digits
//   lie in columns 0-20 and rows 0-29.
// IconSheetA, IconSheetB: 128 x 64 pictures in the frame buffer's layout,
//   each cut into eight 32 x 32 icons, four across the upper half (pages 0-3)
//   and four across the lower half (pages 4-7).
//
// The tables are std::array because a plain array cannot be initialised from
// the result of a compile-time function; they index like arrays and their
// sizes are the byte counts above.
#pragma once
#include <array>
#include <cstdint>

#include "lcd/frame_layout.h"

extern const std::array<uint8_t, 540> DigitsLarge;
extern const std::array<uint8_t, 13 * 88> DigitsHuge;
extern const std::array<uint8_t, LcdFrameBytes> IconSheetA;
extern const std::array<uint8_t, LcdFrameBytes> IconSheetB;
