#include "screens/run_texts.h"

#include <cstdio>
#include <cstring>

#include "instrument/pressure_units.h"
#include "instrument/state.h"
#include "lcd/format.h"
#include "lcd/text.h"

void FormatFlightTime(char *out)
{
    const char *format = state.settings.hourFractionDecimal == 1 ? "%02d.%02d" : "%02d:%02d";
    snprintf(out, 32, format, state.flightHours, state.flightMinutes);
}

void FormatHobbsTime(char *out)
{
    const char *format = state.settings.hourFractionDecimal == 1 ? "%04u.%02d" : "%04u:%02d";
    snprintf(out, 32, format, state.hobbsHours, state.hobbsMinutes);
}

// A full scale of 0 never comes from the setup screen; a damaged one shows
// every percentage as 0 rather than dividing by zero.
void FormatRpmReading(char *out)
{
    uint32_t fullScale = state.settings.rpmFullScale;
    if (state.settings.rpmPercent == 0)
        snprintf(out, 32, "%5u", state.rpmValue);
    else
        snprintf(out, 32, "%5u", (unsigned)(fullScale == 0 ? 0 : state.rpmValue * 100u / fullScale));
}

uint8_t FormatMagCheckDrop(char *out)
{
    int32_t drop = (int32_t)(state.rpmValue - state.magCheckRpmRef);
    if (state.settings.rpmPercent != 0) {
        // Signed division, so a drop truncates toward zero like a rise.
        int32_t fullScale = (int32_t)state.settings.rpmFullScale;
        snprintf(out, 32, "%5ld", (long)(fullScale == 0 ? 0 : drop * 100 / fullScale));
        return 0;
    }
    uint8_t minusApart = 0;
    if (drop < -9999) {
        minusApart = 1;
        drop = -drop;
    }
    snprintf(out, 32, "%5ld", (long)drop);
    return minusApart;
}

void FormatMaxText(char *out)
{
    char value[32];
    FormatPressure(value, state.pressureMax);
    snprintf(out, 32, "MAX: %.26s", value); // a pressure text is far shorter
}

const char *PressureUnitName()
{
    if (state.settings.pressureUnit >= PressureUnitCount)
        return "";
    return PressureUnitNames[state.settings.pressureUnit];
}

void DrawUnitLabel(uint8_t centreX, uint8_t y, uint8_t firstY, uint8_t secondY, uint8_t doubleHeight)
{
    switch (state.settings.pressureUnit) {
    case UnitKgPerCm2:
        LcdDrawTextCentered(centreX, firstY, "kg/", doubleHeight, 0, 0);
        LcdDrawTextCentered(centreX, secondY, "cm2", doubleHeight, 0, 0);
        break;
    case UnitMmHg:
        LcdDrawTextCentered(centreX, firstY, "mm", doubleHeight, 0, 0);
        LcdDrawTextCentered(centreX, secondY, "HG", doubleHeight, 0, 0);
        break;
    default:
        LcdDrawTextCentered(centreX, y, PressureUnitName(), doubleHeight, 0, 0);
        break;
    }
}
