// The form's handlers only store values into the state record; the
// instrument itself runs inside Button1Click. The functions the instrument
// asks of its window (instrument/host_link.h) are answered from the controls
// of the form that registered them.
#include "host/form/Pcmain.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>

#include "host/controls/engine_units.h"
#include "host/face/face_picture.h"
#include "host/form/control_widgets.h"
#include "host/form/engine_window.h"
#include "host/form/file_kind.h"
#include "host/form/form_state_files.h"
#include "host/form/key_map.h"
#include "host/form/zoom_steps.h"
#include "host/saved_files.h"
#include "instrument/hooks.h"
#include "instrument/host_link.h"
#include "instrument/main_cycle.h"
#include "instrument/rpm.h"
#include "instrument/state.h"

// Time each splash frame stays on screen, so that the splash plays over
// about two and a half seconds.
constexpr int SplashFrameMs = 30;

// --- What the instrument asks of the window ---
// Registered by the newest form and answered from its controls.

static TForm1 *linkedForm = nullptr;

static void FormPresentLcd() { linkedForm->PresentLcd(); }
static void FormPumpMessages() { linkedForm->PumpMessages(); }

static uint32_t FormReadRpmSlider() { return linkedForm->ReadRpmSlider(); }

static uint8_t FormCalibrateBoxTicked() { return linkedForm->CheckBox2.Checked() ? 1 : 0; }
static uint8_t FormKeyFastBoxTicked() { return linkedForm->CheckBox3.Checked() ? 1 : 0; }

static void FormSetAlarmLamp(uint8_t red, uint8_t green, uint8_t blue)
{
    linkedForm->Shape1.SetBrushColor({red, green, blue});
}

// The frame reaches the image in one piece, so hiding it costs nothing and
// shows nothing: the window redraws only when messages are processed.
static void FormSetLcdVisible(uint8_t visible) { linkedForm->Image1.SetVisible(visible != 0); }

static void FormPaceSplashPass() { Application->ProcessMessagesFor(SplashFrameMs); }

static const HostLink FormLink = {
    .presentLcd = FormPresentLcd,
    .pumpMessages = FormPumpMessages,
    .readRpmSlider = FormReadRpmSlider,
    .calibrateBoxTicked = FormCalibrateBoxTicked,
    .keyFastBoxTicked = FormKeyFastBoxTicked,
    .setAlarmLamp = FormSetAlarmLamp,
    .setLcdVisible = FormSetLcdVisible,
    .paceSplashPass = FormPaceSplashPass,
};

// The backlight and contrast hooks change how the display looks.
static void FormDisplayHook(HookId hook)
{
    if (!linkedForm)
        return;
    DisplayLook look = linkedForm->Look();
    if (hook == HookBacklightOn)
        look.backlit = true;
    else if (hook == HookBacklightOff)
        look.backlit = false;
    else
        look.contrast = state.settings.contrast;
    linkedForm->SetLook(look);
}

// A control's tooltip: what it is and its keys.
static std::string Tip(const char *what, FormAction action)
{
    std::string keys = KeysOfAction(action);
    return std::string(what) + (keys.find(',') == std::string::npos ? " (key: " : " (keys: ") + keys + ")";
}

// "1.5", "2"
static std::string ZoomText(double zoom)
{
    char text[16];
    snprintf(text, sizeof text, "%g", zoom);
    return text;
}

