// Manifold pressure: sensor reading, filter, millibar, unit, maximum, alarm.
#pragma once
#include <cstdint>

int32_t ReadPressureAdc();
int32_t ConvertPressureUnit(int32_t millibar);
void UpdatePressure();
// The pressure alarm condition: the low alarm on and the reading below it, or
// the high alarm on and the reading above it (signed, in the display unit).
bool PressureAlarmCondition();
