#include "host/form/key_map.h"

#include "host/form/control_widgets.h"
#include "host/toolkit.h"

// Slider steps: small and large.
constexpr int16_t Fine = 10;
constexpr int16_t Coarse = 100;

// Auto-repeat acts again for the knob, the instrument's keys and the sliders;
// power, switches and windows act once per press.
const KeyBinding KeyMap[] = {
    {vkF(1), "F1", FormAction::PressLeftKey, 0, true, "Left key F1 (up triangle)", "keys"},
    {vkF(2), "F2", FormAction::PressRightKey, 0, true, "Right key F2 (down triangle)", "keys"},
    {vkUp, "Up", FormAction::TurnClockwise, 0, true, "Turn the knob one step clockwise", "knob"},
    {vkRight, "Right", FormAction::TurnClockwise, 0, true, "", nullptr},
    {'+', "+", FormAction::TurnClockwise, 0, true, "", nullptr},
    {vkDown, "Down", FormAction::TurnAntiClockwise, 0, true, "Turn the knob one step anticlockwise", "knob"},
    {vkLeft, "Left", FormAction::TurnAntiClockwise, 0, true, "", nullptr},
    {'-', "-", FormAction::TurnAntiClockwise, 0, true, "", nullptr},
    {vkReturn, "Enter", FormAction::PressKnob, 0, true, "Press the knob", "push"},
    {vkSpace, "Space", FormAction::PressKnob, 0, true, "", nullptr},
    {'o', "O", FormAction::PowerOn, 0, false, "ON: power the instrument on (restart when on)", "on"},
    {'f', "F", FormAction::PowerOff, 0, false, "OFF: power the instrument off", "off"},
    {'q', "Q", FormAction::SetPressure, Fine, true, "Pressure slider up 10", nullptr},
    {'a', "A", FormAction::SetPressure, -Fine, true, "Pressure slider down 10", nullptr},
    {'Q', "Shift+Q", FormAction::SetPressure, Coarse, true, "Pressure slider up 100", nullptr},
    {'A', "Shift+A", FormAction::SetPressure, -Coarse, true, "Pressure slider down 100", nullptr},
    {'w', "W", FormAction::SetSpeed, Fine, true, "RPM slider up 10", nullptr},
    {'s', "S", FormAction::SetSpeed, -Fine, true, "RPM slider down 10", nullptr},
    {'W', "Shift+W", FormAction::SetSpeed, Coarse, true, "RPM slider up 100", nullptr},
    {'S', "Shift+S", FormAction::SetSpeed, -Coarse, true, "RPM slider down 100", nullptr},
    {'c', "C", FormAction::SetCalibrate, 0, false, "Tick or untick Calibrate", nullptr},
    {'k', "K", FormAction::SetKeyFast, 0, false, "Tick or untick KeyFast", nullptr},
    {'p', "P", FormAction::SetPaused, 0, false, "Pause or resume the clock and the main cycle", "pause"},
    {'n', "N", FormAction::StepPass, 0, true, "Step: one pass of the main cycle (pauses first)", nullptr},
    {'r', "R", FormAction::SetClockRate, 0, false, "Clock rate: x1, x10, x60, x1, ...", "rate"},
    {'m', "M", FormAction::SetPassRateLimit, 0, false,
     "Pass-rate limit: free, 1,000 a second, 100 a second, free, ... (remembered)", nullptr},
    {vkF(9), "F9", FormAction::ShootDisplay, 0, false, "Screenshot of the display: its dots and as shown",
     nullptr},
    {vkF(10), "F10", FormAction::ShootWindow, 0, false, "Screenshot of the whole window", nullptr},
    {'e', "E", FormAction::ShowEngineWindow, 0, false,
     "Engine window: pressure and speed in real units, sensor faults", nullptr},
    {'l', "L", FormAction::ShowLessons, 0, false, "Lessons: guided tours of the instrument's menus", nullptr},
    {'v', "V", FormAction::ShowStateView, 0, false, "Live view of the instrument's state", nullptr},
    {'h', "H", FormAction::ShowKeyMap, 0, false, "This list of keys", "all keys"},
    {'?', "?", FormAction::ShowKeyMap, 0, false, "", nullptr},
    {vkF(5), "F5", FormAction::SaveStateFile, 0, false,
     "Save the state to a new file qpx-state-<date>-<time>.toml", nullptr},
    // Keys with Ctrl: the zoom keys, which the form takes before this table,
    // are listed, never looked up (no key code).
    {vkNone, "Ctrl+=, Ctrl+-, Ctrl+0", FormAction::SetZoom, 0, false,
     "Zoom the window in, out, back to its own size (remembered)", nullptr},
    {CtrlKey('o'), "Ctrl+O", FormAction::OpenFile, 0, false,
     "Open a recording (CSV) or a state file (TOML); a file dropped onto the window opens the same way",
     nullptr},
    {vkEscape, "Esc", FormAction::None, 0, false,
     "Nothing: the main window never closes on it (a side window does)", nullptr},
};
const size_t KeyMapSize = sizeof KeyMap / sizeof KeyMap[0];

const KeyBinding *FindKeyBinding(int key)
{
    for (const KeyBinding &binding : KeyMap)
        if (binding.key == key && key != vkNone)
            return &binding;
    return nullptr;
}

int SliderStepTarget(int position, int step)
{
    if (step > 0)
        return (position / step + 1) * step;
    const int size = -step;
    return ((position + size - 1) / size - 1) * size;
}

// Rows after the first of a group leave the description empty.
static bool SameGroup(const KeyBinding &a, const KeyBinding &b)
{
    return a.action == b.action && a.step == b.step;
}

// The heading an action's keys are listed under: its control's group, or
// the simulator's own.
static const char *Section(FormAction action)
{
    const ControlEntry *control = ControlOfAction(action);
    return control ? ControlOnForm(control->control).keyGroup : "SIMULATOR";
}

std::vector<KeyMapLine> KeyMapLines()
{
    std::vector<KeyMapLine> lines;
    const char *section = nullptr;
    for (size_t i = 0; i < KeyMapSize; ++i) {
        if (i > 0 && SameGroup(KeyMap[i], KeyMap[i - 1])) {
            lines.back().keys += std::string(", ") + KeyMap[i].keyName;
            continue;
        }
        if (Section(KeyMap[i].action) != section) {
            if (section)
                lines.push_back({"", ""});
            section = Section(KeyMap[i].action);
            lines.push_back({section, ""});
        }
        lines.push_back({KeyMap[i].keyName, KeyMap[i].description});
    }
    return lines;
}

std::string KeysOfAction(FormAction action)
{
    std::string keys;
    for (const KeyBinding &binding : KeyMap) {
        if (binding.action != action)
            continue;
        if (!keys.empty())
            keys += ", ";
        keys += binding.keyName;
        if (binding.step != 0)
            keys += (binding.step > 0 ? " +" : " ") + std::to_string(binding.step);
    }
    return keys;
}

// Keys with the same hint word share it: "F1/F2 keys".
std::string KeyHint()
{
    struct Part {
        std::string keys, word;
    };
    std::vector<Part> parts;
    for (const KeyBinding &binding : KeyMap) {
        if (!binding.hint)
            continue;
        bool joined = false;
        for (Part &part : parts)
            if (part.word == binding.hint) {
                part.keys += std::string("/") + binding.keyName;
                joined = true;
            }
        if (!joined)
            parts.push_back({binding.keyName, binding.hint});
    }
    std::string hint;
    for (const Part &part : parts) {
        if (!hint.empty())
            hint += "  ";
        hint += part.keys + " " + part.word;
    }
    return hint;
}
