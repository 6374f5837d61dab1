#include <benchmark/benchmark.h>

#include "instrument/main_cycle.h"
#include "instrument/state.h"

// One pass of the main cycle on the headless window, with the run screen.
static void BM_MainCyclePass(benchmark::State &run)
{
    PowerOnSequence();
    for (auto _ : run)
        MainCyclePass();
}
BENCHMARK(BM_MainCyclePass);
