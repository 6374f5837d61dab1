#include <gtest/gtest.h>

#include <filesystem>
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
    EXPECT_EQ(seenPath.rfind(folder.File(".store.toml.tmp-"), 0), 0u) << seenPath;
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

// What a killed writer of store.toml leaves is removed; anything else beside
// it stays, however alike its name.
TEST(AtomicWrite, OnlyTheTemporaryFilesOfTheFileAreRemovedAsLeftOvers)
{
    TempFolder folder;
    struct Entry {
        const char *name;
        enum { File, Folder, Link } kind;
    };
    const Entry entries[] = {
        {".store.toml.tmp-a1B2c3", Entry::File},   // removed
        {".store.toml.tmp-zzzzzz", Entry::File},   // removed
        {".store.toml.tmp-a1B2c", Entry::File},    // too short for mkstemp's six
        {".store.toml.tmp-a1B2c3d", Entry::File},  // too long
        {".store.toml.tmp-a1B-c3", Entry::File},   // not mkstemp's letters
        {"store.toml.tmp-a1B2c3", Entry::File},    // not hidden
        {".other.toml.tmp-a1B2c3", Entry::File},   // another file's
        {"store.toml.backup", Entry::File},        // the old naming's length, a user's file
        {".store.toml.tmp-folder", Entry::Folder}, // not a plain file
        {".store.toml.tmp-link01", Entry::Link},   // not a plain file either
        {"store.toml", Entry::File},               // the file itself
    };
    for (const Entry &entry : entries) {
        std::string path = folder.File(entry.name);
        if (entry.kind == Entry::File)
            WriteText(path, "x");
        else if (entry.kind == Entry::Folder)
            std::filesystem::create_directory(path);
        else
            std::filesystem::create_symlink(folder.File("store.toml"), path);
    }
    EXPECT_EQ(RemoveLeftoverTemporaries(folder.File("store.toml")), 2);
    EXPECT_EQ(folder.Listing(), ".other.toml.tmp-a1B2c3 .store.toml.tmp-a1B-c3 .store.toml.tmp-a1B2c "
                                ".store.toml.tmp-a1B2c3d .store.toml.tmp-folder .store.toml.tmp-link01 "
                                "store.toml store.toml.backup store.toml.tmp-a1B2c3");
    EXPECT_EQ(ReadText(folder.File("store.toml")), "x") << "the link's target is untouched";
    EXPECT_EQ(RemoveLeftoverTemporaries(folder.File("no/such/folder/store.toml")), 0);
}
