// Our column names mapped to a file's own headers, as the user writes the
// map: "time=Time,mp_inhg=MAP,rpm=RPM". Our names are time, one pressure
// name of mp_inhg, mp_mbar, mp_kpa or mp_psi (which gives the pressure's
// unit) and rpm; time and at least one of the others are needed. A header
// may be quoted, to hold a comma or an equals sign ("Time, local"), a
// doubled quote standing for one; blanks around it are dropped.
#pragma once
#include <string>
#include <string_view>

struct ColumnMap {
    std::string time, pressure, speed; // headers; empty: not mapped
    std::string pressureName;          // mp_inhg, ...
};

// false with *why (which quotes the map) when the map cannot be used.
bool ParseColumnMap(std::string_view text, ColumnMap *map, std::string *why);
