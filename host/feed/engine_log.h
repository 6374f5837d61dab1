// A recorded engine run, as engine monitors and avionics export it: CSV
// text. Three layouts are read (engine_log_reader.h): our own, whose header
// row names time (seconds, hh:mm:ss or an ISO date and time), one manifold
// pressure column of mp_inhg, mp_mbar, mp_kpa or mp_psi, and rpm; the
// flight-data logs of avionics (flight_data_log.h); and any CSV whose
// columns the user maps to ours (column_map.h). Comma, semicolon (with
// decimal commas) or tab separate the fields, which may be quoted. A
// recording may leave out the pressure or the speed, not both; an empty
// cell is no sample of its channel. CRLF line ends and a byte-order mark
// are accepted.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "host/controls/pressure_columns.h"

struct EngineSample {
    double seconds;  // since the start of the recording
    double millibar; // manifold pressure
    double rpm;      // engine speed
};

struct EngineLog {
    bool hasPressure = false, hasSpeed = false;
    // Time never goes backwards. A row whose cell of a channel was empty
    // holds what that channel's own samples around it give, so that each
    // channel interpolates between its own samples.
    std::vector<EngineSample> samples;
    // What drives what, for the status bar and standard error: the columns
    // time, pressure and speed come from and how many go unused.
    std::string understood;
};

// How to read a recording beyond what its header says.
struct EngineLogOptions {
    // Which engine's columns a flight-data log gives: 1 (E1 ...) or 2 (E2 ...).
    int engine = 1;
    // Our names mapped to the file's own headers, as the user writes them:
    // "time=Time,mp_inhg=MAP,rpm=RPM"; empty: the header uses our names.
    std::string columns;
};

// Reads text; name is the file's name in messages. false with *error as
// "name:line: why" when the recording cannot be used, and *log untouched;
// options that cannot be used are refused as "column map \"...\": why" or
// "engine N: why".
bool ParseEngineLog(std::string_view text, const std::string &name, EngineLog *log, std::string *error,
                    const EngineLogOptions &options = {});
// The same for a file, read a piece at a time. Only a regular file is
// read: a folder, a device, a pipe or a socket is refused by what it is,
// "path: a folder, not a recording".
bool ReadEngineLog(const std::string &path, EngineLog *log, std::string *error,
                   const EngineLogOptions &options = {});

// A finite decimal number and nothing else: no hexadecimal, no "nan" or
// "inf", at most 32 characters.
bool ReadFeedNumber(std::string_view field, double *value);

// The values at seconds into the recording: linear between the samples
// around it, the first sample's before it starts, the last one's after it
// ends. The log must hold a sample.
EngineSample EngineLogAt(const EngineLog &log, double seconds);
