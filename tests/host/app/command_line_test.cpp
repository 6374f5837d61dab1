// The simulator's command line: options, help, version and mistakes.
#include <gtest/gtest.h>

#include <sstream>
#include <utility>
#include <vector>

#include "host/app/command_line.h"

namespace {

struct Outcome {
    int code;
    CommandLine options;
    std::string out, err;
};

// program: how the program was started (argv[0]).
Outcome Parse(std::vector<const char *> args, const char *program = "qpx-sim")
{
    args.insert(args.begin(), program);
    Outcome outcome{};
    std::ostringstream out, err;
    outcome.code = ParseCommandLine((int)args.size(), args.data(), outcome.options, out, err);
    outcome.out = out.str();
    outcome.err = err.str();
    return outcome;
}

} // namespace

TEST(CommandLine, OptionsReachTheWindow)
{
    Outcome none = Parse({});
    EXPECT_EQ(none.code, CommandLineRun);
    EXPECT_EQ(none.options.shotsFolder, "");
    // Not given: the program takes the remembered rate and zoom.
    EXPECT_EQ(none.options.maxPassRate, -1);
    EXPECT_EQ(none.options.zoom, 0);

    Outcome all = Parse({"--shots", "/tmp/pictures", "--max-rate", "250", "--zoom", "1.5"});
    EXPECT_EQ(all.code, CommandLineRun);
    EXPECT_EQ(all.options.shotsFolder, "/tmp/pictures");
    EXPECT_EQ(all.options.maxPassRate, 250);
    EXPECT_EQ(all.options.zoom, 1.5);
    EXPECT_EQ(all.out + all.err, "");
    EXPECT_EQ(Parse({"--max-rate", "0"}).options.maxPassRate, 0); // free, said outright
}

