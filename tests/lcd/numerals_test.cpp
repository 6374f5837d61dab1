#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "instrument/state.h"
#include "lcd/bitmaps.h"
#include "lcd/numerals.h"
#include "support/frame_check.h"
#include "support/frame_dots.h"

namespace {

constexpr int LargeStrip = 180;

bool LargeBit(int d, int c, int r) { return (DigitsLarge[(r / 8) * LargeStrip + 18 * d + c] >> (r % 8)) & 1; }

// Slot s of the huge table (code - 45).
bool HugeBit(int s, int c, int r) { return (DigitsHuge[s * 88 + (r / 8) * 22 + c] >> (r % 8)) & 1; }

void ExpectFrameEquals(const Frame &expected)
{
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 128; ++x)
            ASSERT_EQ(DotAt(x, y), DotAt(expected, x, y)) << "dot (" << x << ", " << y << ")";
}

// A frame holding exactly the dots of the boxes given, inclusive corners.
struct Box {
    int x0, y0, x1, y1;
};

Frame FrameOfBoxes(std::initializer_list<Box> boxes)
{
    Frame f{};
    for (const Box &b : boxes)
        for (int x = b.x0; x <= b.x1; ++x)
            for (int y = b.y0; y <= b.y1; ++y)
                SetDot(f, x, y, true);
    return f;
}

// Lengths of the runs of dark dots along row r of a picture.
template <typename BitAt> std::vector<int> Runs(int width, BitAt bit)
{
    std::vector<int> runs;
    int run = 0;
    for (int c = 0; c <= width; ++c) {
        if (c < width && bit(c)) {
            ++run;
        } else if (run > 0) {
            runs.push_back(run);
            run = 0;
        }
    }
    return runs;
}

Frame Render(void (*draw)(uint8_t, uint8_t, const char *), uint8_t x, uint8_t y, const char *text)
{
    ResetInstrumentState();
    draw(x, y, text);
    return CurrentFrame();
}

} // namespace

TEST(NumeralsTables, LargeDigitsKeepTheirCellMargins)
{
    static_assert(sizeof DigitsLarge == 540);
    for (int d = 0; d < 10; ++d) {
        for (int r = 0; r < 24; ++r) {
            EXPECT_FALSE(LargeBit(d, 0, r)) << "digit " << d << " row " << r << " column 0";
            EXPECT_FALSE(LargeBit(d, 17, r)) << "digit " << d << " row " << r << " column 17";
        }
        bool top = false, bottom = false;
        for (int c = 0; c < 18; ++c) {
            EXPECT_FALSE(LargeBit(d, c, 23)) << "digit " << d << " column " << c << " row 23";
            top = top || LargeBit(d, c, 0);
            bottom = bottom || LargeBit(d, c, 22);
        }
        // Every digit stands the full height, so mixed digits line up.
        EXPECT_TRUE(top && bottom) << "digit " << d;
    }
}

TEST(NumeralsTables, HugeDigitsStayWithinColumns0To20AndRows0To29)
{
    static_assert(sizeof DigitsHuge == 13 * 88);
    for (int d = 0; d < 10; ++d) {
        bool top = false, bottom = false;
        for (int c = 0; c < 22; ++c) {
            EXPECT_FALSE(HugeBit(3 + d, c, 30) || HugeBit(3 + d, c, 31)) << "digit " << d << " column " << c;
            top = top || HugeBit(3 + d, c, 0);
            bottom = bottom || HugeBit(3 + d, c, 29);
        }
        for (int r = 0; r < 32; ++r)
            EXPECT_FALSE(HugeBit(3 + d, 21, r)) << "digit " << d << " row " << r;
        EXPECT_TRUE(top && bottom) << "digit " << d;
    }
}

TEST(NumeralsTables, DigitsAreDistinctAndBoldStrokesHaveTheirWidth)
{
    for (int a = 0; a < 10; ++a)
        for (int b = a + 1; b < 10; ++b) {
            EXPECT_NE(0, memcmp(&DigitsHuge[(3 + a) * 88], &DigitsHuge[(3 + b) * 88], 88)) << a << " " << b;
            bool differ = false;
            for (int c = 0; c < 18 && !differ; ++c)
                for (int r = 0; r < 24 && !differ; ++r)
                    differ = LargeBit(a, c, r) != LargeBit(b, c, r);
            EXPECT_TRUE(differ) << "large " << a << " and " << b;
        }
    // Half-way down the upper bowl of 0 and the stem of 1: vertical strokes are
    // four dots (large) and five to six dots (huge) wide.
    EXPECT_EQ(Runs(18, [](int c) { return LargeBit(0, c, 6); }), (std::vector<int>{4, 4}));
    EXPECT_EQ(Runs(18, [](int c) { return LargeBit(1, c, 15); }), (std::vector<int>{4}));
    for (int d : {0, 1, 8}) {
        for (int run : Runs(22, [d](int c) { return HugeBit(3 + d, c, 20); })) {
            EXPECT_GE(run, 5) << "huge " << d;
            EXPECT_LE(run, 6) << "huge " << d;
        }
    }
}

