// The sensors' model: the inputs that the instrument reads as a given
// pressure or engine speed, its own arithmetic (pressure.h, rpm.h) inverted.
// Engine data from outside moves the inputs through it as the sensors would.
#pragma once
#include <cstdint>

// The range of both inputs: the pressure converter's counts and the pulse
// input (pulses of a gate, or the period in TimerCountsPerPulseInput).
constexpr int32_t SensorCountMin = 0;
constexpr int32_t SensorCountMax = 4096;

// The results are held to SensorCountMin..SensorCountMax; *clamped says when
// the count asked for lay beyond them.

// The largest pressure count that the pressure update reads as m millibar
// (the pressure rounded to whole millibar) with no calibration offset, so
// that a filter settling one count low from below still reads m where it
// can: the count whose SensorZeroOffset-shifted value v is the largest with
// v x 100 / SensorCountsPerHundredMillibar = m.
int32_t PressureCountFor(double millibar, bool *clamped);

// The pulse input that the present settings read as the speed nearest to
// rpm; of two equally near, the one reading higher. In the gate mode it is
// the pulses of one half-second gate, in the time mode the period. Speeds
// faster than a period of 1 shows read as 1, not clamped; settings that read
// no speed at all (pulsesPerRev of 0, or below) give 0.
int32_t PulseCountFor(double rpm, bool *clamped);
