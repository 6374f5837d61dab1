// The 128 x 64 frame buffer (state.lcdFrame) and the primitives under all
// drawing. Its layout, with the address of a dot, is in lcd/frame_layout.h.
//
// Coordinates are unsigned 8-bit and wrap modulo 256; only LcdSetPixel
// clips, so x >= 128 or y >= 64 (including -1..-128 wrapped) is off-screen.
#pragma once
#include <cstdint>

#include "lcd/frame_layout.h"

constexpr uint8_t PixelClear = 0;
constexpr uint8_t PixelSet = 1;
constexpr uint8_t PixelInvert = 2;

void LcdClear();
uint8_t LcdGetPixel(uint8_t x, uint8_t y);
void LcdSetPixel(uint8_t x, uint8_t y, uint8_t mode);
void LcdDrawLine(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint8_t mode);
void LcdDrawRect(uint8_t x0, uint8_t y0, uint8_t x1, uint8_t y1, uint8_t mode);
void LcdFillRect(uint8_t x0, uint8_t y0, uint8_t x1, uint8_t y1, uint8_t mode);
