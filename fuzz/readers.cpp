#include "fuzz/readers.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

#include "host/feed/engine_log.h"
#include "host/feed/feed_datagram.h"
#include "host/run/script.h"
#include "host/state_file/state_file_format.h"

namespace {

constexpr const char *FileName = "input";
// Generous for a message that quotes at most a short piece of its input.
constexpr size_t MaxMessage = 1000;

// "input:12: ..." on every line of a message.
bool NamesFileAndLine(const std::string &message)
{
    size_t start = 0;
    while (start <= message.size()) {
        size_t end = message.find('\n', start);
        end = end == std::string::npos ? message.size() : end;
        const std::string line = message.substr(start, end - start);
        const std::string prefix = std::string(FileName) + ":";
        if (line.rfind(prefix, 0) != 0)
            return false;
        size_t i = prefix.size(), digits = 0;
        while (i < line.size() && isdigit((unsigned char)line[i]))
            ++i, ++digits;
        if (digits == 0 || line.compare(i, 2, ": ") != 0)
            return false;
        start = end + 1;
    }
    return true;
}

} // namespace

std::string CheckScriptReader(const uint8_t *data, size_t size)
{
    const std::string text((const char *)data, size);
    Script script;
    std::string error;
    if (!ParseScriptText(FileName, text, script, error)) {
        if (!NamesFileAndLine(error))
            return "refused without naming the file and line: " + error.substr(0, MaxMessage);
        if (error.size() > MaxMessage)
            return "a message of " + std::to_string(error.size()) + " characters";
        return "";
    }
    for (const Command &command : script.commands) {
        const std::string line = CommandText(command);
        Script again;
        if (!ParseScriptText(FileName, line, again, error) || again.commands.size() != 1)
            return "the command of line " + std::to_string(command.line) + " written as \"" + line +
                   "\" does not read back: " + error;
        if (CommandText(again.commands[0]) != line)
            return "\"" + line + "\" reads back as \"" + CommandText(again.commands[0]) + "\"";
    }
    return "";
}

std::string CheckStateFileReader(const uint8_t *data, size_t size)
{
    const std::string text((const char *)data, size);
    StateFileValues values;
    std::vector<std::string> warnings;
    std::string error;
    if (ParseStateFile(text, FileName, &values, &warnings, &error))
        return error.empty() ? "" : "read, yet with an error: " + error;
    if (error.empty())
        return "refused without a message";
    if (!NamesFileAndLine(error))
        return "refused without naming the file and line: " + error.substr(0, MaxMessage);
    if (!values.values.empty() || values.controls != ControlValues{} || values.hasFlightLog)
        return "refused, yet values were kept";
    return "";
}

std::string CheckEngineLogReader(const uint8_t *data, size_t size)
{
    std::string_view text((const char *)data, size);
    // A first line "?engine N" or "?columns MAP" gives the reader's options.
    EngineLogOptions options;
    if (!text.empty() && text.front() == '?') {
        const size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = text.substr(1, end - 1);
        if (line.substr(0, 8) == "columns ")
            options.columns = std::string(line.substr(8));
        else if (line.substr(0, 7) == "engine ")
            options.engine = atoi(std::string(line.substr(7, 4)).c_str());
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    EngineLog log;
    std::string error;
    if (!ParseEngineLog(text, FileName, &log, &error, options)) {
        const bool optionsRefused = (!options.columns.empty() && error.rfind("column map \"", 0) == 0) ||
                                    (options.engine != 1 && error.rfind("engine ", 0) == 0);
        if (!optionsRefused && !NamesFileAndLine(error))
            return "refused without naming the file and line: " + error.substr(0, MaxMessage);
        if (error.size() > MaxMessage)
            return "a message of " + std::to_string(error.size()) + " characters";
        if (!log.samples.empty())
            return "refused, yet samples were kept";
        return "";
    }
    if (log.samples.empty() || (!log.hasPressure && !log.hasSpeed))
        return "read, yet with no samples or no channel";
    for (size_t i = 0; i < log.samples.size(); ++i) {
        const EngineSample &s = log.samples[i];
        if (!std::isfinite(s.seconds) || !std::isfinite(s.millibar) || !std::isfinite(s.rpm) ||
            s.millibar < 0 || s.rpm < 0)
            return "sample " + std::to_string(i) + " holds a value that is not finite or below 0";
        if (i > 0 && s.seconds < log.samples[i - 1].seconds)
            return "time goes backwards at sample " + std::to_string(i);
        if (i > 0 && s.seconds > log.samples[i - 1].seconds) {
            const EngineSample &a = log.samples[i - 1];
            const EngineSample mid = EngineLogAt(log, (a.seconds + s.seconds) / 2);
            if (mid.rpm < std::fmin(a.rpm, s.rpm) - 1e-6 || mid.rpm > std::fmax(a.rpm, s.rpm) + 1e-6)
                return "between samples " + std::to_string(i - 1) + " and " + std::to_string(i) +
                       " the speed leaves their range";
            const double slack = 1e-9 * std::fmax(a.millibar, s.millibar);
            if (mid.millibar < std::fmin(a.millibar, s.millibar) - slack ||
                mid.millibar > std::fmax(a.millibar, s.millibar) + slack)
                return "between samples " + std::to_string(i - 1) + " and " + std::to_string(i) +
                       " the pressure leaves their range";
        }
    }
    return "";
}

std::string CheckFeedDatagramReader(const uint8_t *data, size_t size)
{
    FeedValues values{-1, -1};
    std::string why;
    if (!ParseFeedDatagram(std::string_view((const char *)data, size), &values, &why)) {
        if (why.empty() || why.size() > MaxMessage)
            return "refused without a short reason";
        if (values.millibar != -1 || values.rpm != -1)
            return "refused, yet values were kept";
        return "";
    }
    if (size > MaxFeedDatagram)
        return "a datagram of " + std::to_string(size) + " bytes was taken";
    if (std::isnan(values.millibar) && std::isnan(values.rpm))
        return "taken with neither a pressure nor a speed";
    for (double value : {values.millibar, values.rpm})
        if (!std::isnan(value) && (!std::isfinite(value) || value < 0))
            return "taken with a value that is not finite or below 0";
    return "";
}
