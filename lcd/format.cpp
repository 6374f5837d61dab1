#include "lcd/format.h"

#include <cstdio>

#include "instrument/extended_precision.h"
#include "instrument/pressure_units.h"
#include "instrument/state.h"

// 1/10 and 1/100 rounded to a 64-bit significand.
static constexpr Extended Tenth = {0xCCCCCCCCCCCCCCCD, -67, false};
static constexpr Extended Hundredth = {0xA3D70A3D70A3D70A, -70, false};

double ScaledPressure(int32_t value, uint8_t decimals)
{
    if (decimals != 1 && decimals != 2)
        return value;
    Extended factor = decimals == 1 ? Tenth : Hundredth;
    return ExtendedToDouble(ExtendedMultiply(ExtendedFromInt(value), factor));
}

// A unit outside the table shows whole counts.
static uint8_t Decimals()
{
    uint8_t unit = state.settings.pressureUnit;
    return unit < PressureUnitCount ? PressureUnitDecimals[unit] : 0;
}

// The scaled value is rounded twice, to extended precision and then to the
// double handed to the formatter, so rounding follows printf's rules on that
// double.
static void Format(char *out, int32_t value, const char *whole, const char *tenths, const char *hundredths)
{
    switch (Decimals()) {
    case 1:
        snprintf(out, 32, tenths, ScaledPressure(value, 1));
        break;
    case 2:
        snprintf(out, 32, hundredths, ScaledPressure(value, 2));
        break;
    default:
        snprintf(out, 32, whole, (int)value);
        break;
    }
}

void FormatPressure(char *out, int32_t value) { Format(out, value, "%d", "%.1f", "%.2f"); }
void FormatPressureWide(char *out, int32_t value) { Format(out, value, "%4d", "%4.1f", "%4.2f"); }
