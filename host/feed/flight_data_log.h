// The layout of flight-data logs as avionics record them: a first line of
// metadata beginning "#airframe_info", a line of units beginning with "#"
// (one unit a column), then the column names, padded with blanks; each
// engine's values in columns named "E1 MAP", "E1 RPM", "E2 MAP", ...; the
// time in "Lcl Date" and "Lcl Time".
#pragma once
#include <string>
#include <string_view>

// The first line of such a log.
bool IsFlightDataLogStart(std::string_view line);

constexpr const char *FlightDataDateColumn = "Lcl Date";
constexpr const char *FlightDataTimeColumn = "Lcl Time";
// "E2 MAP" for engine 2.
std::string FlightDataPressureColumn(int engine);
std::string FlightDataSpeedColumn(int engine);

// What one unit of a pressure column written as unit (e.g. "Hg", "inch",
// "psi") is in millibar, and the unit as the description shows it; 0 for a
// unit that cannot be converted.
double FlightDataMillibarPerUnit(std::string_view unit, std::string *shown);
// An engine speed's unit: rpm, in any case, or none.
bool IsFlightDataSpeedUnit(std::string_view unit);
