#include "host/feed/feed_delivery.h"

#include <cmath>
#include <utility>

#include "instrument/sensor_model.h"

FeedDelivery::FeedDelivery(TForm1 &form, std::string name, bool passMovesOn)
    : form_(form), name_(std::move(name)), passMovesOn_(passMovesOn), before_(form.OnAction),
      describedBefore_(form.DescribeFeed)
{
    form_.OnAction = [this](FormAction action, int32_t value, int64_t clockMs) {
        Heard(action, value, clockMs);
    };
    form_.DescribeFeed = [this] {
        return "ENGINE FEED\n" + Describe() + "\nmoves     " + std::to_string(deliveries_) + "\nclamped   " +
               std::to_string(clamped_) + (pressureByHand_ ? "\npressure  by hand" : "") +
               (speedByHand_ ? "\nrpm       by hand" : "");
    };
}

FeedDelivery::~FeedDelivery()
{
    form_.OnAction = before_;
    form_.DescribeFeed = describedBefore_;
    form_.SetFeedStatus("");
}

void FeedDelivery::Heard(FormAction action, int32_t value, int64_t clockMs)
{
    if (!delivering_ && !finished_) {
        const char *taken = nullptr;
        if (action == FormAction::SetPressure && pressureFed_ && !pressureByHand_)
            pressureByHand_ = true, taken = "Pressure";
        else if (action == FormAction::SetSpeed && speedFed_ && !speedByHand_)
            speedByHand_ = true, taken = "RPM";
        if (taken)
            form_.SetStatusMessage(std::string(taken) + " slider taken back by hand: the feed " + name_ +
                                   " no longer moves it");
    }
    if (before_ && (passMovesOn_ || !delivering_))
        before_(action, value, clockMs);
}

void FeedDelivery::Move(FormAction action, int32_t position, bool clamped)
{
    clamped_ += clamped;
    ++deliveries_;
    delivering_ = true;
    form_.Feed(action, position);
    delivering_ = false;
}

void FeedDelivery::Deliver(double millibar, double rpm)
{
    bool clamped = false;
    if (!std::isnan(millibar) && !pressureByHand_) {
        pressureFed_ = true;
        const int32_t position = PressureCountFor(millibar, &clamped);
        Move(FormAction::SetPressure, position, clamped);
    }
    if (!std::isnan(rpm) && !speedByHand_) {
        speedFed_ = true;
        const int32_t position = PulseCountFor(rpm, &clamped);
        Move(FormAction::SetSpeed, position, clamped);
    }
}
