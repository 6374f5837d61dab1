// Frames (lcdFrame layout, 128 x 64) as plain-text PBM (P1) pictures: the
// reference frames of tests and scenarios.
#pragma once
#include <cstdint>
#include <string>

#include "lcd/frame_layout.h"

// The frame as a P1 picture, one text row per dot row.
std::string FrameToPbm(const uint8_t frame[LcdFrameBytes]);

// Reads a 128 x 64 P1 picture into frame layout; false when the file is
// missing, unreadable or not such a picture.
bool ReadPbmFrame(const std::string &path, uint8_t frame[LcdFrameBytes]);

// Writes the frame; false (with the reason in *error when given) when the
// file cannot be written.
bool WritePbmFrame(const std::string &path, const uint8_t frame[LcdFrameBytes], std::string *error = nullptr);
