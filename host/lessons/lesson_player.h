// A lesson taken live on a window: each step's stage is played on the
// window (LivePlayer), then the lesson waits for the pilot to meet the
// step's await, by hand or by Show me, and moves on. The panel that shows it
// (the step, its instruction, Show me, Next, Restart, the hint) reads it
// here and hears of every change.
//
// The await is looked at after every pass of the instrument and, while the
// instrument is off, at every round of the player's timer; never while the
// player's own commands are being played. await next is met only by Next.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "host/form/Pcmain.h"
#include "host/lessons/lesson.h"
#include "host/run/live_player.h"

class LessonPlayer {
  public:
    // Starts at step 1: its stage plays at once. Drawn texts are collected
    // while it lives (await text reads them).
    LessonPlayer(TForm1 &form, Lesson lesson);
    // Stops playing and gives back the form's listeners.
    ~LessonPlayer();
    LessonPlayer(const LessonPlayer &) = delete;
    LessonPlayer &operator=(const LessonPlayer &) = delete;

    const Lesson &Current() const { return lesson_; }
    size_t StepIndex() const { return step_; } // 0-based, the step shown
    size_t StepCount() const { return lesson_.steps.size(); }
    const std::string &Instruction() const { return lesson_.steps[step_].say; }
    // The step awaits next: the panel offers Next.
    bool WaitsForNext() const;
    bool Finished() const { return finished_; }

    // Performs the step's show lines so that the pilot can watch; the await
    // then moves on as for the pilot. Asked while the stage plays, they
    // follow it.
    void ShowMe();
    // Meets await next (once the stage has played).
    void Next();
    // Step 1 again, its stage played again.
    void Restart();

    // The hint to show now, nullptr for none: after StuckMs of the window's
    // clock on one step without its condition, or at once when the pilot has
    // left the path (the screen changed, by the pilot's hand, to one that is
    // neither the screen the step started on nor the one it awaits). The
    // step's first hint; a step without hints shows none.
    const LessonHint *ActiveHint() const { return hint_; }

    // What the panel shows changed: the step, the hint, finished.
    std::function<void()> OnChange;
    // Once, when the last await is met.
    std::function<void()> OnFinished;
    // A file the stage names could not be read ("file: why"): the stage has
    // stopped there.
    std::function<void(const std::string &error)> OnError;

  private:
    void Enter(size_t step);
    void StageDone();
    void Look();
    void Advance();
    const LessonHint *HintNow();
    // Tells the panel; false when the player was destroyed meanwhile.
    bool Changed();

    TForm1 &form_;
    Lesson lesson_;
    LivePlayer live_;
    size_t step_ = 0;
    bool staging_ = false;   // the step's stage is being played
    bool showAsked_ = false; // Show me while the stage played
    bool nextAsked_ = false; // Next while the stage played
    bool finished_ = false;
    int64_t stepStartMs_ = 0; // on form.Clock, when the stage had played
    // The screen the step started on: it follows the instrument until the
    // pilot first acts in the step (a splash ends by itself).
    ScreenHandler startScreen_ = nullptr;
    bool pilotActed_ = false;
    const LessonHint *hint_ = nullptr;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    std::function<void(FormAction, int32_t, int64_t)> actionBefore_;
    std::function<void(int64_t)> passBefore_;
    TTimer timer_;
};
