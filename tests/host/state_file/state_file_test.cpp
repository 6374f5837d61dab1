#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "host/form/form_state_files.h"
#include "host/state_file/state_file_format.h"
#include "host/state_file/state_file_limits.h"
#include "instrument/state.h"
#include "support/temp_folder.h"
#include "support/window_fixture.h"

namespace {

class StateFile : public WindowTest {
  protected:
    TempFolder folder;
    std::string path = folder.File("state.toml");
};

// Every key at the top or the bottom of its range, a third of the log empty.
void SetEdges(TForm1 &form, bool high)
{
    state.hobbsHours = high ? 10000 : 0;
    state.hobbsMinutes = high ? 99 : 0;
    state.hobbsSeconds = high ? 59 : 0;
    state.maintHours = high ? 999 : 0;
    state.maintMinutes = high ? 59 : 0;
    state.settings.accessCode = high ? 9999 : 0;
    for (int i = 0; i < FlightLogEntries; ++i) {
        bool empty = (i % 3 == 1) == high;
        state.flightLogHours[i] = empty ? 0xFF : (uint8_t)(high ? 99 - i : i);
        state.flightLogMinutes[i] = empty ? 0xFF : (uint8_t)(high ? 60 - i : 0);
    }
    form.TrackBar1.SetPosition(high ? 4096 : 0);
    form.TrackBar2.SetPosition(high ? 4096 : 0);
    form.CheckBox2.SetChecked(high);
    form.CheckBox3.SetChecked(high);
}

} // namespace

// Loading each file over the other's values and saving again gives the same
// text, so every key was read, applied and written.
TEST_F(StateFile, EveryKeyRoundTripsAtBothEndsOfItsRange)
{
    std::string high = folder.File("high.toml"), low = folder.File("low.toml");
    SetEdges(*form, true);
    ASSERT_TRUE(SaveStateFile(high, *form).ok);
    SetEdges(*form, false);
    ASSERT_TRUE(SaveStateFile(low, *form).ok);
    EXPECT_NE(ReadText(high).find("rpm = 4096"), std::string::npos);
    EXPECT_EQ(ReadText(high).find("TrackBar"), std::string::npos);
    for (const std::string &file : {high, low, high}) {
        StateFileResult loaded = LoadStateFile(file, *form);
        ASSERT_TRUE(loaded.ok && loaded.warnings.empty()) << loaded.error;
        ASSERT_TRUE(SaveStateFile(path, *form).ok);
        EXPECT_EQ(ReadText(path), ReadText(file));
    }
    EXPECT_EQ(state.simPressureInput, 4096); // as if the user moved the slider
}

// Each kind of bad value: the message names the file, the line, the key and
// why; nothing of the file applies, not even its good first line; and the
// store refuses the file without touching it.
TEST_F(StateFile, BadFilesAreRefusedWholeAndLeftUntouched)
{
    const char *cases[][2] = {
        {"hobbsHours = \n", ":2: not valid TOML"},
        {"hobbsHours = \"12\"\n", ":2: hobbsHours: expected a whole number 0..10000, found a string"},
        {"hobbsHours = 1.5\n", ":2: hobbsHours: expected a whole number 0..10000, found a number with"},
        {"hobbsHours = 10001\n", ":2: hobbsHours: 10001 is outside 0..10000"},
        {"hobbsMinutes = 100\n", ":2: hobbsMinutes: 100 is outside 0..99"},
        {"hobbsSeconds = 60\n", ":2: hobbsSeconds: 60 is outside 0..59"},
        {"maintMinutes = -1\n", ":2: maintMinutes: -1 is outside 0..59"},
        {"[settings]\naccessCode = 10000\n", ":3: settings.accessCode: 10000 is outside 0..9999"},
        {"settings = 1234\n", ":2: settings: expected a table, found a whole number"},
        {"[controls]\nTrackBar2 = 4097\n", ":3: controls.TrackBar2: 4097 is outside 0..4096"},
        {"[controls]\nCheckBox2 = 1\n", ":3: controls.CheckBox2: expected true or false"},
        {"flightLog = [\n\"empty\",\n{ hours = 1, minutes = 61 } ]\n",
         ":4: flightLog entry 2: minutes: 61 is"},
        {"flightLog = [ { hours = 100, minutes = 0 } ]\n",
         ":2: flightLog entry 1: hours: 100 is outside 0..99"},
        {"flightLog = [ { hours = 1 } ]\n", ":2: flightLog entry 1: minutes missing"},
        {"flightLog = [ \"emtpy\" ]\n", ":2: flightLog entry 1: \"emtpy\" is neither \"empty\""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c[0]);
        WriteText(path, std::string("maintHours = 5\n") + c[0]);
        AgeFile(path);
        std::string before = Stamp(path);
        state.maintHours = 77;
        form->TrackBar2.SetPosition(7);

        StateFileResult loaded = LoadStateFile(path, *form);
        EXPECT_FALSE(loaded.ok);
        EXPECT_EQ(loaded.error.rfind(path + c[1], 0), 0u) << loaded.error;
        EXPECT_EQ(state.maintHours, 77u);
        EXPECT_EQ(form->TrackBar2.Position(), 7);

        StateFileResult opened = OpenStore(path, *form);
        EXPECT_FALSE(opened.ok || StoreIsOpen());
        EXPECT_EQ(opened.error, loaded.error);
        EXPECT_EQ(Stamp(path), before);
    }
    std::string log = "flightLog = [";
    for (int i = 0; i < 25; ++i)
        log += "\"empty\", ";
    WriteText(path, log + "]\n");
    EXPECT_EQ(LoadStateFile(path, *form).error, path + ":1: flightLog: 25 entries, at most 24");
    EXPECT_EQ(folder.Listing(), "state.toml");
}

