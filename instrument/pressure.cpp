#include "instrument/pressure.h"

#include "instrument/state.h"

int32_t ReadPressureAdc() { return state.simPressureInput; }
int32_t ConvertPressureUnit(int32_t millibar) { return millibar; }
void UpdatePressure() {}
