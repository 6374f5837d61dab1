// Large (18 x 24) and huge (22 x 32) numerals, drawn set-only.
#pragma once
#include <cstdint>

void LcdDrawLargeNumber(uint8_t x, uint8_t y, const char *text);
void LcdDrawHugeNumber(uint8_t x, uint8_t y, const char *text);
