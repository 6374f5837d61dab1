// The instrument linked on its own, without any window: every window function
// falls back to its harmless default and the instrument still powers on and
// draws its run screen into the frame buffer.
#include <gtest/gtest.h>

#include <cstring>

#include "instrument/host_link.h"
#include "instrument/main_cycle.h"
#include "instrument/state.h"
#include "screens/run_screen.h"

TEST(CoreAlone, PowersOnAndDrawsTheRunScreenWithNoWindowRegistered)
{
    memset(&state, 0, sizeof state);
    UnregisterHostLink();
    PowerOnSequence();
    state.simPulseCount = 7; // left by the pulse gate: no slider overrides it
    for (int pass = 0; pass < 3; ++pass)
        MainCyclePass();

    EXPECT_EQ(state.currentScreen, RunScreen);
    int darkBytes = 0;
    for (uint8_t column : state.lcdFrame)
        darkBytes += column != 0;
    EXPECT_GT(darkBytes, 100);
    // Both check boxes read as unticked.
    EXPECT_EQ(state.calibrateSwitch, 0);
    EXPECT_EQ(state.knobStep, 1);
    EXPECT_EQ(state.simPulseCount, 7u);
    EXPECT_EQ(state.rpmPulsePeriod, 140u);
}
