// Engine speed setup: display, percent, full scale, both speed alarms,
// pulses per revolution, pulse mode and averaging.
#pragma once

void RpmSetupScreen();
