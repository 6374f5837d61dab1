#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "instrument/state.h"
#include "lcd/fonts.h"
#include "lcd/frame.h"
#include "lcd/text.h"
#include "support/frame_check.h"
#include "support/frame_dots.h"

namespace {

const uint8_t GlyphA[8] = {0x7C, 0x7E, 0x13, 0x11, 0x13, 0x7E, 0x7C, 0x00};
const uint8_t Glyph0[8] = {0x3E, 0x7F, 0x41, 0x41, 0x41, 0x7F, 0x3E, 0x00};

::testing::AssertionResult SameFrame(const std::string &actual, const std::string &expected)
{
    if (actual.size() != expected.size())
        return ::testing::AssertionFailure() << "frames of different size";
    int differing = 0;
    for (size_t i = 0; i < actual.size(); ++i)
        differing += actual[i] != expected[i];
    if (differing == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << differing << " dots differ";
}

// The frame after drawing with `draw` on a cleared frame.
template <class F> std::string FrameOf(F draw)
{
    LcdClear();
    draw();
    return FrameToPbm(state.lcdFrame);
}

class Text : public ::testing::Test {
  protected:
    void SetUp() override { ResetInstrumentState(); }
};

TEST_F(Text, Font8x8GlyphsDrawTheirColumnBytes)
{
    LcdDrawText(0, 0, "A0", 0, 0, 0);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(state.lcdFrame[i], GlyphA[i]) << "A column " << i;
        EXPECT_EQ(state.lcdFrame[8 + i], Glyph0[i]) << "0 column " << i;
    }
    EXPECT_EQ(state.lcdFrame[16], 0);
    EXPECT_EQ(state.lcdFrame[128], 0); // row 8 is below the cell
}

TEST_F(Text, Font8x8SymbolCodes)
{
    struct Symbol {
        uint8_t code;
        uint8_t bytes[8];
    } symbols[] = {
        {123, {0x20, 0x30, 0x38, 0x3C, 0x38, 0x30, 0x20, 0x00}}, // up triangle
        {124, {0x00, 0x00, 0x06, 0x09, 0x09, 0x06, 0x00, 0x00}}, // degree ring
        {125, {0x04, 0x0C, 0x1C, 0x3C, 0x1C, 0x0C, 0x04, 0x00}}, // down triangle
        {126, {0x1C, 0x3E, 0x63, 0x63, 0x63, 0x2A, 0x0C, 0x0E}}, // knob
        {127, {0x04, 0x06, 0x02, 0x06, 0x04, 0x06, 0x02, 0x00}}, // wave
        {128, {0x06, 0x09, 0x09, 0x06, 0x70, 0x88, 0x88, 0x00}}, // degrees C
        {129, {0x06, 0x09, 0x09, 0x06, 0xF8, 0x28, 0x08, 0x00}}, // degrees F
        {138, {0x00, 0x00, 0x06, 0x09, 0x09, 0x06, 0x00, 0x00}}, // degree ring
    };
    for (const Symbol &s : symbols) {
        LcdClear();
        char text[2] = {(char)s.code, 0};
        LcdDrawText(0, 0, text, 0, 0, 0);
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(state.lcdFrame[i], s.bytes[i]) << "code " << int(s.code) << " column " << i;
    }
}

// Line pieces are two dots thick on columns 3-4 and rows 3-4 and join at the
// cell edges.
TEST_F(Text, Font8x8LinePieces)
{
    const uint8_t vertical = 0xFF, horizontal = 0x18, down = 0xF8, up = 0x1F;
    struct Piece {
        uint8_t code;
        uint8_t left, middle, right; // columns 0-2, 3-4, 5-7
    } pieces[] = {
        {130, 0, vertical, 0},
        {131, 0, down, horizontal},
        {132, horizontal, down, 0},
        {133, 0, up, horizontal},
        {134, horizontal, up, 0},
        {135, horizontal, horizontal, horizontal},
        {136, horizontal, down, horizontal},
        {137, horizontal, vertical, horizontal},
    };
    for (const Piece &p : pieces) {
        LcdClear();
        char text[2] = {(char)p.code, 0};
        LcdDrawText(0, 0, text, 0, 0, 0);
        for (int i = 0; i < 8; ++i) {
            uint8_t expected = i < 3 ? p.left : i < 5 ? p.middle : p.right;
            EXPECT_EQ(state.lcdFrame[i], expected) << "code " << int(p.code) << " column " << i;
        }
    }
}

// Capitals and digits stay in columns 0-6 and rows 0-6 (except Q's tail and
// the wide Y); j p q y reach row 7, g does not.
TEST_F(Text, Font8x8CellDiscipline)
{
    for (int c = 0; c < 128; ++c) {
        bool capitalOrDigit = (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!capitalOrDigit)
            continue;
        const uint8_t *glyph = &Font8x8[(c - 32) * 8];
        if (c != 'Y') {
            EXPECT_EQ(glyph[7], 0) << char(c) << " uses column 7";
        }
        uint8_t rows = 0;
        for (int i = 0; i < 8; ++i)
            rows |= glyph[i];
        if (c != 'Q') {
            EXPECT_EQ(rows & 0x80, 0) << char(c) << " uses row 7";
        }
        EXPECT_NE(rows, 0) << char(c) << " is blank";
    }
    EXPECT_NE(Font8x8[('Y' - 32) * 8 + 7], 0);
    for (char c : std::string("jpqyg")) {
        uint8_t rows = 0;
        for (int i = 0; i < 8; ++i)
            rows |= Font8x8[(c - 32) * 8 + i];
        EXPECT_EQ((rows & 0x80) != 0, c != 'g') << c;
        if (c == 'g') {
            EXPECT_EQ(rows & 0x01, 0) << "g reaches row 0";
        }
    }
}

TEST_F(Text, Font5x7ExampleGlyphsAndClearTopRow)
{
    const uint8_t a[5] = {0x3F, 0x48, 0x48, 0x48, 0x3F}, zero[5] = {0x3E, 0x45, 0x49, 0x51, 0x3E};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(Font5x7[('A' - 32) * 5 + i], a[i]);
        EXPECT_EQ(Font5x7[('0' - 32) * 5 + i], zero[i]);
    }
    for (int i = 0; i < 495; ++i)
        EXPECT_EQ(Font5x7[i] & 0x80, 0) << "code " << 32 + i / 5;
}

