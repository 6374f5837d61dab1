#include "host/run/form_recording.h"

#include "instrument/state.h"

namespace {

// The instrument's keys and knob: a click is a key for the instrument to
// take, and dropped while another is pending. ON and OFF are not.
bool IsInstrumentKey(FormAction action)
{
    const ControlEntry *control = ControlOfAction(action);
    return control && control->kind == ControlKind::Button && action != FormAction::PowerOn &&
           action != FormAction::PowerOff;
}

Command FaultCommand(const Fault &fault)
{
    Command command{};
    command.kind = CommandKind::SetFault;
    command.fault = fault;
    return command;
}

} // namespace

bool CommandForAction(FormAction action, int32_t value, Command &command)
{
    const ControlEntry *control = ControlOfAction(action);
    if (!control)
        return false;
    command = Command{};
    command.control = control->control;
    switch (control->kind) {
    case ControlKind::Button:
        command.kind = CommandKind::Click;
        break;
    case ControlKind::Slider:
        command.kind = CommandKind::Slide;
        command.position = value;
        break;
    case ControlKind::CheckBox:
        command.kind = CommandKind::Tick;
        command.ticked = value != 0;
        break;
    }
    return true;
}

bool FormRecording::Open(const std::string &path, std::string &error) { return recording_.Open(path, error); }

void FormRecording::Attach(TForm1 &form, const std::string &stateFile, const std::string &storeFile,
                           const std::string &feedFile)
{
    Attach(form, stateFile, storeFile, FeedRequest{feedFile, {}, 0});
}

void FormRecording::FeedStarted(const FeedRequest &feed)
{
    if (form_)
        recording_.FeedStarted(feed.file, feed.options, feed.fromMs, form_->Clock.NowMs());
}

void FormRecording::Attach(TForm1 &form, const std::string &stateFile, const std::string &storeFile,
                           const FeedRequest &feed)
{
    form_ = &form;
    if (!stateFile.empty())
        recording_.StartsFromStateFile(stateFile);
    if (!storeFile.empty())
        recording_.StartsFromStore(storeFile);
    // The sliders and check boxes as they are, each as the command that
    // sets it.
    for (const ControlEntry &control : ControlTable) {
        Command setting;
        if (control.kind != ControlKind::Button &&
            CommandForAction(ControlOnForm(control.control).action, ControlValue(form, control.control),
                             setting))
            recording_.Setting(setting);
    }
    // The replay plays the same recording; the slider moves it makes are
    // not written (FeedPlayer keeps them from the listeners before it).
    if (!feed.file.empty())
        recording_.StartsWithFeed(feed.file, feed.options, feed.fromMs);
    form.OnAction = [this](FormAction action, int32_t value, int64_t clockMs) {
        Acted(action, value, clockMs);
    };
    form.OnPass = [this](int64_t clockMs) { recording_.ScreenIs(state.currentScreen, clockMs); };
    // Faults set before the recording began (--fault) start it; later ones
    // and seeds are written where they happened.
    for (FaultChannel channel : {FaultChannel::Pressure, FaultChannel::Rpm})
        if (form.Faults().Of(channel).kind != FaultKind::Off)
            recording_.Setting(FaultCommand(form.Faults().Of(channel)));
    form.OnFault = [this](const Fault &fault, int64_t clockMs) {
        recording_.Input(FaultCommand(fault), clockMs);
    };
    form.OnSeed = [this](uint64_t seed, int64_t clockMs) {
        Command command{};
        command.kind = CommandKind::Seed;
        command.seed = seed;
        recording_.Input(command, clockMs);
    };
}

bool FormRecording::Finish(std::string &error)
{
    if (form_) {
        form_->OnAction = nullptr;
        form_->OnPass = nullptr;
        form_->OnFault = nullptr;
        form_->OnSeed = nullptr;
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
