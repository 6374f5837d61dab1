#include "user_actions.h"

#include "host/form/Pcmain.h"
#include "host/headless/headless_driver.h"
#include "instrument/state.h"
#include "screens/access_code.h"

namespace {

struct Weighted {
    ActionKind kind;
    uint32_t weight;
};

// Mostly keys, often sliders and time, now and then the power buttons, the
// check boxes and, rarely, closing the window.
constexpr Weighted Mix[] = {
    {ActionKind::Key, 800},      {ActionKind::Wait, 160},        {ActionKind::PressureSlider, 64},
    {ActionKind::RpmSlider, 64}, {ActionKind::CalibrateBox, 24}, {ActionKind::KeyFastBox, 24},
    {ActionKind::On, 12},        {ActionKind::Off, 8},           {ActionKind::CloseWindow, 1},
};

ActionKind PickKind(SoakRandom &random)
{
    uint32_t total = 0;
    for (const Weighted &w : Mix)
        total += w.weight;
    uint32_t pick = random.Below(total);
    for (const Weighted &w : Mix) {
        if (pick < w.weight)
            return w.kind;
        pick -= w.weight;
    }
    return ActionKind::Key;
}

// Anywhere on the slider, with its ends and the smallest moves often.
int SliderPosition(SoakRandom &random)
{
    switch (random.Below(6)) {
    case 0:
        return 0;
    case 1:
        return 4096;
    case 2:
        return (int)random.Between(0, 40);
    default:
        return (int)random.Between(0, 4096);
    }
}

// Mostly short, up to a few seconds; one in two hundred long enough for a flight
// to be logged, a Hobbs minute to pass or a magneto check to run out.
int WaitMs(SoakRandom &random)
{
    if (random.OneIn(200))
        return (int)random.Between(10000, 125000);
    if (random.OneIn(2))
        return (int)random.Between(0, 300);
    return (int)random.Between(0, 3000);
}

const char *KeyName(int key)
{
    static const char *const Names[] = {"none",    "KeyCentre", "KeyClockwise", "KeyAntiClockwise",
                                        "KeyLeft", "KeyRight"};
    return key >= 0 && key <= 5 ? Names[key] : "?";
}

} // namespace

UserAction PickUserAction(SoakRandom &random)
{
    ActionKind kind = PickKind(random);
    switch (kind) {
    case ActionKind::Key:
        return {kind, (int)random.Between(KeyCentre, KeyRight)};
    case ActionKind::PressureSlider:
    case ActionKind::RpmSlider:
        return {kind, SliderPosition(random)};
    case ActionKind::CalibrateBox:
    case ActionKind::KeyFastBox:
        return {kind, (int)random.Below(2)};
    case ActionKind::Wait:
        return {kind, WaitMs(random)};
    default:
        return {kind, 0};
    }
}

std::vector<UserAction> TypeCode(uint32_t code)
{
    ScreenHandler screen = state.currentScreen;
    bool codeScreen = screen == EnterCurrentCodeScreen || screen == EnterNewCodeScreen ||
                      screen == ConfirmNewCodeScreen || screen == EnterHobbsCodeScreen;
    if (!codeScreen || state.menuCursor != 0)
        return {};
    std::vector<UserAction> keys;
    const uint32_t place[4] = {1000, 100, 10, 1};
    for (int i = 0; i < 4; ++i) {
        int target = (int)(code / place[i] % 10);
        int turns = (target - state.entryDigits[i] % 10 + 10) % 10;
        for (int t = 0; t < turns; ++t)
            keys.push_back({ActionKind::Key, KeyClockwise});
        keys.push_back({ActionKind::Key, KeyCentre});
    }
    return keys;
}

std::string DescribeUserAction(const UserAction &action)
{
    switch (action.kind) {
    case ActionKind::Key:
        return std::string("key ") + KeyName(action.value);
    case ActionKind::On:
        return "ON";
    case ActionKind::Off:
        return "OFF";
    case ActionKind::PressureSlider:
        return "pressure slider " + std::to_string(action.value);
    case ActionKind::RpmSlider:
        return "rpm slider " + std::to_string(action.value);
    case ActionKind::CalibrateBox:
        return action.value ? "tick Calibrate" : "untick Calibrate";
    case ActionKind::KeyFastBox:
        return action.value ? "tick KeyFast" : "untick KeyFast";
    case ActionKind::Wait:
        return "wait " + std::to_string(action.value) + " ms";
    case ActionKind::CloseWindow:
        return "close the window";
    }
    return "?";
}

void QueueUserAction(TForm1 &form, const UserAction &action)
{
    switch (action.kind) {
    case ActionKind::Key: {
        TControl *const Controls[] = {nullptr,       &form.Image5, &form.Button3,
                                      &form.Button4, &form.Image3, &form.Image6};
        headless::Click(*Controls[action.value]);
        break;
    }
    case ActionKind::On:
        headless::Click(form.Button1);
        break;
    case ActionKind::Off:
        headless::Click(form.Button2);
        break;
    case ActionKind::PressureSlider:
        headless::MoveSlider(form.TrackBar1, action.value);
        break;
    case ActionKind::RpmSlider:
        headless::MoveSlider(form.TrackBar2, action.value);
        break;
    case ActionKind::CalibrateBox:
        headless::SetTicked(form.CheckBox2, action.value != 0);
        break;
    case ActionKind::KeyFastBox:
        headless::SetTicked(form.CheckBox3, action.value != 0);
        break;
    case ActionKind::Wait:
        break;
    case ActionKind::CloseWindow:
        headless::CloseWindow(form);
        break;
    }
}
