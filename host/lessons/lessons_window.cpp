#include "host/lessons/lessons_window.h"

#include <algorithm>
#include <filesystem>

#include "host/form/Pcmain.h"
#include "host/form/lesson_hint.h"
#include "host/lessons/lesson_player.h"

namespace {

// Narrow enough for a phone's sheet without zooming it down.
constexpr int Width = 360;
constexpr int Margin = 12;
// The list: a row a lesson, below the title and a line of introduction.
constexpr int ListTop = 64;
constexpr int RowHeight = 34;
constexpr int RowButtonHeight = 30;
constexpr int MessageLines = 2;
constexpr int LineHeight = 13;
constexpr int SmallestHeight = 330;
// The lesson: its title, the step and the buttons at the top, where a
// sheet that scrolls still shows them; below them the instruction in large
// type (about 11 pixels a character), and the hint at the bottom.
constexpr int ButtonsTop = 50;
constexpr int ButtonHeight = 40;
constexpr int ButtonWidth = 78;
constexpr int ButtonGap = 8;
constexpr int InstructionTop = ButtonsTop + ButtonHeight + 12;
constexpr int LargeLineHeight = 25;
constexpr size_t InstructionChars = 30;
constexpr int HintRows = 3;
constexpr size_t HintChars = 56;

int HeightFor(size_t lessons)
{
    return std::max(SmallestHeight, ListTop + (int)lessons * RowHeight + MessageLines * LineHeight + Margin);
}

int HintTop(size_t lessons) { return HeightFor(lessons) - Margin - HintRows * LineHeight; }

TRect ButtonPlace(int slot)
{
    return {Margin + slot * (ButtonWidth + ButtonGap), ButtonsTop, ButtonWidth, ButtonHeight};
}

std::string Joined(const std::vector<std::string> &lines, size_t most)
{
    std::string text;
    for (size_t i = 0; i < lines.size() && i < most; ++i)
        text += (i ? "\n" : "") + lines[i];
    return text;
}

std::string FileName(const std::string &path) { return std::filesystem::path(path).filename().string(); }

} // namespace

TLessonsWindow::TLessonsWindow(TForm1 &mainForm, std::vector<LessonEntry> lessons)
    : TForm(Width, HeightFor(lessons.size()), "QPX-2 lessons"), ListTitle(this, Margin, 10, "Lessons"),
      ListIntro(this, Margin, 40,
                lessons.empty() ? "No lessons found: none in $QPX_LESSONS, nor installed."
                                : "Choose a lesson: it shows you a task, step by step."),
      Message(this, Margin, ListTop + (int)lessons.size() * RowHeight + 4, ""),
      LessonTitle(this, Margin, 10, ""), StepText(this, Margin, 28, ""),
      Instruction(this, Margin, InstructionTop, ""), HintText(this, Margin, HintTop(lessons.size()), ""),
      ShowMe(this, ButtonPlace(0), "Show me"), Next(this, ButtonPlace(1), "Next"),
      Restart(this, ButtonPlace(2), "Restart"), BackToList(this, ButtonPlace(3), "All lessons"),
      form_(mainForm), lessons_(std::move(lessons))
{
    ListTitle.SetLarge(true);
    Instruction.SetLarge(true);
    for (size_t i = 0; i < lessons_.size(); ++i) {
        auto button = std::make_unique<TButton>(
            this, TRect{Margin, ListTop + (int)i * RowHeight, Width - 2 * Margin, RowButtonHeight}, "");
        button->OnClick = [this, i] { OpenLesson(lessons_[i].file); };
        button->SetTabOrder((int)i);
        LessonButtons.push_back(std::move(button));
    }
    ShowMe.SetHint("Does this step for you, so that you can watch");
    Next.SetHint("On to the next step");
    Restart.SetHint("This lesson again from its first step");
    BackToList.SetHint("Back to the list of lessons");
    ShowMe.OnClick = [this] {
        if (player_)
            player_->ShowMe();
    };
    Next.OnClick = [this] {
        if (player_)
            player_->Next();
    };
    Restart.OnClick = [this] {
        if (player_)
            player_->Restart();
        Refresh();
    };
    BackToList.OnClick = [this] { ShowList(); };
    besideForm = &mainForm;
    OnKey = [this](const TKeyEvent &key) {
        if (key.key == vkEscape) {
            Close();
            return true;
        }
        return form_.OnKey && form_.OnKey(key);
    };
    ShowList();
}

