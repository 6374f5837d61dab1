// Power-on through the window: what is reset, what is kept, and how keys and
// OFF behave during the splash.
#include "instrument/main_cycle.h"
#include "screens/run_screen.h"
#include "support/window_fixture.h"

using PowerOn = WindowTest;

TEST_F(PowerOn, RestoresDefaultsKeepsCountersAndRestartsMaximaFromLastReadings)
{
    // The state a previous session left behind.
    state.pressureValue = 1234;
    state.rpmValue = 2500;
    state.pressureMax = 3000;
    state.rpmMax = 9000;
    state.settings.pressureUnit = 3;
    state.settings.pressureHighAlarm = 9;
    state.settings.rpmLowAlarmOn = 1;
    state.settings.contrast = 50;
    state.settings.pressureCalOffset = -5;
    state.settings.accessCode = 4321;
    state.hobbsHours = 77;
    state.hobbsMinutes = 12;
    state.maintHours = 40;
    state.alarmActive = 3;
    state.alarmMuted = 3;
    state.flightHours = 2;
    state.flightMinutes = 3;
    state.flightLogIndex = 7;
    state.inFlight = 1;
    state.flightRecorded = 1;
    state.simPressureInput = 900;
    state.calibrateSwitch = 1;
    state.menuCursor = 5;
    state.powerOffRequest = 1;

    PowerOnSequence();

    // Maxima restart from the readings before power-on, not from zero, and
    // are not raised by the splash's pressure readings at zero input.
    EXPECT_EQ(state.pressureMax, 1234);
    EXPECT_EQ(state.rpmMax, 2500u);
    EXPECT_EQ(hookCalls.saveMaxValues, 2u); // before and inside the defaults
    EXPECT_EQ(hookCalls.eraseFlightLog, 1u);

    EXPECT_EQ(state.settings.pressureUnit, 0);
    EXPECT_EQ(state.settings.pressureHighAlarm, 2000);
    EXPECT_EQ(state.settings.rpmLowAlarmOn, 0);
    EXPECT_EQ(state.settings.contrast, 32);
    EXPECT_EQ(state.settings.pressureCalOffset, 0);
    EXPECT_GE(hookCalls.saveSettings, 1u);

    EXPECT_EQ(state.settings.accessCode, 4321u);
    EXPECT_EQ(state.hobbsHours, 77u);
    EXPECT_EQ(state.hobbsMinutes, 12);
    EXPECT_EQ(state.maintHours, 40u);

    EXPECT_EQ(state.flightHours, 0);
    EXPECT_EQ(state.flightMinutes, 0);
    EXPECT_EQ(state.flightLogIndex, 0);
    EXPECT_EQ(state.inFlight, 0);
    EXPECT_EQ(state.flightRecorded, 0);
    EXPECT_EQ(state.simPressureInput, 0);
    EXPECT_EQ(state.calibrateSwitch, 0);
    EXPECT_EQ(state.powerOffRequest, 0);
    EXPECT_EQ(state.menuCursor, 0);
    EXPECT_EQ(state.currentScreen, &RunScreen);
    EXPECT_EQ(hookCalls.alarmOutputOff, 1u);
    EXPECT_EQ(hookCalls.alarmOutputOn, 0u);
}

TEST_F(PowerOn, SplashTakesEightyPassesAndAKeyClickedDuringItReachesTheFirstPass)
{
    uint8_t keyAtLastSplashPass = 0xFF, keyAfterFirstPass = 0xFF;
    ScreenHandler screenAtLastSplashPass = &RunScreen, screenAtFirstPass = nullptr;
    RunInstrument([&](long round) {
        if (round == 10)
            headless::Click(form->Image6);
        if (round == SplashPasses) {
            keyAtLastSplashPass = state.pendingKey;
            screenAtLastSplashPass = state.currentScreen;
        }
        if (round == SplashPasses + 1) {
            keyAfterFirstPass = state.pendingKey;
            screenAtFirstPass = state.currentScreen;
            headless::Click(form->Button2);
        }
    });
    EXPECT_EQ(keyAtLastSplashPass, KeyRight);
    EXPECT_EQ(screenAtLastSplashPass, nullptr) << "the run screen began before the splash ended";
    EXPECT_EQ(screenAtFirstPass, &RunScreen);
    EXPECT_EQ(keyAfterFirstPass, 0) << "the first pass did not hand the key to the run screen";
}

TEST_F(PowerOn, OffDuringTheSplashDoesNotStopTheInstrument)
{
    uint8_t offFlagAfterSplash = 0xFF;
    long rounds = RunInstrument([&](long round) {
        if (round == 20)
            headless::Click(form->Button2);
        if (round == SplashPasses + 5)
            offFlagAfterSplash = state.powerOffRequest;
        if (round == SplashPasses + 10)
            headless::Click(form->Button2);
    });
    EXPECT_EQ(offFlagAfterSplash, 0);
    // The second OFF, delivered in round 90, ends the cycle at its next test.
    EXPECT_EQ(rounds, SplashPasses + 10);
    EXPECT_EQ(state.powerOffRequest, 1);
    EXPECT_FALSE(form->InstrumentRunning());
}

TEST_F(PowerOn, PressureReadsZeroAfterOnUntilTheSliderMoves)
{
    headless::MoveSlider(form->TrackBar1, 2000);
    Idle();
    ASSERT_EQ(state.simPressureInput, 2000);

    int32_t inputAtFirstPass = -1, adcAtFirstPass = -1, adcAfterMove = -1;
    RunInstrument([&](long round) {
        if (round == SplashPasses + 1) {
            inputAtFirstPass = state.simPressureInput;
            adcAtFirstPass = state.pressureAdc;
        }
        if (round == SplashPasses + 3)
            headless::MoveSlider(form->TrackBar1, 2500);
        if (round == SplashPasses + 5) {
            adcAfterMove = state.pressureAdc;
            headless::Click(form->Button2);
        }
    });
    EXPECT_EQ(inputAtFirstPass, 0);
    EXPECT_EQ(adcAtFirstPass, 0);
    EXPECT_EQ(adcAfterMove, 2500);
    EXPECT_EQ(form->TrackBar1.Position(), 2500) << "sliders keep their positions across power cycles";
}

TEST_F(PowerOn, SecondPowerOnRestoresDefaultsAndKeepsHobbsAndCode)
{
    RunInstrument([&](long round) {
        if (round == SplashPasses + 2) {
            state.settings.pressureUnit = 5;
            state.settings.pressureLowAlarm = 77;
            state.settings.pressureCalOffset = 12;
            state.settings.accessCode = 1111;
            state.hobbsHours = 123;
            headless::Click(form->Button2);
        }
    });
    RunInstrument([&](long round) {
        if (round == SplashPasses + 1)
            headless::Click(form->Button2);
    });
    EXPECT_EQ(state.settings.pressureUnit, 0);
    EXPECT_EQ(state.settings.pressureLowAlarm, 500);
    EXPECT_EQ(state.settings.pressureCalOffset, 0);
    EXPECT_EQ(state.settings.accessCode, 1111u);
    EXPECT_EQ(state.hobbsHours, 123u);
}
