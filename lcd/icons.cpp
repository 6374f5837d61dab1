#include "lcd/icons.h"

void LcdDrawIcon(uint8_t) {}
