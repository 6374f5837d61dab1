// Records what a person does in the simulator window as a scenario script:
// every input the form's action observer reports, except keys the
// instrument drops because another is still pending, and the screen after
// every pass. The window's own tools (clock, screenshots, side windows) are
// not inputs of the instrument and are left out.
#pragma once
#include <string>

#include "host/feed/feed_player.h"
#include "host/form/Pcmain.h"
#include "host/run/session_recording.h"

// The script command for a form action; false for an action that is no input
// of the instrument.
bool CommandForAction(FormAction action, int32_t value, Command &command);

class FormRecording {
  public:
    // Creates the file; false with the reason when it cannot be written.
    bool Open(const std::string &path, std::string &error);
    // Writes the state file or store the session starts from (either may be
    // empty), then the form's controls as they are, and observes the form
    // from now on.
    void Attach(TForm1 &form, const std::string &stateFile = {}, const std::string &storeFile = {},
                const std::string &feedFile = {});
    // The same with a recording replayed from the start, read as feed says.
    void Attach(TForm1 &form, const std::string &stateFile, const std::string &storeFile,
                const FeedRequest &feed);
    // The user opened a recording in the window: the replay starts it at
    // the same moment.
    void FeedStarted(const FeedRequest &feed);
    // Stops observing the form and closes the file; false when writing
    // failed on the way.
    bool Finish(std::string &error);

  private:
    void Acted(FormAction action, int32_t value, int64_t clockMs);

    TForm1 *form_ = nullptr;
    SessionRecording recording_;
};
