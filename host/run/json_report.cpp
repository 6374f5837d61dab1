#include "host/run/json_report.h"

#include <cstdio>

#include "host/state_file/atomic_write.h"

namespace {

// A JSON string: quotes, backslashes and control characters escaped, the
// text made valid UTF-8.
std::string Json(const std::string &text)
{
    std::string json = "\"";
    for (char c : ValidUtf8(text)) {
        if (c == '"' || c == '\\')
            json += std::string("\\") + c;
        else if (c == '\n')
            json += "\\n";
        else if (c == '\t')
            json += "\\t";
        else if ((unsigned char)c < 0x20) {
            char escaped[8];
            snprintf(escaped, sizeof escaped, "\\u%04x", (unsigned)c);
            json += escaped;
        } else
            json += c;
    }
    return json + "\"";
}

const char *StatusWord(ScriptStatus status)
{
    switch (status) {
    case ScriptStatus::Ran:
        return "ran";
    case ScriptStatus::Refused:
        return "refused";
    case ScriptStatus::Stopped:
        return "stopped";
    default:
        return "not run";
    }
}

// Items one to a line at this indentation, in brackets.
std::string List(const std::vector<std::string> &items, const std::string &indent)
{
    if (items.empty())
        return "[]";
    std::string json = "[\n";
    for (size_t i = 0; i < items.size(); ++i)
        json += indent + "  " + items[i] + (i + 1 < items.size() ? ",\n" : "\n");
    return json + indent + "]";
}

std::string Joined(const std::vector<std::string> &items)
{
    std::string json;
    for (const std::string &item : items)
        json += (json.empty() ? "" : ", ") + item;
    return json;
}

std::string Check(const CheckRecord &check)
{
    std::vector<std::string> pictures;
    for (const CheckPicture &picture : check.pictures)
        pictures.push_back("{\"shows\": " + Json(picture.shows) + ", \"path\": " + Json(picture.path) + "}");
    return "{\"line\": " + std::to_string(check.line) + ", \"kind\": " + Json(check.kind) +
           ", \"expected\": " + Json(check.expected) + ", \"found\": " + Json(check.found) +
           ", \"passed\": " + (check.passed ? "true" : "false") + ", \"pictures\": [" + Joined(pictures) +
           "]}";
}

std::string Script(const ScriptResult &script)
{
    const std::string indent = "      ";
    std::vector<std::string> errors, checks;
    for (const std::string &error : script.errors)
        errors.push_back(Json(error));
    for (const CheckRecord &check : script.checks)
        checks.push_back(Check(check));
    return "{\n" + indent + "\"file\": " + Json(script.file) + ",\n" + indent + "\"status\": \"" +
           StatusWord(script.status) + "\",\n" + indent + "\"seconds\": " + SecondsText(script.seconds) +
           ",\n" + indent + "\"passed\": " + std::to_string(script.Passed()) + ",\n" + indent +
           "\"failed\": " + std::to_string(script.Failed()) + ",\n" + indent +
           "\"errors\": " + List(errors, indent) + ",\n" + indent + "\"checks\": " + List(checks, indent) +
           "\n    }";
}

} // namespace

std::string JsonReport(const std::vector<ScriptResult> &scripts, double seconds)
{
    int passed = 0, failed = 0;
    std::vector<std::string> items;
    for (const ScriptResult &script : scripts) {
        passed += script.Passed();
        failed += script.Failed();
        items.push_back(Script(script));
    }
    return "{\n  \"passed\": " + std::to_string(passed) + ",\n  \"failed\": " + std::to_string(failed) +
           ",\n  \"seconds\": " + SecondsText(seconds) + ",\n  \"scripts\": " + List(items, "  ") + "\n}\n";
}

bool WriteJsonReport(const std::string &path, const std::vector<ScriptResult> &scripts, double seconds,
                     std::string &error)
{
    return WriteFileAtomically(path, JsonReport(scripts, seconds), &error);
}
