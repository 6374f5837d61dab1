#include "instrument/pressure_units.h"

const char PressureUnitNames[PressureUnitCount][7] = {
    "mB", "bar", "PSI", "kg/cm2", "\"Hg", "mmHg", "KPA", "atm",
};
