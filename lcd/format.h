// A pressure value (in steps of the selected unit) as text with the unit's
// decimals. out is the caller's 32-byte buffer.
#pragma once
#include <cstdint>

void FormatPressure(char *out, int32_t value);     // no leading spaces
void FormatPressureWide(char *out, int32_t value); // right-aligned in 4 characters

// The number a count of tenths (decimals 1) or hundredths (2) stands for, as
// the texts print it: the count times 1/10 or 1/100 in extended precision,
// then rounded to double. Other decimals give the count itself.
double ScaledPressure(int32_t value, uint8_t decimals);
