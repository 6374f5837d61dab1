#include "host/run/script.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string_view>
#include <utility>

#include "host/controls/engine_units.h"
#include "host/feed/feed_player.h"
#include "host/readout/shown_input.h"

namespace {

constexpr int MaxRepeat = 10000;
constexpr int MaxScale = 16;
// About 30 years: far beyond any scenario, far from overflowing.
constexpr int64_t MaxDurationMs = INT64_C(1000) * 1000 * 1000 * 1000;
// The longest command, "ramp pressure FROM TO DURATION", has 5 words; one
// more is all a message about an unexpected word needs, so a line of a
// million words costs no more than one of six.
constexpr size_t MaxWords = 6;

const char KnownCommands[] = "on, off, press, turn, pressure, rpm, ramp, engine, calibrate, keyfast, "
                             "fault, seed, wait, load-state, feed, expect-frame, expect-text, expect or save";
const char KnownLessonCommands[] = "on, off, press, turn, pressure, rpm, ramp, engine, calibrate, keyfast, "
                                   "fault, seed, wait, load-state, feed, expect-frame, expect-text, expect, "
                                   "save, say, show, await or hint";

// The words a lesson adds to the language.
bool IsLessonWord(const std::string &word)
{
    return word == "say" || word == "show" || word == "await" || word == "hint";
}

// The controls a hint may point at, by the word a hint names them with.
struct HintWord {
    const char *word;
    Control control;
};
const HintWord HintWords[] = {
    {"f1", Control::F1},
    {"f2", Control::F2},
    {"knob", Control::Knob},
    {"on", Control::On},
    {"off", Control::Off},
    {"cw", Control::Clockwise},
    {"acw", Control::AntiClockwise},
    {"pressure", Control::Pressure},
    {"rpm", Control::Rpm},
    {"calibrate", Control::Calibrate},
    {"keyfast", Control::KeyFast},
};
const char HintControls[] = "f1, f2, knob, on, off, cw, acw, pressure, rpm, calibrate or keyfast";

// The largest seed: 18 digits, all the number reader takes.
constexpr int64_t MaxSeed = INT64_C(999999999999999999);

// Editors may start a UTF-8 file with it; it is invisible, so elsewhere it
// is refused by name rather than read as part of a word.
constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

// One line's words, with the rest of the line after the command kept whole
// for expect-text.
struct Line {
    std::vector<std::string> words; // the first MaxWords
    std::string rest;               // after the first word, surrounding blanks removed
};

// What separates words and surrounds a line: spaces and tabs, for trimming
// and splitting alike. The CR of a CRLF line end goes with the line end;
// other control characters are refused (IsControl), as a line holding one
// would not read as it shows.
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsControl(char c)
{
    unsigned char u = (unsigned char)c;
    return (u < 0x20 && c != '\t') || u == 0x7F;
}

// A byte that continues a UTF-8 character rather than starting one.
bool IsContinuation(char c) { return ((unsigned char)c & 0xC0) == 0x80; }

// The column of byte i, counting characters from 1.
size_t Column(std::string_view line, size_t i)
{
    size_t column = 1;
    for (size_t k = 0; k < i; ++k)
        column += !IsContinuation(line[k]);
    return column;
}

std::string_view Trim(std::string_view s)
{
    size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b]))
        ++b;
    while (e > b && IsBlank(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

// Drops a comment: '#' outside double quotes starts one.
std::string_view WithoutComment(std::string_view raw)
{
    bool quoted = false;
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '"')
            quoted = !quoted;
        else if (raw[i] == '#' && !quoted)
            return raw.substr(0, i);
    }
    return raw;
}

