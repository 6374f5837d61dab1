// The shared look of menu and setup screens: title with side rules, list rows
// with selection and edit highlight, and the scroll bar.
#pragma once
#include <cstdint>

// Rows of a list scrolled off the top with the selection on row cursor: from
// cursor 7 on, the selected row is the bottom row of the display (row 6 of
// the list).
uint8_t ListScrollOffset(uint8_t cursor);

void DrawTitle(const char *title);
void DrawMenuText(uint8_t x, uint8_t y, char *text, uint8_t inverse);
void DrawMenuRow(uint8_t valueOffset, uint8_t row, char *label, char *value);
void DrawMenuRow(uint8_t valueOffset, uint8_t row, const char *label, char *value);
void DrawMenuRow(uint8_t valueOffset, uint8_t row, const char *label, const char *value);
void DrawScrollBar(uint8_t position, uint8_t count);
