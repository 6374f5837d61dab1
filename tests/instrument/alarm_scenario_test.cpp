// The sensors seen through the window: sliders moved, timers running, the
// lamp and the time keeping reacting as the user would see them.
#include <vector>

#include "instrument/rpm.h"
#include "screens/run_screen.h"
#include "support/window_fixture.h"

using AlarmScenario = WindowTest;

namespace {

// Pressure slider positions with the default settings (low alarm 500 mB).
constexpr int NormalPressure = 1471; // 1012 mB
constexpr int LowPressure = 300;     // 294 mB
// Passes for the default fast filter to settle after a slider move.
constexpr long SettlePasses = 20;
// One blink phase: 11 ticks of the 100 ms timer.
constexpr int BlinkPhaseMs = 1100;

struct LampSample {
    TColor colour;
    uint8_t phase;
};

} // namespace

TEST_F(AlarmScenario, LowPressureFlashesLampUntilAKeyAcknowledges)
{
    headless::MoveSlider(form->TrackBar2, 0); // engine stopped, no speed alarm
    Idle();
    const long r0 = SplashPasses;
    const long lowAt = r0 + SettlePasses + 4; // slider moved below the alarm
    const long flashFrom = lowAt + SettlePasses;
    const long keyAt = flashFrom + 8;
    const long normalAt = keyAt + 10;
    const long lowAgainAt = normalAt + SettlePasses;
    const long offAt = lowAgainAt + SettlePasses + 8;

    std::vector<LampSample> quiet, flashing, acknowledged, flashingAgain;
    uint8_t activeWhileAcknowledged = 0, mutedWhileAcknowledged = 0;
    uint8_t mutedAfterClearing = 9;
    uint32_t outputOnBeforeKey = 0, outputOnAfterAcknowledged = 0;
    bool screenChanged = false;

    RunInstrument([&](long round) {
        // Each round sees the lamp painted by the pass that just ran.
        LampSample seen{form->Shape1.BrushColor(), state.blinkPhase};
        if (round == r0 + 1)
            headless::MoveSlider(form->TrackBar1, NormalPressure);
        if (round >= r0 + SettlePasses && round < lowAt)
            quiet.push_back(seen);
        if (round == lowAt)
            headless::MoveSlider(form->TrackBar1, LowPressure);
        if (round >= flashFrom && round < keyAt)
            flashing.push_back(seen);
        if (round == keyAt)
            headless::Click(form->Image6);
        // The pass after the click paints the lamp before its screen takes
        // the key, so it may still light the lamp once.
        if (round == keyAt + 1)
            outputOnBeforeKey = hookCalls.alarmOutputOn;
        if (round > keyAt + 1 && round < normalAt) {
            acknowledged.push_back(seen);
            activeWhileAcknowledged |= state.alarmActive;
            mutedWhileAcknowledged |= state.alarmMuted;
            screenChanged |= state.currentScreen != RunScreen || state.magCheckTimer != 0;
        }
        if (round == normalAt) {
            outputOnAfterAcknowledged = hookCalls.alarmOutputOn;
            headless::MoveSlider(form->TrackBar1, NormalPressure);
        }
        if (round == lowAgainAt - 1)
            mutedAfterClearing = state.alarmMuted;
        if (round == lowAgainAt)
            headless::MoveSlider(form->TrackBar1, LowPressure);
        if (round >= lowAgainAt + SettlePasses && round < offAt)
            flashingAgain.push_back(seen);
        if (round == offAt)
            headless::Click(form->Button2);
        // Time passes one blink phase per pass while we watch the lamp.
        if (round >= r0 + SettlePasses)
            headless::AdvanceClock(BlinkPhaseMs);
    });

    ASSERT_EQ(quiet.size(), 4u);
    for (const LampSample &s : quiet)
        EXPECT_EQ(s.colour, clMaroon) << "no alarm at 1012 mB";

    // Unacknowledged: red in the lit phase, dark red in the other, and the
    // phase alternates from pass to pass.
    ASSERT_EQ(flashing.size(), 8u);
    for (size_t i = 0; i < flashing.size(); ++i) {
        EXPECT_EQ(flashing[i].colour, flashing[i].phase == 1 ? clRed : clMaroon) << "sample " << i;
        if (i > 0) {
            EXPECT_NE(flashing[i].phase, flashing[i - 1].phase) << "sample " << i;
        }
    }

    // The key only acknowledged: still on the run screen, lamp dark red in
    // both phases, alarm output never switched on, the condition still present.
    ASSERT_EQ(acknowledged.size(), 8u);
    for (const LampSample &s : acknowledged)
        EXPECT_EQ(s.colour, clMaroon);
    EXPECT_EQ(activeWhileAcknowledged & 1, 1);
    EXPECT_EQ(mutedWhileAcknowledged & 1, 1);
    EXPECT_FALSE(screenChanged) << "the key must do nothing but acknowledge";
    EXPECT_GT(outputOnBeforeKey, 0u);
    EXPECT_EQ(outputOnAfterAcknowledged, outputOnBeforeKey);

    // Back to normal pressure the acknowledgement is gone, so the next
    // excursion flashes again.
    EXPECT_EQ(mutedAfterClearing, 0);
    ASSERT_EQ(flashingAgain.size(), 8u);
    int lit = 0;
    for (const LampSample &s : flashingAgain) {
        EXPECT_EQ(s.colour, s.phase == 1 ? clRed : clMaroon);
        lit += s.colour == clRed;
    }
    EXPECT_EQ(lit, 4);
}

