// Display setup (backlight, bar orientation) and the contrast screen.
#pragma once

void DisplaySetupScreen();
void ContrastScreen();
