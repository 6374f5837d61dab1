// The three run layouts; target: each at most 100 x_clear. The rpm layout
// is timed again while its texts are recorded for expect-text (the runner
// records them only for scripts that check them).
#include <benchmark/benchmark.h>

#include <cstring>

#include "clear_ratio.h"
#include "host/readout/drawn_texts.h"
#include "instrument/settings.h"
#include "instrument/state.h"
#include "lcd/frame.h"
#include "screens/run_layouts.h"

// One frame of each run layout, cleared and drawn as the main cycle does,
// with a half-full bar, both alarm marks and a maximum marker.
static void DrawLayout(benchmark::State &run, void (*draw)())
{
    memset(&state, 0, sizeof state);
    LoadDefaultSettings();
    state.pressureValue = 1013;
    state.pressureMax = 1640;
    state.rpmValue = 2450;
    state.blinkPhase = 1;
    TimeAgainstClear(run, [draw] {
        LcdClear();
        draw();
    });
}

static void BM_RunLayoutVertical(benchmark::State &run) { DrawLayout(run, DrawPressureScreenVertical); }
static void BM_RunLayoutHorizontal(benchmark::State &run) { DrawLayout(run, DrawPressureScreenHorizontal); }
static void BM_RunLayoutRpm(benchmark::State &run) { DrawLayout(run, DrawRpmPressureScreen); }
BENCHMARK(BM_RunLayoutVertical);
BENCHMARK(BM_RunLayoutHorizontal);
BENCHMARK(BM_RunLayoutRpm);

static void BM_RunLayoutRpmTextsRecorded(benchmark::State &run)
{
    StartCollectingDrawnTexts();
    DrawLayout(run, DrawRpmPressureScreen);
    StopCollectingDrawnTexts();
}
BENCHMARK(BM_RunLayoutRpmTextsRecorded);
