#include "lcd/format.h"

#include <cstdio>

#include "instrument/pressure_units.h"
#include "instrument/state.h"

// A unit outside the table shows whole counts.
static uint8_t Decimals()
{
    uint8_t unit = state.settings.pressureUnit;
    return unit < PressureUnitCount ? PressureUnitDecimals[unit] : 0;
}

// The scaled value is formed with the long double constants and handed to the
// formatter as a double, so rounding follows printf's rules on that double.
static void Format(char *out, int32_t value, const char *whole, const char *tenths, const char *hundredths)
{
    switch (Decimals()) {
    case 1:
        snprintf(out, 32, tenths, (double)(0.1L * value));
        break;
    case 2:
        snprintf(out, 32, hundredths, (double)(0.01L * value));
        break;
    default:
        snprintf(out, 32, whole, (int)value);
        break;
    }
}

void FormatPressure(char *out, int32_t value) { Format(out, value, "%d", "%.1f", "%.2f"); }
void FormatPressureWide(char *out, int32_t value) { Format(out, value, "%4d", "%4.1f", "%4.2f"); }
