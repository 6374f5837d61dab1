#include <gtest/gtest.h>

#include <cstring>

#include "instrument/state.h"
#include "lcd/frame.h"
#include "support/frame_check.h"
#include "support/frame_dots.h"

namespace {

int DarkByteCount()
{
    int n = 0;
    for (uint8_t byte : state.lcdFrame)
        n += byte != 0;
    return n;
}

class Primitives : public ::testing::Test {
  protected:
    void SetUp() override { ResetInstrumentState(); }
};

TEST_F(Primitives, ClearZeroesEveryByte)
{
    memset(state.lcdFrame, 0xA5, sizeof state.lcdFrame);
    LcdClear();
    for (int i = 0; i < LcdFrameBytes; ++i)
        ASSERT_EQ(state.lcdFrame[i], 0) << "byte " << i;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 128; ++x)
            ASSERT_EQ(LcdGetPixel(x, y), 0);
}

TEST_F(Primitives, PixelsMapToPageBytesWithBitZeroOnTop)
{
    struct Case {
        uint8_t x, y;
        int byte;
        uint8_t mask;
    } cases[] = {{0, 0, 0, 0x01}, {127, 63, 1023, 0x80}, {5, 9, 133, 0x02},  {127, 0, 127, 0x01},
                 {0, 7, 0, 0x80}, {0, 8, 128, 0x01},     {64, 56, 960, 0x01}};
    for (const Case &c : cases) {
        LcdClear();
        LcdSetPixel(c.x, c.y, PixelSet);
        EXPECT_EQ(state.lcdFrame[c.byte], c.mask) << "(" << int(c.x) << ", " << int(c.y) << ")";
        EXPECT_EQ(DarkByteCount(), 1);
        EXPECT_EQ(LcdGetPixel(c.x, c.y), 1);
    }
}

TEST_F(Primitives, WriteModesClearSetAndToggleOthersDoNothing)
{
    LcdSetPixel(10, 20, PixelSet);
    LcdSetPixel(10, 21, PixelSet);
    LcdSetPixel(10, 20, PixelClear);
    EXPECT_EQ(LcdGetPixel(10, 20), 0);
    EXPECT_EQ(LcdGetPixel(10, 21), 1); // the neighbour in the same byte stays

    LcdSetPixel(10, 20, PixelInvert);
    EXPECT_EQ(LcdGetPixel(10, 20), 1);
    LcdSetPixel(10, 20, PixelInvert);
    EXPECT_EQ(LcdGetPixel(10, 20), 0);
    EXPECT_EQ(LcdGetPixel(10, 21), 1);

    for (uint8_t mode : {3, 4, 128, 255}) {
        LcdSetPixel(10, 21, mode);
        LcdSetPixel(10, 22, mode);
    }
    EXPECT_EQ(LcdGetPixel(10, 21), 1);
    EXPECT_EQ(LcdGetPixel(10, 22), 0);
}

TEST_F(Primitives, OffScreenPositionsAreSkippedAndReadAsBackground)
{
    for (uint8_t x : {128, 129, 200, 255})
        LcdSetPixel(x, 0, PixelSet);
    for (uint8_t y : {64, 65, 128, 255})
        LcdSetPixel(0, y, PixelSet);
    LcdSetPixel(255, 255, PixelInvert);
    EXPECT_EQ(DarkByteCount(), 0);

    memset(state.lcdFrame, 0xFF, sizeof state.lcdFrame);
    EXPECT_EQ(LcdGetPixel(128, 0), 0);
    EXPECT_EQ(LcdGetPixel(0, 64), 0);
    EXPECT_EQ(LcdGetPixel(255, 255), 0);
}

TEST_F(Primitives, LineWorkedExamples)
{
    LcdDrawLine(0, 0, 3, 1, PixelSet);
    EXPECT_EQ(DarkDots(state.lcdFrame), (Dots{{0, 0}, {1, 0}, {2, 1}, {3, 1}}));
    LcdClear();
    LcdDrawLine(0, 0, 1, 3, PixelSet);
    EXPECT_EQ(DarkDots(state.lcdFrame), (Dots{{0, 0}, {0, 1}, {1, 2}, {1, 3}}));
    LcdClear();
    LcdDrawLine(3, 1, 0, 0, PixelSet);
    EXPECT_EQ(DarkDots(state.lcdFrame), (Dots{{3, 1}, {2, 1}, {1, 0}, {0, 0}}));
}

