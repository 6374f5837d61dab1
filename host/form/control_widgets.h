// The form's side of the control table (host/controls/control_table.h):
// the widget that stands for each control, what a click, a key or a change
// of it does, how its tooltip names it and where the key list puts its
// keys. Through it every front end reads its form's controls into plain
// values and applies values to them.
//
// The widgets keep the form's names (Button1, TrackBar1, ...); nothing
// outside the form and this table needs them.
#pragma once
#include <cstdint>

#include "host/controls/control_table.h"
#include "host/controls/control_values.h"
#include "host/form/form_actions.h"

class TForm1;
class TControl;
class TTrackBar;
class TCheckBox;

struct ControlWidgetEntry {
    Control control;
    // What a click, a key or a change of the control does (TForm1::Act);
    // the keys bound to it are those of this action in the key table.
    FormAction action;
    // What it is, for its tooltip: "Left key F1".
    const char *label;
    // The heading its keys are listed under in the key list.
    const char *keyGroup;
    // The form's widget: "Image3", and the widget itself.
    const char *widgetName;
    TControl &(*widget)(TForm1 &form);
    // The form's handler of a click (a button) or of a move (a slider whose
    // value the form takes at once); nullptr when there is none.
    void (TForm1::*handler)();
};

// In the order of Control.
extern const ControlWidgetEntry ControlWidgetTable[(int)Control::Count];

inline const ControlWidgetEntry &ControlOnForm(Control control) { return ControlWidgetTable[(int)control]; }
// The control an action acts on; nullptr for the simulator's own actions.
const ControlEntry *ControlOfAction(FormAction action);

// The widget of a control on the form; the slider and check box of a control
// of that kind.
TControl &ControlWidget(TForm1 &form, Control control);
TTrackBar &ControlSlider(TForm1 &form, Control control);
TCheckBox &ControlCheckBox(TForm1 &form, Control control);

// A slider's position, 1 or 0 for a check box; 0 for a button.
int32_t ControlValue(const TForm1 &form, Control control);
// Moves a slider or ticks a check box as the user would: the form hears of
// the change as of any other. Nothing for a button.
void SetControlValue(TForm1 &form, Control control, int32_t value);

// Every slider and check box of the form, as a state file saves them.
ControlValues ReadControlValues(const TForm1 &form);
// Sets the controls that values give, in the order of Control, each as
// SetControlValue does; the others stay as they are.
void ApplyControlValues(TForm1 &form, const ControlValues &values);
