#include "lcd/text.h"

void LcdDrawText(uint8_t, uint8_t, char *, uint8_t, uint8_t, uint8_t) {}
void LcdDrawText(uint8_t, uint8_t, const char *, uint8_t, uint8_t, uint8_t) {}
void LcdDrawTextCentered(uint8_t, uint8_t, char *, uint8_t, uint8_t, uint8_t) {}
void LcdDrawTextCentered(uint8_t, uint8_t, const char *, uint8_t, uint8_t, uint8_t) {}
void LcdDrawSmallText(uint8_t, uint8_t, char *, uint8_t) {}
void LcdDrawSmallText(uint8_t, uint8_t, const char *, uint8_t) {}
void LcdDrawSmallTextCentered(uint8_t, uint8_t, char *, uint8_t) {}
void LcdDrawSmallTextCentered(uint8_t, uint8_t, const char *, uint8_t) {}
void LcdDrawTinyText(uint8_t, uint8_t, const char *, uint8_t) {}
