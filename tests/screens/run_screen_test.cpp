#include <gtest/gtest.h>

#include <cstring>

#include "instrument/settings.h"
#include "instrument/state.h"
#include "lcd/frame.h"
#include "screens/main_menu.h"
#include "screens/run_screen.h"
#include "support/frame_check.h"
#include "support/hook_counts.h"

namespace {

// Default settings, run screen active, no alarm, no key, hooks uncounted.
void StartOnRunScreen()
{
    ResetInstrumentState();
    LoadDefaultSettings();
    memset(&hookCalls, 0, sizeof hookCalls);
    state.currentScreen = RunScreen;
}

// One pass of the active screen with a key waiting, as the main cycle runs it.
void Press(uint8_t key)
{
    state.pendingKey = key;
    LcdClear();
    state.currentScreen();
}

void Idle()
{
    LcdClear();
    state.currentScreen();
}

} // namespace

TEST(RunNavigation, KnobPressOpensMainMenuAtFirstEntryInBrowseMode)
{
    StartOnRunScreen();
    state.menuCursor = 5;
    state.editMode = 1;
    Press(KeyCentre);
    EXPECT_EQ(state.currentScreen, MainMenuScreen);
    EXPECT_EQ(state.menuCursor, 0);
    EXPECT_EQ(state.editMode, 0);
    EXPECT_EQ(state.pendingKey, KeyNone);
}

TEST(RunNavigation, PassWithoutKeyChangesNothing)
{
    StartOnRunScreen();
    state.alarmActive = 3;
    state.magCheckTimer = 17;
    Idle();
    EXPECT_EQ(state.currentScreen, RunScreen);
    EXPECT_EQ(state.alarmMuted, 0);
    EXPECT_EQ(state.magCheckTimer, 17);
}

TEST(RunNavigation, KnobTurnEitherWayShowsMaximumValues)
{
    for (uint8_t key : {KeyClockwise, KeyAntiClockwise}) {
        StartOnRunScreen();
        Press(key);
        EXPECT_EQ(state.currentScreen, MaxValuesScreen) << "key " << int(key);
        EXPECT_EQ(state.pendingKey, KeyNone);
    }
}

TEST(RunNavigation, FirstKeyOnlyAcknowledgesTheAlarmSecondKeyActs)
{
    StartOnRunScreen();
    state.alarmActive = 1;
    Press(KeyCentre);
    EXPECT_EQ(state.currentScreen, RunScreen);
    EXPECT_EQ(state.alarmMuted, 1);
    EXPECT_EQ(state.pendingKey, KeyNone);
    Press(KeyCentre);
    EXPECT_EQ(state.currentScreen, MainMenuScreen);
}

TEST(RunNavigation, OneKeyAcknowledgesBothAlarms)
{
    StartOnRunScreen();
    state.alarmActive = 3;
    Press(KeyClockwise);
    EXPECT_EQ(state.alarmMuted, 3);
    EXPECT_EQ(state.currentScreen, RunScreen);

    // With the pressure alarm already acknowledged, the speed alarm still
    // takes the key.
    StartOnRunScreen();
    state.alarmActive = 3;
    state.alarmMuted = 1;
    Press(KeyClockwise);
    EXPECT_EQ(state.alarmMuted, 3);
    EXPECT_EQ(state.currentScreen, RunScreen);

    // An engine speed alarm alone is acknowledged the same way.
    StartOnRunScreen();
    state.alarmActive = 2;
    Press(KeyRight);
    EXPECT_EQ(state.alarmMuted, 2);
    EXPECT_EQ(state.magCheckTimer, 0);
}

TEST(RunNavigation, AcknowledgedAlarmsLetKeysThrough)
{
    StartOnRunScreen();
    state.alarmActive = 3;
    state.alarmMuted = 3;
    Press(KeyAntiClockwise);
    EXPECT_EQ(state.currentScreen, MaxValuesScreen);
    EXPECT_EQ(state.alarmMuted, 3);
}

