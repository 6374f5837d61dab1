#include "screens/pressure_setup.h"

#include "instrument/pressure.h"
#include "instrument/settings.h"
#include "lcd/format.h"
#include "screens/main_menu.h"

// From a quarter bar to two and a half bar in every unit, in that unit's
// counts.
const NumberLimits PressureUnitLimits[PressureUnitCount] = {
    {250, 2500}, // mB
    {25, 250},   // bar: 0.25 .. 2.50
    {36, 362},   // PSI: 3.6 .. 36.2
    {25, 254},   // kg/cm2: 0.25 .. 2.54
    {73, 738},   // "Hg: 7.3 .. 73.8
    {187, 1875}, // mmHg
    {25, 250},   // KPA
    {24, 254},   // atm: 0.24 .. 2.54
};

NumberLimits SelectedUnitLimits()
{
    uint8_t unit = state.settings.pressureUnit;
    return PressureUnitLimits[unit < PressureUnitCount ? unit : 0];
}

void ClampPressureSettings()
{
    NumberLimits limits = SelectedUnitLimits();
    Settings &s = state.settings;
    int32_t *values[] = {&s.pressureSpan, &s.pressureLowAlarm, &s.pressureHighAlarm};
    for (int32_t *value : values)
        if (*value > limits.hi)
            *value = limits.hi;
    for (int32_t *value : values)
        if (*value < limits.lo)
            *value = limits.lo;
}

static const char FilterTexts[3][5] = {"NONE", "FAST", "SLOW"};

// A new unit measures again at once, so the reading and the restarted maxima
// are in the new unit. Span and alarms keep their numbers until the next
// pass pulls them into the new unit's limits.
static void UnitChanged()
{
    UpdatePressure();
    ResetMaxValues();
}

// The settings the rows edit, by a short name that keeps the table readable.
static constexpr Settings &s = state.settings;

static const SetupRow Rows[] = {
    DoneRow(),
    NumberRow("SPAN: ", &s.pressureSpan, KnobSteps(1, SelectedUnitLimits), FormatPressure),
    ChoiceRow("TOPSCALE: ", &s.pressureTopScale, OnOffTexts),
    ChoiceRow("LOW ALARM: ", &s.pressureLowAlarmOn, OnOffTexts),
    NumberRow("LOW ALARM: ", &s.pressureLowAlarm, KnobSteps(1, SelectedUnitLimits), FormatPressure),
    ChoiceRow("HIGH ALARM: ", &s.pressureHighAlarmOn, OnOffTexts),
    NumberRow("HIGH ALARM: ", &s.pressureHighAlarm, KnobSteps(1, SelectedUnitLimits), FormatPressure),
    ChoiceRow("FILTER: ", &s.pressureFilter, FilterTexts),
    ChoiceRow("UNIT: ", &s.pressureUnit, PressureUnitNames, UnitChanged),
};

const SetupScreen PressureSetupList = SetupList(" PRESSURE SETUP ", Rows, MainMenuScreen, MenuPressureSetup);

void PressureSetupScreen()
{
    ClampPressureSettings();
    RunSetupList(PressureSetupList);
}
