#include "host/feed/feed_player.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

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
    : FeedDelivery(form, std::move(name), false), log_(std::move(log)), startMs_(form.Clock.NowMs()),
      timer_(PollMs, [this] { Tick(); })
{
    Tick();
}

void FeedPlayer::Tick()
{
    const int64_t now = form_.Clock.NowMs();
    if (ended_ || now == lastMs_)
        return;
    lastMs_ = now;
    const double seconds = (double)(now - startMs_) / 1000.0;
    const EngineSample sample = EngineLogAt(log_, seconds);
    Deliver(log_.hasPressure ? sample.millibar : NAN, log_.hasSpeed ? sample.rpm : NAN);
    if (seconds >= log_.samples.back().seconds) {
        ended_ = true;
        Finished();
        form_.SetStatusMessage("The feed " + Name() + " ended at " + ClockText(log_.samples.back().seconds) +
                               ": the sliders hold its last values");
    }
}

std::string FeedPlayer::Describe() const
{
    const double seconds = lastMs_ < 0 ? 0 : (double)(lastMs_ - startMs_) / 1000.0;
    // The file's name alone, so that a long path stays within its column.
    return "file      " + Name().substr(Name().find_last_of('/') + 1) + "\nat        " +
           ClockText(std::min(seconds, log_.samples.back().seconds)) + " of " +
           ClockText(log_.samples.back().seconds) + (ended_ ? " (ended)" : "");
}
