// Manifold pressure: sensor reading, filter, millibar, unit, maximum, alarm.
#pragma once
#include <cstdint>

// The sensor and its converter. Sums (counts plus the calibration offset)
// below SensorCutOff mean the sensor is missing or below its range. The
// sensor's zero lies below its output range: counts + SensorZeroOffset is
// the pressure in units of 100 / SensorCountsPerHundredMillibar millibar,
// truncated to whole millibar.
constexpr int32_t SensorCutOff = 168;
constexpr int32_t SensorZeroOffset = 180;
constexpr int32_t SensorCountsPerHundredMillibar = 163;

int32_t ReadPressureAdc();
int32_t ConvertPressureUnit(int32_t millibar);
void UpdatePressure();
// The pressure alarm condition: the low alarm on and the reading below it, or
// the high alarm on and the reading above it (signed, in the display unit).
bool PressureAlarmCondition();
