// Reading scenario scripts: every command, its errors with file and line,
// durations, and writing a command back as the line it came from.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "host/run/script.h"
#include "screens/main_menu.h"

namespace {

// The error of parsing text as file "s.txt"; empty when it parsed.
std::string ErrorOf(const std::string &text)
{
    Script script;
    std::string error;
    return ParseScriptText("dir/s.txt", text, script, error) ? "" : error;
}

Script Parsed(const std::string &text)
{
    Script script;
    std::string error;
    EXPECT_TRUE(ParseScriptText("dir/s.txt", text, script, error)) << error;
    return script;
}

} // namespace

TEST(ScriptParser, ErrorsNameFileLineAndWhatWasExpected)
{
    using namespace std::string_literals;
    struct Case {
        std::string text;
        std::string error;
    } cases[] = {
        {"on\n\n# a comment\nblink\n", "dir/s.txt:4: unknown command \"blink\"; expected on, off, press"},
        {"pressure 4097", "dir/s.txt:1: bad number \"4097\"; expected a slider position 0..4096"},
        {"rpm -1", "dir/s.txt:1: bad number \"-1\"; expected a slider position"},
        {"rpm 12a", "dir/s.txt:1: bad number \"12a\""},
        {"ramp rpm 0 100", "dir/s.txt:1: expected a duration such as 250ms"},
        {"turn cw 0", "dir/s.txt:1: bad number \"0\"; expected a number of steps"},
        {"turn left", "dir/s.txt:1: unknown direction \"left\""},
        {"press f3", "dir/s.txt:1: unknown key \"f3\"; expected press f1, press f2 or press knob"},
        {"on now", "dir/s.txt:1: unexpected \"now\" after on"},
        {"wait 5x", "dir/s.txt:1: bad duration \"5x\"; expected a whole number with ms, s, m or h"},
        {"wait 1.5s", "dir/s.txt:1: bad duration \"1.5s\""},
        {"wait ms", "dir/s.txt:1: bad duration \"ms\""},
        {"wait -2s", "dir/s.txt:1: bad duration \"-2s\""},
        {"wait 1000000000001ms", "dir/s.txt:1: bad duration \"1000000000001ms\""},
        {"wait 277778h", "dir/s.txt:1: bad duration \"277778h\""},
        {"wait", "dir/s.txt:1: expected a duration"},
        {"calibrate yes", "dir/s.txt:1: unknown state \"yes\"; expected on or off"},
        {"expect hobbsHour 1", "dir/s.txt:1: unknown field \"hobbsHour\""},
        {"expect flightLogHours[24] 1", "dir/s.txt:1: unknown field \"flightLogHours[24]\""},
        {"expect hobbsHours ten", "dir/s.txt:1: bad number \"ten\"; expected a whole number for hobbsHours"},
        {"expect screen MainMenu", "dir/s.txt:1: unknown screen \"MainMenu\""},
        {"expect lamp green", "dir/s.txt:1: unknown lamp colour \"green\"; expected red or darkred"},
        {"expect-text \"RPM", "dir/s.txt:1: expected the text between two double quotes"},
        {"expect-text # only a comment", "dir/s.txt:1: expected the text to find"},
        {"save a.png --scale 17", "dir/s.txt:1: bad number \"17\"; expected a scale 1..16"},
        {"save a.png 2", "dir/s.txt:1: unexpected \"2\"; expected --scale N"},
        {"expect-frame", "dir/s.txt:1: expected the reference picture"},
        {"load-state", "dir/s.txt:1: expected the state file to load"},
        {"feed run.csv engine 3", "dir/s.txt:1: bad engine \"3\"; expected 1 or 2"},
        {"feed run.csv from 1:75", "dir/s.txt:1: bad time \"1:75\"; expected a time into the recording"},
        {"feed run.csv from 1 from 2", "dir/s.txt:1: from given twice after feed"},
        {"feed run.csv engine", "dir/s.txt:1: expected 1 or 2 after engine"},
        {"feed run.csv columns", "dir/s.txt:1: expected the column map"},
        {"fault pressure melt",
         "dir/s.txt:1: \"melt\" is no fault of the pressure sensor (accepted: pressure open"},
        {"fault rpm dropout 101", "dir/s.txt:1: rpm dropout 101 is outside 0..100"},
        {"fault", "dir/s.txt:1: \"\" is not a fault"},
        {"seed -1", "dir/s.txt:1: bad number \"-1\"; expected a seed 0..999999999999999999"},
        {"seed", "dir/s.txt:1: expected a seed"},
        {"seed 1 2", "dir/s.txt:1: unexpected \"2\" after seed"},
        {"engine pressure 25", "dir/s.txt:1: \"25\" has no unit: one of mbar, bar, kPa, inHg, psi"},
        {"engine pressure 25 feet", "dir/s.txt:1: \"25feet\" has an unknown unit"},
        {"engine oil 3bar", "dir/s.txt:1: unknown engine value \"oil\"; expected engine pressure"},
        {"engine rpm", "dir/s.txt:1: expected engine pressure VALUE"},
        {"engine rpm fast", "dir/s.txt:1: \"fast\" is not an engine speed"},
        {"engine rpm 2400 rpm now", "dir/s.txt:1: unexpected \"now\" after engine"},
        // Blanks are spaces and tabs; another control character would shift
        // or split the words, and is named instead.
        {"\vexpect-text hello",
         "dir/s.txt:1: control character 0x0B at column 1; expected printable characters"},
        {"on\n\fload-state states/x.toml", "dir/s.txt:2: control character 0x0C at column 1"},
        {"expect-text a\0b"s, "dir/s.txt:1: control character 0x00 at column 14"},
        {"expect-text \u00e9\u00e9\x1b", "dir/s.txt:1: control character 0x1B at column 15"},
        {"on\roff", "dir/s.txt:1: control character 0x0D at column 3"},
        {"on\r\r\n", "dir/s.txt:1: control character 0x0D at column 3"},
        {"wait 2s\x7f", "dir/s.txt:1: control character 0x7F at column 8"},
        {"on # \x01 in a comment", "dir/s.txt:1: control character 0x01 at column 6"},
        {"on\n\xEF\xBB\xBFoff",
         "dir/s.txt:2: byte-order mark (EF BB BF) at column 1; expected one only at the start"},
        {"\xEF\xBB\xBF\xEF\xBB\xBFon", "dir/s.txt:1: byte-order mark (EF BB BF) at column 1"},
        {"ramp pressure 0 4096 0ms",
         "dir/s.txt:1: a ramp takes time: expected a duration above 0, such as 250ms or "
         "2s; pressure N moves the slider at once"},
        // Quoted input is cut after 40 characters, never inside one.
        {"pressure " + std::string(100000, '9'),
         "dir/s.txt:1: bad number \"" + std::string(40, '9') + "...\"; expected a slider position"},
        {"press " + std::string(39, 'a') + "\u00e9\u00e9",
         "dir/s.txt:1: unknown key \"" + std::string(39, 'a') + "\u00e9...\"; expected"},
        {"turn " + std::string(40, 'a'),
         "dir/s.txt:1: unknown direction \"" + std::string(40, 'a') + "\"; expected"},
    };
    for (const Case &c : cases) {
        std::string error = ErrorOf(c.text);
        EXPECT_EQ(error.rfind(c.error, 0), 0u) << "script: " << c.text << "\nerror: " << error;
    }
}