// A byte that no editor shows as itself: a line holding one is refused
// with what it is and where, comments included.
bool CheckCharacters(std::string_view raw, std::string &error)
{
    for (size_t i = 0; i < raw.size(); ++i)
        if (IsControl(raw[i])) {
            char code[8];
            snprintf(code, sizeof code, "0x%02X", (unsigned)(unsigned char)raw[i]);
            error = std::string("control character ") + code + " at column " +
                    std::to_string(Column(raw, i)) + "; expected printable characters, spaces and tabs";
            return false;
        }
    size_t mark = raw.find(ByteOrderMark);
    if (mark != std::string_view::npos) {
        error = "byte-order mark (EF BB BF) at column " + std::to_string(Column(raw, mark)) +
                "; expected one only at the start of the file";
        return false;
    }
    return true;
}

// Words are split where the line is trimmed: at blanks (IsBlank) only.
Line SplitLine(std::string_view raw)
{
    Line line;
    std::string_view text = Trim(WithoutComment(raw));
    for (size_t i = 0; i < text.size() && line.words.size() < MaxWords;) {
        size_t end = i;
        while (end < text.size() && !IsBlank(text[end]))
            ++end;
        line.words.emplace_back(text.substr(i, end - i));
        i = end;
        while (i < text.size() && IsBlank(text[i]))
            ++i;
    }
    if (!line.words.empty())
        line.rest = Trim(text.substr(line.words[0].size()));
    return line;
}

bool ParseInteger(const std::string &word, int64_t min, int64_t max, int64_t &value)
{
    size_t i = word.size() > 1 && word[0] == '-' ? 1 : 0;
    if (i == word.size() || word.size() > 18)
        return false;
    int64_t v = 0;
    for (size_t k = i; k < word.size(); ++k) {
        if (word[k] < '0' || word[k] > '9')
            return false;
        v = v * 10 + (word[k] - '0');
    }
    value = i ? -v : v;
    return value >= min && value <= max;
}

// The words after a feed's file that say how to read it.
bool IsFeedWord(const std::string &word) { return word == "engine" || word == "columns" || word == "from"; }

const char RecordingTimeForms[] = "a time into the recording as h:mm:ss, m:ss or seconds, such as 00:35:00, "
                                  "35:00 or 2100";

// A word of a feed line and where it ends in the line: blanks inside double
// quotes do not end it, so that a column map may name "Lcl Time".
struct Token {
    std::string text;
    size_t end;
};

std::vector<Token> Tokens(std::string_view text)
{
    std::vector<Token> tokens;
    for (size_t i = 0; i < text.size();) {
        while (i < text.size() && IsBlank(text[i]))
            ++i;
        if (i == text.size())
            break;
        const size_t start = i;
        bool quoted = false;
        for (; i < text.size() && (quoted || !IsBlank(text[i])); ++i)
            quoted ^= text[i] == '"';
        tokens.push_back({std::string(text.substr(start, i - start)), i});
    }
    return tokens;
}

// A word wholly in double quotes, without them: "time=Lcl Time,rpm=RPM".
std::string Unquoted(const std::string &word)
{
    if (word.size() >= 2 && word.front() == '"' && word.back() == '"' && word.find('"', 1) == word.size() - 1)
        return word.substr(1, word.size() - 2);
    return word;
}

// Builds one command from one line's words; error says what was expected.
class LineParser {
  public:
    LineParser(const Line &line, Command &command, std::string &error, ScriptDialect dialect)
        : words_(line.words), rest_(line.rest), command_(command), error_(error), dialect_(dialect)
    {
    }

