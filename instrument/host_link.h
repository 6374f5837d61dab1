// The few window functions the instrument logic needs. They are implemented by
// the simulator window's form (host/), over the real toolkit or the headless
// one, so the instrument never sees a toolkit type.
#pragma once
#include <cstdint>

// Copies the frame buffer into the display image.
void PresentLcd();
// Lets the window handle every pending event (clicks, slider moves, timer
// ticks, OFF) and returns without waiting.
void PumpMessages();
// Refreshes simPulseCount and rpmPulsePeriod from the engine speed slider.
void ReadRpmInput();
// 1 while the "Calibrate" / "KeyFast" check box is ticked.
uint8_t CalibrateBoxTicked();
uint8_t KeyFastBoxTicked();
// Fill colour of the alarm lamp.
void SetAlarmLamp(uint8_t red, uint8_t green, uint8_t blue);
// Hides (0) or shows (1) the display image.
void SetLcdVisible(uint8_t visible);
// Called after each splash pass: the real window spends a short while here so
// that every splash frame is seen; the headless window returns at once.
void PaceSplashPass();
