#include "lcd/format.h"

#include <cstdio>

#include "instrument/state.h"

// Number of decimals each unit's steps carry: mB, bar, PSI, kg/cm2, "Hg, mmHg,
// KPA, atm.
static const uint8_t UnitDecimals[8] = {0, 2, 1, 2, 1, 0, 0, 2};

static uint8_t Decimals()
{
    uint8_t unit = state.settings.pressureUnit;
    return unit < 8 ? UnitDecimals[unit] : 0;
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