TForm1::TForm1() : TForm(621, 404, "Corvan QPX-2")
{
    Image2.stretch = true;
    Image2.LoadJpeg(FacePictureJpeg, FacePictureJpegSize);
    // Each control acts through its action; a slider or check box moved by
    // Act itself does not report the action again.
    for (const ControlWidgetEntry &entry : ControlWidgetTable) {
        TControl &widget = entry.widget(*this);
        const Control control = entry.control;
        const ControlKind kind = ControlInfo(control).kind;
        const FormAction action = entry.action;
        auto changed = [this, &widget, control, action] {
            if (actingOn_ != &widget)
                Act(action, ControlValue(*this, control));
        };
        if (kind == ControlKind::Slider)
            static_cast<TTrackBar &>(widget).OnChange = changed;
        else if (kind == ControlKind::CheckBox)
            widget.OnClick = changed;
        else
            widget.OnClick = [this, action] { Act(action); };
        widget.SetHint(Tip(entry.label, action));
    }
    OnKey = [this](const TKeyEvent &key) { return KeyPressed(key); };
    OnWheel = [this](int x, int y, int notches) { return WheelTurned(x, y, notches); };
    OnOpenFile = [this](const std::string &path) { OpenFile(path); };
    Button1.SetTabOrder(0);
    Button2.SetTabOrder(1);

    Image2.SetHint(
        "Instrument face: the mouse wheel turns the knob; drop a recording or a state file here, or "
        "open one with " +
        KeysOfAction(FormAction::OpenFile));
    StatusBar1.SetHint(Tip("All keys", FormAction::ShowKeyMap));
    RefreshStatusBar();
    RefreshSliderHints();

    linkedForm = this;
    RegisterHostLink(FormLink);
    const HookId displayHooks[DisplayHookCount] = {HookBacklightOn, HookBacklightOff, HookApplyContrast};
    for (int i = 0; i < DisplayHookCount; ++i) {
        displayHookTokens_[i] = SubscribeHook(displayHooks[i], FormDisplayHook);
        if (displayHookTokens_[i] == NoHookToken) {
            const std::string why = std::string("The display will not follow ") + HookName(displayHooks[i]) +
                                    ": that hook has no room for another listener";
            fprintf(stderr, "qpx-sim: %s\n", why.c_str());
            SetStatusMessage(why);
        }
    }
}

// Each form ends its own subscriptions; a newer form may have taken over
// the link already: leave it be.
TForm1::~TForm1()
{
    // The lesson it plays takes its hint and listeners back from this form.
    lessonsWindow_.reset();
    for (HookToken token : displayHookTokens_)
        UnsubscribeHook(token);
    if (linkedForm != this)
        return;
    UnregisterHostLink();
    linkedForm = nullptr;
}

// --- User actions ---

void TForm1::Act(FormAction action, int32_t value)
{
    // A message in the status bar stays until the user does something else;
    // a listener may put up one of its own about this action.
    if (!statusMessage_.empty() && !feeding_) {
        statusMessage_.clear();
        ++messageSerial_;
    }
    if (OnAction)
        OnAction(action, value, Clock.NowMs());
    if (const ControlEntry *control = ControlOfAction(action)) {
        // A button runs its click handler; a slider or check box is moved
        // to the value first, then its handler, if it has one, takes it.
        const ControlWidgetEntry &onForm = ControlOnForm(control->control);
        if (control->kind != ControlKind::Button) {
            actingOn_ = &onForm.widget(*this);
            SetControlValue(*this, control->control, value);
            actingOn_ = nullptr;
        }
        if (onForm.handler)
            (this->*onForm.handler)();
        RefreshStatusBar();
        RefreshSliderHints();
        return;
    }
    switch (action) {
    case FormAction::SetPaused:
        SetPaused(value != 0);
        break;
    case FormAction::StepPass:
        StepPass();
        break;
    case FormAction::SetClockRate:
        Clock.SetRate(value);
        break;
    case FormAction::ShootDisplay:
        ShootDisplay();
        break;
    case FormAction::ShootWindow:
        ShootWindow();
        break;
    case FormAction::ShowKeyMap:
        if (!keyMapWindow_)
            keyMapWindow_ = std::make_unique<TKeyMapWindow>(*this);
        keyMapWindow_->Show();
        break;
    case FormAction::ShowStateView:
        if (!stateView_) {
            stateView_ = std::make_unique<TStateView>(*this);
            stateView_->ExtraText = [this] {
                const std::string faults = FaultsDescription(Faults());
                const std::string feed = DescribeFeed ? DescribeFeed() : std::string();
                return faults + (!faults.empty() && !feed.empty() ? "\n\n" : "") + feed;
            };
        }
        stateView_->Refresh();
        stateView_->Show();
        break;
    case FormAction::ShowEngineWindow:
        if (!engineWindow_)
            engineWindow_ = std::make_unique<TEngineWindow>(*this);
        engineWindow_->Refresh();
        engineWindow_->Show();
        break;
    case FormAction::ShowLessons:
        if (!OpenLessonsWindow())
            SetStatusMessage("No lessons in this program");
        break;
    case FormAction::SaveStateFile:
        SaveState();
        break;
    case FormAction::SetZoom:
        if (const double zoom = ZoomTo(value / 10.0); zoom == value / 10.0)
            SetStatusMessage("Zoom " + ZoomText(zoom) + " (Ctrl+= and Ctrl+- step it, Ctrl+0 returns to 1)");
        if (OnPreferencesChanged)
            OnPreferencesChanged(action);
        break;
    case FormAction::SetPassRateLimit:
        SetMaxPassRate(value);
        SetStatusMessage(value > 0
                             ? "At most " + std::to_string(value) + " passes a second (M: the next limit)"
                             : "The main cycle runs free (M: a limit)");
        if (OnPreferencesChanged)
            OnPreferencesChanged(action);
        break;
    case FormAction::OpenFile:
        ChooseFileToOpen();
        break;
    default: // nothing (None), or a control's, taken above
        break;
    }
    RefreshStatusBar();
    RefreshSliderHints();
}

