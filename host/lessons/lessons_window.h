// The Lessons side window: the list of lessons, each ticked once finished,
// and while one runs its present step: "Step n of m", the instruction in
// large type, the hint when the pilot seems stuck, and Show me, Next,
// Restart and back to the list. It opens beside the instrument, closes on
// Escape and passes every other key to the main window. The lesson goes on
// while the window is closed; key L shows it again.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "host/lessons/lesson.h"
#include "host/lessons/lesson_catalogue.h"
#include "host/toolkit.h"

class TForm1;
class LessonPlayer;

class TLessonsWindow : public TForm {
  public:
    TLessonsWindow(TForm1 &mainForm, std::vector<LessonEntry> lessons);
    ~TLessonsWindow() override;

    // Starts the lesson, read from file, in place of any running; its file
    // name counts for the progress. OpenLesson reads it first: false, with
    // the reasons shown in the list, when it cannot be read or is refused.
    void Start(const std::string &file, Lesson lesson);
    bool OpenLesson(const std::string &file);
    // Back to the list; the lesson stops and its hint goes.
    void ShowList();
    LessonPlayer *Player() const { return player_.get(); }
    const std::vector<LessonEntry> &Lessons() const { return lessons_; }

    // The list.
    TLabel ListTitle;
    TLabel ListIntro;
    std::vector<std::unique_ptr<TButton>> LessonButtons;
    TLabel Message; // why a lesson could not start
    // The lesson.
    TLabel LessonTitle;
    TLabel StepText; // "Step 2 of 7", "Finished"
    TLabel Instruction;
    TLabel HintText;
    TButton ShowMe;
    TButton Next;
    TButton Restart;
    TButton BackToList;

  private:
    void Refresh();
    void RefreshList();
    void ShowLessonView(bool shown);

    TForm1 &form_;
    std::vector<LessonEntry> lessons_;
    std::unique_ptr<LessonPlayer> player_;
    std::string playing_; // the file name of the lesson played
};

// Lets form open the Lessons window (key L) with the lessons FindLessons
// finds.
void OfferLessons(TForm1 &form);
// Opens the window and starts lesson (read from file) in it.
void StartLesson(TForm1 &form, const std::string &file, Lesson lesson);
