// The three operating-display layouts and their bar graphs. They only draw.
#pragma once

void DrawPressureBarVertical();
void DrawPressureBarHorizontal();
void DrawPercentSign();
void DrawPressureScreenVertical();
void DrawPressureScreenHorizontal();
void DrawRpmPressureScreen();
