#include "host/feed/engine_log.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace {

// Larger recordings than this are not engine runs.
constexpr size_t MaxBytes = 64u << 20;
// A field quoted in a message is cut to this.
constexpr size_t MaxQuoted = 40;

// The pressure columns and what one unit of each is in millibar, by the
// units' physical definitions (1 psi is 68.9475729 mbar). The instrument
// takes millibar and converts them into its display unit with its own
// rounded factors (PressureUnitScales, 1 psi as 68.9474 mB): the feed's
// pressure shows as the instrument would show that many millibar.
struct PressureColumn {
    const char *name;
    double physicalMillibar;
};
constexpr PressureColumn PressureColumns[] = {
    {"mp_inhg", 33.8638866667},
    {"mp_mbar", 1.0},
    {"mp_kpa", 10.0},
    {"mp_psi", 68.9475729318},
};

std::string_view Trimmed(std::string_view field)
{
    while (!field.empty() && (field.front() == ' ' || field.front() == '\t'))
        field.remove_prefix(1);
    while (!field.empty() && (field.back() == ' ' || field.back() == '\t' || field.back() == '\r'))
        field.remove_suffix(1);
    return field;
}

std::vector<std::string_view> Fields(std::string_view line)
{
    std::vector<std::string_view> fields;
    for (;;) {
        const size_t comma = line.find(',');
        fields.push_back(Trimmed(line.substr(0, comma)));
        if (comma == std::string_view::npos)
            return fields;
        line.remove_prefix(comma + 1);
    }
}

std::string Quoted(std::string_view field)
{
    std::string text(field.substr(0, MaxQuoted));
    for (char &c : text)
        if ((unsigned char)c < ' ' || (unsigned char)c > '~')
            c = '?';
    return "\"" + text + (field.size() > MaxQuoted ? "...\"" : "\"");
}

} // namespace

double PhysicalMillibarPerUnit(std::string_view name)
{
    for (const PressureColumn &column : PressureColumns)
        if (name == column.name)
            return column.physicalMillibar;
    return 0;
}

bool ReadFeedNumber(std::string_view field, double *value)
{
    if (field.empty() || field.size() > 32 ||
        field.find_first_not_of("0123456789+-.eE") != std::string_view::npos)
        return false;
    const std::string text(field);
    char *end = nullptr;
    *value = strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && std::isfinite(*value);
}

namespace {

bool Number(std::string_view field, double *value) { return ReadFeedNumber(field, value); }

// Seconds, or hh:mm:ss (the seconds may have a fraction).
bool Time(std::string_view field, double *seconds)
{
    const size_t first = field.find(':');
    if (first == std::string_view::npos)
        return Number(field, seconds) && *seconds >= 0;
    const size_t second = field.find(':', first + 1);
    double hours, minutes, secs;
    if (second == std::string_view::npos || !Number(field.substr(0, first), &hours) ||
        !Number(field.substr(first + 1, second - first - 1), &minutes) ||
        !Number(field.substr(second + 1), &secs) || hours < 0 || hours != std::floor(hours) || minutes < 0 ||
        minutes >= 60 || minutes != std::floor(minutes) || secs < 0 || secs >= 60)
        return false;
    *seconds = hours * 3600 + minutes * 60 + secs;
    return std::isfinite(*seconds);
}

std::string Lower(std::string_view field)
{
    std::string text(field);
    for (char &c : text)
        c = (char)tolower((unsigned char)c);
    return text;
}

} // namespace

