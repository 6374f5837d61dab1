// The live player on the headless window: scripts played as a user would,
// on the window's clock, heard by a listener that was there before it.
#include "host/run/live_player.h"

#include <functional>
#include <string>
#include <vector>

#include "host/readout/state_fields.h"
#include "host/run/runner.h"
#include "support/temp_folder.h"
#include "support/window_fixture.h"

namespace {

struct Heard {
    FormAction action;
    int32_t value;
    int64_t clockMs;
    bool acting;
};

struct Played {
    std::vector<Heard> heard;
    bool finished = false;
    std::string error;
    ScreenHandler screen = nullptr; // when it finished
    uint8_t menuCursor = 0;
    int64_t endMs = -1; // the window's clock when it finished
};

// Which of the heard actions are of that kind.
std::vector<Heard> Of(const Played &played, FormAction action)
{
    std::vector<Heard> of;
    for (const Heard &h : played.heard)
        if (h.action == action)
            of.push_back(h);
    return of;
}

class LivePlayerTest : public WindowTest {
  protected:
    // Plays the script from folder, 10 ms of virtual time a message round,
    // until it ends or the window's clock reaches limitMs; a running
    // instrument is switched off at the end. during: called every round
    // with the headless clock's time.
    Played Play(const std::string &script, const std::string &folder, int64_t limitMs = 20000,
                const std::function<void(LivePlayer &, int64_t)> &during = nullptr)
    {
        Played played;
        form->OnAction = [&](FormAction action, int32_t value, int64_t clockMs) {
            played.heard.push_back({action, value, clockMs, player_ && player_->Acting()});
        };
        Script parsed;
        std::string error;
        EXPECT_TRUE(ParseScriptText("t.txt", script, parsed, error)) << error;
        LivePlayer player(*form, folder);
        player_ = &player;
        player.OnFinished = [&] {
            played.finished = true;
            played.screen = state.currentScreen;
            played.menuCursor = state.menuCursor;
            played.endMs = form->Clock.NowMs();
        };
        player.OnError = [&](const std::string &why) { played.error = why; };
        bool over = false;
        headless::OnProcessMessages([&] {
            headless::AdvanceClock(10);
            if (during)
                during(player, headless::NowMs());
            over = !player.Playing() || form->Clock.NowMs() >= limitMs;
            if (over && form->InstrumentRunning())
                form->Act(FormAction::PowerOff);
        });
        player.Play(parsed.commands);
        while (!over)
            Idle();
        headless::OnProcessMessages(nullptr);
        player_ = nullptr;
        return played;
    }

    LivePlayer *player_ = nullptr;
    TempFolder folder_;
};

} // namespace

