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

int32_t BarColumn(int32_t v, int32_t base, float unitsPerDot)
{
    return Truncate(((long double)v - base) / unitsPerDot);
}

int32_t BarRow(int32_t v, int32_t base, float unitsPerDot)
{
    return Truncate(61.0L - ((long double)v - base) / unitsPerDot);
}

uint8_t BarCoordinate(int32_t position)
{
    if (position > 255)
        position = 255;
    if (position < -128)
        position = -128;
    return (uint8_t)position;
}
