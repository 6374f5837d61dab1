// A pressure value (in steps of the selected unit) as text with the unit's
// decimals. out is the caller's 32-byte buffer.
#pragma once
#include <cstdint>

void FormatPressure(char *out, int32_t value);     // no leading spaces
void FormatPressureWide(char *out, int32_t value); // right-aligned in 4 characters
