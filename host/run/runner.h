// Runs a scenario script on the whole instrument in a headless window: the
// same form as the simulator's, over the in-memory toolkit and its virtual
// clock.
//
// Timing. The runner acts at every message round of the window: at each pass
// of the running instrument (splash passes included), and at each round of
// the idle window while the instrument is off.
// - A wait (and a ramp) advances the virtual clock by PassMs per round, so
//   the cycle runs PassesPerSecond passes per virtual second whatever the
//   machine; the last round of a wait advances only the rest. No round can
//   receive two engine gates (500 ms) or two second events.
// - A splash pass advances the clock by itself (the window paces the splash
//   at 30 ms a pass): a wait counts that time and adds none of its own.
// - An input (click, slider move, check box) takes no virtual time: it is
//   delivered in its own round, and SettlePasses passes follow before the
//   next command, one in which the instrument takes the input and one that
//   draws what came of it. So every click counts and a check right after an
//   input sees its outcome. Loading a state file counts as an input.
// - Checks and save look at the window as the last pass left it and take no
//   pass at all.
// - An await (a lesson's, played by a stand-in pilot) looks at its
//   condition as a check does, once a round, the clock moving as in a wait,
//   until it holds or AwaitTimeoutMs has passed.
#pragma once
#include <cstdint>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "host/run/run_results.h"
#include "host/run/script.h"

class TForm1;

constexpr int64_t PassMs = 100;
constexpr int PassesPerSecond = (int)(1000 / PassMs);
constexpr int SettlePasses = 2;

struct RunOptions {
    std::filesystem::path outDir = "qpx-run-out"; // pictures: save, failed frames
    std::filesystem::path framesDir;              // empty: no --frames
    bool updateRefs = false;                      // write missing and differing references instead of failing
    std::shared_ptr<const StateFileValues> startState; // --state: every script starts from it
};

struct RunOutcome {
    int passed = 0;
    int failed = 0;
    std::vector<CheckRecord> checks; // every check run, in order
    // Not empty when an output could not be written; the script stopped there.
    std::string outputError;
};

// Reads and checks the state file of every load-state command of the script
// (relative to its folder), keeping the values for the run. Problems and
// warnings are written to err as "script:line: ..."; false when a file is
// missing or invalid.
bool ReadScriptStateFiles(Script &script, std::ostream &err);

// Commands that come one at a time (qpx-run --serve) rather than as a
// whole script. The runner asks for more each time it has taken every
// command of the script: inputs settled, waits over, checks counted.
class CommandSource {
  public:
    virtual ~CommandSource() = default;
    // Replaces the commands of the script being run with the next ones (run
    // from the first), or returns false to end the run. outcome is the run's
    // so far: the source may read it and clear its outputError, and the run
    // then goes on. form is the window the commands act on.
    virtual bool Next(RunOutcome &outcome, const TForm1 &form) = 0;
};

// Runs one script from a fresh start: a zeroed state record, a new form with
// its sliders and check boxes as the window starts (then options.startState
// applied, when given), the clock at 0. Prints a
// line to report for every failed check and every reference written. With
// more, the run goes on with the commands it gives until it says no more.
RunOutcome RunScript(const Script &script, const RunOptions &options, std::ostream &report,
                     CommandSource *more = nullptr);
