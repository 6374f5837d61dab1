// The interaction every list-type setup screen shares. A screen is a table of
// rows: row 0 is the "*** DONE ***" line that leaves it, the others are
// settings (a choice among value texts, or a number with a step and limits)
// or actions that open another screen. One pass draws the whole list from the
// state and then handles the pending key:
//
//   browsing (editMode 0)  KeyClockwise, KeyRight        next row, stopping at the last
//                          KeyAntiClockwise, KeyLeft     previous row, stopping at row 0
//                          KeyCentre                     DONE: leave; action: open;
//                                                        setting: start editing
//   editing (editMode 1)   KeyClockwise, KeyLeft         value up
//                          KeyAntiClockwise, KeyRight    value down
//                          KeyCentre                     stop editing
//
// A choice steps through its texts and wraps around (so a two-text choice
// toggles on every key). A number moves by its step; a step that would pass a
// limit jumps to the opposite limit, unless the number stops at its limits.
// Lists longer than the display scroll so that from row 7 on the selected row
// is the bottom line.
#pragma once
#include <cstddef>
#include <cstdint>

#include "instrument/state.h"

// "OFF" and "ON", indexed by a flag.
extern const char OnOffTexts[2][4];

// Text of entry index of a table of count fixed-width texts; an index outside
// the table gives an empty text, never memory beyond it.
const char *TableText(const char *table, uint8_t width, uint8_t count, uint8_t index);
template <size_t Count, size_t Width> const char *TableText(const char (&table)[Count][Width], uint8_t index)
{
    return TableText(table[0], (uint8_t)Width, (uint8_t)Count, index);
}

struct NumberLimits {
    int32_t lo, hi;
};

enum SetupRowKind : uint8_t { RowDone, RowAction, RowChoice, RowNumber };

struct SetupRow {
    SetupRowKind kind = RowDone;
    // The action's text, or the setting's label (its value follows it).
    const char *label = nullptr;
    // When set, gives the label instead (a label that depends on a setting).
    const char *(*labelText)() = nullptr;

    // RowAction: what KeyCentre does on the row.
    void (*open)() = nullptr;

    // RowChoice: the setting's index into a table of fixed-width texts.
    uint8_t *choice = nullptr;
    const char *texts = nullptr;
    uint8_t textWidth = 0, textCount = 0;

    // RowNumber: the setting (exactly one of these is set), its step, which
    // is multiplied by knobStep unless fixed, and its limits, which come from
    // limitsOf when that is set.
    int32_t *s32 = nullptr;
    uint32_t *u32 = nullptr;
    int8_t *s8 = nullptr;
    int32_t step = 0;
    bool stepTimesKnob = false;
    bool stopsAtLimits = false;
    NumberLimits limits = {0, 0};
    NumberLimits (*limitsOf)() = nullptr;
    // Writes the value text of the number into a 32-byte buffer.
    void (*format)(char *out, int32_t value) = nullptr;

    // Called after every change of the setting.
    void (*changed)() = nullptr;
};

// The row kinds, as the screens' tables write them.
constexpr SetupRow DoneRow() { return SetupRow{.kind = RowDone, .label = "*** DONE ***"}; }

constexpr SetupRow ActionRow(const char *text, void (*open)())
{
    return SetupRow{.kind = RowAction, .label = text, .open = open};
}

template <size_t Count, size_t Width>
constexpr SetupRow ChoiceRow(const char *label, uint8_t *setting, const char (&texts)[Count][Width],
                             void (*changed)() = nullptr)
{
    return SetupRow{.kind = RowChoice,
                    .label = label,
                    .choice = setting,
                    .texts = texts[0],
                    .textWidth = (uint8_t)Width,
                    .textCount = (uint8_t)Count,
                    .changed = changed};
}

