#include "host/lessons/lesson_player.h"

#include <utility>

#include "host/readout/drawn_texts.h"
#include "host/run/conditions.h"
#include "instrument/state.h"

namespace {

// How often the await is looked at while the instrument is off.
constexpr int OffLookMs = 50;

// The actions of a pilot's hand on the instrument (not the window's own
// keys: zoom, screenshots, side windows).
bool IsInput(FormAction action)
{
    return action >= FormAction::PressKnob && action <= FormAction::SetKeyFast;
}

} // namespace

LessonPlayer::LessonPlayer(TForm1 &form, Lesson lesson)
    : form_(form), lesson_(std::move(lesson)), live_(form, lesson_.script.folder),
      actionBefore_(form.OnAction), passBefore_(form.OnPass), timer_(OffLookMs, [this] {
          if (!form_.InstrumentRunning())
              Look();
      })
{
    StartCollectingDrawnTexts();
    form_.OnAction = [this](FormAction action, int32_t value, int64_t clockMs) {
        if (actionBefore_)
            actionBefore_(action, value, clockMs);
        if (IsInput(action) && !live_.Acting() && !live_.Playing())
            pilotActed_ = true;
    };
    form_.OnPass = [this](int64_t clockMs) {
        const std::shared_ptr<bool> alive = alive_;
        if (passBefore_)
            passBefore_(clockMs);
        if (*alive)
            Look();
    };
    live_.OnFinished = [this] {
        if (staging_)
            StageDone();
    };
    live_.OnError = [this](const std::string &error) {
        staging_ = false;
        if (OnError)
            OnError(error);
    };
    Enter(0);
}

LessonPlayer::~LessonPlayer()
{
    *alive_ = false;
    timer_.SetEnabled(false);
    live_.Stop();
    form_.OnAction = actionBefore_;
    form_.OnPass = passBefore_;
    StopCollectingDrawnTexts();
}

bool LessonPlayer::WaitsForNext() const
{
    const LessonStep &step = lesson_.steps[step_];
    return !finished_ && step.await && step.await->await == AwaitKind::Next;
}

void LessonPlayer::ShowMe()
{
    if (finished_)
        return;
    if (staging_)
        showAsked_ = true;
    else
        live_.Play(lesson_.steps[step_].show);
}

void LessonPlayer::Next()
{
    if (!WaitsForNext())
        return;
    if (staging_)
        nextAsked_ = true;
    else
        Advance();
}

void LessonPlayer::Restart()
{
    finished_ = false;
    Enter(0);
    Changed();
}

// Shows the step and plays its stage; the pilot's part starts when it has
// played.
void LessonPlayer::Enter(size_t step)
{
    step_ = step;
    staging_ = true;
    showAsked_ = nextAsked_ = false;
    hint_ = nullptr;
    timer_.SetEnabled(true);
    live_.Play(lesson_.steps[step_].stage);
}

void LessonPlayer::StageDone()
{
    staging_ = false;
    stepStartMs_ = form_.Clock.NowMs();
    startScreen_ = state.currentScreen;
    pilotActed_ = false;
    if (showAsked_)
        ShowMe();
    else if (nextAsked_)
        Advance();
}

// After a pass, or a round of the timer while off: the await met moves on;
// otherwise the hint may change.
void LessonPlayer::Look()
{
    if (finished_ || staging_ || live_.Playing())
        return;
    const LessonStep &step = lesson_.steps[step_];
    if (!pilotActed_)
        startScreen_ = state.currentScreen;
    std::string found;
    if (step.await && step.await->await != AwaitKind::Next && ConditionHolds(*step.await, form_, found)) {
        Advance();
        return;
    }
    const LessonHint *hint = HintNow();
    if (hint != hint_) {
        hint_ = hint;
        Changed();
    }
}

const LessonHint *LessonPlayer::HintNow()
{
    const LessonStep &step = lesson_.steps[step_];
    if (step.hints.empty() || !step.await)
        return nullptr;
    const bool stuck = form_.Clock.NowMs() - stepStartMs_ >= StuckMs;
    const ScreenHandler screen = state.currentScreen;
    const bool awaited = step.await->await == AwaitKind::Screen && screen == step.await->screen;
    const bool offPath = pilotActed_ && screen != startScreen_ && !awaited;
    return stuck || offPath ? &step.hints.front() : nullptr;
}

// The await met: the next step, or the end of the lesson, whose last step
// (one that only says) is shown and its stage played.
void LessonPlayer::Advance()
{
    const bool last = step_ + 1 == lesson_.steps.size();
    if (!last)
        Enter(step_ + 1);
    if (last || !lesson_.steps[step_].await) {
        finished_ = true;
        staging_ = false;
        hint_ = nullptr;
    }
    if (!Changed() || !finished_)
        return;
    if (OnFinished)
        OnFinished();
}

bool LessonPlayer::Changed()
{
    const std::shared_ptr<bool> alive = alive_;
    if (OnChange)
        OnChange();
    return *alive;
}
