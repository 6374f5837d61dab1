#include "screens/run_layouts.h"

void DrawPressureBarVertical() {}
void DrawPressureBarHorizontal() {}
void DrawPercentSign() {}
void DrawPressureScreenVertical() {}
void DrawPressureScreenHorizontal() {}
void DrawRpmPressureScreen() {}
