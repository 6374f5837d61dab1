// Where the instrument meets its window.
//
// The instrument calls the functions below and nothing else of the window.
// The window, when it is created, hands the core one HostLink with its own
// implementations (RegisterHostLink) and takes it back when it goes away
// (UnregisterHostLink). The core links on its own: with no window
// registered, or for a function the window leaves null, each call does the
// harmless thing: nothing is drawn, no event arrives, every control is at
// rest and nothing is paced.
#pragma once
#include <cstdint>

struct HostLink {
    // Copies the frame buffer into the display image.
    void (*presentLcd)();
    // Lets the window handle every pending event (clicks, slider moves, timer
    // ticks, OFF) and returns without waiting.
    void (*pumpMessages)();
    // Reads the engine speed slider's position (and shows it beside the
    // slider).
    uint32_t (*readRpmSlider)();
    // 1 while the "Calibrate" / "KeyFast" check box is ticked.
    uint8_t (*calibrateBoxTicked)();
    uint8_t (*keyFastBoxTicked)();
    // Fill colour of the alarm lamp.
    void (*setAlarmLamp)(uint8_t red, uint8_t green, uint8_t blue);
    // Hides (0) or shows (1) the display image.
    void (*setLcdVisible)(uint8_t visible);
    // Spends a short while after a splash pass so that every splash frame is
    // seen.
    void (*paceSplashPass)();
};

// Routes the calls below to the window's functions, until unregistered.
void RegisterHostLink(const HostLink &link);
void UnregisterHostLink();

// What the instrument calls; each goes to the registered window.
void PresentLcd();
void PumpMessages();
// Refreshes simPulseCount from the engine speed slider (unchanged without a
// window) and rpmPulsePeriod from simPulseCount.
void ReadRpmInput();
uint8_t CalibrateBoxTicked();
uint8_t KeyFastBoxTicked();
void SetAlarmLamp(uint8_t red, uint8_t green, uint8_t blue);
void SetLcdVisible(uint8_t visible);
// Called after each splash pass.
void PaceSplashPass();