    bool Parse()
    {
        const std::string &name = words_[0];
        if (name == "press")
            return Press();
        if (name == "turn")
            return Turn();
        if (name == "ramp")
            return Ramp();
        // A control named by one word: on, off, a slider or a check box.
        if (const ControlEntry *control = ControlOfScriptWord(name)) {
            switch (control->kind) {
            case ControlKind::Button:
                return Click(control->control, 1) && Ends(1);
            case ControlKind::Slider:
                return Slider(control->control);
            case ControlKind::CheckBox:
                return Tick(control->control);
            }
        }
        if (name == "engine")
            return Engine();
        if (name == "fault")
            return SetFault();
        if (name == "seed")
            return Seed();
        if (name == "wait")
            return Wait();
        if (name == "load-state")
            return LoadState();
        if (name == "feed")
            return Feed();
        if (name == "expect-frame")
            return ExpectFrame();
        if (name == "expect-text")
            return ExpectText();
        if (name == "expect")
            return Expect();
        if (name == "save")
            return Save();
        if (IsLessonWord(name)) {
            if (dialect_ != ScriptDialect::Lesson)
                return Fail(name + " is only for lessons");
            if (name == "say")
                return Say();
            if (name == "show")
                return Show();
            if (name == "await")
                return Await();
            return Hint();
        }
        return Fail("unknown command " + QuotedInput(name) + "; expected " +
                    (dialect_ == ScriptDialect::Lesson ? KnownLessonCommands : KnownCommands));
    }

  private:
    bool Fail(const std::string &what)
    {
        error_ = what;
        return false;
    }

    // The command takes exactly n words.
    bool Ends(size_t n)
    {
        if (words_.size() > n)
            return Fail("unexpected " + QuotedInput(words_[n]) + " after " + words_[0]);
        return true;
    }

    bool Word(size_t i, const std::string &expected)
    {
        if (words_.size() > i)
            return true;
        return Fail("expected " + expected);
    }

    bool Position(size_t i, int &position)
    {
        const std::string range = std::to_string(SliderMin) + ".." + std::to_string(SliderMax);
        if (!Word(i, "a slider position " + range + " after " + words_[0]))
            return false;
        int64_t v;
        if (!ParseInteger(words_[i], SliderMin, SliderMax, v))
            return Fail("bad number " + QuotedInput(words_[i]) + "; expected a slider position " + range);
        position = (int)v;
        return true;
    }

    bool Duration(size_t i, int64_t &ms)
    {
        if (!Word(i, "a duration such as 250ms, 2s, 90m or 10h after " + words_[0]))
            return false;
        if (!ParseDuration(words_[i], ms))
            return Fail("bad duration " + QuotedInput(words_[i]) +
                        "; expected a whole number with ms, s, m or h, such as 250ms, 2s, 90m or 10h");
        return true;
    }

    bool Click(Control control, int count)
    {
        command_.kind = CommandKind::Click;
        command_.control = control;
        command_.count = count;
        return true;
    }

    // The button named by the command and its first word: "press f1".
    const ControlEntry *TwoWordButton() const
    {
        const ControlEntry *control = ControlOfScriptWord(words_[0] + " " + words_[1]);
        return control && control->kind == ControlKind::Button ? control : nullptr;
    }

    bool Press()
    {
        const char *expected = "press f1, press f2 or press knob";
        if (!Word(1, expected))
            return false;
        const ControlEntry *key = TwoWordButton();
        if (!key)
            return Fail("unknown key " + QuotedInput(words_[1]) + "; expected " + expected);
        return Click(key->control, 1) && Ends(2);
    }

    bool Turn()
    {
        const char *expected = "turn cw or turn ccw, then how many steps";
        if (!Word(1, expected))
            return false;
        const ControlEntry *direction = TwoWordButton();
        if (!direction)
            return Fail("unknown direction " + QuotedInput(words_[1]) + "; expected " + expected);
        int64_t count = 1;
        if (words_.size() > 2 && !ParseInteger(words_[2], 1, MaxRepeat, count))
            return Fail("bad number " + QuotedInput(words_[2]) + "; expected a number of steps 1..10000");
        return Click(direction->control, (int)count) && Ends(3);
    }

    bool Slider(Control control)
    {
        command_.kind = CommandKind::Slide;
        command_.control = control;
        return Position(1, command_.position) && Ends(2);
    }

