#include "screens/run_screen.h"

#include "instrument/state.h"

void RunScreen() { state.pendingKey = 0; }
void MaxValuesScreen() { state.pendingKey = 0; }
void FlightScreen() { state.pendingKey = 0; }
