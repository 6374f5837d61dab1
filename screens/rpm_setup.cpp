#include "screens/rpm_setup.h"

#include <cstdio>

#include "instrument/rpm.h"
#include "screens/main_menu.h"
#include "screens/setup_list.h"

static const char DisplayUnitTexts[2][8] = {"RPM", "PERCENT"};
static const char PulseModeTexts[2][6] = {"PULSE", "TIME"};
static const char FilterTexts[12][6] = {"SPAN", "10", "20", "30", "40",  "50",
                                        "60",   "70", "80", "90", "100", "OFF"};

// Pulses per revolution are kept in tenths.
static void FormatTenths(char *out, int32_t value) { snprintf(out, 32, "%.1f", value * 0.1); }

// The full scale is the speed shown as 100 % in the percent display.
static const char *FullScaleLabel() { return state.settings.rpmPercent == 0 ? "RPM SPAN: " : "100% RPM: "; }

// With engine speed not displayed only the switch itself is offered.
static uint8_t LastRow() { return state.settings.rpmDisplayOn == 1 ? 10 : 1; }

static constexpr Settings &s = state.settings;

// "HIGH ALARM:" has no blank after its colon, so that a five-digit value
// still fits the line's sixteen cells.
static const SetupRow Rows[] = {
    DoneRow(),
    ChoiceRow("RPM DISPLAY: ", &s.rpmDisplayOn, OnOffTexts),
    ChoiceRow("DISPLAY: ", &s.rpmPercent, DisplayUnitTexts),
    WithLabel(NumberRow("", &s.rpmFullScale, FixedSteps(100, 500, 20000), FormatDecimal), FullScaleLabel),
    ChoiceRow("LOW ALARM: ", &s.rpmLowAlarmOn, OnOffTexts),
    NumberRow("LOW ALARM: ", &s.rpmLowAlarm, KnobSteps(10, 100, 20000), FormatDecimal),
    ChoiceRow("HIGH ALARM: ", &s.rpmHighAlarmOn, OnOffTexts),
    NumberRow("HIGH ALARM:", &s.rpmHighAlarm, KnobSteps(10, 100, 20000), FormatDecimal),
    NumberRow("PULSE/REV: ", &s.pulsesPerRev, KnobSteps(1, 1, 5000), FormatTenths),
    ChoiceRow("PULSE: ", &s.pulseMode, PulseModeTexts),
    ChoiceRow("FILTER: ", &s.rpmFilter, FilterTexts),
};

// The time-between-pulses mode takes a changed pulses-per-revolution only
// when the screen is left.
const SetupScreen RpmSetupList =
    SetupList(" RPM SETUP ", Rows, MainMenuScreen, MenuRpmSetup, LastRow, UpdateRpmPeriodConstant);

void RpmSetupScreen() { RunSetupList(RpmSetupList); }
