// Drives the window's sensor sliders from a recorded engine run (a CSV
// feed, engine_log.h), converted as the sensors would deliver the values
// (sensor_conversion.h). The recording runs on the window's clock: time 0 is
// the moment the player is attached, x10 and x60 replay faster, and a paused
// clock pauses it. Every look at the clock that finds it moved on delivers a
// sample to each channel the recording has, even an unchanged value, since
// ON clears the pressure input until the slider moves. At the end the
// sliders hold the last values and the status bar says so.
//
// Moving a slider by hand takes that channel back for the rest of the feed.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "host/feed/engine_log.h"
#include "host/form/Pcmain.h"

class FeedPlayer {
  public:
    // Listens to the form's actions in front of whatever listened before,
    // which hears of every action but the feed's own slider moves (a
    // recording of the session writes the feed instead); the player must
    // end before the form.
    FeedPlayer(TForm1 &form, EngineLog log, std::string name);
    ~FeedPlayer();
    FeedPlayer(const FeedPlayer &) = delete;
    FeedPlayer &operator=(const FeedPlayer &) = delete;

    bool Ended() const { return ended_; }
    // Values that fell outside a slider's range and were held at its end.
    int64_t ClampedValues() const { return clamped_; }
    int64_t Deliveries() const { return deliveries_; }

  private:
    void Tick();
    void Deliver(FormAction action, int32_t position, bool clamped);
    void Heard(FormAction action, int32_t value, int64_t clockMs);

    TForm1 &form_;
    EngineLog log_;
    std::string name_;
    int64_t startMs_, lastMs_ = -1;
    bool delivering_ = false, ended_ = false;
    bool pressureByHand_ = false, speedByHand_ = false;
    int64_t clamped_ = 0, deliveries_ = 0;
    std::function<void(FormAction, int32_t, int64_t)> before_;
    TTimer timer_;
};
