// The small desktop toolkit the simulator window is written in: the classes
// and the few operations the form needs, nothing more.
//
// A control keeps its own state (position, caption, colour, pixels, slider
// position, ...). A backend gives it a native counterpart: the FLTK backend a
// real widget, the headless backend none at all. Setters only record the new
// value and mark the control as changed; the backend brings its widgets up to
// date when it next processes events, so a burst of changes (a whole frame
// of pixels) reaches the screen as one repaint.
#pragma once
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

struct TColor {
    uint8_t r, g, b;
    bool operator==(const TColor &) const = default;
};

// Named colours. The system colours are those of a classic button-face
// scheme; the inactive-border grey doubles as the display's background, a
// light blue-grey that reads as an unlit liquid-crystal panel.
constexpr TColor clBlack{0, 0, 0};
constexpr TColor clWhite{255, 255, 255};
constexpr TColor clRed{255, 0, 0};
constexpr TColor clMaroon{128, 0, 0};
constexpr TColor clBtnFace{212, 208, 200};
constexpr TColor clScrollBar{200, 200, 200};
constexpr TColor clInactiveBorder{191, 205, 219};

struct TRect {
    int left, top, width, height;
    bool Contains(int x, int y) const
    {
        return x >= left && y >= top && x < left + width && y < top + height;
    }
};

// RGB pixels row by row, 3 bytes each.
struct TPicture {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;
};

// Keys as forms receive them: a character key as the character it types
// ('a', 'A', '+', ' '), every other key by one of these codes. The enum is
// made from this list, and the page's script gets its codes from the same
// list (host/web/page_codes.cpp), so that the two cannot differ.
#define QPX_TKEYS(X)                                                                                         \
    X(vkNone, 0)                                                                                             \
    X(vkSpace, ' ')                                                                                          \
    X(vkReturn, 0x100)                                                                                       \
    X(vkEscape, 0x101)                                                                                       \
    X(vkTab, 0x102)                                                                                          \
    X(vkBackSpace, 0x103)                                                                                    \
    X(vkUp, 0x104)                                                                                           \
    X(vkDown, 0x105)                                                                                         \
    X(vkLeft, 0x106)                                                                                         \
    X(vkRight, 0x107)                                                                                        \
    X(vkPageUp, 0x108)                                                                                       \
    X(vkPageDown, 0x109)                                                                                     \
    X(vkHome, 0x10a)                                                                                         \
    X(vkEnd, 0x10b)                                                                                          \
    X(vkInsert, 0x10c)                                                                                       \
    X(vkDelete, 0x10d)                                                                                       \
    X(vkF1, 0x200) /* F1..F12 are vkF1 + 0..11 */
enum TKey : int {
#define QPX_TKEY(name, code) name = code,
    QPX_TKEYS(QPX_TKEY)
#undef QPX_TKEY
};
constexpr int vkF(int n) { return vkF1 + n - 1; }
constexpr int vkFunctionKeys = 12; // F1..F12

struct TKeyEvent {
    int key;
    bool repeat;    // sent again by the keyboard's auto-repeat while held
    bool ctrlOrAlt; // pressed together with Ctrl, Alt or a system key
};

// The kinds of control. The enum is made from this list, and the page's
// script gets their codes from the same list (host/web/page_codes.cpp).
#define QPX_CONTROL_KINDS(X)                                                                                 \
    X(Form)                                                                                                  \
    X(Image) X(TrackBar) X(CheckBox) X(Shape) X(Label) X(Button) X(StatusBar) X(Panel) X(SpinEdit) X(ComboBox)
enum class TControlKind {
#define QPX_CONTROL_KIND(name) name,
    QPX_CONTROL_KINDS(QPX_CONTROL_KIND)
#undef QPX_CONTROL_KIND
};

struct TNative; // the backend's counterpart of a control

class TControl {
  public:
    TControl(TControl *parent, TRect bounds, TControlKind kind);
    virtual ~TControl();
    TControl(const TControl &) = delete;
    TControl &operator=(const TControl &) = delete;

    TControlKind Kind() const { return kind_; }
    const TRect &Bounds() const { return bounds_; }
    TControl *Parent() const { return parent_; }
    const std::vector<TControl *> &Children() const { return children_; }

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);

    const std::string &Caption() const { return caption_; }
    void SetCaption(const std::string &caption);

    TColor Color() const { return color_; }
    void SetColor(TColor color);

    // Tooltip text; empty: none.
    const std::string &Hint() const { return hint_; }
    void SetHint(const std::string &hint);

    // Position in the keyboard focus order; the control with 0 has the
    // focus when its form is shown. -1: not set.
    int TabOrder() const { return tabOrder_; }
    void SetTabOrder(int order) { tabOrder_ = order; }

    // Fired when the user clicks the control (buttons, images).
    std::function<void()> OnClick;
    void Click()
    {
        if (OnClick)
            OnClick();
    }

    // Owned by the backend.
    TNative *native = nullptr;
    bool changed = false;

  protected:
    // Queues the control for the backend's next update.
    void Changed();

  private:
    TControl *parent_;
    TRect bounds_;
    TControlKind kind_;
    bool visible_ = true;
    std::string caption_;
    std::string hint_;
    TColor color_ = clBtnFace;
    int tabOrder_ = -1;
    std::vector<TControl *> children_;
};

