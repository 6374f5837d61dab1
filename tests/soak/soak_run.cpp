#include "soak_run.h"

#include <chrono>
#include <cstdio>
#include <deque>

#include "corruption.h"
#include "host/form/Pcmain.h"
#include "host/headless/headless_driver.h"
#include "host/readout/state_fields.h"
#include "instrument/hooks.h"
#include "invariants.h"
#include "user_actions.h"

volatile long soakCurrentEvent = 0;

namespace {

using Clock = std::chrono::steady_clock;

// The clock moves at most this far per pass, so that every pass sees at most
// one 500 ms gate and one second event, as the scenario runner's waits do.
constexpr int ClockStepMs = 100;

// A main-cycle pass drives the backlight and then, at once, the alarm
// output; nothing else calls those two hooks back to back (the power-on ends
// with the alarm output alone). Seeing that pair tells the soak a pass ran
// its screen, as opposed to a splash pass.
bool lastHookWasBacklight = false;
bool mainPassRan = false;

void WatchHook(HookId hook)
{
    if ((hook == HookAlarmOutputOn || hook == HookAlarmOutputOff) && lastHookWasBacklight)
        mainPassRan = true;
    lastHookWasBacklight = hook == HookBacklightOn || hook == HookBacklightOff;
}

class Soak {
  public:
    Soak(const SoakOptions &options) : options_(options), random_(options.seed) {}

    SoakResult Run()
    {
        HookToken watches[HookCount];
        for (int hook = 0; hook < HookCount; ++hook)
            watches[hook] = SubscribeHook((HookId)hook, WatchHook);
        Application->Reset();
        headless::Reset();
        form_ = Application->CreateForm<TForm1>();
        headless::OnProcessMessages([this] { Round(); });
        Clock::time_point start = Clock::now();
        lastPassEnd_ = start;
        // Each round here is the idle window's; ON runs the instrument inside
        // it until OFF or closing, its passes each a round of their own.
        while (!(stopping_ && !form_->InstrumentRunning() && waitLeftMs_ == 0)) {
            Application->ProcessMessages();
            if (Application->Terminated()) {
                // The cycle has unwound: the user starts the program again.
                Application->Reset();
                form_ = Application->CreateForm<TForm1>();
                ++result_.windows;
            }
        }
        result_.seconds = std::chrono::duration<double>(Clock::now() - start).count();
        headless::OnProcessMessages(nullptr);
        Application->Reset();
        for (HookToken watch : watches)
            UnsubscribeHook(watch);
        return result_;
    }

  private:
    // One message round: look at what the last pass left, then act as the
    // user.
    void Round()
    {
        bool inside = headless::MessageDepth() >= 2;
        if (inside)
            AfterPass();
        if (stopping_) {
            // Until the instrument is off; a restart's splash ignores OFF.
            if (form_->InstrumentRunning())
                headless::Click(form_->Button2);
            waitLeftMs_ = 0;
            return;
        }
        if (options_.corrupt && inside && random_.OneIn(3)) {
            std::string damage = CorruptState(random_);
            if (options_.verbose)
                printf("  corrupt: %s\n", damage.c_str());
        }
        if (waitLeftMs_ > 0) {
            int step = waitLeftMs_ < ClockStepMs ? waitLeftMs_ : ClockStepMs;
            headless::AdvanceClock(step);
            waitLeftMs_ -= step;
            return;
        }
        // Planned presses, one per round: a key pressed several times in a
        // row, or a code typed, walk through digits and lists that single
        // presses seldom get through.
        if (!planned_.empty()) {
            UserAction next = planned_.front();
            planned_.pop_front();
            Act(next);
            return;
        }
        if (random_.OneIn(3)) {
            // The codes a user would know: none, a favourite, the master code.
            static const uint32_t KnownCodes[] = {0, 1234, 9734};
            for (const UserAction &key : TypeCode(KnownCodes[random_.Below(3)]))
                planned_.push_back(key);
            if (!planned_.empty())
                return;
        }
        // Mostly one action per round, now and then none or a burst that
        // arrives in the same round.
        int count = random_.OneIn(6) ? 0 : random_.OneIn(8) ? 2 + (int)random_.Below(3) : 1;
        for (int i = 0; i < count && !stopping_; ++i) {
            UserAction action = PickUserAction(random_);
            if (count == 1 && action.kind == ActionKind::Key && random_.OneIn(5))
                planned_.insert(planned_.end(), 1 + random_.Below(5), action);
            Act(action);
        }
    }

    void Act(const UserAction &action)
    {
        ++result_.events;
        soakCurrentEvent = result_.events;
        if (options_.verbose)
            printf("%ld: %s\n", result_.events, DescribeUserAction(action).c_str());
        if (action.kind == ActionKind::On)
            ++result_.powerOns;
        if (action.kind == ActionKind::Wait)
            waitLeftMs_ = action.value;
        else
            QueueUserAction(*form_, action);
        if (result_.events >= options_.events)
            stopping_ = true;
    }

    void AfterPass()
    {
        Clock::time_point now = Clock::now();
        double seconds = std::chrono::duration<double>(now - lastPassEnd_).count();
        lastPassEnd_ = now;
        if (seconds > 1.0) {
            ++result_.slowPasses;
            if (seconds > result_.slowestPassSeconds)
                result_.slowestPassSeconds = seconds;
        }
        if (!mainPassRan) {
            ++result_.splashPasses;
            return;
        }
        mainPassRan = false;
        ++result_.passes;
        ++result_.screens[ScreenName(state.currentScreen)];
        if (!options_.corrupt && result_.failure.empty()) {
            std::string broken = CheckInvariants(passStart_);
            if (!broken.empty()) {
                result_.failure = broken;
                result_.failureEvent = result_.events;
                stopping_ = true;
            }
        }
        passStart_ = TakePassStart();
    }

    SoakOptions options_;
    SoakRandom random_;
    SoakResult result_;
    TForm1 *form_ = nullptr;
    int waitLeftMs_ = 0;
    std::deque<UserAction> planned_;
    bool stopping_ = false;
    PassStart passStart_ = {};
    Clock::time_point lastPassEnd_;
};

} // namespace

SoakResult RunSoak(const SoakOptions &options)
{
    Soak soak(options);
    return soak.Run();
}
