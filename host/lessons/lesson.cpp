#include "host/lessons/lesson.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string_view>
#include <utility>

namespace {

// The text of the first line when it is a comment, blanks around it
// removed; "" when it is not one.
std::string TitleOf(std::string_view text)
{
    constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
    if (text.substr(0, ByteOrderMark.size()) == ByteOrderMark)
        text.remove_prefix(ByteOrderMark.size());
    text = text.substr(0, text.find('\n'));
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    if (text.empty() || text.front() != '#')
        return "";
    text.remove_prefix(1);
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return std::string(text);
}

// Cuts the commands into steps, each ending at an await; what follows the
// last await is a last step without one.
std::vector<LessonStep> StepsOf(const std::vector<Command> &commands)
{
    std::vector<LessonStep> steps;
    LessonStep step;
    bool empty = true;
    for (const Command &command : commands) {
        if (empty)
            step.line = command.line;
        empty = false;
        if (command.shown) {
            step.show.push_back(command);
            step.show.back().shown = false;
            continue;
        }
        switch (command.kind) {
        case CommandKind::Say:
            step.say += (step.say.empty() ? "" : "\n") + command.text;
            break;
        case CommandKind::Hint:
            step.hints.push_back({command.control, command.text, command.line});
            break;
        case CommandKind::Await:
            step.await = command;
            steps.push_back(std::move(step));
            step = LessonStep{};
            empty = true;
            break;
        default:
            step.stage.push_back(command);
            break;
        }
    }
    if (!empty)
        steps.push_back(std::move(step));
    return steps;
}

} // namespace

bool ParseLessonText(const std::string &file, const std::string &text, Lesson &lesson,
                     std::vector<std::string> &errors)
{
    lesson = Lesson{};
    const bool read = ParseScriptText(file, text, lesson.script, errors, ScriptDialect::Lesson);
    lesson.title = TitleOf(text);
    if (lesson.title.empty())
        lesson.title = std::filesystem::path(file).stem().string();
    if (!read)
        return false;
    lesson.steps = StepsOf(lesson.script.commands);
    if (lesson.steps.empty() || !lesson.steps.front().await) {
        errors.push_back(file + ": a lesson has no await; expected at least one await line, such as "
                                "await screen MainMenuScreen or await next");
        return false;
    }
    return true;
}

bool ParseLessonFile(const std::string &file, Lesson &lesson, std::vector<std::string> &errors)
{
    errors.clear();
    std::ifstream in(file, std::ios::binary);
    if (!in || std::filesystem::is_directory(file)) {
        errors.push_back(file + ": cannot read the lesson: " + (in ? "it is a folder" : strerror(errno)));
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) {
        errors.push_back(file + ": cannot read the lesson: " + strerror(errno));
        return false;
    }
    return ParseLessonText(file, std::move(text).str(), lesson, errors);
}

Script AutoScript(const Lesson &lesson)
{
    Script script;
    script.file = lesson.script.file;
    script.folder = lesson.script.folder;
    for (const LessonStep &step : lesson.steps) {
        script.commands.insert(script.commands.end(), step.stage.begin(), step.stage.end());
        script.commands.insert(script.commands.end(), step.show.begin(), step.show.end());
        if (step.await)
            script.commands.push_back(*step.await);
    }
    return script;
}
