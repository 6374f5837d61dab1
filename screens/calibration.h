// The service screens of the pressure sensor: calibration offset and the raw
// reading.
#pragma once

void CalibrateScreen();
void AdcValuesScreen();
