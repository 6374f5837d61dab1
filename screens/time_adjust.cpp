#include "screens/time_adjust.h"

#include <cstdio>

#include "instrument/hooks.h"
#include "lcd/text.h"
#include "screens/digit_entry.h"
#include "screens/hobbs_meter.h"
#include "screens/screen_flow.h"

// A counter above what its digits can show is offered as the largest value
// they can, and hour digits committed at that value keep the counter as it
// was: stepping through an editor without changing its hours never cuts a
// counter down to its first digits.
static uint32_t AtMost(uint32_t value, uint32_t most) { return value < most ? value : most; }

void LoadHobbsDigits()
{
    char text[TextBufferSize];
    snprintf(text, sizeof text, "%04u", (unsigned)AtMost(state.hobbsHours, HobbsEditorMaxHours));
    LoadEntryDigits(0, text, 4);
    snprintf(text, sizeof text, "%02d", (int)state.hobbsMinutes);
    LoadEntryDigits(4, text, 2);
}

void LoadMaintDigits()
{
    char text[TextBufferSize];
    snprintf(text, sizeof text, "%03u", (unsigned)AtMost(state.maintHours, MaintEditorMaxHours));
    LoadEntryDigits(0, text, 3);
}

static uint32_t CommittedHours(uint32_t entered, uint32_t counter, uint32_t most)
{
    return entered == most && counter > most ? counter : entered;
}

static void DrawAdjustPrompt(const char *const *lines, uint8_t count)
{
    for (uint8_t i = 0; i < count; ++i)
        LcdDrawTextCentered(64, (uint8_t)(10 * i), lines[i], 0, 0, 0);
}

// Hobbs time: digits 0-3 hours, 4-5 the fraction, whose tens digit (4) has
// the limit of the fraction style.
static constexpr uint8_t HobbsFractionTens = 4;
static const uint8_t HobbsColumns[6] = {35, 44, 53, 62, 76, 85};
static constexpr uint8_t HobbsDigitsTop = 40;
static constexpr uint8_t HobbsSeparatorColumn = 69;

static bool DecimalFraction() { return state.settings.hourFractionDecimal == 1; }
static uint8_t FractionTensLimit() { return DecimalFraction() ? 9 : 5; }

// The seconds are left as they are.
static void CommitHobbsTime()
{
    state.hobbsHours = CommittedHours(EntryValue(0, 4), state.hobbsHours, HobbsEditorMaxHours);
    state.hobbsMinutes = (uint8_t)EntryValue(4, 2);
    OpenScreen(HobbsMeterScreen, HobbsRowSetHobbsTime);
    SaveHobbs();
}

static const DigitEntry HobbsEntry = {
    .count = 6,
    .columns = HobbsColumns,
    .top = HobbsDigitsTop,
    .limitedDigit = HobbsFractionTens,
    .limit = FractionTensLimit,
    .changed = nullptr,
    .commit = CommitHobbsTime,
};

void HobbsTimeAdjustScreen()
{
    static const char *const Prompt[] = {"USE { } OR ~", "TO ADJUST THE", "HOBBS TIME"};
    DrawAdjustPrompt(Prompt, 3);
    LcdDrawText(HobbsSeparatorColumn, HobbsDigitsTop, DecimalFraction() ? "." : ":", 1, 0, 0);
    RunDigitEntry(HobbsEntry);
}

// Maintenance time: three hour digits and the word "Hours".
static const uint8_t MaintColumns[3] = {25, 34, 43};
static constexpr uint8_t MaintDigitsTop = 44;

// New hours count down from the full hour.
static void MaintDigitChanged() { state.maintMinutes = 0; }

static void CommitMaintTime()
{
    state.maintHours = CommittedHours(EntryValue(0, 3), state.maintHours, MaintEditorMaxHours);
    OpenScreen(HobbsMeterScreen, HobbsRowSetMaintTime);
    SaveHobbs();
}

static const DigitEntry MaintEntry = {
    .count = 3,
    .columns = MaintColumns,
    .top = MaintDigitsTop,
    .limitedDigit = NoLimitedDigit,
    .limit = nullptr,
    .changed = MaintDigitChanged,
    .commit = CommitMaintTime,
};

void MaintTimeAdjustScreen()
{
    static const char *const Prompt[] = {"USE { } OR ~", "TO ADJUST THE", "MAINTENANCE", "TIME"};
    DrawAdjustPrompt(Prompt, 4);
    LcdDrawText(65, MaintDigitsTop, "Hours", 1, 0, 0);
    RunDigitEntry(MaintEntry);
}
