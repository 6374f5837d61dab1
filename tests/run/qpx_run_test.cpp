// The qpx-run program: its exit codes, what it prints, and that every script
// is understood before any runs.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace fs = std::filesystem;

namespace {

struct Result {
    int exitCode;
    std::string out, err;
};

class QpxRun : public ::testing::Test {
  protected:
    void SetUp() override
    {
        folder =
            fs::path(::testing::TempDir()) /
            ("qpx_run_cli_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder);
        fs::create_directories(folder);
    }

    void Write(const std::string &name, const std::string &text) { std::ofstream(folder / name) << text; }

    static std::string Read(const fs::path &path)
    {
        std::ostringstream text;
        text << std::ifstream(path).rdbuf();
        return text.str();
    }

    // Runs qpx-run in the test's folder with these arguments.
    Result Run(const std::string &arguments)
    {
        std::string command =
            "cd '" + folder.string() + "' && '" QPX_RUN_PATH "' " + arguments + " >stdout.txt 2>stderr.txt";
        int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Read(folder / "stdout.txt"),
                Read(folder / "stderr.txt")};
    }

    fs::path folder;
};

} // namespace

TEST_F(QpxRun, AllChecksPassedExitsZeroWithTheClosingLine)
{
    Write("a.txt", "expect lamp red\non\nwait 3s\nexpect screen RunScreen\n");
    Write("b.txt", "expect screen -\n");
    Result r = Run("a.txt b.txt");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "2 scripts: 3 passed, 0 failed\n");
    EXPECT_EQ(r.err, "");
}

TEST_F(QpxRun, FailedCheckIsPrintedAndExitsOneAfterTheOtherScriptsRan)
{
    Write("a.txt", "on\nwait 3s\nexpect hobbsHours 3\nexpect screen RunScreen\n");
    Write("b.txt", "save b.png\nexpect screen -\n");
    Result r = Run("--out pictures a.txt b.txt");
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_EQ(r.out, "a.txt:3: expected hobbsHours 3, found 0\n2 scripts: 2 passed, 1 failed\n");
    EXPECT_TRUE(fs::exists(folder / "pictures/b.png"));
}

TEST_F(QpxRun, ALineNotUnderstoodStopsEverythingBeforeAnythingRuns)
{
    Write("a.txt", "on\nsave a.png\n");
    Write("b.txt", "on\n\nwait 3 s\n");
    Result r = Run("a.txt b.txt");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err.rfind("qpx-run: b.txt:3: bad duration \"3\"", 0), 0u) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_FALSE(fs::exists(folder / "qpx-run-out")) << "nothing ran, nothing was written";

    r = Run("a.txt missing.txt");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "qpx-run: missing.txt: cannot read the script: No such file or directory\n");
}

TEST_F(QpxRun, OutputThatCannotBeWrittenExitsTwoWithAMessage)
{
    Write("a.txt", "on\nwait 3s\nsave sub/run.png\nexpect screen RunScreen\n");
    Write("blocker", "a file, not a folder");
    Result r = Run("--out blocker a.txt");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("cannot create the output folder blocker"), std::string::npos) << r.err;

    // A folder where the picture should go.
    fs::create_directories(folder / "out/sub/run.png");
    r = Run("--out out a.txt");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "qpx-run: cannot write out/sub/run.png: Is a directory\n");
    EXPECT_EQ(r.out, "") << "the run ends there, without a closing line";
}

TEST_F(QpxRun, CommandLineErrorsExitTwo)
{
    Write("a.txt", "on\n");
    // What each stream must contain; "" when it must be empty. Every line on
    // the standard error names the program first, but for the hint after a
    // mistake on the command line.
    struct Row {
        const char *arguments;
        int exitCode;
        const char *out, *err;
    };
    for (const Row &row : {
             Row{"", 2, "", "qpx-run: SCRIPT is required\nRun qpx-run --help to see the options.\n"},
             Row{"--fast a.txt", 2, "", "qpx-run: The following argument was not expected: --fast\n"},
             Row{"--help", 0, "--update-refs", ""},
             Row{"--help", 0, "\nUsage: qpx-run [OPTIONS] SCRIPT...\n", ""}, // its name, not its path
             Row{"--version", 0, "qpx-run " QPX_VERSION "\n", ""},
             Row{"missing.txt", 2, "", "qpx-run: missing.txt: cannot read the script"},
         }) {
        SCOPED_TRACE(row.arguments);
        Result r = Run(row.arguments);
        EXPECT_EQ(r.exitCode, row.exitCode) << r.err;
        for (auto [text, expected] : {std::pair{r.out, row.out}, std::pair{r.err, row.err}}) {
            if (*expected == 0)
                EXPECT_EQ(text, "");
            else
                EXPECT_NE(text.find(expected), std::string::npos) << text;
        }
        std::istringstream lines(r.err);
        for (std::string line; std::getline(lines, line);)
            EXPECT_TRUE(line.rfind("qpx-run: ", 0) == 0 || line == "Run qpx-run --help to see the options.")
                << line;
    }
}

TEST_F(QpxRun, StateFilesAreCheckedBeforeAnythingRuns)
{
    Write("good.toml", "maintHours = 7\nspare = 1\n");
    Write("bad.toml", "hobbsMinutes = 120\n");
    Write("a.txt", "expect maintHours 7\nsave a.png\n");
    Write("b.txt", "on\nload-state bad.toml\n");
    Result r = Run("a.txt b.txt");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err.rfind("qpx-run: b.txt:2: bad.toml:1: hobbsMinutes: 120 is outside 0..99", 0), 0u)
        << r.err;
    EXPECT_FALSE(fs::exists(folder / "qpx-run-out")) << "nothing ran, nothing was written";

    r = Run("--state bad.toml a.txt");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err.rfind("qpx-run: bad.toml:1: hobbsMinutes", 0), 0u) << r.err;

    r = Run("--state good.toml a.txt");
    EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
    EXPECT_EQ(r.out, "1 script: 1 passed, 0 failed\n");
    EXPECT_NE(r.err.find("spare"), std::string::npos) << "an unknown key is named in a warning";
}
