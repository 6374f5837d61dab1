// The sixteen 32 x 32 icons, copied opaquely into columns 10-41.
#pragma once
#include <cstdint>

// Icon numbers of the pictures the screens show; 8, 9 and 12-15 are blank.
constexpr uint8_t IconFlightLog = 0;   // framed page with lines of writing
constexpr uint8_t IconExitMenu = 1;    // prohibition sign over short lines
constexpr uint8_t IconDisplay = 2;     // television set
constexpr uint8_t IconQuestion = 3;    // question mark in a ring, one page higher
constexpr uint8_t IconPressure = 4;    // two arrows pressing on a two-lobed shape
constexpr uint8_t IconExclamation = 5; // exclamation mark in a ring
constexpr uint8_t IconClock = 6;       // clock face
constexpr uint8_t IconRpm = 7;         // ring enclosing a circular arrow
constexpr uint8_t IconCalibrate = 10;  // spanner crossed with a screwdriver
constexpr uint8_t IconAdcValues = 11;  // framed sine wave

void LcdDrawIcon(uint8_t icon);
