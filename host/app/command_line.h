// The simulator's command line: qpx-sim [--shots DIR] [--max-rate N]
// [--zoom N] [--record FILE] [--feed FILE [--engine N] [--columns MAP]
// [--feed-from TIME] | --feed udp:PORT] [--state FILE | --store FILE]
// [--fault FAULT]... [--demo FILE | --lesson FILE], with --help and --version.
#pragma once
#include <cstdint>
#include <ostream>
#include <string>

#include <vector>

#include "host/faults/sensor_faults.h"
#include "host/feed/engine_log.h"

struct CommandLine {
    std::string shotsFolder; // where screenshots go; "" = current directory
    int maxPassRate = -1;    // passes of the main cycle a second; 0 = no limit, -1 = not given
    double zoom = 0;         // the window's size factor, one of ZoomSteps; 0 = not given
    std::string recordFile;  // where the session is recorded as a script; "" = not recorded
    std::string stateFile;   // start from this state file; "" = none
    std::string storeFile;   // keep engine time in this file; "" = no store
    std::string demoFile;    // a scenario the window plays by itself, over and over; "" = none
    std::string feedFile;    // a recorded engine run that drives the sliders; "" = none
    // How to read the recording and where in it to start (engine_log.h).
    EngineLogOptions feedOptions;
    int64_t feedFromMs = 0;
    // The sensor faults the window starts with, in order (a later one of a
    // channel replaces an earlier).
    std::vector<Fault> faults;
    std::string lessonFile; // a lesson started in the Lessons window; "" = none
};

// What the program does after reading its command line.
constexpr int CommandLineRun = -1;

// Reads the arguments into options. Returns CommandLineRun when the window
// should open; otherwise the exit code, after writing to out (--help,
// --version: 0) or to err (a mistake, such as an unknown option: 2).
int ParseCommandLine(int argc, const char *const *argv, CommandLine &options, std::ostream &out,
                     std::ostream &err);
