// qpx-run: runs scenario scripts on the headless instrument and checks what
// they expect. Exit 0 when every check passed, 1 when a check failed, 2 when
// a script or state file could not be read or understood or an output could not be
// written. Every error line on the standard error starts with "qpx-run: ";
// the lines of failed checks and the closing count go to the standard output.
// --junit and --json write the same results for CI systems and other tools,
// also when checks failed or a script was refused. --lesson FILE --auto plays
// a lesson with a stand-in pilot: the script AutoScript makes of it runs as
// any other, after the scripts.
#include <CLI/CLI.hpp>
#include <chrono>
#include <cstdio>
#include <exception>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "host/lessons/lesson.h"
#include "host/run/json_report.h"
#include "host/run/junit_report.h"
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

// Creates the --frames folder; the problem when it cannot be, else "".
std::string CreateFramesFolder(const std::filesystem::path &folder)
{
    std::error_code code;
    std::filesystem::create_directories(folder, code);
    if (!code && std::filesystem::is_directory(folder))
        return "";
    return "cannot create the frames folder " + folder.string() + ": " +
           (code ? code.message() : "a file of that name is in the way");
}

// The output folder is created by the first picture written into it; a file
// where it should be is refused before anything runs. The problem, or "".
std::string OutputFolderProblem(const std::filesystem::path &folder)
{
    std::error_code code;
    if (!std::filesystem::exists(folder, code) || std::filesystem::is_directory(folder, code))
        return "";
    return "cannot create the output folder " + folder.string() + ": a file of that name is in the way";
}

struct Settings {
    std::vector<std::string> files; // the scripts, then the lessons
    std::vector<std::string> lessons;
    bool autoPilot = false;
    std::string outDir = "qpx-run-out", framesDir, stateFile, junitFile, jsonFile;
    bool updateRefs = false, quiet = false, verbose = false;
};

// Reads the script of file, "-" being the standard input; every problem
// goes to the standard error and into the result.
bool ReadScript(const std::string &file, Script &script, ScriptResult &result)
{
    bool ok;
    if (file == "-") {
        std::ostringstream text;
        text << std::cin.rdbuf();
        ok = ParseScriptText(file, text.str(), script, result.errors);
    } else
        ok = ParseScriptFile(file, script, result.errors);
    for (const std::string &error : result.errors)
        ReportError(error);
    if (!ok)
        result.status = ScriptStatus::Refused;
    return ok;
}

// Reads the lesson of file ("-": the standard input) as the script of its
// stand-in pilot, as ReadScript reads a script.
bool ReadLesson(const std::string &file, Script &script, ScriptResult &result)
{
    Lesson lesson;
    bool ok;
    if (file == "-") {
        std::ostringstream text;
        text << std::cin.rdbuf();
        ok = ParseLessonText(file, text.str(), lesson, result.errors);
    } else
        ok = ParseLessonFile(file, lesson, result.errors);
    for (const std::string &error : result.errors)
        ReportError(error);
    if (!ok)
        result.status = ScriptStatus::Refused;
    else
        script = AutoScript(lesson);
    return ok;
}

// Every script refused for a reason of the whole run.
void RefuseAll(std::vector<ScriptResult> &results, const std::string &why)
{
    for (ScriptResult &result : results) {
        result.status = ScriptStatus::Refused;
        result.errors.push_back(why);
    }
}

// Reads and checks every script and every state file and recording they
// start from or name, before anything runs; false when one is refused.
bool ReadAll(const Settings &settings, std::vector<Script> &scripts, std::vector<ScriptResult> &results,
             RunOptions &options)
{
    bool scriptsOk = true;
    const size_t firstLesson = settings.files.size() - settings.lessons.size();
    for (size_t i = 0; i < settings.files.size(); ++i) {
        results[i].file = settings.files[i];
        scriptsOk = (i < firstLesson ? ReadScript(settings.files[i], scripts[i], results[i])
                                     : ReadLesson(settings.files[i], scripts[i], results[i])) &&
                    scriptsOk;
    }
    if (!scriptsOk)
        return false;
    bool ok = true;
    if (!settings.stateFile.empty()) {
        auto values = std::make_shared<StateFileValues>();
        StateFileResult read = ReadStateFile(settings.stateFile, values.get());
        if (!ReportStateFileResult(read, Program, std::cerr)) {
            RefuseAll(results, read.error);
            ok = false;
        }
        options.startState = values;
    }
    for (size_t i = 0; i < scripts.size(); ++i) {
        // Its lines start with the script's name and line: the program's goes before them.
        std::ostringstream problems;
        if (!ReadScriptStateFiles(scripts[i], problems)) {
            results[i].status = ScriptStatus::Refused;
            std::istringstream lines(problems.str());
            for (std::string line; std::getline(lines, line);)
                results[i].errors.push_back(line);
            ok = false;
        }
        ReportError(problems.str());
    }
    return ok;
}

double SecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The closing line: "3 scripts: 41 passed, 1 failed".
std::string ClosingLine(const std::vector<ScriptResult> &results)
{
    int passed = 0, failed = 0;
    for (const ScriptResult &result : results) {
        passed += result.Passed();
        failed += result.Failed();
    }
    return std::to_string(results.size()) + (results.size() == 1 ? " script: " : " scripts: ") +
           std::to_string(passed) + " passed, " + std::to_string(failed) + " failed";
}

// --junit and --json, written whatever the run found; false when one cannot be.
bool WriteReports(const Settings &settings, const std::vector<ScriptResult> &results, double seconds)
{
    std::string error;
    if (!settings.junitFile.empty() && !WriteJunitReport(settings.junitFile, results, seconds, error)) {
        ReportError("cannot write " + error);
        return false;
    }
    if (!settings.jsonFile.empty() && !WriteJsonReport(settings.jsonFile, results, seconds, error)) {
        ReportError("cannot write " + error);
        return false;
    }
    return true;
}

