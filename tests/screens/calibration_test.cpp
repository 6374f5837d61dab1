#include <gtest/gtest.h>

#include <cstring>

#include "lcd/frame.h"
#include "lcd/text.h"
#include "screens/calibration.h"
#include "support/screen_pass.h"

TEST(Calibration, OffsetStopsAtFiftyEitherWayOneCountPerKey)
{
    StartOnScreen(CalibrateScreen);
    state.knobStep = 10; // not used here
    Press(KeyRight);
    EXPECT_EQ(state.menuCursor, 1);
    Press(KeyRight);
    EXPECT_EQ(state.menuCursor, 1);
    Press(KeyCentre);
    PressTimes(KeyClockwise, 49);
    EXPECT_EQ(state.settings.pressureCalOffset, 49);
    Press(KeyLeft);
    Press(KeyClockwise);
    EXPECT_EQ(state.settings.pressureCalOffset, 50);
    PressTimes(KeyAntiClockwise, 100);
    Press(KeyRight);
    EXPECT_EQ(state.settings.pressureCalOffset, -50);
    Press(KeyCentre);
    Press(KeyAntiClockwise);
    EXPECT_EQ(state.menuCursor, 0);
}

// The row shows the signed offset and the pressure it gives; +0 keeps its
// sign.
TEST(Calibration, RowShowsSignedOffsetAndMillibar)
{
    StartOnScreen(CalibrateScreen);
    state.pressureMillibar = 1013;
    Idle();
    uint8_t shown[LcdFrameBytes];
    memcpy(shown, state.lcdFrame, sizeof shown);
    LcdClear();
    LcdDrawTextCentered(64, 8, "*** DONE ***", 0, 0, 1);
    LcdDrawText(0, 16, "CAL: ", 0, 0, 0);
    LcdDrawText(40, 16, "+0 1013mb", 0, 0, 0);
    const int belowTitle = FrameDotByte(0, 8); // rows 8..63
    EXPECT_EQ(memcmp(shown + belowTitle, state.lcdFrame + belowTitle, LcdFrameBytes - belowTitle), 0);
}

TEST(AdcValues, KeysOtherThanCentreAreConsumedWithoutEffect)
{
    StartOnScreen(AdcValuesScreen);
    for (uint8_t key : {KeyClockwise, KeyAntiClockwise, KeyLeft, KeyRight}) {
        Press(key);
        EXPECT_EQ(state.currentScreen, AdcValuesScreen);
        EXPECT_EQ(state.menuCursor, 0);
        EXPECT_EQ(state.pendingKey, KeyNone);
    }
}
