#include "instrument/state.h"

InstrumentState state;
