#include "lcd/numerals.h"

void LcdDrawLargeNumber(uint8_t, uint8_t, const char *) {}
void LcdDrawHugeNumber(uint8_t, uint8_t, const char *) {}
