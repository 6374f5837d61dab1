// Demo mode, for demonstrators at a stand: a scenario plays in the live
// window by itself (LivePlayer), on the window's clock, over and over. At
// the end of each round the instrument is switched off, and after a moment
// the instrument's state and the controls are put back as they were when
// the demo started, and the scenario plays again. The status bar shows
// "Demo" meanwhile.
//
// Any action of a user (a click, a key, the wheel, a slider moved by hand)
// stops it and leaves the instrument to the user as it stands; the status
// bar says so. The page also hands over on a touch anywhere (HandOver).
#pragma once
#include <functional>
#include <string>

#include "host/controls/control_values.h"
#include "host/run/live_player.h"
#include "instrument/state.h"

// Reads a demo's scenario and the state files and recordings it names,
// relative to its folder, as qpx-run reads a script: false with error,
// "FILE:LINE: why" (or "FILE: why"), for the first problem.
bool ReadDemoScript(const std::string &file, Script &script, std::string &error);

class DemoMode {
  public:
    // Plays script (read by ReadDemoScript) from the state the window has
    // now, starting at the player's next turn. Must end before the form;
    // other listeners of the form's actions started after it must end
    // before it.
    DemoMode(TForm1 &form, Script script);
    ~DemoMode();
    DemoMode(const DemoMode &) = delete;
    DemoMode &operator=(const DemoMode &) = delete;

    bool Playing() const { return playing_; }
    // Someone is at the window: the demo stops for good and the instrument
    // stays as it is. Nothing when it has stopped already.
    void HandOver();
    // Told once, when the demo stops (handed over, or a file failed).
    std::function<void()> OnStopped;

  private:
    void RoundFinished();
    void Look();
    void Stop(const std::string &message);

    TForm1 &form_;
    Script script_;
    LivePlayer player_;
    // The instrument's state and the controls when the demo started.
    InstrumentState start_;
    ControlValues startControls_;
    bool playing_ = true;
    bool own_ = false;        // the demo itself acts on the window
    bool between_ = false;    // a round ended: the instrument goes off, then the next starts
    int64_t nextRoundMs_ = 0; // on the window's clock
    std::function<void(FormAction, int32_t, int64_t)> actionBefore_;
    std::function<bool(const TKeyEvent &)> keyBefore_;
    std::function<bool(int, int, int)> wheelBefore_;
    TTimer timer_;
};
