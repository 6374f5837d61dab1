// The texts of the run-mode screens: times, engine speed, the magneto-check
// drop, the maximum pressure and the unit label. Every out is the caller's
// 32-byte buffer.
#pragma once
#include <cstdint>

// Flight time "hh:mm", or "hh.mm" with hours shown as a decimal fraction.
void FormatFlightTime(char *out);
// Hobbs time "hhhh:mm", or "hhhh.mm".
void FormatHobbsTime(char *out);
// Engine speed right-aligned in five characters, in rpm or in percent of
// full scale.
void FormatRpmReading(char *out);
// Change of engine speed since the magneto check started, right-aligned in
// five characters. Returns 1 when a drop too large for five characters was
// written as its magnitude and the caller draws the minus sign separately.
uint8_t FormatMagCheckDrop(char *out);
// "MAX: " and the maximum pressure.
void FormatMaxText(char *out);

// Name of the selected pressure unit; empty for a unit outside the table.
const char *PressureUnitName();

// The unit name centred on centreX at row y. "kg/cm2" and "mmHg" are too wide
// for some places and are written on two lines, "kg/" over "cm2" and "mm"
// over "HG", at rows firstY and secondY.
void DrawUnitLabel(uint8_t centreX, uint8_t y, uint8_t firstY, uint8_t secondY, uint8_t doubleHeight);