    bool Ramp()
    {
        if (!Word(1, "ramp pressure or ramp rpm, then FROM TO DURATION"))
            return false;
        const ControlEntry *slider = ControlOfScriptWord(words_[1]);
        if (!slider || slider->kind != ControlKind::Slider)
            return Fail("unknown slider " + QuotedInput(words_[1]) + "; expected pressure or rpm");
        command_.kind = CommandKind::Slide;
        command_.control = slider->control;
        if (!Position(2, command_.from) || !Position(3, command_.position) ||
            !Duration(4, command_.durationMs))
            return false;
        // A slide over no time is a plain slider move, and is written as one.
        if (command_.durationMs == 0)
            return Fail(std::string("a ramp takes time: expected a duration above 0, such as 250ms or 2s; ") +
                        slider->scriptWord + " N moves the slider at once");
        return Ends(5);
    }

    // "engine pressure 25.0inHg", "engine rpm 2400": the value may stand
    // apart from its unit ("25.0 inHg"), and is written back joined.
    bool Engine()
    {
        const char *expected = "engine pressure VALUE (in mbar, bar, kPa, inHg or psi) or engine rpm VALUE";
        if (!Word(1, expected))
            return false;
        if (words_[1] != "pressure" && words_[1] != "rpm")
            return Fail("unknown engine value " + QuotedInput(words_[1]) + "; expected " + expected);
        if (!Word(2, expected))
            return false;
        command_.kind = CommandKind::Engine;
        command_.control = words_[1] == "pressure" ? Control::Pressure : Control::Rpm;
        command_.text = words_[2] + (words_.size() > 3 ? words_[3] : "");
        std::string why;
        if (command_.control == Control::Pressure
                ? !ParsePressureValue(command_.text, command_.engineValue, why)
                : !ParseSpeedValue(command_.text, command_.engineValue, why))
            return Fail(why);
        return Ends(4);
    }

    bool SetFault()
    {
        command_.kind = CommandKind::SetFault;
        std::string why;
        if (!ParseFault(rest_, command_.fault, why))
            return Fail(why);
        return true;
    }

    bool Seed()
    {
        command_.kind = CommandKind::Seed;
        const std::string range = "a seed 0.." + std::to_string(MaxSeed);
        if (!Word(1, range + " after seed"))
            return false;
        int64_t seed;
        if (!ParseInteger(words_[1], 0, MaxSeed, seed))
            return Fail("bad number " + QuotedInput(words_[1]) + "; expected " + range);
        command_.seed = (uint64_t)seed;
        return Ends(2);
    }

    bool Tick(Control control)
    {
        command_.kind = CommandKind::Tick;
        command_.control = control;
        if (!Word(1, words_[0] + " on or " + words_[0] + " off"))
            return false;
        if (words_[1] != "on" && words_[1] != "off")
            return Fail("unknown state " + QuotedInput(words_[1]) + "; expected on or off");
        command_.ticked = words_[1] == "on";
        return Ends(2);
    }

    bool Wait()
    {
        command_.kind = CommandKind::Wait;
        return Duration(1, command_.durationMs) && Ends(2);
    }

    bool ExpectFrame()
    {
        command_.kind = CommandKind::ExpectFrame;
        if (!Word(1, "the reference picture, FILE.pbm"))
            return false;
        command_.path = words_[1];
        return Ends(2);
    }

    // The rest of the line, so that a path may hold blanks.
    bool LoadState()
    {
        command_.kind = CommandKind::LoadState;
        if (rest_.empty())
            return Fail("expected the state file to load, FILE.toml");
        command_.path = rest_;
        return true;
    }

