// A lesson: a script in the lesson language (host/run/script.h) that walks a
// pilot through a task one step at a time. Each step says what to do, sets
// the stage itself, knows what Show me performs and which hints help, and
// ends at an await: the condition that shows the pilot did it.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host/controls/control_table.h"
#include "host/run/script.h"

// AwaitTimeoutMs (host/run/script.h): --auto fails an await not met within it.
// A pilot without progress this long is shown the step's hint.
constexpr int64_t StuckMs = 20000;

struct LessonHint {
    Control control;
    std::string text;
    int line; // in the lesson, from 1
};

struct LessonStep {
    int line = 0;               // of the step's first line
    std::string say;            // its instruction: its say lines joined by "\n" ("" if none)
    std::vector<Command> stage; // the other commands before its await, which the lesson runs itself, in order
    std::vector<Command> show;  // its show lines as inputs (shown cleared): what Show me performs
    std::vector<LessonHint> hints;
    std::optional<Command> await; // none only for a last step that just says (the lesson is finished when it
                                  // is reached)
};

struct Lesson {
    Script script;                 // every command as read
    std::string title;             // the text of the first line when it is a comment ("# Powering on" ->
                                   // "Powering on"), else the file's stem
    std::vector<LessonStep> steps; // a step ends at each await
};

// Reads and checks a whole lesson as a script, every bad line listed
// ("FILE:LINE: why", as ParseScriptFile lists them); a lesson with no await
// is refused ("FILE: ...").
bool ParseLessonFile(const std::string &file, Lesson &lesson, std::vector<std::string> &errors);
bool ParseLessonText(const std::string &file, const std::string &text, Lesson &lesson,
                     std::vector<std::string> &errors);

// What a stand-in pilot does (qpx-run --auto): every step's stage, then its
// show lines performed, then its await.
Script AutoScript(const Lesson &lesson);
