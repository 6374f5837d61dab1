#include "host/run/junit_report.h"

#include "host/state_file/atomic_write.h"

namespace {

// Text for an attribute value or element content: the markup characters as
// entities, in an attribute line breaks and tabs as character references
// (or a reader would take them for blanks), and the characters XML 1.0
// cannot hold at all (other control characters, U+FFFE, U+FFFF) as U+FFFD.
std::string Xml(const std::string &text, bool attribute)
{
    const std::string valid = ValidUtf8(text);
    std::string xml;
    for (size_t i = 0; i < valid.size(); ++i) {
        const char c = valid[i];
        if (c == '&')
            xml += "&amp;";
        else if (c == '<')
            xml += "&lt;";
        else if (c == '>')
            xml += "&gt;";
        else if (c == '"')
            xml += "&quot;";
        else if (c == '\'')
            xml += "&apos;";
        else if (attribute && (c == '\n' || c == '\r' || c == '\t'))
            xml += "&#" + std::to_string((int)c) + ";";
        else if ((unsigned char)c < 0x20 && c != '\n' && c != '\r' && c != '\t')
            xml += "\xEF\xBF\xBD";
        else if (valid.compare(i, 2, "\xEF\xBF") == 0 && i + 2 < valid.size() &&
                 (valid[i + 2] == '\xBE' || valid[i + 2] == '\xBF')) {
            xml += "\xEF\xBF\xBD";
            i += 2;
        } else
            xml += c;
    }
    return xml;
}

std::string Lines(const std::vector<std::string> &lines)
{
    std::string text;
    for (const std::string &line : lines)
        text += line + "\n";
    return text;
}

std::vector<std::string> FailedLines(const ScriptResult &script)
{
    std::vector<std::string> lines;
    for (const CheckRecord &check : script.checks)
        if (!check.passed)
            lines.push_back(CheckLine(script.file, check));
    return lines;
}

// <failure>, <error> or <skipped>: the first line as the message, all of
// them as the text.
std::string Outcome(const char *element, const char *type, const std::vector<std::string> &lines)
{
    return std::string("      <") + element + " type=\"" + type + "\" message=\"" + Xml(lines.front(), true) +
           "\">" + Xml(Lines(lines), false) + "</" + element + ">\n";
}

std::string TestCase(const ScriptResult &script)
{
    std::string xml = "    <testcase classname=\"qpx-run\" name=\"" + Xml(script.file, true) + "\" time=\"" +
                      SecondsText(script.seconds) + "\"";
    std::vector<std::string> failed = FailedLines(script);
    std::vector<std::string> errors = script.errors;
    errors.insert(errors.end(), failed.begin(), failed.end());
    if (script.status == ScriptStatus::Refused)
        xml += ">\n" + Outcome("error", "refused", errors);
    else if (script.status == ScriptStatus::Stopped)
        xml += ">\n" + Outcome("error", "stopped", errors);
    else if (script.status == ScriptStatus::NotRun)
        xml += ">\n      <skipped message=\"not run: another script was refused or stopped the run\"/>\n";
    else if (!failed.empty())
        xml += ">\n" + Outcome("failure", "check", failed);
    else
        return xml + "/>\n";
    return xml + "    </testcase>\n";
}

} // namespace

std::string JunitReport(const std::vector<ScriptResult> &scripts, double seconds)
{
    int failures = 0, errors = 0, skipped = 0;
    for (const ScriptResult &script : scripts) {
        errors += script.status == ScriptStatus::Refused || script.status == ScriptStatus::Stopped;
        skipped += script.status == ScriptStatus::NotRun;
        failures += script.status == ScriptStatus::Ran && script.Failed() > 0;
    }
    const std::string counts = " tests=\"" + std::to_string(scripts.size()) + "\" failures=\"" +
                               std::to_string(failures) + "\" errors=\"" + std::to_string(errors) +
                               "\" skipped=\"" + std::to_string(skipped) + "\" time=\"" +
                               SecondsText(seconds) + "\"";
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<testsuites name=\"qpx-run\"" +
                      counts + ">\n  <testsuite name=\"qpx-run\"" + counts + ">\n";
    for (const ScriptResult &script : scripts)
        xml += TestCase(script);
    return xml + "  </testsuite>\n</testsuites>\n";
}

bool WriteJunitReport(const std::string &path, const std::vector<ScriptResult> &scripts, double seconds,
                      std::string &error)
{
    return WriteFileAtomically(path, JunitReport(scripts, seconds), &error);
}
