// Text in the three fonts. The char* forms draw from the caller's buffer; the
// const char* forms copy a constant string into a 32-byte local buffer first,
// so a constant string is at most 31 characters.
#pragma once
#include <cstdint>

// Size of every text buffer: at most 31 characters and the terminating zero.
constexpr int TextBufferSize = 32;

// Copies a constant string into a text buffer, truncated to 31 characters.
void CopyConstantText(char (&out)[TextBufferSize], const char *text);

// Number of characters before the zero byte, modulo 256.
uint8_t TextLength(const char *text);

// Font8x8. doubleHeight and inverse act only when exactly 1; `unused` has no
// effect (callers pass 0 or 1).
void LcdDrawText(uint8_t x, uint8_t y, char *text, uint8_t doubleHeight, uint8_t unused, uint8_t inverse);
void LcdDrawText(uint8_t x, uint8_t y, const char *text, uint8_t doubleHeight, uint8_t unused,
                 uint8_t inverse);
void LcdDrawTextCentered(uint8_t x, uint8_t y, char *text, uint8_t doubleHeight, uint8_t unused,
                         uint8_t inverse);
void LcdDrawTextCentered(uint8_t x, uint8_t y, const char *text, uint8_t doubleHeight, uint8_t unused,
                         uint8_t inverse);

// Font5x7, highlighted from character index highlightFrom on (100: none).
void LcdDrawSmallText(uint8_t x, uint8_t y, char *text, uint8_t highlightFrom);
void LcdDrawSmallText(uint8_t x, uint8_t y, const char *text, uint8_t highlightFrom);
void LcdDrawSmallTextCentered(uint8_t x, uint8_t y, char *text, uint8_t highlightFrom);
void LcdDrawSmallTextCentered(uint8_t x, uint8_t y, const char *text, uint8_t highlightFrom);

// FontTiny, opaque; any non-zero inverse swaps dark and light.
void LcdDrawTinyText(uint8_t x, uint8_t y, const char *text, uint8_t inverse);
