#include "screens/bar_scale.h"

#include <cstdint>

// Truncates toward zero; results beyond 32 bits saturate and a quotient that
// is not a number gives 0, so no conversion is ever out of range.
static int32_t Truncate(long double position)
{
    if (position != position)
        return 0;
    if (position >= 2147483647.0L)
        return INT32_MAX;
    if (position <= -2147483648.0L)
        return INT32_MIN;
    return (int32_t)position;
}

int32_t BarBase(int32_t span, uint8_t topScale) { return topScale ? span >> 1 : 0; }

float BarUnitsPerDot(int32_t span, uint8_t topScale, long double reciprocal)
{
    int32_t shown = topScale ? span >> 1 : span;
    return (float)(shown * reciprocal);
}

// Dots from the base to v. A span too small to give a scale (none comes from
// the setup screen) has no units per dot: every value off the base is then
// infinitely far from it, without dividing by zero.
static long double Offset(int32_t v, int32_t base, float unitsPerDot)
{
    long double distance = (long double)v - base;
    if (unitsPerDot == 0) {
        long double far = 4294967296.0L;
        return distance > 0 ? far : distance < 0 ? -far : 0;
    }
    return distance / unitsPerDot;
}

int32_t BarColumn(int32_t v, int32_t base, float unitsPerDot)
{
    return Truncate(Offset(v, base, unitsPerDot));
}

int32_t BarRow(int32_t v, int32_t base, float unitsPerDot)
{
    return Truncate(61.0L - Offset(v, base, unitsPerDot));
}

uint8_t BarCoordinate(int32_t position)
{
    if (position > 255)
        position = 255;
    if (position < -128)
        position = -128;
    return (uint8_t)position;
}