// A picture: either loaded from a JPEG or painted pixel by pixel. Painting the
// first pixel creates a white canvas of the control's size, as in the
// toolkit this window was modelled on; until then the image is empty and the
// controls beneath it show through (also used for transparent click areas).
class TImage : public TControl {
  public:
    TImage(TControl *parent, TRect bounds) : TControl(parent, bounds, TControlKind::Image) {}

    // Decodes a JPEG into the picture; throws std::runtime_error if it is not
    // a complete, valid JPEG. A build without a JPEG decoder (the browser's)
    // keeps the image empty and leaves the picture to the page, which
    // decodes the JPEG itself.
    void LoadJpeg(const uint8_t *data, size_t size);
    // The JPEG the picture was loaded from; empty when it was painted.
    const std::vector<uint8_t> &Jpeg() const { return jpeg_; }
    // Draw the picture scaled to the control's size.
    bool stretch = false;

    bool Empty() const { return pixels_.empty(); }
    int PictureWidth() const { return (int)pictureWidth_; }
    int PictureHeight() const { return (int)pictureHeight_; }

    // One pixel of the canvas; outside the picture nothing happens.
    void SetPixel(int x, int y, TColor color)
    {
        if (pixels_.empty())
            CreateCanvas();
        if ((size_t)(unsigned)x >= pictureWidth_ || (size_t)(unsigned)y >= pictureHeight_)
            return;
        pixels_[(size_t)y * pictureWidth_ + (size_t)x] = Pack(color);
        ++version_;
        if (!changed)
            Changed();
    }
    // Goes up whenever pixels are set: a backend that showed this version
    // need not compare the pixels again.
    uint64_t Version() const { return version_; }
    // Paints a picture of dots kept as bytes of eight dots stacked
    // vertically, bit 0 on top (pages of columns): columns x (pages * 8)
    // dots, each a scale x scale square, on ones set, off ones clear. Works
    // a byte at a time; dots beyond the canvas are left out.
    void PaintPagedBits(const uint8_t *bytes, int columns, int pages, int scale, TColor on, TColor off);
    TColor Pixel(int x, int y) const;
    // The picture as RGB bytes, row by row; empty while the image is empty.
    std::vector<uint8_t> RgbPixels() const;
    // Copies the picture into shown and returns true if it differs from
    // what shown held: the backend repaints only pictures that changed.
    bool CopyIfChanged(std::vector<uint32_t> &shown) const;

  private:
    static uint32_t Pack(TColor c) { return (uint32_t)c.r << 16 | (uint32_t)c.g << 8 | c.b; }
    void CreateCanvas();
    std::vector<uint8_t> jpeg_;
    std::vector<uint32_t> pixels_; // 0x00RRGGBB, row by row
    uint64_t version_ = 0;
    // Not uint32_t-compatible types, so that storing a pixel does not force
    // the compiler to reload them.
    size_t pictureWidth_ = 0, pictureHeight_ = 0;
};

class TTrackBar : public TControl {
  public:
    TTrackBar(TControl *parent, TRect bounds, int min, int max, int position);
    int Min() const { return min_; }
    int Max() const { return max_; }
    int Position() const { return position_; }
    // Clamps to min..max; fires OnChange when the position changed.
    void SetPosition(int position);
    std::function<void()> OnChange;

  private:
    int min_, max_, position_;
};

// A number the user types or steps with the arrows (or the wheel), kept in
// whole steps of 10^-decimals ("raw" units) so that no rounding creeps in:
// 2400 rpm with no decimals is raw 2400, 25.00 "Hg with two is raw 2500.
// Whatever the user does, the value stays within min..max.
class TSpinEdit : public TControl {
  public:
    TSpinEdit(TControl *parent, TRect bounds, int32_t min, int32_t max, int32_t step, int decimals);
    int32_t Min() const { return min_; }
    int32_t Max() const { return max_; }
    int32_t Step() const { return step_; }
    int Decimals() const { return decimals_; }
    int32_t RawValue() const { return raw_; }
    double Value() const;
    // The value as shown: "25.00".
    std::string Text() const;
    // A new range (a new unit); the value is clamped into it. Fires no
    // OnChange: the program changed it, not the user.
    void SetRange(int32_t min, int32_t max, int32_t step, int decimals);
    // Clamps to min..max; fires OnChange when the value changed.
    void SetRawValue(int32_t raw);
    // The nearest raw value to value, clamped, as SetRawValue.
    void SetValue(double value);
    // steps arrow presses up (negative: down), clamped at the ends.
    void StepBy(int steps);
    // What the user typed: a number, clamped to the range; false (nothing
    // changes) when it is not a number.
    bool SetText(const std::string &text);
    std::function<void()> OnChange;

