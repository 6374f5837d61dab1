// The drawing primitives on a full screen, each also as the dot-by-dot
// drawing it replaced (lcd/dot_by_dot.h). Targets, as x_clear: 8x8 text at
// most 60, the menu, the huge numerals and double-height text at most 100.
#include <benchmark/benchmark.h>

#include "clear_ratio.h"
#include "instrument/state.h"
#include "lcd/dot_by_dot.h"
#include "lcd/frame.h"
#include "lcd/furniture.h"
#include "lcd/numerals.h"
#include "lcd/text.h"

static void BM_LcdClear(benchmark::State &run)
{
    TimeAgainstClear(run, [] { LcdClear(); });
}
BENCHMARK(BM_LcdClear);

// Eight rows of sixteen characters: the most text a screen can hold.
static void BM_FullScreenText(benchmark::State &run, uint8_t inverse, bool dotByDot)
{
    char row[32] = "0123456789ABCDEF";
    TimeAgainstClear(run, [&] {
        LcdClear();
        for (uint8_t y = 0; y < 64; y += 8)
            dotByDot ? dot_by_dot::LcdDrawText(0, y, row, 0, inverse) : LcdDrawText(0, y, row, 0, 0, inverse);
    });
}
BENCHMARK_CAPTURE(BM_FullScreenText, normal, 0, false);
BENCHMARK_CAPTURE(BM_FullScreenText, inverse, 1, false);
BENCHMARK_CAPTURE(BM_FullScreenText, normal_dot_by_dot, 0, true);
BENCHMARK_CAPTURE(BM_FullScreenText, inverse_dot_by_dot, 1, true);

// Four rows of double-height text, the last two off the page grid.
static void BM_DoubleHeightText(benchmark::State &run, uint8_t inverse, bool dotByDot)
{
    char row[32] = "0123456789ABCDEF";
    TimeAgainstClear(run, [&] {
        LcdClear();
        for (uint8_t y : {0, 16, 35, 47})
            dotByDot ? dot_by_dot::LcdDrawText(0, y, row, 1, inverse) : LcdDrawText(0, y, row, 1, 0, inverse);
    });
}
BENCHMARK_CAPTURE(BM_DoubleHeightText, normal, 0, false);
BENCHMARK_CAPTURE(BM_DoubleHeightText, inverse, 1, false);
BENCHMARK_CAPTURE(BM_DoubleHeightText, inverse_dot_by_dot, 1, true);

static void BM_FullScreenSmallText(benchmark::State &run)
{
    char row[32] = "www.example.com 2.00";
    TimeAgainstClear(run, [&] {
        LcdClear();
        for (uint8_t y = 1; y < 64; y += 8)
            LcdDrawSmallText(0, y, row, 10);
    });
}
BENCHMARK(BM_FullScreenSmallText);

// A menu screen: title, seven rows and the scroll bar.
static void BM_MenuScreen(benchmark::State &run)
{
    state.menuCursor = 3;
    state.editMode = 0;
    char value[32] = "2500";
    TimeAgainstClear(run, [&] {
        LcdClear();
        DrawTitle(" MAIN MENU ");
        for (uint8_t row = 0; row < 7; ++row)
            DrawMenuRow(0, row, "SPAN: ", value);
        DrawScrollBar(3, 8);
    });
}
BENCHMARK(BM_MenuScreen);

// Two rows of huge numerals, as the run screen shows them.
static void BM_HugeNumerals(benchmark::State &run, bool dotByDot)
{
    TimeAgainstClear(run, [&] {
        LcdClear();
        (dotByDot ? dot_by_dot::LcdDrawHugeNumber : LcdDrawHugeNumber)(0, 0, "8888");
        (dotByDot ? dot_by_dot::LcdDrawHugeNumber : LcdDrawHugeNumber)(0, 32, "-0.5");
    });
}
BENCHMARK_CAPTURE(BM_HugeNumerals, bytes, false);
BENCHMARK_CAPTURE(BM_HugeNumerals, dot_by_dot, true);
