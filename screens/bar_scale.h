// Where a pressure lands on the bar graphs. The scale arithmetic is kept
// apart from the drawing so that its rounding can be checked on its own:
// units per dot is rounded to single precision, the division is done in
// extended precision (a 64-bit significand, instrument/extended_precision.h)
// and positions are truncated toward zero, which decides on which dot a value
// at the very end of the scale falls.
#pragma once
#include <cstdint>

#include "instrument/extended_precision.h"

// Reciprocal of the number of dots each bar spans, nearest in extended
// precision: 1/59 and 1/127.
constexpr Extended VerticalBarReciprocal = {0x8AD8F2FBA9386823, -69, false};
constexpr Extended HorizontalBarReciprocal = {0x8102040810204081, -70, false};

// The bottom of the bar's scale: half the span in top-scale mode, else 0.
int32_t BarBase(int32_t span, uint8_t topScale);

// Pressure units per dot: the span shown (base..span, or 0..span) times the
// bar's reciprocal in extended precision, then rounded to single precision.
float BarUnitsPerDot(int32_t span, uint8_t topScale, Extended reciprocal);

// Column of value v on the horizontal bar: (v - base) / unitsPerDot.
int32_t BarColumn(int32_t v, int32_t base, float unitsPerDot);

// Row of value v on the vertical bar, whose base sits on row 61:
// 61 - (v - base) / unitsPerDot, the whole expression truncated.
int32_t BarRow(int32_t v, int32_t base, float unitsPerDot);

// A position handed to the drawing operations as an 8-bit coordinate.
// Positions from -128 to 255 pass unchanged (so -1..-128 arrive as 255..128,
// off-screen). Anything beyond would wrap back onto the screen at a wrong
// place, so it is held at the nearest end of that range and stays off-screen:
// an alarm threshold far outside the scale shows no mark, just like one a
// little outside it.
uint8_t BarCoordinate(int32_t position);
