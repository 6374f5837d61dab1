// The flight log's 24 entries on four pages of 6, 7, 7 and 4; menuCursor is
// the page. The first page starts with the DONE line that leads back.
#pragma once
#include <cstdint>

void FlightLogViewScreen();

// Entry index (0..23) as "<number>: <time>" at x 0, its top at
// top + 8 x (index - first); an empty entry's time is "-----".
void DrawFlightLogEntry(uint8_t index, uint8_t top, uint8_t first);
