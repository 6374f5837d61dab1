#include "host/form/form_actions.h"

static const char *const actionNames[(int)FormAction::Count] = {
    "None",          "PressKnob",        "TurnClockwise", "TurnAntiClockwise", "PressLeftKey",
    "PressRightKey", "PowerOn",          "PowerOff",      "SetPressure",       "SetSpeed",
    "SetCalibrate",  "SetKeyFast",       "SetPaused",     "StepPass",          "SetClockRate",
    "ShootDisplay",  "ShootWindow",      "ShowKeyMap",    "ShowStateView",     "SaveStateFile",
    "SetZoom",       "SetPassRateLimit", "OpenFile",      "ShowEngineWindow",  "ShowLessons",
};

const char *FormActionName(FormAction action)
{
    return action < FormAction::Count ? actionNames[(int)action] : "";
}

FormAction FormActionByName(std::string_view name)
{
    for (int i = 0; i < (int)FormAction::Count; ++i)
        if (name == actionNames[i])
            return (FormAction)i;
    return FormAction::Count;
}
