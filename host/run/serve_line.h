// One line given to qpx-run --serve: a command of the scenario language,
// read by the script reader exactly as a script's line, or one of the
// queries only a program driving the instrument asks (get, state, texts,
// frame, save-state, quit). Scripts keep refusing the queries: a script
// checks what it expects with expect.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "host/run/script.h"

// Longer lines are refused whole.
constexpr size_t MaxServeLine = 4096;

enum class ServeKind : uint8_t {
    Nothing,   // a blank line or a comment
    Command,   // command
    Get,       // field, index, whole (an array without an index)
    State,     // every field
    Texts,     // the drawn texts
    Frame,     // the frame's dots
    SaveState, // path
    Quit,
    Refused, // error, without a file or line
};

struct ServeRequest {
    ServeKind kind = ServeKind::Nothing;
    Command command{};
    const StateField *field = nullptr;
    uint16_t index = 0;
    bool whole = false;
    std::string path;
    std::string error;
};

// The script file a session's commands count as coming from: its folder is
// the working folder, and its failed frames go to OUT/serve.
constexpr const char *ServeScriptName = "serve";

// Reads one line (without its line end) as line number of the session.
ServeRequest ReadServeLine(std::string_view line, int number);
