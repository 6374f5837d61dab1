#include "host/feed/feed_player.h"

#include <cstdio>
#include <utility>

#include "host/feed/sensor_conversion.h"

namespace {

// How often the clock is looked at: at x1 a sample every 10 ms at most.
constexpr int PollMs = 10;

std::string ClockText(double seconds)
{
    const long total = (long)seconds;
    char text[32];
    snprintf(text, sizeof text, "%02ld:%02ld:%02ld", total / 3600, total / 60 % 60, total % 60);
    return text;
}

} // namespace

FeedPlayer::FeedPlayer(TForm1 &form, EngineLog log, std::string name)
    : form_(form), log_(std::move(log)), name_(std::move(name)), startMs_(form.Clock.NowMs()),
      before_(form.OnAction), timer_(PollMs, [this] { Tick(); })
{
    form_.OnAction = [this](FormAction action, int32_t value, int64_t clockMs) {
        Heard(action, value, clockMs);
    };
    Tick();
}

FeedPlayer::~FeedPlayer() { form_.OnAction = before_; }

void FeedPlayer::Heard(FormAction action, int32_t value, int64_t clockMs)
{
    if (!delivering_ && !ended_) {
        const char *taken = nullptr;
        if (action == FormAction::SetPressure && log_.hasPressure && !pressureByHand_)
            pressureByHand_ = true, taken = "Pressure";
        else if (action == FormAction::SetSpeed && log_.hasSpeed && !speedByHand_)
            speedByHand_ = true, taken = "RPM";
        if (taken) {
            form_.SetStatusMessage(std::string(taken) + " slider taken back by hand: the feed " + name_ +
                                   " no longer moves it");
        }
    }
    // The listeners before hear of what the user does, not of the
    // feed's own moves: a recording of the session writes the feed instead.
    if (before_ && !delivering_)
        before_(action, value, clockMs);
}

void FeedPlayer::Deliver(FormAction action, int32_t position, bool clamped)
{
    clamped_ += clamped;
    ++deliveries_;
    delivering_ = true;
    form_.Feed(action, position);
    delivering_ = false;
}

void FeedPlayer::Tick()
{
    const int64_t now = form_.Clock.NowMs();
    if (ended_ || now == lastMs_)
        return;
    lastMs_ = now;
    const double seconds = (double)(now - startMs_) / 1000.0;
    const EngineSample sample = EngineLogAt(log_, seconds);
    bool clamped = false;
    if (log_.hasPressure && !pressureByHand_) {
        const int32_t position = PressureSliderFor(sample.millibar, &clamped);
        Deliver(FormAction::SetPressure, position, clamped);
    }
    if (log_.hasSpeed && !speedByHand_) {
        const int32_t position = SpeedSliderFor(sample.rpm, &clamped);
        Deliver(FormAction::SetSpeed, position, clamped);
    }
    if (seconds >= log_.samples.back().seconds) {
        ended_ = true;
        form_.SetStatusMessage("The feed " + name_ + " ended at " + ClockText(log_.samples.back().seconds) +
                               ": the sliders hold its last values");
    }
}
