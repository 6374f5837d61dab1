#include "host/feed/feed_player.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

namespace {

// How often the clock is looked at: at x1 a sample every 10 ms at most.
constexpr int PollMs = 10;
// The longest field of a recording time: far beyond any recording, far
// from overflowing.
constexpr size_t MaxTimeDigits = 9;

std::string ClockText(double seconds)
{
    const long total = (long)seconds;
    char text[32];
    snprintf(text, sizeof text, "%02ld:%02ld:%02ld", total / 3600, total / 60 % 60, total % 60);
    return text;
}

// Digits only, 1..MaxTimeDigits of them.
bool ReadDigits(std::string_view text, int64_t *value)
{
    if (text.empty() || text.size() > MaxTimeDigits)
        return false;
    int64_t v = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
    }
    *value = v;
    return true;
}

// The file's name alone, so that a long path stays within its column.
std::string BaseName(const std::string &name) { return name.substr(name.find_last_of('/') + 1); }

} // namespace

bool ParseRecordingTime(std::string_view text, int64_t *ms)
{
    // The fraction belongs to the seconds, the last field.
    int64_t fractionMs = 0;
    if (const size_t dot = text.find('.'); dot != std::string_view::npos) {
        const std::string_view fraction = text.substr(dot + 1);
        int64_t digits;
        if (fraction.size() > 3 || !ReadDigits(fraction, &digits))
            return false;
        for (size_t i = fraction.size(); i < 3; ++i)
            digits *= 10;
        fractionMs = digits;
        text = text.substr(0, dot);
    }
    int64_t fields[3];
    int count = 0;
    for (;;) {
        const size_t colon = text.find(':');
        if (count == 3 || !ReadDigits(text.substr(0, colon), &fields[count]))
            return false;
        // After a colon: two digits below 60, as clocks write them.
        if (count > 0 && (text.substr(0, colon).size() != 2 || fields[count] >= 60))
            return false;
        ++count;
        if (colon == std::string_view::npos)
            break;
        text = text.substr(colon + 1);
    }
    int64_t seconds = 0;
    for (int i = 0; i < count; ++i)
        seconds = seconds * 60 + fields[i];
    *ms = seconds * 1000 + fractionMs;
    return true;
}

std::string RecordingTimeText(int64_t ms)
{
    std::string text = ClockText((double)(ms / 1000));
    if (ms % 1000 != 0) {
        char fraction[8];
        snprintf(fraction, sizeof fraction, ".%03d", (int)(ms % 1000));
        text += fraction;
    }
    return text;
}

int64_t RecordingLengthMs(const EngineLog &log)
{
    return log.samples.empty() ? 0 : (int64_t)std::floor(log.samples.back().seconds * 1000);
}

bool CheckRecordingStart(const EngineLog &log, const std::string &name, int64_t fromMs, std::string *error)
{
    if (fromMs <= RecordingLengthMs(log))
        return true;
    *error = name + ": the replay cannot start at " + RecordingTimeText(fromMs) + ": the recording ends at " +
             RecordingTimeText(RecordingLengthMs(log));
    return false;
}

bool ReadFeedRequest(const FeedRequest &request, EngineLog *log, std::string *error)
{
    EngineLog read;
    if (!ReadEngineLog(request.file, &read, error, request.options) ||
        !CheckRecordingStart(read, request.file, request.fromMs, error))
        return false;
    *log = std::move(read);
    return true;
}

FeedPlayer::FeedPlayer(TForm1 &form, EngineLog log, std::string name, int64_t fromMs)
    : FeedDelivery(form, std::move(name), false), log_(std::move(log)), fromMs_(fromMs),
      startMs_(form.Clock.NowMs()), timer_(PollMs, [this] { Tick(); })
{
    // What was understood of the file, or else its name and length.
    startMessage_ = !log_.understood.empty()
                        ? log_.understood
                        : "Replaying " + Name() + ", " + ClockText(log_.samples.back().seconds) + " long";
    if (fromMs_ > 0)
        startMessage_ += "; from " + RecordingTimeText(fromMs_);
    form_.SetStatusMessage(startMessage_);
    Tick();
}

double FeedPlayer::RecordingSeconds(int64_t nowMs) const
{
    return (double)(fromMs_ + nowMs - startMs_) / 1000.0;
}

void FeedPlayer::Tick()
{
    const int64_t now = form_.Clock.NowMs();
    if (ended_ || now == lastMs_)
        return;
    lastMs_ = now;
    const double seconds = RecordingSeconds(now);
    const EngineSample sample = EngineLogAt(log_, seconds);
    Deliver(log_.hasPressure ? sample.millibar : NAN, log_.hasSpeed ? sample.rpm : NAN);
    const double end = log_.samples.back().seconds;
    ended_ = seconds >= end;
    ShowStatus(BaseName(Name()) + " " + ClockText(std::min(seconds, end)) + " / " + ClockText(end) +
               (ended_ ? " (ended)" : ""));
    if (ended_) {
        Finished();
        form_.SetStatusMessage("The feed " + Name() + " ended at " + ClockText(end) +
                               ": the sliders hold its last values");
    }
}

std::string FeedPlayer::Describe() const
{
    const double seconds = lastMs_ < 0 ? fromMs_ / 1000.0 : RecordingSeconds(lastMs_);
    return "file      " + BaseName(Name()) +
           (fromMs_ > 0 ? "\nfrom      " + RecordingTimeText(fromMs_) : "") + "\nat        " +
           ClockText(std::min(seconds, log_.samples.back().seconds)) + " of " +
           ClockText(log_.samples.back().seconds) + (ended_ ? " (ended)" : "");
}
