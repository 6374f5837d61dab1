// The simulator's clock: virtual time in milliseconds that runs at x1, x10 or
// x60 of real time, or stands still while paused, and the three periodic
// events the window's timer handlers stand for (100 ms, the 500 ms engine
// pulse gate, the one-second event).
//
// Real time moves the clock on (AdvanceReal); the events fall due as it
// moves and wait until delivered. A pass of the main cycle takes what is due
// with DeliverPass: every 100 ms event, but at most one gate and one second
// event, so that a second gate cannot find the pulse count already cleared
// and a second event cannot fall onto one not yet handled; a late one waits
// for the next pass. With no main cycle running DeliverAll takes everything.
#pragma once
#include <cstdint>
#include <functional>

enum class ClockEvent : uint8_t { Tick100ms, Gate500ms, Second, Count };

class ScaledClock {
  public:
    static constexpr int IntervalMs[(int)ClockEvent::Count] = {100, 500, 1000};
    // The clock stops short of running further ahead than this of an
    // undelivered gate or second event: when the cycle cannot keep up with
    // the rate, the clock slows to the cycle's pace instead of piling up
    // events.
    static constexpr int64_t BacklogLimitMs = 120000;

    explicit ScaledClock(std::function<void(ClockEvent)> deliver);

    // Time 0, each event due after its first interval, x1, not paused.
    void Reset();

    int64_t NowMs() const { return nowMs_; }
    // 1, 10 or 60; other values are ignored.
    int Rate() const { return rate_; }
    void SetRate(int rate);
    // The next rate in the cycle x1, x10, x60, x1.
    int NextRate() const;
    bool Paused() const { return paused_; }
    void SetPaused(bool paused) { paused_ = paused; }

    // Real time has passed: moves the clock on by it times the rate, unless
    // paused.
    void AdvanceReal(int64_t realUs);
    // Moves the clock on by ms of its own time, whatever the rate and pause
    // (a runner stepping virtual time itself).
    void AdvanceMs(int64_t ms);

    // Delivers what is due for one pass of the main cycle: in time order,
    // events due together in the order 100 ms, gate, second; at most one gate
    // and one second event.
    void DeliverPass();
    // Delivers everything due, in the same order.
    void DeliverAll();
    // When the event is next due.
    int64_t DueMs(ClockEvent event) const { return dueMs_[(int)event]; }

  private:
    void Deliver(bool onePerPass);
    std::function<void(ClockEvent)> deliver_;
    int64_t nowMs_ = 0;
    int64_t spareUs_ = 0; // virtual time below a whole millisecond
    int64_t dueMs_[(int)ClockEvent::Count];
    int rate_ = 1;
    bool paused_ = false;
};
