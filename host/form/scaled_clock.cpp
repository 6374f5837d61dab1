#include "host/form/scaled_clock.h"

#include <algorithm>

ScaledClock::ScaledClock(std::function<void(ClockEvent)> deliver) : deliver_(std::move(deliver)) { Reset(); }

void ScaledClock::Reset()
{
    nowMs_ = 0;
    spareUs_ = 0;
    for (int e = 0; e < (int)ClockEvent::Count; ++e)
        dueMs_[e] = IntervalMs[e];
    rate_ = 1;
    paused_ = false;
}

void ScaledClock::SetRate(int rate)
{
    if (rate == 1 || rate == 10 || rate == 60)
        rate_ = rate;
}

int ScaledClock::NextRate() const { return rate_ == 1 ? 10 : rate_ == 10 ? 60 : 1; }

void ScaledClock::AdvanceReal(int64_t realUs)
{
    if (paused_ || realUs <= 0)
        return;
    const int64_t us = spareUs_ + realUs * rate_;
    const int64_t limit =
        std::min(dueMs_[(int)ClockEvent::Gate500ms], dueMs_[(int)ClockEvent::Second]) + BacklogLimitMs;
    if (nowMs_ + us / 1000 > limit) {
        nowMs_ = std::max(nowMs_, limit);
        spareUs_ = 0;
        return;
    }
    nowMs_ += us / 1000;
    spareUs_ = us % 1000;
}

void ScaledClock::AdvanceMs(int64_t ms)
{
    if (ms > 0)
        nowMs_ += ms;
}

void ScaledClock::Deliver(bool onePerPass)
{
    bool taken[(int)ClockEvent::Count] = {};
    for (;;) {
        int next = -1;
        for (int e = 0; e < (int)ClockEvent::Count; ++e) {
            if (dueMs_[e] > nowMs_ || (onePerPass && e != (int)ClockEvent::Tick100ms && taken[e]))
                continue;
            if (next < 0 || dueMs_[e] < dueMs_[next])
                next = e;
        }
        if (next < 0)
            return;
        taken[next] = true;
        dueMs_[next] += IntervalMs[next];
        deliver_((ClockEvent)next);
    }
}

void ScaledClock::DeliverPass() { Deliver(true); }
void ScaledClock::DeliverAll() { Deliver(false); }
