// Demo mode on the headless window: the scenario read and checked first,
// played round after round from the same start, and handed over to the
// first user who acts.
#include "host/run/demo_mode.h"

#include <algorithm>
#include <string>
#include <vector>

#include "support/temp_folder.h"
#include "support/window_fixture.h"

namespace {

class DemoModeTest : public WindowTest {
  protected:
    // Runs the window for ms of virtual time, 10 ms a message round; user
    // is called every round with the time. The instrument is switched off
    // at the end.
    void RunFor(int64_t ms, const std::function<void(int64_t nowMs)> &user = nullptr)
    {
        const int64_t end = headless::NowMs() + ms;
        bool over = false;
        headless::OnProcessMessages([&] {
            headless::AdvanceClock(10);
            if (user)
                user(headless::NowMs());
            over = headless::NowMs() >= end;
            if (over && form->InstrumentRunning())
                state.powerOffRequest = 1;
        });
        while (!over)
            Idle();
        headless::OnProcessMessages(nullptr);
    }

    Script Read(const std::string &text)
    {
        WriteText(folder_.File("demo.txt"), text);
        Script script;
        std::string error;
        EXPECT_TRUE(ReadDemoScript(folder_.File("demo.txt"), script, error)) << error;
        return script;
    }

    TempFolder folder_;
};

} // namespace

TEST_F(DemoModeTest, AScenarioThatCannotBePlayedIsRefusedWithItsLine)
{
    WriteText(folder_.File("bad.toml"), "hobbsHours = \"many\"\n");
    for (const char *text : {"on\nfly away\n", "on\nload-state missing.toml\n", "on\nload-state bad.toml\n",
                             "on\nfeed none.csv\n"}) {
        WriteText(folder_.File("demo.txt"), text);
        Script script;
        std::string error;
        EXPECT_FALSE(ReadDemoScript(folder_.File("demo.txt"), script, error)) << text;
        EXPECT_NE(error.find("demo.txt:2: "), std::string::npos) << text << " gave " << error;
        EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    }
}

// Each round starts from the state and controls of the first; a click of a
// user ends the demo with the instrument as it stands.
TEST_F(DemoModeTest, PlaysRoundAfterRoundFromTheSameStartUntilAUserActs)
{
    std::vector<FormAction> heard;
    form->OnAction = [&](FormAction action, int32_t, int64_t) { heard.push_back(action); };
    state.hobbsHours = 7;
    WriteText(folder_.File("s.toml"), "hobbsHours = 500\n");
    DemoMode demo(*form,
                  Read("load-state s.toml\ncalibrate on\non\npressure 1500\nwait 2s\nturn cw\nwait 1s\n"));
    bool stopped = false;
    demo.OnStopped = [&] { stopped = true; };
    EXPECT_NE(form->StatusBar1.Caption().find("  Demo  |"), std::string::npos);
    // The scenario's state file, then the start's again between rounds.
    int restored = 0, uncalibrated = 0;
    uint32_t hobbs = 7;
    RunFor(25000, [&](int64_t) {
        restored += hobbs == 500 && state.hobbsHours == 7;
        hobbs = state.hobbsHours;
        uncalibrated += !form->CheckBox2.Checked();
    });
    EXPECT_GE(std::count(heard.begin(), heard.end(), FormAction::PowerOn), 3);
    EXPECT_GE(restored, 2);
    EXPECT_GE(uncalibrated, 2);
    EXPECT_TRUE(demo.Playing());
    EXPECT_FALSE(stopped);

    // The user's F2 in a running round: the demo stops there.
    int64_t clickedAt = -1;
    RunFor(10000, [&](int64_t nowMs) {
        if (clickedAt < 0 && form->InstrumentRunning() && state.currentScreen != nullptr) {
            headless::Click(form->Image6);
            clickedAt = nowMs;
        }
        if (clickedAt > 0 && nowMs == clickedAt + 50) {
            EXPECT_TRUE(form->InstrumentRunning()) << "the instrument stays on";
            heard.clear();
        }
    });
    EXPECT_TRUE(stopped);
    EXPECT_FALSE(demo.Playing());
    const std::string status = form->StatusBar1.Caption();
    EXPECT_EQ(status.find("  Demo  |"), std::string::npos) << status;
    EXPECT_NE(status.find("Demo stopped"), std::string::npos) << status;
    EXPECT_TRUE(heard.empty()) << "the demo acted after the hand-over";
}

TEST_F(DemoModeTest, AnyKeyHandsOver)
{
    DemoMode demo(*form, Read("wait 60s\non\n"));
    RunFor(500, [&](int64_t nowMs) {
        if (nowMs == 200)
            headless::PressKey(*form, 'x'); // bound to nothing
    });
    EXPECT_FALSE(demo.Playing());
    EXPECT_FALSE(form->InstrumentRunning());
}
