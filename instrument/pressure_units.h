// The eight pressure units: their names as the screens show them, and the
// scaling from millibar into each unit's resolution.
#pragma once
#include <cstdint>

constexpr uint8_t PressureUnitCount = 8;
// Fixed 7-character fields, in unit order: mB, bar, PSI, kg/cm2, "Hg, mmHg,
// KPA, atm.
extern const char PressureUnitNames[PressureUnitCount][7];

// A unit's value is millibar x multiplier / divisor: the product first, then
// one truncating unsigned division, so that the instrument's numbers come out
// to the last count.
struct PressureUnitScale {
    uint32_t multiplier;
    uint32_t divisor;
};
extern const PressureUnitScale PressureUnitScales[PressureUnitCount];
