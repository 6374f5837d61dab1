#include "lcd/format.h"

#include <cstdio>

void FormatPressure(char *out, int32_t value) { snprintf(out, 32, "%d", (int)value); }
void FormatPressureWide(char *out, int32_t value) { snprintf(out, 32, "%4d", (int)value); }
