// Decodes a JPEG held in memory into RGB pixels with libjpeg. Any problem the
// codec reports, warnings included (a truncated file is only a warning to
// libjpeg, which pads the missing rows with grey), is a failure here.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

struct DecodedPicture {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb; // row by row, 3 bytes per pixel
};

// Throws std::runtime_error describing the fault.
DecodedPicture DecodeJpeg(const uint8_t *data, size_t size);
