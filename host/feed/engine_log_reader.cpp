#include "host/feed/engine_log_reader.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "host/feed/flight_data_log.h"
#include "host/feed/log_time.h"

namespace {

// A field quoted in a message is cut to this.
constexpr size_t MaxQuoted = 40;
// Names of columns listed in a message.
constexpr size_t ListedColumns = 10;

std::string Quoted(std::string_view field)
{
    std::string text(field.substr(0, MaxQuoted));
    for (char &c : text)
        if ((unsigned char)c < ' ' || (unsigned char)c > '~')
            c = '?';
    return "\"" + text + (field.size() > MaxQuoted ? "...\"" : "\"");
}

std::string Lower(std::string_view field)
{
    std::string text(field);
    for (char &c : text)
        c = (char)tolower((unsigned char)c);
    return text;
}

bool IsBlank(std::string_view line) { return line.find_first_not_of(" \t\r") == std::string_view::npos; }

// Our pressure columns' units as the description shows them.
const char *ShownUnit(std::string_view name)
{
    return name == "mp_inhg" ? "\"Hg" : name == "mp_mbar" ? "mbar" : name == "mp_kpa" ? "kPa" : "psi";
}

// Each channel's missing values (NaN) become what the channel's own samples
// around them give, linear between them, so that the rows interpolate as the
// channel's samples alone would; false when the channel has no sample.
bool FillGaps(std::vector<EngineSample> &samples, double EngineSample::*channel)
{
    size_t previous = samples.size(); // the last row with a value
    for (size_t i = 0; i < samples.size(); ++i) {
        if (std::isnan(samples[i].*channel))
            continue;
        const double value = samples[i].*channel;
        if (previous == samples.size()) {
            for (size_t j = 0; j < i; ++j)
                samples[j].*channel = value;
        } else {
            const EngineSample &a = samples[previous];
            const double span = samples[i].seconds - a.seconds;
            for (size_t j = previous + 1; j < i; ++j)
                samples[j].*channel =
                    span > 0 ? a.*channel + (value - a.*channel) * (samples[j].seconds - a.seconds) / span
                             : value;
        }
        previous = i;
    }
    if (previous == samples.size())
        return false;
    for (size_t j = previous + 1; j < samples.size(); ++j)
        samples[j].*channel = samples[previous].*channel;
    return true;
}

} // namespace

EngineLogReader::EngineLogReader(std::string name, const EngineLogOptions &options)
    : name_(std::move(name)), options_(options)
{
    std::string why;
    if (options_.engine != 1 && options_.engine != 2)
        error_ = "engine " + std::to_string(options_.engine) + ": a log names engines 1 and 2";
    else if (!options_.columns.empty() && options_.engine != 1)
        error_ = "an engine and a column map at once: the map names the columns";
    else if (!options_.columns.empty() && !ParseColumnMap(options_.columns, &map_, &why))
        error_ = why;
    if (!error_.empty())
        stage_ = Stage::Refused;
}

bool EngineLogReader::Fail(const std::string &why)
{
    if (stage_ != Stage::Refused)
        error_ = name_ + ":" + std::to_string(lineNumber_) + ": " + why;
    stage_ = Stage::Refused;
    return false;
}

bool EngineLogReader::Line(std::string_view line)
{
    if (stage_ == Stage::Refused)
        return false;
    ++lineNumber_;
    if (line.size() > MaxEngineLogLine)
        return Fail("a line longer than " + std::to_string(MaxEngineLogLine) +
                    " bytes: not an engine recording");
    if (lineNumber_ == 1 && line.substr(0, 3) == "\xEF\xBB\xBF")
        line.remove_prefix(3);
    if (IsBlank(line))
        return true;
    switch (stage_) {
    case Stage::Start:
        if (IsFlightDataLogStart(line)) {
            flightData_ = true;
            stage_ = Stage::Units;
            return true;
        }
        return Header(line);
    case Stage::Units:
        if (line.front() != '#')
            return Fail("no units row: the second line of a flight-data log begins with \"#\"");
        units_ = line.substr(1);
        unitsLine_ = lineNumber_;
        stage_ = Stage::Header;
        return true;
    case Stage::Header:
        return Header(line);
    case Stage::Rows: {
        std::string why;
        if (!fields_.Split(line, dialect_, &why, neededFields_))
            return Fail(why);
        return Row();
    }
    case Stage::Refused:
        break;
    }
    return false;
}

