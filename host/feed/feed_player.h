// Drives the window's sensor sliders from a recorded engine run (a CSV
// feed, engine_log.h). The recording runs on the window's clock: time 0 is
// the moment the player is attached, x10 and x60 replay faster, and a paused
// clock pauses it. Every look at the clock that finds it moved on delivers a
// sample to each channel the recording has, even an unchanged value, since
// ON clears the pressure input until the slider moves. At the end the
// sliders hold the last values and the status bar says so. A recording of
// the session writes the feed itself, not its moves.
#pragma once
#include <string>

#include "host/feed/engine_log.h"
#include "host/feed/feed_delivery.h"

class FeedPlayer : public FeedDelivery {
  public:
    FeedPlayer(TForm1 &form, EngineLog log, std::string name);

    bool Ended() const { return ended_; }

  private:
    std::string Describe() const override;
    void Tick();

    EngineLog log_;
    int64_t startMs_, lastMs_ = -1;
    bool ended_ = false;
    TTimer timer_;
};
