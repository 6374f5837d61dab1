// Manifold pressure: sensor reading, filter, millibar, unit, maximum, alarm.
#pragma once
#include <cstdint>

int32_t ReadPressureAdc();
int32_t ConvertPressureUnit(int32_t millibar);
void UpdatePressure();
