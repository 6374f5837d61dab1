#include <benchmark/benchmark.h>

#include "instrument/state.h"
#include "lcd/frame.h"
#include "lcd/furniture.h"
#include "lcd/numerals.h"
#include "lcd/text.h"

static void BM_LcdClear(benchmark::State &run)
{
    for (auto _ : run) {
        LcdClear();
        benchmark::DoNotOptimize(state.lcdFrame);
    }
}
BENCHMARK(BM_LcdClear);

// Eight rows of sixteen characters: the most text a screen can hold.
static void BM_FullScreenText(benchmark::State &run, uint8_t inverse)
{
    char row[32] = "0123456789ABCDEF";
    for (auto _ : run) {
        LcdClear();
        for (uint8_t y = 0; y < 64; y += 8)
            LcdDrawText(0, y, row, 0, 0, inverse);
        benchmark::DoNotOptimize(state.lcdFrame);
    }
}
BENCHMARK_CAPTURE(BM_FullScreenText, normal, 0);
BENCHMARK_CAPTURE(BM_FullScreenText, inverse, 1);

static void BM_FullScreenSmallText(benchmark::State &run)
{
    char row[32] = "www.example.com 2.00";
    for (auto _ : run) {
        LcdClear();
        for (uint8_t y = 1; y < 64; y += 8)
            LcdDrawSmallText(0, y, row, 10);
        benchmark::DoNotOptimize(state.lcdFrame);
    }
}
BENCHMARK(BM_FullScreenSmallText);

// A menu screen: title, seven rows and the scroll bar.
static void BM_MenuScreen(benchmark::State &run)
{
    state.menuCursor = 3;
    state.editMode = 0;
    char value[32] = "2500";
    for (auto _ : run) {
        LcdClear();
        DrawTitle(" MAIN MENU ");
        for (uint8_t row = 0; row < 7; ++row)
            DrawMenuRow(0, row, "SPAN: ", value);
        DrawScrollBar(3, 8);
        benchmark::DoNotOptimize(state.lcdFrame);
    }
}
BENCHMARK(BM_MenuScreen);

// Two rows of huge numerals, as the run screen shows them.
static void BM_HugeNumerals(benchmark::State &run)
{
    for (auto _ : run) {
        LcdClear();
        LcdDrawHugeNumber(0, 0, "8888");
        LcdDrawHugeNumber(0, 32, "-0.5");
        benchmark::DoNotOptimize(state.lcdFrame);
    }
}
BENCHMARK(BM_HugeNumerals);
