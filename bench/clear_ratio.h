// Drawing costs as multiples of clearing the frame, both timed on this
// thread's processor clock in the same run, so that the machine's speed and
// load cancel out. Each benchmark reports its ratio as the counter x_clear.
#pragma once
#include <benchmark/benchmark.h>

#include <ctime>

#include "instrument/state.h"
#include "lcd/frame.h"

inline double ThreadSeconds()
{
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return (double)now.tv_sec + 1e-9 * (double)now.tv_nsec;
}

// Seconds of one LcdClear, the mean of 200 000.
inline double ClearSeconds()
{
    const int clears = 200000;
    double start = ThreadSeconds();
    for (int i = 0; i < clears; ++i) {
        LcdClear();
        benchmark::DoNotOptimize(state.lcdFrame);
    }
    return (ThreadSeconds() - start) / clears;
}

// Runs draw (which clears the frame itself) for every iteration of run.
template <class Draw> void TimeAgainstClear(benchmark::State &run, Draw draw)
{
    double clear = ClearSeconds();
    double start = ThreadSeconds();
    for (auto _ : run) {
        draw();
        benchmark::DoNotOptimize(state.lcdFrame);
    }
    run.counters["x_clear"] = (ThreadSeconds() - start) / (double)run.iterations() / clear;
}
