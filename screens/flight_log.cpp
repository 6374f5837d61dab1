#include "screens/flight_log.h"

#include "screens/main_menu.h"
#include "screens/setup_list.h"

// For now only the way back to the menu.
static const SetupRow Rows[] = {DoneRow()};
static const SetupScreen Screen = SetupList(" FLIGHT LOG ", Rows, MainMenuScreen, MenuFlightLog);

void FlightLogMenuScreen() { RunSetupList(Screen); }
