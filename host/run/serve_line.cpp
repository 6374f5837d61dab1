#include "host/run/serve_line.h"

#include "host/readout/shown_input.h"

namespace {

const char QueryWords[] = "or a query: get FIELD, state, texts, frame, save-state FILE or quit";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// A byte no editor shows as itself: the script reader refuses such a line
// with what it is and where, so it reads it.
bool HasControl(std::string_view line)
{
    for (char c : line)
        if (((unsigned char)c < 0x20 && c != '\t') || c == 0x7F)
            return true;
    return false;
}

ServeRequest Refused(std::string error)
{
    ServeRequest request;
    request.kind = ServeKind::Refused;
    request.error = std::move(error);
    return request;
}

// The line as a script's line: the command, or the script reader's message
// without its place.
ServeRequest ScriptLine(std::string_view line, int number)
{
    Script script;
    std::string error;
    if (!ParseScriptText(ServeScriptName, std::string(line), script, error)) {
        const std::string place = std::string(ServeScriptName) + ":1: ";
        if (error.rfind(place, 0) == 0)
            error.erase(0, place.size());
        if (error.rfind("unknown command ", 0) == 0)
            error += ", " + std::string(QueryWords);
        return Refused(error);
    }
    ServeRequest request;
    if (script.commands.empty())
        return request;
    request.kind = ServeKind::Command;
    request.command = std::move(script.commands[0]);
    request.command.line = number;
    return request;
}

// A query with no argument: nothing may follow its word.
ServeRequest Bare(ServeKind kind, std::string_view word, std::string_view rest)
{
    if (!rest.empty())
        return Refused("unexpected " + QuotedInput(rest) + " after " + std::string(word));
    ServeRequest request;
    request.kind = kind;
    return request;
}

ServeRequest Get(std::string_view name)
{
    if (name.empty())
        return Refused("expected a field after get, such as pressureMillibar, settings.pressureUnit, "
                       "flightLogHours[3] or screen");
    if (name.find_first_of(" \t") != std::string_view::npos)
        return Refused("unexpected " + QuotedInput(Trim(name.substr(name.find_first_of(" \t")))) +
                       " after get FIELD");
    ServeRequest request;
    request.kind = ServeKind::Get;
    request.field = FindStateField(name == "screen" ? "currentScreen" : name, &request.index);
    // An array named without an index is asked for whole.
    for (size_t i = 0; !request.field && i < StateFieldCount; ++i)
        if (name == StateFields[i].name)
            request.field = &StateFields[i], request.whole = true;
    if (!request.field)
        return Refused("unknown field " + QuotedInput(name) +
                       "; expected a field of the state record (hobbsHours, settings.pressureUnit, "
                       "flightLogHours[3], ...) or screen");
    return request;
}

} // namespace

ServeRequest ReadServeLine(std::string_view line, int number)
{
    if (!line.empty() && line.back() == '\r') // a CRLF line end
        line.remove_suffix(1);
    if (line.size() > MaxServeLine)
        return Refused("a line longer than " + std::to_string(MaxServeLine) + " bytes");
    if (HasControl(line))
        return ScriptLine(line, number);
    // '#' starts a comment, as in a script.
    std::string_view text = Trim(line.substr(0, line.find('#')));
    size_t end = 0;
    while (end < text.size() && !IsBlank(text[end]))
        ++end;
    const std::string_view word = text.substr(0, end), rest = Trim(text.substr(end));
    if (word == "get")
        return Get(rest);
    if (word == "state")
        return Bare(ServeKind::State, word, rest);
    if (word == "texts")
        return Bare(ServeKind::Texts, word, rest);
    if (word == "frame")
        return Bare(ServeKind::Frame, word, rest);
    if (word == "quit")
        return Bare(ServeKind::Quit, word, rest);
    if (word == "save-state") {
        if (rest.empty())
            return Refused("expected the state file to write, FILE.toml");
        ServeRequest request;
        request.kind = ServeKind::SaveState;
        request.path = rest;
        return request;
    }
    return ScriptLine(line, number);
}
