#include "lcd/furniture.h"

void DrawTitle(const char *) {}
void DrawMenuText(uint8_t, uint8_t, char *, uint8_t) {}
void DrawMenuRow(uint8_t, uint8_t, char *, char *) {}
void DrawMenuRow(uint8_t, uint8_t, const char *, char *) {}
void DrawMenuRow(uint8_t, uint8_t, const char *, const char *) {}
void DrawScrollBar(uint8_t, uint8_t) {}