    // The rest of the line, as for load-state, less the words that say how
    // to read the recording, each with its value, in any order at the end:
    // engine 2, columns MAP, from TIME.
    bool Feed()
    {
        command_.kind = CommandKind::Feed;
        if (rest_.empty())
            return Fail("expected the engine recording to replay, FILE.csv");
        const std::vector<Token> tokens = Tokens(rest_);
        size_t n = tokens.size();
        bool engine = false, columns = false, from = false;
        while (n >= 3 && IsFeedWord(tokens[n - 2].text)) {
            const std::string &word = tokens[n - 2].text, &value = tokens[n - 1].text;
            bool &given = word == "engine" ? engine : word == "columns" ? columns : from;
            if (given)
                return Fail(word + " given twice after feed");
            given = true;
            if (word == "engine") {
                if (value != "1" && value != "2")
                    return Fail("bad engine " + QuotedInput(value) + "; expected 1 or 2");
                command_.feedOptions.engine = value[0] - '0';
            } else if (word == "columns") {
                command_.feedOptions.columns = Unquoted(value);
            } else if (!ParseRecordingTime(value, &command_.feedFromMs)) {
                return Fail("bad time " + QuotedInput(value) + "; expected " + RecordingTimeForms);
            }
            n -= 2;
        }
        if (n >= 2 && IsFeedWord(tokens[n - 1].text))
            return Fail("expected " +
                        std::string(tokens[n - 1].text == "engine" ? "1 or 2"
                                    : tokens[n - 1].text == "columns"
                                        ? "the column map, such as time=Time,rpm=RPM"
                                        : RecordingTimeForms) +
                        " after " + tokens[n - 1].text);
        command_.path = rest_.substr(0, tokens[n - 1].end);
        return true;
    }

    bool ExpectText()
    {
        command_.kind = CommandKind::ExpectText;
        return TextToFind(rest_, "expect-text");
    }

    // Quoted text must be a whole drawn string, blanks and all; unquoted
    // text may be part of one.
    bool TextToFind(const std::string &text, const char *after)
    {
        if (!text.empty() && text[0] == '"') {
            if (text.size() < 2 || text.back() != '"' || text.find('"', 1) != text.size() - 1)
                return Fail("expected the text between two double quotes, \"...\"");
            command_.text = text.substr(1, text.size() - 2);
            command_.exact = true;
        } else {
            command_.text = text;
        }
        if (command_.text.empty())
            return Fail(std::string("expected the text to find after ") + after);
        return true;
    }

    bool Expect()
    {
        if (!Word(1, "expect FIELD VALUE, expect lamp red|darkred or expect screen NAME"))
            return false;
        if (words_[1] == "lamp") {
            command_.kind = CommandKind::ExpectLamp;
            return LampColour();
        }
        command_.kind = CommandKind::ExpectField;
        return FieldValue();
    }

    // "... lamp red|darkred" of expect and await.
    bool LampColour()
    {
        if (!Word(2, "red or darkred after " + words_[0] + " lamp"))
            return false;
        if (words_[2] != "red" && words_[2] != "darkred")
            return Fail("unknown lamp colour " + QuotedInput(words_[2]) + "; expected red or darkred");
        command_.lampRed = words_[2] == "red";
        return Ends(3);
    }

    // "... FIELD VALUE" and "... screen NAME" of expect and await.
    bool FieldValue()
    {
        const std::string &what = words_[1];
        command_.field = FindStateField(what == "screen" ? "currentScreen" : what, &command_.index);
        if (!command_.field)
            return Fail("unknown field " + QuotedInput(what) +
                        "; expected a field of the state record (hobbsHours, settings.pressureUnit, "
                        "flightLogHours[3], ...), lamp or screen");
        if (!Word(2, "the value of " + what))
            return false;
        const std::string &value = words_[2];
        if (command_.field->type == FieldType::Screen) {
            command_.screen = ScreenByName(value);
            if (!command_.screen && value != "-")
                return Fail("unknown screen " + QuotedInput(value) +
                            "; expected a screen name such as RunScreen or "
                            "MainMenuScreen, or - for none");
        } else if (!ParseInteger(value, INT64_MIN + 1, INT64_MAX, command_.value)) {
            return Fail("bad number " + QuotedInput(value) + "; expected a whole number for " + what);
        }
        return Ends(3);
    }

