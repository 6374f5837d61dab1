// qpx-run: runs scenario scripts on the headless instrument and checks what
// they expect. Exit 0 when every check passed, 1 when a check failed, 2 when
// a script or state file could not be read or understood or an output could not be
// written. Every error line on the standard error starts with "qpx-run: ";
// the lines of failed checks and the closing count go to the standard output.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <exception>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "host/run/runner.h"
#include "host/run/script.h"
#include "host/run/serve.h"
#include "host/state_file/state_file.h"

namespace {

constexpr int ExitPassed = 0;
constexpr int ExitCheckFailed = 1;
constexpr int ExitError = 2;

constexpr const char *Program = "qpx-run";

// Writes every line of text to the standard error after "qpx-run: ".
void ReportError(const std::string &text)
{
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        std::cerr << Program << ": " << line << "\n";
}

bool CreateFolder(const std::filesystem::path &folder, const char *what)
{
    std::error_code code;
    std::filesystem::create_directories(folder, code);
    if (!code && std::filesystem::is_directory(folder))
        return true;
    std::cerr << Program << ": cannot create the " << what << " folder " << folder.string() << ": "
              << (code ? code.message() : "a file of that name is in the way") << "\n";
    return false;
}

// --serve: a line-by-line session on the standard input and output, from
// the state file when given one.
int Serve(const std::string &stateFile, const std::string &outDir, const std::string &framesDir,
          bool updateRefs)
{
    RunOptions options;
    options.outDir = outDir;
    options.framesDir = framesDir;
    options.updateRefs = updateRefs;
    if (!stateFile.empty()) {
        auto values = std::make_shared<StateFileValues>();
        if (!ReportStateFileResult(ReadStateFile(stateFile, values.get()), Program, std::cerr))
            return ExitError;
        options.startState = values;
    }
    // Read in blocks rather than a character at a time through stdio.
    std::ios::sync_with_stdio(false);
    Serve(std::cin, std::cout, options);
    return ExitPassed;
}

int Run(int argc, char **argv)
{
    // Named here: CLI11 would otherwise name the program by the path it was started by.
    CLI::App app{"Runs scenario scripts on the headless instrument and checks what they expect.", Program};
    app.set_version_flag("--version", std::string(Program) + " " + QPX_VERSION);
    app.failure_message([](const CLI::App *, const CLI::Error &error) {
        return std::string(Program) + ": " + error.what() + "\nRun " + Program +
               " --help to see the options.\n";
    });
    std::vector<std::string> files;
    std::string outDir = "qpx-run-out", framesDir, stateFile;
    bool updateRefs = false;
    app.add_option("--out", outDir, "Folder for saved pictures and failed frames (default qpx-run-out)");
    app.add_option("--frames", framesDir, "Also write every new frame, numbered, into this folder");
    app.add_flag("--update-refs", updateRefs,
                 "Write missing or differing reference frames instead of failing");
    app.add_option("--state", stateFile, "Start every script from this state file")->type_name("FILE");
    bool serve = false;
    CLI::Option *scriptOption = app.add_option("SCRIPT", files, "Scenario scripts, run in order")->required();
    // Checked before the required SCRIPT is, so that --serve stands alone.
    app.add_flag_callback(
        "--serve",
        [&] {
            serve = true;
            scriptOption->required(false);
        },
        "Take commands one line at a time from the standard input, answering each in JSON");
    try {
        app.parse(argc, argv);
        if (serve && !files.empty())
            throw CLI::ValidationError("--serve",
                                       "takes no SCRIPT: the commands come from the standard input");
    } catch (const CLI::ParseError &error) {
        int code = app.exit(error);
        return code == 0 ? ExitPassed : ExitError;
    }

    if (serve)
        return Serve(stateFile, outDir, framesDir, updateRefs);

    // Every script is read and understood before anything runs.
    std::vector<Script> scripts(files.size());
    for (size_t i = 0; i < files.size(); ++i) {
        std::string error;
        if (!ParseScriptFile(files[i], scripts[i], error)) {
            ReportError(error);
            return ExitError;
        }
    }

    // And so is every state file they start from or load.
    RunOptions options;
    bool statesOk = true;
    if (!stateFile.empty()) {
        auto values = std::make_shared<StateFileValues>();
        statesOk = ReportStateFileResult(ReadStateFile(stateFile, values.get()), Program, std::cerr);
        options.startState = values;
    }
    for (Script &script : scripts) {
        // Its lines start with the script's name and line: the program's goes before them.
        std::ostringstream problems;
        statesOk = ReadScriptStateFiles(script, problems) && statesOk;
        ReportError(problems.str());
    }
    if (!statesOk)
        return ExitError;

    options.outDir = outDir;
    options.framesDir = framesDir;
    options.updateRefs = updateRefs;
    if (!CreateFolder(options.outDir, "output") || (!framesDir.empty() && !CreateFolder(framesDir, "frames")))
        return ExitError;

    int passed = 0, failed = 0;
    for (const Script &script : scripts) {
        RunOutcome outcome = RunScript(script, options, std::cout);
        passed += outcome.passed;
        failed += outcome.failed;
        if (!outcome.outputError.empty()) {
            std::cout.flush();
            ReportError(outcome.outputError);
            return ExitError;
        }
    }
    std::cout << passed << " passed, " << failed << " failed\n";
    return failed == 0 ? ExitPassed : ExitCheckFailed;
}

} // namespace

int main(int argc, char **argv)
{
    try {
        return Run(argc, argv);
    } catch (const std::exception &error) {
        std::cout.flush();
        ReportError(error.what());
        return ExitError;
    }
}
