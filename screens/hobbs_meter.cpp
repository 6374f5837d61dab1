#include "screens/hobbs_meter.h"

#include "screens/access_code.h"
#include "screens/digit_entry.h"
#include "screens/main_menu.h"
#include "screens/screen_flow.h"
#include "screens/setup_list.h"
#include "screens/time_adjust.h"

static const char FractionTexts[2][4] = {"MIN", "DEC"};

// With a code set, the Hobbs time is changed only after the code is given.
static void OpenSetHobbsTime()
{
    if (state.settings.accessCode != 0) {
        ClearCodeDigits();
        OpenScreen(EnterHobbsCodeScreen, 0);
    } else {
        LoadHobbsDigits();
        OpenScreen(HobbsTimeAdjustScreen, 0);
    }
}

static void OpenSetMaintTime()
{
    LoadMaintDigits();
    OpenScreen(MaintTimeAdjustScreen, 0);
}

static void OpenCodeChange()
{
    ClearCodeDigits();
    OpenScreen(EnterCurrentCodeScreen, 0);
}

static constexpr Settings &s = state.settings;

static const SetupRow Rows[] = {
    DoneRow(),
    NumberRow("HOBBS RPM: ", &s.hobbsRpm, KnobSteps(10, 100, 9500), FormatDecimalWidth4),
    ActionRow("SET HOBBS TIME", OpenSetHobbsTime),
    ActionRow("SET MAINT TIME", OpenSetMaintTime),
    ChoiceRow("HOUR FRACT: ", &s.hourFractionDecimal, FractionTexts),
    ActionRow("HOBBS CODE", OpenCodeChange),
};

const SetupScreen HobbsMeterSetupList = SetupList(" HOBBS METER ", Rows, MainMenuScreen, MenuHobbsMeter);

void HobbsMeterScreen() { RunSetupList(HobbsMeterSetupList); }