// Files of earlier versions named the controls after the form's widgets:
// each old key still loads, with a warning naming the key to use, and is
// written under that key; one control under both names is refused.
TEST_F(StateFile, OldControlKeysLoadWithAWarningAndBothNamesAtOnceAreRefused)
{
    const char *renamed[][2] = {{"TrackBar1", "pressure"},
                                {"TrackBar2", "rpm"},
                                {"CheckBox2", "calibrate"},
                                {"CheckBox3", "keyfast"}};
    WriteText(path, "[controls]\nTrackBar1 = 10\nTrackBar2 = 20\nCheckBox2 = true\nCheckBox3 = true\n");
    StateFileResult loaded = LoadStateFile(path, *form);
    ASSERT_TRUE(loaded.ok) << loaded.error;
    ASSERT_EQ(loaded.warnings.size(), 4u);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(loaded.warnings[i], path + ":" + std::to_string(i + 2) + ": warning: controls." +
                                          renamed[i][0] + " is an old name: read as controls." +
                                          renamed[i][1] + ", the key to use now");
    EXPECT_EQ(state.simPressureInput, 10); // as if the user moved the slider
    EXPECT_EQ(form->TrackBar2.Position(), 20);
    EXPECT_TRUE(form->CheckBox2.Checked() && form->CheckBox3.Checked());
    ASSERT_TRUE(SaveStateFile(path, *form).ok);
    EXPECT_NE(ReadText(path).find("[controls]\ncalibrate = true\nkeyfast = true\npressure = 10\nrpm = 20\n"),
              std::string::npos)
        << ReadText(path);

    WriteText(path, "[controls]\nrpm = 5\nTrackBar2 = 6\n");
    loaded = LoadStateFile(path, *form);
    EXPECT_FALSE(loaded.ok);
    EXPECT_EQ(loaded.error, path + ":3: controls.TrackBar2: the same control as controls.rpm, which the file "
                                   "also sets; keep only controls.rpm");
    EXPECT_EQ(form->TrackBar2.Position(), 20);
}

