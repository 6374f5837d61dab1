// The qpx-run program: its exit codes, what it prints, and that every script
// is understood before any runs.
#include <gtest/gtest.h>

#include <algorithm>
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

TEST_F(QpxRun, ResultOptionsStandardInputAndListedErrors)
{
    Write("ok.txt", "expect screen -\nexpect hobbsHours 0\n");
    Write("r.txt", "expect-frame new.pbm\nexpect hobbsHours 1\n");
    Write("bad.txt", "on\nwait 3 s\npress x\nfoo\n");
    std::string many;
    for (int i = 0; i < 25; ++i)
        many += "foo\n";
    Write("many.txt", many);
    // What the standard output is (or, ending in '*', starts with), and what
    // the standard error contains with how many lines it has.
    struct Row {
        const char *arguments;
        int exitCode;
        const char *out, *err;
        int errLines;
    };
    for (const Row &row : {
             Row{"--update-refs -q r.txt", 1,
                 "r.txt:2: expected hobbsHours 1, found 0\n1 script: 1 passed, 1 failed\n", "", 0},
             Row{"--update-refs r.txt", 1, "r.txt:1: wrote reference new.pbm\n*", "", 0},
             Row{"-v ok.txt ok.txt", 0, "ok.txt: 2 checks, 2 passed, 0 failed, 0.*", "", 0},
             Row{"- <ok.txt", 0, "1 script: 2 passed, 0 failed\n", "", 0},
             Row{"ok.txt bad.txt", 2, "", "qpx-run: bad.txt:4: unknown command \"foo\"", 3},
             Row{"many.txt", 2, "", "qpx-run: many.txt: 5 more lines not understood\n", 21},
             Row{"--junit no/r.xml ok.txt", 2, "1 script: 2 passed, 0 failed\n",
                 "qpx-run: cannot write no/r.xml", 1},
             Row{"--json no/r.json ok.txt", 2, "1 script: 2 passed, 0 failed\n",
                 "qpx-run: cannot write no/r.json", 1},
             Row{"-q -v ok.txt", 2, "", "--quiet excludes --verbose", 2},
         }) {
        SCOPED_TRACE(row.arguments);
        fs::remove_all(folder / "qpx-run-out");
        fs::remove(folder / "new.pbm");
        Result r = Run(row.arguments);
        EXPECT_EQ(r.exitCode, row.exitCode) << r.err;
        std::string out = row.out;
        if (!out.empty() && out.back() == '*')
            EXPECT_EQ(r.out.substr(0, out.size() - 1), out.substr(0, out.size() - 1)) << r.out;
        else
            EXPECT_EQ(r.out, out);
        EXPECT_NE(r.err.find(row.err), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), row.errLines) << r.err;
        EXPECT_FALSE(fs::exists(folder / "qpx-run-out")) << "nothing was saved, no output folder";
    }
}

// A lesson played by the stand-in pilot: its show lines performed, every
// await checked; the same results as a script's, and the lesson read before.
TEST_F(QpxRun, ALessonRunsWithAutoOnly)
{
    Write("l.txt", "# Menu\non\npressure 2000\nwait 3s\nsay \"Press the knob.\"\nshow press knob\nawait "
                   "screen MainMenuScreen\n");
    Write("a.txt", "on\n");
    Result r = Run("a.txt --lesson l.txt --auto -v");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("l.txt: 1 check, 1 passed, 0 failed"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("2 scripts: 1 passed, 0 failed"), std::string::npos) << r.out;
    Write("late.txt", "on\nwait 2s\nawait screen MainMenuScreen\n");
    r = Run("--lesson l.txt --lesson late.txt --auto");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "late.txt:3: expected screen MainMenuScreen within 1m, found RunScreen\n"
                     "2 scripts: 1 passed, 1 failed\n");
    Write("bad.txt", "say\nawait screen Nowhere\n");
    r = Run("--lesson l.txt --lesson bad.txt --auto");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("qpx-run: bad.txt:2: unknown screen \"Nowhere\""), std::string::npos) << r.err;
    r = Run("--lesson l.txt");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("a lesson needs --auto here"), std::string::npos) << r.err;
    EXPECT_EQ(Run("l.txt").exitCode, 2) << "a scenario refuses the lesson words";
}
