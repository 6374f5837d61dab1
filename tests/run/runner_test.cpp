// Running scripts on the headless instrument: the checks, their failure
// pictures, the frames written with --frames, inputs and virtual time.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "host/readout/frame_pbm.h"
#include "host/run/runner.h"
#include "host/state_file/state_file.h"
#include "instrument/state.h"
#include "support/frame_dots.h"

namespace fs = std::filesystem;

namespace {

class Runner : public ::testing::Test {
  protected:
    void SetUp() override
    {
        folder = fs::path(::testing::TempDir()) /
                 ("qpx_run_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        options.outDir = folder / "out";
    }

    // Runs text as the script folder/s.txt; report receives its lines.
    RunOutcome Run(const std::string &text, ScriptDialect dialect = ScriptDialect::Scenario)
    {
        Script script;
        std::string error;
        EXPECT_TRUE(ParseScriptText((folder / "s.txt").string(), text, script, error, dialect)) << error;
        report.str("");
        return RunScript(script, options, report);
    }

    fs::path folder;
    RunOptions options;
    std::ostringstream report;
};

// Power on and set the pressure inside both alarm thresholds (power-on clears
// the sensor input until the slider moves): the run screen with no alarm.
const char PowerOnQuietly[] = "on\npressure 2000\nwait 3s\n";

size_t FilesIn(const fs::path &dir)
{
    size_t n = 0;
    for (auto &entry : fs::directory_iterator(dir))
        n += entry.is_regular_file();
    return n;
}

} // namespace

TEST_F(Runner, DifferingFrameFailsWithTheFirstDotAndWritesActualAndDifferencePictures)
{
    ASSERT_EQ(Run(std::string(PowerOnQuietly) + "press knob\n").failed, 0);
    uint8_t menu[LcdFrameBytes];
    memcpy(menu, state.lcdFrame, sizeof menu);
    menu[FrameDotByte(40, 20)] ^= FrameDotMask(20);  // one dot off at (40, 20)
    menu[FrameDotByte(100, 50)] ^= FrameDotMask(50); // and one further down
    ASSERT_TRUE(WritePbmFrame((folder / "menu.pbm").string(), menu));

    RunOutcome outcome =
        Run(std::string(PowerOnQuietly) + "press knob\nexpect-frame menu.pbm\nexpect lamp red\n");
    EXPECT_EQ(outcome.failed, 2);
    EXPECT_EQ(outcome.passed, 0);
    std::string line = report.str().substr(0, report.str().find('\n'));
    EXPECT_EQ(line.rfind((folder / "s.txt").string() + ":5: expected the frame of " +
                             (folder / "menu.pbm").string() +
                             ", found 2 differing dots, the first at (40, 20);",
                         0),
              0u)
        << line;
    // The records say the same: the report line is made from them.
    ASSERT_EQ(outcome.checks.size(), 2u);
    EXPECT_EQ(CheckLine((folder / "s.txt").string(), outcome.checks[0]), line);
    EXPECT_EQ(outcome.checks[0].pictures.size(), 2u);
    EXPECT_EQ(outcome.checks[1].kind, "expect lamp");
    fs::path pictures = options.outDir / "s";
    EXPECT_TRUE(fs::exists(pictures / "line5-menu-actual.png"));
    EXPECT_TRUE(fs::exists(pictures / "line5-menu-diff.png"));
    uint8_t actual[LcdFrameBytes];
    ASSERT_TRUE(ReadPbmFrame((pictures / "line5-menu-actual.pbm").string(), actual));
    EXPECT_EQ(memcmp(actual, state.lcdFrame, sizeof actual), 0);
}

TEST_F(Runner, MissingReferenceFailsUnlessReferencesAreUpdated)
{
    const std::string script = std::string(PowerOnQuietly) + "expect-frame refs/run.pbm\n";
    RunOutcome outcome = Run(script);
    EXPECT_EQ(outcome.failed, 1);
    EXPECT_NE(report.str().find("found no readable 128 x 64 PBM picture there"), std::string::npos)
        << report.str();
    EXPECT_FALSE(fs::exists(folder / "refs/run.pbm"));

    options.updateRefs = true;
    outcome = Run(script);
    EXPECT_EQ(outcome.failed, 0);
    EXPECT_NE(report.str().find("wrote reference"), std::string::npos);
    options.updateRefs = false;
    outcome = Run(script);
    EXPECT_EQ(outcome.failed, 0) << report.str();
    EXPECT_EQ(outcome.passed, 1);
}

TEST_F(Runner, ExpectTextFindsWhatTheCurrentFrameDrew)
{
    RunOutcome outcome =
        Run(std::string(PowerOnQuietly) + "expect-text 1336\n"    // huge numerals count as text
                                          "expect-text RPM\n"     // part of a string
                                          "expect-text \"RPM\"\n" // the whole string
                                          "press knob\n"
                                          "expect-text MAIN MENU\n"     // the new screen at once
                                          "expect-text \"MAIN MENU\"\n" // drawn with a blank each side
                                          "expect-text RPM\n");         // from the frame before
    EXPECT_EQ(outcome.passed, 4);
    EXPECT_EQ(outcome.failed, 2);
    EXPECT_NE(
        report.str().find(
            ":9: expected the text \"MAIN MENU\" exactly, found \" MAIN MENU \" (20,0), \"EXIT\" (68,18)"),
        std::string::npos)
        << report.str();
    EXPECT_NE(report.str().find(":10: expected the text \"RPM\", found"), std::string::npos) << report.str();
}

TEST_F(Runner, ExpectReadsFieldsSettingsScreensAndTheLamp)
{
    // Pressure 0 is below the low alarm: the lamp flashes until a key.
    RunOutcome outcome = Run("on\nwait 3s\n"
                             "expect alarmActive 1\n"
                             "expect settings.pressureLowAlarm 500\n"
                             "expect hobbsHours 1\n"
                             "expect flightLogHours[23] 0\n"
                             "expect screen MaxValuesScreen\n"
                             "expect lamp red\n"
                             "expect lamp darkred\n"
                             "press f2\n"
                             "expect alarmMuted 1\n"
                             "expect screen RunScreen\n");
    EXPECT_EQ(outcome.failed, 3) << report.str();
    EXPECT_EQ(outcome.passed, 6);
    EXPECT_NE(report.str().find(":5: expected hobbsHours 1, found 0\n"), std::string::npos) << report.str();
    EXPECT_NE(report.str().find(":7: expected screen MaxValuesScreen, found RunScreen\n"), std::string::npos);
    // Exactly one of the two lamp colours is right at that moment.
    EXPECT_NE(report.str().find(":8: expected lamp red, found darkred\n") == std::string::npos,
              report.str().find(":9: expected lamp darkred, found red\n") == std::string::npos);
}

TEST_F(Runner, AcknowledgedAlarmLeavesTheLampDarkWhileTheUnacknowledgedOneFlashes)
{
    std::string samples;
    for (int i = 0; i < FlightLogEntries; ++i)
        samples += "wait 100ms\nexpect lamp darkred\n";
    RunOutcome flashing = Run("on\nwait 3s\n" + samples);
    // 2.4 s of 1.1 s phases: both colours, each at least 10 samples long.
    EXPECT_GE(flashing.failed, 10);
    EXPECT_GE(flashing.passed, 10);
    RunOutcome acknowledged = Run("on\nwait 3s\npress knob\n" + samples);
    EXPECT_EQ(acknowledged.failed, 0) << report.str();
}

TEST_F(Runner, EveryStepOfATurnAndEveryKeyArrives)
{
    RunOutcome outcome = Run(std::string(PowerOnQuietly) + "calibrate on\n"
                                                           "press knob\n"
                                                           "turn cw 5\n"
                                                           "expect menuCursor 5\n"
                                                           "press f2\npress f2\n"
                                                           "expect menuCursor 7\n"
                                                           "expect-text CALIBRATE\n"
                                                           "turn ccw 3\npress f1\n"
                                                           "expect menuCursor 3\n");
    EXPECT_EQ(outcome.failed, 0) << report.str();
    EXPECT_EQ(outcome.passed, 4);
}

TEST_F(Runner, FramesWritesEachDifferentFrameOnce)
{
    // The alarm blinks the pressure reading: only its two pictures are new,
    // however long it blinks.
    options.framesDir = folder / "frames";
    ASSERT_EQ(Run("on\nwait 10s\n").failed, 0);
    size_t afterTenSeconds = FilesIn(folder / "frames/s");
    fs::remove_all(folder / "frames");
    ASSERT_EQ(Run("on\nwait 60s\n").failed, 0);
    size_t afterAMinute = FilesIn(folder / "frames/s");
    EXPECT_EQ(afterAMinute, afterTenSeconds);
    EXPECT_GT(afterAMinute, 40u) << "the splash alone draws more different frames";
    EXPECT_TRUE(fs::exists(folder / "frames/s/0001.png"));
    char last[16];
    snprintf(last, sizeof last, "%04zu.png", afterAMinute);
    EXPECT_TRUE(fs::exists(folder / "frames/s" / last)) << "numbered in order without gaps";
}

TEST_F(Runner, SplashTakesThirtyMillisecondsAPassAndWaitsTenPassesASecond)
{
    // 80 splash passes of 30 ms: 2.4 s after ON the run screen is up.
    EXPECT_EQ(Run("on\nwait 2300ms\nexpect screen -\nwait 200ms\nexpect screen RunScreen\n").failed, 0)
        << report.str();

    // The engine at 120 pulses a gate (2400 rpm) reads steady: no pass ever
    // sees two gates; the Hobbs meter counts every second of the wait.
    RunOutcome outcome = Run("rpm 120\npressure 2000\non\nwait 5s\nexpect rpmValue 2400\n");
    EXPECT_EQ(outcome.failed, 0) << report.str();
    uint8_t seconds = state.hobbsSeconds, minutes = state.hobbsMinutes;
    std::string check = "expect rpmValue 2400\n";
    outcome =
        Run("rpm 120\npressure 2000\non\nwait 5s\n" + check + "wait 10m\n" + check + "expect hobbsSeconds " +
            std::to_string(seconds) + "\nexpect hobbsMinutes " + std::to_string(minutes + 10) + "\n");
    EXPECT_EQ(outcome.failed, 0) << report.str();
}

TEST_F(Runner, RampMovesTheSliderStepByStepOverItsDuration)
{
    // Over 20 s from 0 to 200 pulses a gate the engine passes the Hobbs speed
    // (1000 rpm, 50 pulses) a quarter of the way: the meter counts about the
    // last 15 s. A slider that jumped would count 20, one that lagged 0.
    RunOutcome outcome = Run("rpm 0\npressure 2000\non\nwait 3s\n"
                             "ramp rpm 0 200 20s\n"
                             "expect simPulseCount 200\n");
    EXPECT_EQ(outcome.failed, 0) << report.str();
    EXPECT_EQ(state.hobbsMinutes, 0);
    EXPECT_NEAR(state.hobbsSeconds, 15, 1);

    EXPECT_EQ(Run("on\nwait 3s\nramp pressure 3000 1000 1s\nexpect simPressureInput 1000\n").failed, 0)
        << report.str();
}

TEST_F(Runner, OutputThatCannotBeWrittenEndsTheScript)
{
    std::ofstream(folder / "file") << "in the way";
    options.outDir = folder / "file";
    RunOutcome outcome = Run("on\nwait 3s\nsave run.png\nexpect screen RunScreen\n");
    EXPECT_NE(outcome.outputError.find("cannot create the folder " + (folder / "file").string()),
              std::string::npos)
        << outcome.outputError;
    EXPECT_EQ(outcome.passed + outcome.failed, 0) << "nothing runs after the failed output";
}

// A state file loads like an input, before or after ON, and --state starts
// every script from one; a file that fails only when the run reaches it ends
// the run like an output that cannot be written.
TEST_F(Runner, StateFilesLoadBeforeAndDuringARun)
{
    std::ofstream(folder / "near.toml") << "hobbsHours = 9999\nmaintHours = 3\n";
    std::ofstream(folder / "later.toml") << "hobbsHours = 5\n";
    RunOutcome outcome = Run("load-state near.toml\nexpect hobbsHours 9999\non\nwait 3s\n"
                             "expect hobbsHours 9999\nexpect maintHours 3\n"
                             "load-state later.toml\nexpect hobbsHours 5\nexpect maintHours 3\n");
    EXPECT_EQ(outcome.failed, 0) << report.str();
    EXPECT_EQ(outcome.passed, 5);

    auto start = std::make_shared<StateFileValues>();
    ASSERT_TRUE(ReadStateFile((folder / "near.toml").string(), start.get()).ok);
    options.startState = start;
    outcome = Run("expect maintHours 3\nexpect hobbsHours 9999\n");
    EXPECT_EQ(outcome.passed, 2) << report.str();

    outcome = Run("on\nload-state gone.toml\nexpect screen -\n");
    EXPECT_EQ(outcome.passed + outcome.failed, 0);
    EXPECT_EQ(outcome.outputError.rfind((folder / "s.txt").string() + ":2: ", 0), 0u) << outcome.outputError;
    EXPECT_NE(outcome.outputError.find("gone.toml"), std::string::npos) << outcome.outputError;
}

// A feed from a moment into its recording delivers that moment's value at
// once; a moment the recording does not reach ends the script.
TEST_F(Runner, AFeedStartsWhereItsFromWordSays)
{
    std::ofstream(folder / "run.csv") << "time,mp_mbar\n0,1000\n600,400\n";
    // floor(((m + 1) x 163 - 1) / 100) - 180 counts for m mbar: 700 at 5:00, 640 a minute later.
    RunOutcome outcome = Run("feed run.csv from 5:00\nexpect simPressureInput 962\n"
                             "wait 60s\nexpect simPressureInput 864\n");
    EXPECT_EQ(outcome.failed, 0) << report.str();
    EXPECT_EQ(outcome.passed, 2);
    outcome = Run("feed run.csv from 10:01\n");
    EXPECT_NE(outcome.outputError.find("run.csv: the replay cannot start at 00:10:01"), std::string::npos)
        << outcome.outputError;
}

// An await looks once a round, the clock moving as in a wait, until its
// condition holds; one not met within a minute fails naming its line, what
// was awaited and what was found. Say, hint and show lines do nothing here:
// the pilot would press the knob, the runner does not.
TEST_F(Runner, AwaitWaitsForItsConditionAMinuteAtMost)
{
    RunOutcome outcome = Run("on\npressure 2000\nrpm 120\n"
                             "await hobbsSeconds 30\n"
                             "say \"Press the knob.\"\nhint knob \"The knob.\"\nshow press knob\n"
                             "await screen MainMenuScreen\n"
                             "expect hobbsMinutes 1\n"
                             "press knob\nawait next\nawait text \" MAIN MENU \"\n",
                             ScriptDialect::Lesson);
    EXPECT_EQ(outcome.failed, 1);
    ASSERT_EQ(outcome.checks.size(), 5u);
    EXPECT_EQ(outcome.checks[0].kind, "await");
    EXPECT_EQ(outcome.checks[0].found, "30");
    EXPECT_FALSE(outcome.checks[1].passed);
    EXPECT_EQ(report.str(), (folder / "s.txt").string() +
                                ":8: expected screen MainMenuScreen within 1m, found RunScreen\n");
    EXPECT_TRUE(outcome.checks[2].passed) << "90 s of engine time: " << outcome.checks[2].found;
    EXPECT_TRUE(outcome.checks[3].passed && outcome.checks[4].passed) << outcome.checks[4].found;
}