    // A lesson's prose (say, hint): between double quotes, which it may hold
    // too, or the rest of the line as written.
    bool Prose(std::string_view text, const std::string &expected)
    {
        if (!text.empty() && text[0] == '"') {
            if (text.size() < 2 || text.back() != '"')
                return Fail("expected the text between two double quotes, \"...\"");
            text = text.substr(1, text.size() - 2);
        }
        if (text.empty())
            return Fail("expected " + expected);
        command_.text = text;
        return true;
    }

    bool Say()
    {
        command_.kind = CommandKind::Say;
        return Prose(rest_, "the instruction after say, \"...\"");
    }

    // The input is read as its own line; only what a user does is shown.
    bool Show()
    {
        const char *expected =
            "an input after show, such as show press knob, show turn cw 2, show pressure 1500, "
            "show calibrate on or show engine rpm 2400";
        if (rest_.empty())
            return Fail(std::string("expected ") + expected);
        Line input = SplitLine(rest_);
        if (IsLessonWord(input.words[0]))
            return Fail("unexpected " + QuotedInput(input.words[0]) + " after show; expected " + expected);
        if (!LineParser(input, command_, error_, ScriptDialect::Scenario).Parse())
            return false;
        const CommandKind kind = command_.kind;
        if (kind != CommandKind::Click && kind != CommandKind::Slide && kind != CommandKind::Tick &&
            kind != CommandKind::Engine)
            return Fail(QuotedInput(input.words[0]) + " is no input; expected " + expected);
        command_.shown = true;
        return true;
    }

    bool Await()
    {
        command_.kind = CommandKind::Await;
        if (!Word(1, "await next, await screen NAME, await text \"TEXT\", await FIELD VALUE or "
                     "await lamp red|darkred"))
            return false;
        const std::string &what = words_[1];
        if (what == "next") {
            command_.await = AwaitKind::Next;
            return Ends(2);
        }
        if (what == "text") {
            command_.await = AwaitKind::Text;
            return TextToFind(std::string(Trim(std::string_view(rest_).substr(what.size()))), "await text");
        }
        if (what == "lamp") {
            command_.await = AwaitKind::Lamp;
            return LampColour();
        }
        command_.await = what == "screen" ? AwaitKind::Screen : AwaitKind::Field;
        return FieldValue();
    }

    bool Hint()
    {
        command_.kind = CommandKind::Hint;
        if (!Word(1, std::string("the control to hint at: ") + HintControls))
            return false;
        const HintWord *found = nullptr;
        for (const HintWord &hint : HintWords)
            if (words_[1] == hint.word)
                found = &hint;
        if (!found)
            return Fail("unknown control " + QuotedInput(words_[1]) + "; expected " + HintControls);
        command_.control = found->control;
        return Prose(Trim(std::string_view(rest_).substr(words_[1].size())),
                     "the hint's text after hint " + words_[1] + ", \"...\"");
    }

    bool Save()
    {
        command_.kind = CommandKind::Save;
        if (!Word(1, "the picture to write, FILE.png"))
            return false;
        command_.path = words_[1];
        if (words_.size() == 2)
            return true;
        if (words_[2] != "--scale")
            return Fail("unexpected " + QuotedInput(words_[2]) + "; expected --scale N");
        int64_t scale;
        if (!Word(3, "a scale 1..16 after --scale"))
            return false;
        if (!ParseInteger(words_[3], 1, MaxScale, scale))
            return Fail("bad number " + QuotedInput(words_[3]) + "; expected a scale 1..16");
        command_.scale = (int)scale;
        return Ends(4);
    }

    const std::vector<std::string> &words_;
    const std::string &rest_;
    Command &command_;
    std::string &error_;
    ScriptDialect dialect_;
};

const char *ControlWord(Control control)
{
    return control < Control::Count ? ControlInfo(control).scriptWord : "?";
}

