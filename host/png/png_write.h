// Writes PNG pictures: RGB pixels, and 128 x 64 frames (lcdFrame layout) with
// each dot drawn as a square of pixels in two colours.
#pragma once
#include <cstdint>
#include <string>

#include "lcd/frame_layout.h"

struct PngColour {
    uint8_t r, g, b;
};

// width x height pixels, 3 bytes each, row by row. Returns true when the
// file was written; otherwise removes what was written and, when error is
// given, stores the reason there ("Permission denied").
bool WriteRgbPng(const char *path, int width, int height, const uint8_t *rgb, std::string *error = nullptr);

// The frame with each dot scale x scale pixels: set dots dark, clear dots
// light.
bool WriteFramePng(const char *path, const uint8_t frame[LcdFrameBytes], int scale, PngColour dark,
                   PngColour light, std::string *error = nullptr);

// The frame for review: dark dots on the panel's light grey.
bool WriteLcdPng(const char *path, const uint8_t frame[LcdFrameBytes], int scale);