TEST_F(StateFile, UnknownKeysAreNamedInWarningsAndKeysLeftOutKeepTheirValues)
{
    WriteText(path, "hobsHours = 5\nmaintHours = 12\n"
                    "flightLog = [ { hours = 2, minutes = 60, seconds = 4 } ]\n"
                    "[controls]\nTrackBar3 = 1\n");
    state.hobbsHours = 77;
    StateFileResult loaded = LoadStateFile(path, *form);
    ASSERT_TRUE(loaded.ok) << loaded.error;
    EXPECT_EQ(state.hobbsHours, 77u);
    EXPECT_EQ(state.maintHours, 12u);
    EXPECT_EQ(state.flightLogMinutes[0], 60);
    EXPECT_GT(state.flightLogHours[1], 99); // a short log ends in empty entries
    EXPECT_GT(state.flightLogHours[23], 99);
    ASSERT_EQ(loaded.warnings.size(), 3u);
    EXPECT_EQ(loaded.warnings[0], path + ":1: warning: unknown key hobsHours, ignored");
    EXPECT_EQ(loaded.warnings[1], path + ":3: warning: unknown key flightLog entry 1: seconds, ignored");
    EXPECT_EQ(loaded.warnings[2], path + ":5: warning: unknown key controls.TrackBar3, ignored");

    // A refused file still names its unknown keys: often the same mistake.
    WriteText(path, "maintHour = 12\nhobbsMinutes = 100\n");
    loaded = LoadStateFile(path, *form);
    EXPECT_FALSE(loaded.ok);
    ASSERT_EQ(loaded.warnings.size(), 1u);
    EXPECT_EQ(loaded.warnings[0], path + ":1: warning: unknown key maintHour, ignored");

    std::string example = QPX_TEST_DATA_DIR "/../../examples/state.toml";
    StateFileValues values;
    std::vector<std::string> warnings;
    std::string error;
    ASSERT_TRUE(ParseStateFile(ReadText(example), example, &values, &warnings, &error)) << error;
    EXPECT_TRUE(warnings.empty() && values.hasFlightLog);
    EXPECT_EQ(values.values.size(), 6u); // the example shows every key
    for (const ControlEntry &control : ControlTable)
        EXPECT_EQ(values.controls[control.control].has_value(), control.kind != ControlKind::Button);
}

// F5 saves into the current folder; a second save within the same second
// gets a name of its own.
TEST_F(StateFile, TheSaveKeyWritesNewTimeStampedFiles)
{
    std::string back = std::filesystem::current_path();
    std::filesystem::current_path(folder.path);
    state.hobbsHours = 42;
    headless::PressKey(*form, vkF(5));
    headless::PressKey(*form, vkF(5));
    Idle();
    std::filesystem::current_path(back);
    std::string files = folder.Listing(); // "qpx-state-<date>-<time>[-2].toml" twice
    EXPECT_EQ(files.find("qpx-state-"), 0u) << files;
    EXPECT_NE(files.find(" qpx-state-"), std::string::npos) << files;
    // The status bar names the whole path.
    EXPECT_NE(form->StatusBar1.Caption().find("State saved to " + folder.File("qpx-state-")),
              std::string::npos)
        << form->StatusBar1.Caption();
    state.hobbsHours = 0;
    ASSERT_TRUE(LoadStateFile(folder.File(files.substr(0, files.find(' '))), *form).ok);
    EXPECT_EQ(state.hobbsHours, 42u);

    // With a screenshots folder the state files go there too.
    const std::string shots = folder.File("shots");
    std::filesystem::create_directory(shots);
    form->SetShotsFolder(shots);
    headless::PressKey(*form, vkF(5));
    Idle();
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(shots), {}), 1);
}

