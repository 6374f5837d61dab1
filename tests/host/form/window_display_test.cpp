// The display as the window shows it: backlight and contrast, screenshots of
// it and of the window, and the live state view.
#include <filesystem>

#include "host/form/display_look.h"
#include "host/readout/drawn_texts.h"
#include "host/readout/state_fields.h"
#include "host/readout/state_text.h"
#include "instrument/main_cycle.h"
#include "instrument/pressure_units.h"
#include "support/frame_dots.h"
#include "support/png_read.h"
#include "support/window_fixture.h"

namespace fs = std::filesystem;

namespace {

class WindowDisplay : public WindowTest {
  protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        folder = fs::temp_directory_path() / ("qpx-shots-" + std::to_string(getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        form->SetShotsFolder(folder.string());
    }
    void TearDown() override
    {
        fs::remove_all(folder);
        WindowTest::TearDown();
    }
    // The run screen after power-on, presented.
    void PowerOnAndPass()
    {
        PowerOnSequence();
        MainCyclePass();
    }
    // Colours of a dark and of a light dot of the display image.
    DisplayColours Shown()
    {
        const TImage &image = form->Image1;
        TColor dot{}, panel{};
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 128; ++x)
                (DotAt(x, y) ? dot : panel) = image.Pixel(2 * x + 1, 2 * y + 1);
        return {dot, panel};
    }
    void Key(int key)
    {
        headless::PressKey(*form, key);
        Idle();
    }
    fs::path folder;
};

int Brightness(TColor c) { return c.r + c.g + c.b; }

} // namespace

TEST_F(WindowDisplay, BacklightAndContrastChangeTheImageTheDefaultsLeaveIt)
{
    PowerOnAndPass();
    EXPECT_EQ(Shown().dot, clBlack);
    EXPECT_EQ(Shown().panel, clInactiveBorder);
    const uint32_t contrastCalls = hookCalls.applyContrast;

    state.settings.backlightOn = 0; // the main cycle calls BacklightOff
    MainCyclePass();
    const DisplayColours unlit = Shown();
    EXPECT_LT(Brightness(unlit.panel), Brightness(clInactiveBorder) - 60);
    EXPECT_LT(Brightness(unlit.dot), Brightness(unlit.panel) / 3);

    state.settings.backlightOn = 1;
    state.settings.contrast = 0;
    ApplyContrast();
    MainCyclePass();
    const DisplayColours faint = Shown();
    EXPECT_EQ(faint.panel, clInactiveBorder);
    EXPECT_GT(Brightness(faint.dot), Brightness(clInactiveBorder) / 2) << "dots at contrast 0 are faint";

    state.settings.contrast = 62;
    ApplyContrast();
    MainCyclePass();
    const DisplayColours strong = Shown();
    EXPECT_EQ(strong.dot, clBlack);
    EXPECT_LT(Brightness(strong.panel), Brightness(clInactiveBorder) - 100);
    EXPECT_GT(Brightness(strong.panel), Brightness(clBlack) + 300);

    state.settings.contrast = 32;
    ApplyContrast();
    const uint64_t version = form->Image1.Version();
    MainCyclePass();
    EXPECT_EQ(Shown().dot, clBlack);
    EXPECT_EQ(Shown().panel, clInactiveBorder);
    EXPECT_NE(form->Image1.Version(), version) << "a new look is painted even when the frame is the same";
    const uint64_t settled = form->Image1.Version();
    MainCyclePass();
    EXPECT_EQ(form->Image1.Version(), settled) << "the same frame in the same look is not painted again";
    EXPECT_EQ(hookCalls.applyContrast, contrastCalls + 3) << "the hooks still count their calls";
}

namespace {
int backlightCallsSeen = 0;
void SeeBacklight(HookId) { ++backlightCallsSeen; }
} // namespace