bool ParseEngineLog(std::string_view text, const std::string &name, EngineLog *log, std::string *error,
                    const EngineLogOptions &options)
{
    (void)options;
    int lineNumber = 0;
    auto fail = [&](const std::string &why) {
        *error = name + ":" + std::to_string(lineNumber) + ": " + why;
        return false;
    };
    if (text.size() > MaxBytes)
        return fail("larger than " + std::to_string(MaxBytes >> 20) + " MB: not an engine recording");
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);

    int timeColumn = -1, pressureColumn = -1, speedColumn = -1;
    double toMillibar = 1;
    EngineLog read;
    size_t columns = 0;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++lineNumber;
        if (Trimmed(line).empty())
            continue;
        const std::vector<std::string_view> fields = Fields(line);
        if (columns == 0) {
            // The header.
            columns = fields.size();
            for (size_t i = 0; i < fields.size(); ++i) {
                const std::string field = Lower(fields[i]);
                if (field == "time") {
                    if (timeColumn >= 0)
                        return fail("two time columns");
                    timeColumn = (int)i;
                } else if (field == "rpm") {
                    if (speedColumn >= 0)
                        return fail("two rpm columns");
                    speedColumn = (int)i;
                }
                if (const double unit = PhysicalMillibarPerUnit(field); unit > 0) {
                    if (pressureColumn >= 0)
                        return fail("two pressure columns (" + Lower(fields[(size_t)pressureColumn]) +
                                    " and " + field + "): keep one");
                    pressureColumn = (int)i;
                    toMillibar = unit;
                }
            }
            if (timeColumn < 0) {
                double number;
                return fail(
                    Number(fields[0], &number) || Time(fields[0], &number)
                        ? "no header row: the first line must name the columns (time, mp_inhg, rpm, ...)"
                        : "no time column in the header");
            }
            if (pressureColumn < 0 && speedColumn < 0)
                return fail("neither a pressure column (mp_inhg, mp_mbar, mp_kpa, mp_psi) nor an rpm column");
            continue;
        }
        if (fields.size() != columns)
            return fail(std::to_string(fields.size()) + " fields where the header has " +
                        std::to_string(columns));
        EngineSample sample{0, 0, 0};
        if (!Time(fields[(size_t)timeColumn], &sample.seconds))
            return fail("time " + Quoted(fields[(size_t)timeColumn]) + " is neither seconds nor hh:mm:ss");
        if (!read.samples.empty() && sample.seconds < read.samples.back().seconds)
            return fail("time goes backwards");
        if (pressureColumn >= 0) {
            double value;
            if (!Number(fields[(size_t)pressureColumn], &value) || value < 0)
                return fail("pressure " + Quoted(fields[(size_t)pressureColumn]) +
                            " is not a number of 0 or more");
            sample.millibar = value * toMillibar;
            // 1e308 inches of mercury are more millibar than a number holds.
            if (!std::isfinite(sample.millibar))
                return fail("pressure " + Quoted(fields[(size_t)pressureColumn]) + " is out of range");
        }
        if (speedColumn >= 0 && (!Number(fields[(size_t)speedColumn], &sample.rpm) || sample.rpm < 0))
            return fail("rpm " + Quoted(fields[(size_t)speedColumn]) + " is not a number of 0 or more");
        read.samples.push_back(sample);
    }
    if (columns == 0)
        return fail("empty: no header row");
    if (read.samples.empty())
        return fail("no samples after the header");
    read.hasPressure = pressureColumn >= 0;
    read.hasSpeed = speedColumn >= 0;
    *log = std::move(read);
    return true;
}

bool ReadEngineLog(const std::string &path, EngineLog *log, std::string *error,
                   const EngineLogOptions &options)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        *error = path + ": cannot read: " + strerror(errno);
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return ParseEngineLog(text.str(), path, log, error, options);
}

EngineSample EngineLogAt(const EngineLog &log, double seconds)
{
    const std::vector<EngineSample> &samples = log.samples;
    const auto after =
        std::upper_bound(samples.begin(), samples.end(), seconds,
                         [](double s, const EngineSample &sample) { return s < sample.seconds; });
    if (after == samples.begin())
        return samples.front();
    if (after == samples.end())
        return samples.back();
    const EngineSample &a = *(after - 1), &b = *after;
    const double part = (seconds - a.seconds) / (b.seconds - a.seconds);
    return {seconds, a.millibar + (b.millibar - a.millibar) * part, a.rpm + (b.rpm - a.rpm) * part};
}
