// The simulator's window: a picture of the instrument face with click areas
// over its keys and knob, the display, the alarm lamp, ON and OFF, the
// sensor sliders and the two service check boxes; the keyboard and the mouse
// wheel stand in for all of them. A scaled clock drives the timer events.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/faults/fault_effects.h"
#include "host/form/control_widgets.h"
#include "host/form/display_look.h"
#include "host/form/form_actions.h"
#include "host/form/lesson_hint.h"
#include "host/form/scaled_clock.h"
#include "host/form/screenshots.h"
#include "host/form/side_windows.h"
#include "host/toolkit.h"
#include "instrument/hooks.h"

class TEngineWindow;

// The widgets keep the form's names; control_widgets.h tells which control of
// the instrument each one is.
class TForm1 : public TForm {
  public:
    TForm1();
    ~TForm1() override;

    TImage Image2{this, {0, 0, 336, 323}}; // the instrument face
    TShape Shape1{this, {154, 16, 29, 29}, clRed};
    TImage Image3{this, {73, 240, 49, 49}};  // over F1
    TImage Image5{this, {144, 253, 49, 49}}; // over the knob
    TImage Image6{this, {213, 240, 49, 49}}; // over F2
    TButton Button3{this, {88, 295, 61, 25}, "Clockwise"};
    TButton Button4{this, {184, 295, 73, 25}, "AntiClockwise"};
    TPanel Panel1{this, {39, 92, 259, 131}, clScrollBar};
    TImage Image1{&Panel1, {1, 1, 257, 129}}; // the display
    TButton Button1{this, {24, 328, 129, 49}, "ON"};
    TButton Button2{this, {176, 328, 137, 49}, "OFF"};
    TLabel Label1{this, 344, 16, "Pressure"};
    TLabel Label13{this, 392, 16, "0"};
    TTrackBar TrackBar1{this, {416, 8, 201, 45}, SliderMin, SliderMax, 1};
    TLabel Label2{this, 344, 48, "RPM"};
    TLabel Label3{this, 392, 48, "0"};
    TTrackBar TrackBar2{this, {416, 40, 201, 45}, SliderMin, SliderMax, 1};
    TCheckBox CheckBox2{this, {360, 104, 97, 17}, "Calibrate"};
    TCheckBox CheckBox3{this, {472, 104, 97, 17}, "KeyFast"};
    TStatusBar StatusBar1{this, {0, 385, 621, 19}};
    // A lesson's hint: made after every other control, so drawn over them.
    LessonHintMarks LessonHint{*this, LessonHintAreas(), LessonHintRooms()};

    // The clock of the 100 ms, 500 ms and one-second events (Timer1Timer,
    // Timer2Timer, Timer3Timer), moved on with real time by ClockTimer (with
    // the virtual clock when there is no display).
    ScaledClock Clock{[this](ClockEvent event) { ClockEventDue(event); }};
    TTimer ClockTimer{10, [this] { ClockTimerTimer(); }};

    void Image3Click();
    void Image5Click();
    void Image6Click();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void TrackBar1Change();
    void Timer1Timer();
    void Timer2Timer();
    void Timer3Timer();

    // Every user action goes through here, whether from a click, a key or
    // the mouse wheel, so that each reaches the same handler as the click it
    // stands for. value: a slider position, 1/0 for a check box or pause,
    // the clock rate; 0 otherwise.
    void Act(FormAction action, int32_t value = 0);
    // A sensor value from an engine feed (SetPressure, SetSpeed): the slider
    // moves and its handler runs exactly as for a hand move, and OnAction
    // hears of it, but the status bar keeps its message.
    void Feed(FormAction action, int32_t value);
    // Told of every action before it is carried out, with the clock's time.
    std::function<void(FormAction action, int32_t value, int64_t clockMs)> OnAction;
    // Told at the end of every pass of the instrument (splash passes too),
    // with the clock's time: what a pass left can be looked at.
    std::function<void(int64_t clockMs)> OnPass;

