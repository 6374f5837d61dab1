#include "screens/bar_scale.h"

#include <cmath>
#include <cstdint>

int32_t BarBase(int32_t span, uint8_t topScale) { return topScale ? span >> 1 : 0; }

float BarUnitsPerDot(int32_t span, uint8_t topScale, Extended reciprocal)
{
    int32_t shown = topScale ? span >> 1 : span;
    return ExtendedToFloat(ExtendedMultiply(ExtendedFromInt(shown), reciprocal));
}

// Dots from the base to v. A span too small to give a scale (none comes from
// the setup screen) has no units per dot: every value off the base is then
// infinitely far from it, without dividing by zero. Infinite units per dot
// put every value on the base.
static Extended Offset(int32_t v, int32_t base, float unitsPerDot)
{
    int64_t distance = (int64_t)v - base;
    if (unitsPerDot == 0) {
        int64_t far = INT64_C(1) << 32;
        return ExtendedFromInt(distance > 0 ? far : distance < 0 ? -far : 0);
    }
    if (std::isinf(unitsPerDot))
        return ExtendedFromInt(0);
    return ExtendedDivide(ExtendedFromInt(distance), ExtendedFromFloat(unitsPerDot));
}

// Positions truncate toward zero and saturate beyond 32 bits, so no
// conversion is ever out of range; units per dot that are not a number give
// position 0.
int32_t BarColumn(int32_t v, int32_t base, float unitsPerDot)
{
    if (std::isnan(unitsPerDot))
        return 0;
    return ExtendedTruncate(Offset(v, base, unitsPerDot));
}

int32_t BarRow(int32_t v, int32_t base, float unitsPerDot)
{
    if (std::isnan(unitsPerDot))
        return 0;
    return ExtendedTruncate(ExtendedSubtract(ExtendedFromInt(61), Offset(v, base, unitsPerDot)));
}

uint8_t BarCoordinate(int32_t position)
{
    if (position > 255)
        position = 255;
    if (position < -128)
        position = -128;
    return (uint8_t)position;
}
