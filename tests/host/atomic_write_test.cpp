#include <gtest/gtest.h>

#include <sys/stat.h>

#include "host/state_file/atomic_write.h"
#include "support/temp_folder.h"

namespace {

std::string seenPath, seenText;

// Stands for a crash after the new text is on the disk, before the rename.
bool CrashBeforeRename(const std::string &temporaryPath)
{
    seenPath = temporaryPath;
    seenText = ReadText(temporaryPath);
    return false;
}

} // namespace

TEST(AtomicWrite, AFailureBetweenWriteAndRenameLeavesTheOldFileAndNothingElse)
{
    TempFolder folder;
    std::string path = folder.File("store.toml");
    WriteText(path, "hobbsHours = 1\n");
    chmod(path.c_str(), 0640);
    AgeFile(path);
    std::string before = Stamp(path);

    SetBeforeRenameHook(CrashBeforeRename);
    std::string error;
    bool written = WriteFileAtomically(path, "hobbsHours = 2\n", &error);
    SetBeforeRenameHook(nullptr);
    EXPECT_FALSE(written);
    EXPECT_EQ(error.rfind(path + ": interrupted before the rename", 0), 0u) << error;
    EXPECT_EQ(seenText, "hobbsHours = 2\n"); // complete, beside the file
    EXPECT_EQ(seenPath.rfind(path + ".", 0), 0u) << seenPath;
    EXPECT_EQ(Stamp(path), before);
    EXPECT_EQ(folder.Listing(), "store.toml");

    // The temporary file is private while written; the result keeps the
    // replaced file's permissions, and a new file gets the usual ones.
    ASSERT_TRUE(WriteFileAtomically(path, "hobbsHours = 3\n", &error)) << error;
    EXPECT_EQ(ReadText(path), "hobbsHours = 3\n");
    struct stat info {};
    stat(path.c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    mode_t mask = umask(022);
    ASSERT_TRUE(WriteFileAtomically(folder.File("new.toml"), "", &error)) << error;
    umask(mask);
    stat(folder.File("new.toml").c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
    EXPECT_EQ(folder.Listing(), "new.toml store.toml");
}
