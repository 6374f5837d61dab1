// The forms time takes in a recording's rows: seconds ("12.5"), a clock
// ("hh:mm:ss", the seconds with a fraction if need be), an ISO date and
// time ("2026-03-11T15:58:09", a blank for the T, a fraction, "Z" or an
// offset such as "+02:00" allowed), and a date alone ("2026-03-11"), which
// flight-data logs give in a column of its own.
#pragma once
#include <string_view>

#include "host/feed/csv_fields.h"

struct LogTime {
    double seconds; // as written, or since 1970-01-01 for a dated time
    bool dated;     // an ISO date and time: counted from the first row
};

// Seconds, a clock, or an ISO date and time; false for anything else.
bool ReadLogTime(std::string_view field, const CsvDialect &dialect, LogTime *time);

// An ISO date, yyyy-mm-dd, as days since 1970-01-01.
bool ReadLogDate(std::string_view field, long *days);
