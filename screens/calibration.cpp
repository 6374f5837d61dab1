#include "screens/calibration.h"

#include <cstdio>

#include "instrument/hooks.h"
#include "lcd/furniture.h"
#include "screens/main_menu.h"
#include "screens/setup_list.h"

// The offset with its sign, then the pressure it gives in millibar, so that
// the effect of each step shows at once: "+0 1013mb".
static void FormatCalibration(char *out, int32_t offset)
{
    snprintf(out, 32, "%+d %dmb", (int)offset, (int)state.pressureMillibar);
}

// One raw count is about 0.6 mB; the offset moves by exactly one count per
// key and stops at its limits.
static const SetupRow CalibrateRows[] = {
    DoneRow(),
    NumberRow("CAL: ", &state.settings.pressureCalOffset, FixedStepsStopping(1, -50, 50), FormatCalibration),
};

static const SetupScreen Calibrate =
    SetupList(" CALIBRATE ", CalibrateRows, MainMenuScreen, MenuCalibrate, nullptr, SaveSettings);

void CalibrateScreen() { RunSetupList(Calibrate); }

// Only the DONE line is selectable; the reading below it is live.
static const SetupRow AdcValuesRows[] = {DoneRow()};

static const SetupScreen AdcValues = SetupList(" ADC VALUES ", AdcValuesRows, MainMenuScreen, MenuAdcValues);

void AdcValuesScreen()
{
    DrawSetupList(AdcValues);
    char text[32];
    snprintf(text, sizeof text, "PRESSURE: %u", (unsigned)state.pressureAdc);
    DrawMenuText(0, 16, text, 0);
    HandleSetupKey(AdcValues);
}
