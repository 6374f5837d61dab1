// The instrument's non-volatile flight log: 32 slots, addressed by
// flightLogIndex, and the 24-entry table that the flight log screens show
// from them. The table lists the most recent flights, newest first; it is
// never indexed with flightLogIndex, which runs over all 32 slots.
#pragma once
#include <cstdint>

constexpr int FlightLogSlots = 32;

// Every slot to the erased pattern (all bits set), shown as an empty entry.
void EraseFlightLogSlots();
// The running flight's hours and minutes into slot flightLogIndex.
void SaveFlightLogSlot();
// Takes the table as it stands into the slots, entry 1 as the newest flight
// in slot flightLogIndex, so that showing the slots gives the same table.
void FillSlotsFromTable();
// Table entry i (0..23) = slot (flightLogIndex - i) mod 32.
void ShowFlightLogSlots();
