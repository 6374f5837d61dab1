#include <benchmark/benchmark.h>

#include "instrument/pressure.h"
#include "instrument/rpm.h"
#include "instrument/settings.h"
#include "instrument/state.h"

// The engine speed step with a steady reading in a full averaging ring: the
// costliest case, a sum over all 32 samples every pass.
static void BM_ApplyRpmReadingFullRing(benchmark::State &run)
{
    LoadDefaultSettings();
    state.settings.rpmFilter = 10;
    for (int i = 0; i < 40; ++i)
        ApplyRpmReading(2400);
    for (auto _ : run) {
        ApplyRpmReading(2400);
        benchmark::DoNotOptimize(state.rpmValue);
    }
}
BENCHMARK(BM_ApplyRpmReadingFullRing);

// The pressure step with the slow filter and a unit that needs the long division.
static void BM_UpdatePressureSlowPsi(benchmark::State &run)
{
    LoadDefaultSettings();
    state.settings.pressureFilter = 2;
    state.settings.pressureUnit = 2;
    state.simPressureInput = 1500;
    for (auto _ : run) {
        UpdatePressure();
        benchmark::DoNotOptimize(state.pressureValue);
    }
}
BENCHMARK(BM_UpdatePressureSlowPsi);
