#include "screens/setup_list.h"

#include <cstdio>
#include <cstring>

#include "lcd/furniture.h"
#include "lcd/text.h"
#include "screens/screen_flow.h"

const char OnOffTexts[2][4] = {"OFF", "ON"};

const char *TableText(const char *table, uint8_t width, uint8_t count, uint8_t index)
{
    if (index >= count)
        return "";
    return table + (size_t)index * width;
}

void FormatDecimal(char *out, int32_t value) { snprintf(out, 32, "%d", (int)value); }
void FormatDecimalWidth4(char *out, int32_t value) { snprintf(out, 32, "%4d", (int)value); }

static uint8_t LastRow(const SetupScreen &screen)
{
    uint8_t last = screen.lastRow ? screen.lastRow() : (uint8_t)(screen.rowCount - 1);
    return last < screen.rowCount ? last : (uint8_t)(screen.rowCount - 1);
}

static int32_t NumberValue(const SetupRow &row)
{
    if (row.s32)
        return *row.s32;
    if (row.u32)
        return (int32_t)*row.u32;
    return row.s8 ? *row.s8 : 0;
}

static void SetNumberValue(const SetupRow &row, int32_t value)
{
    if (row.s32)
        *row.s32 = value;
    else if (row.u32)
        *row.u32 = (uint32_t)value;
    else if (row.s8)
        *row.s8 = (int8_t)value;
}

static void ValueText(const SetupRow &row, char (&out)[TextBufferSize])
{
    if (row.kind == RowChoice) {
        CopyConstantText(out, TableText(row.texts, row.textWidth, row.textCount, *row.choice));
    } else if (row.kind == RowNumber && row.format) {
        row.format(out, NumberValue(row));
    } else {
        out[0] = '\0';
    }
}

void DrawSetupList(const SetupScreen &screen)
{
    uint8_t scroll = ListScrollOffset(state.menuCursor);
    DrawTitle(screen.title);
    if (scroll == 0)
        LcdDrawTextCentered(64, 8, screen.rows[0].label, 0, 0, state.menuCursor == 0 ? 1 : 0);

    uint8_t last = LastRow(screen);
    for (uint8_t r = 1; r <= last; ++r) {
        const SetupRow &row = screen.rows[r];
        uint8_t line = (uint8_t)(r - scroll);
        const char *label = row.labelText ? row.labelText() : row.label;
        if (row.kind == RowAction) {
            char text[TextBufferSize];
            CopyConstantText(text, label);
            DrawMenuText(0, (uint8_t)(8 * line + 8), text, state.menuCursor == r ? 1 : 0);
        } else {
            char value[TextBufferSize];
            ValueText(row, value);
            DrawMenuRow(0, line, label, value);
        }
    }
}

void StepNumber(const SetupRow &row, bool up)
{
    // Wide arithmetic, so that no setting, however damaged, overflows here.
    int64_t value = NumberValue(row);
    int64_t step = row.stepTimesKnob ? (int64_t)row.step * state.knobStep : row.step;
    NumberLimits limits = row.limitsOf ? row.limitsOf() : row.limits;
    int64_t next = up ? value + step : value - step;
    if (next > limits.hi)
        next = row.stopsAtLimits ? value : limits.lo;
    else if (next < limits.lo)
        next = row.stopsAtLimits ? value : limits.hi;
    SetNumberValue(row, (int32_t)next);
}

// A choice of n texts: up after n - 1 comes 0, down before 0 comes n - 1.
static void StepChoice(const SetupRow &row, bool up)
{
    uint8_t &index = *row.choice;
    uint8_t count = row.textCount;
    if (up)
        index = index + 1 >= count ? 0 : (uint8_t)(index + 1);
    else
        index = index == 0 || index > count ? (uint8_t)(count - 1) : (uint8_t)(index - 1);
}

static void ChangeValue(const SetupRow &row, bool up)
{
    if (row.kind == RowChoice)
        StepChoice(row, up);
    else if (row.kind == RowNumber)
        StepNumber(row, up);
    else
        return;
    if (row.changed)
        row.changed();
}

static void Select(const SetupScreen &screen, uint8_t key)
{
    uint8_t cursor = state.menuCursor;
    if (key == KeyCentre) {
        if (cursor == 0) {
            OpenScreen(screen.parent, screen.parentEntry);
            if (screen.left)
                screen.left();
        } else if (cursor < screen.rowCount) {
            const SetupRow &row = screen.rows[cursor];
            if (row.kind == RowAction)
                row.open();
            else if (row.kind != RowDone)
                state.editMode = 1;
        }
    } else {
        StepMenuCursor(key, LastRow(screen));
    }
}

static void Edit(const SetupScreen &screen, uint8_t key)
{
    if (key == KeyCentre) {
        state.editMode = 0;
        return;
    }
    if (state.menuCursor >= screen.rowCount)
        return;
    const SetupRow &row = screen.rows[state.menuCursor];
    if (key == KeyClockwise || key == KeyLeft)
        ChangeValue(row, true);
    else if (key == KeyAntiClockwise || key == KeyRight)
        ChangeValue(row, false);
}

void HandleSetupKey(const SetupScreen &screen)
{
    uint8_t key = TakePendingKey();
    if (key == KeyNone)
        return;
    if (state.editMode == 0)
        Select(screen, key);
    else
        Edit(screen, key);
}

void RunSetupList(const SetupScreen &screen)
{
    DrawSetupList(screen);
    HandleSetupKey(screen);
}

bool SetupChoiceText(const uint8_t *setting, uint8_t value, char *text, size_t size)
{
    const SetupScreen *const screens[] = {&DisplaySetupList, &FlightLogSetupList, &HobbsMeterSetupList,
                                          &PressureSetupList, &RpmSetupList};
    for (const SetupScreen *screen : screens)
        for (uint8_t i = 0; i < screen->rowCount; ++i) {
            const SetupRow &row = screen->rows[i];
            if (row.kind != RowChoice || row.choice != setting || value >= row.textCount || size == 0)
                continue;
            // Each text fills a field of textWidth bytes, ended or padded.
            const char *from = row.texts + (size_t)value * row.textWidth;
            size_t length = strnlen(from, row.textWidth);
            while (length > 0 && from[length - 1] == ' ')
                --length;
            while (length > 0 && *from == ' ') {
                ++from;
                --length;
            }
            length = length < size - 1 ? length : size - 1;
            memcpy(text, from, length);
            text[length] = '\0';
            return true;
        }
    return false;
}
