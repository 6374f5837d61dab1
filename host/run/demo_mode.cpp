#include "host/run/demo_mode.h"

#include <cstring>
#include <sstream>
#include <utility>

#include "host/form/control_widgets.h"
#include "host/run/script_files.h"

namespace {

// How often the demo looks whether the instrument has gone off at the end
// of a round.
constexpr int LookMs = 100;
// The instrument stays off this long between two rounds, on the window's
// clock, so that a visitor sees the round end.
constexpr int64_t OffBetweenRoundsMs = 2000;

} // namespace

bool ReadDemoScript(const std::string &file, Script &script, std::string &error)
{
    if (!ParseScriptFile(file, script, error))
        return false;
    std::ostringstream problems;
    if (ReadScriptStateFiles(script, problems))
        return true;
    const std::string text = problems.str();
    error = text.substr(0, text.find('\n'));
    return false;
}

DemoMode::DemoMode(TForm1 &form, Script script)
    : form_(form), script_(std::move(script)), player_(form, script_.folder),
      startControls_(ReadControlValues(form)), actionBefore_(form.OnAction), keyBefore_(form.OnKey),
      wheelBefore_(form.OnWheel), timer_(LookMs, [this] { Look(); })
{
    memcpy(&start_, &state, sizeof start_);
    timer_.SetEnabled(false);
    // The player's own inputs and the demo's are not a user's.
    form_.OnAction = [this](FormAction action, int32_t value, int64_t clockMs) {
        if (playing_ && !own_ && !player_.Acting())
            HandOver();
        if (actionBefore_)
            actionBefore_(action, value, clockMs);
    };
    // Every key, also one that does nothing in the window.
    form_.OnKey = [this](const TKeyEvent &key) {
        HandOver();
        return keyBefore_ && keyBefore_(key);
    };
    form_.OnWheel = [this](int x, int y, int notches) {
        HandOver();
        return wheelBefore_ && wheelBefore_(x, y, notches);
    };
    player_.OnFinished = [this] { RoundFinished(); };
    player_.OnError = [this](const std::string &error) { Stop("Demo stopped: " + error); };
    form_.SetDemoShown(true);
    player_.Play(script_.commands);
}

DemoMode::~DemoMode()
{
    player_.Stop();
    form_.OnAction = actionBefore_;
    form_.OnKey = keyBefore_;
    form_.OnWheel = wheelBefore_;
    form_.SetDemoShown(false);
}

void DemoMode::HandOver()
{
    if (playing_)
        Stop("Demo stopped: the instrument is yours, as it stands");
}

void DemoMode::Stop(const std::string &message)
{
    playing_ = false;
    between_ = false;
    timer_.SetEnabled(false);
    player_.Stop();
    form_.SetDemoShown(false);
    form_.SetStatusMessage(message);
    if (OnStopped)
        OnStopped();
}

// The round is over: the instrument goes off as a user would switch it off;
// the next round starts once it is off and has been for a moment.
void DemoMode::RoundFinished()
{
    between_ = true;
    player_.Stop(); // a feed it started ends with the round
    nextRoundMs_ = form_.Clock.NowMs() + OffBetweenRoundsMs;
    timer_.SetEnabled(true);
    own_ = true;
    if (form_.InstrumentRunning())
        form_.Act(FormAction::PowerOff);
    own_ = false;
}

void DemoMode::Look()
{
    if (!between_ || form_.InstrumentRunning())
        return;
    if (form_.Clock.NowMs() < nextRoundMs_)
        return;
    between_ = false;
    timer_.SetEnabled(false);
    memcpy(&state, &start_, sizeof state);
    own_ = true;
    ApplyControlValues(form_, startControls_);
    own_ = false;
    player_.Play(script_.commands);
}
