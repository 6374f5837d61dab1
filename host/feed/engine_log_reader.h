// Reads a recording line by line, so that only its samples are held, never
// its text: the layout is told by the first line (a flight-data log's
// metadata, else a header row naming the columns), the separator by the
// header (csv_fields.h), the columns by the header's names, the layout's
// names, or the user's column map.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "host/feed/column_map.h"
#include "host/feed/csv_fields.h"
#include "host/feed/engine_log.h"

// A longer line is no engine data: it is refused before it is kept.
constexpr size_t MaxEngineLogLine = 64u << 10;
// A day at 50 rows a second of 70-column rows of up to 640 bytes is 2.8 GB.
constexpr uint64_t MaxEngineLogBytes = 3ull << 30;
// A day at 50 rows a second is 4,320,000 rows.
constexpr size_t MaxEngineLogRows = 5000000;

class EngineLogReader {
  public:
    // name: the file as the user gave it, in messages.
    EngineLogReader(std::string name, const EngineLogOptions &options);
    // The next line, without its '\n'; false when the recording is refused.
    bool Line(std::string_view line);
    // After the last line: the log read, or false when refused.
    bool Finish(EngineLog *log);
    // "name:line: why" once refused.
    const std::string &Error() const { return error_; }
    // Refuses the recording for a reason found outside its lines.
    bool Fail(const std::string &why);

  private:
    enum class Stage { Start, Units, Header, Rows, Refused };
    bool Header(std::string_view line);
    bool FindColumns();
    bool Row();
    bool Value(int column, const char *what, double toUnit, double *value);
    std::string ColumnTag(int column) const;
    int Column(const std::string &header) const;
    std::string FirstColumns() const;

    std::string name_;
    EngineLogOptions options_;
    ColumnMap map_;
    std::string error_;
    Stage stage_ = Stage::Start;
    long lineNumber_ = 0;
    bool flightData_ = false; // the avionics' layout
    std::string units_;       // its units row
    long unitsLine_ = 0;
    CsvDialect dialect_;
    CsvFields fields_;
    std::vector<std::string> headers_;
    int dateColumn_ = -1, timeColumn_ = -1, pressureColumn_ = -1, speedColumn_ = -1;
    double toMillibar_ = 1;
    std::string pressureUnit_; // as the description shows it
    size_t neededFields_ = 0;
    bool firstDated_ = false;
    double startSeconds_ = 0; // the first row's, when time counts from it
    std::vector<EngineSample> samples_;
};
