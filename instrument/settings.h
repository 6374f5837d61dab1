// Default settings and the small resets of the state record.
#pragma once

void LoadDefaultSettings();
void ClearPressureCalibration();
void ResetMaxValues();