TEST(CommandLine, HelpAndVersionEndTheProgramWithSuccess)
{
    Outcome help = Parse({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("--shots"), std::string::npos);
    EXPECT_NE(help.out.find("--max-rate"), std::string::npos);
    // The usage names the program, not the path it was started by.
    Outcome byPath = Parse({"--help"}, "/opt/build/qpx-sim");
    EXPECT_NE(byPath.out.find("\nUsage: qpx-sim [OPTIONS]\n"), std::string::npos) << byPath.out;
    EXPECT_EQ(byPath.out.find("/opt/build"), std::string::npos) << byPath.out;

    Outcome version = Parse({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out.rfind("qpx-sim ", 0), 0u) << version.out;
}

TEST(CommandLine, MistakesSayWhatIsWrongAndExitWithCode2)
{
    for (auto args : std::vector<std::vector<const char *>>{{"--bogus"},
                                                            {"stray"},
                                                            {"--max-rate", "-1"},
                                                            {"--max-rate", "fast"},
                                                            {"--shots"},
                                                            {"--zoom", "2.5"},
                                                            {"--zoom", "0"},
                                                            {"--zoom", "big"}}) {
        Outcome outcome = Parse(args);
        EXPECT_EQ(outcome.code, 2) << args[0];
        EXPECT_EQ(outcome.out, "");
        EXPECT_NE(outcome.err.find("qpx-sim: "), std::string::npos) << outcome.err;
    }
    EXPECT_NE(Parse({"--bogus"}).err.find("--bogus"), std::string::npos);
}

TEST(CommandLine, RecordNamesTheScriptToWrite)
{
    Outcome record = Parse({"--record", "session.txt"});
    EXPECT_EQ(record.code, CommandLineRun);
    EXPECT_EQ(record.options.recordFile, "session.txt");
    EXPECT_EQ(Parse({}).options.recordFile, "");
    EXPECT_EQ(Parse({"--record"}).code, 2);
    EXPECT_NE(Parse({"--help"}).out.find("--record FILE"), std::string::npos);
}

TEST(CommandLine, AStateFileOrAStoreButNotBoth)
{
    EXPECT_EQ(Parse({"--state", "a.toml"}).options.stateFile, "a.toml");
    EXPECT_EQ(Parse({"--store", "b.toml"}).options.storeFile, "b.toml");
    Outcome both = Parse({"--state", "a.toml", "--store", "b.toml"});
    EXPECT_EQ(both.code, 2);
    EXPECT_EQ(both.err.rfind("qpx-sim: --state and --store cannot be used together: the store starts", 0), 0u)
        << both.err;
}

TEST(CommandLine, ADemoOrALessonButNotBoth)
{
    EXPECT_EQ(Parse({"--demo", "tour.txt"}).options.demoFile, "tour.txt");
    EXPECT_EQ(Parse({"--lesson", "01.txt"}).options.lessonFile, "01.txt");
    Outcome both = Parse({"--demo", "tour.txt", "--lesson", "01.txt"});
    EXPECT_EQ(both.code, 2);
    EXPECT_EQ(both.err.rfind("qpx-sim: --demo and --lesson cannot be used together", 0), 0u) << both.err;
}

// How to read a recording: only with a recording, in the forms --help says.
TEST(CommandLine, RecordingOptionsNeedARecordingAndSayWhatIsWrong)
{
    Outcome all = Parse(
        {"--feed", "log.csv", "--engine", "2", "--columns", "time=Time,rpm=RPM", "--feed-from", "1:05:30.5"});
    EXPECT_EQ(all.code, CommandLineRun) << all.err;
    EXPECT_EQ(all.options.feedOptions.engine, 2);
    EXPECT_EQ(all.options.feedOptions.columns, "time=Time,rpm=RPM");
    EXPECT_EQ(all.options.feedFromMs, 3930500);
    EXPECT_EQ(Parse({"--feed", "log.csv"}).options.feedOptions.engine, 1);
    EXPECT_EQ(Parse({"--feed", "log.csv", "--feed-from", "2100"}).options.feedFromMs, 2100000);
    const std::pair<std::vector<const char *>, const char *> refused[] = {
        {{"--feed", "log.csv", "--engine", "3"}, "--engine"},
        {{"--feed", "log.csv", "--engine", "one"}, "--engine"},
        {{"--feed", "log.csv", "--feed-from", "35:60"}, "must be h:mm:ss, m:ss or seconds"},
        {{"--feed", "log.csv", "--feed-from", "-5"}, "--feed-from"},
        {{"--feed", "log.csv", "--feed-from", "1:2:3"}, "must be h:mm:ss"},
        {{"--engine", "2"}, "qpx-sim: --engine needs --feed FILE"},
        {{"--feed-from", "10"}, "qpx-sim: --feed-from needs --feed FILE"},
        {{"--feed", "udp:5600", "--columns", "rpm=RPM"}, "datagrams name their own values"},
        {{"--fault", "pressure melt"},
         "\"melt\" is no fault of the pressure sensor (accepted: pressure open"},
        {{"--fault", "rpm jitter 101"}, "rpm jitter 101 is outside 0..100"},
        {{"--fault"}, "--fault"}};
    for (const auto &[args, said] : refused) {
        Outcome outcome = Parse(args);
        EXPECT_EQ(outcome.code, 2) << args.back();
        EXPECT_NE(outcome.err.find(said), std::string::npos) << outcome.err;
    }
}

// Faults repeat, in the order given.
TEST(CommandLine, FaultsAreKeptInOrder)
{
    Outcome faults = Parse({"--fault", "pressure noise 20", "--fault", "rpm dead"});
    ASSERT_EQ(faults.code, CommandLineRun) << faults.err;
    ASSERT_EQ(faults.options.faults.size(), 2u);
    EXPECT_EQ(FaultText(faults.options.faults[0]), "pressure noise 20");
    EXPECT_EQ(FaultText(faults.options.faults[1]), "rpm dead");
}