TEST_F(Text, InverseVideoWritesTheWholeCell)
{
    LcdDrawText(0, 0, "A", 0, 0, 1);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(state.lcdFrame[i], (uint8_t)~GlyphA[i]) << "column " << i;
    EXPECT_EQ(CountDots(state.lcdFrame), 64 - 30); // "A" has 30 dots

    // Over a dark frame, inverse clears the glyph; normal video is
    // transparent and changes nothing.
    memset(state.lcdFrame, 0xFF, sizeof state.lcdFrame);
    LcdDrawText(0, 0, "A", 0, 0, 0);
    EXPECT_EQ(CountDots(state.lcdFrame), 128 * 64);
    LcdDrawText(0, 0, "A", 0, 0, 1);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(state.lcdFrame[i], (uint8_t)~GlyphA[i]);
}

// Only exactly 1 selects inverse video or double height.
TEST_F(Text, FlagsActOnlyWhenExactlyOne)
{
    std::string normal = FrameOf([] { LcdDrawText(10, 10, "A0", 0, 0, 0); });
    for (uint8_t flag : {2, 3, 255}) {
        EXPECT_TRUE(SameFrame(FrameOf([&] { LcdDrawText(10, 10, "A0", 0, 0, flag); }), normal))
            << "inverse " << int(flag);
        EXPECT_TRUE(SameFrame(FrameOf([&] { LcdDrawText(10, 10, "A0", flag, 0, 0); }), normal))
            << "double " << int(flag);
    }
    EXPECT_TRUE(SameFrame(FrameOf([] { LcdDrawText(10, 10, "A0", 0, 1, 0); }),
                          normal)); // the argument without effect
}

