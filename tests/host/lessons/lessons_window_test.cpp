// The Lessons window on the headless window, walked as a pilot walks it: the
// list, a lesson started, its steps moved on by Next and by Show me, the
// hint on the face, the end ticked in the list and remembered.
#include "host/lessons/lessons_window.h"

#include <algorithm>

#include "host/lessons/lesson_player.h"
#include "support/window_fixture.h"

namespace {

const std::string TinyLessons = QPX_TEST_DATA_DIR "/lessons";

// The instruction as written, before the window wrapped it.
std::string Unwrapped(std::string text)
{
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

} // namespace

class LessonsWindowTest : public WindowTest {
  protected:
    // The idle window while a step's stage plays (on the player's timer).
    void Settle()
    {
        for (int i = 0; i < 10; ++i) {
            headless::AdvanceClock(20);
            Idle();
        }
    }
};

TEST_F(LessonsWindowTest, WalksALessonFromTheListToItsEndAndRemembersItFinished)
{
    int remembered = 0;
    form->OnPreferencesChanged = [&](FormAction changed) {
        remembered += changed == FormAction::ShowLessons;
    };
    auto window = std::make_unique<TLessonsWindow>(*form, FindLessonsIn(TinyLessons));
    ASSERT_EQ(window->LessonButtons.size(), 1u);
    EXPECT_EQ(window->LessonButtons[0]->Caption(), "1. A tiny tour");
    EXPECT_FALSE(window->Instruction.Visible());

    headless::Click(*window->LessonButtons[0]);
    Settle();
    EXPECT_FALSE(window->LessonButtons[0]->Visible());
    EXPECT_EQ(window->LessonTitle.Caption(), "A tiny tour");
    EXPECT_EQ(window->StepText.Caption(), "Step 1 of 4");
    EXPECT_EQ(Unwrapped(window->Instruction.Caption()).rfind("Welcome. This short lesson shows how", 0), 0u);
    EXPECT_TRUE(window->Next.Visible());
    EXPECT_FALSE(window->ShowMe.Visible());

    headless::Click(window->Next);
    Settle();
    EXPECT_EQ(window->StepText.Caption(), "Step 2 of 4");
    EXPECT_EQ(Unwrapped(window->Instruction.Caption()), "Press ON to power the instrument on.");
    EXPECT_TRUE(window->ShowMe.Visible());
    EXPECT_FALSE(window->Next.Visible());

    // The pilot presses ON, then waits on the next step until its hint
    // frames the knob, and asks Show me to press it. The instrument runs
    // inside ON until the lesson ends.
    std::vector<std::string> steps;
    bool hinted = false;
    headless::SetPacingAdvancesClock(true);
    RunInstrument([&](long round) {
        headless::AdvanceClock(10);
        const std::string step = window->StepText.Caption();
        if (steps.empty() || steps.back() != step)
            steps.push_back(step);
        if (step == "Step 3 of 4" && !hinted && form->LessonHint.Shown() == Control::Knob) {
            hinted = true;
            EXPECT_EQ(Unwrapped(window->HintText.Caption()),
                      "Hint: Press the knob in the middle of the face");
            headless::Click(window->ShowMe);
        }
        if (window->Player()->Finished() || round > 10000)
            state.powerOffRequest = 1;
    });
    EXPECT_TRUE(hinted) << "stuck on a step, the pilot is shown its hint";
    EXPECT_EQ(form->LessonHint.Shown(), Control::Count) << "the hint goes when the step moves on";
    EXPECT_EQ(steps,
              (std::vector<std::string>{"Step 2 of 4", "Step 3 of 4", "Lesson finished \u2713  Well done."}));
    EXPECT_EQ(Unwrapped(window->Instruction.Caption()), "That is all: the main menu is open.");
    EXPECT_FALSE(window->ShowMe.Visible());
    EXPECT_EQ(form->FinishedLessons(), (std::vector<std::string>{"01-tiny-tour.txt"}));
    EXPECT_EQ(remembered, 1);

    headless::Click(window->BackToList);
    Idle();
    EXPECT_EQ(window->LessonButtons[0]->Caption(), "1. A tiny tour   \u2713 finished");
    // A window opened anew (the next start) shows the progress it is given.
    window.reset();
    form->SetFinishedLessons({"01-tiny-tour.txt"});
    TLessonsWindow again(*form, FindLessonsIn(TinyLessons));
    EXPECT_EQ(again.LessonButtons[0]->Caption(), "1. A tiny tour   \u2713 finished");
}

TEST_F(LessonsWindowTest, ALessonThatCannotBeReadIsRefusedInTheListAndEscapeCloses)
{
    TLessonsWindow window(*form, FindLessonsIn(TinyLessons));
    EXPECT_FALSE(window.OpenLesson(TinyLessons + "/missing.txt"));
    EXPECT_TRUE(window.LessonButtons[0]->Visible());
    EXPECT_EQ(window.Message.Caption().rfind("Cannot start missing.txt:", 0), 0u) << window.Message.Caption();
    window.Show();
    headless::PressKey(window, 'c'); // passed on to the main window
    headless::PressKey(window, vkEscape);
    Idle();
    EXPECT_TRUE(form->CheckBox2.Checked());
    EXPECT_FALSE(window.Visible());
}

TEST(LessonCatalogue, ListsTheFolderInOrderWithTheTitlesTheirFirstLinesGive)
{
    const std::vector<LessonEntry> lessons = FindLessonsIn(TinyLessons);
    ASSERT_EQ(lessons.size(), 1u);
    EXPECT_EQ(lessons[0].title, "A tiny tour");
    EXPECT_EQ(LessonTitle(TinyLessons + "/none-such.txt"), "none-such");
    EXPECT_TRUE(FindLessonsIn(TinyLessons + "/none-such").empty());
}
