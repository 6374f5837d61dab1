#include "fuzz/readers.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

#include "host/feed/engine_log.h"
#include "host/feed/feed_datagram.h"
#include "host/run/script.h"
#include "host/run/serve_answers.h"
#include "host/run/serve_line.h"
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

// Reads one JSON value at text[i] (RFC 8259, in UTF-8); false at the
// first byte that breaks the grammar.
class JsonReader {
  public:
    explicit JsonReader(std::string_view text) : text_(text) {}

    // The text is one value and nothing else.
    bool Whole() { return Value(0) && i_ == text_.size(); }

  private:
    bool Eat(char c) { return i_ < text_.size() && text_[i_] == c && (++i_, true); }
    bool Peek(char c) const { return i_ < text_.size() && text_[i_] == c; }

    bool Value(int depth)
    {
        if (depth > 64 || i_ >= text_.size())
            return false;
        const char c = text_[i_];
        if (c == '{' || c == '[') {
            const char close = c == '{' ? '}' : ']';
            ++i_;
            if (Eat(close))
                return true;
            do {
                if (c == '{' && !(String() && Eat(':')))
                    return false;
                if (!Value(depth + 1))
                    return false;
            } while (Eat(','));
            return Eat(close);
        }
        if (c == '"')
            return String();
        for (std::string_view word : {"true", "false", "null"})
            if (text_.substr(i_, word.size()) == word)
                return i_ += word.size(), true;
        return Number();
    }

    bool Number()
    {
        Eat('-');
        const size_t start = i_;
        while (i_ < text_.size() && isdigit((unsigned char)text_[i_]))
            ++i_;
        const size_t digits = i_ - start;
        return digits == 1 || (digits > 1 && text_[start] != '0');
    }

    bool String()
    {
        if (!Eat('"'))
            return false;
        while (i_ < text_.size()) {
            const unsigned char c = (unsigned char)text_[i_++];
            if (c == '"')
                return true;
            if (c < 0x20)
                return false;
            if (c == '\\') {
                if (i_ >= text_.size())
                    return false;
                const char e = text_[i_++];
                if (e == 'u') {
                    for (int k = 0; k < 4; ++k)
                        if (i_ >= text_.size() || !isxdigit((unsigned char)text_[i_++]))
                            return false;
                } else if (std::string_view("\"\\/bfnrt").find(e) == std::string_view::npos) {
                    return false;
                }
            } else if (c >= 0x80 && !Utf8Rest(c)) {
                return false;
            }
        }
        return false;
    }

    // The continuation bytes of a UTF-8 character that starts with c, none
    // of them overlong or a surrogate.
    bool Utf8Rest(unsigned char c)
    {
        const size_t n = c >= 0xC2 && c <= 0xDF ? 1 : (c & 0xF0) == 0xE0 ? 2 : c >= 0xF0 && c <= 0xF4 ? 3 : 0;
        if (n == 0 || i_ + n > text_.size())
            return false;
        uint32_t code = c & (0x3F >> n);
        for (size_t k = 0; k < n; ++k) {
            const unsigned char b = (unsigned char)text_[i_++];
            if ((b & 0xC0) != 0x80)
                return false;
            code = code << 6 | (b & 0x3F);
        }
        const uint32_t min = n == 1 ? 0x80 : n == 2 ? 0x800 : 0x10000;
        return code >= min && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
    }

    std::string_view text_;
    size_t i_ = 0;
};

// What breaks an answer: not one line of JSON of the form {"ok":...}.
std::string BrokenAnswer(const std::string &answer)
{
    if (answer.rfind("{\"ok\":", 0) != 0 || !JsonReader(answer).Whole())
        return "an answer that is not one line of JSON: " + answer.substr(0, MaxMessage);
    return "";
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

std::string CheckServeLineReader(const uint8_t *data, size_t size)
{
    std::string_view text((const char *)data, size);
    for (int number = 1; !text.empty(); ++number) {
        const size_t end = std::min(text.find('\n'), text.size());
        const ServeRequest request = ReadServeLine(text.substr(0, end), number);
        text.remove_prefix(std::min(end + 1, text.size()));
        std::string answer;
        switch (request.kind) {
        case ServeKind::Refused:
            if (request.error.empty() || request.error.size() > MaxMessage ||
                request.error.find('\n') != std::string::npos)
                return "line " + std::to_string(number) + " refused without a short one-line reason";
            answer = ErrorAnswer(request.error);
            break;
        case ServeKind::Command: {
            const std::string line = CommandText(request.command);
            const ServeRequest again = ReadServeLine(line, number);
            if (again.kind != ServeKind::Command || CommandText(again.command) != line)
                return "the command of line " + std::to_string(number) + " written as \"" + line +
                       "\" does not read back: " + again.error;
            continue;
        }
        case ServeKind::Get:
            if (!request.field ||
                (request.whole ? request.field->count == 1 : request.index >= request.field->count))
                return "line " + std::to_string(number) + " gets a field or element that does not exist";
            answer = FieldAnswer(*request.field, request.index, request.whole);
            break;
        case ServeKind::State:
            answer = StateAnswer();
            break;
        case ServeKind::Texts:
            answer = TextsAnswer();
            break;
        case ServeKind::Frame:
            answer = FrameAnswer();
            break;
        case ServeKind::SaveState:
            if (request.path.empty())
                return "line " + std::to_string(number) + " saves to no file";
            continue;
        default:
            continue;
        }
        const std::string broken = BrokenAnswer(answer);
        if (!broken.empty())
            return "line " + std::to_string(number) + ": " + broken;
    }
    return "";
}
