#include <gtest/gtest.h>

#include "instrument/settings.h"
#include "instrument/state.h"
#include "instrument/timekeeping.h"
#include "support/frame_check.h"
#include "support/hook_counts.h"

namespace {

void ResetWithDefaults() // flightRpm and hobbsRpm 1000, automatic detection on
{
    ResetInstrumentState();
    LoadDefaultSettings();
    hookCalls = HookCallCounts{};
}

// n one-second events with the engine at `rpm`.
void Seconds(uint32_t rpm, int n)
{
    state.rpmValue = rpm;
    for (int i = 0; i < n; ++i)
        OneSecondBlock();
}

// Starts a flight as the flight screen does: running, not yet recorded, timer at 0.
void StartByHand()
{
    state.inFlight = 1;
    state.flightRecorded = 0;
    state.flightSeconds = 0;
    state.flightMinutes = 0;
    state.flightHours = 0;
}

// What the state looked like at each SaveFlightLogEntry / SaveHobbs call.
struct SavedAtCall {
    uint8_t flightMinutes, flightHours, inFlight;
    uint8_t hobbsMinutes, maintMinutes;
    uint32_t hobbsHours, maintHours;
};
SavedAtCall lastFlightSave, lastHobbsSave;

void RecordSave(HookId hook)
{
    SavedAtCall seen{state.flightMinutes, state.flightHours, state.inFlight,  state.hobbsMinutes,
                     state.maintMinutes,  state.hobbsHours,  state.maintHours};
    if (hook == HookSaveFlightLogEntry)
        lastFlightSave = seen;
    if (hook == HookSaveHobbs)
        lastHobbsSave = seen;
}

// Watches the save hooks for the life of a test.
struct SaveWatch {
    SaveWatch()
    {
        lastFlightSave = {};
        lastHobbsSave = {};
        flight = SubscribeHook(HookSaveFlightLogEntry, RecordSave);
        hobbs = SubscribeHook(HookSaveHobbs, RecordSave);
    }
    ~SaveWatch()
    {
        UnsubscribeHook(flight);
        UnsubscribeHook(hobbs);
    }
    HookToken flight, hobbs;
};

} // namespace

// ---- Flight detection ----

TEST(TimekeepingFlight, EngineAtExactlyFlightRpmStartsAFlight)
{
    ResetWithDefaults();
    Seconds(999, 5);
    EXPECT_EQ(state.inFlight, 0);
    EXPECT_EQ(state.flightStopDelay, 0);
    state.flightMinutes = 7; // left over from an earlier flight
    state.flightRecorded = 1;
    Seconds(1000, 1);
    EXPECT_EQ(state.inFlight, 1);
    EXPECT_EQ(state.flightRecorded, 0);
    EXPECT_EQ(state.flightMinutes, 0);
    EXPECT_EQ(state.flightStopDelay, 30);
    EXPECT_EQ(state.flightSeconds, 1); // the starting second is already timed
}

TEST(TimekeepingFlight, RunningFlightIsNotRestarted)
{
    ResetWithDefaults();
    Seconds(2000, 10);
    Seconds(2000, 1);
    EXPECT_EQ(state.flightSeconds, 11);
}

TEST(TimekeepingFlight, StopsThirtySecondsAfterEngineLastRan)
{
    ResetWithDefaults();
    Seconds(2000, 10);
    Seconds(500, 29);
    EXPECT_EQ(state.inFlight, 1);
    EXPECT_EQ(state.flightStopDelay, 1);
    Seconds(2000, 1); // re-armed
    EXPECT_EQ(state.flightStopDelay, 30);
    Seconds(500, 29);
    EXPECT_EQ(state.inFlight, 1);
    Seconds(500, 1);
    EXPECT_EQ(state.inFlight, 0);
    EXPECT_EQ(state.flightStopDelay, 0);
    // The timer holds the duration: 10 + 29 + 1 + 29 seconds timed, the
    // ending second is not.
    EXPECT_EQ(state.flightSeconds, 69 % 60);
    EXPECT_EQ(state.flightMinutes, 1);
    Seconds(500, 5);
    EXPECT_EQ(state.flightSeconds, 9);
}

TEST(TimekeepingFlight, ManualModeDoesNotStartButStillStops)
{
    ResetWithDefaults();
    state.settings.flightAutoDetect = 0;
    Seconds(3000, 5);
    EXPECT_EQ(state.inFlight, 0);
    EXPECT_EQ(state.flightStopDelay, 30); // armed even out of a flight
    StartByHand();
    Seconds(3000, 3);
    Seconds(0, 29);
    EXPECT_EQ(state.inFlight, 1);
    Seconds(0, 1);
    EXPECT_EQ(state.inFlight, 0);
}

