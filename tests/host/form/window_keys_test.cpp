// The keyboard and the mouse wheel: each key reaches the handler of the click
// it stands for, through the same form action, before any focused control.
#include <vector>

#include "host/form/key_map.h"
#include "support/window_fixture.h"

namespace {

struct Acted {
    FormAction action;
    int32_t value;
    bool operator==(const Acted &) const = default;
};

class WindowKeys : public WindowTest {
  protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        form->OnAction = [this](FormAction action, int32_t value, int64_t) {
            acted.push_back({action, value});
        };
    }
    void Key(int key, bool repeat = false, bool ctrlOrAlt = false)
    {
        headless::PressKey(*form, key, repeat, ctrlOrAlt);
        Idle();
    }
    std::vector<Acted> acted;
};

} // namespace

TEST_F(WindowKeys, EachKeyAndTheWheelReachTheHandlerOfTheirClick)
{
    struct Case {
        int key;
        TControl *click;
        uint8_t pendingKey;
    } cases[] = {{vkF(1), &form->Image3, KeyLeft},           {vkF(2), &form->Image6, KeyRight},
                 {vkUp, &form->Button3, KeyClockwise},       {vkRight, &form->Button3, KeyClockwise},
                 {'+', &form->Button3, KeyClockwise},        {vkDown, &form->Button4, KeyAntiClockwise},
                 {vkLeft, &form->Button4, KeyAntiClockwise}, {'-', &form->Button4, KeyAntiClockwise},
                 {vkReturn, &form->Image5, KeyCentre},       {vkSpace, &form->Image5, KeyCentre}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.key);
        state.pendingKey = 0;
        headless::Click(*c.click);
        Idle();
        const Acted byClick = acted.back();
        EXPECT_EQ(state.pendingKey, c.pendingKey);
        state.pendingKey = 0;
        Key(c.key);
        EXPECT_EQ(acted.back(), byClick);
        EXPECT_EQ(state.pendingKey, c.pendingKey);
    }

    // Over the face a notch away from the user turns clockwise; elsewhere the
    // wheel does nothing.
    const size_t before = acted.size();
    state.pendingKey = 0;
    headless::TurnWheel(*form, 500, 200, -1);
    Idle();
    EXPECT_EQ(acted.size(), before);
    headless::TurnWheel(*form, 168, 150, -1);
    Idle();
    EXPECT_EQ(state.pendingKey, KeyClockwise);
    state.pendingKey = 0;
    headless::TurnWheel(*form, 168, 150, 1);
    Idle();
    EXPECT_EQ(state.pendingKey, KeyAntiClockwise);
}

TEST_F(WindowKeys, KeysAndNotchesWhileAKeyIsPendingAreDropped)
{
    headless::Click(form->Image3);
    headless::PressKey(*form, vkUp);
    headless::TurnWheel(*form, 168, 150, 2);
    Idle();
    EXPECT_EQ(state.pendingKey, KeyLeft);
    // Each reached its handler, which dropped it.
    EXPECT_EQ(acted.size(), 4u);
}

TEST_F(WindowKeys, FocusedControlsNeverSeeTheMappedKeys)
{
    // ON has the focus when the window opens: Space and Enter press the knob.
    headless::Focus(&form->Button1);
    Key(vkSpace);
    Key(vkReturn);
    EXPECT_EQ(state.pendingKey, KeyCentre);
    EXPECT_EQ(std::count(acted.begin(), acted.end(), Acted{FormAction::PowerOn, 0}), 0);
    state.pendingKey = 0;

    headless::Focus(&form->TrackBar1);
    for (int key : {vkRight, vkUp, vkLeft, vkDown})
        Key(key);
    EXPECT_EQ(form->TrackBar1.Position(), 1);
    EXPECT_EQ(state.pendingKey, KeyClockwise);

    headless::Focus(&form->CheckBox2);
    Key(vkSpace);
    EXPECT_FALSE(form->CheckBox2.Checked());

    // Without the form taking them, the focused control would act.
    form->OnKey = nullptr;
    Key(vkRight);
    EXPECT_EQ(form->TrackBar1.Position(), 1);
    headless::Focus(&form->TrackBar1);
    Key(vkRight);
    EXPECT_EQ(form->TrackBar1.Position(), 2);
}