void TForm1::Feed(FormAction action, int32_t value)
{
    feeding_ = true;
    Act(action, value);
    feeding_ = false;
}

// A key does what the click it stands for does. Keys held down repeat only
// where repeating makes sense; with Ctrl or Alt a key is taken but does
// nothing, so that no control acts on it either, unless the zoom keys or
// the table bind it with Ctrl.
bool TForm1::KeyPressed(const TKeyEvent &key)
{
    if (key.ctrlOrAlt && !key.repeat) {
        // The zoom keys, as in other programs; never the knob's + and -.
        const double zoom = key.key == '=' || key.key == '+' ? NextZoomStep(Zoom())
                            : key.key == '-'                 ? PreviousZoomStep(Zoom())
                            : key.key == '0'                 ? 1
                                                             : 0;
        if (zoom != 0) {
            Act(FormAction::SetZoom, (int32_t)std::lround(zoom * 10));
            return true;
        }
        // Ctrl+O where there is a file chooser to open (the page has its
        // own buttons instead).
        const int lower = key.key >= 'A' && key.key <= 'Z' ? key.key - 'A' + 'a' : key.key;
        const KeyBinding *binding = FindKeyBinding(CtrlKey(lower));
        if (binding && binding->action == FormAction::OpenFile && Application->HasFileChooser()) {
            Act(binding->action);
            return true;
        }
    }
    const KeyBinding *binding = FindKeyBinding(key.key);
    if (!binding)
        return false;
    if (key.ctrlOrAlt || (key.repeat && !binding->repeats))
        return true;
    int32_t value = 0;
    const ControlEntry *control = ControlOfAction(binding->action);
    if (control && control->kind == ControlKind::Slider) {
        const TTrackBar &slider = ControlSlider(*this, control->control);
        value = std::clamp(SliderStepTarget(slider.Position(), binding->step), slider.Min(), slider.Max());
        if (value == slider.Position())
            return true; // at its end: a slider that does not move reports nothing
    } else if (control && control->kind == ControlKind::CheckBox) {
        value = !ControlValue(*this, control->control);
    }
    switch (binding->action) {
    case FormAction::SetPaused:
        value = !Clock.Paused();
        break;
    case FormAction::SetClockRate:
        value = Clock.NextRate();
        break;
    case FormAction::SetPassRateLimit:
        value = maxPassRate_ == 0 ? 1000 : maxPassRate_ > 100 ? 100 : 0;
        break;
    default:
        break;
    }
    Act(binding->action, value);
    return true;
}

// Over the face each notch turns the knob one step, away from the user
// clockwise; each step is a click of its own, dropped while a key is pending.
bool TForm1::WheelTurned(int x, int y, int notches)
{
    if (!Image2.Bounds().Contains(x, y))
        return false;
    for (int i = 0; i < std::abs(notches); ++i)
        Act(notches < 0 ? FormAction::TurnClockwise : FormAction::TurnAntiClockwise);
    return true;
}

// --- The instrument's key areas, power and sliders ---

