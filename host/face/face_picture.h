// The picture of the instrument face, a JPEG built into the program from
// host/face/face.jpg (drawn by host/face/draw_face.py).
#pragma once
#include <cstddef>
#include <cstdint>

extern const uint8_t FacePictureJpeg[];
extern const size_t FacePictureJpegSize;