  private:
    int32_t min_, max_, step_;
    int decimals_;
    int32_t raw_;
};

// A list the user picks one line of.
class TComboBox : public TControl {
  public:
    TComboBox(TControl *parent, TRect bounds, std::vector<std::string> items);
    const std::vector<std::string> &Items() const { return items_; }
    // The line picked, 0 first.
    int ItemIndex() const { return index_; }
    // Clamps to the list; fires OnChange when the line changed.
    void SetItemIndex(int index);
    // A new list: the first line is picked. Fires no OnChange.
    void SetItems(std::vector<std::string> items);
    std::function<void()> OnChange;

  private:
    std::vector<std::string> items_;
    int index_ = 0;
};

class TCheckBox : public TControl {
  public:
    TCheckBox(TControl *parent, TRect bounds, const std::string &caption);
    bool Checked() const { return checked_; }
    // Fires OnClick when the state changed.
    void SetChecked(bool checked);

  private:
    bool checked_ = false;
};

// A circle filled with the brush colour, outlined in black.
class TShape : public TControl {
  public:
    TShape(TControl *parent, TRect bounds, TColor brush);
    TColor BrushColor() const { return Color(); }
    void SetBrushColor(TColor brush) { SetColor(brush); }
};

// Sized to its caption, which may hold several lines: the bounds give the
// top-left corner.
class TLabel : public TControl {
  public:
    TLabel(TControl *parent, int left, int top, const std::string &caption, bool fixedPitch = false);
    // Drawn in a font whose characters all have the same width, so that
    // columns of text line up.
    bool FixedPitch() const { return fixedPitch_; }
    // Drawn about twice the size, for text read from arm's length; set
    // before the form is first shown.
    bool Large() const { return large_; }
    void SetLarge(bool large) { large_ = large; }

  private:
    bool fixedPitch_;
    bool large_ = false;
};

class TButton : public TControl {
  public:
    TButton(TControl *parent, TRect bounds, const std::string &caption);
};

class TStatusBar : public TControl {
  public:
    TStatusBar(TControl *parent, TRect bounds) : TControl(parent, bounds, TControlKind::StatusBar) {}
};

class TPanel : public TControl {
  public:
    TPanel(TControl *parent, TRect bounds, TColor color);
};

// A fixed-size window: bounds give the client area's size.
class TForm : public TControl {
  public:
    TForm(int clientWidth, int clientHeight, const std::string &caption);
    ~TForm() override;
    // Shows the window and brings it to the front: the first time centred
    // on the screen, or beside besideForm where the screen has room.
    void Show();
    const TForm *besideForm = nullptr;
    // Closes the window; closing the main form ends the application.
    void Close();

    // Every key pressed while the window has the keyboard comes here first,
    // before any control sees it. Return true when the form took the key;
    // otherwise the focused control gets it as usual.
    std::function<bool(const TKeyEvent &key)> OnKey;
    // A key pressed while the window has the keyboard, for backends whose
    // controls are not native widgets: OnKey first; a key it does not take
    // goes to focused (nullptr: none), which acts on it as the stock
    // controls do (a button clicks on Space or Enter, a check box toggles
    // on Space, a slider moves one step on an arrow, a spin box one step on
    // an arrow and ten on Page Up/Down, a choice list one line on Up/Down).
    void KeyPressed(const TKeyEvent &key, TControl *focused);
    // The mouse wheel turned notches steps (negative: away from the user)
    // with the pointer at x, y of the client area; true when taken.
    std::function<bool(int x, int y, int notches)> OnWheel;
    // The user chose a file to open (the file chooser, a file dropped onto
    // the window, the page's "Load state" button): path names the file, or
    // a copy the program can read.
    std::function<void(const std::string &path)> OnOpenFile;
    // What a file manager dropped onto the window (a list of file URIs or
    // paths, one a line): the first file goes to OnOpenFile. false when the
    // text names no file.
    bool FilesDropped(const std::string &text);

    // The window's client area as the screen shows it; false when the
    // toolkit cannot read it (no display).
    bool Capture(TPicture &picture);

