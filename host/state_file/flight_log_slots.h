// The instrument's non-volatile flight log: FlightLogSlots slots, addressed
// by flightLogIndex, and the table of FlightLogEntries that the flight log
// screens show from them. The table lists the most recent flights, newest
// first; it is never indexed with flightLogIndex, which runs over all slots.
#pragma once
#include <cstdint>

#include "instrument/timekeeping.h"

// Every slot to the erased pattern (all bits set), shown as an empty entry.
void EraseFlightLogSlots();
// The running flight's hours and minutes into slot flightLogIndex.
void SaveFlightLogSlot();
// Takes the table as it stands into the slots, entry 1 as the newest flight
// in slot flightLogIndex, so that showing the slots gives the same table.
void FillSlotsFromTable();
// Table entry i = slot (flightLogIndex - i) mod FlightLogSlots.
void ShowFlightLogSlots();
