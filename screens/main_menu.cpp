#include "screens/main_menu.h"

#include "instrument/state.h"
#include "lcd/furniture.h"
#include "screens/run_screen.h"

// Only the title so far; pressing the knob goes back to the run screen.
void MainMenuScreen()
{
    DrawTitle(" MAIN MENU ");
    if (state.pendingKey == KeyNone)
        return;
    if (state.pendingKey == KeyCentre)
        state.currentScreen = RunScreen;
    state.pendingKey = KeyNone;
}