// How a number row moves and where it stops.
struct NumberRule {
    int32_t step;
    bool stepTimesKnob;
    NumberLimits limits;
    NumberLimits (*limitsOf)();
    bool stopsAtLimits;
};
// A step of step x knobStep, wrapping at constant limits.
constexpr NumberRule KnobSteps(int32_t step, int32_t lo, int32_t hi)
{
    return {step, true, {lo, hi}, nullptr, false};
}
// A step of step x knobStep, wrapping at limits looked up on every change.
constexpr NumberRule KnobSteps(int32_t step, NumberLimits (*limitsOf)())
{
    return {step, true, {}, limitsOf, false};
}
// A fixed step, wrapping at constant limits.
constexpr NumberRule FixedSteps(int32_t step, int32_t lo, int32_t hi)
{
    return {step, false, {lo, hi}, nullptr, false};
}
// A fixed step that stops at constant limits.
constexpr NumberRule FixedStepsStopping(int32_t step, int32_t lo, int32_t hi)
{
    return {step, false, {lo, hi}, nullptr, true};
}

constexpr SetupRow NumberRowOf(const char *label, int32_t *s32, uint32_t *u32, int8_t *s8, NumberRule rule,
                               void (*format)(char *, int32_t))
{
    return SetupRow{.kind = RowNumber,
                    .label = label,
                    .s32 = s32,
                    .u32 = u32,
                    .s8 = s8,
                    .step = rule.step,
                    .stepTimesKnob = rule.stepTimesKnob,
                    .stopsAtLimits = rule.stopsAtLimits,
                    .limits = rule.limits,
                    .limitsOf = rule.limitsOf,
                    .format = format};
}
constexpr SetupRow NumberRow(const char *label, int32_t *setting, NumberRule rule,
                             void (*format)(char *, int32_t))
{
    return NumberRowOf(label, setting, nullptr, nullptr, rule, format);
}
constexpr SetupRow NumberRow(const char *label, uint32_t *setting, NumberRule rule,
                             void (*format)(char *, int32_t))
{
    return NumberRowOf(label, nullptr, setting, nullptr, rule, format);
}
constexpr SetupRow NumberRow(const char *label, int8_t *setting, NumberRule rule,
                             void (*format)(char *, int32_t))
{
    return NumberRowOf(label, nullptr, nullptr, setting, rule, format);
}

// A row whose label depends on a setting.
constexpr SetupRow WithLabel(SetupRow row, const char *(*labelText)())
{
    row.labelText = labelText;
    return row;
}

// Number texts the screens use.
void FormatDecimal(char *out, int32_t value);       // "%d"
void FormatDecimalWidth4(char *out, int32_t value); // "%4d"

struct SetupScreen {
    const char *title;
    const SetupRow *rows;
    uint8_t rowCount;
    // The last row that exists now, when that depends on a setting; null:
    // every row of the table.
    uint8_t (*lastRow)();
    // Where DONE leads: the parent screen, opened on this screen's entry.
    ScreenHandler parent;
    uint8_t parentEntry;
    // Called after the screen has been left through DONE.
    void (*left)();
};

template <size_t Count>
constexpr SetupScreen SetupList(const char *title, const SetupRow (&rows)[Count], ScreenHandler parent,
                                uint8_t parentEntry, uint8_t (*lastRow)() = nullptr, void (*left)() = nullptr)
{
    return SetupScreen{.title = title,
                       .rows = rows,
                       .rowCount = (uint8_t)Count,
                       .lastRow = lastRow,
                       .parent = parent,
                       .parentEntry = parentEntry,
                       .left = left};
}

// One pass of a setup screen: draws it, then handles the pending key.
void RunSetupList(const SetupScreen &screen);

// The setup screens whose choice rows name a setting's values.
extern const SetupScreen DisplaySetupList, FlightLogSetupList, HobbsMeterSetupList, PressureSetupList,
    RpmSetupList;
// The text those screens show for value of the setting at setting, with
// the blanks that pad it left out, in text (size bytes); false when no
// choice row edits that setting or the value is beyond its texts.
bool SetupChoiceText(const uint8_t *setting, uint8_t value, char *text, size_t size);
// The two halves, for screens that draw something more between them.
void DrawSetupList(const SetupScreen &screen);
void HandleSetupKey(const SetupScreen &screen);

// Moves a number setting one step up or down by its rule.
void StepNumber(const SetupRow &row, bool up);
