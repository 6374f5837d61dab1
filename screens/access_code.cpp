#include "screens/access_code.h"

#include "lcd/text.h"
#include "screens/digit_entry.h"
#include "screens/hobbs_meter.h"
#include "screens/messages.h"
#include "screens/screen_flow.h"
#include "screens/time_adjust.h"

// Replaces a forgotten code; it never opens the Hobbs time editor.
static constexpr uint32_t MasterCode = 9734;

static const uint8_t CodeColumns[4] = {45, 55, 65, 75};
static constexpr uint8_t CodeDigitsTop = 48;

static uint32_t EnteredCode() { return EntryValue(0, 4); }

// A failed check goes back to the Hobbs meter on the row that started it.
static void ShowIncorrect(uint8_t row)
{
    state.menuCursor = row;
    ShowScreen(IncorrectCodeMessage, HobbsMeterScreen);
}

static void NextCodeScreen(ScreenHandler next)
{
    ClearCodeDigits();
    OpenScreen(next, 0);
}

static void CheckCurrentCode()
{
    uint32_t code = EnteredCode();
    if (code == state.settings.accessCode || code == MasterCode)
        NextCodeScreen(EnterNewCodeScreen);
    else
        ShowIncorrect(HobbsRowCode);
}

// Any code is taken, 0 included: confirming 0 removes the lock.
static void TakeNewCode()
{
    state.pendingCode = EnteredCode();
    NextCodeScreen(ConfirmNewCodeScreen);
}

static void ConfirmNewCode()
{
    if (EnteredCode() == state.pendingCode) {
        state.settings.accessCode = state.pendingCode;
        state.menuCursor = HobbsRowCode;
        ShowScreen(CodeChangedMessage, HobbsMeterScreen);
    } else {
        ShowIncorrect(HobbsRowCode);
    }
}

static void CheckHobbsCode()
{
    if (EnteredCode() == state.settings.accessCode) {
        LoadHobbsDigits();
        OpenScreen(HobbsTimeAdjustScreen, 0);
    } else {
        ShowIncorrect(HobbsRowSetHobbsTime);
    }
}

static constexpr DigitEntry CodeEntry(void (*check)())
{
    return DigitEntry{
        .count = 4,
        .columns = CodeColumns,
        .top = CodeDigitsTop,
        .limitedDigit = NoLimitedDigit,
        .limit = nullptr,
        .changed = nullptr,
        .commit = check,
    };
}

static void RunCodeScreen(const char *prompt, const DigitEntry &entry)
{
    LcdDrawTextCentered(64, 5, prompt, 1, 0, 0);
    LcdDrawTextCentered(64, 25, "CODE", 1, 0, 0);
    RunDigitEntry(entry);
}

void EnterCurrentCodeScreen() { RunCodeScreen("ENTER CURRENT", CodeEntry(CheckCurrentCode)); }
void EnterNewCodeScreen() { RunCodeScreen("ENTER NEW", CodeEntry(TakeNewCode)); }
void ConfirmNewCodeScreen() { RunCodeScreen("CONFIRM NEW", CodeEntry(ConfirmNewCode)); }
void EnterHobbsCodeScreen() { RunCodeScreen("ENTER HOBBS", CodeEntry(CheckHobbsCode)); }
