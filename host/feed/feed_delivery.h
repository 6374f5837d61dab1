// What every engine feed does with the window: it moves the Pressure and
// RPM sliders as the sensors would deliver its values (instrument/sensor_model.h),
// through the form's Feed action, so that thumbs, labels and the instrument
// follow as for a hand move. Moving a slider by hand takes that channel back
// for the rest of the feed, and the status bar says so.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "host/form/Pcmain.h"

class FeedDelivery {
  public:
    // Listens to the form's actions in front of whatever listened before
    // (a session recording). passMovesOn: that listener hears of the feed's
    // own moves too; otherwise only of what the user does. Must end before
    // the form.
    FeedDelivery(TForm1 &form, std::string name, bool passMovesOn);
    virtual ~FeedDelivery();
    FeedDelivery(const FeedDelivery &) = delete;
    FeedDelivery &operator=(const FeedDelivery &) = delete;

    const std::string &Name() const { return name_; }
    int64_t Deliveries() const { return deliveries_; }
    // Values that fell outside a slider's range and were held at its end.
    int64_t ClampedValues() const { return clamped_; }

  protected:
    // The feed's own lines for the state view, under the heading and before
    // the delivered and clamped counts.
    virtual std::string Describe() const = 0;
    // Each value the feed has (NaN: none), to the channels still its own.
    void Deliver(double millibar, double rpm);
    // No hand takes a channel back any more (the feed is over).
    void Finished() { finished_ = true; }
    // The feed's part of the status bar, kept there while the feed runs
    // (TForm1::SetFeedStatus).
    void ShowStatus(const std::string &text) { form_.SetFeedStatus(text); }
    TForm1 &form_;

  private:
    void Heard(FormAction action, int32_t value, int64_t clockMs);
    void Move(FormAction action, int32_t position, bool clamped);

    std::string name_;
    bool passMovesOn_;
    bool delivering_ = false, finished_ = false;
    bool pressureFed_ = false, speedFed_ = false; // the feed has moved it
    bool pressureByHand_ = false, speedByHand_ = false;
    int64_t clamped_ = 0, deliveries_ = 0;
    std::function<void(FormAction, int32_t, int64_t)> before_;
    std::function<std::string()> describedBefore_;
};
