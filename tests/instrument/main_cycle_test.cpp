// The main cycle as the window sees it: the lamp and alarm output, the
// engine pulse gate, the speed slider, restarts and closing the window.
#include "instrument/main_cycle.h"
#include "screens/main_menu.h"
#include "support/window_fixture.h"

using MainCycle = WindowTest;

namespace {

// Raises the alarms through the inputs: with the sliders at 0 the pressure
// reads 0 (below its low alarm) and the engine stands (below its low alarm).
void ArrangeAlarms(bool pressure, bool speed)
{
    state.settings.pressureLowAlarmOn = pressure ? 1 : 0;
    state.settings.pressureHighAlarmOn = 0;
    state.settings.rpmLowAlarmOn = speed ? 1 : 0;
    state.settings.rpmHighAlarmOn = 0;
}

} // namespace

TEST_F(MainCycle, LampAndAlarmOutputForEveryAlarmAcknowledgementAndBlinkPhase)
{
    headless::MoveSlider(form->TrackBar2, 0);
    Idle();
    PowerOnSequence();
    for (int active = 0; active < 4; ++active) {
        for (int muted = 0; muted < 4; ++muted) {
            for (int phase = 0; phase < 2; ++phase) {
                SCOPED_TRACE(testing::Message()
                             << "active " << active << " muted " << muted << " phase " << phase);
                ArrangeAlarms(active & 1, active & 2);
                // An acknowledgement survives only while its alarm is present.
                state.alarmActive = (uint8_t)active;
                state.alarmMuted = (uint8_t)(muted & active);
                state.blinkPhase = (uint8_t)phase;
                form->Shape1.SetBrushColor(clWhite);
                HookCallCounts before = hookCalls;

                MainCyclePass();

                ASSERT_EQ(state.alarmActive, active) << "the inputs did not raise the intended alarms";
                bool sounding = (active & ~muted) != 0;
                bool lit = sounding && phase == 1;
                EXPECT_EQ(form->Shape1.BrushColor(), lit ? clRed : clMaroon);
                EXPECT_EQ(hookCalls.alarmOutputOn - before.alarmOutputOn, lit ? 1u : 0u);
                EXPECT_EQ(hookCalls.alarmOutputOff - before.alarmOutputOff, lit ? 0u : 1u);
            }
        }
    }
}

// Only a flag of exactly 1 lights the backlight; every pass drives it.
TEST_F(MainCycle, BacklightIsDrivenOnEveryPassFromItsFlag)
{
    PowerOnSequence();
    const struct {
        uint8_t flag;
        bool lit;
    } cases[] = {{1, true}, {0, false}, {2, false}, {1, true}};
    for (const auto &c : cases) {
        state.settings.backlightOn = c.flag;
        HookCallCounts before = hookCalls;
        MainCyclePass();
        EXPECT_EQ(hookCalls.backlightOn - before.backlightOn, c.lit ? 1u : 0u) << "flag " << (int)c.flag;
        EXPECT_EQ(hookCalls.backlightOff - before.backlightOff, c.lit ? 0u : 1u) << "flag " << (int)c.flag;
    }
}

TEST_F(MainCycle, PulseGateLatchesTheSliderWhileOnAndDrainsWhileOff)
{
    headless::MoveSlider(form->TrackBar2, 1234);
    Idle();
    uint32_t gateWhileOn = 0, pulsesAfterGate = 99;
    RunInstrument([&](long round) {
        if (round == SplashPasses + 2)
            headless::AdvanceClock(500);
        if (round == SplashPasses + 3) {
            gateWhileOn = state.rpmGateCount;
            pulsesAfterGate = state.simPulseCount;
            headless::MoveSlider(form->TrackBar2, 321);
        }
        if (round == SplashPasses + 5)
            headless::Click(form->Button2);
    });
    EXPECT_EQ(gateWhileOn, 1234u);
    EXPECT_EQ(pulsesAfterGate, 1234u) << "each pass reloads the pulse count from the slider";

    // Off: the slider is no longer read, so the first gate takes the last
    // pass's count and later gates find no pulses.
    EXPECT_EQ(state.simPulseCount, 321u);
    headless::AdvanceClock(499);
    Idle();
    EXPECT_EQ(state.simPulseCount, 321u) << "a gate came early";
    headless::AdvanceClock(1);
    Idle();
    EXPECT_EQ(state.rpmGateCount, 321u);
    EXPECT_EQ(state.simPulseCount, 0u);
    headless::AdvanceClock(500);
    Idle();
    EXPECT_EQ(state.rpmGateCount, 0u);
}

