#include "host/form/control_widgets.h"

#include "host/form/Pcmain.h"

namespace {

constexpr const char *InstrumentKeys = "INSTRUMENT";
constexpr const char *Power = "POWER";
constexpr const char *Sensors = "SENSORS AND SWITCHES";

} // namespace

#define WIDGET(name) #name, [](TForm1 & form) -> TControl & { return form.name; }

// clang-format off
const ControlWidgetEntry ControlWidgetTable[(int)Control::Count] = {
//   control                 action                         label                               key group
//   widget             handler
    {Control::On,            FormAction::PowerOn,           "Power on",                         Power,
     WIDGET(Button1),   &TForm1::Button1Click},
    {Control::Off,           FormAction::PowerOff,          "Power off",                        Power,
     WIDGET(Button2),   &TForm1::Button2Click},
    {Control::F1,            FormAction::PressLeftKey,      "Left key F1",                      InstrumentKeys,
     WIDGET(Image3),    &TForm1::Image3Click},
    {Control::F2,            FormAction::PressRightKey,     "Right key F2",                     InstrumentKeys,
     WIDGET(Image6),    &TForm1::Image6Click},
    {Control::Knob,          FormAction::PressKnob,         "Press the knob",                   InstrumentKeys,
     WIDGET(Image5),    &TForm1::Image5Click},
    {Control::Clockwise,     FormAction::TurnClockwise,     "Knob one step clockwise",          InstrumentKeys,
     WIDGET(Button3),   &TForm1::Button3Click},
    {Control::AntiClockwise, FormAction::TurnAntiClockwise, "Knob one step anticlockwise",      InstrumentKeys,
     WIDGET(Button4),   &TForm1::Button4Click},
    {Control::Pressure,      FormAction::SetPressure,       "Pressure sensor",                  Sensors,
     WIDGET(TrackBar1), &TForm1::TrackBar1Change},
    // The engine speed slider is read by the instrument on every pass.
    {Control::Rpm,           FormAction::SetSpeed,          "Engine pulses per half second",    Sensors,
     WIDGET(TrackBar2), nullptr},
    {Control::Calibrate,     FormAction::SetCalibrate,      "Service entries in the main menu", Sensors,
     WIDGET(CheckBox2), nullptr},
    {Control::KeyFast,       FormAction::SetKeyFast,        "Knob steps of 10",                 Sensors,
     WIDGET(CheckBox3), nullptr},
};
// clang-format on

#undef WIDGET

const ControlEntry *ControlOfAction(FormAction action)
{
    for (const ControlWidgetEntry &entry : ControlWidgetTable)
        if (entry.action == action)
            return &ControlInfo(entry.control);
    return nullptr;
}

TControl &ControlWidget(TForm1 &form, Control control) { return ControlOnForm(control).widget(form); }

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

ControlValues ReadControlValues(const TForm1 &form)
{
    ControlValues values;
    for (const ControlEntry &entry : ControlTable)
        if (entry.kind != ControlKind::Button)
            values[entry.control] = ControlValue(form, entry.control);
    return values;
}

void ApplyControlValues(TForm1 &form, const ControlValues &values)
{
    for (const ControlEntry &entry : ControlTable)
        if (values[entry.control])
            SetControlValue(form, entry.control, *values[entry.control]);
}
