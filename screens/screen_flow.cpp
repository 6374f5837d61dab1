#include "screens/screen_flow.h"

uint8_t TakePendingKey()
{
    uint8_t key = state.pendingKey;
    state.pendingKey = KeyNone;
    return key;
}

void GoToScreen(ScreenHandler next) { state.currentScreen = next; }

void OpenScreen(ScreenHandler next, uint8_t cursor)
{
    state.menuCursor = cursor;
    state.editMode = 0;
    state.currentScreen = next;
}

void StepMenuCursor(uint8_t key, uint8_t last)
{
    uint8_t cursor = state.menuCursor;
    if ((key == KeyClockwise || key == KeyRight) && cursor < last)
        state.menuCursor = (uint8_t)(cursor + 1);
    else if ((key == KeyAntiClockwise || key == KeyLeft) && cursor > 0)
        state.menuCursor = (uint8_t)(cursor - 1);
}

void ShowScreen(ScreenHandler next, ScreenHandler returnTo)
{
    state.returnScreen = returnTo;
    state.currentScreen = next;
}
