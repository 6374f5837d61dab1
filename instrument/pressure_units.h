// The eight pressure units: their names as the screens show them, and the
// scaling from millibar into each unit's resolution.
#pragma once
#include <cstdint>

// Values of pressureUnit.
constexpr uint8_t UnitMillibar = 0;
constexpr uint8_t UnitBar = 1;
constexpr uint8_t UnitPsi = 2;
constexpr uint8_t UnitKgPerCm2 = 3;
constexpr uint8_t UnitInchesHg = 4;
constexpr uint8_t UnitMmHg = 5;
constexpr uint8_t UnitKiloPascal = 6;
constexpr uint8_t UnitAtmosphere = 7;
constexpr uint8_t PressureUnitCount = 8;
// Fixed 7-character fields, in unit order: mB, bar, PSI, kg/cm2, "Hg, mmHg,
// KPA, atm.
extern const char PressureUnitNames[PressureUnitCount][7];

// The display's own rounded factors. A unit's value is millibar x
// multiplier / divisor: the product first, then one truncating unsigned
// division, so that the instrument's numbers come out to the last count.
struct PressureUnitScale {
    uint32_t multiplier;
    uint32_t divisor;
};
extern const PressureUnitScale PressureUnitScales[PressureUnitCount];

// Decimals of one count in each unit: 0 for mB, mmHg and KPA, 1 for PSI and
// "Hg, 2 for bar, kg/cm2 and atm.
extern const uint8_t PressureUnitDecimals[PressureUnitCount];
