// The names engine data goes by, in recordings, live datagrams and script
// values alike, and what one unit of each pressure column is in millibar.
#pragma once
#include <string_view>

// What one unit of a pressure column (mp_inhg, mp_mbar, mp_kpa, mp_psi) is
// in millibar by the unit's physical definition, not by the display's
// rounded factors; 0 for any other name (lower case expected).
double PhysicalMillibarPerUnit(std::string_view name);
