#include "host/run/form_recording.h"

#include "instrument/state.h"

namespace {

Command Input(CommandKind kind, Control control)
{
    Command command{};
    command.kind = kind;
    command.control = control;
    return command;
}

bool IsInstrumentKey(FormAction action)
{
    return action == FormAction::PressKnob || action == FormAction::TurnClockwise ||
           action == FormAction::TurnAntiClockwise || action == FormAction::PressLeftKey ||
           action == FormAction::PressRightKey;
}

} // namespace

bool CommandForAction(FormAction action, int32_t value, Command &command)
{
    switch (action) {
    case FormAction::PressKnob:
        command = Input(CommandKind::Click, Control::Knob);
        return true;
    case FormAction::TurnClockwise:
        command = Input(CommandKind::Click, Control::Clockwise);
        return true;
    case FormAction::TurnAntiClockwise:
        command = Input(CommandKind::Click, Control::AntiClockwise);
        return true;
    case FormAction::PressLeftKey:
        command = Input(CommandKind::Click, Control::F1);
        return true;
    case FormAction::PressRightKey:
        command = Input(CommandKind::Click, Control::F2);
        return true;
    case FormAction::PowerOn:
        command = Input(CommandKind::Click, Control::On);
        return true;
    case FormAction::PowerOff:
        command = Input(CommandKind::Click, Control::Off);
        return true;
    case FormAction::SetPressure:
    case FormAction::SetSpeed:
        command =
            Input(CommandKind::Slide, action == FormAction::SetPressure ? Control::Pressure : Control::Rpm);
        command.position = value;
        return true;
    case FormAction::SetCalibrate:
    case FormAction::SetKeyFast:
        command = Input(CommandKind::Tick,
                        action == FormAction::SetCalibrate ? Control::Calibrate : Control::KeyFast);
        command.ticked = value != 0;
        return true;
    default:
        return false;
    }
}

bool FormRecording::Open(const std::string &path, std::string &error) { return recording_.Open(path, error); }

void FormRecording::Attach(TForm1 &form, const std::string &stateFile, const std::string &storeFile)
{
    form_ = &form;
    if (!stateFile.empty())
        recording_.StartsFromStateFile(stateFile);
    if (!storeFile.empty())
        recording_.StartsFromStore(storeFile);
    recording_.Start(form.TrackBar1.Position(), form.TrackBar2.Position(), form.CheckBox2.Checked(),
                     form.CheckBox3.Checked());
    form.OnAction = [this](FormAction action, int32_t value, int64_t clockMs) {
        Acted(action, value, clockMs);
    };
    form.OnPass = [this](int64_t clockMs) { recording_.ScreenIs(state.currentScreen, clockMs); };
}

bool FormRecording::Finish(std::string &error)
{
    if (form_) {
        form_->OnAction = nullptr;
        form_->OnPass = nullptr;
        form_ = nullptr;
    }
    return recording_.Close(error);
}

// The observer hears of an action before it is carried out: a key that
// finds another still pending will be dropped, and is not written.
void FormRecording::Acted(FormAction action, int32_t value, int64_t clockMs)
{
    Command command;
    if (!CommandForAction(action, value, command))
        return;
    if (IsInstrumentKey(action) && state.pendingKey != KeyNone)
        return;
    recording_.Input(command, clockMs);
}
