// The Hobbs meter setup: counting speed, hour-fraction style, and the ways
// into the Hobbs and maintenance time editors and the access-code change.
#pragma once
#include <cstdint>

// Rows that open other screens; those screens come back to them.
constexpr uint8_t HobbsRowSetHobbsTime = 2;
constexpr uint8_t HobbsRowSetMaintTime = 3;
constexpr uint8_t HobbsRowCode = 5;

void HobbsMeterScreen();