TEST(NumeralsTables, HugeSignSlotsAreBlankPlusAndMinus)
{
    for (int i = 0; i < 88; ++i)
        EXPECT_EQ(DigitsHuge[i], 0) << "blank slot byte " << i;
    // The stored signs have the shapes the drawing operation makes with lines.
    for (int c = 0; c < 22; ++c)
        for (int r = 0; r < 32; ++r) {
            const bool bar = c <= 11 && r >= 13 && r <= 16;
            const bool stem = c >= 4 && c <= 7 && r >= 9 && r <= 20;
            EXPECT_EQ(HugeBit(1, c, r), bar || stem) << "plus " << c << "," << r;
            EXPECT_EQ(HugeBit(2, c, r), bar) << "minus " << c << "," << r;
        }
}

TEST(NumeralsLarge, DigitsLandOnTheirCellUntouchedAround)
{
    for (int d = 0; d < 10; ++d) {
        const char text[2] = {char('0' + d), 0};
        Render(LcdDrawLargeNumber, 30, 17, text);
        for (int x = 0; x < 128; ++x)
            for (int y = 0; y < 64; ++y) {
                const bool inCell = x >= 30 && x < 48 && y >= 17 && y < 41;
                EXPECT_EQ(DotAt(x, y), inCell && LargeBit(d, x - 30, y - 17)) << d << " at " << x << "," << y;
            }
    }
    // The strip is page-major: the 0 drawn shows its two side strokes.
    Render(LcdDrawLargeNumber, 0, 0, "0");
    EXPECT_EQ(Runs(128, [](int x) { return DotAt(x, 12); }), (std::vector<int>{4, 4}));
    EXPECT_TRUE(DotAt(1, 12) && DotAt(4, 12) && !DotAt(5, 12) && DotAt(13, 12) && DotAt(16, 12) &&
                !DotAt(17, 12));
}

TEST(NumeralsLarge, SpaceTwoPointFiveAdvancesEighteenAndTwelve)
{
    const Frame two = Render(LcdDrawLargeNumber, 28, 20, "2");
    const Frame five = Render(LcdDrawLargeNumber, 58, 20, "5");
    Frame expected = FrameOfBoxes({{49, 40, 49, 41}, {50, 39, 51, 42}, {52, 40, 52, 41}});
    for (int i = 0; i < LcdFrameBytes; ++i)
        expected.bytes[i] |= two.bytes[i] | five.bytes[i];

    Render(LcdDrawLargeNumber, 10, 20, " 2.5");
    ExpectFrameEquals(expected);
}

TEST(NumeralsLarge, MinusPointAndSpaceDrawTheirExactDots)
{
    Render(LcdDrawLargeNumber, 20, 10, "-");
    ExpectFrameEquals(FrameOfBoxes({{24, 19, 32, 21}}));
    Render(LcdDrawLargeNumber, 20, 10, ".");
    ExpectFrameEquals(FrameOfBoxes({{23, 30, 23, 31}, {24, 29, 25, 32}, {26, 30, 26, 31}}));
    Render(LcdDrawLargeNumber, 20, 10, "   ");
    ExpectFrameEquals(Frame{});
    // Advances: space, minus and a digit 18, the point 12.
    for (const char *lead : {" ", "-", "7"}) {
        const std::string text = std::string(lead) + "-";
        Render(LcdDrawLargeNumber, 20, 10, lead);
        LcdDrawLargeNumber(38, 10, "-");
        const Frame expected = CurrentFrame();
        Render(LcdDrawLargeNumber, 20, 10, text.c_str());
        ExpectFrameEquals(expected);
    }
    Render(LcdDrawLargeNumber, 20, 10, ".");
    LcdDrawLargeNumber(32, 10, "-");
    const Frame expected = CurrentFrame();
    Render(LcdDrawLargeNumber, 20, 10, ".-");
    ExpectFrameEquals(expected);
}

TEST(NumeralsHuge, SignsAndPointDrawTheirExactDots)
{
    Render(LcdDrawHugeNumber, 40, 20, "+");
    ExpectFrameEquals(FrameOfBoxes({{44, 29, 47, 40}, {40, 33, 51, 36}}));
    Render(LcdDrawHugeNumber, 40, 20, "-");
    ExpectFrameEquals(FrameOfBoxes({{40, 33, 51, 36}}));
    Render(LcdDrawHugeNumber, 40, 20, ".");
    ExpectFrameEquals(FrameOfBoxes({{42, 47, 42, 48}, {43, 46, 45, 49}, {46, 47, 46, 48}}));
}

TEST(NumeralsHuge, DigitsLandOnTheirCell)
{
    for (int d = 0; d < 10; ++d) {
        const char text[2] = {char('0' + d), 0};
        Render(LcdDrawHugeNumber, 100, 30, text);
        for (int x = 0; x < 128; ++x)
            for (int y = 0; y < 64; ++y) {
                const bool inCell = x >= 100 && x < 122 && y >= 30 && y < 62;
                EXPECT_EQ(DotAt(x, y), inCell && HugeBit(3 + d, x - 100, y - 30))
                    << d << " at " << x << "," << y;
            }
    }
}

