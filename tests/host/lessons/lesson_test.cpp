// Reading lessons: the four lesson words read, written back and refused
// with file and line, the steps a lesson is cut into, and what a stand-in
// pilot does with one.
#include <gtest/gtest.h>

#include <string>

#include "host/lessons/lesson.h"

namespace {

// The lesson's errors joined by |, "" when it was read.
std::string ErrorsOf(const std::string &text)
{
    Lesson lesson;
    std::vector<std::string> errors;
    const bool read = ParseLessonText("dir/l.txt", text, lesson, errors);
    std::string joined;
    for (const std::string &error : errors)
        joined += (joined.empty() ? "" : "|") + error;
    EXPECT_EQ(read, joined.empty()) << joined;
    return joined;
}

} // namespace

// Each line is read in a lesson that ends at an await; a line read is
// written back as the second column says, a refused one gives that error.
TEST(LessonLanguage, LinesReadWrittenBackOrRefused)
{
    struct Row {
        const char *line, *written, *error;
    } rows[] = {
        {"say \"Press ON.\"", "say \"Press ON.\"", nullptr},
        {"say Turn the knob", "say \"Turn the knob\"", nullptr},
        {"say \"the \"PRESSURE\" entry # 1\"", "say \"the \"PRESSURE\" entry # 1\"", nullptr},
        {"show press knob", "show press knob", nullptr},
        {"show turn ccw 2", "show turn ccw 2", nullptr},
        {"show ramp rpm 0 120 2s", "show ramp rpm 0 120 2s", nullptr},
        {"show calibrate on", "show calibrate on", nullptr},
        {"show engine rpm 2400", "show engine rpm 2400", nullptr},
        {"await next", "await next", nullptr},
        {"await screen MainMenuScreen", "await screen MainMenuScreen", nullptr},
        {"await text \" PRESSURE \"", "await text \" PRESSURE \"", nullptr},
        {"await text HOBBS", "await text HOBBS", nullptr},
        {"await settings.pressureUnit 1", "await settings.pressureUnit 1", nullptr},
        {"await flightLogHours[3] 2", "await flightLogHours[3] 2", nullptr},
        {"await lamp darkred", "await lamp darkred", nullptr},
        {"hint knob \"Press the knob.\"", "hint knob \"Press the knob.\"", nullptr},
        {"hint acw turn back", "hint acw \"turn back\"", nullptr},
        {"say", nullptr, "dir/l.txt:1: expected the instruction after say"},
        {"say \"open", nullptr, "dir/l.txt:1: expected the text between two double quotes"},
        {"show", nullptr, "dir/l.txt:1: expected an input after show"},
        {"show wait 2s", nullptr, "dir/l.txt:1: \"wait\" is no input; expected an input after show"},
        {"show expect lamp red", nullptr, "dir/l.txt:1: \"expect\" is no input"},
        {"show show on", nullptr, "dir/l.txt:1: unexpected \"show\" after show"},
        {"show press f3", nullptr, "dir/l.txt:1: unknown key \"f3\""},
        {"await", nullptr, "dir/l.txt:1: expected await next, await screen NAME"},
        {"await next now", nullptr, "dir/l.txt:1: unexpected \"now\" after await"},
        {"await screen Menu", nullptr, "dir/l.txt:1: unknown screen \"Menu\""},
        {"await hobbsHour 1", nullptr, "dir/l.txt:1: unknown field \"hobbsHour\""},
        {"await lamp green", nullptr, "dir/l.txt:1: unknown lamp colour \"green\""},
        {"await text", nullptr, "dir/l.txt:1: expected the text to find after await text"},
        {"hint f3 \"x\"", nullptr,
         "dir/l.txt:1: unknown control \"f3\"; expected f1, f2, knob, on, off, cw, acw, pressure, rpm, "
         "calibrate or keyfast"},
        {"hint knob", nullptr, "dir/l.txt:1: expected the hint's text after hint knob"},
        {"blink", nullptr, "dir/l.txt:1: unknown command \"blink\"; expected on, off"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.line);
        Lesson lesson;
        std::vector<std::string> errors;
        const std::string text = std::string(row.line) + "\nawait next\n";
        if (!row.written) {
            EXPECT_EQ(ErrorsOf(text).rfind(row.error, 0), 0u) << ErrorsOf(text);
            continue;
        }
        ASSERT_TRUE(ParseLessonText("dir/l.txt", text, lesson, errors)) << errors.front();
        const std::string written = CommandText(lesson.script.commands.front());
        EXPECT_EQ(written, row.written);
        // What is written reads back as the same line.
        ASSERT_TRUE(ParseLessonText("dir/l.txt", written + "\nawait next\n", lesson, errors));
        EXPECT_EQ(CommandText(lesson.script.commands.front()), row.written);
        // A scenario refuses the lesson words by name.
        Script script;
        std::string error;
        if (!ParseScriptText("dir/s.txt", row.line, script, error)) {
            const std::string word = std::string(row.line).substr(0, std::string(row.line).find(' '));
            EXPECT_EQ(error, "dir/s.txt:1: " + word + " is only for lessons");
        }
    }
    EXPECT_EQ(ErrorsOf("# Nothing to do\nsay \"Hello\"\n"),
              "dir/l.txt: a lesson has no await; expected at least one await line, such as await screen "
              "MainMenuScreen or await next");
    EXPECT_EQ(
        ErrorsOf("say\nawait nothing\n"),
        "dir/l.txt:1: expected the instruction after say, \"...\"|dir/l.txt:2: unknown field \"nothing\"; "
        "expected a field of the state record (hobbsHours, settings.pressureUnit, flightLogHours[3], ...), "
        "lamp or screen");
}

