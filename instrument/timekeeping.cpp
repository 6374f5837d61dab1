#include "instrument/timekeeping.h"

#include "instrument/state.h"

void OneSecondBlock() {}
