#include "screens/main_menu.h"

#include "instrument/state.h"
#include "screens/run_screen.h"

void MainMenuScreen() { state.pendingKey = 0; }
