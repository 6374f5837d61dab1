#include "host/controls/engine_units.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iomanip>
#include <sstream>

#include "host/controls/pressure_columns.h"
#include "host/readout/shown_input.h"
#include "instrument/pressure.h"
#include "instrument/pressure_units.h"
#include "instrument/rpm.h"
#include "instrument/sensor_model.h"
#include "instrument/state.h"

namespace {

// The units a value may carry and the feed's column of the same unit, whose
// physical factor converts it; bar and hPa are plain multiples of mbar.
struct PressureWord {
    const char *word;
    const char *column;
    double times;
};
constexpr PressureWord PressureWords[] = {
    {"mbar", "mp_mbar", 1}, {"mB", "mp_mbar", 1},   {"hPa", "mp_mbar", 1},  {"bar", "mp_mbar", 1000},
    {"kPa", "mp_kpa", 1},   {"inHg", "mp_inhg", 1}, {"\"Hg", "mp_inhg", 1}, {"psi", "mp_psi", 1},
};
constexpr const char *PressureUnitList = "mbar, bar, kPa, inHg, psi (or hPa, mB, \"Hg)";

// A plain decimal number at the front of text: its value and the rest.
bool LeadingNumber(std::string_view text, double &value, std::string_view &rest)
{
    size_t end = 0;
    while (end < text.size() && (std::isdigit((unsigned char)text[end]) || text[end] == '.' ||
                                 (end == 0 && (text[end] == '+' || text[end] == '-'))))
        ++end;
    const std::string number(text.substr(0, end));
    if (number.empty() || number.find_first_of("0123456789") == std::string::npos)
        return false;
    char *stop = nullptr;
    value = std::strtod(number.c_str(), &stop);
    if (stop != number.c_str() + number.size() || !std::isfinite(value))
        return false;
    rest = text.substr(end);
    while (!rest.empty() && rest.front() == ' ')
        rest.remove_prefix(1);
    return true;
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

} // namespace

bool ParsePressureValue(std::string_view text, double &millibar, std::string &error)
{
    text = Trimmed(text);
    double value = 0;
    std::string_view unit;
    if (!LeadingNumber(text, value, unit) || value < 0) {
        error = QuotedInput(text) + " is not a pressure: a number and a unit, one of " + PressureUnitList;
        return false;
    }
    for (const PressureWord &word : PressureWords)
        if (unit == word.word) {
            millibar = value * word.times * PhysicalMillibarPerUnit(word.column);
            return true;
        }
    error = QuotedInput(text) + " has " + (unit.empty() ? "no unit" : "an unknown unit") + ": one of " +
            PressureUnitList;
    return false;
}

bool ParseSpeedValue(std::string_view text, double &rpm, std::string &error)
{
    text = Trimmed(text);
    std::string_view unit;
    if (!LeadingNumber(text, rpm, unit) || rpm < 0 || !(unit.empty() || unit == "rpm")) {
        error = QuotedInput(text) + " is not an engine speed: a number of rpm";
        return false;
    }
    return true;
}

int32_t PressureSliderFor(double millibar)
{
    bool clamped = false;
    return PressureCountFor(millibar, &clamped);
}

int32_t SpeedSliderFor(double rpm)
{
    bool clamped = false;
    return PulseCountFor(rpm, &clamped);
}

double MillibarAtSlider(int32_t position)
{
    if (position < SensorCutOff)
        return 0;
    return (double)((position + SensorZeroOffset) * 100 / SensorCountsPerHundredMillibar);
}

double RpmAtSlider(int32_t position)
{
    const Settings &s = state.settings;
    if (position <= 0)
        return 0;
    if (s.pulseMode == PulseModeTime)
        return state.rpmPeriodConstant <= 0
                   ? 0
                   : (double)(state.rpmPeriodConstant / ((int64_t)position * TimerCountsPerPulseInput));
    if (s.pulsesPerRev <= 0)
        return 0;
    return (double)((int64_t)position * GatesPerMinuteTimesTen / s.pulsesPerRev);
}

DisplayUnit PresentPressureUnit()
{
    const uint8_t unit = state.settings.pressureUnit < PressureUnitCount ? state.settings.pressureUnit : 0;
    const PressureUnitScale &scale = PressureUnitScales[unit];
    const int decimals = PressureUnitDecimals[unit];
    return {PressureUnitNames[unit], (double)scale.divisor / scale.multiplier * std::pow(10.0, decimals),
            decimals};
}

std::string PressureSliderText(int32_t position)
{
    const DisplayUnit unit = PresentPressureUnit();
    // The display's own arithmetic: whole millibar, then its unit's factor.
    const int32_t shown = ConvertPressureUnit((int32_t)MillibarAtSlider(position));
    std::ostringstream text;
    text << position << " = " << std::fixed << std::setprecision(unit.decimals)
         << shown / std::pow(10.0, unit.decimals) << " " << unit.name;
    return text.str();
}

std::string SpeedSliderText(int32_t position)
{
    char text[32];
    snprintf(text, sizeof text, "%d = %.0f rpm", position, RpmAtSlider(position));
    return text;
}
