// A file's kind told by its content: TOML state file or CSV recording.
#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>
#include <utility>
#include <vector>

#include "host/form/file_kind.h"
#include "support/temp_folder.h"

TEST(FileKind, TheContentTellsAStateFileFromARecording)
{
    using namespace std::string_literals;
    const struct {
        FileKind kind;
        std::vector<std::string> heads;
    } cases[] = {
        {FileKind::StateFile,
         {"hobbsHours = 1234\n", "# my aircraft\n\n[controls]\nrpm = 100\n",
          "\xEF\xBB\xBF  flightLog = [ \"empty\" ]\r\n", "[[a.b]]\n", "[controls] # the sliders\n",
          "\"quoted key\" = 1", "settings.pressureUnit=2", "# only a comment\n"}},
        {FileKind::Recording,
         {"[a]]\n", "time,mp_inhg,rpm\n0,29.9,2400\n", "Time;MAP;RPM\n0;29,9;2400\n", "time\tmp_kpa\trpm\n",
          "#airframe_info, log_version=\"1.00\", airframe_name=\"N1\",\n#yyy-mm-dd, hh:mm:ss\n  Lcl Date, "
          "Lcl Time\n",
          "# exported\nTime,Note=x\n", "[a],[b]\n", "\"Lcl Time\",\"E1 MAP\"\n"}},
        {FileKind::Neither, {"", "\n \r\n", "time,rpm\n\0\0"s}}};
    for (const auto &c : cases)
        for (const std::string &head : c.heads)
            EXPECT_EQ(SniffFileKind(head), c.kind) << head;
}

TEST(FileKind, WhatIsNoFileIsRefusedByWhatItIs)
{
    TempFolder folder;
    WriteText(folder.File("run.csv"), "time,rpm\n0,2400\n");
    WriteText(folder.File("empty.toml"), "");
    ASSERT_EQ(mkfifo(folder.File("pipe").c_str(), 0600), 0);
    // path, error (nullptr: a recording)
    const std::pair<std::string, const char *> cases[] = {
        {folder.File("run.csv"), nullptr},
        {folder.path, "is a folder"},
        {folder.File("pipe"), "is a device, a pipe or a socket"},
        {"/dev/zero", "is a device, a pipe or a socket"},
        {folder.File("empty.toml"), "is empty: neither a state file (TOML) nor an engine recording (CSV)"},
        {folder.File("missing.csv"), "No such file"}};
    for (const auto &[path, want] : cases) {
        FileKind kind = FileKind::Neither;
        std::string error;
        EXPECT_EQ(ReadFileKind(path, &kind, &error), want == nullptr) << path;
        EXPECT_TRUE(want ? error.rfind(path + ": ", 0) == 0 && error.find(want) != std::string::npos
                         : kind == FileKind::Recording)
            << path << ": " << error;
    }
}
