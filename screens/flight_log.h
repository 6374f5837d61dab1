// The flight log menu.
#pragma once

void FlightLogMenuScreen();