TLessonsWindow::~TLessonsWindow()
{
    player_.reset();
    form_.ClearLessonHint();
}

bool TLessonsWindow::OpenLesson(const std::string &file)
{
    Lesson lesson;
    std::vector<std::string> errors;
    if (!ParseLessonFile(file, lesson, errors)) {
        ShowList();
        std::vector<std::string> lines{"Cannot start " + FileName(file) + ":"};
        for (const std::string &error : errors)
            for (const std::string &line : WrapWords(error, HintChars))
                lines.push_back(line);
        Message.SetCaption(Joined(lines, MessageLines));
        return false;
    }
    Start(file, std::move(lesson));
    return true;
}

void TLessonsWindow::Start(const std::string &file, Lesson lesson)
{
    player_.reset();
    form_.ClearLessonHint();
    playing_ = FileName(file);
    Message.SetCaption("");
    player_ = std::make_unique<LessonPlayer>(form_, std::move(lesson));
    player_->OnChange = [this] { Refresh(); };
    player_->OnFinished = [this] { form_.LessonFinished(playing_); };
    player_->OnError = [this](const std::string &error) {
        HintText.SetCaption(Joined(WrapWords("The lesson cannot go on: " + error, HintChars), HintRows));
    };
    ShowLessonView(true);
    Refresh();
}

void TLessonsWindow::ShowList()
{
    player_.reset();
    form_.ClearLessonHint();
    playing_.clear();
    ShowLessonView(false);
    RefreshList();
}

void TLessonsWindow::ShowLessonView(bool shown)
{
    for (TControl *control : {(TControl *)&ListTitle, (TControl *)&ListIntro, (TControl *)&Message})
        control->SetVisible(!shown);
    for (auto &button : LessonButtons)
        button->SetVisible(!shown);
    for (TControl *control :
         {(TControl *)&LessonTitle, (TControl *)&StepText, (TControl *)&Instruction, (TControl *)&HintText,
          (TControl *)&ShowMe, (TControl *)&Next, (TControl *)&Restart, (TControl *)&BackToList})
        control->SetVisible(shown);
}

// "01  Powering on", and once finished "   (finished)" after it.
void TLessonsWindow::RefreshList()
{
    const std::vector<std::string> &finished = form_.FinishedLessons();
    for (size_t i = 0; i < lessons_.size(); ++i) {
        const bool done =
            std::find(finished.begin(), finished.end(), FileName(lessons_[i].file)) != finished.end();
        LessonButtons[i]->SetCaption(std::to_string(i + 1) + ". " + lessons_[i].title +
                                     (done ? "   \u2713 finished" : ""));
        LessonButtons[i]->SetHint(done ? "Finished; take it again" : "Start this lesson");
    }
}

// What the step shows, and its hint on the face and here.
void TLessonsWindow::Refresh()
{
    if (!player_)
        return;
    const LessonPlayer &player = *player_;
    const size_t count = player.StepCount(), step = std::min(player.StepIndex(), count ? count - 1 : 0);
    LessonTitle.SetCaption(player.Current().title);
    StepText.SetCaption(player.Finished()
                            ? "Lesson finished \u2713  Well done."
                            : "Step " + std::to_string(step + 1) + " of " + std::to_string(count));
    const int instructionLines = (HintTop(lessons_.size()) - 4 - InstructionTop) / LargeLineHeight;
    Instruction.SetCaption(
        Joined(WrapWords(player.Instruction(), InstructionChars), (size_t)instructionLines));
    const bool hasShow = count > 0 && !player.Current().steps[step].show.empty();
    ShowMe.SetVisible(!player.Finished() && hasShow);
    Next.SetVisible(!player.Finished() && player.WaitsForNext());
    if (const LessonHint *hint = player.Finished() ? nullptr : player.ActiveHint()) {
        form_.ShowLessonHint(hint->control, hint->text);
        HintText.SetCaption(Joined(WrapWords("Hint: " + hint->text, HintChars), HintRows));
    } else {
        form_.ClearLessonHint();
        HintText.SetCaption("");
    }
}

void OfferLessons(TForm1 &form)
{
    form.MakeLessonsWindow = [](TForm1 &mainForm) {
        return std::make_unique<TLessonsWindow>(mainForm, FindLessons());
    };
}

void StartLesson(TForm1 &form, const std::string &file, Lesson lesson)
{
    if (auto *window = static_cast<TLessonsWindow *>(form.OpenLessonsWindow()))
        window->Start(file, std::move(lesson));
}