TEST_F(WindowKeys, PowerIgnoresAutoRepeatEscapeAndCtrlDoNothing)
{
    Key('o', true);
    Key('f', true);
    Key('o', false, true);
    Key(vkEscape);
    EXPECT_TRUE(acted.size() == 1 && acted[0].action == FormAction::None);
    EXPECT_FALSE(Application->Terminated());
    Key(vkUp, true);
    EXPECT_EQ(state.pendingKey, KeyClockwise) << "the knob turns on while its key is held";
}

TEST_F(WindowKeys, SliderAndSwitchKeysMoveTheControlsAsTheMouseWould)
{
    Key('Q');
    Key('Q');
    Key('a');
    EXPECT_EQ(form->TrackBar1.Position(), 190); // 1 -> 100 -> 200 -> 190
    EXPECT_EQ(state.simPressureInput, 190);
    EXPECT_EQ(form->Label13.Caption(), "190");
    Key('S');
    EXPECT_EQ(form->TrackBar2.Position(), 0);
    const size_t before = acted.size();
    Key('s'); // already at 0: nothing moves, nothing is reported
    EXPECT_EQ(acted.size(), before);

    Key('c');
    Key('k');
    EXPECT_TRUE(form->CheckBox2.Checked());
    EXPECT_TRUE(form->CheckBox3.Checked());
    Key('c');
    EXPECT_FALSE(form->CheckBox2.Checked());
    EXPECT_EQ(acted.back(), (Acted{FormAction::SetCalibrate, 0}));

    // A slider dragged or a box clicked is reported once, like a key.
    headless::MoveSlider(form->TrackBar2, 300);
    headless::SetTicked(form->CheckBox3, false);
    Idle();
    EXPECT_EQ(acted[acted.size() - 2], (Acted{FormAction::SetSpeed, 300}));
    EXPECT_EQ(acted.back(), (Acted{FormAction::SetKeyFast, 0}));
}

TEST_F(WindowKeys, OneTableBindsTheKeysAndShowsThem)
{
    for (size_t i = 0; i < KeyMapSize; ++i)
        for (size_t j = i + 1; j < KeyMapSize; ++j)
            EXPECT_NE(KeyMap[i].key, KeyMap[j].key) << KeyMap[i].keyName << " is bound twice";
    // Everything the window offers has a key.
    for (int a = 0; a < (int)FormAction::Count; ++a)
        EXPECT_NE(KeysOfAction((FormAction)a), "") << FormActionName((FormAction)a);

    EXPECT_NE(form->Image3.Hint().find("F1"), std::string::npos);
    EXPECT_NE(form->Button2.Hint().find("key: F"), std::string::npos);
    EXPECT_NE(form->StatusBar1.Caption().find("H all keys"), std::string::npos);

    Key('h');
    ASSERT_NE(form->KeyMapWindow(), nullptr);
    EXPECT_TRUE(form->KeyMapWindow()->Visible());
    const std::string &keys = form->KeyMapWindow()->Keys.Caption();
    for (size_t i = 0; i < KeyMapSize; ++i)
        EXPECT_NE(keys.find(KeyMap[i].keyName), std::string::npos) << KeyMap[i].keyName;
    // The side window passes keys on, and closes on Escape.
    headless::PressKey(*form->KeyMapWindow(), vkF(2));
    headless::PressKey(*form->KeyMapWindow(), vkEscape);
    Idle();
    EXPECT_EQ(state.pendingKey, KeyRight);
    EXPECT_FALSE(form->KeyMapWindow()->Visible());
}

TEST_F(WindowKeys, AStepWhilePausedNamesThePassItRan)
{
    std::string said;
    RunInstrument([&](long round) {
        if (round == 85)
            headless::PressKey(*form, 'p');
        if (round == 90)
            headless::PressKey(*form, 'n');
        if (round == 95) {
            said = form->StatusBar1.Caption();
            headless::PressKey(*form, 'f');
        }
    });
    // Rounds 81..85 ran passes 1..5; paused, the step ran the sixth.
    EXPECT_NE(said.find("Step: ran pass 6 since ON"), std::string::npos) << said;
}