// Before the TOML reader sees a file, its bytes and its shape must be those
// of a small flat state file; the reader never sees the rest.
TEST_F(StateFile, FilesFarFromAStateFileAreRefusedBeforeTheReaderSeesThem)
{
    const std::string comment(StateFileMaxBytes - 2, '#');
    const struct {
        std::string text;
        const char *refusal; // after "path:", or "" when the file reads
    } cases[] = {
        {"\xEF\xBB\xBFhobbsHours = 1\n", ""},
        {"[a.b.c.d]\n[a.b]\nk.l = [1]\n", ""},
        {"x = \"\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\" # \xC3\xA9\n", ""},
        {comment + "\n\n", ""},
        {comment + "\n\n\n", "3: the file is larger than 64 KiB"},
        {"[a.b.c.d.e]\n", "1: nested 5 levels deep: a state file has at most 4"},
        {"\n[a . \"b.c\" .d.e.f]\n", "2: nested 5 levels deep"},
        {"a.b.c.d.e.f = 1\n", "1: nested 5 levels deep"},
        {"l = [[[[[1]]]]]\n", "1: nested 5 levels deep"},
        {"[a.b.c]\nk = [{ x = 1 }]\n", "2: nested 5 levels deep"},
        {"k = { a = { b.c = 1 } }\n", ""},
        {"k = { a = { b.c.d.e = 1 } }\n", "1: nested 5 levels deep"},
        {"\xC3\xA9", "1: byte 0xC3 outside a string or comment"},
        {"x = 1\nx\xC3\xA9 = 1\n", "2: byte 0xC3 outside a string or comment"},
        {"x = \"\xC3\"\n", "1: not well-formed UTF-8 in a string or comment"},
        {"x = 1 # \xED\xA0\x80\n", "1: not well-formed UTF-8"},
        {"x = '\xF4\x90\x80\x80'\n", "1: not well-formed UTF-8"},
        {std::string("[\0", 2), "1: control character 0x00: not allowed in a state file"},
        {"x = \"\x1B[31m\"\n", "1: control character 0x1B"},
        {"\n\nx = 1\x7F\n", "3: control character 0x7F"},
        {"x = \"\\t\\u00e9\"\ny = \"\"\"a\\\n  b\"\"\"\nz = 'c\\d'\n", ""},
        {"x = 1'\xC3\xA9'\n", "1: a quote inside a word"},
        {"x = 1.'\xC3\xA9'\n", "1: a quote inside a word"},
        {"x = 1='\xC3\xA9'\n", "1: a quote inside a word"},
        {"x = \"\\q\"\n", "1: unknown escape \\q in a string"},
        {"x = \"\"\"a\\\n\xC3\xA9\"\"\"\n", "2: byte 0xC3 after a backslash that ends a line"},
        // Input quoted by a message stays on its line.
        {"flightLog = [\"\"\"a\nb\"\"\"]\n", "1: flightLog entry 1: \"a\\nb\" is neither"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text.substr(0, 60));
        StateFileValues values;
        std::string error;
        const bool read = ParseStateFile(c.text, "f.toml", &values, nullptr, &error);
        if (*c.refusal == '\0')
            EXPECT_TRUE(read) << error;
        else
            EXPECT_EQ(error.rfind(std::string("f.toml:") + c.refusal, 0), 0u) << error;
    }
}

// Under today's keys, with no form on either side.
TEST(StateFileRecord, WritesOnlyTheValuesItHoldsAndReadsThemBack)
{
    using Keys = std::vector<std::string>; // text, then keys written and keys absent:
    const std::tuple<std::string, Keys, Keys> cases[] = {
        // clang-format off
        {"hobbsHours = 5\n", {"hobbsHours = 5"}, {"[controls]", "flightLog", "maintHours"}},
        {"[controls]\nrpm = 4096\nkeyfast = true\n", {"rpm = 4096", "keyfast = true"},
         {"pressure", "calibrate", "hobbsHours", "flightLog"}},
        {"[controls]\nTrackBar1 = 7\nCheckBox2 = false\n", {"pressure = 7", "calibrate = false"},
         {"TrackBar1", "CheckBox2", "rpm"}},
        {"flightLog = [\"empty\", { hours = 3, minutes = 60 }]\n",
         {"flightLog = [\n    \"empty\",\n    { hours = 3, minutes = 60 },\n    \"empty\","},
         {"[controls]", "hobbsHours"}}};
    // clang-format on
    for (const auto &[given, written, absent] : cases) {
        StateFileValues values, again;
        std::string error;
        ASSERT_TRUE(ParseStateFile(given, "f.toml", &values, nullptr, &error)) << error;
        const std::string text = StateFileText(values);
        SCOPED_TRACE(given + " written as\n" + text);
        for (const std::string &key : written)
            EXPECT_NE(text.find(key), std::string::npos) << key;
        for (const std::string &key : absent)
            EXPECT_EQ(text.find(key), std::string::npos) << key;
        ASSERT_TRUE(ParseStateFile(text, "f.toml", &again, nullptr, &error)) << error;
        EXPECT_EQ(again.controls, values.controls);
        EXPECT_EQ(StateFileText(again), text);
    }
}

// Reading the form gives every slider and check box.
TEST_F(StateFile, ControlValuesMoveOnlyTheControlsTheyGive)
{
    ControlValues before;
    for (const ControlEntry &entry : ControlTable)
        if (entry.kind != ControlKind::Button)
            before[entry.control] = entry.max;
    for (const auto &[control, value] : {std::pair{Control::Pressure, 17}, std::pair{Control::Rpm, 300},
                                         std::pair{Control::Calibrate, 0}, std::pair{Control::KeyFast, 0}}) {
        SCOPED_TRACE(ControlInfo(control).scriptWord);
        ControlValues given, expected = before;
        ApplyControlValues(*form, before);
        given[control] = expected[control] = value;
        ApplyControlValues(*form, given);
        EXPECT_EQ(ReadControlValues(*form), expected);
    }
}