TEST(RunNavigation, KeyRightStartsMagnetoCheckFromPresentSpeed)
{
    StartOnRunScreen();
    state.rpmValue = 2480;
    Press(KeyRight);
    EXPECT_EQ(state.magCheckRpmRef, 2480u);
    EXPECT_EQ(state.magCheckTimer, 60);
    EXPECT_EQ(state.currentScreen, RunScreen);
}

TEST(RunNavigation, KeyRightDoesNothingWithoutSpeedDisplay)
{
    StartOnRunScreen();
    state.settings.rpmDisplayOn = 0;
    state.rpmValue = 2480;
    state.magCheckRpmRef = 7;
    Press(KeyRight);
    EXPECT_EQ(state.magCheckTimer, 0);
    EXPECT_EQ(state.magCheckRpmRef, 7u);
    EXPECT_EQ(state.currentScreen, RunScreen);
    EXPECT_EQ(state.pendingKey, KeyNone);
}

TEST(RunNavigation, AnyKeyDuringMagnetoCheckOnlyEndsIt)
{
    for (uint8_t key : {KeyCentre, KeyClockwise, KeyAntiClockwise, KeyLeft, KeyRight}) {
        StartOnRunScreen();
        state.settings.flightAutoDetect = 0;
        state.magCheckTimer = 35;
        state.magCheckRpmRef = 2500;
        state.rpmValue = 2300;
        state.alarmActive = 3;
        Press(key);
        EXPECT_EQ(state.magCheckTimer, 0) << "key " << int(key);
        EXPECT_EQ(state.alarmMuted, 0) << "key " << int(key);
        EXPECT_EQ(state.currentScreen, RunScreen) << "key " << int(key);
        EXPECT_EQ(state.magCheckRpmRef, 2500u) << "key " << int(key);
        EXPECT_EQ(state.pendingKey, KeyNone);
    }
}

TEST(RunNavigation, KeyLeftOpensFlightScreenOnlyForManualFlightsWithSpeedShown)
{
    StartOnRunScreen(); // automatic flight detection is the default
    Press(KeyLeft);
    EXPECT_EQ(state.currentScreen, RunScreen);
    EXPECT_EQ(state.pendingKey, KeyNone);

    StartOnRunScreen();
    state.settings.flightAutoDetect = 0;
    state.settings.rpmDisplayOn = 0;
    Press(KeyLeft);
    EXPECT_EQ(state.currentScreen, RunScreen);

    StartOnRunScreen();
    state.settings.flightAutoDetect = 0;
    Press(KeyLeft);
    EXPECT_EQ(state.currentScreen, FlightScreen);
}

TEST(RunNavigation, MaxValuesResetRestartsFromPresentReadingsAndStays)
{
    StartOnRunScreen();
    state.currentScreen = MaxValuesScreen;
    state.pressureValue = 812;
    state.pressureMax = 2300;
    state.rpmValue = 2450;
    state.rpmMax = 5100;
    Press(KeyLeft);
    EXPECT_EQ(state.pressureMax, 812);
    EXPECT_EQ(state.rpmMax, 2450u);
    EXPECT_EQ(hookCalls.saveMaxValues, 1u);
    EXPECT_EQ(state.currentScreen, MaxValuesScreen);
    EXPECT_EQ(state.pendingKey, KeyNone);
}

TEST(RunNavigation, MaxValuesOtherKeysReturnWithoutReset)
{
    for (uint8_t key : {KeyCentre, KeyClockwise, KeyAntiClockwise, KeyRight}) {
        StartOnRunScreen();
        state.currentScreen = MaxValuesScreen;
        state.pressureValue = 812;
        state.pressureMax = 2300;
        Press(key);
        EXPECT_EQ(state.currentScreen, RunScreen) << "key " << int(key);
        EXPECT_EQ(state.pressureMax, 2300) << "key " << int(key);
        EXPECT_EQ(hookCalls.saveMaxValues, 0u);
        EXPECT_EQ(state.pendingKey, KeyNone);
    }
}

