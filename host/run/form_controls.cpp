#include "host/run/form_controls.h"

TControl &FormControl(TForm1 &form, Control control)
{
    switch (control) {
    case Control::On:
        return form.Button1;
    case Control::Off:
        return form.Button2;
    case Control::F1:
        return form.Image3;
    case Control::F2:
        return form.Image6;
    case Control::Knob:
        return form.Image5;
    case Control::Clockwise:
        return form.Button3;
    case Control::AntiClockwise:
        return form.Button4;
    case Control::Pressure:
    case Control::Rpm:
        return FormSlider(form, control);
    case Control::Calibrate:
    case Control::KeyFast:
        return FormCheckBox(form, control);
    }
    return form.Button1;
}

TTrackBar &FormSlider(TForm1 &form, Control control)
{
    return control == Control::Pressure ? form.TrackBar1 : form.TrackBar2;
}

TCheckBox &FormCheckBox(TForm1 &form, Control control)
{
    return control == Control::Calibrate ? form.CheckBox2 : form.CheckBox3;
}
