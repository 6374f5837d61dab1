// The scaled clock on its own, and through the window: rates, pause, steps,
// and what one pass of the main cycle receives.
#include <algorithm>
#include <vector>

#include "host/form/scaled_clock.h"
#include "screens/run_screen.h"
#include "support/window_fixture.h"

namespace {

struct Delivery {
    std::vector<ClockEvent> all;
    int counts[(int)ClockEvent::Count] = {};
};

} // namespace

TEST(ScaledClock, AtX60OneSecondBringsSixtySecondEventsOnePerPass)
{
    Delivery d;
    ScaledClock clock([&](ClockEvent e) {
        d.all.push_back(e);
        ++d.counts[(int)e];
    });
    clock.SetRate(60);
    clock.AdvanceReal(1000000);
    EXPECT_EQ(clock.NowMs(), 60000);
    int passes = 0;
    for (;;) {
        const size_t before = d.all.size();
        clock.DeliverPass();
        if (d.all.size() == before)
            break;
        ++passes;
        ASSERT_LE(std::count(d.all.begin() + before, d.all.end(), ClockEvent::Gate500ms), 1);
        ASSERT_LE(std::count(d.all.begin() + before, d.all.end(), ClockEvent::Second), 1);
    }
    EXPECT_EQ(d.counts[(int)ClockEvent::Second], 60);
    EXPECT_EQ(d.counts[(int)ClockEvent::Gate500ms], 120);
    EXPECT_EQ(d.counts[(int)ClockEvent::Tick100ms], 600);
    EXPECT_EQ(passes, 120);
}

TEST(ScaledClock, TimeOrderEventsDueTogetherInFixedOrder)
{
    Delivery d;
    ScaledClock clock([&](ClockEvent e) { d.all.push_back(e); });
    clock.AdvanceReal(1000000);
    clock.DeliverAll();
    using E = ClockEvent;
    const std::vector<E> expected = {E::Tick100ms, E::Tick100ms, E::Tick100ms, E::Tick100ms, E::Tick100ms,
                                     E::Gate500ms, E::Tick100ms, E::Tick100ms, E::Tick100ms, E::Tick100ms,
                                     E::Tick100ms, E::Gate500ms, E::Second};
    EXPECT_EQ(d.all, expected);
}

TEST(ScaledClock, PauseRatesAndTheBacklogLimit)
{
    int delivered = 0;
    ScaledClock clock([&](ClockEvent) { ++delivered; });
    clock.SetPaused(true);
    clock.AdvanceReal(5000000);
    EXPECT_EQ(clock.NowMs(), 0);
    clock.AdvanceMs(250); // a runner moves it itself
    EXPECT_EQ(clock.NowMs(), 250);
    clock.SetPaused(false);
    clock.SetRate(7); // not a rate: ignored
    EXPECT_EQ(clock.Rate(), 1);
    EXPECT_EQ(clock.NextRate(), 10);
    clock.SetRate(10);
    clock.AdvanceReal(1500); // fractions of a millisecond add up
    clock.AdvanceReal(1500);
    EXPECT_EQ(clock.NowMs(), 280);
    // With no pass taking the events the clock stops two minutes ahead of
    // the first undelivered gate.
    clock.SetRate(60);
    clock.AdvanceReal(3600000000LL);
    EXPECT_EQ(clock.NowMs(), 500 + ScaledClock::BacklogLimitMs);
    EXPECT_EQ(delivered, 0);
}

using WindowClock = WindowTest;

TEST_F(WindowClock, AtX60TheEngineNeverReadsZeroAndNoSecondIsLost)
{
    headless::MoveSlider(form->TrackBar2, 100); // 2000 rpm
    headless::PressKey(*form, 'r');
    headless::PressKey(*form, 'r');
    Idle();
    EXPECT_EQ(form->Clock.Rate(), 60);
    EXPECT_NE(form->StatusBar1.Caption().find("x60"), std::string::npos);
    const long r0 = SplashPasses;
    bool readZero = false;
    int64_t clockAfter = 0;
    RunInstrument([&](long round) {
        if (round == r0 + 1) {
            state.hobbsSeconds = state.hobbsMinutes = 0;
            headless::AdvanceClock(1000); // one real second: a minute of clock time
        }
        if (round == r0 + 2)
            clockAfter = form->Clock.NowMs();
        if (round > r0 + 3 && state.rpmValue == 0)
            readZero = true;
        if (round == r0 + 200)
            headless::Click(form->Button2);
    });
    EXPECT_FALSE(readZero) << "two gates fell into one pass";
    EXPECT_EQ(state.hobbsMinutes * 60 + state.hobbsSeconds, 60);
    EXPECT_GE(clockAfter, 60000);
}

TEST_F(WindowClock, PauseKeepsThePendingKeyStopsTheClockAndLetsOffThrough)
{
    const long r0 = SplashPasses;
    int64_t clockAtPause = -1, clockAfterWait = -2, clockAfterStep = -3;
    uint8_t keyWhilePaused = 0, keyAfterStep = 9, ticksAtPause = 0, ticksAfterWait = 9;
    uint32_t passesBeforeStep = 0, passesAfterStep = 0;
    std::string status;
    RunInstrument([&](long round) {
        if (round == r0 + 1)
            headless::PressKey(*form, 'p');
        if (round == r0 + 2) {
            clockAtPause = form->Clock.NowMs();
            ticksAtPause = state.blinkTickCount;
            headless::Click(form->Image3);
            headless::AdvanceClock(5000);
        }
        if (round == r0 + 10) {
            keyWhilePaused = state.pendingKey;
            clockAfterWait = form->Clock.NowMs();
            ticksAfterWait = state.blinkTickCount;
            status = form->StatusBar1.Caption();
            passesBeforeStep = hookCalls.backlightOn;
            headless::PressKey(*form, 'n');
        }
        if (round == r0 + 14) {
            keyAfterStep = state.pendingKey;
            passesAfterStep = hookCalls.backlightOn;
            clockAfterStep = form->Clock.NowMs();
            headless::Click(form->Button2);
        }
    });
    EXPECT_EQ(keyWhilePaused, KeyLeft);
    EXPECT_EQ(clockAfterWait, clockAtPause);
    EXPECT_EQ(ticksAfterWait, ticksAtPause);
    EXPECT_NE(status.find("PAUSED"), std::string::npos) << status;
    EXPECT_EQ(passesAfterStep - passesBeforeStep, 1u) << "a step runs exactly one pass";
    EXPECT_EQ(keyAfterStep, 0) << "the step's pass took the key";
    EXPECT_EQ(clockAfterStep, clockAtPause);
    EXPECT_FALSE(form->InstrumentRunning());
    EXPECT_TRUE(form->Clock.Paused());
}

TEST_F(WindowClock, OnWhilePausedPlaysTheSplashAndHoldsTheFirstPass)
{
    headless::PressKey(*form, 'p');
    Idle();
    uint32_t passesAtFirst = 0, passesLater = 0;
    const void *screenAtFirst = nullptr;
    RunInstrument([&](long round) {
        if (round == SplashPasses + 1) {
            passesAtFirst = hookCalls.backlightOn;
            screenAtFirst = (const void *)state.currentScreen;
        }
        if (round == SplashPasses + 6) {
            passesLater = hookCalls.backlightOn;
            headless::Click(form->Button2);
        }
    });
    EXPECT_EQ(screenAtFirst, (const void *)RunScreen);
    EXPECT_EQ(passesLater, passesAtFirst) << "no pass runs while paused";
    EXPECT_FALSE(form->InstrumentRunning());
}
