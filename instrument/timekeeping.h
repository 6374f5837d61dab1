// Flight timer, Hobbs meter and maintenance countdown, advanced once per
// second by the main cycle.
#pragma once

void OneSecondBlock();

// A flight starts with its timer at 0:00:00 and no log slot yet.
void StartFlight();
// A flight that completed its first minute has a log slot: its entry is saved
// one last time. A shorter one leaves the log alone.
void EndFlight();