bool EngineLogReader::Header(std::string_view line)
{
    dialect_ = DetectCsvDialect(line);
    std::string why;
    if (!fields_.Split(line, dialect_, &why))
        return Fail(why);
    for (size_t i = 0; i < fields_.Size(); ++i)
        headers_.emplace_back(fields_[i]);
    stage_ = Stage::Rows;
    return FindColumns();
}

int EngineLogReader::Column(const std::string &header) const
{
    const auto found = std::find(headers_.begin(), headers_.end(), header);
    return found == headers_.end() ? -1 : (int)(found - headers_.begin());
}

std::string EngineLogReader::FirstColumns() const
{
    std::string list;
    for (size_t i = 0; i < headers_.size() && i < ListedColumns; ++i)
        list += (i ? ", " : "") + Quoted(headers_[i]);
    if (headers_.size() > ListedColumns)
        list += " and " + std::to_string(headers_.size() - ListedColumns) + " more";
    return list;
}

bool EngineLogReader::FindColumns()
{
    if (!map_.time.empty()) {
        const std::pair<const std::string *, const char *> mapped[] = {
            {&map_.time, "time"}, {&map_.pressure, map_.pressureName.c_str()}, {&map_.speed, "rpm"}};
        for (const auto &[header, ours] : mapped)
            if (!header->empty() && Column(*header) < 0)
                return Fail("no column " + Quoted(*header) + " for " + ours + "; the columns are " +
                            FirstColumns());
        timeColumn_ = Column(map_.time);
        pressureColumn_ = map_.pressure.empty() ? -1 : Column(map_.pressure);
        speedColumn_ = map_.speed.empty() ? -1 : Column(map_.speed);
        toMillibar_ = map_.pressure.empty() ? 1 : PhysicalMillibarPerUnit(map_.pressureName);
        pressureUnit_ = map_.pressure.empty() ? "" : ShownUnit(map_.pressureName);
    } else if (flightData_) {
        dateColumn_ = Column(FlightDataDateColumn);
        timeColumn_ = Column(FlightDataTimeColumn);
        pressureColumn_ = Column(FlightDataPressureColumn(options_.engine));
        speedColumn_ = Column(FlightDataSpeedColumn(options_.engine));
        if (pressureColumn_ < 0 && speedColumn_ < 0)
            return Fail("neither " + Quoted(FlightDataPressureColumn(options_.engine)) + " nor " +
                        Quoted(FlightDataSpeedColumn(options_.engine)) + " is a column; the columns are " +
                        FirstColumns());
        if (dateColumn_ < 0 || timeColumn_ < 0)
            return Fail("no " + Quoted(FlightDataDateColumn) + " and " + Quoted(FlightDataTimeColumn) +
                        " columns; the columns are " + FirstColumns());
        CsvFields units;
        std::string why;
        if (!units.Split(units_, dialect_, &why))
            return Fail(why);
        const std::string_view pressureUnit =
            (size_t)pressureColumn_ < units.Size() ? units[(size_t)pressureColumn_] : "";
        const std::string_view speedUnit =
            (size_t)speedColumn_ < units.Size() ? units[(size_t)speedColumn_] : "";
        if (pressureColumn_ >= 0 &&
            (toMillibar_ = FlightDataMillibarPerUnit(pressureUnit, &pressureUnit_)) == 0) {
            lineNumber_ = unitsLine_;
            return Fail("the unit " + Quoted(pressureUnit) + ColumnTag(pressureColumn_) +
                        " cannot be converted: it is none of Hg, inch, psi, mbar, hPa, kPa");
        }
        if (speedColumn_ >= 0 && !IsFlightDataSpeedUnit(speedUnit)) {
            lineNumber_ = unitsLine_;
            return Fail("the unit " + Quoted(speedUnit) + ColumnTag(speedColumn_) +
                        " cannot be converted: it is not rpm");
        }
    } else {
        if (options_.engine != 1)
            return Fail("engine " + std::to_string(options_.engine) +
                        " is for flight-data logs, whose columns name the engine");
        for (size_t i = 0; i < headers_.size(); ++i) {
            const std::string field = Lower(headers_[i]);
            if (field == "time") {
                if (timeColumn_ >= 0)
                    return Fail("two time columns");
                timeColumn_ = (int)i;
            } else if (field == "rpm") {
                if (speedColumn_ >= 0)
                    return Fail("two rpm columns");
                speedColumn_ = (int)i;
            }
            if (const double unit = PhysicalMillibarPerUnit(field); unit > 0) {
                if (pressureColumn_ >= 0)
                    return Fail("two pressure columns (" + Lower(headers_[(size_t)pressureColumn_]) +
                                " and " + field + "): keep one");
                pressureColumn_ = (int)i;
                toMillibar_ = unit;
                pressureUnit_ = ShownUnit(field);
            }
        }
        if (timeColumn_ < 0) {
            LogTime time;
            return Fail(ReadLogTime(headers_[0], dialect_, &time)
                            ? "no header row: the first line must name the columns (time, mp_inhg, rpm, ...)"
                            : "no time column in the header");
        }
        if (pressureColumn_ < 0 && speedColumn_ < 0)
            return Fail("neither a pressure column (mp_inhg, mp_mbar, mp_kpa, mp_psi) nor an rpm column");
    }
    neededFields_ = (size_t)std::max({dateColumn_, timeColumn_, pressureColumn_, speedColumn_}) + 1;
    return true;
}

