// What must hold after every main-cycle pass for any input a user can give:
// cursors inside their screen's rows, digits, contrast and calibration in
// their ranges, ring counters and indices inside their tables, span and
// alarms inside the unit's limits, a known screen, the key consumed.
#pragma once
#include <cstdint>
#include <string>

#include "instrument/state.h"

// The state a pass started from, taken after the previous pass.
struct PassStart {
    ScreenHandler screen;
    uint8_t cursor;
    uint8_t pressureUnit;
};

PassStart TakePassStart();

// Empty when every invariant holds after a pass that started from start;
// otherwise what is broken, with the values involved.
std::string CheckInvariants(const PassStart &start);
