// What the window remembers between starts: the zoom and pass-rate keys,
// and the settings file that keeps them.
#include <vector>

#include "host/app/preferences.h"
#include "support/temp_folder.h"
#include "support/window_fixture.h"

namespace {

class ZoomAndRateKeys : public WindowTest {
  protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        form->OnPreferencesChanged = [this](FormAction changed) {
            told.push_back({changed, form->Zoom(), form->MaxPassRate()});
        };
    }
    void Key(int key, bool ctrl = false)
    {
        headless::PressKey(*form, key, false, ctrl);
        Idle();
    }
    struct Told {
        FormAction changed;
        double zoom;
        int rate;
        bool operator==(const Told &) const = default;
    };
    std::vector<Told> told;
};

} // namespace

// Each key in turn, and what the window then shows and remembers.
TEST_F(ZoomAndRateKeys, CtrlStepsTheZoomAndMThePassRateLimitWithoutTurningTheKnob)
{
    struct Step {
        int key;
        bool ctrl;
        double zoom;
        int rate;
    };
    for (const Step &step :
         {Step{'=', true, 1.5, 0}, Step{'+', true, 2, 0}, Step{'=', true, 3, 0}, Step{'=', true, 4, 0},
          Step{'=', true, 4, 0}, Step{'-', true, 3, 0}, Step{'0', true, 1, 0}, Step{'m', false, 1, 1000},
          Step{'m', false, 1, 100}, Step{'m', false, 1, 0}, Step{'m', false, 1, 1000}}) {
        Key(step.key, step.ctrl);
        const FormAction changed = step.ctrl ? FormAction::SetZoom : FormAction::SetPassRateLimit;
        EXPECT_EQ(told.back(), (Told{changed, step.zoom, step.rate})) << (char)step.key;
    }
    EXPECT_EQ(told.size(), 11u);
    EXPECT_EQ(state.pendingKey, KeyNone) << "Ctrl with + or - turned the knob";
    EXPECT_NE(form->StatusBar1.Caption().find("max 1000/s"), std::string::npos) << form->StatusBar1.Caption();
    Key('+'); // without Ctrl the knob turns, as always
    EXPECT_EQ(state.pendingKey, KeyClockwise);
}

TEST(Preferences, RoundTripAndDamagedFilesAreIgnoredWithAWarning)
{
    TempFolder folder;
    const std::string path = folder.File("config/qpx-sim/settings.toml");
    std::string warning;
    EXPECT_EQ(LoadPreferences(path, &warning), Preferences{}) << "no file yet";
    EXPECT_EQ(warning, "");

    std::string error;
    for (Preferences kept : {Preferences{1.5, 100}, Preferences{4, 0}, Preferences{1, 1000},
                             Preferences{1, 0, {"01-powering-on.txt", "say \"hi\" \\ there.txt"}}}) {
        ASSERT_TRUE(SavePreferences(path, kept, &error)) << error; // creates the folders
        EXPECT_EQ(LoadPreferences(path, &warning), kept);
        EXPECT_EQ(warning, "");
    }

    struct Damaged {
        const char *text, *why;
    };
    for (const Damaged &damaged : std::vector<Damaged>{
             {"zoom = 2.5\n", "zoom must be"},
             {"zoom = \"big\"\n", "zoom must be"},
             {"zoom = 2\nmaxPassRate = -5\n", "maxPassRate must be"},
             {"maxPassRate = 1.5\n", "maxPassRate must be"},
             {"zoom = [\n", "not a settings file"},
             {"\x89PNG\r\n", "not a settings file"},
             {"finishedLessons = \"01-powering-on.txt\"\n", "finishedLessons must be"},
             {"finishedLessons = [1]\n", "finishedLessons must be"},
         }) {
        WriteText(path, damaged.text);
        warning.clear();
        EXPECT_EQ(LoadPreferences(path, &warning), Preferences{}) << damaged.text;
        EXPECT_NE(warning.find(damaged.why), std::string::npos) << warning;
        EXPECT_EQ(warning.rfind(path, 0), 0u) << "the warning names the file: " << warning;
    }
}

// The command line's zoom and limit last one run: the run takes them, the
// remembered ones stay for the next run without options.
TEST(Preferences, OptionsOfOneRunOverrideWithoutBeingRemembered)
{
    struct Case {
        double zoom;
        int rate;
        Preferences run;
    };
    const Preferences remembered{3, 100};
    for (const Case &c :
         {Case{0, -1, {3, 100}}, Case{1, -1, {1, 100}}, Case{0, 0, {3, 0}}, Case{1.5, 1000, {1.5, 1000}}}) {
        Preferences kept = remembered;
        EXPECT_EQ(ForThisRun(kept, c.zoom, c.rate), c.run) << c.zoom << " " << c.rate;
        EXPECT_EQ(kept, remembered);
    }
}