    // The window drawn zoom times its size: the client area, every control,
    // its fonts and pictures. Bounds, clicks and wheel positions stay in
    // the form's own units. A painted picture's pixels become squares of
    // zoom x zoom pixels; a stretched picture is scaled smoothly.
    void SetZoom(double zoom);
    double Zoom() const { return zoom_; }
    // The largest zoom at which the window fits the screen (a very large
    // number without a screen).
    double LargestZoom() const;

  private:
    double zoom_ = 1;
};

// A periodic timer that runs from its creation on, unless disabled.
class TTimer {
  public:
    TTimer(int intervalMs, std::function<void()> onTimer);
    ~TTimer();
    TTimer(const TTimer &) = delete;
    TTimer &operator=(const TTimer &) = delete;
    int Interval() const { return intervalMs_; }
    bool Enabled() const { return enabled_; }
    // A disabled timer does not fire; enabled again it starts a fresh
    // interval.
    void SetEnabled(bool enabled);
    // Called by the backend: elapsedUs is the time since the timer last
    // fired or was enabled, as the backend's clock measured it.
    void Fire(int64_t elapsedUs)
    {
        elapsedUs_ = elapsedUs;
        if (onTimer_)
            onTimer_();
    }
    // During OnTimer: the time the firing stands for.
    int64_t ElapsedUs() const { return elapsedUs_; }
    TNative *native = nullptr;

  private:
    int intervalMs_;
    bool enabled_ = true;
    int64_t elapsedUs_ = 0;
    std::function<void()> onTimer_;
};

class TApplication {
  public:
    // Connects to the display (FLTK); exits with a message if there is none.
    void Initialize();
    // Creates the main form; the application owns it.
    template <class F> F *CreateForm()
    {
        auto form = std::make_unique<F>();
        F *raw = form.get();
        mainForm_ = std::move(form);
        return raw;
    }
    TForm *MainForm() const { return mainForm_.get(); }
    // Shows the main form and handles events until it is closed.
    void Run();
    // Handles every pending event and returns without waiting.
    void ProcessMessages();
    // Handles events for about ms milliseconds, returning early once the
    // application is terminating. The headless backend does not wait; it
    // may advance its virtual clock by ms instead.
    void ProcessMessagesFor(int ms);
    // The same until the monotonic clock reaches deadlineUs.
    void ProcessMessagesUntil(int64_t deadlineUs);
    // Waits for at least one event and handles what is pending.
    void HandleMessage();
    // A clock in microseconds that never goes back: real time for a
    // display, the virtual clock without one.
    int64_t MonotonicUs() const;
    // Shows the error in the toolkit's error box.
    void ShowException(const std::exception &error);
    // A file the user asked for has been written at path: the browser hands
    // it over as a download; on a desktop it stays where it was written.
    void FileSaved(const std::string &path);
    // Asks the user for a file to open in the backend's file chooser, titled
    // title: the path chosen, or "" when the user cancelled.
    // HasFileChooser: false where the backend has none (then "").
    bool HasFileChooser() const { return (bool)fileChooser; }
    std::string ChooseFileToOpen(const std::string &title) { return fileChooser ? fileChooser(title) : ""; }
    // Set by a backend that has a file chooser.
    std::function<std::string(const std::string &title)> fileChooser;

    bool Terminated() const { return terminated_; }
    void Terminate() { terminated_ = true; }
    // Forgets the main form and the terminated state (tests start afresh).
    void Reset();

  private:
    std::unique_ptr<TForm> mainForm_;
    bool terminated_ = false;
};

extern TApplication *Application;

// The files a drop names, in order: "file://" URIs (percent escapes
// decoded, a host part of "localhost" or none) and plain absolute paths,
// one a line (CRLF or LF); blank lines, comments ("#") and URIs of other
// schemes are left out.
std::vector<std::string> DroppedFilePaths(const std::string &text);

// Implemented by each backend.
namespace backend {
// A control was created or destroyed, or its state changed.
void ControlCreated(TControl &control);
void ControlDestroyed(TControl &control);
void ControlChanged(TControl &control);
void TimerCreated(TTimer &timer);
void TimerDestroyed(TTimer &timer);
void TimerEnabledChanged(TTimer &timer);
void Initialize();
void ShowForm(TForm &form);
void HideForm(TForm &form);
void Run();
void ProcessMessages();
void ProcessMessagesFor(int ms);
void ProcessMessagesUntil(int64_t deadlineUs);
void HandleMessage();
int64_t MonotonicUs();
bool CaptureForm(TForm &form, TPicture &picture);
void FormZoomChanged(TForm &form);
double LargestZoom(const TForm &form);
void ShowError(const char *message);
void FileSaved(const std::string &path);
} // namespace backend