TEST_F(Text, DoubleHeightDrawsEachRowTwice)
{
    const uint8_t y = 10;
    LcdDrawText(0, y, "A", 1, 0, 0);
    for (int column = 0; column < 8; ++column)
        for (int r = 0; r < 8; ++r) {
            int dot = (GlyphA[column] >> r) & 1;
            EXPECT_EQ(LcdGetPixel(column, y + 2 * r), dot) << column << "," << r;
            EXPECT_EQ(LcdGetPixel(column, y + 2 * r + 1), dot) << column << "," << r;
        }
    // Row 3 of "A" is "##...##.": its dots land on rows y + 6 and y + 7.
    EXPECT_EQ(LcdGetPixel(0, y + 6), 1);
    EXPECT_EQ(LcdGetPixel(0, y + 7), 1);
    EXPECT_EQ(LcdGetPixel(2, y + 6), 0);
    EXPECT_EQ(CountDots(state.lcdFrame), 2 * 30);

    LcdClear();
    LcdDrawText(0, y, "A", 1, 0, 1);
    EXPECT_EQ(CountDots(state.lcdFrame), 8 * 16 - 2 * 30);
    EXPECT_EQ(LcdGetPixel(7, y + 15), 1);
    EXPECT_EQ(LcdGetPixel(7, y + 16), 0);
}

TEST_F(Text, CharactersAdvanceEightColumnsAndWrap)
{
    // From x = 252 the first glyph's columns 4-7 wrap to x = 0..3 and the
    // second glyph follows at x = 4.
    LcdDrawText(252, 0, "A0", 0, 0, 0);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(state.lcdFrame[i], GlyphA[4 + i]);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(state.lcdFrame[4 + i], Glyph0[i]);

    // Rows past 255 wrap to the top: from y = 252, rows 4-7 of the glyph
    // land on rows 0-3.
    LcdClear();
    LcdDrawText(0, 252, "A", 0, 0, 0);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(state.lcdFrame[i], GlyphA[i] >> 4);
}

TEST_F(Text, CodesOutsideTheFontDrawBlankCells)
{
    LcdDrawText(0, 0,
                "A\x8b\xff\x1f\x01"
                "A",
                0, 0, 0);
    for (int i = 8; i < 40; ++i)
        EXPECT_EQ(state.lcdFrame[i], 0) << "column " << i;
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(state.lcdFrame[40 + i], GlyphA[i]);

    LcdClear();
    LcdDrawSmallText(0, 1,
                     "\x83\xff"
                     "A",
                     100);
    for (int x = 0; x < 12; ++x)
        EXPECT_EQ(state.lcdFrame[x], 0) << "column " << x;
    EXPECT_EQ(state.lcdFrame[12], 0xFC); // "A" column 0 at y = 1: font bit 7 - k on row k
}

TEST_F(Text, EmptyStringsDrawNothing)
{
    char empty[32] = "";
    LcdDrawText(5, 5, empty, 0, 0, 1);
    LcdDrawText(5, 5, "", 1, 0, 1);
    LcdDrawTextCentered(64, 5, empty, 0, 0, 1);
    LcdDrawTextCentered(64, 5, "", 0, 0, 1);
    LcdDrawSmallText(5, 5, empty, 0);
    LcdDrawSmallText(5, 5, "", 0);
    LcdDrawSmallTextCentered(64, 5, empty, 0);
    LcdDrawSmallTextCentered(64, 5, "", 0);
    LcdDrawTinyText(5, 5, "", 1);
    EXPECT_EQ(CountDots(state.lcdFrame), 0);
}

TEST_F(Text, CentringSubtractsFourPerCharacterInEightBits)
{
    EXPECT_TRUE(SameFrame(FrameOf([] { LcdDrawTextCentered(64, 8, "ABC", 0, 0, 1); }),
                          FrameOf([] { LcdDrawText(52, 8, "ABC", 0, 0, 1); })));

    // 20 characters centred on 64 start at 240: the first two fall off the
    // left and the third starts at x = 0.
    EXPECT_TRUE(SameFrame(FrameOf([] { LcdDrawTextCentered(64, 8, "ABCDEFGHIJKLMNOPQRST", 0, 0, 0); }),
                          FrameOf([] { LcdDrawText(0, 8, "CDEFGHIJKLMNOPQR", 0, 0, 0); })));
    EXPECT_TRUE(SameFrame(FrameOf([] { LcdDrawTextCentered(64, 8, "ABCDEFGHIJKLMNOPQRST", 0, 0, 0); }),
                          FrameOf([] { LcdDrawText(240, 8, "ABCDEFGHIJKLMNOPQRST", 0, 0, 0); })));

    char buffer[32] = "12";
    EXPECT_TRUE(SameFrame(FrameOf([&] { LcdDrawTextCentered(10, 20, buffer, 1, 0, 0); }),
                          FrameOf([] { LcdDrawText(2, 20, "12", 1, 0, 0); })));
}

