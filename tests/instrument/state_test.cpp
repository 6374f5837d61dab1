#include <gtest/gtest.h>

#include "instrument/settings.h"
#include "instrument/state.h"
#include "support/frame_check.h"
#include "support/hook_counts.h"

TEST(Settings, DefaultsLeaveCalibrationCodeAndCountersAlone)
{
    ResetInstrumentState();
    state.settings.pressureCalOffset = -7;
    state.settings.accessCode = 1234;
    state.hobbsHours = 77;
    state.flightLogHours[3] = 12;
    state.settings.pressureUnit = 5;
    LoadDefaultSettings();
    EXPECT_EQ(state.settings.pressureCalOffset, -7);
    EXPECT_EQ(state.settings.accessCode, 1234u);
    EXPECT_EQ(state.hobbsHours, 77u);
    EXPECT_EQ(state.flightLogHours[3], 12);
    EXPECT_EQ(state.settings.pressureUnit, 0);
    EXPECT_EQ(state.settings.pressureSpan, 2500);
    EXPECT_EQ(state.settings.pulsesPerRev, 60);
    EXPECT_EQ(state.settings.rpmFullScale, 6000u);
    EXPECT_EQ(hookCalls.eraseFlightLog, 1u);
    EXPECT_EQ(hookCalls.saveMaxValues, 1u);
}

TEST(Settings, MaximaRestartFromPresentReadings)
{
    ResetInstrumentState();
    state.pressureValue = 812;
    state.rpmValue = 2450;
    state.pressureMax = 3000;
    state.rpmMax = 9000;
    ResetMaxValues();
    EXPECT_EQ(state.pressureMax, 812);
    EXPECT_EQ(state.rpmMax, 2450u);
}
