// Power-on sequence and the main cycle, split so that tests can step them.
#pragma once

// Power-on steps 1 to 7: resets, defaults, the splash, then the run screen.
void PowerOnSequence();
// One pass of the main cycle.
void MainCyclePass();
