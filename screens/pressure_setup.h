// Pressure setup: span, top scale, both pressure alarms, filter and unit.
#pragma once
#include "instrument/pressure_units.h"
#include "screens/setup_list.h"

// Smallest and largest span and alarm thresholds, in counts of each unit.
extern const NumberLimits PressureUnitLimits[PressureUnitCount];

// The limits of the selected unit (a unit outside the table: the first
// entry's).
NumberLimits SelectedUnitLimits();

// Pulls span and both alarm thresholds into the selected unit's limits. No
// other relation is kept: a low alarm may lie above the high alarm.
void ClampPressureSettings();

void PressureSetupScreen();
