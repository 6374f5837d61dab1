// Plays script commands on a live window as a user would, on the window's
// own clock: paused with it, x10 with it. Inputs go through the form's
// actions (TForm1::Act), waits and ramps run on form.Clock, load-state and
// feed work as the runner does them, their files relative to a folder.
// Checks and save are passed over (nothing here can fail a check).
//
// Timing follows the runner (runner.h): while the instrument runs, the
// player acts at the end of its passes and lets SettlePasses passes follow
// each input before the next command, so that no click is lost; while it is
// off, the player's timer drives it. ON runs the instrument inside the
// action, so the rest of the commands play inside that ON, as they do for a
// user's ON.
//
// The player listens to the form's OnAction and OnPass in front of whoever
// listened before, and gives them back when it ends: players and other
// listeners must end in the reverse order of their start.
#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/form/Pcmain.h"
#include "host/run/script.h"

class FeedPlayer;

class LivePlayer {
  public:
    LivePlayer(TForm1 &form, std::filesystem::path folder);
    // Stops, and gives back the form's listeners.
    ~LivePlayer();
    LivePlayer(const LivePlayer &) = delete;
    LivePlayer &operator=(const LivePlayer &) = delete;

    // Plays the commands from the first, in place of any being played. The
    // first one plays at the player's next turn, never inside this call.
    void Play(std::vector<Command> commands);
    // Nothing more is played; a feed it started ends. The controls stay as
    // they are.
    void Stop();
    bool Playing() const { return playing_; }
    // True while it delivers an input itself: listeners of the form's
    // OnAction tell the user's actions from the player's by this.
    bool Acting() const { return acting_; }

    // The last command has been played (not after Stop). May call Play.
    std::function<void()> OnFinished;
    // A command could not be played (a file that cannot be read): the
    // player has stopped. error: "file: why".
    std::function<void(const std::string &error)> OnError;

  private:
    void Tick(bool atPass);
    void Passed(int64_t clockMs);
    void Heard(FormAction action, int32_t value, int64_t clockMs);
    // Delivers an input with Acting() true; the player may be gone when it
    // returns (ON runs the instrument inside it), so callers touch nothing
    // after it.
    void Deliver(FormAction action, int32_t value);
    void StartRamp(const Command &ramp);
    void RampStep();
    bool LoadState(const Command &command);
    bool StartFeed(const Command &command);
    void Fail(const std::string &error);
    void Finish();

    TForm1 &form_;
    std::filesystem::path folder_;
    std::vector<Command> commands_;
    size_t next_ = 0;
    bool playing_ = false;
    bool acting_ = false;
    int clicksLeft_ = 0;    // of the click command being delivered
    int settle_ = 0;        // passes still to run after an input
    int64_t waitEndMs_ = 0; // on form.Clock
    bool ramping_ = false;
    Command ramp_{};
    int64_t rampStartMs_ = 0;
    int rampLast_ = -1;
    std::unique_ptr<FeedPlayer> feed_;
    // Goes false when the player ends: a delivery that ran the instrument
    // returns to a frame of a player that may be gone.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    std::function<void(FormAction, int32_t, int64_t)> actionBefore_;
    std::function<void(int64_t)> passBefore_;
    TTimer timer_;
};
