// The drawing as it was first written: every dot of text, numerals, lines and
// rectangles set one at a time through LcdSetPixel. The byte-wise drawing of
// frame.h, text.h and numerals.h must leave exactly the same frame; the tests
// compare the two over every position, character and mode, and the
// benchmarks time both. Nothing here reports drawn texts.
#pragma once
#include <cstdint>

namespace dot_by_dot {

void LcdDrawLine(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint8_t mode);
void LcdDrawRect(uint8_t x0, uint8_t y0, uint8_t x1, uint8_t y1, uint8_t mode);
void LcdFillRect(uint8_t x0, uint8_t y0, uint8_t x1, uint8_t y1, uint8_t mode);
void LcdDrawText(uint8_t x, uint8_t y, const char *text, uint8_t doubleHeight, uint8_t inverse);
void LcdDrawSmallText(uint8_t x, uint8_t y, const char *text, uint8_t highlightFrom);
void LcdDrawTinyText(uint8_t x, uint8_t y, const char *text, uint8_t inverse);
void LcdDrawLargeNumber(uint8_t x, uint8_t y, const char *text);
void LcdDrawHugeNumber(uint8_t x, uint8_t y, const char *text);

} // namespace dot_by_dot
