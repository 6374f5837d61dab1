#include "instrument/hooks.h"

HookCallCounts hookCalls;

void SaveSettings() { ++hookCalls.saveSettings; }
void SaveMaxValues() { ++hookCalls.saveMaxValues; }
void SaveHobbs() { ++hookCalls.saveHobbs; }
void SaveFlightLogEntry() { ++hookCalls.saveFlightLogEntry; }
void EraseFlightLog() { ++hookCalls.eraseFlightLog; }
void ApplyContrast() { ++hookCalls.applyContrast; }
void BacklightOn() { ++hookCalls.backlightOn; }
void BacklightOff() { ++hookCalls.backlightOff; }
void AlarmOutputOn() { ++hookCalls.alarmOutputOn; }
void AlarmOutputOff() { ++hookCalls.alarmOutputOff; }
