// Engine speed from the pulse input: raw reading, cap, averaging, maximum,
// alarm.
#pragma once
#include <cstdint>

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
