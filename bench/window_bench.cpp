#include <benchmark/benchmark.h>

#include "host/form/Pcmain.h"
#include "host/headless/headless_driver.h"
#include "instrument/host_link.h"
#include "instrument/main_cycle.h"
#include "instrument/state.h"
#include "screens/run_screen.h"

// The named state of the window's benchmarks: the run screen with steady,
// visible readings (pressure slider 2000, speed slider 100, about 1336 mB
// and 2000 rpm) and no alarm.
static TForm1 *StartInNamedState(benchmark::State &run)
{
    Application->Reset();
    TForm1 *form = Application->CreateForm<TForm1>();
    headless::Reset();
    form->Act(FormAction::SetSpeed, 100);
    PowerOnSequence();
    form->Act(FormAction::SetPressure, 2000);
    // Gates latch the pulses and the pressure filter settles.
    for (int i = 0; i < 200; ++i) {
        if (i % 10 == 0)
            headless::AdvanceClock(500);
        MainCyclePass();
    }
    if (state.currentScreen != RunScreen || state.alarmActive != 0 || state.rpmValue != 2000 ||
        state.pressureValue < 1300)
        run.SkipWithError("not in the named state");
    return form;
}

// One pass of the main cycle with the headless window: the run screen drawn,
// the frame presented (unchanged), messages processed, clock events taken.
static void BM_WindowPassNamedState(benchmark::State &run)
{
    StartInNamedState(run);
    for (auto _ : run)
        MainCyclePass();
    run.counters["passes/s"] = benchmark::Counter((double)run.iterations(), benchmark::Counter::kIsRate);
    Application->Reset();
}
BENCHMARK(BM_WindowPassNamedState);

// Presenting the frame the display already shows.
static void BM_WindowPresentUnchangedFrame(benchmark::State &run)
{
    StartInNamedState(run);
    PresentLcd();
    for (auto _ : run)
        PresentLcd();
    Application->Reset();
}
BENCHMARK(BM_WindowPresentUnchangedFrame);

// One pass of the main cycle with the headless window, right after power-on.
static void BM_WindowMainCyclePass(benchmark::State &run)
{
    Application->Reset();
    Application->CreateForm<TForm1>();
    headless::Reset();
    PowerOnSequence();
    for (auto _ : run)
        MainCyclePass();
    Application->Reset();
}
BENCHMARK(BM_WindowMainCyclePass);

// Presenting a frame whose every dot changed since the last one.
static void BM_WindowPresentChangedFrame(benchmark::State &run)
{
    Application->Reset();
    Application->CreateForm<TForm1>();
    uint8_t pattern = 0x55;
    for (auto _ : run) {
        for (uint8_t &column : state.lcdFrame)
            column = pattern;
        pattern = (uint8_t)~pattern;
        PresentLcd();
    }
    Application->Reset();
}
BENCHMARK(BM_WindowPresentChangedFrame);
