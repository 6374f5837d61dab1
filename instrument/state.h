// The instrument's one run-time record. Every subsystem reads and writes its
// fields directly; there is no other shared state and no dynamic memory.
#pragma once
#include <cstdint>

#include "lcd/frame_layout.h"

// Key codes, the values of pendingKey.
constexpr uint8_t KeyNone = 0;
constexpr uint8_t KeyCentre = 1;        // knob pressed
constexpr uint8_t KeyClockwise = 2;     // knob one step clockwise
constexpr uint8_t KeyAntiClockwise = 3; // knob one step anticlockwise
constexpr uint8_t KeyLeft = 4;          // F1
constexpr uint8_t KeyRight = 5;         // F2

// The two bits of alarmActive (condition present) and alarmMuted
// (acknowledged with a key).
constexpr uint8_t AlarmPressure = 1; // bit 0
constexpr uint8_t AlarmRpm = 2;      // bit 1

// Entries of the flight log table that the flight log screens show, newest
// first.
constexpr uint8_t FlightLogEntries = 24;
// Readings the engine speed average holds at most.
constexpr uint8_t RpmRingSize = 32;

// A screen draws itself into the cleared frame, then handles pendingKey.
typedef void (*ScreenHandler)();

// The values the instrument would keep in its non-volatile store.
struct Settings {
    uint8_t contrast;
    uint8_t backlightOn;
    int32_t pressureSpan;
    uint8_t pressureTopScale;
    int32_t pressureLowAlarm;
    uint8_t pressureLowAlarmOn;
    int32_t pressureHighAlarm;
    uint8_t pressureHighAlarmOn;
    uint8_t pressureFilter;
    uint8_t pressureUnit;
    uint8_t barHorizontal;
    int8_t pressureCalOffset;
    uint8_t hourFractionDecimal;
    uint32_t hobbsRpm;
    uint8_t flightAutoDetect;
    uint32_t flightRpm;
    uint8_t rpmDisplayOn;
    uint32_t rpmFullScale;
    uint32_t rpmLowAlarm;
    uint8_t rpmLowAlarmOn;
    uint32_t rpmHighAlarm;
    uint8_t rpmHighAlarmOn;
    int32_t pulsesPerRev; // tenths of a pulse per revolution
    uint8_t pulseMode;
    uint8_t rpmFilter;
    uint32_t accessCode; // 0: no code set
    uint8_t rpmPercent;
};

struct InstrumentState {
    // Menu and display
    uint8_t menuCursor;
    uint8_t editMode;
    uint8_t flightLogHours[FlightLogEntries];
    uint8_t flightLogMinutes[FlightLogEntries];
    uint8_t entryDigits[6];
    uint32_t pendingCode;
    uint8_t lcdFrame[LcdFrameBytes];

    // Inputs and pressure
    uint32_t magCheckRpmRef;
    uint8_t pendingKey;
    uint8_t knobStep;
    int32_t pressureAdc;
    int32_t pressureMillibar;
    int32_t pressureValue;
    int32_t pressureMax;
    uint32_t pressureFilterAcc;
    int32_t simPressureInput;

    // Engine speed
    uint8_t rpmSampleCount;
    uint8_t rpmSampleIndex;
    uint32_t simPulseCount;
    uint32_t rpmPulsePeriod;
    uint32_t rpmGateCount;
    uint32_t rpmValue;
    uint32_t rpmMax;
    uint32_t rpmSamples[RpmRingSize];
    int32_t rpmPeriodConstant;
    uint32_t rpmAverage;

    Settings settings;

    // Screens, timing and alarms
    ScreenHandler currentScreen;
    ScreenHandler returnScreen;
    uint8_t slowTickCount;
    uint8_t blinkPhase;
    uint8_t blinkTickCount;
    uint8_t secondTick;
    uint8_t magCheckTimer;
    uint8_t alarmActive; // AlarmPressure, AlarmRpm: condition present
    uint8_t calibrateSwitch;
    uint8_t alarmMuted; // AlarmPressure, AlarmRpm: acknowledged
    uint8_t flightSeconds;
    uint8_t flightHours;
    uint8_t flightMinutes;
    uint8_t inFlight;
    uint8_t flightRecorded;
    uint8_t flightStopDelay;
    uint8_t flightLogIndex;
    uint8_t hobbsSeconds;
    uint8_t hobbsMinutes;
    uint8_t maintMinutes;
    uint32_t hobbsHours;
    uint32_t maintHours;
    uint8_t powerOffRequest;
};

// Zero-filled at program start, like the instrument's RAM.
extern InstrumentState state;
