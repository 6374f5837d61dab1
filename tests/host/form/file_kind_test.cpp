// A file's kind told by its content: TOML state file or CSV recording.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "host/form/file_kind.h"
#include "support/temp_folder.h"

TEST(FileKind, TheContentTellsAStateFileFromARecording)
{
    using namespace std::string_literals;
    struct Case {
        std::string head;
        FileKind kind;
    } cases[] = {
        {"hobbsHours = 1234\n", FileKind::StateFile},
        {"# my aircraft\n\n[controls]\nrpm = 100\n", FileKind::StateFile},
        {"\xEF\xBB\xBF  flightLog = [ \"empty\" ]\r\n", FileKind::StateFile},
        {"[[a.b]]\n", FileKind::StateFile},
        {"[controls] # the sliders\n", FileKind::StateFile},
        {"[a]]\n", FileKind::Recording},
        {"\"quoted key\" = 1", FileKind::StateFile},
        {"settings.pressureUnit=2", FileKind::StateFile},
        {"# only a comment\n", FileKind::StateFile},
        {"time,mp_inhg,rpm\n0,29.9,2400\n", FileKind::Recording},
        {"Time;MAP;RPM\n0;29,9;2400\n", FileKind::Recording},
        {"time\tmp_kpa\trpm\n", FileKind::Recording},
        {"#airframe_info, log_version=\"1.00\", airframe_name=\"N1\",\n#yyy-mm-dd, hh:mm:ss\n  Lcl Date, Lcl "
         "Time\n",
         FileKind::Recording},
        {"# exported\nTime,Note=x\n", FileKind::Recording},
        {"[a],[b]\n", FileKind::Recording},
        {"\"Lcl Time\",\"E1 MAP\"\n", FileKind::Recording},
        {"", FileKind::Neither},
        {"\n \r\n", FileKind::Neither},
        {"time,rpm\n\0\0"s, FileKind::Neither},
    };
    for (const Case &c : cases)
        EXPECT_EQ(SniffFileKind(c.head), c.kind) << c.head;
}

TEST(FileKind, WhatIsNoFileIsRefusedByWhatItIs)
{
    TempFolder folder;
    WriteText(folder.File("run.csv"), "time,rpm\n0,2400\n");
    WriteText(folder.File("empty.toml"), "");
    ASSERT_EQ(mkfifo(folder.File("pipe").c_str(), 0600), 0);
    struct Case {
        std::string path;
        const char *error; // nullptr: a recording
    } cases[] = {
        {folder.File("run.csv"), nullptr},
        {folder.path, "is a folder"},
        {folder.File("pipe"), "is a device, a pipe or a socket"},
        {"/dev/zero", "is a device, a pipe or a socket"},
        {folder.File("empty.toml"), "is empty: neither a state file (TOML) nor an engine recording (CSV)"},
        {folder.File("missing.csv"), "No such file"},
    };
    for (const Case &c : cases) {
        FileKind kind = FileKind::Neither;
        std::string error;
        EXPECT_EQ(ReadFileKind(c.path, &kind, &error), c.error == nullptr) << c.path;
        if (c.error)
            EXPECT_EQ(error.rfind(c.path + ": ", 0) == 0 && error.find(c.error) != std::string::npos, true)
                << error;
        else
            EXPECT_EQ(kind, FileKind::Recording);
    }
}
