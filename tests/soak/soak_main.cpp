// qpx_soak: drives the headless window with a seeded random stream of user
// actions and checks the instrument's invariants after every pass.
//
//   qpx_soak --seed 7 --events 200000            normal mode
//   qpx_soak --seed 7 --events 200000 --corrupt  damaged settings and keys
//   qpx_soak --seed 7 --until 5123 --verbose     the same stream up to event
//                                                5123, in a child process
//   qpx_soak --seed 7 --drawing                  the drawing against the
//                                                dot-by-dot drawing, exhaustively
//
// Prints the seed first; at the end events per second, passes, the screens
// reached and passes slower than a second. Exits 1 when an invariant broke
// (with the seed, the event and what broke), 2 on a bad command line.
#include <CLI/CLI.hpp>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "exhaustive_drawing.h"
#include "soak_run.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#define QPX_SOAK_SANITIZED 1
#endif

namespace {

uint64_t runningSeed = 0;

// Writes "soak: seed S, event N: <what>" with async-signal-safe calls only.
void ReportStop(const char *what)
{
    char line[160];
    int n = snprintf(line, sizeof line, "soak: seed %llu, event %ld: %s\n", (unsigned long long)runningSeed,
                     (long)soakCurrentEvent, what);
    if (n > 0)
        (void)!write(STDERR_FILENO, line, (size_t)n);
}

void CrashSignal(int signal)
{
    ReportStop(strsignal(signal));
    std::signal(signal, SIG_DFL);
    raise(signal);
}

#ifdef QPX_SOAK_SANITIZED
void SanitizerStopped() { ReportStop("stopped by a sanitizer finding (report above)"); }
#endif

// AddressSanitizer calls back before it ends the process. The
// undefined-behaviour sanitizer keeps a runtime of its own that does not see
// that callback: it is told to abort instead (below), and the abort is
// reported here. Unsanitized builds report the crash signals themselves;
// sanitized ones leave those to the sanitizer's own handlers.
void WatchForCrashes()
{
#ifdef QPX_SOAK_SANITIZED
    __sanitizer_set_death_callback(SanitizerStopped);
    std::signal(SIGABRT, CrashSignal);
#else
    for (int signal : {SIGSEGV, SIGFPE, SIGBUS, SIGILL, SIGABRT})
        std::signal(signal, CrashSignal);
#endif
}

} // namespace

#ifdef QPX_SOAK_SANITIZED
extern "C" const char *__ubsan_default_options() { return "abort_on_error=1:print_stacktrace=1"; }
#endif

namespace {

// Runs this program again for the same stream, stopping after event until,
// and tells how the child ended: a sanitizer or a signal ends the process
// it stops, so the parent is the one left to report.
int RunUntil(const SoakOptions &options, long until)
{
    std::vector<std::string> args = {"qpx_soak", "--seed", std::to_string(options.seed), "--events",
                                     std::to_string(until)};
    if (options.corrupt)
        args.push_back("--corrupt");
    if (options.verbose)
        args.push_back("--verbose");
    std::vector<char *> argv;
    for (std::string &arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    fflush(stdout);
    pid_t child = fork();
    if (child < 0) {
        perror("soak: fork");
        return 2;
    }
    if (child == 0) {
        execv("/proc/self/exe", argv.data());
        perror("soak: exec");
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (WIFSIGNALED(status)) {
        printf("until %ld: the run was stopped by signal %d (%s)\n", until, WTERMSIG(status),
               strsignal(WTERMSIG(status)));
        return 1;
    }
    int code = WEXITSTATUS(status);
    printf("until %ld: the run ended with exit code %d%s\n", until, code, code == 0 ? " (clean)" : "");
    return code;
}

void PrintSummary(const SoakOptions &options, const SoakResult &r)
{
    printf("events: %ld in %.1f s, %.0f events/s\n", r.events, r.seconds,
           r.seconds > 0 ? r.events / r.seconds : 0.0);
    printf("passes: %ld main cycle, %ld splash; %ld ON clicks, %ld windows\n", r.passes, r.splashPasses,
           r.powerOns, r.windows);
    printf("screens reached (%zu):", r.screens.size());
    for (const auto &[name, passes] : r.screens)
        printf(" %s %ld", name.c_str(), passes);
    printf("\n");
    if (r.slowPasses > 0)
        printf("slow passes (over 1 s): %ld, the slowest %.2f s\n", r.slowPasses, r.slowestPassSeconds);
    else
        printf("slow passes (over 1 s): none\n");
    if (!r.failure.empty())
        printf("FAILED: seed %llu, event %ld: %s\n", (unsigned long long)options.seed, r.failureEvent,
               r.failure.c_str());
    else
        printf("soak %s: passed\n", options.corrupt ? "(corrupted)" : "(normal)");
}

} // namespace

int main(int argc, char **argv)
{
    CLI::App app{"Random-event soak of the instrument in its headless window"};
    SoakOptions options;
    options.seed = (uint64_t)std::chrono::system_clock::now().time_since_epoch().count();
    long until = 0;
    app.add_option("--seed", options.seed, "Seed of the event stream (default: from the clock)");
    app.add_option("--events", options.events, "Number of user events")->check(CLI::PositiveNumber);
    app.add_flag("--corrupt", options.corrupt,
                 "Damage settings and key codes; check only for crashes and sanitizer findings");
    app.add_option("--until", until, "Re-run the seed up to this event in a child process")
        ->check(CLI::PositiveNumber);
    app.add_flag("--verbose", options.verbose, "Print every event");
    bool drawing = false;
    app.add_flag("--drawing", drawing,
                 "Instead of events, compare the drawing with the dot-by-dot drawing everywhere");
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError &e) {
        int code = app.exit(e);
        return code == 0 ? 0 : 2;
    }

    printf("seed: %llu\n", (unsigned long long)options.seed);
    if (drawing)
        return SweepDrawingExhaustively(options.seed);
    printf("mode: %s, %ld events\n", options.corrupt ? "corrupted" : "normal",
           until ? until : options.events);
    if (until > 0)
        return RunUntil(options, until);

    runningSeed = options.seed;
    WatchForCrashes();
    fflush(stdout);
    SoakResult result = RunSoak(options);
    // A soak that never saw the instrument run checked nothing.
    if (result.failure.empty() && result.events >= 1000 && result.passes == 0) {
        result.failure = "no main-cycle pass was recognised";
        result.failureEvent = result.events;
    }
    PrintSummary(options, result);
    return result.failure.empty() ? 0 : 1;
}