// Runs every script in order, recording what each found; false when an
// output could not be written, which ends the run at that script.
bool RunAll(const Settings &settings, const RunOptions &options, const std::vector<Script> &scripts,
            std::vector<ScriptResult> &results)
{
    std::ostream discarded(nullptr);
    for (size_t i = 0; i < scripts.size(); ++i) {
        const auto start = std::chrono::steady_clock::now();
        RunOutcome outcome = RunScript(scripts[i], options, settings.quiet ? discarded : std::cout);
        ScriptResult &result = results[i];
        result.seconds = SecondsSince(start);
        result.checks = std::move(outcome.checks);
        if (settings.quiet)
            for (const CheckRecord &check : result.checks)
                if (!check.passed)
                    std::cout << CheckLine(result.file, check) << "\n";
        if (!outcome.outputError.empty()) {
            result.status = ScriptStatus::Stopped;
            result.errors.push_back(outcome.outputError);
            std::cout.flush();
            ReportError(outcome.outputError);
            return false;
        }
        result.status = ScriptStatus::Ran;
        if (settings.verbose) {
            char seconds[32];
            snprintf(seconds, sizeof seconds, "%.2f", result.seconds);
            std::cout << result.file << ": " << result.checks.size()
                      << (result.checks.size() == 1 ? " check, " : " checks, ") << result.Passed()
                      << " passed, " << result.Failed() << " failed, " << seconds << " s\n";
        }
    }
    return true;
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
    Settings settings;
    app.add_option("--out", settings.outDir,
                   "Folder for saved pictures and failed frames, created when one is written (default "
                   "qpx-run-out)");
    app.add_option("--frames", settings.framesDir, "Also write every new frame, numbered, into this folder");
    app.add_flag("--update-refs", settings.updateRefs,
                 "Write missing or differing reference frames instead of failing");
    app.add_option("--state", settings.stateFile, "Start every script from this state file")
        ->type_name("FILE");
    app.add_option("--junit", settings.junitFile, "Also write the results as JUnit XML to this file")
        ->type_name("FILE");
    app.add_option("--json", settings.jsonFile, "Also write the results as JSON to this file")
        ->type_name("FILE");
    app.add_flag("-q,--quiet", settings.quiet, "Print only the failed checks and the closing line");
    app.add_flag("-v,--verbose", settings.verbose, "Also print a line per script: its checks and time");
    bool serve = false;
    CLI::Option *scriptOption =
        app.add_option("SCRIPT", settings.files, "Scenario scripts, run in order; - reads standard input")
            ->required();
    // Each --lesson takes one file; with lessons the scripts may be left out.
    app.add_option("--lesson", settings.lessons,
                   "Play this lesson with a stand-in pilot (with --auto), after the scripts; repeatable")
        ->type_name("FILE")
        ->allow_extra_args(false)
        ->each([&](const std::string &) { scriptOption->required(false); });
    app.add_flag("--auto", settings.autoPilot,
                 "A stand-in pilot does what each lesson asks, as Show me does, and every await must be "
                 "met within a minute of the instrument's time");
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
        // Checked here rather than declared: CLI11 would clutter --help with it.
        if (settings.quiet && settings.verbose)
            throw CLI::ExcludesError("--quiet", "--verbose");
        if (serve && !settings.files.empty())
            throw CLI::ValidationError("--serve",
                                       "takes no SCRIPT: the commands come from the standard input");
        if (serve && !settings.lessons.empty())
            throw CLI::ValidationError("--serve",
                                       "takes no lesson: the commands come from the standard input");
        if (!settings.lessons.empty() && !settings.autoPilot)
            throw CLI::ValidationError("--lesson",
                                       "a lesson needs --auto here: qpx-run plays it with a "
                                       "stand-in pilot; a person takes one in qpx-sim or the page");
        if (settings.autoPilot && settings.lessons.empty())
            throw CLI::ValidationError("--auto", "plays lessons: give each with --lesson FILE");
    } catch (const CLI::ParseError &error) {
        int code = app.exit(error);
        return code == 0 ? ExitPassed : ExitError;
    }
    const auto start = std::chrono::steady_clock::now();
    settings.files.insert(settings.files.end(), settings.lessons.begin(), settings.lessons.end());

    if (serve)
        return Serve(settings.stateFile, settings.outDir, settings.framesDir, settings.updateRefs);

    std::vector<Script> scripts(settings.files.size());
    std::vector<ScriptResult> results(settings.files.size());
    RunOptions options;
    const auto stop = [&] {
        WriteReports(settings, results, SecondsSince(start));
        return ExitError;
    };
    if (!ReadAll(settings, scripts, results, options))
        return stop();

    options.outDir = settings.outDir;
    options.framesDir = settings.framesDir;
    options.updateRefs = settings.updateRefs;
    std::string problem = OutputFolderProblem(options.outDir);
    if (problem.empty() && !settings.framesDir.empty())
        problem = CreateFramesFolder(settings.framesDir);
    if (!problem.empty()) {
        ReportError(problem);
        RefuseAll(results, problem);
        return stop();
    }

    if (!RunAll(settings, options, scripts, results))
        return stop();
    std::cout << ClosingLine(results) << "\n";
    std::cout.flush();
    if (!WriteReports(settings, results, SecondsSince(start)))
        return ExitError;
    for (const ScriptResult &result : results)
        if (result.Failed() > 0)
            return ExitCheckFailed;
    return ExitPassed;
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
