#include "host/controls/control_table.h"

// The former state-file keys are the names the window's widgets had when
// the files first kept them.
// clang-format off
const ControlEntry ControlTable[(int)Control::Count] = {
//   control                 kind                   min        max        script word   state key    former key
    {Control::On,            ControlKind::Button,   0,         0,         "on",         nullptr,     nullptr},
    {Control::Off,           ControlKind::Button,   0,         0,         "off",        nullptr,     nullptr},
    {Control::F1,            ControlKind::Button,   0,         0,         "press f1",   nullptr,     nullptr},
    {Control::F2,            ControlKind::Button,   0,         0,         "press f2",   nullptr,     nullptr},
    {Control::Knob,          ControlKind::Button,   0,         0,         "press knob", nullptr,     nullptr},
    {Control::Clockwise,     ControlKind::Button,   0,         0,         "turn cw",    nullptr,     nullptr},
    {Control::AntiClockwise, ControlKind::Button,   0,         0,         "turn ccw",   nullptr,     nullptr},
    {Control::Pressure,      ControlKind::Slider,   SliderMin, SliderMax, "pressure",   "pressure",  "TrackBar1"},
    {Control::Rpm,           ControlKind::Slider,   SliderMin, SliderMax, "rpm",        "rpm",       "TrackBar2"},
    {Control::Calibrate,     ControlKind::CheckBox, 0,         1,         "calibrate",  "calibrate", "CheckBox2"},
    {Control::KeyFast,       ControlKind::CheckBox, 0,         1,         "keyfast",    "keyfast",   "CheckBox3"},
};
// clang-format on

const ControlEntry *ControlOfScriptWord(std::string_view words)
{
    for (const ControlEntry &entry : ControlTable)
        if (words == entry.scriptWord)
            return &entry;
    return nullptr;
}