// Every message quoting a refused word quotes no more than its start.
TEST(ScriptParser, MessagesQuoteOnlyTheStartOfALongWord)
{
    const std::string word(1 << 20, 'w'), quoted = "\"" + std::string(40, 'w') + "...\"";
    for (std::string line : {"W",
                             "on W",
                             "pressure W",
                             "turn W",
                             "turn cw W",
                             "press W",
                             "ramp W",
                             "ramp rpm W",
                             "ramp rpm 0 W",
                             "ramp rpm 0 1 W",
                             "ramp rpm 0 1 1s W",
                             "calibrate W",
                             "wait W",
                             "expect W",
                             "expect hobbsHours W",
                             "expect screen W",
                             "expect lamp W",
                             "save a.png W",
                             "save a.png --scale W",
                             "fault W",
                             "fault pressure W",
                             "fault rpm spikes W",
                             "seed W",
                             "engine W",
                             "engine rpm W"}) {
        std::string error = ErrorOf(std::string(line).replace(line.find('W'), 1, word));
        EXPECT_NE(error.find(quoted), std::string::npos) << line << "\nerror: " << error.substr(0, 200);
        EXPECT_LT(error.size(), 400u) << line;
    }
}

// Blanks are spaces and tabs; a CRLF line end and a byte-order mark starting
// the file are no part of the text. Each case: the script, and its commands
// written back, joined by |.
TEST(ScriptParser, BlanksLineEndsAndAByteOrderMark)
{
    const char *cases[][2] = {
        {"\xEF\xBB\xBF# a comment\r\nturn\tccw\t3\r\nwait 2s\r", "turn ccw 3|wait 2s"},
        {"\t expect-text \tHOBBS\tMETER \t\r\n", "expect-text HOBBS\tMETER"},
        {"expect-text \"\tA \"\t\r\n", "expect-text \"\tA \""},
        {"\tload-state\tstates/x y.toml\t", "load-state states/x y.toml"},
        {"expect-text caf\u00e9 20\u00b0C", "expect-text caf\u00e9 20\u00b0C"},
    };
    for (const auto &c : cases) {
        std::string written;
        for (const Command &command : Parsed(c[0]).commands)
            written += (written.empty() ? "" : "|") + CommandText(command);
        EXPECT_EQ(written, c[1]) << "script: " << c[0];
    }
}

