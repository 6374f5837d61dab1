#include "host/run/live_player.h"

#include <algorithm>
#include <utility>

#include "host/controls/engine_units.h"
#include "host/feed/feed_player.h"
#include "host/form/control_widgets.h"
#include "host/form/form_state_files.h"
#include "host/run/runner.h"

namespace {

// How often the player looks at the clock while the instrument is off: at
// x1 a ramp moves its slider every 10 ms at most, as a feed does.
constexpr int PollMs = 10;

} // namespace

LivePlayer::LivePlayer(TForm1 &form, std::filesystem::path folder)
    : form_(form), folder_(std::move(folder)), actionBefore_(form.OnAction), passBefore_(form.OnPass),
      timer_(PollMs, [this] { Tick(false); })
{
    timer_.SetEnabled(false);
    form_.OnAction = [this](FormAction action, int32_t value, int64_t clockMs) {
        Heard(action, value, clockMs);
    };
    form_.OnPass = [this](int64_t clockMs) { Passed(clockMs); };
}

LivePlayer::~LivePlayer()
{
    *alive_ = false;
    Stop();
    form_.OnAction = actionBefore_;
    form_.OnPass = passBefore_;
}

void LivePlayer::Play(std::vector<Command> commands)
{
    Stop();
    commands_ = std::move(commands);
    next_ = 0;
    playing_ = true;
    timer_.SetEnabled(true);
}

void LivePlayer::Stop()
{
    playing_ = false;
    ramping_ = false;
    clicksLeft_ = 0;
    settle_ = 0;
    waitEndMs_ = 0;
    feed_.reset();
    timer_.SetEnabled(false);
}

// Whoever listened before hears every action, the player's own too, with
// Acting() telling which. ON runs the instrument for as long as it is on:
// once it has been heard, what happens inside it is no longer the player's
// input.
void LivePlayer::Heard(FormAction action, int32_t value, int64_t clockMs)
{
    if (actionBefore_)
        actionBefore_(action, value, clockMs);
    if (action == FormAction::PowerOn)
        acting_ = false;
}

void LivePlayer::Passed(int64_t clockMs)
{
    if (passBefore_)
        passBefore_(clockMs);
    if (!playing_)
        return;
    if (settle_ > 0)
        --settle_;
    Tick(true);
}

void LivePlayer::Deliver(FormAction action, int32_t value)
{
    const std::shared_ptr<bool> alive = alive_;
    acting_ = true;
    form_.Act(action, value);
    if (*alive)
        acting_ = false;
}

// One turn: at the end of a pass while the instrument runs, at the timer
// while it is off. Commands that take no time follow each other at once; an
// input ends the turn.
void LivePlayer::Tick(bool atPass)
{
    const bool running = form_.InstrumentRunning();
    if (!playing_ || atPass != running || form_.Clock.Paused())
        return;
    if (!running)
        settle_ = 0; // nothing takes an input while off
    if (settle_ > 0)
        return;
    if (ramping_) {
        RampStep();
        return;
    }
    if (form_.Clock.NowMs() < waitEndMs_)
        return;
    while (next_ < commands_.size()) {
        const Command &command = commands_[next_];
        const ControlWidgetEntry &onForm = ControlOnForm(command.control);
        switch (command.kind) {
        case CommandKind::Click:
            if (clicksLeft_ == 0)
                clicksLeft_ = command.count;
            if (--clicksLeft_ == 0)
                ++next_;
            settle_ = SettlePasses;
            Deliver(onForm.action, 0);
            return;
        case CommandKind::Tick:
            ++next_;
            settle_ = SettlePasses;
            Deliver(onForm.action, command.ticked ? 1 : 0);
            return;
        case CommandKind::Slide:
            ++next_;
            StartRamp(command);
            return;
        case CommandKind::Engine: {
            // A slider move to the count that reads the value now.
            ++next_;
            Command slide;
            slide.kind = CommandKind::Slide;
            slide.control = command.control;
            slide.position = command.control == Control::Pressure ? PressureSliderFor(command.engineValue)
                                                                  : SpeedSliderFor(command.engineValue);
            StartRamp(slide);
            return;
        }
        case CommandKind::Wait:
            ++next_;
            waitEndMs_ = form_.Clock.NowMs() + command.durationMs;
            if (command.durationMs > 0)
                return;
            break;
        case CommandKind::LoadState:
            ++next_;
            settle_ = SettlePasses;
            if (!LoadState(command))
                return;
            return;
        case CommandKind::Feed:
            ++next_;
            if (!StartFeed(command))
                return;
            break;
        case CommandKind::SetFault:
            ++next_;
            settle_ = SettlePasses;
            form_.SetFault(command.fault);
            return;
        case CommandKind::Seed:
            ++next_;
            form_.SeedFaults(command.seed);
            break;
        default: // checks and pictures: nothing to look at here
            ++next_;
            break;
        }
    }
    Finish();
}

void LivePlayer::StartRamp(const Command &ramp)
{
    ramping_ = true;
    ramp_ = ramp;
    rampStartMs_ = form_.Clock.NowMs();
    rampLast_ = -1;
    RampStep();
}

// Moves the ramp's slider to where the hand is by now on the clock; after
// the last position the ramp settles like any input.
void LivePlayer::RampStep()
{
    const int64_t elapsed = std::clamp<int64_t>(form_.Clock.NowMs() - rampStartMs_, 0, ramp_.durationMs);
    const int position =
        ramp_.durationMs == 0
            ? ramp_.position
            : ramp_.from + (int)((int64_t)(ramp_.position - ramp_.from) * elapsed / ramp_.durationMs);
    if (elapsed >= ramp_.durationMs) {
        ramping_ = false;
        settle_ = SettlePasses;
    }
    if (position == rampLast_)
        return;
    rampLast_ = position;
    Deliver(ControlOnForm(ramp_.control).action, position);
}

// Values checked before, or else the file read now.
bool LivePlayer::LoadState(const Command &command)
{
    const std::shared_ptr<bool> alive = alive_;
    acting_ = true;
    StateFileResult result;
    if (command.state) {
        ApplyStateFileValues(*command.state, form_);
        result.ok = true;
    } else {
        result = LoadStateFile((folder_ / command.path).string(), form_);
    }
    if (!*alive)
        return false;
    acting_ = false;
    if (!result.ok)
        Fail(result.error);
    return result.ok;
}

// A recording checked before, or else read now; the one before it, if any,
// ends.
bool LivePlayer::StartFeed(const Command &command)
{
    feed_.reset();
    EngineLog log;
    std::string error;
    if (command.feed) {
        log = *command.feed;
    } else if (!ReadFeedRequest({(folder_ / command.path).string(), command.feedOptions, command.feedFromMs},
                                &log, &error)) {
        Fail(error);
        return false;
    }
    feed_ = std::make_unique<FeedPlayer>(form_, std::move(log), command.path.string(), command.feedFromMs);
    return true;
}

void LivePlayer::Fail(const std::string &error)
{
    Stop();
    if (OnError)
        OnError(error);
}

void LivePlayer::Finish()
{
    playing_ = false;
    timer_.SetEnabled(false);
    if (OnFinished)
        OnFinished();
}
