// Settings that no screen produces but a damaged store could: they read as
// no speed or 0 % instead of dividing by zero.
#include <gtest/gtest.h>

#include <string>

#include "instrument/rpm.h"
#include "screens/run_screen.h"
#include "screens/run_texts.h"
#include "support/screen_pass.h"

TEST(DamagedSettings, ZeroPulsesPerRevolutionReadsNoSpeed)
{
    StartOnScreen(RunScreen);
    state.settings.pulsesPerRev = 0;
    UpdateRpmPeriodConstant();
    EXPECT_EQ(state.rpmPeriodConstant, 0);
    state.rpmGateCount = 100;
    EXPECT_EQ(RawRpmReading(), 0u);
    state.settings.pulseMode = PulseModeTime;
    state.rpmPulsePeriod = 2000;
    EXPECT_EQ(RawRpmReading(), 0u);
}

TEST(DamagedSettings, ZeroFullScaleShowsZeroPercent)
{
    StartOnScreen(MaxValuesScreen);
    state.settings.rpmFullScale = 0;
    state.settings.rpmPercent = 1;
    state.rpmValue = 2400;
    state.rpmMax = 3000;
    char text[32];
    FormatRpmReading(text);
    EXPECT_EQ(std::string(text), "    0");
    state.magCheckRpmRef = 2500;
    FormatMagCheckDrop(text);
    EXPECT_EQ(std::string(text), "    0");
    Idle(); // the maximum values screen's percentage
    state.currentScreen = RunScreen;
    state.magCheckTimer = 10;
    Idle();
}