// Where a value was found, in a layout of many columns.
std::string EngineLogReader::ColumnTag(int column) const
{
    if (!flightData_ && map_.time.empty())
        return "";
    return " in column " + std::to_string(column + 1) + " (" + Quoted(headers_[(size_t)column]) + ")";
}

bool EngineLogReader::Value(int column, const char *what, double toUnit, double *value)
{
    *value = NAN;
    if (column < 0)
        return true;
    const std::string_view field = fields_[(size_t)column];
    if (field.empty())
        return true; // no sample of this channel in this row
    double read;
    if (!ReadCsvNumber(field, dialect_, &read) || read < 0)
        return Fail(std::string(what) + " " + Quoted(field) + ColumnTag(column) +
                    " is not a number of 0 or more");
    *value = read * toUnit;
    // 1e308 inches of mercury are more millibar than a number holds.
    if (!std::isfinite(*value))
        return Fail(std::string(what) + " " + Quoted(field) + ColumnTag(column) + " is out of range");
    return true;
}

bool EngineLogReader::Row()
{
    if (flightData_ ? fields_.Size() < neededFields_ : fields_.Count() != headers_.size())
        return Fail(std::to_string(fields_.Count()) + " fields where the header has " +
                    std::to_string(headers_.size()));
    if (samples_.size() >= MaxEngineLogRows)
        return Fail("more than " + std::to_string(MaxEngineLogRows) +
                    " rows: longer than a day at 50 rows a second");
    const std::string_view timeField = fields_[(size_t)timeColumn_];
    LogTime time;
    if (dateColumn_ >= 0) {
        long days;
        const std::string_view dateField = fields_[(size_t)dateColumn_];
        // Avionics write rows before they know the date and time: no sample.
        if (dateField.empty() && timeField.empty())
            return true;
        if (!ReadLogDate(dateField, &days))
            return Fail("date " + Quoted(dateField) + ColumnTag(dateColumn_) + " is not yyyy-mm-dd");
        if (!ReadLogTime(timeField, dialect_, &time) || time.dated || time.seconds >= 86400 ||
            timeField.find(':') == std::string_view::npos)
            return Fail("time " + Quoted(timeField) + ColumnTag(timeColumn_) + " is not hh:mm:ss");
        time = {(double)days * 86400 + time.seconds, true};
    } else if (!ReadLogTime(timeField, dialect_, &time))
        return Fail("time " + Quoted(timeField) + ColumnTag(timeColumn_) +
                    " is neither seconds nor hh:mm:ss nor a date and time");
    if (samples_.empty()) {
        firstDated_ = time.dated;
        // Our own layout's times count as written; a log's clock or dates
        // count from its first row.
        startSeconds_ = time.dated || flightData_ || !map_.time.empty() ? time.seconds : 0;
    } else if (time.dated != firstDated_)
        return Fail("time " + Quoted(timeField) + ColumnTag(timeColumn_) +
                    (firstDated_ ? " has no date" : " has a date") + " where the first row's has " +
                    (firstDated_ ? "one" : "none"));
    EngineSample sample{time.seconds - startSeconds_, NAN, NAN};
    if (!samples_.empty() && sample.seconds < samples_.back().seconds)
        return Fail("time goes backwards");
    if (!Value(pressureColumn_, "pressure", toMillibar_, &sample.millibar) ||
        !Value(speedColumn_, "rpm", 1, &sample.rpm))
        return false;
    // Avionics write a second twice when their clock catches up: the later
    // row stands.
    if (flightData_ && !samples_.empty() && sample.seconds == samples_.back().seconds)
        samples_.back() = sample;
    else
        samples_.push_back(sample);
    return true;
}

