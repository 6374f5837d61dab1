// The power-on splash as the window shows it, pass by pass: the maker line
// slides in from the right, the model line from the left.
#include <cstring>
#include <vector>

#include "support/frame_dots.h"
#include "support/window_fixture.h"

namespace {

// Runs one power-on, keeping the frame presented in each splash pass.
std::vector<Frame> RecordSplash(WindowTest &, std::function<long(std::function<void(long)>)> run)
{
    std::vector<Frame> frames;
    run([&](long round) {
        if (round >= 1 && round <= SplashPasses)
            frames.push_back(CurrentFrame());
        if (round == SplashPasses + 1)
            state.powerOffRequest = 1;
    });
    return frames;
}

// Leftmost and rightmost dark column within rows [top, bottom]; -1 if none.
void DarkSpan(const Frame &frame, int top, int bottom, int &left, int &right)
{
    left = right = -1;
    for (int x = 0; x < 128; ++x)
        for (int y = top; y <= bottom; ++y)
            if (DotAt(frame, x, y)) {
                if (left < 0)
                    left = x;
                right = x;
            }
}

class SplashTest : public WindowTest {
  protected:
    std::vector<Frame> Record()
    {
        return RecordSplash(*this,
                            [this](std::function<void(long)> script) { return RunInstrument(script); });
    }
};

} // namespace

TEST_F(SplashTest, MakerLineSlidesInFromTheRightTwoColumnsAPassAndStopsAt19)
{
    std::vector<Frame> frames = Record();
    ASSERT_EQ(frames.size(), (size_t)SplashPasses);
    for (int pass = 1; pass <= SplashPasses; ++pass) {
        int expectedLeft = 127 - 2 * (pass - 1);
        if (expectedLeft < 19)
            expectedLeft = 19;
        int left, right;
        // Double-height maker line: rows 5 to 20.
        DarkSpan(frames[pass - 1], 5, 20, left, right);
        EXPECT_EQ(left, expectedLeft) << "pass " << pass;
    }
    // Nothing of the maker line strays above or below its two text rows.
    for (int x = 0; x < 128; ++x) {
        EXPECT_FALSE(DotAt(frames.back(), x, 4));
        EXPECT_FALSE(DotAt(frames.back(), x, 21));
    }
}

TEST_F(SplashTest, ModelLineWaitsTwelvePassesThenEntersFromTheLeftAndSettlesCentred)
{
    std::vector<Frame> frames = Record();
    ASSERT_EQ(frames.size(), (size_t)SplashPasses);
    int left, right;
    // Rows 28 to 38 hold the double-height model line above the version
    // text, which starts at row 39.
    // Centred on -20, "QPX-2" starts at 216 and its last column is 255: wholly
    // off-screen. The model line starts moving only after pass 13.
    for (int pass = 1; pass <= 13; ++pass) {
        DarkSpan(frames[pass - 1], 28, 38, left, right);
        EXPECT_EQ(right, -1) << "pass " << pass;
    }
    // It wraps in at the left edge column by column: in pass 14 it starts at
    // 218, so only the last two columns of its last character, which ran past
    // 255, show at x = 0 and 1.
    DarkSpan(frames[14 - 1], 28, 38, left, right);
    EXPECT_EQ(left, 0);
    EXPECT_LE(right, 1);
    // From pass 55 on it stands centred on 64: five characters from 44 to 83.
    for (int pass = 55; pass <= SplashPasses; ++pass) {
        DarkSpan(frames[pass - 1], 28, 38, left, right);
        EXPECT_GE(left, 44) << "pass " << pass;
        EXPECT_LE(right, 83) << "pass " << pass;
        EXPECT_EQ(frames[pass - 1], frames.back()) << "pass " << pass;
    }
    DarkSpan(frames[54 - 1], 28, 38, left, right);
    EXPECT_LT(left, 44); // still two columns short of the centre
}

TEST_F(SplashTest, ChosenFramesMatchTheirReferencePictures)
{
    std::vector<Frame> frames = Record();
    ASSERT_EQ(frames.size(), (size_t)SplashPasses);
    const struct {
        int pass;
        const char *name;
    } chosen[] = {{1, "instrument/splash_pass01"},
                  {20, "instrument/splash_pass20"},
                  {40, "instrument/splash_pass40"},
                  {80, "refs/splash_end"}};
    for (const auto &c : chosen) {
        memcpy(state.lcdFrame, frames[c.pass - 1].bytes, sizeof state.lcdFrame);
        EXPECT_EQ(CompareFrameWithReference(c.name), "") << "pass " << c.pass;
    }
}