// The walk starts at (x0, y0); with ties broken only on a strictly positive
// error, a line and its reverse differ wherever the tie falls.
TEST_F(Primitives, LineWalksFromTheFirstEndPoint)
{
    LcdDrawLine(0, 0, 4, 1, PixelSet);
    EXPECT_EQ(DarkDots(state.lcdFrame), (Dots{{0, 0}, {1, 0}, {2, 0}, {3, 1}, {4, 1}}));
    LcdClear();
    LcdDrawLine(4, 1, 0, 0, PixelSet);
    EXPECT_EQ(DarkDots(state.lcdFrame), (Dots{{4, 1}, {3, 1}, {2, 1}, {1, 0}, {0, 0}}));
    LcdClear();
    LcdDrawLine(0, 0, 1, 4, PixelSet);
    EXPECT_EQ(DarkDots(state.lcdFrame), (Dots{{0, 0}, {0, 1}, {0, 2}, {1, 3}, {1, 4}}));
    LcdClear();
    LcdDrawLine(1, 4, 0, 0, PixelSet);
    EXPECT_EQ(DarkDots(state.lcdFrame), (Dots{{1, 4}, {1, 3}, {1, 2}, {0, 1}, {0, 0}}));
}

// One line per octant around (40, 30), each worked out by hand.
TEST_F(Primitives, LineInEveryOctant)
{
    struct Case {
        int x1, y1;
        Dots dots;
    } cases[] = {
        {44, 31, {{40, 30}, {41, 30}, {42, 30}, {43, 31}, {44, 31}}}, // shallow, right and down
        {41, 34, {{40, 30}, {40, 31}, {40, 32}, {41, 33}, {41, 34}}}, // steep, right and down
        {39, 34, {{40, 30}, {40, 31}, {40, 32}, {39, 33}, {39, 34}}}, // steep, left and down
        {36, 31, {{40, 30}, {39, 30}, {38, 30}, {37, 31}, {36, 31}}}, // shallow, left and down
        {36, 29, {{40, 30}, {39, 30}, {38, 30}, {37, 29}, {36, 29}}}, // shallow, left and up
        {39, 26, {{40, 30}, {40, 29}, {40, 28}, {39, 27}, {39, 26}}}, // steep, left and up
        {41, 26, {{40, 30}, {40, 29}, {40, 28}, {41, 27}, {41, 26}}}, // steep, right and up
        {44, 29, {{40, 30}, {41, 30}, {42, 30}, {43, 29}, {44, 29}}}, // shallow, right and up
        {43, 33, {{40, 30}, {41, 31}, {42, 32}, {43, 33}}},           // diagonal
        {40, 30, {{40, 30}}},                                         // a single point
    };
    for (const Case &c : cases) {
        LcdClear();
        LcdDrawLine(40, 30, c.x1, c.y1, PixelSet);
        EXPECT_EQ(DarkDots(state.lcdFrame), c.dots) << "to (" << c.x1 << ", " << c.y1 << ")";
    }
}

TEST_F(Primitives, InvertedLineTogglesEachDotOnce)
{
    LcdSetPixel(1, 0, PixelSet);
    LcdSetPixel(9, 9, PixelSet);
    LcdDrawLine(0, 0, 3, 1, PixelInvert);
    EXPECT_EQ(DarkDots(state.lcdFrame), (Dots{{0, 0}, {2, 1}, {3, 1}, {9, 9}}));

    LcdClear();
    LcdDrawLine(7, 7, 7, 7, PixelInvert);
    EXPECT_EQ(DarkDots(state.lcdFrame), (Dots{{7, 7}}));
    LcdDrawLine(7, 7, 7, 7, PixelInvert);
    EXPECT_TRUE(DarkDots(state.lcdFrame).empty());

    LcdDrawLine(0, 5, 20, 5, PixelSet);
    LcdDrawLine(0, 5, 20, 5, PixelClear);
    EXPECT_TRUE(DarkDots(state.lcdFrame).empty());
}

