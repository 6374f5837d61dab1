// Power-on sequence and the main cycle, split so that tests can step them.
#pragma once

// Power-on steps 1 to 7: resets, defaults, the splash, then the run screen.
void PowerOnSequence();
// Its two halves: steps 1 to 5 (maxima, defaults, calibration, the cleared
// inputs and alarms, the speed constant) and steps 6 and 7 (the splash, then
// the run screen).
void PowerOnReset();
void PowerOnSplash();
// One pass of the main cycle.
void MainCyclePass();