TEST_F(LivePlayerTest, PlaysAScriptAsAUserWould)
{
    WriteText(folder_.File("s.toml"), "[controls]\npressure = 700\ncalibrate = true\n");
    struct Case {
        const char *name, *script;
        int clockRate;
        std::function<void(const Played &)> check;
    };
    const std::vector<Case> cases = {
        {"every click taken, in order, in a running instrument",
         "on\npressure 1500\nwait 3s\npress knob\nturn cw 3\n", 1,
         [](const Played &p) {
             EXPECT_TRUE(p.finished);
             EXPECT_STREQ(ScreenName(p.screen), "MainMenuScreen");
             EXPECT_EQ(p.menuCursor, 3);
             ASSERT_GE(p.heard.size(), 6u);
             const FormAction order[] = {FormAction::PowerOn,       FormAction::SetPressure,
                                         FormAction::PressKnob,     FormAction::TurnClockwise,
                                         FormAction::TurnClockwise, FormAction::TurnClockwise};
             for (size_t i = 0; i < 6; ++i) {
                 EXPECT_EQ(p.heard[i].action, order[i]) << i;
                 EXPECT_TRUE(p.heard[i].acting) << i;
             }
             // Each click waits for the passes that take it and draw it.
             for (size_t i = 3; i < 6; ++i)
                 EXPECT_GE(p.heard[i].clockMs - p.heard[i - 1].clockMs, 10 * SettlePasses) << i;
         }},
        {"a wait on the window's clock, x10 with it", "wait 2s\ncalibrate on\n", 10,
         [](const Played &p) {
             ASSERT_EQ(Of(p, FormAction::SetCalibrate).size(), 1u);
             const Heard tick = Of(p, FormAction::SetCalibrate)[0];
             EXPECT_GE(tick.clockMs, 2000);
             EXPECT_LT(tick.clockMs, 2200);
             // Two seconds of the clock at x10: about 200 ms of the machine's.
             EXPECT_LT(headless::NowMs(), 400);
         }},
        {"a ramp moves the slider step by step on the clock", "ramp pressure 100 1100 1s\n", 1,
         [](const Played &p) {
             const std::vector<Heard> moves = Of(p, FormAction::SetPressure);
             ASSERT_GE(moves.size(), 20u);
             EXPECT_LT(moves.front().value, 200);
             EXPECT_EQ(moves.back().value, 1100);
             EXPECT_GE(moves.back().clockMs, 1000);
             EXPECT_LT(moves.back().clockMs, 1100);
             for (size_t i = 1; i < moves.size(); ++i)
                 EXPECT_GT(moves[i].value, moves[i - 1].value);
         }},
        {"load-state from the player's folder, then an engine value", "load-state s.toml\nrpm 60\n", 1,
         [](const Played &p) {
             EXPECT_TRUE(p.finished);
             EXPECT_EQ(Of(p, FormAction::SetPressure).size(), 1u);
             EXPECT_EQ(Of(p, FormAction::SetPressure)[0].value, 700);
             EXPECT_EQ(Of(p, FormAction::SetCalibrate).size(), 1u);
             EXPECT_EQ(Of(p, FormAction::SetSpeed).size(), 1u);
             for (const Heard &h : p.heard)
                 EXPECT_TRUE(h.acting);
         }},
        {"a state file that is not there stops the player", "load-state missing.toml\ncalibrate on\n", 1,
         [](const Played &p) {
             EXPECT_FALSE(p.finished);
             EXPECT_NE(p.error.find("missing.toml"), std::string::npos) << p.error;
             EXPECT_TRUE(Of(p, FormAction::SetCalibrate).empty());
         }},
        {"checks and pictures are passed over",
         "expect screen MainMenuScreen\nexpect-text NOTHING\nsave x.png\ncalibrate on\n", 1,
         [](const Played &p) {
             EXPECT_TRUE(p.finished);
             EXPECT_EQ(Of(p, FormAction::SetCalibrate).size(), 1u);
             EXPECT_LT(p.endMs, 100);
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        form->Clock.SetRate(c.clockRate);
        c.check(Play(c.script, folder_.path));
        EXPECT_FALSE(form->InstrumentRunning());
    }
}

// Stop ends the playing at once; the user's own actions, also inside the ON
// the player pressed, are heard as the user's.
TEST_F(LivePlayerTest, StopsAndTellsItsOwnInputsFromTheUsers)
{
    bool stopped = false;
    Played played = Play("on\nwait 4s\npress f2\nwait 1s\npress knob\n", folder_.path, 20000,
                         [&](LivePlayer &player, int64_t nowMs) {
                             if (nowMs == 3500)
                                 headless::Click(form->Image3); // the user's F1
                             if (nowMs == 4400 && !player.Acting()) {
                                 player.Stop();
                                 stopped = !player.Playing();
                             }
                         });
    EXPECT_TRUE(stopped);
    EXPECT_FALSE(played.finished);
    ASSERT_EQ(Of(played, FormAction::PowerOn).size(), 1u);
    EXPECT_TRUE(Of(played, FormAction::PowerOn)[0].acting);
    ASSERT_EQ(Of(played, FormAction::PressLeftKey).size(), 1u);
    EXPECT_FALSE(Of(played, FormAction::PressLeftKey)[0].acting);
    ASSERT_EQ(Of(played, FormAction::PressRightKey).size(), 1u);
    EXPECT_TRUE(Of(played, FormAction::PressRightKey)[0].acting);
    EXPECT_TRUE(Of(played, FormAction::PressKnob).empty()); // after Stop
}
