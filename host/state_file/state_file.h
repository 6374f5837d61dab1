// Starting from a named state, and saving the present one: state files read
// into the state record and the values of the window's controls, and written
// from them. Whoever owns the controls applies and gives their values.
#pragma once
#include <ctime>
#include <ostream>
#include <string>
#include <vector>

#include "host/state_file/state_file_format.h"

struct StateFileResult {
    bool ok = false;
    // Why it failed, naming the file, and for a bad value the line and key;
    // one line per problem.
    std::string error;
    // One line per unknown key (the rest of the file still applies).
    std::vector<std::string> warnings;
};

// Reads and checks path without applying anything: a tool can refuse a bad
// file before it starts, and apply the values later.
StateFileResult ReadStateFile(const std::string &path, StateFileValues *values);

// Reads path into the state record, and *controls receives the controls'
// values the file sets, for the caller to apply next. The whole file is
// checked first: when anything is wrong nothing at all is applied and
// *controls sets nothing.
StateFileResult LoadStateFile(const std::string &path, ControlValues *controls);

// Writes the present state and the controls' values to path, atomically:
// on failure the old file stays as it was.
StateFileResult SaveStateFile(const std::string &path, const ControlValues &controls);

// Writes the result's warnings and error to err, one line each after
// "program: ", and returns whether it went well.
bool ReportStateFileResult(const StateFileResult &result, const char *program, std::ostream &err);

// "qpx-state-20240131-142501.toml" for that local time.
std::string TimeStampedStateFileName(std::time_t when);

// Writes the present state into a new time-stamped file in folder ("": the
// current one; a second file within the same second gets "-2", "-3", ...
// before ".toml"); *path receives the file's path.
StateFileResult SaveNewStateFile(const std::string &folder, const ControlValues &controls, std::string *path);