bool EngineLogReader::Finish(EngineLog *log)
{
    if (stage_ == Stage::Refused)
        return false;
    if (stage_ == Stage::Start)
        return Fail("empty: no header row");
    if (stage_ != Stage::Rows)
        return Fail("a flight-data log that ends before its column names");
    if (samples_.empty())
        return Fail("no samples after the header");
    EngineLog read;
    read.hasPressure = pressureColumn_ >= 0 && FillGaps(samples_, &EngineSample::millibar);
    read.hasSpeed = speedColumn_ >= 0 && FillGaps(samples_, &EngineSample::rpm);
    if (!read.hasPressure && !read.hasSpeed)
        return Fail("no pressure and no rpm value in any row");
    for (EngineSample &sample : samples_) {
        sample.millibar = read.hasPressure ? sample.millibar : 0;
        sample.rpm = read.hasSpeed ? sample.rpm : 0;
    }
    // What drives what.
    size_t named = 0;
    for (const std::string &header : headers_)
        named += !header.empty();
    std::string text = name_ + ": time from " + Quoted(headers_[(size_t)timeColumn_]);
    if (dateColumn_ >= 0)
        text = name_ + ": time from " + Quoted(headers_[(size_t)dateColumn_]) + "+" +
               Quoted(headers_[(size_t)timeColumn_]);
    size_t used = 1 + (dateColumn_ >= 0);
    if (pressureColumn_ >= 0) {
        text += ", pressure from " + Quoted(headers_[(size_t)pressureColumn_]) + " (" + pressureUnit_ +
                (read.hasPressure ? ")" : ", no value)");
        ++used;
    }
    if (speedColumn_ >= 0) {
        text +=
            ", speed from " + Quoted(headers_[(size_t)speedColumn_]) + (read.hasSpeed ? "" : " (no value)");
        ++used;
    }
    const size_t unused = named > used ? named - used : 0;
    text += "; " + std::to_string(unused) + (unused == 1 ? " column" : " columns") + " unused";
    read.understood = std::move(text);
    samples_.shrink_to_fit();
    read.samples = std::move(samples_);
    *log = std::move(read);
    return true;
}
