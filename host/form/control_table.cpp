#include "host/form/control_table.h"

#include "host/form/Pcmain.h"

namespace {

constexpr const char *InstrumentKeys = "INSTRUMENT";
constexpr const char *Power = "POWER";
constexpr const char *Sensors = "SENSORS AND SWITCHES";

} // namespace

#define WIDGET(name) #name, [](TForm1 & form) -> TControl & { return form.name; }

// clang-format off
const ControlEntry ControlTable[(int)Control::Count] = {
//   control                 kind                   action                         script word   state key    former key
//   label                               key group       widget             handler
    {Control::On,            ControlKind::Button,   FormAction::PowerOn,           "on",         nullptr,     nullptr,
     "Power on",                         Power,          WIDGET(Button1),   &TForm1::Button1Click},
    {Control::Off,           ControlKind::Button,   FormAction::PowerOff,          "off",        nullptr,     nullptr,
     "Power off",                        Power,          WIDGET(Button2),   &TForm1::Button2Click},
    {Control::F1,            ControlKind::Button,   FormAction::PressLeftKey,      "press f1",   nullptr,     nullptr,
     "Left key F1",                      InstrumentKeys, WIDGET(Image3),    &TForm1::Image3Click},
    {Control::F2,            ControlKind::Button,   FormAction::PressRightKey,     "press f2",   nullptr,     nullptr,
     "Right key F2",                     InstrumentKeys, WIDGET(Image6),    &TForm1::Image6Click},
    {Control::Knob,          ControlKind::Button,   FormAction::PressKnob,         "press knob", nullptr,     nullptr,
     "Press the knob",                   InstrumentKeys, WIDGET(Image5),    &TForm1::Image5Click},
    {Control::Clockwise,     ControlKind::Button,   FormAction::TurnClockwise,     "turn cw",    nullptr,     nullptr,
     "Knob one step clockwise",          InstrumentKeys, WIDGET(Button3),   &TForm1::Button3Click},
    {Control::AntiClockwise, ControlKind::Button,   FormAction::TurnAntiClockwise, "turn ccw",   nullptr,     nullptr,
     "Knob one step anticlockwise",      InstrumentKeys, WIDGET(Button4),   &TForm1::Button4Click},
    {Control::Pressure,      ControlKind::Slider,   FormAction::SetPressure,       "pressure",   "pressure",  "TrackBar1",
     "Pressure sensor",                  Sensors,        WIDGET(TrackBar1), &TForm1::TrackBar1Change},
    // The engine speed slider is read by the instrument on every pass.
    {Control::Rpm,           ControlKind::Slider,   FormAction::SetSpeed,          "rpm",        "rpm",       "TrackBar2",
     "Engine pulses per half second",    Sensors,        WIDGET(TrackBar2), nullptr},
    {Control::Calibrate,     ControlKind::CheckBox, FormAction::SetCalibrate,      "calibrate",  "calibrate", "CheckBox2",
     "Service entries in the main menu", Sensors,        WIDGET(CheckBox2), nullptr},
    {Control::KeyFast,       ControlKind::CheckBox, FormAction::SetKeyFast,        "keyfast",    "keyfast",   "CheckBox3",
     "Knob steps of 10",                 Sensors,        WIDGET(CheckBox3), nullptr},
};
// clang-format on

#undef WIDGET

const ControlEntry *ControlOfAction(FormAction action)
{
    for (const ControlEntry &entry : ControlTable)
        if (entry.action == action)
            return &entry;
    return nullptr;
}

const ControlEntry *ControlOfScriptWord(std::string_view words)
{
    for (const ControlEntry &entry : ControlTable)
        if (words == entry.scriptWord)
            return &entry;
    return nullptr;
}

TControl &ControlWidget(TForm1 &form, Control control) { return ControlInfo(control).widget(form); }

// The table gives each control its kind, so the casts hold.
TTrackBar &ControlSlider(TForm1 &form, Control control)
{
    return static_cast<TTrackBar &>(ControlWidget(form, control));
}

TCheckBox &ControlCheckBox(TForm1 &form, Control control)
{
    return static_cast<TCheckBox &>(ControlWidget(form, control));
}

// Reading changes nothing; the widget accessor takes the form as it is.
int32_t ControlValue(const TForm1 &form, Control control)
{
    TForm1 &widgets = const_cast<TForm1 &>(form);
    switch (ControlInfo(control).kind) {
    case ControlKind::Slider:
        return ControlSlider(widgets, control).Position();
    case ControlKind::CheckBox:
        return ControlCheckBox(widgets, control).Checked() ? 1 : 0;
    case ControlKind::Button:
        break;
    }
    return 0;
}

void SetControlValue(TForm1 &form, Control control, int32_t value)
{
    switch (ControlInfo(control).kind) {
    case ControlKind::Slider:
        ControlSlider(form, control).SetPosition(value);
        break;
    case ControlKind::CheckBox:
        ControlCheckBox(form, control).SetChecked(value != 0);
        break;
    case ControlKind::Button:
        break;
    }
}
