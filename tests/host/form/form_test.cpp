// The form's controls and handlers: keys, sliders, timers, the lamp and the
// display image.
#include "host/form/control_widgets.h"
#include "host/form/key_map.h"
#include "host/jpeg_decode.h"
#include "instrument/host_link.h"
#include "support/window_fixture.h"

using Form = WindowTest;

TEST_F(Form, LayoutAndStartingState)
{
    EXPECT_EQ(form->Caption(), "Corvan QPX-2");
    EXPECT_EQ(form->Bounds().width, 621);
    EXPECT_EQ(form->Bounds().height, 404);
    EXPECT_EQ(form->Image1.Parent(), &form->Panel1);
    EXPECT_EQ(form->TrackBar1.Max(), 4096);
    EXPECT_EQ(form->TrackBar1.Position(), 1);
    EXPECT_EQ(form->TrackBar2.Position(), 1);
    EXPECT_EQ(form->Label13.Caption(), "0");
    EXPECT_EQ(form->Label3.Caption(), "0");
    EXPECT_FALSE(form->CheckBox2.Checked());
    EXPECT_FALSE(form->CheckBox3.Checked());
    // The timer events fall due first after their intervals.
    EXPECT_EQ(form->Clock.DueMs(ClockEvent::Tick100ms), 100);
    EXPECT_EQ(form->Clock.DueMs(ClockEvent::Gate500ms), 500);
    EXPECT_EQ(form->Clock.DueMs(ClockEvent::Second), 1000);
    EXPECT_EQ(form->Button1.TabOrder(), 0);
    EXPECT_EQ(form->Button2.TabOrder(), 1);
    // The face is at the bottom of the stacking order, under the lamp, key
    // areas and display.
    EXPECT_EQ(form->Children().front(), &form->Image2);
    EXPECT_EQ(form->Image2.PictureWidth(), 371);
    EXPECT_EQ(form->Image2.PictureHeight(), 371);
}

TEST_F(Form, BeforeTheFirstOnTheLampIsBrightRedAndTheDisplayHoldsNothing)
{
    headless::AdvanceClock(3000);
    Idle();
    EXPECT_EQ(form->Shape1.BrushColor(), clRed);
    EXPECT_TRUE(form->Image1.Empty());
    EXPECT_TRUE(form->Image1.Visible());
}

TEST_F(Form, EachKeyAreaAndKnobButtonStoresItsKeyCode)
{
    struct Case {
        TControl *control;
        uint8_t key;
    } cases[] = {{&form->Image5, KeyCentre},
                 {&form->Button3, KeyClockwise},
                 {&form->Button4, KeyAntiClockwise},
                 {&form->Image3, KeyLeft},
                 {&form->Image6, KeyRight}};
    for (const Case &c : cases) {
        state.pendingKey = 0;
        headless::Click(*c.control);
        EXPECT_EQ(state.pendingKey, 0) << "a click reached its handler before messages were processed";
        Idle();
        EXPECT_EQ(state.pendingKey, c.key);
    }
}

TEST_F(Form, AKeyClickedWhileAnotherIsPendingIsDropped)
{
    headless::Click(form->Image3);
    headless::Click(form->Image6);
    headless::Click(form->Button4);
    Idle();
    EXPECT_EQ(state.pendingKey, KeyLeft);
}

TEST_F(Form, PressureSliderWhileOffUpdatesItsLabelAndInput)
{
    headless::MoveSlider(form->TrackBar1, 4096);
    Idle();
    EXPECT_EQ(state.simPressureInput, 4096);
    EXPECT_EQ(form->Label13.Caption(), "4096");
    headless::MoveSlider(form->TrackBar1, 5000); // beyond the range
    Idle();
    EXPECT_EQ(form->TrackBar1.Position(), 4096);
    headless::MoveSlider(form->TrackBar1, 0);
    Idle();
    EXPECT_EQ(state.simPressureInput, 0);
    EXPECT_EQ(form->Label13.Caption(), "0");
}

TEST_F(Form, BlinkPhaseFlipsEveryEleventhTickAndMagnetoCountdownEveryTwentiethWhileOff)
{
    state.magCheckTimer = 3;
    std::vector<int> flips, countdowns;
    uint8_t phase = state.blinkPhase, timer = state.magCheckTimer;
    for (int tick = 1; tick <= 80; ++tick) {
        headless::AdvanceClock(100);
        Idle();
        if (state.blinkPhase != phase)
            flips.push_back(tick);
        if (state.magCheckTimer != timer)
            countdowns.push_back(tick);
        phase = state.blinkPhase;
        timer = state.magCheckTimer;
        ASSERT_LE(state.blinkTickCount, 10);
        ASSERT_LE(state.slowTickCount, 19);
    }
    EXPECT_EQ(flips, (std::vector<int>{11, 22, 33, 44, 55, 66, 77}));
    // Three steps down to 0, then it stays.
    EXPECT_EQ(countdowns, (std::vector<int>{20, 40, 60}));
    EXPECT_EQ(state.magCheckTimer, 0);
}

