// The window's control behind each control a script names.
#pragma once
#include "host/form/Pcmain.h"
#include "host/run/script.h"

// Every control (the sliders and check boxes as their controls too).
TControl &FormControl(TForm1 &form, Control control);
// The pressure or engine speed slider.
TTrackBar &FormSlider(TForm1 &form, Control control);
// The "Calibrate" or "KeyFast" check box.
TCheckBox &FormCheckBox(TForm1 &form, Control control);