TEST_F(MainCycle, SpeedSliderIsReadEveryPassAndItsLabelChangesOnlyWhileRunning)
{
    headless::MoveSlider(form->TrackBar2, 777);
    Idle();
    EXPECT_EQ(form->Label3.Caption(), "0");
    EXPECT_EQ(state.simPulseCount, 0u);

    std::string labelAtFirstPass, labelAfterMove;
    uint32_t periodAfterMove = 0;
    RunInstrument([&](long round) {
        if (round == SplashPasses + 1) {
            labelAtFirstPass = form->Label3.Caption();
            headless::MoveSlider(form->TrackBar2, 40);
        }
        if (round == SplashPasses + 2) {
            labelAfterMove = form->Label3.Caption();
            periodAfterMove = state.rpmPulsePeriod;
            headless::Click(form->Button2);
        }
    });
    EXPECT_EQ(labelAtFirstPass, "777");
    EXPECT_EQ(labelAfterMove, "40");
    EXPECT_EQ(periodAfterMove, 800u);

    headless::MoveSlider(form->TrackBar2, 55);
    Idle();
    EXPECT_EQ(form->Label3.Caption(), "40");
}

TEST_F(MainCycle, CheckBoxesAreReadEveryPass)
{
    uint8_t calibrateBefore = 9, calibrateAfter = 9, stepBefore = 0, stepAfter = 0;
    RunInstrument([&](long round) {
        if (round == SplashPasses + 1) {
            calibrateBefore = state.calibrateSwitch;
            stepBefore = state.knobStep;
            headless::SetTicked(form->CheckBox2, true);
            headless::SetTicked(form->CheckBox3, true);
        }
        if (round == SplashPasses + 2) {
            calibrateAfter = state.calibrateSwitch;
            stepAfter = state.knobStep;
            headless::Click(form->Button2);
        }
    });
    EXPECT_EQ(calibrateBefore, 0);
    EXPECT_EQ(stepBefore, 1);
    EXPECT_EQ(calibrateAfter, 1);
    EXPECT_EQ(stepAfter, 10);
}

TEST_F(MainCycle, OnWhileRunningRestartsWithoutNestingAndOneOffEndsIt)
{
    int deepest = 0;
    long offRound = 0;
    long rounds = RunInstrument([&](long round) {
        deepest = std::max(deepest, headless::MessageDepth());
        if (round == 100 || round == 120 || round == 300)
            headless::Click(form->Button1);
        if (round == 500) {
            offRound = round;
            headless::Click(form->Button2);
        }
    });
    // The first power-on and three restarts, each with its defaults.
    EXPECT_EQ(hookCalls.eraseFlightLog, 4u);
    EXPECT_EQ(rounds, offRound);
    // The test's own round plus the instrument's pumping, never deeper.
    EXPECT_EQ(deepest, 2);
    EXPECT_FALSE(form->InstrumentRunning());
    EXPECT_FALSE(Application->Terminated());
}

// As a nested power-on would: ON resets at once, so a key or slider move
// that came before it in the same round is cleared and one that came after
// it waits through the splash for the first pass.
TEST_F(MainCycle, OnWhileRunningKeepsWhatArrivesAfterItInTheSameRound)
{
    constexpr long OnRound = SplashPasses + 10;
    uint8_t keyInSplash = 0;
    int32_t pressureInSplash = 0;
    ScreenHandler screenAfterSplash = nullptr;
    RunInstrument([&](long round) {
        if (round == OnRound) {
            headless::Click(form->Image3); // KeyLeft, before ON
            headless::MoveSlider(form->TrackBar1, 1000);
            headless::Click(form->Button1);
            headless::Click(form->Image5); // KeyCentre, after ON
            headless::MoveSlider(form->TrackBar1, 3000);
        }
        if (round == OnRound + 1) {
            keyInSplash = state.pendingKey;
            pressureInSplash = state.simPressureInput;
        }
        if (round == OnRound + 1 + SplashPasses) {
            screenAfterSplash = state.currentScreen;
            headless::Click(form->Button2);
        }
    });
    EXPECT_EQ(keyInSplash, KeyCentre);
    EXPECT_EQ(pressureInSplash, 3000);
    EXPECT_EQ(screenAfterSplash, MainMenuScreen) << "the first pass after the splash handled KeyCentre";
}

TEST_F(MainCycle, ClosingTheWindowEndsTheCycle)
{
    long rounds = RunInstrument([&](long round) {
        if (round == SplashPasses + 40)
            headless::CloseWindow(*form);
    });
    EXPECT_EQ(rounds, SplashPasses + 40);
    EXPECT_TRUE(Application->Terminated());
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(state.powerOffRequest, 0) << "closing is not OFF";
}

TEST_F(MainCycle, ClosingTheWindowDuringTheSplashEndsItWithoutRunningTheCycle)
{
    long rounds = RunInstrument([&](long round) {
        if (round == 30)
            headless::CloseWindow(*form);
    });
    EXPECT_EQ(rounds, SplashPasses) << "the splash ends its passes, then no cycle pass runs";
    EXPECT_TRUE(Application->Terminated());
    // A further ON after closing does nothing.
    headless::Click(form->Button1);
    Idle();
    EXPECT_FALSE(form->InstrumentRunning());
}
