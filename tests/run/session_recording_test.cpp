// Recording a session as a script, and replaying it to the same screens.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "host/run/form_controls.h"
#include "host/run/runner.h"
#include "host/run/session_recording.h"
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
        long atMs;
        Command input;
    };

    static Command Click(Control control)
    {
        Command c{};
        c.kind = CommandKind::Click;
        c.control = control;
        c.count = 1;
        return c;
    }
    static Command Slide(Control control, int position)
    {
        Command c{};
        c.kind = CommandKind::Slide;
        c.control = control;
        c.position = position;
        return c;
    }

    // Plays the steps on the headless window as a person would, at most one
    // input a message round (so that no key is dropped), and records them
    // with the screens seen after every pass. The clock moves 7 ms in each
    // round without an input: inputs due together arrive in passes of the
    // same millisecond, as fast passes of the window take them.
    void Perform(const std::vector<Step> &steps)
    {
        std::string error;
        ASSERT_TRUE(recording.Open(path.string(), error)) << error;
        recording.Start(form->TrackBar1.Position(), form->TrackBar2.Position(), form->CheckBox2.Checked(),
                        form->CheckBox3.Checked());
        size_t next = 0;
        headless::OnProcessMessages([&] {
            recording.ScreenIs(state.currentScreen, headless::NowMs());
            if (next < steps.size() && steps[next].atMs <= headless::NowMs()) {
                const Command &input = steps[next++].input;
                recording.Input(input, headless::NowMs());
                Deliver(input);
            } else {
                headless::AdvanceClock(7);
            }
        });
        while (next < steps.size() || form->InstrumentRunning())
            Idle();
        headless::OnProcessMessages(nullptr);
        ASSERT_TRUE(recording.Close(error)) << error;
    }

    void Deliver(const Command &input)
    {
        if (input.kind == CommandKind::Slide)
            headless::MoveSlider(FormSlider(*form, input.control), input.position);
        else
            headless::Click(FormControl(*form, input.control));
    }

    fs::path path;
    SessionRecording recording;
};

} // namespace

TEST_F(Recording, ARecordedSessionReplaysToTheSameScreens)
{
    Perform({{40, Click(Control::On)},
             {700, Slide(Control::Pressure, 1500)},
             {4000, Click(Control::Knob)}, // main menu
             {5200, Click(Control::Clockwise)},
             {5200, Click(Control::Clockwise)},
             {5200, Click(Control::Clockwise)}, // HOBBS METER
             {6000, Click(Control::Knob)},
             {7500, Click(Control::Knob)}, // DONE: back to the menu
             {8000, Click(Control::AntiClockwise)},
             {8100, Click(Control::AntiClockwise)},
             {8200, Click(Control::AntiClockwise)},
             {9000, Click(Control::Knob)}, // EXIT MENU
             {9500, Click(Control::F2)},   // magneto check
             {12000, Click(Control::Off)}});
    const uint8_t magCheckLeft = state.magCheckTimer;
    const uint32_t rpmMax = state.rpmMax;
    EXPECT_EQ(state.currentScreen, ScreenByName("RunScreen"));
    EXPECT_GT(magCheckLeft, 0) << "the magneto check still runs";

    std::string text = ReadFile(path);
    for (const char *line :
         {"pressure 1\nrpm 1\ncalibrate off\nkeyfast off\n", "\non\n", "\nexpect screen MainMenuScreen\n",
          "\nturn cw 3\n", "\nexpect screen HobbsMeterScreen\n", "\nturn ccw\nwait 98ms\nturn ccw\n",
          "\npress f2\n", "\noff\n"})
        EXPECT_NE(text.find(line), std::string::npos) << "missing " << line << " in\n" << text;

    // The replay checks every screen change itself; the instrument ends as
    // the session left it.
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

TEST_F(Recording, AFileThatCannotBeWrittenIsReportedAtOnce)
{
    SessionRecording recording;
    std::string error;
    EXPECT_FALSE(recording.Open(::testing::TempDir() + "/no/such/folder/session.txt", error));
    EXPECT_NE(error.find("cannot write"), std::string::npos);
    EXPECT_NE(error.find("No such file or directory"), std::string::npos) << error;
}
