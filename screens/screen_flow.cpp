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

void ShowScreen(ScreenHandler next, ScreenHandler returnTo)
{
    state.returnScreen = returnTo;
    state.currentScreen = next;
}