// Constant strings are copied into a 32-byte buffer: at most 31 characters
// are drawn and the centring uses the shortened length. A caller's buffer is
// drawn as it is.
TEST_F(Text, ConstantStringsAreCutAfter31Characters)
{
    // Character 32 would land on x = 256, which wraps to 0.
    const char *longText = "                                W";
    LcdDrawText(0, 0, longText, 0, 0, 0);
    EXPECT_EQ(CountDots(state.lcdFrame), 0);
    char buffer[40];
    strcpy(buffer, longText);
    LcdDrawText(0, 0, buffer, 0, 0, 0);
    EXPECT_GT(CountDots(state.lcdFrame), 0);

    // 40 characters cut to 31 are centred from 64 - 124 = 196 (not from
    // 64 - 160 = 160).
    const char *forty = "abcdefghijklmnopqrstuvwxyz0123456789ABCD";
    char first31[32] = "abcdefghijklmnopqrstuvwxyz01234";
    EXPECT_TRUE(SameFrame(FrameOf([&] { LcdDrawTextCentered(64, 0, forty, 0, 0, 0); }),
                          FrameOf([&] { LcdDrawText(196, 0, first31, 0, 0, 0); })));

    // Small font: 6 columns per character; 31 kept are centred from
    // 64 - 93 = 227.
    EXPECT_TRUE(SameFrame(FrameOf([&] { LcdDrawSmallTextCentered(64, 20, forty, 100); }),
                          FrameOf([&] { LcdDrawSmallText(227, 20, first31, 100); })));
    // Character 43 of the small font would land on x = 258 - 256 = 2.
    const char *small = "                                           W";
    LcdClear();
    LcdDrawSmallText(0, 20, small, 0);
    for (int x = 0; x < 12; ++x)
        EXPECT_EQ(LcdGetPixel(x, 20), 1) << "x " << x; // no light glyph dots of a "W"
}

TEST_F(Text, SmallTextCellRowsStartOneAboveY)
{
    const uint8_t y = 20;
    LcdDrawSmallText(0, y, "A0", 100);
    const uint8_t a[5] = {0x3F, 0x48, 0x48, 0x48, 0x3F}, zero[5] = {0x3E, 0x45, 0x49, 0x51, 0x3E};
    for (int column = 0; column < 12; ++column)
        for (int k = 0; k < 8; ++k) {
            uint8_t bits = column < 5 ? a[column] : column == 5 || column == 11 ? 0 : zero[column - 6];
            EXPECT_EQ(LcdGetPixel(column, y + k - 1), (bits >> (7 - k)) & 1) << column << "," << k;
        }
    EXPECT_EQ(CountDots(state.lcdFrame), 18 + 19); // the dots of "A" and "0"
}

