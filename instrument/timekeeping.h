// Flight timer, Hobbs meter and maintenance countdown, advanced once per
// second by the main cycle.
#pragma once
#include <cstdint>

// The non-volatile flight log's slots; flightLogIndex runs over them, one
// slot further for each flight that completes its first minute.
constexpr uint8_t FlightLogSlots = 32;
// The flight timer's hours roll over to 0 past this.
constexpr uint8_t MaxFlightHours = 99;
// The Hobbs meter's hours stop here.
constexpr uint32_t MaxHobbsHours = 10000;

void OneSecondBlock();

// A flight starts with its timer at 0:00:00 and no log slot yet.
void StartFlight();
// A flight that completed its first minute has a log slot: its entry is saved
// one last time. A shorter one leaves the log alone.
void EndFlight();