// End points are signed; each plotted point keeps only its low 8 bits.
TEST_F(Primitives, LinePointsWrapToEightBits)
{
    LcdDrawLine(-2, 10, 2, 10, PixelSet);
    EXPECT_EQ(DarkDots(state.lcdFrame), (Dots{{0, 10}, {1, 10}, {2, 10}}));

    LcdClear();
    LcdDrawLine(250, 5, 260, 5, PixelSet); // 256..260 arrive as 0..4
    EXPECT_EQ(DarkDots(state.lcdFrame), (Dots{{0, 5}, {1, 5}, {2, 5}, {3, 5}, {4, 5}}));

    LcdClear();
    LcdDrawLine(3, 62, 3, 66, PixelSet); // 64..66 are below the screen
    EXPECT_EQ(DarkDots(state.lcdFrame), (Dots{{3, 62}, {3, 63}}));

    LcdClear();
    LcdDrawLine(3, 254, 3, 257, PixelSet); // 256 and 257 wrap to rows 0 and 1
    EXPECT_EQ(DarkDots(state.lcdFrame), (Dots{{3, 0}, {3, 1}}));
}

TEST_F(Primitives, RectOutlineCoversAllFourEdges)
{
    LcdDrawRect(2, 3, 6, 8, PixelSet);
    Dots expected;
    for (int x = 2; x <= 6; ++x)
        expected.insert({x, 3}), expected.insert({x, 8});
    for (int y = 3; y <= 8; ++y)
        expected.insert({2, y}), expected.insert({6, y});
    EXPECT_EQ(DarkDots(state.lcdFrame), expected);
}

TEST_F(Primitives, InvertedRectLeavesCornersAsTheyWere)
{
    LcdDrawRect(2, 3, 6, 8, PixelInvert);
    Dots expected;
    for (int x = 3; x <= 5; ++x)
        expected.insert({x, 3}), expected.insert({x, 8});
    for (int y = 4; y <= 7; ++y)
        expected.insert({2, y}), expected.insert({6, y});
    EXPECT_EQ(DarkDots(state.lcdFrame), expected);
}

TEST_F(Primitives, FillRectCoversTheBoxInclusive)
{
    LcdFillRect(10, 6, 13, 9, PixelSet);
    Dots expected;
    for (int x = 10; x <= 13; ++x)
        for (int y = 6; y <= 9; ++y)
            expected.insert({x, y});
    EXPECT_EQ(DarkDots(state.lcdFrame), expected);
}

TEST_F(Primitives, InvertedFillClearsADarkLineInsideTheBoxOnly)
{
    LcdDrawLine(0, 20, 127, 20, PixelSet);
    LcdFillRect(30, 18, 40, 22, PixelInvert);
    for (int x = 0; x < 128; ++x)
        EXPECT_EQ(LcdGetPixel(x, 20), (x < 30 || x > 40) ? 1 : 0) << "x " << x;
    for (int x = 30; x <= 40; ++x)
        for (int y : {18, 19, 21, 22})
            EXPECT_EQ(LcdGetPixel(x, y), 1);
    EXPECT_EQ(LcdGetPixel(29, 19), 0);
    EXPECT_EQ(LcdGetPixel(41, 19), 0);
    EXPECT_EQ(LcdGetPixel(30, 17), 0);
    EXPECT_EQ(LcdGetPixel(30, 23), 0);
}

TEST_F(Primitives, FillRectSingleColumnAndEmptyBox)
{
    LcdFillRect(50, 10, 50, 12, PixelSet);
    EXPECT_EQ(DarkDots(state.lcdFrame), (Dots{{50, 10}, {50, 11}, {50, 12}}));
    LcdClear();
    LcdFillRect(51, 10, 50, 12, PixelSet);
    LcdFillRect(255, 0, 0, 63, PixelSet);
    EXPECT_TRUE(DarkDots(state.lcdFrame).empty());
}

// The column counter is 8-bit: a right edge of 255 must still end, having
// filled every on-screen column from x0.
TEST_F(Primitives, FillRectToColumn255Ends)
{
    LcdFillRect(120, 0, 255, 1, PixelSet);
    Dots expected;
    for (int x = 120; x < 128; ++x)
        expected.insert({x, 0}), expected.insert({x, 1});
    EXPECT_EQ(DarkDots(state.lcdFrame), expected);

    LcdClear();
    LcdFillRect(255, 0, 255, 63, PixelSet);
    EXPECT_TRUE(DarkDots(state.lcdFrame).empty());
}

} // namespace