TEST_F(AlarmScenario, SpeedSliderDrivesBothModesAndTheCap)
{
    headless::MoveSlider(form->TrackBar2, 100);
    Idle();
    const long r0 = SplashPasses;
    uint32_t pulseAtGate = 0, cappedAtGate = 0, timeAt100 = 0, timeAt1 = 0, timeAt0 = 9;
    RunInstrument([&](long round) {
        if (round == r0 + 1)
            headless::AdvanceClock(500); // gate latches 100
        if (round == r0 + 2) {
            pulseAtGate = state.rpmValue;
            headless::MoveSlider(form->TrackBar2, 4096);
            headless::AdvanceClock(500); // the pass before read 100: gate latches 100 again
        }
        if (round == r0 + 3)
            headless::AdvanceClock(500); // now the gate latches 4096
        if (round == r0 + 4) {
            cappedAtGate = state.rpmValue;
            // "TIME" follows the slider at every pass, without a gate.
            state.settings.pulseMode = PulseModeTime;
            headless::MoveSlider(form->TrackBar2, 100);
        }
        if (round == r0 + 5) {
            timeAt100 = state.rpmValue;
            headless::MoveSlider(form->TrackBar2, 1);
        }
        if (round == r0 + 6) {
            timeAt1 = state.rpmValue;
            headless::MoveSlider(form->TrackBar2, 0);
        }
        if (round == r0 + 7) {
            timeAt0 = state.rpmValue;
            headless::Click(form->Button2);
        }
    });
    EXPECT_EQ(pulseAtGate, 2000u);   // 100 pulses per gate at 6.0 per revolution
    EXPECT_EQ(cappedAtGate, 19999u); // 81920 capped
    EXPECT_EQ(timeAt100, 156u);      // 312500 / 2000
    EXPECT_EQ(timeAt1, 15625u);      // 312500 / 20
    EXPECT_EQ(timeAt0, 0u);          // no pulses: stopped
    EXPECT_EQ(state.rpmMax, 19999u);
}

TEST_F(AlarmScenario, EngineRunningForAMinuteTimesAFlightAndTheHobbsMeter)
{
    headless::MoveSlider(form->TrackBar2, 100); // 2000 rpm
    Idle();
    state.hobbsHours = 12;
    state.maintHours = 1;
    // Half a second per pass, so that every gate latches a pass's pulse count
    // and every one-second event is handled by its own pass: the event of
    // second k is handled in the pass after round r0 + 2k.
    const long r0 = SplashPasses;
    auto secondHandled = [&](long k) { return r0 + 2 * k + 1; };
    uint8_t minutesAtMinute = 0, slotAtMinute = 0, inFlightAtSecond89 = 0, inFlightAtSecond90 = 9;
    RunInstrument([&](long round) {
        if (round > r0)
            headless::AdvanceClock(500);
        if (round == secondHandled(60)) {
            minutesAtMinute = state.flightMinutes;
            slotAtMinute = state.flightLogIndex;
            headless::MoveSlider(form->TrackBar2, 0); // engine stops from second 61 on
        }
        if (round == secondHandled(89))
            inFlightAtSecond89 = state.inFlight;
        if (round == secondHandled(90)) {
            inFlightAtSecond90 = state.inFlight;
            headless::Click(form->Button2);
        }
    });
    EXPECT_EQ(minutesAtMinute, 1);
    EXPECT_EQ(slotAtMinute, 1);
    // Below flightRpm for 30 events: the 30th ends the flight.
    EXPECT_EQ(inFlightAtSecond89, 1);
    EXPECT_EQ(inFlightAtSecond90, 0);
    EXPECT_EQ(state.flightRecorded, 1);
    EXPECT_EQ(state.flightMinutes, 1);
    EXPECT_EQ(state.flightSeconds, 29);
    EXPECT_EQ(hookCalls.saveFlightLogEntry, 2u); // the minute and the end
    // Sixty seconds of engine time: one Hobbs minute, one maintenance minute.
    EXPECT_EQ(state.hobbsMinutes, 1);
    EXPECT_EQ(state.hobbsSeconds, 0);
    EXPECT_EQ(state.hobbsHours, 12u);
    EXPECT_EQ(state.maintHours, 0u);
    EXPECT_EQ(state.maintMinutes, 59);
}
