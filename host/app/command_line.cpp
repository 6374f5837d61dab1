#include "host/app/command_line.h"

#include "host/feed/feed_player.h"
#include "host/feed/live_feed.h"
#include "host/form/zoom_steps.h"

#include <CLI/CLI.hpp>

// A command line the program cannot follow.
constexpr int UsageError = 2;

int ParseCommandLine(int argc, const char *const *argv, CommandLine &options, std::ostream &out,
                     std::ostream &err)
{
    CLI::App app{"A desktop simulator of the ZEQ QPX-2 engine instrument: the instrument's control logic in "
                 "one window, driven with the mouse or the keyboard (press H in the window for every key).",
                 "qpx-sim"};
    app.set_version_flag("--version", std::string("qpx-sim ") + QPX_VERSION);
    app.failure_message([](const CLI::App *, const CLI::Error &error) {
        return std::string("qpx-sim: ") + error.what() + "\nRun qpx-sim --help to see the options.\n";
    });
    app.add_option("--shots", options.shotsFolder,
                   "Folder for screenshots (F9 the display, F10 the window); default: the current folder")
        ->type_name("DIR");
    app.add_option("--max-rate", options.maxPassRate,
                   "At most N passes of the main cycle a second, waiting between passes so that the "
                   "simulator does not keep a processor busy; 0: as fast as it goes; default: the limit "
                   "last chosen with the M key (at first none)")
        ->type_name("N")
        ->check(CLI::Range(0, 1000000));
    app.add_option("--zoom", options.zoom,
                   "The whole window at N times its size: 1, 1.5, 2, 3 or 4 (Ctrl+= and Ctrl+- step it, "
                   "Ctrl+0 returns to 1), for this run; default: the zoom last chosen in the window")
        ->type_name("N")
        ->check([](const std::string &text) {
            double zoom = 0;
            return CLI::detail::lexical_cast(text, zoom) && IsZoomStep(zoom) ? std::string()
                                                                             : "must be 1, 1.5, 2, 3 or 4";
        });
    app.add_option("--record", options.recordFile,
                   "Write what you do in the window to FILE as a scenario script, which qpx-run replays")
        ->type_name("FILE");
    app.add_option(
           "--feed", options.feedFile,
           "Drive the Pressure and RPM sliders from engine data: a recorded run, a CSV file with the "
           "columns time, mp_inhg (or mp_mbar, mp_kpa, mp_psi) and rpm, replayed on the window's clock; "
           "or live, udp:PORT (udp:ADDRESS:PORT) for datagrams such as \"mp_inhg=25.3 rpm=2400\"")
        ->type_name("FILE|udp:PORT");
    app.add_option("--engine", options.feedOptions.engine,
                   "With --feed FILE: the engine whose columns a flight-data log gives, 1 (E1 MAP, E1 RPM) "
                   "or 2 (E2 ...); default 1")
        ->type_name("N")
        ->check(CLI::IsMember({1, 2}));
    app.add_option("--columns", options.feedOptions.columns,
                   "With --feed FILE: which of the file's columns are ours, as NAME=HEADER pairs, e.g. "
                   "time=Time,mp_inhg=MAP,rpm=RPM (a header with blanks in double quotes)")
        ->type_name("MAP");
    std::string feedFrom;
    app.add_option("--feed-from", feedFrom,
                   "With --feed FILE: start the replay this far into the recording, from its first row: "
                   "h:mm:ss, m:ss or seconds, e.g. 00:35:00, 35:00 or 2100")
        ->type_name("TIME")
        ->check([](const std::string &text) {
            int64_t ms;
            return ParseRecordingTime(text, &ms)
                       ? std::string()
                       : "must be h:mm:ss, m:ss or seconds, such as 00:35:00, 35:00 or 2100";
        });
    app.add_option("--state", options.stateFile,
                   "Start from the Hobbs time, maintenance time, access code, flight log and controls in "
                   "this state file (examples/state.toml shows every key)")
        ->type_name("FILE");
    app.add_option("--store", options.storeFile,
                   "Keep engine time, the access code and the flight log in this state file between runs: "
                   "start from it (created when missing), write it at every save and when the window closes")
        ->type_name("FILE");
    app.add_option("--demo", options.demoFile,
                   "Play this scenario script in the window by itself, over and over, for visitors at a "
                   "stand; any click or key stops it and leaves the instrument to the user as it stands")
        ->type_name("FILE");
    std::vector<std::string> faults;
    app.add_option("--fault", faults,
                   "Start with a sensor fault, such as \"pressure noise 20\" (repeatable): " + FaultForms())
        ->type_name("FAULT")
        ->allow_extra_args(false)
        ->check([](const std::string &text) {
            Fault fault;
            std::string error;
            return ParseFault(text, fault, error) ? std::string() : error;
        });
    app.add_option("--lesson", options.lessonFile,
                   "Start this lesson in the Lessons window (key L lists the lessons): it tells you what to "
                   "do on the instrument, step by step, and waits for you to do it")
        ->type_name("FILE");
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError &error) {
        const int code = app.exit(error, out, err);
        return code == 0 ? 0 : UsageError;
    }
    // The recording's own options need a recording.
    for (const char *name : {"--engine", "--columns", "--feed-from"})
        if (app.count(name) > 0 && (options.feedFile.empty() || LiveFeed::IsLiveAddress(options.feedFile))) {
            err << "qpx-sim: " << name << " needs --feed FILE: it says how to read a recording"
                << (options.feedFile.empty() ? "" : ", and a live feed's datagrams name their own values")
                << "\nRun qpx-sim --help to see the options.\n";
            return UsageError;
        }
    for (const std::string &text : faults) {
        std::string ignored;
        ParseFault(text, options.faults.emplace_back(), ignored);
    }
    if (!feedFrom.empty())
        ParseRecordingTime(feedFrom, &options.feedFromMs);
    if (!options.stateFile.empty() && !options.storeFile.empty()) {
        err << "qpx-sim: --state and --store cannot be used together: the store starts from its own file and "
               "writes over it (to start a store from a state file, copy the file to the store's name)\n";
        return UsageError;
    }
    // Both would drive the instrument at once, and the demo stops at the
    // first action the lesson makes.
    if (!options.demoFile.empty() && !options.lessonFile.empty()) {
        err << "qpx-sim: --demo and --lesson cannot be used together: a demo plays by itself, a lesson waits "
               "for you\n";
        return UsageError;
    }
    return CommandLineRun;
}