TEST(ScriptParser, AScriptThatCannotBeReadIsAnError)
{
    Script script;
    std::string error;
    EXPECT_FALSE(ParseScriptFile("no/such/script.txt", script, error));
    EXPECT_EQ(error, "no/such/script.txt: cannot read the script: No such file or directory");
    EXPECT_FALSE(ParseScriptFile(::testing::TempDir(), script, error));
    EXPECT_NE(error.find("cannot read the script"), std::string::npos) << error;
}

TEST(ScriptParser, DurationsInEveryUnit)
{
    struct Case {
        const char *word;
        int64_t ms;
        const char *text;
    } cases[] = {{"250ms", 250, "250ms"},
                 {"2s", 2000, "2s"},
                 {"90m", 5400000, "90m"},
                 {"10h", 36000000, "10h"},
                 {"1500ms", 1500, "1500ms"},
                 {"120s", 120000, "2m"},
                 {"0ms", 0, "0ms"},
                 {"3600s", 3600000, "1h"},
                 // Past 32 bits, up to the longest duration there is.
                 {"2147483648ms", INT64_C(2147483648), "2147483648ms"},
                 {"600h", INT64_C(2160000000), "600h"},
                 {"277777h", INT64_C(999997200000), "277777h"},
                 {"1000000000000ms", INT64_C(1000000000000), "1000000000s"}};
    for (const Case &c : cases) {
        int64_t ms = -1;
        EXPECT_TRUE(ParseDuration(c.word, ms)) << c.word;
        EXPECT_EQ(ms, c.ms) << c.word;
        EXPECT_EQ(DurationText(c.ms), c.text);
    }
}