// A listener subscribed before the window (a test watching the hooks) keeps
// being called beside it, and stays when the window goes, which takes only
// its own listener with it.
TEST_F(WindowDisplay, ListenersSubscribedBeforeTheWindowStillSeeTheHooks)
{
    Application->Reset();
    const int before = HookListenerCount(HookBacklightOn);
    const HookToken watch = SubscribeHook(HookBacklightOn, SeeBacklight);
    form = Application->CreateForm<TForm1>();
    EXPECT_EQ(HookListenerCount(HookBacklightOn), before + 2);
    backlightCallsSeen = 0;
    PowerOnAndPass();
    EXPECT_EQ(backlightCallsSeen, 2); // the defaults, then the pass
    EXPECT_EQ(Shown().panel, clInactiveBorder);
    Application->Reset();
    EXPECT_EQ(HookListenerCount(HookBacklightOn), before + 1);
    backlightCallsSeen = 0;
    BacklightOn();
    EXPECT_EQ(backlightCallsSeen, 1);
    UnsubscribeHook(watch);
    form = Application->CreateForm<TForm1>();
}

TEST_F(WindowDisplay, DisplayShotsHoldTheDotsRawAndAsShown)
{
    Key(vkF(9));
    EXPECT_TRUE(form->LastShotFiles().empty()) << "nothing is on the display before the first ON";
    EXPECT_NE(form->StatusBar1.Caption().find("nothing yet"), std::string::npos);

    PowerOnAndPass();
    state.settings.backlightOn = 0;
    MainCyclePass();
    Key(vkF(9));
    ASSERT_EQ(form->LastShotFiles().size(), 2u);
    const TPicture raw = ReadPng(form->LastShotFiles()[0]);
    const TPicture shown = ReadPng(form->LastShotFiles()[1]);
    ASSERT_EQ(raw.width, 128);
    ASSERT_EQ(raw.height, 64);
    ASSERT_EQ(shown.width, 256);
    ASSERT_EQ(shown.height, 128);
    const DisplayColours look = LookColours(form->Look());
    int wrong = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 128; ++x) {
            wrong += PixelOf(raw, x, y) != (DotAt(x, y) ? clBlack : clWhite);
            for (int i = 0; i < 4; ++i)
                wrong +=
                    PixelOf(shown, 2 * x + i % 2, 2 * y + i / 2) != (DotAt(x, y) ? look.dot : look.panel);
        }
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(CountDots(state.lcdFrame), 100);
    const std::string name = fs::path(form->LastShotFiles()[0]).filename().string();
    EXPECT_NE(form->StatusBar1.Caption().find(name), std::string::npos);

    // Two shots within a second get names of their own.
    Key(vkF(9));
    EXPECT_NE(form->LastShotFiles()[0], (folder / name).string());
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 4);
}

TEST_F(WindowDisplay, ShotsThatCannotBeWrittenSaySoInTheStatusBar)
{
    PowerOnAndPass();
    form->SetShotsFolder((folder / "no" / "such" / "folder").string());
    Key(vkF(9));
    EXPECT_TRUE(form->LastShotFiles().empty());
    EXPECT_NE(form->StatusBar1.Caption().find("Cannot write the screenshot in"), std::string::npos)
        << form->StatusBar1.Caption();
    // Without a display there is no picture of the window to take.
    Key(vkF(10));
    EXPECT_NE(form->StatusBar1.Caption().find("No picture of the window"), std::string::npos);
    // The message goes with the next action.
    Key(vkUp);
    EXPECT_NE(form->StatusBar1.Caption().find("H all keys"), std::string::npos);
}

TEST_F(WindowDisplay, StateViewListsTheRecordAndRefreshesAFewTimesASecond)
{
    Key('v');
    TStateView *view = form->StateView();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->Visible());
    auto shows = [&](const std::string &text) {
        for (const auto &column : view->Columns)
            if (column->Caption().find(text) != std::string::npos)
                return true;
        return false;
    };
    EXPECT_TRUE(shows("SETTINGS"));
    EXPECT_FALSE(shows("hobbsHours          1234"));
    state.hobbsHours = 1234;
    state.currentScreen = ScreenByName("ContrastScreen");
    headless::AdvanceClock(240);
    Idle();
    EXPECT_FALSE(shows("hobbsHours          1234")) << "refreshed before its time";
    headless::AdvanceClock(10);
    Idle();
    EXPECT_TRUE(shows("hobbsHours          1234"));
    EXPECT_TRUE(shows("currentScreen       ContrastScreen"));

    headless::PressKey(*view, vkEscape);
    Idle();
    EXPECT_FALSE(view->Visible());
}

