#include <benchmark/benchmark.h>

#include "host/form/Pcmain.h"
#include "host/headless/headless_driver.h"
#include "instrument/host_link.h"
#include "instrument/main_cycle.h"
#include "instrument/state.h"

// One pass of the main cycle with the headless window: the run screen drawn,
// the frame presented at twice its size, messages processed.
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