const char *HintWordOf(Control control)
{
    for (const HintWord &hint : HintWords)
        if (hint.control == control)
            return hint.word;
    return "?";
}

// "FIELD VALUE" or "screen NAME" of expect and await.
std::string FieldText(const Command &c)
{
    std::string name = c.field->name;
    if (c.field->count != 1)
        name += "[" + std::to_string(c.index) + "]";
    if (c.field->type == FieldType::Screen)
        return (name == "currentScreen" ? "screen" : name) + " " + ScreenName(c.screen);
    return name + " " + std::to_string(c.value);
}

std::string TextToFindText(const Command &c) { return c.exact ? '"' + c.text + '"' : c.text; }

std::string AwaitText(const Command &c)
{
    switch (c.await) {
    case AwaitKind::Next:
        return "next";
    case AwaitKind::Text:
        return "text " + TextToFindText(c);
    case AwaitKind::Lamp:
        return std::string("lamp ") + (c.lampRed ? "red" : "darkred");
    case AwaitKind::Screen:
    case AwaitKind::Field:
        return FieldText(c);
    }
    return "";
}

} // namespace

bool ParseDuration(const std::string &word, int64_t &ms)
{
    struct Unit {
        const char *suffix;
        int64_t ms;
    };
    // "ms" before "m" and "s", which it ends with.
    static const Unit units[] = {{"ms", 1}, {"s", 1000}, {"m", 60 * 1000}, {"h", 60 * 60 * 1000}};
    for (const Unit &unit : units) {
        size_t n = strlen(unit.suffix);
        if (word.size() <= n || word.compare(word.size() - n, n, unit.suffix) != 0)
            continue;
        int64_t count;
        if (!ParseInteger(word.substr(0, word.size() - n), 0, MaxDurationMs / unit.ms, count))
            return false;
        ms = count * unit.ms;
        return true;
    }
    return false;
}

std::string DurationText(int64_t ms)
{
    if (ms != 0 && ms % (60 * 60 * 1000) == 0)
        return std::to_string(ms / (60 * 60 * 1000)) + "h";
    if (ms != 0 && ms % (60 * 1000) == 0)
        return std::to_string(ms / (60 * 1000)) + "m";
    if (ms != 0 && ms % 1000 == 0)
        return std::to_string(ms / 1000) + "s";
    return std::to_string(ms) + "ms";
}

bool ParseScriptText(const std::string &file, const std::string &text, Script &script,
                     std::vector<std::string> &errors, ScriptDialect dialect)
{
    script.file = file;
    script.folder = std::filesystem::path(file).parent_path();
    script.commands.clear();
    errors.clear();
    int unlisted = 0; // bad lines beyond MaxListedScriptErrors
    auto refuse = [&](int number, const std::string &what) {
        if (errors.size() < MaxListedScriptErrors)
            errors.push_back(file + ":" + std::to_string(number) + ": " + what);
        else
            ++unlisted;
    };
    std::string_view rest = text;
    if (rest.substr(0, ByteOrderMark.size()) == ByteOrderMark)
        rest.remove_prefix(ByteOrderMark.size());
    for (int number = 1; !rest.empty(); ++number) {
        size_t end = rest.find('\n');
        std::string_view raw = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        if (!raw.empty() && raw.back() == '\r') // a CRLF line end
            raw.remove_suffix(1);
        std::string what;
        if (!CheckCharacters(raw, what)) {
            refuse(number, what);
            continue;
        }
        Line line = SplitLine(raw);
        if (line.words.empty())
            continue;
        Command command{};
        command.line = number;
        if (!LineParser(line, command, what, dialect).Parse()) {
            refuse(number, what);
            continue;
        }
        script.commands.push_back(std::move(command));
    }
    if (unlisted > 0)
        errors.push_back(file + ": " + std::to_string(unlisted) + " more lines not understood");
    return errors.empty();
}

