// Drives the window's sensor sliders from a recorded engine run (a CSV
// feed, engine_log.h). The recording runs on the window's clock: the moment
// the player is attached is the recording's start point (its first row, or
// a chosen moment into it), x10 and x60 replay faster, and a paused clock
// pauses it. Every look at the clock that finds it moved on delivers a
// sample to each channel the recording has, even an unchanged value, since
// ON clears the pressure input until the slider moves. The status bar says
// what was understood of the file when it starts, shows the recording's
// time as it plays, and at the end says the sliders hold the last values. A
// recording of the session writes the feed itself, not its moves.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "host/feed/engine_log.h"
#include "host/feed/feed_delivery.h"

// A moment of a recording as a user writes it: h:mm:ss, m:ss or seconds,
// the last field with up to three decimals ("1:05:30", "00:35:00", "35:00",
// "2100", "90.5"); minutes and seconds after a colon are two digits below
// 60. false for anything else.
bool ParseRecordingTime(std::string_view text, int64_t *ms);
// "00:35:00", with ".250" when not a whole second: ParseRecordingTime reads
// it back as ms.
std::string RecordingTimeText(int64_t ms);

// A recording to replay as the user asked for it: --feed FILE with
// --engine, --columns and --feed-from, or the script's feed command.
struct FeedRequest {
    std::string file;
    EngineLogOptions options;
    int64_t fromMs = 0; // where the replay starts, from the recording's first row
};

// Reads the recording and checks the start point: false with *error
// ("file:line: why" or "file: why") when it cannot be replayed so.
bool ReadFeedRequest(const FeedRequest &request, EngineLog *log, std::string *error);

// How long the recording runs from its first row, in milliseconds.
int64_t RecordingLengthMs(const EngineLog &log);
// A start point the recording reaches; otherwise false with *error saying
// where the recording ends (name: the file as the user named it).
bool CheckRecordingStart(const EngineLog &log, const std::string &name, int64_t fromMs, std::string *error);

class FeedPlayer : public FeedDelivery {
  public:
    // fromMs: where in the recording the replay starts (CheckRecordingStart).
    FeedPlayer(TForm1 &form, EngineLog log, std::string name, int64_t fromMs = 0);

    bool Ended() const { return ended_; }
    // What the status bar said when the replay started: what was
    // understood of the file, and the start point.
    const std::string &StartMessage() const { return startMessage_; }

  private:
    std::string Describe() const override;
    void Tick();
    // Seconds into the recording at the clock's time nowMs.
    double RecordingSeconds(int64_t nowMs) const;

    EngineLog log_;
    int64_t fromMs_, startMs_, lastMs_ = -1;
    bool ended_ = false;
    std::string startMessage_;
    TTimer timer_;
};