TEST(LessonLanguage, StepsEndAtEachAwaitAndTheStandInPilotPerformsTheShowLines)
{
    Lesson lesson;
    std::vector<std::string> errors;
    ASSERT_TRUE(ParseLessonText("dir/menu.txt",
                                "\xEF\xBB\xBF#  The main menu \r\n"
                                "on\n"
                                "say \"Press the knob.\"\n"
                                "say \"It opens the menu.\"\n"
                                "show press knob\n"
                                "hint knob \"The knob.\"\n"
                                "await screen MainMenuScreen\n"
                                "\n"
                                "show turn cw 2\n"
                                "wait 1s\n"
                                "await text SETUP\n"
                                "say \"Well done.\"\n"
                                "off\n",
                                lesson, errors))
        << errors.front();
    EXPECT_EQ(lesson.title, "The main menu");
    ASSERT_EQ(lesson.steps.size(), 3u);
    const LessonStep &first = lesson.steps[0], &second = lesson.steps[1], &last = lesson.steps[2];
    EXPECT_EQ(first.line, 2);
    EXPECT_EQ(first.say, "Press the knob.\nIt opens the menu.");
    ASSERT_EQ(first.stage.size(), 1u);
    EXPECT_EQ(CommandText(first.stage[0]), "on");
    ASSERT_EQ(first.show.size(), 1u);
    EXPECT_FALSE(first.show[0].shown);
    EXPECT_EQ(CommandText(first.show[0]), "press knob");
    ASSERT_EQ(first.hints.size(), 1u);
    EXPECT_EQ(first.hints[0].control, Control::Knob);
    EXPECT_EQ(first.hints[0].line, 6);
    EXPECT_EQ(second.line, 9);
    EXPECT_EQ(second.say, "");
    ASSERT_TRUE(second.await);
    EXPECT_EQ(second.await->line, 11);
    EXPECT_EQ(last.say, "Well done.");
    EXPECT_FALSE(last.await);

    std::string auto_;
    for (const Command &command : AutoScript(lesson).commands)
        auto_ += CommandText(command) + "|";
    EXPECT_EQ(auto_, "on|press knob|await screen MainMenuScreen|wait 1s|turn cw 2|await text SETUP|off|");
    EXPECT_EQ(AutoScript(lesson).folder, "dir");

    ASSERT_TRUE(ParseLessonText("dir/02-alarms.txt", "on # no title\nawait next\n", lesson, errors));
    EXPECT_EQ(lesson.title, "02-alarms");
}