bool ParseScriptText(const std::string &file, const std::string &text, Script &script, std::string &error,
                     ScriptDialect dialect)
{
    std::vector<std::string> errors;
    if (ParseScriptText(file, text, script, errors, dialect))
        return true;
    error = errors.front();
    return false;
}

bool ParseScriptFile(const std::string &file, Script &script, std::vector<std::string> &errors,
                     ScriptDialect dialect)
{
    errors.clear();
    std::ifstream in(file, std::ios::binary);
    if (!in || std::filesystem::is_directory(file)) {
        errors.push_back(file + ": cannot read the script: " + (in ? "it is a folder" : strerror(errno)));
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) {
        errors.push_back(file + ": cannot read the script: " + strerror(errno));
        return false;
    }
    return ParseScriptText(file, std::move(text).str(), script, errors, dialect);
}

bool ParseScriptFile(const std::string &file, Script &script, std::string &error, ScriptDialect dialect)
{
    std::vector<std::string> errors;
    if (ParseScriptFile(file, script, errors, dialect))
        return true;
    error = errors.front();
    return false;
}

std::filesystem::path ScriptPath(const Script &script, const std::filesystem::path &written)
{
    return written.is_absolute() ? written : script.folder / written;
}

std::string CommandText(const Command &c)
{
    if (c.shown) {
        Command input = c;
        input.shown = false;
        return "show " + CommandText(input);
    }
    switch (c.kind) {
    case CommandKind::Click:
        return std::string(ControlWord(c.control)) + (c.count != 1 ? " " + std::to_string(c.count) : "");
    case CommandKind::Slide:
        if (c.durationMs == 0)
            return std::string(ControlWord(c.control)) + " " + std::to_string(c.position);
        return std::string("ramp ") + ControlWord(c.control) + " " + std::to_string(c.from) + " " +
               std::to_string(c.position) + " " + DurationText(c.durationMs);
    case CommandKind::Tick:
        return std::string(ControlWord(c.control)) + (c.ticked ? " on" : " off");
    case CommandKind::Wait:
        return "wait " + DurationText(c.durationMs);
    case CommandKind::ExpectFrame:
        return "expect-frame " + c.path.string();
    case CommandKind::ExpectText:
        return "expect-text " + TextToFindText(c);
    case CommandKind::ExpectField:
        return "expect " + FieldText(c);
    case CommandKind::ExpectLamp:
        return std::string("expect lamp ") + (c.lampRed ? "red" : "darkred");
    case CommandKind::Save:
        return "save " + c.path.string() + (c.scale != 1 ? " --scale " + std::to_string(c.scale) : "");
    case CommandKind::LoadState:
        return "load-state " + c.path.string();
    case CommandKind::Feed: {
        std::string text = "feed " + c.path.string();
        if (c.feedOptions.engine != 1)
            text += " engine " + std::to_string(c.feedOptions.engine);
        if (!c.feedOptions.columns.empty()) {
            // A map with blanks in its names and no quotes of its own is
            // quoted whole, so that it reads back as one word.
            const std::string &map = c.feedOptions.columns;
            const bool quote =
                map.find('"') == std::string::npos && map.find_first_of(" \t") != std::string::npos;
            text += " columns " + (quote ? '"' + map + '"' : map);
        }
        if (c.feedFromMs != 0)
            text += " from " + RecordingTimeText(c.feedFromMs);
        return text;
    }
    case CommandKind::Engine:
        return std::string("engine ") + ControlWord(c.control) + " " + c.text;
    case CommandKind::SetFault:
        return "fault " + FaultText(c.fault);
    case CommandKind::Seed:
        return "seed " + std::to_string(c.seed);
    case CommandKind::Say:
        return "say \"" + c.text + "\"";
    case CommandKind::Await:
        return "await " + AwaitText(c);
    case CommandKind::Hint:
        return std::string("hint ") + HintWordOf(c.control) + " \"" + c.text + "\"";
    }
    return "";
}
