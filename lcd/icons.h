// The sixteen 32 x 32 icons, copied opaquely into columns 10-41.
#pragma once
#include <cstdint>

void LcdDrawIcon(uint8_t icon);
