#include "instrument/timekeeping.h"

#include "instrument/hooks.h"
#include "instrument/state.h"

// Seconds the engine may stay below flightRpm before a flight ends.
static constexpr uint8_t FlightStopSeconds = 30;

// The stop delay is re-armed whenever the engine runs, in or out of a flight,
// and runs down only during a flight. So any running flight, even one started
// by hand, ends 30 seconds after the engine was last seen running, and a hand
// start after an automatic end (delay 0) runs until stopped by hand.
void StartFlight()
{
    state.flightRecorded = 0;
    state.inFlight = 1;
    state.flightSeconds = 0;
    state.flightMinutes = 0;
    state.flightHours = 0;
}

void EndFlight()
{
    if (state.flightRecorded != 0)
        SaveFlightLogEntry();
    state.inFlight = 0;
}

static void DetectFlight()
{
    if (state.rpmValue >= state.settings.flightRpm) {
        if (state.inFlight == 0 && state.settings.flightAutoDetect == 1)
            StartFlight();
        state.flightStopDelay = FlightStopSeconds;
    } else if (state.inFlight == 1 && state.flightStopDelay > 0) {
        --state.flightStopDelay;
        if (state.flightStopDelay == 0)
            EndFlight();
    }
}

// A flight takes its log slot only once it has lasted a full minute, so short
// engine runs leave the log alone. The entry is saved at every minute, with
// the minutes at 60 on the hour, before they roll over.
static void AdvanceFlightTimer()
{
    if (state.inFlight != 1)
        return;
    if (++state.flightSeconds < 60)
        return;
    state.flightSeconds = 0;
    if (state.flightRecorded == 0) {
        state.flightRecorded = 1;
        state.flightLogIndex = (uint8_t)((state.flightLogIndex + 1) % FlightLogSlots);
    }
    ++state.flightMinutes;
    SaveFlightLogEntry();
    if (state.flightMinutes >= 60) {
        state.flightMinutes = 0;
        if (++state.flightHours > MaxFlightHours)
            state.flightHours = 0;
    }
}

// Counts down with the Hobbs meter and stops at 0:00.
static void CountDownMaintenance()
{
    if (state.maintHours == 0 && state.maintMinutes == 0)
        return;
    if (state.maintMinutes > 0) {
        --state.maintMinutes;
    } else {
        state.maintMinutes = 59;
        if (state.maintHours > 0)
            --state.maintHours;
    }
}

// Minutes of 60 or more (the time editor accepts them in decimal display)
// roll over at the next minute like 59 does. The hours stop at 10000 while
// seconds and minutes keep cycling.
static void AdvanceHobbsMeter()
{
    if (state.rpmValue < state.settings.hobbsRpm)
        return;
    if (++state.hobbsSeconds < 60)
        return;
    state.hobbsSeconds = 0;
    if (++state.hobbsMinutes >= 60) {
        state.hobbsMinutes = 0;
        if (state.hobbsHours < MaxHobbsHours)
            ++state.hobbsHours;
    }
    CountDownMaintenance();
    SaveHobbs();
}

void OneSecondBlock()
{
    DetectFlight();
    AdvanceFlightTimer();
    AdvanceHobbsMeter();
}
