// A scenario script: what a user does to the window and what must then be
// seen, one command a line. Parsed completely before anything runs, so that
// a line that cannot be understood stops everything. A lesson is read in the
// same language with four words more: say, show, await and hint.
#pragma once
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "host/controls/control_table.h"
#include "host/faults/sensor_faults.h"
#include "host/feed/engine_log.h"
#include "host/readout/state_fields.h"
#include "host/state_file/state_file_format.h"

enum class CommandKind : uint8_t {
    Click,       // control, count
    Slide,       // control, position; with durationMs a ramp from `from`
    Tick,        // control, ticked
    Wait,        // durationMs
    ExpectFrame, // path
    ExpectText,  // text, exact
    ExpectField, // field, index, value or screen
    ExpectLamp,  // lampRed
    Save,        // path, scale
    LoadState,   // path of a state file
    Feed,        // path of a recorded engine run (CSV) that drives the sliders from now on,
                 // feedOptions, feedFromMs
    Engine,      // control (Pressure or Rpm), engineValue (millibar or rpm), text as written
    SetFault,    // fault
    Seed,        // seed of the random faults
    Say,         // text: a lesson's instruction to the pilot
    Await,       // await and the fields its condition reads, as the matching expect fills them
    Hint,        // control, text: what a stuck pilot is shown beside that control
};

// The two languages a script may be read in: a lesson's adds say, show,
// await and hint, which a scenario refuses.
enum class ScriptDialect : uint8_t { Scenario, Lesson };

// What an await waits for: the pilot's Next, or what the matching expect
// checks (expect screen, expect-text, expect FIELD, expect lamp).
enum class AwaitKind : uint8_t { Next, Screen, Text, Field, Lamp };

// A run fails an await not met within this much of the instrument's time.
constexpr int64_t AwaitTimeoutMs = 60000;

struct Command {
    CommandKind kind;
    int line = 0; // in the script, from 1
    Control control = Control::On;
    int count = 1;          // clicks
    int from = 0;           // ramp start position
    int position = 0;       // slider position
    int64_t durationMs = 0; // wait; ramp (0 for a single slider move)
    bool ticked = false;
    std::filesystem::path path; // as written: a reference, a picture to save or a state file
    std::string text;           // expected text
    bool exact = false;         // quoted text: blanks count
    const StateField *field = nullptr;
    uint16_t index = 0;
    int64_t value = 0;
    ScreenHandler screen = nullptr;
    bool lampRed = false;
    int scale = 1;
    // load-state: the file's values once checked (ReadScriptStateFiles);
    // until then the runner reads the file when it gets there.
    std::shared_ptr<const StateFileValues> state;
    // feed: how to read the recording (engine, columns) and where in it
    // the replay starts; the recording once checked (ReadScriptStateFiles).
    EngineLogOptions feedOptions;
    int64_t feedFromMs = 0;
    std::shared_ptr<const EngineLog> feed;
    // engine: the value in millibar or rpm, moved into the slider through
    // the sensor model when the command runs (the settings then decide
    // the speed's count).
    double engineValue = 0;
    Fault fault;
    uint64_t seed = 0;
    // show INPUT: an input the lesson asks the pilot for. It is not performed
    // when reached; Show me and a stand-in pilot (--auto) perform it.
    bool shown = false;
    AwaitKind await = AwaitKind::Next;
};

struct Script {
    std::string file;              // as named on the command line
    std::filesystem::path folder;  // the script's folder: references are relative to it
    std::vector<Command> commands; // in order
};

// Parses a whole script. A line it cannot understand gives the error
// "FILE:LINE: what was expected"; a file it cannot read gives "FILE: why".
// Blanks are spaces and tabs; lines may end in CRLF and the text may start
// with a UTF-8 byte-order mark. Other control characters are refused.
// These return false with the first error only. A scenario refuses the
// lesson words ("FILE:LINE: say is only for lessons").
bool ParseScriptFile(const std::string &file, Script &script, std::string &error,
                     ScriptDialect dialect = ScriptDialect::Scenario);
bool ParseScriptText(const std::string &file, const std::string &text, Script &script, std::string &error,
                     ScriptDialect dialect = ScriptDialect::Scenario);

// As above, but every bad line is read past and listed in errors, up to
// MaxListedScriptErrors of them; when there are more, a last line
// "FILE: N more lines not understood" counts the rest.
constexpr size_t MaxListedScriptErrors = 20;
bool ParseScriptFile(const std::string &file, Script &script, std::vector<std::string> &errors,
                     ScriptDialect dialect = ScriptDialect::Scenario);
bool ParseScriptText(const std::string &file, const std::string &text, Script &script,
                     std::vector<std::string> &errors, ScriptDialect dialect = ScriptDialect::Scenario);

// A path written in the script, relative to the script's folder.
std::filesystem::path ScriptPath(const Script &script, const std::filesystem::path &written);

// "250ms", "2s", "90m", "10h" in milliseconds; false for anything else.
bool ParseDuration(const std::string &word, int64_t &ms);
// A duration in the largest unit that expresses it exactly: "1500ms", "2s".
std::string DurationText(int64_t ms);

// The command as a script line:
// parsing it again (a lesson's words as a lesson) gives the same command.
// Used to write recordings.
std::string CommandText(const Command &command);
