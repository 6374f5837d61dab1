// The instrument's controls as every part of the simulator names them,
// apart from any window: what kind each is, the values it takes, its words
// in scenario scripts and recordings and its keys in state files. The form
// puts its widgets on them (host/form/control_widgets.h); state files, the
// runner and the feeds need nothing more than this table.
#pragma once
#include <cstdint>
#include <string_view>

#include "instrument/sensor_model.h"

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

// The positions of the sensors' sliders.
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
    // The values it takes: a slider's positions, 0..1 for a check box, 0
    // for a button, which holds none.
    int32_t min, max;
    // A script's words for it: "on", "press f1", "turn cw", "pressure",
    // "calibrate".
    const char *scriptWord;
    // Its key under [controls] in a state file; nullptr for a button, which
    // holds nothing. The key earlier files used still reads, with a warning.
    const char *stateKey;
    const char *formerStateKey;
};

// In the order of Control.
extern const ControlEntry ControlTable[(int)Control::Count];

inline const ControlEntry &ControlInfo(Control control) { return ControlTable[(int)control]; }
// The control of a script's words ("press f1", "pressure"); nullptr if none.
const ControlEntry *ControlOfScriptWord(std::string_view words);
