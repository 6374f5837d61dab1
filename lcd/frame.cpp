#include "lcd/frame.h"

#include <cstring>

#include "instrument/state.h"

void LcdClear() { memset(state.lcdFrame, 0, sizeof state.lcdFrame); }
uint8_t LcdGetPixel(uint8_t, uint8_t) { return 0; }
void LcdSetPixel(uint8_t, uint8_t, uint8_t) {}
void LcdDrawLine(int32_t, int32_t, int32_t, int32_t, uint8_t) {}
void LcdDrawRect(uint8_t, uint8_t, uint8_t, uint8_t, uint8_t) {}
void LcdFillRect(uint8_t, uint8_t, uint8_t, uint8_t, uint8_t) {}
