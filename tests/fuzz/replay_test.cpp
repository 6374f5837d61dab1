// Every input kept from fuzzing (fuzz/corpus, and fuzz/findings: what once
// broke a reader or alarmed the TOML library) goes through the readers'
// contracts again, in the plain and the sanitizer build.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

#include "fuzz/readers.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

std::string Bytes(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The files of fuzz/FOLDER/READER, in name order.
std::vector<fs::path> Inputs(const char *folder, const char *reader)
{
    std::vector<fs::path> files;
    const fs::path dir = fs::path(QPX_FUZZ_DIR) / folder / reader;
    if (fs::is_directory(dir))
        for (const fs::directory_entry &entry : fs::directory_iterator(dir))
            if (entry.is_regular_file() && entry.path().filename().string()[0] != '.')
                files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

TEST(FuzzReplay, EveryKeptInputKeepsItsReadersContract)
{
    struct Reader {
        const char *name;
        std::string (*check)(const uint8_t *, size_t);
    } readers[] = {{"script", CheckScriptReader},
                   {"state_file", CheckStateFileReader},
                   {"engine_log", CheckEngineLogReader},
                   {"feed_datagram", CheckFeedDatagramReader},
                   {"serve_line", CheckServeLineReader}};
    for (const Reader &reader : readers) {
        size_t replayed = 0;
        for (const char *folder : {"corpus", "findings"})
            for (const fs::path &file : Inputs(folder, reader.name)) {
                const std::string bytes = Bytes(file);
                EXPECT_EQ(reader.check((const uint8_t *)bytes.data(), bytes.size()), "") << file;
                ++replayed;
            }
        EXPECT_GT(replayed, 0u) << reader.name;
    }
}

// The state files that broke or alarmed the TOML library are refused by the
// program with a message and exit code 2, whatever their bytes.
TEST(FuzzReplay, StateFilesFoundByFuzzingAreRefusedByQpxRun)
{
    TempFolder folder;
    WriteText(folder.File("a.txt"), "on\n");
    const std::vector<fs::path> findings = Inputs("findings", "state_file");
    ASSERT_FALSE(findings.empty());
    for (const fs::path &file : findings) {
        const std::string command = "cd '" + folder.path + "' && '" QPX_RUN_PATH "' --state '" +
                                    file.string() + "' a.txt >out.txt 2>err.txt";
        const int status = std::system(command.c_str());
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << file;
        const std::string err = ReadText(folder.File("err.txt"));
        EXPECT_EQ(err.rfind("qpx-run: " + file.string() + ":", 0), 0u) << err;
    }
}
