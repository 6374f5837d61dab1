#include "host/state_file/flight_log_slots.h"

#include <cstring>

#include "host/state_file/state_file_format.h"
#include "instrument/state.h"

static uint8_t slotHours[FlightLogSlots];
static uint8_t slotMinutes[FlightLogSlots];

// The slot holding table entry `entry`, counting back from the newest.
static int SlotOfEntry(int entry)
{
    return (state.flightLogIndex % FlightLogSlots + FlightLogSlots - entry) % FlightLogSlots;
}

void EraseFlightLogSlots()
{
    memset(slotHours, FlightLogEmpty, sizeof slotHours);
    memset(slotMinutes, FlightLogEmpty, sizeof slotMinutes);
}

void SaveFlightLogSlot()
{
    int slot = state.flightLogIndex % FlightLogSlots;
    slotHours[slot] = state.flightHours;
    slotMinutes[slot] = state.flightMinutes;
}

void FillSlotsFromTable()
{
    EraseFlightLogSlots();
    for (int i = 0; i < FlightLogEntries; ++i) {
        slotHours[SlotOfEntry(i)] = state.flightLogHours[i];
        slotMinutes[SlotOfEntry(i)] = state.flightLogMinutes[i];
    }
}

void ShowFlightLogSlots()
{
    for (int i = 0; i < FlightLogEntries; ++i) {
        state.flightLogHours[i] = slotHours[SlotOfEntry(i)];
        state.flightLogMinutes[i] = slotMinutes[SlotOfEntry(i)];
    }
}
