// The window's controls of the instrument, in one table: what each is called
// by every part of the simulator that names it. The form wires its widgets
// from it, the key list groups its keys by it, scenario scripts and
// recordings name controls with its script words, state files keep the
// sliders and check boxes under its state-file keys, and a new front end
// finds in it what to draw and what each control does.
//
// The widgets keep the form's names (Button1, TrackBar1, ...); nothing
// outside the form and this table needs them.
#pragma once
#include <cstdint>
#include <string_view>

#include "host/form/form_actions.h"
#include "instrument/sensor_model.h"

class TForm1;
class TControl;
class TTrackBar;
class TCheckBox;

enum class Control : uint8_t {
    On,
    Off,
    F1,
    F2,
    Knob,
    Clockwise,
    AntiClockwise,
    Pressure,
    Rpm,
    Calibrate,
    KeyFast,
    Count
};

// The positions of the sensors' sliders: the sensor inputs' range.
constexpr int SliderMin = SensorCountMin;
constexpr int SliderMax = SensorCountMax;

enum class ControlKind : uint8_t {
    Button,   // acts when clicked: the instrument's keys and knob, ON, OFF
    Slider,   // a position SliderMin..SliderMax: the sensors
    CheckBox, // ticked or not: the service switches
};

struct ControlEntry {
    Control control;
    ControlKind kind;
    // What a click, a key or a change of the control does (TForm1::Act);
    // the keys bound to it are those of this action in the key table.
    FormAction action;
    // A script's words for it: "on", "press f1", "turn cw", "pressure",
    // "calibrate".
    const char *scriptWord;
    // Its key under [controls] in a state file; nullptr for a button, which
    // holds nothing. The key earlier files used, the widget's name, still
    // reads, with a warning.
    const char *stateKey;
    const char *formerStateKey;
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
extern const ControlEntry ControlTable[(int)Control::Count];

inline const ControlEntry &ControlInfo(Control control) { return ControlTable[(int)control]; }
// The control an action acts on; nullptr for the simulator's own actions.
const ControlEntry *ControlOfAction(FormAction action);
// The control of a script's words ("press f1", "pressure"); nullptr if none.
const ControlEntry *ControlOfScriptWord(std::string_view words);

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