    // What the instrument's PresentLcd, PumpMessages and ReadRpmInput do in
    // this window.
    void PresentLcd();
    void PumpMessages();
    uint32_t ReadRpmSlider();

    // The sensor faults, between the sliders (or a feed moving them) and the
    // instrument's inputs: on every pass the pressure count the instrument
    // reads and the pulse input ReadRpmSlider gives pass through them.
    // SetFault replaces that channel's fault (kind Off ends it); OnFault
    // hears of it first, with the clock's time.
    void SetFault(const Fault &fault);
    const SensorFaults &Faults() const { return faults_.Faults(); }
    // The random faults' seed (FixedFaultSeed until set).
    void SeedFaults(uint64_t seed);
    std::function<void(const Fault &fault, int64_t clockMs)> OnFault;
    // Told when SeedFaults set a seed, with the clock's time.
    std::function<void(uint64_t seed, int64_t clockMs)> OnSeed;

    // True while ON's power-on sequence or main cycle runs.
    bool InstrumentRunning() const { return running_; }

    // The display's look, as the backlight and contrast hooks set it.
    DisplayLook Look() const { return look_; }
    void SetLook(DisplayLook look) { look_ = look; }

    // Where screenshots go ("": the current directory).
    void SetShotsFolder(const std::string &folder) { shotsFolder_ = folder; }
    // The files the last screenshot wrote.
    const std::vector<std::string> &LastShotFiles() const { return lastShotFiles_; }
    // At most this many passes of the main cycle a second (0: no limit); the
    // status bar says it at once, also before the first pass.
    void SetMaxPassRate(int passesPerSecond);
    int MaxPassRate() const { return maxPassRate_; }
    // The window at zoom, one of ZoomSteps, or at the largest step the
    // screen holds, which the status bar then names. Returns the zoom shown.
    double ZoomTo(double zoom);
    // An engine feed's state for the state view (several lines), while a
    // feed runs; unset otherwise.
    std::function<std::string()> DescribeFeed;
    // Told when the user changed the zoom (SetZoom) or the pass-rate limit
    // (SetPassRateLimit), which the program remembers for its next start.
    std::function<void(FormAction changed)> OnPreferencesChanged;

    // Shows a message in the status bar until the user's next action.
    void SetStatusMessage(const std::string &message);
    // The running feed's part of the status bar ("run.csv 00:35:12 /
    // 01:10:00"), kept until the feed changes it; "": none.
    void SetFeedStatus(const std::string &text);
    // "Demo" in the status bar while a demo plays the window by itself.
    void SetDemoShown(bool shown);

    // Opens a file the user chose or dropped: a state file is loaded as
    // --state loads one, a recording goes to OpenRecording; the kind is told
    // by the content (file_kind.h). A file that is neither, or cannot be
    // read, changes nothing and the status bar says why.
    void OpenFile(const std::string &path);
    // Replays the recording at path in place of any running feed, or
    // refuses it saying why in the status bar; set by whoever owns the
    // window's feed. Unset: recordings are refused.
    std::function<void(const std::string &path)> OpenRecording;

    // The side windows, once opened.
    TKeyMapWindow *KeyMapWindow() const { return keyMapWindow_.get(); }
    TStateView *StateView() const { return stateView_.get(); }
    TEngineWindow *EngineWindow() const { return engineWindow_.get(); }
    // The Lessons window, once opened (host/lessons/lessons_window.h).
    TForm *LessonsWindow() const { return lessonsWindow_.get(); }
    // Makes the Lessons window (ShowLessons, key L): set by the program,
    // since the lessons build on the scenario runner's pieces, which build
    // on this form. Unset: the status bar says there are no lessons here.
    std::function<std::unique_ptr<TForm>(TForm1 &form)> MakeLessonsWindow;
    // Opens the Lessons window (made once) and returns it; nullptr when
    // there is no maker.
    TForm *OpenLessonsWindow();

