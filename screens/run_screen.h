// Run mode: the home screen and the screens reached from it directly.
#pragma once

void RunScreen();
void MaxValuesScreen();
void FlightScreen();
