// Engine speed from the pulse input: raw reading, cap, averaging, maximum,
// alarm.
#pragma once

void UpdateRpmPeriodConstant();
void UpdateRpm();
