// Engine speed from the pulse input: raw reading, cap, averaging, maximum,
// alarm.
#pragma once
#include <cstdint>

// Values of pulseMode: pulses counted over a half-second gate ("PULSE"), or
// the time between pulses measured ("TIME").
constexpr uint8_t PulseModeGate = 0;
constexpr uint8_t PulseModeTime = 1;
// A gate's pulses x this / pulsesPerRev is the speed: 120 half-second gates
// a minute, times 10 because pulsesPerRev is in tenths.
constexpr uint32_t GatesPerMinuteTimesTen = 1200;
// In the time mode the period between pulses, in timer counts, is the pulse
// input times this.
constexpr uint32_t TimerCountsPerPulseInput = 20;

void UpdateRpmPeriodConstant();
// One measurement step: reads the pulse input, then RawRpmReading and
// ApplyRpmReading.
void UpdateRpm();

// The two halves of the step after the input has been read, usable on their
// own (tests drive them without a window).
// Speed in revolutions per minute from the gate count ("PULSE") or the time
// between pulses ("TIME"), before the cap.
uint32_t RawRpmReading();
// Caps and averages a raw reading into rpmValue, then maximum and alarm.
void ApplyRpmReading(uint32_t reading);

// The engine speed alarm condition: the low alarm on and the speed below it,
// or the high alarm on and the speed above it.
bool RpmAlarmCondition();