// A key waits until the active screen consumes it; keys in between are lost.
void TForm1::StoreKey(uint8_t key)
{
    if (state.pendingKey == 0)
        state.pendingKey = key;
}

void TForm1::Image5Click() { StoreKey(KeyCentre); }
void TForm1::Button3Click() { StoreKey(KeyClockwise); }
void TForm1::Button4Click() { StoreKey(KeyAntiClockwise); }
void TForm1::Image3Click() { StoreKey(KeyLeft); }
void TForm1::Image6Click() { StoreKey(KeyRight); }

// ON runs the instrument until OFF or until the window closes. ON pressed
// while it already runs restarts it. A nested power-on would reset at once
// and take the rest of this message round inside its splash; rather than
// nesting (and growing the stack with every press), ON resets right here,
// so that what arrives after it in the same round survives while what came
// before is cleared, and the running loop plays the splash itself.
void TForm1::Button1Click()
{
    if (Application->Terminated())
        return;
    PowerOnReset();
    // The reset cleared the pressure input; a fault still acts on it.
    pressureDelivered_ = 0;
    ApplyPressureFault();
    if (running_) {
        restartRequested_ = true;
        return;
    }
    running_ = true;
    do {
        restartRequested_ = false;
        passes_ = 0;
        poweringOn_ = true;
        PowerOnSplash();
        poweringOn_ = false;
        while (state.powerOffRequest == 0 && !restartRequested_ && !Application->Terminated())
            MainCyclePass();
    } while (restartRequested_ && !Application->Terminated());
    running_ = false;
}

void TForm1::Button2Click() { state.powerOffRequest = 1; }

void TForm1::TrackBar1Change()
{
    pressureDelivered_ = TrackBar1.Position();
    state.simPressureInput = pressureDelivered_;
    ApplyPressureFault();
    Label13.SetCaption(std::to_string(TrackBar1.Position()));
}

// --- Time ---

// Every 100 ms: the blink phase flips on every 11th tick, the magneto-check
// countdown steps on every 20th.
void TForm1::Timer1Timer()
{
    uint8_t old = state.blinkTickCount;
    state.blinkTickCount = (uint8_t)(old + 1);
    if (old > 9) {
        state.blinkTickCount = 0;
        state.blinkPhase = state.blinkPhase > 0 ? 0 : 1;
    }
    old = state.slowTickCount;
    state.slowTickCount = (uint8_t)(old + 1);
    if (old < 19)
        return;
    state.slowTickCount = 0;
    if (state.magCheckTimer > 0)
        --state.magCheckTimer;
}

// Every 500 ms: the engine pulse gate.
void TForm1::Timer2Timer()
{
    state.rpmGateCount = state.simPulseCount;
    state.simPulseCount = 0;
    ++gates_;
}

// Every second: the event of the engine time keeping.
void TForm1::Timer3Timer() { state.secondTick = 1; }

void TForm1::ClockEventDue(ClockEvent event)
{
    switch (event) {
    case ClockEvent::Tick100ms:
        Timer1Timer();
        break;
    case ClockEvent::Gate500ms:
        Timer2Timer();
        break;
    case ClockEvent::Second:
        Timer3Timer();
        break;
    case ClockEvent::Count:
        break;
    }
}

// While the instrument runs its passes take the events (PumpMessages);
// while it is off they are handled here as they fall due.
void TForm1::ClockTimerTimer()
{
    Clock.AdvanceReal(ClockTimer.ElapsedUs());
    if (!running_)
        Clock.DeliverAll();
    RefreshSliderHints();
}

// Paused, the clock timer stops too: the window then sleeps until the user
// does something.
void TForm1::SetPaused(bool paused)
{
    Clock.SetPaused(paused);
    ClockTimer.SetEnabled(!paused);
}

double TForm1::ZoomTo(double wanted)
{
    const double zoom = LargestZoomStep(wanted, LargestZoom());
    SetZoom(zoom);
    if (zoom < wanted)
        SetStatusMessage("Zoom " + ZoomText(wanted) + " does not fit the screen: shown at " + ZoomText(zoom));
    return zoom;
}