// The last column ends with the texts the running instrument drew into its
// present frame, and stops listening when the view is gone.
TEST_F(WindowDisplay, StateViewListsTheTextsOfThePresentFrame)
{
    Key('v');
    TStateView *view = form->StateView();
    ASSERT_NE(view, nullptr);
    std::string listed;
    RunInstrument([&](long round) {
        if (round == SplashPasses + 20) {
            headless::AdvanceClock(250);
            listed = "";
        } else if (round == SplashPasses + 21) {
            listed = view->Columns.back()->Caption();
            state.powerOffRequest = 1;
        }
    });
    EXPECT_NE(listed.find("\n\nTEXTS ON THE DISPLAY\n"), std::string::npos) << listed;
    EXPECT_NE(listed.find("\n 103,14  \"RPM\"\n"), std::string::npos) << listed;

    EXPECT_EQ(DrawnTextsColumn({{0, 0, "A"}, {6, 8, " B "}, {12, 16, "C"}}, 3),
              "TEXTS ON THE DISPLAY\n   0,0   \"A\"\n2 more");
    EXPECT_EQ(DrawnTextsColumn({{100, 56, " B "}}, 3), "TEXTS ON THE DISPLAY\n 100,56  \" B \"");
}

// Each reader of the drawn texts holds the collecting: a state view going
// leaves a lesson that awaits a text still reading the display.
TEST_F(WindowDisplay, EachReaderOfTheTextsHoldsTheCollectingUntilItGoes)
{
    auto view = std::make_unique<TStateView>(*form);
    StartCollectingDrawnTexts(); // the lesson
    view.reset();
    EXPECT_TRUE(CollectingDrawnTexts());
    StopCollectingDrawnTexts();
    EXPECT_FALSE(CollectingDrawnTexts());
    StopCollectingDrawnTexts(); // one Stop too many takes no later hold
    StartCollectingDrawnTexts();
    EXPECT_TRUE(CollectingDrawnTexts());
    StopCollectingDrawnTexts();
}

TEST(StateText, EveryFieldOnceInDeclarationOrderWithinTheLines)
{
    const std::vector<StateTextColumn> columns = StateTextColumns(40);
    std::string all;
    for (const StateTextColumn &column : columns) {
        EXPECT_LE(std::count(column.text.begin(), column.text.end(), '\n') + 1, 40);
        all += column.text + "\n";
    }
    size_t at = 0;
    for (size_t i = 0; i < StateFieldCount; ++i) {
        std::string name = StateFields[i].name;
        if (name.rfind("settings.", 0) == 0)
            name = name.substr(9);
        const size_t found = all.find("\n" + name + " ", at);
        ASSERT_NE(found, std::string::npos) << name << " missing or out of order";
        at = found + 1;
    }
}

TEST(StateText, CodedValuesShowTheirNames)
{
    ResetInstrumentState();
    state.settings.pressureUnit = UnitInchesHg;
    state.settings.pressureFilter = 2;
    state.settings.pulseMode = 7; // beyond the texts: the number alone
    state.settings.backlightOn = 1;
    state.pendingKey = KeyLeft;
    std::string all;
    for (const StateTextColumn &column : StateTextColumns(40))
        all += column.text + "\n";
    for (const char *line :
         {"pressureUnit        4 (\"Hg)\n", "pressureFilter      2 (SLOW)\n", "pulseMode           7\n",
          "pendingKey          4 (F1)\n", "backlightOn         1 (ON)\n", "hobbsHours          0\n"})
        EXPECT_NE(all.find(line), std::string::npos) << line;
    ResetInstrumentState();
}
