// What the window remembers between starts: the zoom and pass-rate keys,
// and the settings file that keeps them.
#include <vector>

#include "host/preferences.h"
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

TEST_F(ZoomAndRateKeys, CtrlStepsTheZoomWithoutTurningTheKnob)
{
    Key('=', true);
    Key('+', true);
    Key('=', true);
    Key('=', true);
    Key('=', true); // at 4 already
    EXPECT_EQ(form->Zoom(), 4);
    Key('-', true);
    EXPECT_EQ(form->Zoom(), 3);
    EXPECT_EQ(state.pendingKey, KeyNone) << "Ctrl with + or - turned the knob";
    EXPECT_NE(form->StatusBar1.Caption().find("Zoom 3"), std::string::npos) << form->StatusBar1.Caption();
    Key('0', true);
    EXPECT_EQ(form->Zoom(), 1);
    const std::vector<double> zooms{1.5, 2, 3, 4, 4, 3, 1};
    ASSERT_EQ(told.size(), zooms.size());
    for (size_t i = 0; i < told.size(); ++i)
        EXPECT_EQ(told[i], (Told{FormAction::SetZoom, zooms[i], 0})) << i;
    Key('+'); // without Ctrl the knob turns, as always
    EXPECT_EQ(state.pendingKey, KeyClockwise);
}

TEST_F(ZoomAndRateKeys, MStepsThePassRateLimitAndTheStatusBarShowsIt)
{
    for (int expected : {1000, 100, 0, 1000}) {
        Key('m');
        EXPECT_EQ(form->MaxPassRate(), expected);
        EXPECT_EQ(told.back(), (Told{FormAction::SetPassRateLimit, 1, expected}));
    }
    EXPECT_NE(form->StatusBar1.Caption().find("max 1000/s"), std::string::npos) << form->StatusBar1.Caption();
}

TEST(Preferences, RoundTripAndDamagedFilesAreIgnoredWithAWarning)
{
    TempFolder folder;
    const std::string path = folder.File("config/qpx-sim/settings.toml");
    std::string warning;
    EXPECT_EQ(LoadPreferences(path, &warning), Preferences{}) << "no file yet";
    EXPECT_EQ(warning, "");

    std::string error;
    for (Preferences kept : {Preferences{1.5, 100}, Preferences{4, 0}, Preferences{1, 1000}}) {
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
         }) {
        WriteText(path, damaged.text);
        warning.clear();
        EXPECT_EQ(LoadPreferences(path, &warning), Preferences{}) << damaged.text;
        EXPECT_NE(warning.find(damaged.why), std::string::npos) << warning;
        EXPECT_EQ(warning.rfind(path, 0), 0u) << "the warning names the file: " << warning;
    }
}

TEST(Preferences, LiveInTheUsersConfigurationFolder)
{
    const char *config = getenv("XDG_CONFIG_HOME");
    const std::string saved = config ? config : "";
    setenv("XDG_CONFIG_HOME", "/tmp/elsewhere", 1);
    EXPECT_EQ(PreferencesPath(), "/tmp/elsewhere/qpx-sim/settings.toml");
    setenv("XDG_CONFIG_HOME", "", 1);
    EXPECT_EQ(PreferencesPath(), std::string(getenv("HOME")) + "/.config/qpx-sim/settings.toml");
    if (config)
        setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
}
