// Everything a user can do to the simulator window, as one list: the
// instrument's five keys, power, the sliders and check boxes, and the
// simulator's own controls. Clicks, keys and the mouse wheel all arrive at the
// form as one of these actions with a value (TForm1::Act).
#pragma once
#include <cstdint>
#include <string_view>

enum class FormAction : uint8_t {
    None,              // taken and ignored (Escape)
    PressKnob,         // Image5Click
    TurnClockwise,     // Button3Click
    TurnAntiClockwise, // Button4Click
    PressLeftKey,      // Image3Click, F1
    PressRightKey,     // Image6Click, F2
    PowerOn,           // Button1Click
    PowerOff,          // Button2Click
    SetPressure,       // value: pressure slider position
    SetSpeed,          // value: speed slider position
    SetCalibrate,      // value: 1 ticked, 0 not
    SetKeyFast,        // value: 1 ticked, 0 not
    SetPaused,         // value: 1 pause, 0 run
    StepPass,          // one pass of the main cycle while paused
    SetClockRate,      // value: 1, 10 or 60
    ShootDisplay,      // two PNG pictures of the display
    ShootWindow,       // a PNG picture of the whole window
    ShowKeyMap,        // the window listing every key
    ShowStateView,     // the window listing the state record
    SaveStateFile,     // the state into a new time-stamped file
    SetZoom,           // value: the window's zoom in tenths (10, 15, 20, 30, 40)
    SetPassRateLimit,  // value: at most this many passes a second, 0 free
    OpenFile,          // a recording or a state file, from the file chooser
    ShowEngineWindow,  // the window of engine values in real units and sensor faults
    ShowLessons,       // the Lessons window: guided tours of the instrument's menus
    Count
};

// "PressKnob", "SetPressure", ...
const char *FormActionName(FormAction action);
// The action of that name; FormAction::Count when there is none.
FormAction FormActionByName(std::string_view name);
