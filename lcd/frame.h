// The 128 x 64 frame buffer (state.lcdFrame) and the primitives under all
// drawing.
//
// Layout: 8 pages of 128 column bytes. Page p holds rows 8p..8p+7; the byte
// of pixel (x, y) is lcdFrame[(y / 8) * 128 + x] and the pixel is its bit
// (y % 8), bit 0 at the top. A set bit is a dark dot.
//
//            x=0   x=1         x=127
//   page 0  [b0 ] [b0 ]  ...  [b0 ]   y=0
//           [ .. ] [ ..]       [ ..]
//           [b7 ] [b7 ]  ...  [b7 ]   y=7
//   page 1  [b0 ] ...                 y=8   (byte 128 + x)
//   ...
//   page 7  [b7 ] ...                 y=63  (byte 896 + x)
//
// Coordinates are unsigned 8-bit and wrap modulo 256; only LcdSetPixel
// clips, so x >= 128 or y >= 64 (including -1..-128 wrapped) is off-screen.
#pragma once
#include <cstdint>

constexpr uint8_t PixelClear = 0;
constexpr uint8_t PixelSet = 1;
constexpr uint8_t PixelInvert = 2;

constexpr int LcdWidth = 128;
constexpr int LcdHeight = 64;

void LcdClear();
uint8_t LcdGetPixel(uint8_t x, uint8_t y);
void LcdSetPixel(uint8_t x, uint8_t y, uint8_t mode);
void LcdDrawLine(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint8_t mode);
void LcdDrawRect(uint8_t x0, uint8_t y0, uint8_t x1, uint8_t y1, uint8_t mode);
void LcdFillRect(uint8_t x0, uint8_t y0, uint8_t x1, uint8_t y1, uint8_t mode);
