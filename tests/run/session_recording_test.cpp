// Recording a session in the window as a script, and replaying it to the
// same screens.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "host/run/form_recording.h"
#include "host/run/runner.h"
#include "support/window_fixture.h"

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path &path)
{
    std::ostringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
}

class Recording : public WindowTest {
  protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        headless::SetPacingAdvancesClock(true);
        path = fs::path(::testing::TempDir()) / "qpx_recorded_session.txt";
    }

    struct Step {
        int64_t atMs; // of the headless clock, which the form's clock follows at its rate
        std::function<void()> act;
    };

    // Plays the steps on the headless window as a person would while the
    // form's observers record them. The clock moves 7 ms in each message
    // round without a step, so that steps due together come in passes of
    // the same millisecond.
    void Perform(const std::vector<Step> &steps)
    {
        std::string error;
        ASSERT_TRUE(recording.Open(path.string(), error)) << error;
        recording.Attach(*form);
        size_t next = 0;
        headless::OnProcessMessages([&] {
            if (next < steps.size() && steps[next].atMs <= headless::NowMs())
                steps[next++].act();
            else
                headless::AdvanceClock(7);
        });
        while (next < steps.size() || form->InstrumentRunning())
            Idle();
        headless::OnProcessMessages(nullptr);
        ASSERT_TRUE(recording.Finish(error)) << error;
    }

    fs::path path;
    FormRecording recording;
};

} // namespace

TEST_F(Recording, ASessionOfClicksKeysWheelAndSlidersReplaysToTheSameScreens)
{
    TForm1 &f = *form;
    Perform({{40, [&] { headless::PressKey(f, 'o'); }}, // ON from the keyboard
             {700, [&] { headless::MoveSlider(f.TrackBar1, 1500); }},
             {900, [&] { headless::SetTicked(f.CheckBox2, true); }},
             {4000, [&] { headless::Click(f.Image5); }}, // main menu
             // Three notches in one event: the first turns the knob, the two
             // others find it pending and are dropped.
             {5200, [&] { headless::TurnWheel(f, 168, 150, -3); }},
             {5300, [&] { headless::Click(f.Button3); }},
             {5300, [&] { headless::Click(f.Button3); }}, // DISPLAY SETUP, then HOBBS METER
             {6000, [&] { headless::PressKey(f, vkReturn); }},
             {7500, [&] { headless::Click(f.Image5); }}, // DONE: back to the menu
             {8000, [&] { headless::Click(f.Button4); }},
             {8100, [&] { headless::PressKey(f, vkF(1)); }},
             {8200, [&] { headless::Click(f.Button4); }},
             {9000, [&] { headless::Click(f.Image5); }},  // EXIT MENU
             {9500, [&] { headless::Click(f.Image6); }},  // magneto check
             {9600, [&] { headless::PressKey(f, 'r'); }}, // the clock at x10
             {12000, [&] { headless::PressKey(f, 'f'); }}});
    const uint8_t magCheckLeft = state.magCheckTimer;
    const uint32_t rpmMax = state.rpmMax;
    EXPECT_EQ(state.currentScreen, ScreenByName("RunScreen"));
    EXPECT_GT(magCheckLeft, 0) << "the magneto check still runs";
    EXPECT_LT(magCheckLeft, 60 - 5) << "it ran for the clock's 24 s";

    std::string text = ReadFile(path);
    for (const char *line :
         {"pressure 1\nrpm 1\ncalibrate off\nkeyfast off\n", "\non\n", "\npressure 1500\n",
          "\ncalibrate on\n", "\nexpect screen MainMenuScreen\n", "\nturn cw\nwait ", "\nturn cw 2\n",
          "\nexpect screen HobbsMeterScreen\n", "\npress f1\n", "\npress f2\n", "\noff\n"})
        EXPECT_NE(text.find(line), std::string::npos) << "missing " << line << " in\n" << text;
    EXPECT_EQ(text.find("turn cw 3"), std::string::npos) << "dropped notches were written\n" << text;
    // 0.1 s at x1, then 2.4 s at x10: 24.1 s of the form's clock.
    EXPECT_NE(text.find("\npress f2\nwait 24100ms\noff\n"), std::string::npos) << text;

    // The replay checks every screen change itself and leaves the instrument
    // as the session did.
    Script script;
    std::string error;
    ASSERT_TRUE(ParseScriptFile(path.string(), script, error)) << error << "\n" << text;
    std::ostringstream report;
    RunOutcome outcome = RunScript(script, RunOptions{}, report);
    EXPECT_EQ(outcome.failed, 0) << report.str() << text;
    EXPECT_EQ(outcome.passed, 5) << text;
    EXPECT_EQ(state.magCheckTimer, magCheckLeft);
    EXPECT_EQ(state.rpmMax, rpmMax);
    EXPECT_EQ(state.currentScreen, ScreenByName("RunScreen"));
}

