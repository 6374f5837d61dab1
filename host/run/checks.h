// The commands of a script that look at the window: the expect checks and
// save.
#pragma once
#include <ostream>

#include "host/form/Pcmain.h"
#include "host/run/conditions.h"
#include "host/run/runner.h"
#include "host/run/script.h"
#include "lcd/frame_layout.h"

struct CheckSite {
    const Script &script;
    const RunOptions &options;
    std::ostream &report;
    const TForm1 &form;
    RunOutcome &outcome;
};

// Runs an expect command, counting it passed or failed (printing a line for
// a failure), or a save. An output that cannot be written sets
// outcome.outputError.
void RunCheck(const Command &command, CheckSite &site);

// The folder for a script's own pictures (failed frames, --frames):
// <base>/<script name without its extension>, <base>/stdin for "-".
std::filesystem::path ScriptOutputFolder(const std::filesystem::path &base, const Script &script);

// One look at an await during a run: a passed check (kind "await") when
// its condition holds; when it does not and this was the last look, a
// failed check with what was awaited and what was found.
bool CheckAwait(const Command &await, CheckSite &site, bool last);

// Creates the folders of path and writes the frame as PNG as the window
// shows it (in the colours of its display's look), each dot scale x scale
// pixels; false with a message naming the file and the reason.
bool WriteFramePicture(const std::filesystem::path &path, const uint8_t frame[LcdFrameBytes], int scale,
                       DisplayColours colours, std::string &error);
