#include "screens/hobbs_meter.h"

#include "screens/main_menu.h"
#include "screens/setup_list.h"

// For now only the way back to the menu.
static const SetupRow Rows[] = {DoneRow()};
static const SetupScreen Screen = SetupList(" HOBBS METER ", Rows, MainMenuScreen, MenuHobbsMeter);

void HobbsMeterScreen() { RunSetupList(Screen); }
