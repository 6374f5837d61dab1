#include "instrument/pressure_units.h"

const char PressureUnitNames[PressureUnitCount][7] = {
    "mB", "bar", "PSI", "kg/cm2", "\"Hg", "mmHg", "KPA", "atm",
};

// The display's factors, rounded as the instrument has them, not the
// units' physical definitions (which engine feeds convert with: 1 psi is
// 68.9475729 mB there). Multipliers keep the divisors' precision: 1 psi is
// 68.9474 mB here, so 0.1 psi is 6.89474 mB = 689474 / 100000.
const PressureUnitScale PressureUnitScales[PressureUnitCount] = {
    {1, 1},           // mB: 1 mB
    {1, 10},          // bar: 0.01 bar = 10 mB
    {100000, 689474}, // PSI: 0.1 psi
    {100000, 980661}, // kg/cm2: 0.01 kg/cm2
    {100000, 338638}, // "Hg: 0.1 inch of mercury
    {100000, 133322}, // mmHg: 1 mm of mercury
    {1, 10},          // KPA: 1 kPa = 10 mB
    {10000, 101325},  // atm: 0.01 atm
};

const uint8_t PressureUnitDecimals[PressureUnitCount] = {0, 2, 1, 2, 1, 0, 0, 2};
