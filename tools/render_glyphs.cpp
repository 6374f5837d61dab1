// Renders review sheets of the text fonts and the screen furniture as PNG
// pictures (4x, font sheets 8x), so glyphs can be judged by eye:
//   render_glyphs <output directory>
#include <cstdio>
#include <string>

#include "host/form/Pcmain.h"
#include "instrument/main_cycle.h"
#include "instrument/state.h"
#include "lcd/fonts.h"
#include "lcd/format.h"
#include "lcd/frame.h"
#include "lcd/furniture.h"
#include "lcd/text.h"
#include "host/png/png_write.h"

static std::string outputDirectory = ".";

static void Save(const char *name, int scale = 4)
{
    std::string path = outputDirectory + "/" + name + ".png";
    if (!WriteLcdPng(path.c_str(), state.lcdFrame, scale))
        fprintf(stderr, "cannot write %s\n", path.c_str());
    else
        printf("%s\n", path.c_str());
}

// Every glyph of a font in code order, `perRow` cells to a row.
static void GlyphSheet(uint8_t first, uint8_t last, int perRow, int cellWidth, int cellHeight, bool small)
{
    LcdClear();
    for (int code = first; code <= last; ++code) {
        int i = code - first;
        char text[2] = {(char)code, 0};
        uint8_t x = (uint8_t)(i % perRow * cellWidth), y = (uint8_t)(i / perRow * cellHeight);
        if (small)
            LcdDrawSmallText(x, (uint8_t)(y + 1), text, 100);
        else
            LcdDrawText(x, y, text, 0, 0, 0);
    }
}

int main(int argc, char **argv)
{
    if (argc > 1)
        outputDirectory = argv[1];

    GlyphSheet(Font8x8First, Font8x8Last, 16, 8, 9, false);
    Save("font8x8_sheet", 8);
    GlyphSheet(Font5x7First, Font5x7Last, 21, 6, 9, true);
    Save("font5x7_sheet", 8);

    LcdClear();
    LcdDrawText(0, 0, "THE QUICK BROWN", 0, 0, 0);
    LcdDrawText(0, 8, "FOX JUMPS OVER", 0, 0, 0);
    LcdDrawText(0, 16, "the lazy dog?!", 0, 0, 0);
    LcdDrawText(0, 24, "jpqy gQ 0O 1lI", 0, 0, 0);
    LcdDrawText(0, 32, "USE { } OR ~ 5|C", 0, 0, 0);
    LcdDrawText(0, 40, "(3+4)*5=35 %#@", 0, 0, 0);
    LcdDrawText(0, 48, "MAX: 10.13 bar", 0, 0, 1);
    LcdDrawText(0, 56, "\x82\x87\x88\x83 \x80 \x81 \x7f \x8a", 0, 0, 0);
    Save("font8x8_text");

    LcdClear();
    LcdDrawText(0, 0, "QPX-2", 1, 0, 0);
    LcdDrawText(48, 0, "MENU", 1, 0, 1);
    LcdDrawText(0, 20, "Hobbs 1234.5", 1, 0, 0);
    LcdDrawSmallText(0, 42, "Small text 0123", 100);
    LcdDrawSmallText(0, 52, "Highlight FROM 10", 10);
    Save("text_forms");

    LcdClear();
    LcdDrawTinyText(0, 1, "0123456789", 0);
    LcdDrawTinyText(0, 9, ":;.mKMNt", 0);
    LcdFillRect(0, 15, 60, 30, PixelSet);
    LcdDrawTinyText(2, 18, "2500", 0);
    LcdDrawTinyText(2, 25, "14.7", 1);
    LcdDrawTinyText(64, 1, "10.13", 0);
    Save("font_tiny", 8);

    LcdClear();
    state.menuCursor = 3;
    state.editMode = 0;
    DrawTitle(" MAIN MENU ");
    const char *labels[] = {"UNITS: ", "SPAN: ", "FILTER: ", "LOW ALARM: ", "HIGH ALARM: ", "TOP: ", "BAR: "};
    char value[32];
    for (uint8_t row = 0; row < 7; ++row) {
        FormatPressure(value, 1013 + 37 * row);
        DrawMenuRow(0, row, labels[row], value);
    }
    DrawScrollBar(3, 8);
    Save("furniture_menu");

    // The splash presents each frame in the window, so it needs one.
    Application->CreateForm<TForm1>();
    PowerOnSequence();
    Save("splash_last_frame");
    return 0;
}
