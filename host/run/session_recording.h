// Writes what a person does in the window as a scenario script that qpx-run
// replays: the starting controls, every input with the wait before it in the
// window's clock time, and an `expect screen` line at every change of
// screen, so that the replay checks itself.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

#include "host/run/script.h"

class SessionRecording {
  public:
    SessionRecording() = default;
    ~SessionRecording();
    SessionRecording(const SessionRecording &) = delete;
    SessionRecording &operator=(const SessionRecording &) = delete;

    // Creates the file; false with the reason when it cannot be written.
    bool Open(const std::string &path, std::string &error);
    bool IsOpen() const { return file_ != nullptr; }

    // The session starts from a state file: the replay loads it too (by its
    // absolute path, so that it is found from anywhere).
    void StartsFromStateFile(const std::string &path);
    // The session replays a recorded engine run from its start: a feed
    // command with the file's absolute path, how to read it and where in it
    // the replay starts.
    void StartsWithFeed(const std::string &path, const EngineLogOptions &options = {}, int64_t fromMs = 0);
    // A recording the user opened at clockMs of the window's clock: the
    // same command after the wait up to then.
    void FeedStarted(const std::string &path, const EngineLogOptions &options, int64_t fromMs,
                     int64_t clockMs);
    // The session starts from a store: its contents change as it is used, so
    // the replay cannot start from them; the script only says so.
    void StartsFromStore(const std::string &path);
    // A control as the window starts, before any wait: a slider's position
    // or a check box's tick, as the command that sets it.
    void Setting(const Command &setting);
    // An input (a Click, Slide, Tick, SetFault or Seed command) at clockMs of the window's
    // clock. Knob steps one way at the same moment become one command
    // ("turn cw 3").
    void Input(const Command &input, int64_t clockMs);
    // The screen the instrument shows, looked at after each pass: a change
    // is written as a check.
    void ScreenIs(ScreenHandler screen, int64_t clockMs);
    // Writes what is pending and closes the file; false when writing failed.
    bool Close(std::string &error);

  private:
    void WaitUntil(int64_t clockMs);
    void FlushTurn();
    void Line(const std::string &text);

    FILE *file_ = nullptr;
    std::string path_;
    int64_t lastMs_ = 0;
    ScreenHandler screen_ = nullptr;
    Command turn_{}; // knob steps not yet written
    bool turnPending_ = false;
};