void TForm1::StepPass()
{
    if (!running_)
        SetStatusMessage("A step is one pass of the main cycle: power the instrument on first");
    else if (!Clock.Paused())
        SetPaused(true);
    else
        stepRequested_ = true;
}

// --- Presentation and the end of each pass ---

// Read on every pass; the label's text is made only when the position moved.
uint32_t TForm1::ReadRpmSlider()
{
    const int position = TrackBar2.Position();
    if (position != rpmLabelShows_) {
        char caption[16];
        snprintf(caption, sizeof caption, "%d", position);
        Label3.SetCaption(caption);
        rpmLabelShows_ = position;
    }
    if (faults_.Faults().rpm.kind == FaultKind::Off)
        return (uint32_t)position;
    return (uint32_t)faults_.Pulses(position, state.settings.pulseMode == PulseModeTime, gates_);
}

// --- Sensor faults ---

void TForm1::SetFault(const Fault &fault)
{
    if (OnFault)
        OnFault(fault, Clock.NowMs());
    const bool pressureFaulted = faults_.Faults().pressure.kind != FaultKind::Off;
    faults_.Begin(fault, state.simPressureInput, Clock.NowMs());
    if (fault.channel == FaultChannel::Pressure) {
        // Ended, the input is the slider's again at once.
        if (pressureFaulted)
            state.simPressureInput = pressureDelivered_;
        ApplyPressureFault();
    }
    ++faultSerial_;
    RefreshStatusBar();
}

void TForm1::SeedFaults(uint64_t seed)
{
    if (OnSeed)
        OnSeed(seed, Clock.NowMs());
    faults_.Seed(seed);
}

// Only a fault touches the input: without one it stays what the slider (or
// the power-on reset) last set.
void TForm1::ApplyPressureFault()
{
    if (faults_.Faults().pressure.kind != FaultKind::Off)
        state.simPressureInput = faults_.Pressure(pressureDelivered_, Clock.NowMs());
}

// Only a frame, or a look, that differs from the one shown is painted.
void TForm1::PresentLcd()
{
    if (presented_ && look_ == shownLook_ && memcmp(shownFrame_, state.lcdFrame, sizeof shownFrame_) == 0)
        return;
    memcpy(shownFrame_, state.lcdFrame, sizeof shownFrame_);
    shownLook_ = look_;
    presented_ = true;
    const DisplayColours colours = LookColours(look_);
    Image1.PaintPagedBits(state.lcdFrame, 128, 8, 2, colours.dot, colours.panel);
}

// The events of the pass: what the user did, then what the clock has due.
// Paused, the main cycle waits here for the user and a step lets one pass
// through; the power-on splash plays on, so that ON works while paused.
void TForm1::PumpMessages()
{
    if (!poweringOn_)
        ++passes_;
    if (stepping_) {
        stepping_ = false;
        SetStatusMessage("Step: ran pass " + std::to_string(passes_) + " since ON");
    }
    Application->ProcessMessages();
    Clock.DeliverPass();
    auto mayContinue = [this] {
        return state.powerOffRequest == 0 && !restartRequested_ && !Application->Terminated();
    };
    while (Clock.Paused() && !poweringOn_ && !stepRequested_ && mayContinue()) {
        RefreshStatusBar();
        Application->HandleMessage();
    }
    stepping_ = stepRequested_;
    stepRequested_ = false;
    if (maxPassRate_ > 0)
        KeepPace();
    ApplyPressureFault();
    RefreshStatusBar();
    RefreshSliderHints();
    if (OnPass)
        OnPass(Clock.NowMs());
}

// Waits, handling events, until the next pass is due; a cycle that fell
// behind starts afresh rather than rushing to catch up.
void TForm1::KeepPace()
{
    const int64_t period = 1000000 / maxPassRate_;
    const int64_t now = Application->MonotonicUs();
    nextPassUs_ += period;
    if (nextPassUs_ <= now) {
        if (now - nextPassUs_ > period)
            nextPassUs_ = now;
        return;
    }
    Application->ProcessMessagesUntil(nextPassUs_);
}

// --- Screenshots and side windows ---

TForm *TForm1::OpenLessonsWindow()
{
    if (!lessonsWindow_ && MakeLessonsWindow)
        lessonsWindow_ = MakeLessonsWindow(*this);
    if (lessonsWindow_)
        lessonsWindow_->Show();
    return lessonsWindow_.get();
}

