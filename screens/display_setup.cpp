#include "screens/display_setup.h"

#include "instrument/hooks.h"
#include "lcd/frame.h"
#include "lcd/furniture.h"
#include "lcd/text.h"
#include "screens/main_menu.h"
#include "screens/screen_flow.h"
#include "screens/setup_list.h"

// Row of the display setup that opens the contrast screen.
static constexpr uint8_t RowAdjustContrast = 1;

static const char BarTexts[2][11] = {"VERTICAL", "HORIZONTAL"};

static void OpenContrast() { OpenScreen(ContrastScreen, 0); }

// The backlight follows the flag at once.
static void BacklightChanged()
{
    if (state.settings.backlightOn == 1)
        BacklightOn();
    else
        BacklightOff();
}

// The bar orientation matters only for the pressure-only run screen, so it
// is offered only while engine speed is not displayed.
static uint8_t LastRow() { return state.settings.rpmDisplayOn == 0 ? 3 : 2; }

static constexpr Settings &s = state.settings;

static const SetupRow Rows[] = {
    DoneRow(),
    ActionRow("ADJUST CONTRAST", OpenContrast),
    ChoiceRow("BACKLIGHT: ", &s.backlightOn, OnOffTexts, BacklightChanged),
    ChoiceRow("BAR: ", &s.barHorizontal, BarTexts),
};

const SetupScreen DisplaySetupList =
    SetupList(" DISPLAY SETUP ", Rows, MainMenuScreen, MenuDisplaySetup, LastRow);

void DisplaySetupScreen() { RunSetupList(DisplaySetupList); }

// Contrast moves in steps of 2 and stops at 0 and 63; every step asks the
// display to apply it, also one that hit a limit.
static constexpr uint8_t ContrastStep = 2;
static constexpr uint8_t ContrastMax = 63;

void ContrastScreen()
{
    uint8_t &contrast = state.settings.contrast;
    DrawTitle(" CONTRAST ");
    LcdFillRect(1, 15, (uint8_t)(2 * contrast + 1), 25, PixelSet);
    LcdDrawRect(1, 15, 126, 25, PixelSet);
    LcdDrawTextCentered(64, 40, "USE { } OR ~", 0, 0, 0);
    LcdDrawTextCentered(64, 48, "TO ADJUST THE", 0, 0, 0);
    LcdDrawTextCentered(64, 56, "CONTRAST", 0, 0, 0);

    switch (TakePendingKey()) {
    case KeyCentre:
        OpenScreen(DisplaySetupScreen, RowAdjustContrast);
        SaveSettings();
        break;
    case KeyClockwise:
    case KeyLeft:
        if (contrast + ContrastStep <= ContrastMax)
            contrast = (uint8_t)(contrast + ContrastStep);
        ApplyContrast();
        break;
    case KeyAntiClockwise:
    case KeyRight:
        if (contrast >= ContrastStep)
            contrast = (uint8_t)(contrast - ContrastStep);
        ApplyContrast();
        break;
    }
}
