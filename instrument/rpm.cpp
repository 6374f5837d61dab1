#include "instrument/rpm.h"

#include "instrument/host_link.h"
#include "instrument/state.h"

void UpdateRpmPeriodConstant() {}
void UpdateRpm() { ReadRpmInput(); }