TEST_F(Recording, OnlyInputsOfTheInstrumentAreCommands)
{
    Command command;
    ASSERT_TRUE(CommandForAction(FormAction::SetSpeed, 321, command));
    EXPECT_EQ(CommandText(command), "rpm 321");
    ASSERT_TRUE(CommandForAction(FormAction::SetKeyFast, 1, command));
    EXPECT_EQ(CommandText(command), "keyfast on");
    for (FormAction tool : {FormAction::None, FormAction::SetPaused, FormAction::StepPass,
                            FormAction::SetClockRate, FormAction::ShootDisplay, FormAction::ShowStateView})
        EXPECT_FALSE(CommandForAction(tool, 1, command)) << FormActionName(tool);
}

// Faults the window started with come first; later ones and seeds where
// they happened, and the replay ends where the session did.
TEST_F(Recording, FaultsAndSeedsAreWrittenWhereTheyHappened)
{
    TForm1 &f = *form;
    f.SetFault({FaultChannel::Pressure, FaultKind::Short});
    Perform({{40, [&] { headless::PressKey(f, 'o'); }},
             {3000, [&] { f.SeedFaults(5); }},
             {3500,
              [&] {
                  f.SetFault({FaultChannel::Rpm, FaultKind::Spikes, 40});
              }},
             {6000, [&] { headless::PressKey(f, 'f'); }}});
    const std::string text = ReadFile(path);
    EXPECT_NE(text.find("keyfast off\nfault pressure short\nwait 40ms\non\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nwait 2960ms\nseed 5\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nwait 500ms\nfault rpm spikes 40\n"), std::string::npos) << text;
    const uint32_t rpmValue = state.rpmValue;
    EXPECT_EQ(rpmValue, 40u * 1200 / 60 + 20) << "41 pulses a gate";
    Script script;
    std::string error;
    ASSERT_TRUE(ParseScriptFile(path.string(), script, error)) << error << "\n" << text;
    std::ostringstream report;
    EXPECT_EQ(RunScript(script, RunOptions{}, report).failed, 0) << report.str() << text;
    EXPECT_EQ(state.rpmValue, rpmValue);
    EXPECT_EQ(state.pressureAdc, 4096);
}

TEST_F(Recording, AFileThatCannotBeWrittenIsReportedAtOnce)
{
    std::string error;
    EXPECT_FALSE(recording.Open(::testing::TempDir() + "/no/such/folder/session.txt", error));
    EXPECT_NE(error.find("cannot write"), std::string::npos);
    EXPECT_NE(error.find("No such file or directory"), std::string::npos) << error;
}

// A session that starts from a state file replays from it, wherever the
// replay runs; one from a store says that the replay starts without it.
TEST_F(Recording, TheStateASessionStartsFromIsWrittenFirst)
{
    std::string error;
    ASSERT_TRUE(recording.Open(path.string(), error)) << error;
    recording.Attach(*form, "start.toml", "");
    ASSERT_TRUE(recording.Finish(error)) << error;
    std::string text = ReadFile(path);
    std::string expected = "load-state " + fs::absolute("start.toml").string() + "\npressure ";
    EXPECT_NE(text.find(expected), std::string::npos) << text;

    ASSERT_TRUE(recording.Open(path.string(), error)) << error;
    recording.Attach(*form, "", "engine.toml");
    ASSERT_TRUE(recording.Finish(error)) << error;
    text = ReadFile(path);
    EXPECT_NE(text.find("# Recorded from the store engine.toml"), std::string::npos) << text;
    Script script;
    EXPECT_TRUE(ParseScriptText(path.string(), text, script, error)) << error;
}
