#include "host/controls/pressure_columns.h"

namespace {

// The pressure columns and what one unit of each is in millibar, by the
// units' physical definitions (1 psi is 68.9475729 mbar). The instrument
// takes millibar and converts them into its display unit with its own
// rounded factors (PressureUnitScales, 1 psi as 68.9474 mB): the feed's
// pressure shows as the instrument would show that many millibar.
struct PressureColumn {
    const char *name;
    double physicalMillibar;
};
constexpr PressureColumn PressureColumns[] = {
    {"mp_inhg", 33.8638866667},
    {"mp_mbar", 1.0},
    {"mp_kpa", 10.0},
    {"mp_psi", 68.9475729318},
};

} // namespace

double PhysicalMillibarPerUnit(std::string_view name)
{
    for (const PressureColumn &column : PressureColumns)
        if (name == column.name)
            return column.physicalMillibar;
    return 0;
}