void TForm1::LessonFinished(const std::string &name)
{
    if (std::find(finishedLessons_.begin(), finishedLessons_.end(), name) != finishedLessons_.end())
        return;
    finishedLessons_.push_back(name);
    std::sort(finishedLessons_.begin(), finishedLessons_.end());
    if (OnPreferencesChanged)
        OnPreferencesChanged(FormAction::ShowLessons);
}

// Each control's area as the face shows it: a slider's drawn channel is
// the top of its rectangle (the two rectangles overlap).
std::vector<TRect> TForm1::LessonHintAreas()
{
    constexpr int SliderInset = 8, SliderHeight = 28;
    std::vector<TRect> areas;
    for (const ControlWidgetEntry &entry : ControlWidgetTable) {
        TRect area = entry.widget(*this).Bounds();
        if (ControlInfo(entry.control).kind == ControlKind::Slider)
            area = {area.left + SliderInset, area.top, area.width - SliderInset, SliderHeight};
        areas.push_back(area);
    }
    return areas;
}

// A hint's text stays on the face for the face's controls, above the
// status bar; beside the face, within the rows of the sliders and check
// boxes, which a tall screen moves below the face as one block.
std::vector<TRect> TForm1::LessonHintRooms()
{
    const int faceWidth = Image2.Bounds().width;
    int sideBottom = 0;
    for (const ControlWidgetEntry &entry : ControlWidgetTable)
        if (const TRect &b = entry.widget(*this).Bounds(); b.left >= faceWidth)
            sideBottom = std::max(sideBottom, b.top + b.height);
    const TRect face{0, 0, faceWidth, StatusBar1.Bounds().top};
    const TRect side{faceWidth, 0, Bounds().width - faceWidth, sideBottom};
    std::vector<TRect> rooms;
    for (const ControlWidgetEntry &entry : ControlWidgetTable)
        rooms.push_back(entry.widget(*this).Bounds().left >= faceWidth ? side : face);
    return rooms;
}

void TForm1::ShootDisplay()
{
    if (!presented_) {
        SetStatusMessage("The display shows nothing yet: power the instrument on first");
        return;
    }
    const std::string base =
        shotNamer_.NextBase(shotsFolder_, std::time(nullptr), {"-display.png", "-display-2x.png"});
    ShotResult result = WriteDisplayShots(shotsFolder_, base, shownFrame_, LookColours(shownLook_));
    lastShotFiles_ = result.files;
    for (const std::string &file : result.files)
        Application->FileSaved(file);
    SetStatusMessage(result.message);
}

void TForm1::ShootWindow()
{
    TPicture picture;
    if (!Capture(picture)) {
        lastShotFiles_.clear();
        SetStatusMessage("No picture of the window: it is not on a screen");
        return;
    }
    const std::string base = shotNamer_.NextBase(shotsFolder_, std::time(nullptr), {"-window.png"});
    ShotResult result = WriteWindowShot(shotsFolder_, base, picture);
    lastShotFiles_ = result.files;
    for (const std::string &file : result.files)
        Application->FileSaved(file);
    SetStatusMessage(result.message);
}

// A new time-stamped state file in the screenshots' folder (the current
// one unless --shots named another); the status bar names its whole path,
// or only its name where it becomes a download.
void TForm1::SaveState()
{
    std::string path;
    StateFileResult result = SaveNewStateFile(shotsFolder_, *this, &path);
    if (result.ok)
        Application->FileSaved(path);
    if (result.ok && backend::SavedFilesAreDownloads()) {
        SetStatusMessage("State downloaded: " + std::filesystem::path(path).filename().string());
        return;
    }
    std::error_code ignored;
    const std::string whole = std::filesystem::absolute(path, ignored).lexically_normal().string();
    SetStatusMessage(result.ok ? "State saved to " + whole : "State not saved: " + result.error);
}