TEST(RunNavigation, FlightScreenStartsFlightFromZero)
{
    StartOnRunScreen();
    state.currentScreen = FlightScreen;
    state.flightRecorded = 1;
    state.flightHours = 2;
    state.flightMinutes = 14;
    state.flightSeconds = 33;
    Press(KeyLeft);
    EXPECT_EQ(state.inFlight, 1);
    EXPECT_EQ(state.flightRecorded, 0);
    EXPECT_EQ(state.flightHours, 0);
    EXPECT_EQ(state.flightMinutes, 0);
    EXPECT_EQ(state.flightSeconds, 0);
    EXPECT_EQ(state.currentScreen, RunScreen);
    EXPECT_EQ(hookCalls.saveFlightLogEntry, 0u);
}

TEST(RunNavigation, StoppingUnrecordedFlightSavesNothing)
{
    StartOnRunScreen();
    state.currentScreen = FlightScreen;
    state.inFlight = 1;
    state.flightSeconds = 42;
    Press(KeyLeft);
    EXPECT_EQ(state.inFlight, 0);
    EXPECT_EQ(hookCalls.saveFlightLogEntry, 0u);
    EXPECT_EQ(state.currentScreen, RunScreen);
}

TEST(RunNavigation, StoppingRecordedFlightSavesItOnce)
{
    StartOnRunScreen();
    state.currentScreen = FlightScreen;
    state.inFlight = 1;
    state.flightRecorded = 1;
    state.flightMinutes = 3;
    Press(KeyLeft);
    EXPECT_EQ(state.inFlight, 0);
    EXPECT_EQ(hookCalls.saveFlightLogEntry, 1u);
    // The timer keeps the flight's duration after the stop.
    EXPECT_EQ(state.flightMinutes, 3);
    EXPECT_EQ(state.currentScreen, RunScreen);
}

TEST(RunNavigation, FlightScreenOtherKeysLeaveFlightAlone)
{
    for (uint8_t inFlight : {0, 1})
        for (uint8_t key : {KeyCentre, KeyClockwise, KeyAntiClockwise, KeyRight}) {
            StartOnRunScreen();
            state.currentScreen = FlightScreen;
            state.inFlight = inFlight;
            state.flightRecorded = 1;
            state.flightMinutes = 9;
            Press(key);
            EXPECT_EQ(state.inFlight, inFlight) << "key " << int(key);
            EXPECT_EQ(state.flightMinutes, 9);
            EXPECT_EQ(hookCalls.saveFlightLogEntry, 0u);
            EXPECT_EQ(state.currentScreen, RunScreen);
            EXPECT_EQ(state.pendingKey, KeyNone);
        }
}

TEST(RunNavigation, ManualFlightRoundTrip)
{
    StartOnRunScreen();
    state.settings.flightAutoDetect = 0;
    Press(KeyLeft);
    ASSERT_EQ(state.currentScreen, FlightScreen);
    Idle(); // the question is shown until a key comes
    EXPECT_EQ(state.currentScreen, FlightScreen);
    Press(KeyLeft);
    EXPECT_EQ(state.inFlight, 1);
    ASSERT_EQ(state.currentScreen, RunScreen);
    Press(KeyLeft);
    ASSERT_EQ(state.currentScreen, FlightScreen);
    Press(KeyLeft);
    EXPECT_EQ(state.inFlight, 0);
    EXPECT_EQ(state.currentScreen, RunScreen);
}

TEST(RunNavigation, MainMenuExitEntryReturnsOnKnobPress)
{
    StartOnRunScreen();
    state.currentScreen = MainMenuScreen;
    Press(KeyAntiClockwise);
    EXPECT_EQ(state.currentScreen, MainMenuScreen);
    EXPECT_EQ(state.pendingKey, KeyNone);
    Press(KeyCentre);
    EXPECT_EQ(state.currentScreen, RunScreen);
    EXPECT_EQ(state.pendingKey, KeyNone);
}
