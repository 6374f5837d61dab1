// Engine values as the instrument's sensors would deliver them: the slider
// position that the instrument reads as a given pressure or speed, the
// instrument's own arithmetic inverted. Positions are clamped to the
// sliders' 0..4096, and *clamped says when that happened.
#pragma once
#include <cstdint>

// The largest sensor count that the pressure update reads as m millibar
// (the pressure rounded to whole millibar) with no calibration offset: floor(((m + 1) x 163 - 1) / 100) -
// 180, so that a filter settling one count low from below still reads m where it can.
int32_t PressureSliderFor(double millibar, bool *clamped);

// In the pulse-counting mode the pulses of one half-second gate at the
// present pulses per revolution, round(rpm x pulsesPerRev / 1200) with the
// setting in tenths; in the time-between-pulses mode the position whose
// reading is nearest.
int32_t SpeedSliderFor(double rpm, bool *clamped);
