// A lesson taken live on the headless window: the pilot's hand, Show me,
// Next and Restart move it on; hints come when the pilot is stuck or has
// left the path.
#include "host/lessons/lesson_player.h"

#include <functional>
#include <string>

#include "host/readout/state_fields.h"
#include "support/window_fixture.h"

namespace {

const char MenuLesson[] = "# The menu\n"
                          "on\npressure 2000\nwait 3s\n"
                          "say \"Press the knob.\"\nshow press knob\nhint knob \"The knob opens the menu.\"\n"
                          "await screen MainMenuScreen\n"
                          "say \"Turn to the third entry.\"\nshow turn cw 2\nawait menuCursor 2\n"
                          "say \"Read it.\"\nawait next\n"
                          "say \"Well done.\"\n";

// What a test's pilot does and saw: called every round (10 ms of the
// window's clock) until it returns true.
using Pilot = std::function<bool(LessonPlayer &, int64_t clockMs)>;

class LessonPlayerTest : public WindowTest {
  protected:
    void Take(const Pilot &pilot, int64_t limitMs = 40000)
    {
        Lesson lesson;
        std::vector<std::string> errors;
        ASSERT_TRUE(ParseLessonText("l.txt", MenuLesson, lesson, errors));
        LessonPlayer player(*form, std::move(lesson));
        player.OnFinished = [&] { ++finished; };
        bool over = false;
        headless::OnProcessMessages([&] {
            if (over)
                return;
            headless::AdvanceClock(10);
            over = pilot(player, form->Clock.NowMs()) || form->Clock.NowMs() >= limitMs;
            if (over && form->InstrumentRunning())
                form->Act(FormAction::PowerOff);
        });
        while (!over)
            Idle();
        headless::OnProcessMessages(nullptr);
    }

    int finished = 0;
};

} // namespace

TEST_F(LessonPlayerTest, StepsMoveOnByHandShowMeNextAndRestart)
{
    struct Case {
        const char *name;
        bool showMe; // else by hand
    };
    for (const Case &c : {Case{"by hand", false}, Case{"Show me", true}}) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        finished = 0;
        int64_t lastMs = 0;
        std::string steps;
        Take([&](LessonPlayer &player, int64_t nowMs) {
            if (player.Finished()) {
                steps += player.Instruction();
                return nowMs > lastMs + 1000; // OnFinished is told once
            }
            if (nowMs < lastMs + 200 || nowMs < 3500)
                return false;
            lastMs = nowMs;
            steps += std::to_string(player.StepIndex());
            if (player.WaitsForNext())
                player.Next();
            else if (c.showMe)
                player.ShowMe();
            else
                form->Act(player.StepIndex() == 0 ? FormAction::PressKnob : FormAction::TurnClockwise);
            return false;
        });
        EXPECT_EQ(finished, 1);
        // Show me turns twice in one go; the hand turns once a look.
        EXPECT_EQ(steps.substr(0, steps.find('W')), c.showMe ? "012" : "0112");
        EXPECT_EQ(state.menuCursor, 2);
    }

    // Restart: step 1 again, its stage (ON) played again.
    TearDown();
    SetUp();
    finished = 0;
    size_t stepBefore = 0;
    Take([&](LessonPlayer &player, int64_t nowMs) {
        if (nowMs == 3500)
            form->Act(FormAction::PressKnob);
        if (nowMs == 4000) {
            stepBefore = player.StepIndex();
            player.Restart();
        }
        return nowMs == 8000;
    });
    EXPECT_EQ(stepBefore, 1u);
    EXPECT_STREQ(ScreenName(state.currentScreen), "RunScreen");
    EXPECT_EQ(finished, 0);
}

TEST_F(LessonPlayerTest, HintsWhenStuckAndAtOnceOffThePath)
{
    struct Case {
        const char *name;
        FormAction hand; // at 3.5 s; None: nothing
        int64_t noHintUntilMs, hintFromMs;
    };
    // The stage ends after its three seconds: stuck 20 s after.
    for (const Case &c : {Case{"stuck", FormAction::None, 22900, 23200},
                          Case{"to the maximum values", FormAction::TurnClockwise, 3500, 3700}}) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        std::string hintBefore = "-", hintAfter = "-";
        Take([&](LessonPlayer &player, int64_t nowMs) {
            if (nowMs == 3500 && c.hand != FormAction::None)
                form->Act(c.hand);
            const LessonHint *hint = player.ActiveHint();
            if (nowMs <= c.noHintUntilMs && hint)
                hintBefore = hint->text;
            if (nowMs == c.hintFromMs && hint)
                hintAfter = hint->text;
            return nowMs == c.hintFromMs;
        });
        EXPECT_EQ(hintBefore, "-");
        EXPECT_EQ(hintAfter, "The knob opens the menu.");
    }
}