TEST(ScriptParser, CommandsKeepTheirLinesAndArguments)
{
    Script script = Parsed("# power on\n"
                           "on   # and wait\n"
                           "turn ccw 5\n"
                           "ramp pressure 100 2000 3s\n"
                           "expect flightLogMinutes[2] 7\n"
                           "expect screen MainMenuScreen\n"
                           "expect-text  HOBBS METER  \n"
                           "expect-text \" # 1 \"\n"
                           "expect-frame refs/a.pbm\n");
    EXPECT_EQ(script.folder, "dir");
    ASSERT_EQ(script.commands.size(), 8u);
    const Command &turn = script.commands[1];
    EXPECT_EQ(turn.line, 3);
    EXPECT_EQ(turn.control, Control::AntiClockwise);
    EXPECT_EQ(turn.count, 5);
    const Command &ramp = script.commands[2];
    EXPECT_EQ(ramp.from, 100);
    EXPECT_EQ(ramp.position, 2000);
    EXPECT_EQ(ramp.durationMs, 3000);
    EXPECT_EQ(script.commands[3].index, 2);
    EXPECT_EQ(script.commands[3].value, 7);
    EXPECT_EQ(script.commands[4].screen, &MainMenuScreen);
    EXPECT_EQ(script.commands[5].text, "HOBBS METER");
    EXPECT_FALSE(script.commands[5].exact);
    EXPECT_EQ(script.commands[6].text, " # 1 ") << "blanks and # inside quotes belong to the text";
    EXPECT_TRUE(script.commands[6].exact);
}

// What the recorder writes must read back as the same commands.
TEST(ScriptParser, EveryCommandWrittenBackReadsTheSame)
{
    const char *lines[] = {"on",
                           "off",
                           "press f1",
                           "press f2",
                           "press knob",
                           "turn cw",
                           "turn ccw 12",
                           "pressure 4096",
                           "rpm 0",
                           "ramp rpm 0 150 2500ms",
                           "calibrate on",
                           "keyfast off",
                           "wait 90m",
                           "expect-frame refs/run.pbm",
                           "expect-text MAX VALUES",
                           "expect-text \" RESET \"",
                           "expect settings.pressureCalOffset -12",
                           "expect entryDigits[5] 9",
                           "expect screen RunScreen",
                           "expect returnScreen -",
                           "expect lamp darkred",
                           "save shots/run.png",
                           "save run.png --scale 3",
                           "load-state states/hobbs at 9999.toml",
                           "feed runs/engine run.csv",
                           "feed log.csv engine 2",
                           "feed log.csv columns time=Time,mp_inhg=MAP,rpm=RPM",
                           "feed log.csv engine 2 columns \"time=Lcl Time,rpm=E1 RPM\" from 00:35:00",
                           "feed log.csv columns time=\"Lcl Time\",rpm=RPM from 00:00:01.250",
                           "fault pressure noise 20",
                           "fault rpm dead",
                           "fault pressure off",
                           "seed 42",
                           "engine pressure 25.0inHg",
                           "engine rpm 2400"};
    for (const char *line : lines)
        EXPECT_EQ(CommandText(Parsed(line).commands.at(0)), line);
}

// A feed's words follow its file in any order; the file may hold blanks.
TEST(ScriptParser, FeedWordsFollowTheFileInAnyOrder)
{
    // line, path, engine, columns, from (ms)
    using Case = std::tuple<const char *, const char *, int, const char *, int64_t>;
    for (const auto &[line, path, engine, columns, fromMs] :
         {Case{"feed my run.csv", "my run.csv", 1, "", 0},
          Case{"feed my run.csv from 35:00 engine 2", "my run.csv", 2, "", 2100000},
          Case{"feed a.csv columns \"rpm=E1 RPM\" from 90.5 # comment", "a.csv", 1, "rpm=E1 RPM", 90500},
          Case{"feed a.csv engine 1 columns rpm=\"E1 RPM\",time=T", "a.csv", 1, "rpm=\"E1 RPM\",time=T", 0},
          Case{"feed from", "from", 1, "", 0}}) { // a file called "from"
        const Command feed = Parsed(line).commands.at(0);
        EXPECT_EQ(feed.path, path) << line;
        EXPECT_EQ(feed.feedOptions.engine, engine) << line;
        EXPECT_EQ(feed.feedOptions.columns, columns) << line;
        EXPECT_EQ(feed.feedFromMs, fromMs) << line;
    }
}
