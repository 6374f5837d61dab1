// Reads PNG files written by the simulator back in, to check their size and
// pixels.
#pragma once
#include <string>

#include "host/toolkit.h"

// The picture as RGB; width 0 when the file is missing or not a PNG.
TPicture ReadPng(const std::string &path);

inline TColor PixelOf(const TPicture &picture, int x, int y)
{
    const uint8_t *p = &picture.rgb[((size_t)y * picture.width + x) * 3];
    return {p[0], p[1], p[2]};
}
