#include "host/feed/flight_data_log.h"

#include <cctype>

#include "host/feed/engine_log.h"

namespace {

bool SameLetters(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (tolower((unsigned char)a[i]) != tolower((unsigned char)b[i]))
            return false;
    return true;
}

// The units a pressure column may be written in, by the name of our column
// of the same unit.
struct PressureUnit {
    const char *written, *column, *shown;
};
constexpr PressureUnit PressureUnits[] = {
    {"Hg", "mp_inhg", "\"Hg"},    {"inch", "mp_inhg", "\"Hg"}, {"inHg", "mp_inhg", "\"Hg"},
    {"in Hg", "mp_inhg", "\"Hg"}, {"psi", "mp_psi", "psi"},    {"mbar", "mp_mbar", "mbar"},
    {"hPa", "mp_mbar", "mbar"},   {"mb", "mp_mbar", "mbar"},   {"kPa", "mp_kpa", "kPa"},
};

} // namespace

bool IsFlightDataLogStart(std::string_view line) { return line.substr(0, 14) == "#airframe_info"; }

std::string FlightDataPressureColumn(int engine) { return "E" + std::to_string(engine) + " MAP"; }

std::string FlightDataSpeedColumn(int engine) { return "E" + std::to_string(engine) + " RPM"; }

double FlightDataMillibarPerUnit(std::string_view unit, std::string *shown)
{
    for (const PressureUnit &known : PressureUnits)
        if (SameLetters(unit, known.written)) {
            *shown = known.shown;
            return PhysicalMillibarPerUnit(known.column);
        }
    return 0;
}

bool IsFlightDataSpeedUnit(std::string_view unit) { return unit.empty() || SameLetters(unit, "rpm"); }
