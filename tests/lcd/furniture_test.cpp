#include <gtest/gtest.h>

#include <string>

#include "instrument/state.h"
#include "lcd/fonts.h"
#include "lcd/frame.h"
#include "lcd/furniture.h"
#include "lcd/text.h"
#include "support/frame_check.h"
#include "support/frame_dots.h"

namespace {

// True when any dot of the 8 x 8 cell at (x, y) is dark.
bool CellHasDots(int x, int y) { return CountDots(state.lcdFrame, x, y, x + 7, y + 7) > 0; }

// Column 7 of every capital and digit is blank, so in inverse video it is
// dark: a cheap test of whether the cell at (x, y) is inverted.
bool CellInverted(int x, int y) { return LcdGetPixel(x + 7, y) && LcdGetPixel(x + 7, y + 7); }

class Furniture : public ::testing::Test {
  protected:
    void SetUp() override { ResetInstrumentState(); }
};

TEST_F(Furniture, TitleRulesStopTwoDotsIntoTheBlanks)
{
    DrawTitle(" MAIN MENU ");
    // Text cells from x = 20 to 107: "M" at 28 drawn as in the font.
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(state.lcdFrame[28 + i], Font8x8[('M' - 32) * 8 + i]) << "column " << i;
    for (int x = 0; x < 128; ++x) {
        bool rule = x <= 22 || x >= 106;
        if (rule || (x >= 20 && x <= 27) || (x >= 100 && x <= 107)) {
            EXPECT_EQ(LcdGetPixel(x, 4), rule ? 1 : 0) << "x " << x;
        }
    }
    // Nothing outside the title row.
    for (const Dot &d : DarkDots(state.lcdFrame))
        EXPECT_LT(d.second, 8);
}

TEST_F(Furniture, SixteenCharacterTitleFillsTheRow)
{
    DrawTitle(" 234567890ABCDE ");
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(state.lcdFrame[8 + i], Font8x8[('2' - 32) * 8 + i]);
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(LcdGetPixel(x, 4), x <= 2 ? 1 : 0) << "x " << x;
    for (int x = 120; x < 128; ++x)
        EXPECT_EQ(LcdGetPixel(x, 4), x >= 126 ? 1 : 0) << "x " << x;
}

TEST_F(Furniture, EmptyTitleIsOneRuleWithAGap)
{
    DrawTitle("");
    for (int x = 0; x < 128; ++x)
        EXPECT_EQ(LcdGetPixel(x, 4), 1) << "x " << x; // 0..66 and 62..127 overlap
    EXPECT_EQ(DarkDots(state.lcdFrame).size(), 128u);
}

TEST_F(Furniture, MenuTextStaysOutOfTheTitleRow)
{
    char text[32] = "AB";
    DrawMenuText(0, 7, text, 1);
    DrawMenuText(0, 0, text, 0);
    EXPECT_TRUE(DarkDots(state.lcdFrame).empty());
    DrawMenuText(0, 8, text, 0);
    EXPECT_TRUE(CellHasDots(0, 8));
    DrawMenuText(16, 8, text, 1);
    EXPECT_TRUE(CellInverted(16, 8));
    EXPECT_FALSE(CellInverted(0, 8));
}

// Draws seven rows "Rn: " with value "nn" as a screen would, for the items
// visible at the current scroll.
void DrawSevenRows()
{
    for (uint8_t row = 0; row < 7; ++row) {
        char value[32] = {char('0' + row), char('0' + row), 0};
        char label[32] = {'R', char('0' + row), ':', ' ', 0};
        DrawMenuRow(0, row, label, value);
    }
}

TEST_F(Furniture, SelectedRowHighlightBrowsingAndEditing)
{
    state.menuCursor = 3;
    state.editMode = 0;
    DrawSevenRows();
    for (int row = 0; row < 7; ++row) {
        int y = 8 * row + 8;
        EXPECT_EQ(CellInverted(0, y), row == 3) << "label of row " << row;
        EXPECT_EQ(CellInverted(32, y), row == 3) << "value of row " << row; // value right after "Rn: "
        EXPECT_TRUE(CellHasDots(32, y));
    }
    EXPECT_TRUE(LcdGetPixel(30, 32)); // the label's trailing blank is inverted too

    LcdClear();
    state.editMode = 1;
    DrawSevenRows();
    for (int row = 0; row < 7; ++row) {
        int y = 8 * row + 8;
        EXPECT_FALSE(CellInverted(0, y)) << "label of row " << row;
        EXPECT_EQ(CellInverted(32, y), row == 3) << "value of row " << row;
    }
}

TEST_F(Furniture, ValueStartsAfterTheLabelPlusOffset)
{
    state.menuCursor = 5; // row 0 not selected
    char value[32] = "7";
    DrawMenuRow(3, 0, "AB", value);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(state.lcdFrame[128 + 19 + i], Font8x8[('7' - 32) * 8 + i]) << "column " << i;
    for (int x = 16; x < 19; ++x)
        EXPECT_EQ(state.lcdFrame[128 + x], 0);
}

TEST_F(Furniture, ScrollKeepsTheCursorOnRowSix)
{
    for (uint8_t cursor : {6, 7, 8, 20}) {
        LcdClear();
        state.menuCursor = cursor;
        DrawSevenRows();
        for (int row = 0; row < 7; ++row)
            EXPECT_EQ(CellInverted(0, 8 * row + 8), row == 6) << "cursor " << int(cursor) << " row " << row;
    }

    // With menuCursor 8 the offset is 2: item 1 is passed as row -1 and is
    // not drawn; item 8 is row 6 at y = 56 and selected.
    LcdClear();
    state.menuCursor = 8;
    char value[32] = "1";
    DrawMenuRow(0, (uint8_t)(1 - 2), "ITEM ONE ", value);
    EXPECT_TRUE(DarkDots(state.lcdFrame).empty());
    DrawMenuRow(0, 8 - 2, "ITEM EIGHT ", value);
    EXPECT_TRUE(CellInverted(0, 56));
    for (const Dot &d : DarkDots(state.lcdFrame))
        EXPECT_GE(d.second, 56);
}

TEST(ListScroll, SelectionIsTheBottomRowFromCursorSevenOn)
{
    const struct {
        uint8_t cursor, offset;
    } cases[] = {{0, 0}, {6, 0}, {7, 1}, {10, 4}, {255, 249}};
    for (const auto &c : cases)
        EXPECT_EQ(ListScrollOffset(c.cursor), c.offset) << "cursor " << int(c.cursor);
}

TEST_F(Furniture, ConstantFormsMatchTheBufferForm)
{
    state.menuCursor = 2;
    char label[32] = "SPAN: ", value[32] = "2500";
    auto frameOf = [](auto draw) {
        LcdClear();
        draw();
        return FrameToPbm(state.lcdFrame);
    };
    std::string expected = frameOf([&] { DrawMenuRow(0, 2, label, value); });
    EXPECT_TRUE(expected == frameOf([&] { DrawMenuRow(0, 2, "SPAN: ", value); }));
    EXPECT_TRUE(expected == frameOf([&] { DrawMenuRow(0, 2, "SPAN: ", "2500"); }));
    EXPECT_TRUE(expected != frameOf([&] { DrawMenuRow(0, 1, "SPAN: ", "2500"); }));
}

// A constant label is cut to 31 characters, and the value is placed after
// what is left: 8 x 31 = 248 is off-screen, where 8 x 35 = 280 would wrap to
// x = 24.
TEST_F(Furniture, ConstantLabelIsCutBeforeThePlacingOfTheValue)
{
    state.menuCursor = 5;
    DrawMenuRow(0, 0, "                                   ", "8");
    EXPECT_TRUE(DarkDots(state.lcdFrame).empty());
}

TEST_F(Furniture, ScrollBarThumbForSixAndEightEntries)
{
    DrawScrollBar(5, 6);
    Dots expected;
    for (int y = 8; y < 64; ++y)
        expected.insert({125, y});
    for (int x = 123; x <= 127; ++x)
        for (int y = 54; y <= 63; ++y)
            expected.insert({x, y});
    EXPECT_EQ(DarkDots(state.lcdFrame), expected);

    const int topsOfSix[6] = {8, 17, 26, 35, 45, 54};
    const int topsOfEight[8] = {8, 15, 22, 29, 36, 43, 50, 57};
    auto thumbRows = [] {
        std::set<int> rows;
        for (int y = 0; y < 64; ++y)
            if (LcdGetPixel(123, y)) {
                EXPECT_TRUE(LcdGetPixel(127, y) && LcdGetPixel(124, y)) << "thumb row " << y;
                rows.insert(y);
            }
        return rows;
    };
    for (uint8_t position = 0; position < 6; ++position) {
        LcdClear();
        DrawScrollBar(position, 6);
        std::set<int> rows;
        for (int y = topsOfSix[position]; y <= topsOfSix[position] + 9; ++y)
            rows.insert(y);
        EXPECT_EQ(thumbRows(), rows) << "position " << int(position) << " of 6";
    }
    for (uint8_t position = 0; position < 8; ++position) {
        LcdClear();
        DrawScrollBar(position, 8);
        std::set<int> rows;
        for (int y = topsOfEight[position]; y <= topsOfEight[position] + 7 && y < 64; ++y)
            rows.insert(y);
        EXPECT_EQ(thumbRows(), rows) << "position " << int(position) << " of 8";
    }
}

// Reference frames of whole menu screens, checked dot for dot.
void DrawMenuScreen(uint8_t cursor, uint8_t editMode)
{
    ResetInstrumentState();
    state.menuCursor = cursor;
    state.editMode = editMode;
    DrawTitle(" PRESSURE SETUP ");
    const char *labels[9] = {"*** DONE ***", "SPAN: ",       "TOP SCALE: ", "UNITS: ", "LOW ALARM: ",
                             "LOW ON: ",     "HIGH ALARM: ", "HIGH ON: ",   "FILTER: "};
    const char *values[9] = {"", "2500", "OFF", "mB", "800", "ON", "2000", "OFF", "SLOW"};
    uint8_t offset = cursor >= 7 ? cursor - 6 : 0;
    for (uint8_t item = 0; item < 9; ++item)
        DrawMenuRow(0, (uint8_t)(item - offset), labels[item], values[item]);
    DrawScrollBar(cursor < 8 ? cursor : 7, 8);
}

TEST_F(Furniture, MenuScreensMatchTheirReferences)
{
    DrawMenuScreen(1, 0);
    EXPECT_EQ(CompareFrameWithReference("lcd/menu_browse"), "");
    DrawMenuScreen(8, 1);
    EXPECT_EQ(CompareFrameWithReference("lcd/menu_scrolled_edit"), "");
}

} // namespace
