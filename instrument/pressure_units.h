// The eight pressure units: their names as the screens show them.
#pragma once
#include <cstdint>

constexpr uint8_t PressureUnitCount = 8;
// Fixed 7-character fields, in unit order: mB, bar, PSI, kg/cm2, "Hg, mmHg,
// KPA, atm.
extern const char PressureUnitNames[PressureUnitCount][7];