TEST(TimekeepingFlight, HandStartWithDelayArmedEndsAfterThirtyEvents)
{
    ResetWithDefaults();
    state.settings.flightAutoDetect = 0;
    Seconds(1500, 1); // engine ran: delay 30, no flight
    Seconds(0, 100);  // delay only counts down in a flight
    EXPECT_EQ(state.flightStopDelay, 30);
    StartByHand();
    Seconds(0, 29);
    EXPECT_EQ(state.inFlight, 1);
    Seconds(0, 1);
    EXPECT_EQ(state.inFlight, 0);
}

TEST(TimekeepingFlight, HandStartAfterAutomaticEndRunsUntilStopped)
{
    ResetWithDefaults();
    Seconds(2000, 5);
    Seconds(0, 30); // automatic end leaves the delay at 0
    EXPECT_EQ(state.inFlight, 0);
    EXPECT_EQ(state.flightStopDelay, 0);
    StartByHand();
    Seconds(0, 500);
    EXPECT_EQ(state.inFlight, 1);
    EXPECT_EQ(state.flightMinutes, 8);
    EXPECT_EQ(state.flightSeconds, 20);
    // Once the engine has run and stopped again, the flight ends by itself.
    Seconds(1000, 1);
    Seconds(0, 30);
    EXPECT_EQ(state.inFlight, 0);
}

// ---- Flight timer and log slot ----

TEST(TimekeepingFlightTimer, ShortFlightTakesNoSlotAndSavesNothing)
{
    ResetWithDefaults();
    state.flightLogIndex = 4;
    Seconds(2000, 30);
    Seconds(0, 30); // 30 + 29 seconds timed: the ending second is not
    EXPECT_EQ(state.inFlight, 0);
    EXPECT_EQ(state.flightSeconds, 59);
    EXPECT_EQ(state.flightRecorded, 0);
    EXPECT_EQ(state.flightLogIndex, 4);
    EXPECT_EQ(hookCalls.saveFlightLogEntry, 0u);
}

TEST(TimekeepingFlightTimer, SlotTakenAtFirstFullMinuteAndSavedEveryMinute)
{
    ResetWithDefaults();
    Seconds(2000, 59);
    EXPECT_EQ(state.flightRecorded, 0);
    EXPECT_EQ(state.flightLogIndex, 0);
    Seconds(2000, 1);
    EXPECT_EQ(state.flightRecorded, 1);
    EXPECT_EQ(state.flightLogIndex, 1);
    EXPECT_EQ(state.flightSeconds, 0);
    EXPECT_EQ(state.flightMinutes, 1);
    EXPECT_EQ(hookCalls.saveFlightLogEntry, 1u);
    Seconds(2000, 60 * 3);
    EXPECT_EQ(state.flightLogIndex, 1); // one slot per flight
    EXPECT_EQ(state.flightMinutes, 4);
    EXPECT_EQ(hookCalls.saveFlightLogEntry, 4u);
    // A recorded flight is saved once more when it ends, while still in flight.
    SaveWatch watch;
    Seconds(0, 30);
    EXPECT_EQ(state.inFlight, 0);
    EXPECT_EQ(hookCalls.saveFlightLogEntry, 5u);
    EXPECT_EQ(lastFlightSave.inFlight, 1);
    EXPECT_EQ(lastFlightSave.flightMinutes, 4);
    EXPECT_EQ(state.flightRecorded, 1); // kept until the next start
}

TEST(TimekeepingFlightTimer, HourSavedWithSixtyMinutesBeforeRollover)
{
    ResetWithDefaults();
    Seconds(2000, 1);
    state.flightMinutes = 59;
    state.flightSeconds = 59;
    state.flightRecorded = 1;
    hookCalls = HookCallCounts{};
    SaveWatch watch;
    Seconds(2000, 1);
    EXPECT_EQ(hookCalls.saveFlightLogEntry, 1u);
    EXPECT_EQ(lastFlightSave.flightMinutes, 60);
    EXPECT_EQ(lastFlightSave.flightHours, 0);
    EXPECT_EQ(state.flightMinutes, 0);
    EXPECT_EQ(state.flightHours, 1);
    EXPECT_EQ(state.flightLogIndex, 0); // already recorded: no new slot
}

TEST(TimekeepingFlightTimer, HoursWrapFrom99To0)
{
    ResetWithDefaults();
    Seconds(2000, 1);
    state.flightHours = 99;
    state.flightMinutes = 59;
    state.flightSeconds = 59;
    Seconds(2000, 1);
    EXPECT_EQ(state.flightHours, 0);
    EXPECT_EQ(state.flightMinutes, 0);
    state.flightHours = 98;
    state.flightMinutes = 59;
    state.flightSeconds = 59;
    Seconds(2000, 1);
    EXPECT_EQ(state.flightHours, 99);
}

TEST(TimekeepingFlightTimer, SlotIndexWrapsAt32)
{
    ResetWithDefaults();
    for (int flight = 1; flight <= 33; ++flight) {
        Seconds(2000, 60);
        Seconds(0, 30);
        ASSERT_EQ(state.inFlight, 0);
        EXPECT_EQ(state.flightLogIndex, flight % 32) << "flight " << flight;
    }
}

