// The main menu: one entry at a time, a two-line caption beside its icon.
#pragma once
#include <cstdint>

// Entries of the main menu, the values of menuCursor there.
constexpr uint8_t MenuExit = 0;
constexpr uint8_t MenuFlightLog = 1;
constexpr uint8_t MenuDisplaySetup = 2;
constexpr uint8_t MenuHobbsMeter = 3;
constexpr uint8_t MenuRpmSetup = 4;
constexpr uint8_t MenuPressureSetup = 5;
constexpr uint8_t MenuAdcValues = 6; // service entries, only while the
constexpr uint8_t MenuCalibrate = 7; // calibrate switch is on

void MainMenuScreen();
