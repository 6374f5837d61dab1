// The flight log menu: view and erase the log, and choose how flights are
// detected; with the screens its two actions lead to.
#pragma once
#include <cstdint>

// Rows that open other screens; those screens come back to them.
constexpr uint8_t LogRowView = 1;
constexpr uint8_t LogRowErase = 2;

void FlightLogMenuScreen();
// Asks before the log is erased: only the left key erases.
void FlightLogEraseScreen();
// Shown instead of the log while a flight is timed.
void FlightLogBlockedScreen();
