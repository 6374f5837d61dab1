// What a run found, as records: every check a script ran, and per script
// whether it ran, was refused or stopped. The report lines, the JUnit and
// the JSON files are all written from these.
#pragma once
#include <string>
#include <vector>

// A picture written for a failed check, and what it shows ("actual frame").
struct CheckPicture {
    std::string shows;
    std::string path;
};

struct CheckRecord {
    int line = 0;         // in the script, from 1
    std::string kind;     // the command: "expect-frame", "expect-text", "expect", ...
    std::string expected; // as the report line gives it: "hobbsHours 3"
    std::string found;    // "0"; for a passed check what was seen
    bool passed = false;
    std::vector<CheckPicture> pictures; // a failed frame's pictures
};

// The report line of a failed check:
// "FILE:LINE: expected ..., found ...[; SHOWS in PATH, ...]".
std::string CheckLine(const std::string &file, const CheckRecord &check);

enum class ScriptStatus {
    Ran,     // every command ran; its checks passed or failed
    Refused, // not run: the script, or a file it names, could not be read or understood
    Stopped, // an output could not be written (or a file read late failed): the run ended there
    NotRun,  // another script was refused or stopped the run
};

struct ScriptResult {
    std::string file; // as named on the command line
    ScriptStatus status = ScriptStatus::NotRun;
    std::vector<std::string> errors; // Refused, Stopped: why
    std::vector<CheckRecord> checks;
    double seconds = 0; // wall time of the run
    int Passed() const;
    int Failed() const;
};

// Seconds to the millisecond, "0.125", as both result files give times.
std::string SecondsText(double seconds);

// Text as valid UTF-8: each byte that does not start or belong to a valid
// sequence becomes U+FFFD, so that XML and JSON readers take it.
std::string ValidUtf8(const std::string &text);