TEST(NumeralsHuge, AdvancesFourteenForSignsTwelveForPointTwentyTwoOtherwise)
{
    const struct {
        const char *lead;
        int advance;
    } cases[] = {{"-", 14}, {"+", 14}, {".", 12}, {" ", 22}, {"0", 22}, {"9", 22}};
    for (const auto &c : cases) {
        Render(LcdDrawHugeNumber, 5, 2, c.lead);
        LcdDrawHugeNumber(uint8_t(5 + c.advance), 2, "1");
        const Frame expected = CurrentFrame();
        Render(LcdDrawHugeNumber, 5, 2, (std::string(c.lead) + "1").c_str());
        SCOPED_TRACE(c.lead);
        ExpectFrameEquals(expected);
    }
}

TEST(Numerals, DrawingNeverClearsDots)
{
    for (auto draw : {LcdDrawLargeNumber, LcdDrawHugeNumber}) {
        const Frame zero = Render(draw, 12, 3, "0");
        const Frame eight = Render(draw, 12, 3, "8");
        Render(draw, 12, 3, "0");
        draw(12, 3, "8");
        Frame expected;
        for (int i = 0; i < LcdFrameBytes; ++i)
            expected.bytes[i] = zero.bytes[i] | eight.bytes[i];
        ExpectFrameEquals(expected);
        // On a dark frame nothing changes, whatever is drawn.
        memset(state.lcdFrame, 0xFF, sizeof state.lcdFrame);
        draw(0, 0, "-0.18+ 9");
        for (int i = 0; i < LcdFrameBytes; ++i)
            ASSERT_EQ(state.lcdFrame[i], 0xFF) << "byte " << i;
    }
}

TEST(Numerals, PositionsWrapInEightBits)
{
    // A digit started at x = 250 shows its right part at the left edge.
    Render(LcdDrawLargeNumber, 250, 0, "8");
    for (int x = 0; x < 128; ++x)
        for (int y = 0; y < 64; ++y)
            EXPECT_EQ(DotAt(x, y), x < 12 && y < 24 && LargeBit(8, x + 6, y)) << x << "," << y;
    // A bar crossing x = 255 continues at 0 rather than running back.
    Render(LcdDrawLargeNumber, 250, 0, "-");
    ExpectFrameEquals(FrameOfBoxes({{0, 9, 6, 11}}));
    Render(LcdDrawHugeNumber, 250, 0, "+");
    ExpectFrameEquals(FrameOfBoxes({{0, 13, 5, 16}, {0, 9, 1, 20}}));
    // The running x wraps too: a space from 240 lands the next digit at 2.
    const Frame at2 = Render(LcdDrawLargeNumber, 2, 5, "4");
    Render(LcdDrawLargeNumber, 240, 5, " 4");
    ExpectFrameEquals(at2);
    const Frame hugeAt6 = Render(LcdDrawHugeNumber, 6, 0, "7");
    Render(LcdDrawHugeNumber, 240, 0, " 7");
    ExpectFrameEquals(hugeAt6);
    // Rows wrap as well: from y = 250 the lower part shows at the top.
    Render(LcdDrawHugeNumber, 0, 250, "0");
    for (int x = 0; x < 22; ++x)
        for (int y = 0; y < 26; ++y)
            EXPECT_EQ(DotAt(x, y), HugeBit(3, x, y + 6)) << x << "," << y;
}

TEST(Numerals, OtherCharactersDrawNothing)
{
    // Codes around and far from the tables' ranges: nothing may be drawn and
    // nothing outside the tables read (the sanitizer build checks the reads).
    const char *texts[] = {"/", ",", ":", "A", "\x7f", "\x80", "\xff", "\x01", "/,:A"};
    for (const char *text : texts) {
        Render(LcdDrawHugeNumber, 0, 0, text);
        ExpectFrameEquals(Frame{});
        Render(LcdDrawLargeNumber, 0, 0, text);
        ExpectFrameEquals(Frame{});
    }
    // The plus sign exists only among the huge numerals.
    Render(LcdDrawLargeNumber, 0, 0, "+");
    ExpectFrameEquals(Frame{});
    Render(LcdDrawLargeNumber, 0, 0, "");
    ExpectFrameEquals(Frame{});
}

TEST(NumeralsLook, DigitsSignsAndReadingsMatchTheirReferences)
{
    ResetInstrumentState();
    LcdDrawLargeNumber(0, 0, "01234-");
    LcdDrawLargeNumber(0, 26, "56789.");
    EXPECT_EQ(CompareFrameWithReference("lcd/numerals_large"), "");
    ResetInstrumentState();
    LcdDrawHugeNumber(0, 0, "01234+");
    LcdDrawHugeNumber(0, 32, "56789-.");
    EXPECT_EQ(CompareFrameWithReference("lcd/numerals_huge"), "");
    ResetInstrumentState();
    LcdDrawHugeNumber(35, 5, " 995");
    LcdDrawLargeNumber(10, 40, "-2.5");
    EXPECT_EQ(CompareFrameWithReference("lcd/numerals_readings"), "");
}
