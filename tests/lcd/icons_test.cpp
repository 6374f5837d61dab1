#include <gtest/gtest.h>

#include <cstring>

#include "instrument/state.h"
#include "lcd/bitmaps.h"
#include "lcd/icons.h"
#include "support/frame_check.h"

namespace {

// A frame full of varied bytes, so both cleared and kept dots are visible.
void FillWithPattern()
{
    for (int i = 0; i < LcdFrameBytes; ++i)
        state.lcdFrame[i] = uint8_t(i * 37 + 11);
}

uint8_t PatternByte(int i) { return uint8_t(i * 37 + 11); }

// The 32 column bytes of icon n, page p (0-3), as cut from its sheet.
const uint8_t *IconRow(int n, int p)
{
    const uint8_t *sheet = n < 8 ? IconSheetA.data() : IconSheetB.data();
    const int m = n % 8;
    return sheet + ((m / 4) * 4 + p) * 128 + (m % 4) * 32;
}

bool IconIsBlank(int n)
{
    for (int p = 0; p < 4; ++p)
        for (int c = 0; c < 32; ++c)
            if (IconRow(n, p)[c] != 0)
                return false;
    return true;
}

} // namespace

TEST(Icons, EachIconIsCopiedOpaquelyToColumns10To41AndNothingElse)
{
    for (int n = 0; n < 16; ++n) {
        ResetInstrumentState();
        FillWithPattern();
        LcdDrawIcon(uint8_t(n));
        // The question icon sits at rows 8-39, every other at rows 16-47.
        const int firstPage = n == 3 ? 1 : 2;
        for (int page = 0; page < 8; ++page)
            for (int x = 0; x < 128; ++x) {
                const int i = page * 128 + x;
                const bool inside = x >= 10 && x <= 41 && page >= firstPage && page < firstPage + 4;
                const uint8_t expected = inside ? IconRow(n, page - firstPage)[x - 10] : PatternByte(i);
                ASSERT_EQ(state.lcdFrame[i], expected) << "icon " << n << " page " << page << " column " << x;
            }
    }
}

TEST(Icons, NumbersAbove15DrawNothing)
{
    for (int n : {16, 17, 100, 255}) {
        ResetInstrumentState();
        FillWithPattern();
        LcdDrawIcon(uint8_t(n));
        for (int i = 0; i < LcdFrameBytes; ++i)
            ASSERT_EQ(state.lcdFrame[i], PatternByte(i)) << "icon " << n << " byte " << i;
    }
}

TEST(Icons, SheetsHoldTenDistinctPicturesAndSixBlankSlots)
{
    static_assert(sizeof IconSheetA == 1024 && sizeof IconSheetB == 1024);
    for (int n = 0; n < 16; ++n) {
        const bool unused = n == 8 || n == 9 || n >= 12;
        EXPECT_EQ(IconIsBlank(n), unused) << "icon " << n;
    }
    for (int a = 0; a < 16; ++a)
        for (int b = a + 1; b < 16; ++b) {
            if (IconIsBlank(a) || IconIsBlank(b))
                continue;
            bool same = true;
            for (int p = 0; p < 4 && same; ++p)
                same = memcmp(IconRow(a, p), IconRow(b, p), 32) == 0;
            EXPECT_FALSE(same) << "icons " << a << " and " << b;
        }
}

TEST(IconsLook, SheetsMatchTheirReferences)
{
    ResetInstrumentState();
    memcpy(state.lcdFrame, IconSheetA.data(), sizeof state.lcdFrame);
    EXPECT_EQ(CompareFrameWithReference("lcd/icons_sheet_a"), "");
    memcpy(state.lcdFrame, IconSheetB.data(), sizeof state.lcdFrame);
    EXPECT_EQ(CompareFrameWithReference("lcd/icons_sheet_b"), "");
}