TEST_F(Text, SmallTextHighlightFromAnIndex)
{
    const uint8_t y = 20;
    // Row y - 1 is blank in every glyph, so it shows which cells are
    // highlighted.
    auto highlightedCells = [&] {
        std::string cells;
        for (int cell = 0; cell < 6; ++cell) {
            bool all = true;
            for (int x = cell * 6; x < cell * 6 + 6; ++x)
                all = all && LcdGetPixel(x, y - 1);
            cells += all ? '#' : '.';
        }
        return cells;
    };
    LcdDrawSmallText(0, y, "ABCD", 2);
    EXPECT_EQ(highlightedCells(), "..##..");
    LcdClear();
    LcdDrawSmallText(0, y, "ABCD", 0);
    EXPECT_EQ(highlightedCells(), "####..");
    int glyphDots = 0;
    for (int i = ('A' - 32) * 5; i < ('E' - 32) * 5; ++i)
        glyphDots += __builtin_popcount(Font5x7[i]);
    EXPECT_EQ(CountDots(state.lcdFrame), 4 * 48 - glyphDots); // the background of four cells
    for (uint8_t none : {4, 100, 255}) {
        LcdClear();
        LcdDrawSmallText(0, y, "ABCD", none);
        EXPECT_EQ(highlightedCells(), "......") << int(none);
    }

    // Highlighting leaves glyph dots as they are: over a dark frame nothing
    // changes.
    memset(state.lcdFrame, 0xFF, sizeof state.lcdFrame);
    LcdDrawSmallText(0, y, "ABCD", 0);
    EXPECT_EQ(CountDots(state.lcdFrame), 128 * 64);
}

TEST_F(Text, SmallTextCentringSubtractsThreePerCharacter)
{
    EXPECT_TRUE(SameFrame(FrameOf([] { LcdDrawSmallTextCentered(64, 30, "ABC", 1); }),
                          FrameOf([] { LcdDrawSmallText(55, 30, "ABC", 1); })));
    char buffer[32] = "QPX";
    EXPECT_TRUE(SameFrame(FrameOf([&] { LcdDrawSmallTextCentered(4, 30, buffer, 100); }),
                          FrameOf([] { LcdDrawSmallText(251, 30, "QPX", 100); })));
}

// Reads a FontTiny-layout column byte (bit 5 at y - 1 .. bit 1 at y + 3) back
// from the frame.
uint8_t TinyColumnAt(uint8_t x, uint8_t y)
{
    uint8_t bits = 0;
    for (int bit = 5; bit >= 1; --bit)
        bits |= (uint8_t)(LcdGetPixel(x, y + 4 - bit) << bit);
    return bits;
}

TEST_F(Text, TinyTextIsOpaqueInItsBox)
{
    const uint8_t y = 10;
    memset(state.lcdFrame, 0xFF, sizeof state.lcdFrame);
    LcdDrawTinyText(18, y, "2500", 0);
    const uint8_t expected[16] = {0x2E, 0x2A, 0x3A, 0, 0x3A, 0x2A, 0x2E, 0,
                                  0x3E, 0x22, 0x3E, 0, 0x3E, 0x22, 0x3E, 0};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(TinyColumnAt(18 + i, y), expected[i]) << "x " << 18 + i;
    // Nothing outside x 18..33, rows y-1..y+3 is touched.
    int cleared = 0;
    for (int yy = 0; yy < 64; ++yy)
        for (int x = 0; x < 128; ++x)
            if (!LcdGetPixel(x, yy)) {
                ++cleared;
                EXPECT_TRUE(x >= 18 && x <= 33 && yy >= y - 1 && yy <= y + 3) << x << "," << yy;
            }
    EXPECT_EQ(cleared, 16 * 5 - (11 + 11 + 12 + 12)); // the box less the dots of 2, 5, 0, 0

    // Any non-zero inverse swaps dark and light.
    for (uint8_t inverse : {1, 7}) {
        LcdClear();
        LcdDrawTinyText(18, y, "2500", inverse);
        for (int i = 0; i < 16; ++i)
            EXPECT_EQ(TinyColumnAt(18 + i, y), (uint8_t)(~expected[i] & 0x3E)) << "x " << 18 + i;
    }
}