// A state file the user opened: checked whole and applied, or refused with
// nothing changed, as one given at start. The status bar has one line for
// the outcome, the file's warnings included.
void TForm1::LoadState(const std::string &path)
{
    const StateFileResult result = LoadStateFile(path, *this);
    std::string message = result.ok ? "State loaded from " + path : "State not loaded: " + result.error;
    for (const std::string &warning : result.warnings)
        message += "; " + warning;
    std::replace(message.begin(), message.end(), '\n', ' ');
    SetStatusMessage(message);
}

// The chooser runs its own event loop until the user has chosen: the
// instrument's cycle waits meanwhile, as behind any modal dialog.
void TForm1::ChooseFileToOpen()
{
    if (!Application->HasFileChooser()) {
        SetStatusMessage("No file chooser here: drop the recording or state file onto the window");
        return;
    }
    const std::string path = Application->ChooseFileToOpen("Open a recording (CSV) or a state file (TOML)");
    if (!path.empty())
        OpenFile(path);
}

void TForm1::OpenFile(const std::string &path)
{
    FileKind kind;
    std::string error;
    if (!ReadFileKind(path, &kind, &error))
        SetStatusMessage("Not opened: " + error);
    else if (kind == FileKind::StateFile)
        LoadState(path);
    else if (OpenRecording)
        OpenRecording(path);
    else
        SetStatusMessage("Recording not replayed: this window has no engine feed for " + path);
}

// --- Status bar ---

void TForm1::SetMaxPassRate(int passesPerSecond)
{
    maxPassRate_ = passesPerSecond > 0 ? passesPerSecond : 0;
    RefreshStatusBar();
}

void TForm1::SetStatusMessage(const std::string &message)
{
    statusMessage_ = message;
    ++messageSerial_;
    RefreshStatusBar();
}

void TForm1::SetFeedStatus(const std::string &text)
{
    if (text == feedStatus_)
        return;
    feedStatus_ = text;
    ++feedSerial_;
    RefreshStatusBar();
}

void TForm1::SetDemoShown(bool shown)
{
    demoShown_ = shown;
    RefreshStatusBar();
}

// "Running  x10  PAUSED  |  <message or the key hint>", rebuilt only when
// one of its parts changed, so that it costs a comparison per pass.
void TForm1::RefreshStatusBar()
{
    const StatusShown now{running_,       Clock.Paused(), Clock.Rate(), maxPassRate_,
                          messageSerial_, feedSerial_,    faultSerial_, demoShown_};
    if (now == statusShown_)
        return;
    statusShown_ = now;
    std::string text = running_ ? " Running" : " Off";
    text += "  x" + std::to_string(Clock.Rate());
    if (maxPassRate_ > 0)
        text += "  max " + std::to_string(maxPassRate_) + "/s";
    if (Clock.Paused())
        text += "  PAUSED";
    if (faults_.Faults().Any())
        text += "  FAULT";
    if (demoShown_)
        text += "  Demo";
    if (!feedStatus_.empty())
        text += "  |  " + feedStatus_;
    text += "  |  " + (statusMessage_.empty() ? KeyHint() : statusMessage_);
    StatusBar1.SetCaption(text);
}

// --- Slider tooltips ---

// Each slider's tooltip names it, gives its value in engineering units
// ("1500 = 1030 mB", "120 = 2400 rpm") and its keys. It is rebuilt when
// a position, the display's unit or the speed a position stands for (pulses
// per revolution, pulse mode) changed: a few comparisons per pass.
void TForm1::RefreshSliderHints()
{
    const double rpm = RpmAtSlider(TrackBar2.Position());
    const HintsShown now{TrackBar1.Position(), TrackBar2.Position(), PresentPressureUnit().name,
                         std::isfinite(rpm) ? rpm : -2};
    if (now == hintsShown_)
        return;
    hintsShown_ = now;
    for (Control control : {Control::Pressure, Control::Rpm}) {
        const ControlWidgetEntry &entry = ControlOnForm(control);
        const int32_t position = ControlSlider(*this, control).Position();
        const std::string value =
            control == Control::Pressure ? PressureSliderText(position) : SpeedSliderText(position);
        const std::string tip = Tip(entry.label, entry.action);
        const size_t keys = tip.find(" (");
        entry.widget(*this).SetHint(tip.substr(0, keys) + ": " + value + tip.substr(keys));
    }
}
