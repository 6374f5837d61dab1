// Writes a 128 x 64 frame (lcdFrame layout) as a PNG in the display's look:
// dark dots on the panel's light grey, each dot scale x scale pixels.
#pragma once
#include <cstdint>

// Returns true when the file was written.
bool WriteLcdPng(const char *path, const uint8_t frame[1024], int scale);