// All eighteen characters, with their advances: the stored columns come back
// exactly, each followed by its blank column.
TEST_F(Text, TinyTextLooksUpEveryCharacter)
{
    const uint8_t y = 30;
    LcdDrawTinyText(0, y, "mKMNt.0123456789:;", 0);
    const uint8_t run[60] = {0x0E, 0x08, 0x0E, 0x08, 0x0E, 0x3E, 0x08, 0x14, 0x22, 0x3E, 0x10, 0x08,
                             0x10, 0x3E, 0x3E, 0x18, 0x0C, 0x3E, 0x10, 0x3E, 0x12, 0x00, 0x02, 0x00,
                             0x3E, 0x22, 0x3E, 0x00, 0x3E, 0x00, 0x2E, 0x2A, 0x3A, 0x2A, 0x2A, 0x3E,
                             0x38, 0x08, 0x3E, 0x3A, 0x2A, 0x2E, 0x3E, 0x2A, 0x2E, 0x20, 0x20, 0x3E,
                             0x3E, 0x2A, 0x3E, 0x38, 0x28, 0x3E, 0x08, 0x1C, 0x08, 0x08, 0x08, 0x08};
    const int widths[18] = {5, 4, 5, 4, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3};
    int x = 0, stored = 0;
    for (int g = 0; g < 18; ++g) {
        for (int c = 0; c < widths[g]; ++c, ++x, ++stored)
            EXPECT_EQ(TinyColumnAt(x, y), run[stored]) << "glyph " << g << " column " << c;
        EXPECT_EQ(TinyColumnAt(x, y), 0) << "blank after glyph " << g;
        ++x;
    }
    EXPECT_EQ(x, 6 + 5 + 6 + 5 + 4 + 4 + 12 * 4);
    for (int i = 0; i < 60; ++i)
        EXPECT_EQ(FontTiny[i], run[i]) << "byte " << i;
}

TEST_F(Text, TinyTextOtherCharactersAreBlankDigitCells)
{
    memset(state.lcdFrame, 0xFF, sizeof state.lcdFrame);
    LcdDrawTinyText(0, 1, "1 -1", 1);
    const uint8_t one[4] = {0x3E, 0x00, 0x3E, 0x3E}; // "1" inverted, then its blank column inverted
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(TinyColumnAt(x, 1), one[x]);
    for (int x = 4; x < 12; ++x)
        EXPECT_EQ(TinyColumnAt(x, 1), 0x3E) << "x " << x; // two blank cells, inverted
    for (int x = 12; x < 16; ++x)
        EXPECT_EQ(TinyColumnAt(x, 1), one[x - 12]);
    EXPECT_EQ(TinyColumnAt(16, 1), 0x3E); // untouched beyond
}

} // namespace

namespace {

// Every glyph of a font in code order, `perRow` cells to a row, on a cleared
// frame.
void DrawGlyphSheet(int first, int last, int perRow, int cellWidth, bool small)
{
    ResetInstrumentState();
    for (int code = first; code <= last; ++code) {
        int i = code - first;
        char text[2] = {(char)code, 0};
        uint8_t x = (uint8_t)(i % perRow * cellWidth), y = (uint8_t)(i / perRow * 9);
        if (small)
            LcdDrawSmallText(x, (uint8_t)(y + 1), text, 100);
        else
            LcdDrawText(x, y, text, 0, 0, 0);
    }
}

// The fonts as drawn, dot for dot: any change to a glyph picture shows here.
TEST(TextLook, GlyphSheetsMatchTheirReferences)
{
    DrawGlyphSheet(Font8x8First, Font8x8Last, 16, 8, false);
    EXPECT_EQ(CompareFrameWithReference("lcd/font8x8_sheet"), "");
    DrawGlyphSheet(Font5x7First, Font5x7Last, 21, 6, true);
    EXPECT_EQ(CompareFrameWithReference("lcd/font5x7_sheet"), "");
}

TEST(TextLook, TextFormsMatchTheirReference)
{
    ResetInstrumentState();
    LcdDrawText(0, 0, "QPX-2", 1, 0, 0);
    LcdDrawText(48, 0, "MENU", 1, 0, 1);
    LcdDrawTextCentered(64, 18, "USE { } OR ~", 0, 0, 0);
    LcdDrawSmallText(0, 29, "Small text 0123", 100);
    LcdDrawSmallText(0, 38, "Highlight FROM 10", 10);
    LcdFillRect(0, 46, 63, 63, PixelSet);
    LcdDrawTinyText(2, 49, "2500", 0);
    LcdDrawTinyText(2, 57, "14.7", 1);
    LcdDrawTinyText(70, 49, "mKMNt.:;", 0);
    EXPECT_EQ(CompareFrameWithReference("lcd/text_forms"), "");
}

} // namespace