TEST(TimekeepingFlightTimer, NoTimingOutOfFlight)
{
    ResetWithDefaults();
    state.settings.flightAutoDetect = 0;
    state.flightSeconds = 12;
    Seconds(3000, 100);
    EXPECT_EQ(state.flightSeconds, 12);
    EXPECT_EQ(hookCalls.saveFlightLogEntry, 0u);
}

// ---- Hobbs meter and maintenance ----

TEST(TimekeepingHobbs, CountsAtExactlyHobbsRpmOnly)
{
    ResetWithDefaults();
    state.settings.hobbsRpm = 1500;
    Seconds(1499, 10);
    EXPECT_EQ(state.hobbsSeconds, 0);
    Seconds(1500, 10);
    EXPECT_EQ(state.hobbsSeconds, 10);
}

TEST(TimekeepingHobbs, MinuteAndHourRollOverAndSave)
{
    ResetWithDefaults();
    state.hobbsHours = 41;
    state.hobbsMinutes = 58;
    Seconds(1000, 59);
    EXPECT_EQ(hookCalls.saveHobbs, 0u);
    Seconds(1000, 1);
    EXPECT_EQ(state.hobbsSeconds, 0);
    EXPECT_EQ(state.hobbsMinutes, 59);
    EXPECT_EQ(hookCalls.saveHobbs, 1u);
    Seconds(1000, 60);
    EXPECT_EQ(state.hobbsMinutes, 0);
    EXPECT_EQ(state.hobbsHours, 42u);
    EXPECT_EQ(hookCalls.saveHobbs, 2u);
}

TEST(TimekeepingHobbs, HoursHeldAt10000WhileMinutesCycle)
{
    ResetWithDefaults();
    state.hobbsHours = 9999;
    state.hobbsMinutes = 59;
    Seconds(1000, 60);
    EXPECT_EQ(state.hobbsHours, 10000u);
    Seconds(1000, 60 * 60);
    EXPECT_EQ(state.hobbsHours, 10000u);
    EXPECT_EQ(state.hobbsMinutes, 0);
    Seconds(1000, 61);
    EXPECT_EQ(state.hobbsMinutes, 1);
    EXPECT_EQ(state.hobbsSeconds, 1);
    EXPECT_EQ(state.hobbsHours, 10000u);
}

TEST(TimekeepingHobbs, MinutesAbove59RollOverWithAnHour)
{
    for (uint8_t minutes : {60, 75, 99}) {
        ResetWithDefaults();
        state.hobbsHours = 3;
        state.hobbsMinutes = minutes;
        Seconds(1000, 60);
        EXPECT_EQ(state.hobbsMinutes, 0) << int(minutes);
        EXPECT_EQ(state.hobbsHours, 4u) << int(minutes);
    }
}

TEST(TimekeepingMaintenance, CountsDownOncePerHobbsMinuteAndStopsAtZero)
{
    ResetWithDefaults();
    state.maintHours = 0;
    state.maintMinutes = 1;
    Seconds(1000, 59);
    EXPECT_EQ(state.maintMinutes, 1);
    Seconds(1000, 1);
    EXPECT_EQ(state.maintHours, 0u);
    EXPECT_EQ(state.maintMinutes, 0);
    Seconds(1000, 60 * 5);
    EXPECT_EQ(state.maintHours, 0u);
    EXPECT_EQ(state.maintMinutes, 0);
    EXPECT_EQ(hookCalls.saveHobbs, 6u); // the Hobbs meter goes on
}

TEST(TimekeepingMaintenance, HourBorrowSavedWithTheHobbsMinute)
{
    ResetWithDefaults();
    state.maintHours = 2;
    state.maintMinutes = 0;
    state.hobbsMinutes = 59;
    state.hobbsHours = 7;
    SaveWatch watch;
    Seconds(1000, 60);
    EXPECT_EQ(state.maintHours, 1u);
    EXPECT_EQ(state.maintMinutes, 59);
    // The Hobbs store is written after both clocks have moved.
    EXPECT_EQ(hookCalls.saveHobbs, 1u);
    EXPECT_EQ(lastHobbsSave.hobbsHours, 8u);
    EXPECT_EQ(lastHobbsSave.hobbsMinutes, 0);
    EXPECT_EQ(lastHobbsSave.maintHours, 1u);
    EXPECT_EQ(lastHobbsSave.maintMinutes, 59);
}

TEST(TimekeepingMaintenance, StillWhileEngineBelowHobbsRpm)
{
    ResetWithDefaults();
    state.maintHours = 5;
    state.maintMinutes = 30;
    Seconds(999, 600);
    EXPECT_EQ(state.maintHours, 5u);
    EXPECT_EQ(state.maintMinutes, 30);
    EXPECT_EQ(hookCalls.saveHobbs, 0u);
}
