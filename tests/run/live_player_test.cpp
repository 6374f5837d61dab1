// The live player on the headless window, heard by a listener that was there
// before it: scripts played as a user would, on the window's clock.
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
    std::string error, screen; // the screen when it finished
    int menuCursor = -1;

    std::vector<Heard> Of(FormAction action) const
    {
        std::vector<Heard> of;
        for (const Heard &h : heard)
            if (h.action == action)
                of.push_back(h);
        return of;
    }
};

class LivePlayerTest : public WindowTest {
  protected:
    // Plays the script, 10 ms of virtual time a message round, until it ends
    // or the clock reaches 20 s; a running instrument is switched off then.
    // user: called every round with the player and the time.
    Played Play(const std::string &script, const std::function<void(LivePlayer &, int64_t)> &user = nullptr)
    {
        Played p;
        LivePlayer *playing = nullptr;
        form->OnAction = [&](FormAction action, int32_t value, int64_t clockMs) {
            p.heard.push_back({action, value, clockMs, playing && playing->Acting()});
        };
        Script parsed;
        std::string error;
        EXPECT_TRUE(ParseScriptText("t.txt", script, parsed, error)) << error;
        LivePlayer player(*form, folder_.path);
        playing = &player;
        player.OnFinished = [&] {
            p.finished = true;
            p.screen = ScreenName(state.currentScreen) ? ScreenName(state.currentScreen) : "";
            p.menuCursor = state.menuCursor;
        };
        player.OnError = [&](const std::string &why) { p.error = why; };
        bool over = false;
        headless::OnProcessMessages([&] {
            headless::AdvanceClock(10);
            if (user)
                user(player, headless::NowMs());
            over = !player.Playing() || form->Clock.NowMs() >= 20000;
            if (over && form->InstrumentRunning())
                form->Act(FormAction::PowerOff);
        });
        player.Play(parsed.commands);
        while (!over)
            Idle();
        headless::OnProcessMessages(nullptr);
        return p;
    }

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
             EXPECT_EQ(p.screen, "MainMenuScreen");
             EXPECT_EQ(p.menuCursor, 3);
             const FormAction order[] = {FormAction::PowerOn,       FormAction::SetPressure,
                                         FormAction::PressKnob,     FormAction::TurnClockwise,
                                         FormAction::TurnClockwise, FormAction::TurnClockwise};
             ASSERT_GE(p.heard.size(), 6u);
             for (size_t i = 0; i < 6; ++i) {
                 EXPECT_EQ(p.heard[i].action, order[i]) << i;
                 EXPECT_TRUE(p.heard[i].acting) << i;
                 // Each click waits for the passes that take it and draw it.
                 if (i >= 3) {
                     EXPECT_GE(p.heard[i].clockMs - p.heard[i - 1].clockMs, 10 * SettlePasses) << i;
                 }
             }
         }},
        {"a wait on the window's clock, x10 with it; checks passed over",
         "wait 2s\nexpect-text NOTHING\nsave x.png\ncalibrate on\n", 10,
         [](const Played &p) {
             ASSERT_EQ(p.Of(FormAction::SetCalibrate).size(), 1u);
             EXPECT_GE(p.Of(FormAction::SetCalibrate)[0].clockMs, 2000);
             EXPECT_LT(p.Of(FormAction::SetCalibrate)[0].clockMs, 2200);
             EXPECT_LT(headless::NowMs(), 400); // 2 s of the clock at x10
         }},
        {"a ramp moves the slider step by step on the clock", "ramp pressure 100 1100 1s\n", 1,
         [](const Played &p) {
             const std::vector<Heard> moves = p.Of(FormAction::SetPressure);
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
             ASSERT_EQ(p.Of(FormAction::SetPressure).size(), 1u);
             EXPECT_EQ(p.Of(FormAction::SetPressure)[0].value, 700);
             EXPECT_EQ(p.Of(FormAction::SetCalibrate).size(), 1u);
             EXPECT_EQ(p.Of(FormAction::SetSpeed).size(), 1u);
             for (const Heard &h : p.heard)
                 EXPECT_TRUE(h.acting);
         }},
        {"a state file that is not there stops the player", "load-state missing.toml\ncalibrate on\n", 1,
         [](const Played &p) {
             EXPECT_FALSE(p.finished);
             EXPECT_NE(p.error.find("missing.toml"), std::string::npos) << p.error;
             EXPECT_TRUE(p.Of(FormAction::SetCalibrate).empty());
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        form->Clock.SetRate(c.clockRate);
        c.check(Play(c.script));
        EXPECT_FALSE(form->InstrumentRunning());
    }
}

// Stop ends the playing at once; the user's own actions, also inside the ON
// the player pressed, are heard as the user's.
TEST_F(LivePlayerTest, StopsAndTellsItsOwnInputsFromTheUsers)
{
    const Played p =
        Play("on\nwait 4s\npress f2\nwait 1s\npress knob\n", [&](LivePlayer &player, int64_t nowMs) {
            if (nowMs == 3500)
                headless::Click(form->Image3); // the user's F1
            if (nowMs == 4400 && !player.Acting())
                player.Stop();
        });
    EXPECT_FALSE(p.finished);
    const FormAction actions[] = {FormAction::PowerOn, FormAction::PressLeftKey, FormAction::PressRightKey};
    const bool acting[] = {true, false, true};
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(p.Of(actions[i]).size(), 1u) << i;
        EXPECT_EQ(p.Of(actions[i])[0].acting, acting[i]) << i;
    }
    EXPECT_TRUE(p.Of(FormAction::PressKnob).empty()); // after Stop
}
