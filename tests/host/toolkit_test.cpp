// What the toolkit makes of a drop from a file manager.
#include <gtest/gtest.h>

#include "host/toolkit.h"

TEST(DroppedFiles, UrisAndPathsBecomeTheFilesInOrder)
{
    struct Case {
        const char *text;
        std::vector<std::string> paths;
    } cases[] = {
        {"file:///home/pilot/engine%20log.csv\r\n", {"/home/pilot/engine log.csv"}},
        {"file://localhost/a.toml\nfile:///b%2Ccsv", {"/a.toml", "/b,csv"}},
        {"/tmp/run.csv\n/tmp/state.toml\n", {"/tmp/run.csv", "/tmp/state.toml"}},
        {"# comment\r\n\r\nfile:///x%zz%4", {"/x%zz%4"}},
        {"file://otherhost/a.csv\nhttp://example.com/a.csv\nrelative.csv\nfile://", {}},
        {"file:///a%00b", {}},
        {"", {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(DroppedFilePaths(c.text), c.paths) << c.text;
}