TEST_F(Form, BlinkPhaseAboveOneIsTreatedAsOn)
{
    state.blinkPhase = 7;
    state.blinkTickCount = 10;
    headless::AdvanceClock(100);
    Idle();
    EXPECT_EQ(state.blinkPhase, 0);
    EXPECT_EQ(state.blinkTickCount, 0);
}

TEST_F(Form, OneSecondEventComesOncePerSecond)
{
    headless::AdvanceClock(999);
    Idle();
    EXPECT_EQ(state.secondTick, 0);
    headless::AdvanceClock(1);
    Idle();
    EXPECT_EQ(state.secondTick, 1);
}

TEST_F(Form, TimersFireInTimeOrder)
{
    // Timer1 at 100..1000 ms (10 ticks) and Timer2 at 500 and 1000: after
    // 500 ms the gate has seen 5 blink ticks.
    headless::AdvanceClock(1000);
    EXPECT_EQ(state.blinkTickCount, 0) << "a timer event came before messages were processed";
    Idle();
    EXPECT_EQ(state.blinkTickCount, 10);
    EXPECT_EQ(state.slowTickCount, 10);
}

TEST_F(Form, FrameIsPresentedAtTwiceItsSizeInTheDisplayImage)
{
    state.lcdFrame[0] = 0x01;             // (0, 0)
    state.lcdFrame[128 + 3] = 0x02;       // (3, 9)
    state.lcdFrame[7 * 128 + 127] = 0x80; // (127, 63)
    PresentLcd();

    const TImage &image = form->Image1;
    ASSERT_FALSE(image.Empty());
    auto dark = [&](int x, int y) { return image.Pixel(x, y) == clBlack; };
    for (int dy = 0; dy < 2; ++dy)
        for (int dx = 0; dx < 2; ++dx) {
            EXPECT_TRUE(dark(dx, dy));
            EXPECT_TRUE(dark(6 + dx, 18 + dy));
            EXPECT_TRUE(dark(254 + dx, 126 + dy));
        }
    EXPECT_EQ(image.Pixel(2, 0), clInactiveBorder);
    EXPECT_EQ(image.Pixel(6, 20), clInactiveBorder);
    EXPECT_EQ(image.Pixel(8, 18), clInactiveBorder);
    int darkCount = 0;
    for (int y = 0; y < 129; ++y)
        for (int x = 0; x < 257; ++x)
            darkCount += dark(x, y);
    EXPECT_EQ(darkCount, 12);
    // The image's last column and row are never painted.
    EXPECT_EQ(image.Pixel(256, 5), clWhite);
    EXPECT_EQ(image.Pixel(5, 128), clWhite);
}

TEST_F(Form, AnUnchangedFrameIsNotShownAgain)
{
    std::vector<uint32_t> shown;
    state.lcdFrame[100] = 0x5A;
    PresentLcd();
    EXPECT_TRUE(form->Image1.CopyIfChanged(shown));
    PresentLcd();
    EXPECT_FALSE(form->Image1.CopyIfChanged(shown)) << "the window would repaint an unchanged frame";
    state.lcdFrame[1023] = 0x80; // the very last dot
    PresentLcd();
    EXPECT_TRUE(form->Image1.CopyIfChanged(shown));
    EXPECT_FALSE(form->Image1.CopyIfChanged(shown));
}

TEST_F(Form, DisplayIsHiddenOnlyWhileTheFrameIsCopied)
{
    bool visibleWhilePumping = false;
    RunInstrument([&](long round) {
        if (round == SplashPasses + 3) {
            visibleWhilePumping = form->Image1.Visible();
            headless::Click(form->Button2);
        }
    });
    EXPECT_TRUE(visibleWhilePumping);
    EXPECT_FALSE(form->Image1.Empty());
}

// Every part of the simulator finds a control through the tables: its rows
// must be where its control says, be found by its action and its script
// word, sit on a widget of its kind (the table's casts rely on it) and have
// a key.
TEST_F(Form, EachControlIsFoundByEveryNameTheTableGivesIt)
{
    for (const ControlEntry &entry : ControlTable) {
        const ControlWidgetEntry &onForm = ControlOnForm(entry.control);
        SCOPED_TRACE(onForm.widgetName);
        EXPECT_EQ(&ControlInfo(entry.control), &entry);
        EXPECT_EQ(onForm.control, entry.control);
        EXPECT_EQ(ControlOfAction(onForm.action), &entry);
        EXPECT_EQ(ControlOfScriptWord(entry.scriptWord), &entry);
        EXPECT_EQ(entry.stateKey != nullptr, entry.kind != ControlKind::Button);
        const TControlKind widget = ControlWidget(*form, entry.control).Kind();
        switch (entry.kind) {
        case ControlKind::Button:
            EXPECT_TRUE(widget == TControlKind::Button || widget == TControlKind::Image);
            break;
        case ControlKind::Slider:
            EXPECT_EQ(widget, TControlKind::TrackBar);
            break;
        case ControlKind::CheckBox:
            EXPECT_EQ(widget, TControlKind::CheckBox);
            break;
        }
        EXPECT_FALSE(KeysOfAction(onForm.action).empty());
        EXPECT_EQ(ControlWidget(*form, entry.control).Hint().rfind(onForm.label, 0), 0u);
    }
    EXPECT_EQ(ControlOfAction(FormAction::SetPaused), nullptr);
}