    // A lesson's hint: a frame around the control on the face with the
    // text beside it, in place of any hint shown; Clear takes it away.
    void ShowLessonHint(Control control, const std::string &text) { LessonHint.Show(control, text); }
    void ClearLessonHint() { LessonHint.Clear(); }

    // The file names of the lessons finished ("05-pressure-setup.txt"), as
    // remembered between runs. LessonFinished adds one and tells
    // OnPreferencesChanged (ShowLessons).
    const std::vector<std::string> &FinishedLessons() const { return finishedLessons_; }
    void SetFinishedLessons(std::vector<std::string> names) { finishedLessons_ = std::move(names); }
    void LessonFinished(const std::string &name);

  private:
    std::vector<TRect> LessonHintAreas();
    std::vector<TRect> LessonHintRooms();
    void StoreKey(uint8_t key);
    bool KeyPressed(const TKeyEvent &key);
    bool WheelTurned(int x, int y, int notches);
    void ClockTimerTimer();
    void ClockEventDue(ClockEvent event);
    void SetPaused(bool paused);
    void StepPass();
    void KeepPace();
    void ShootDisplay();
    void ShootWindow();
    void SaveState();
    void LoadState(const std::string &path);
    void ChooseFileToOpen();
    void RefreshStatusBar();
    void RefreshSliderHints();
    void ApplyPressureFault();

    bool running_ = false;
    bool restartRequested_ = false;
    bool poweringOn_ = false; // the power-on sequence with its splash runs
    bool stepRequested_ = false;
    bool stepping_ = false; // the pass a step let through runs
    bool feeding_ = false;  // Act carries a value from an engine feed
    int64_t passes_ = 0;    // main-cycle passes since ON
    // The control Act is moving itself, whose change events are its own.
    const TControl *actingOn_ = nullptr;

    DisplayLook look_ = DefaultLook;
    // The frame and look last painted into Image1.
    uint8_t shownFrame_[LcdFrameBytes] = {};
    DisplayLook shownLook_ = DefaultLook;
    bool presented_ = false;

    int rpmLabelShows_ = -1;

    FaultEffects faults_;
    // The pressure count the slider last gave the instrument, before any
    // fault; the gates since the window opened, for the faults drawn once
    // a gate.
    int32_t pressureDelivered_ = 0;
    uint64_t gates_ = 0;
    unsigned faultSerial_ = 1;
    int maxPassRate_ = 0;
    int64_t nextPassUs_ = 0;

    std::string shotsFolder_;
    ShotNamer shotNamer_;
    std::vector<std::string> lastShotFiles_;

    std::string statusMessage_;
    // What the status bar shows, to rebuild its text only when it changed.
    struct StatusShown {
        bool running, paused;
        int rate, passRateLimit;
        unsigned message, feed, faults;
        bool demo;
        bool operator==(const StatusShown &) const = default;
    };
    StatusShown statusShown_{};
    unsigned messageSerial_ = 1, feedSerial_ = 1;
    std::string feedStatus_;
    bool demoShown_ = false;

    // The form's listeners of the backlight and contrast hooks.
    static constexpr int DisplayHookCount = 3;
    HookToken displayHookTokens_[DisplayHookCount] = {};

    std::unique_ptr<TKeyMapWindow> keyMapWindow_;
    std::unique_ptr<TStateView> stateView_;
    std::unique_ptr<TEngineWindow> engineWindow_;
    std::unique_ptr<TForm> lessonsWindow_;
    std::vector<std::string> finishedLessons_;
    // What the sliders' tooltips show, to rebuild them only when it changed.
    struct HintsShown {
        int32_t pressure, speed;
        const char *unit;
        double rpm;
        bool operator==(const HintsShown &) const = default;
    };
    HintsShown hintsShown_{-1, -1, nullptr, -1};
};
