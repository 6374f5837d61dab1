#include "invariants.h"

#include <cstdio>

#include "host/readout/state_fields.h"
#include "screens/access_code.h"
#include "screens/calibration.h"
#include "screens/display_setup.h"
#include "screens/flight_log.h"
#include "screens/flight_log_view.h"
#include "screens/hobbs_meter.h"
#include "screens/main_menu.h"
#include "screens/messages.h"
#include "screens/pressure_setup.h"
#include "screens/rpm_setup.h"
#include "screens/run_screen.h"
#include "screens/time_adjust.h"

namespace {

// --- The rows of each screen, written down independently of the screens ---

// With the calibrate switch on the menu ends at its service entries. A
// service entry stays shown after the switch went off on it: the menu may
// hold it or step down from it, and reopens on it from the service screen.
uint8_t MainMenuLast(const PassStart &start)
{
    uint8_t last = state.calibrateSwitch == 1 ? 7 : 5;
    if (start.screen == MainMenuScreen && start.cursor > last && start.cursor <= 7)
        last = start.cursor;
    if (start.screen == AdcValuesScreen && last < 6)
        last = 6;
    if (start.screen == CalibrateScreen)
        last = 7;
    return last;
}
// The take-off speed row exists only with automatic flight detection.
uint8_t FlightLogMenuLast(const PassStart &) { return state.settings.flightAutoDetect == 1 ? 4 : 3; }
// The bar orientation row exists only without the engine speed display.
uint8_t DisplaySetupLast(const PassStart &) { return state.settings.rpmDisplayOn == 0 ? 3 : 2; }
// Without the engine speed display only its switch is offered.
uint8_t RpmSetupLast(const PassStart &) { return state.settings.rpmDisplayOn == 1 ? 10 : 1; }

struct CursorRule {
    ScreenHandler screen;
    uint8_t last;                         // the highest menuCursor
    uint8_t (*lastOf)(const PassStart &); // when the rows depend on settings
    bool rowsOfReturnScreen;              // a message: the cursor waits for the screen it returns to
};

const CursorRule CursorRules[] = {
    // The run screens keep the 0 that the power-on and the menu's exit set.
    {RunScreen, 0, nullptr, false},
    {MaxValuesScreen, 0, nullptr, false},
    {FlightScreen, 0, nullptr, false},
    {MainMenuScreen, 0, MainMenuLast, false},
    {FlightLogMenuScreen, 0, FlightLogMenuLast, false},
    {FlightLogViewScreen, 3, nullptr, false}, // the page
    // The erase question keeps the cursor on ERASE LOG.
    {FlightLogEraseScreen, 0, FlightLogMenuLast, false},
    {FlightLogBlockedScreen, 0, nullptr, true},
    {DisplaySetupScreen, 0, DisplaySetupLast, false},
    {ContrastScreen, 0, nullptr, false},
    {HobbsMeterScreen, 5, nullptr, false},
    {HobbsTimeAdjustScreen, 5, nullptr, false}, // the digit
    {MaintTimeAdjustScreen, 2, nullptr, false},
    {EnterCurrentCodeScreen, 3, nullptr, false},
    {EnterNewCodeScreen, 3, nullptr, false},
    {ConfirmNewCodeScreen, 3, nullptr, false},
    {EnterHobbsCodeScreen, 3, nullptr, false},
    {IncorrectCodeMessage, 0, nullptr, true},
    {CodeChangedMessage, 0, nullptr, true},
    {DoneMessage, 0, nullptr, true},
    {RpmSetupScreen, 0, RpmSetupLast, false},
    {PressureSetupScreen, 8, nullptr, false},
    {AdcValuesScreen, 0, nullptr, false},
    {CalibrateScreen, 1, nullptr, false},
};

const CursorRule *RuleOf(ScreenHandler screen)
{
    for (const CursorRule &rule : CursorRules)
        if (rule.screen == screen)
            return &rule;
    return nullptr;
}

// Smallest and largest span and alarm in each unit's counts.
struct UnitLimits {
    int32_t lo, hi;
};
const UnitLimits PressureLimits[8] = {{250, 2500}, {25, 250},   {36, 362}, {25, 254},
                                      {73, 738},   {187, 1875}, {25, 250}, {24, 254}};

std::string Broken(const char *format, long a, long b = 0, long c = 0)
{
    char text[200];
    snprintf(text, sizeof text, format, a, b, c);
    return text;
}

std::string CheckCursor(const PassStart &start)
{
    const CursorRule *rule = RuleOf(state.currentScreen);
    if (rule && rule->rowsOfReturnScreen)
        rule = RuleOf(state.returnScreen);
    if (!rule)
        return {};
    uint8_t last = rule->lastOf ? rule->lastOf(start) : rule->last;
    if (state.menuCursor > last)
        return std::string("menuCursor ") + std::to_string(state.menuCursor) + " beyond the last row " +
               std::to_string(last) + " of " + ScreenName(state.currentScreen);
    return {};
}

std::string CheckRanges()
{
    struct Range {
        const char *name;
        long value, lo, hi;
    };
    const Settings &s = state.settings;
    const Range ranges[] = {
        {"editMode", state.editMode, 0, 1},
        {"pendingKey after the screen's pass", state.pendingKey, 0, 0},
        {"contrast", s.contrast, 0, 63},
        {"pressureCalOffset", s.pressureCalOffset, -50, 50},
        {"pressureUnit", s.pressureUnit, 0, 7},
        {"rpmSampleCount", state.rpmSampleCount, 0, 32},
        {"rpmSampleIndex", state.rpmSampleIndex, 0, 31},
        {"flightLogIndex", state.flightLogIndex, 0, 31},
        {"blinkTickCount", state.blinkTickCount, 0, 10},
        {"slowTickCount", state.slowTickCount, 0, 19},
        {"blinkPhase", state.blinkPhase, 0, 1},
        {"magCheckTimer", state.magCheckTimer, 0, 60},
        {"flightStopDelay", state.flightStopDelay, 0, 30},
        {"pulsesPerRev", s.pulsesPerRev, 1, 5000},
        {"rpmFullScale", s.rpmFullScale, 500, 20000},
    };
    for (const Range &r : ranges)
        if (r.value < r.lo || r.value > r.hi)
            return std::string(r.name) + " " + std::to_string(r.value) + " outside " + std::to_string(r.lo) +
                   ".." + std::to_string(r.hi);
    for (int i = 0; i < 6; ++i)
        if (state.entryDigits[i] > 9)
            return Broken("entryDigits[%ld] %ld outside 0..9", i, state.entryDigits[i]);
    return {};
}

// The pressure setup pulls span and alarms into the unit's limits at the
// start of every pass, and its numbers wrap inside them; only the pass that
// changes the unit leaves them for the next pass to pull in.
std::string CheckPressureLimits(const PassStart &start)
{
    uint8_t unit = state.settings.pressureUnit;
    if (unit > 7 || (start.screen == PressureSetupScreen && unit != start.pressureUnit))
        return {};
    const UnitLimits &limits = PressureLimits[unit];
    const struct {
        const char *name;
        int32_t value;
    } values[] = {{"pressureSpan", state.settings.pressureSpan},
                  {"pressureLowAlarm", state.settings.pressureLowAlarm},
                  {"pressureHighAlarm", state.settings.pressureHighAlarm}};
    for (const auto &v : values)
        if (v.value < limits.lo || v.value > limits.hi)
            return std::string(v.name) + " " + std::to_string(v.value) + " outside " +
                   std::to_string(limits.lo) + ".." + std::to_string(limits.hi) + " of unit " +
                   std::to_string(unit);
    return {};
}

std::string CheckScreen()
{
    std::string name = ScreenName(state.currentScreen);
    if (name == "?" || name == "-")
        return "currentScreen is not a known screen (" + name + ")";
    return {};
}

} // namespace

PassStart TakePassStart() { return {state.currentScreen, state.menuCursor, state.settings.pressureUnit}; }

std::string CheckInvariants(const PassStart &start)
{
    for (std::string broken : {CheckScreen(), CheckCursor(start), CheckRanges(), CheckPressureLimits(start)})
        if (!broken.empty())
            return broken;
    return {};
}
