// The toolkit over FLTK 1.3: every control gets a real widget when its form
// is shown, and changes reach the widgets just before events are processed.
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Hor_Nice_Slider.H>
#include <FL/Fl_Image_Surface.H>
#include <FL/Fl_Native_File_Chooser.H>
#include <FL/fl_ask.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>

#include "host/fltk/fltk_widgets.h"
#include "host/saved_files.h"
#include "host/toolkit.h"

namespace {

// The form's font: a small sans-serif like the 8-point system font. Labels
// sit closer together ("Pressure" and its value are 48 pixels apart), so they
// use a size smaller.
constexpr int FormFontSize = 11;
constexpr int LabelFontSize = 10;
// Text in columns (the state view, the key map) uses a fixed-pitch font.
constexpr int FixedPitchFontSize = 11;
// Large labels (a lesson's instruction), read from arm's length.
constexpr int LargeFontSize = 20;

// Asking the X server for events takes a few system calls, more than the
// rest of a main-cycle pass; passes that follow the last look closer than
// this leave their events pending for a later pass (a delay no one can
// notice) instead of looking again.
constexpr int64_t MinCheckIntervalUs = 50;

// Never freed, so that it outlives every static form.
struct FltkWorld {
    std::vector<TControl *> changed;
    // Keys held down (FLTK key codes): pressed again without being released
    // means the keyboard's auto-repeat. Keys a form took, so that their
    // release does not reach a control either.
    std::set<int> keysHeld, keysTaken;
    // Repaint statistics, printed once a second when QPX_REPAINT_STATS is set.
    bool reportRates = false;
    int64_t lastCheckUs = 0;
    long pumps = 0;
    std::chrono::steady_clock::time_point rateStart;
};

FltkWorld &World()
{
    static FltkWorld *world = new FltkWorld;
    return *world;
}

Fl_Color ToFl(TColor c) { return fl_rgb_color(c.r, c.g, c.b); }

int64_t NowUs()
{
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

// Pixels of the screen for v units of the form at zoom z.
int Px(int v, double z) { return (int)std::lround(v * z); }

// Largest size not above the form's font (at zoom z) at which the caption
// fits the width with a small margin.
int FittingLabelSize(const std::string &caption, int width, double z)
{
    for (int size = Px(FormFontSize, z); size > Px(6, z); --size) {
        fl_font(FL_HELVETICA, size);
        if (fl_width(caption.c_str()) + Px(8, z) <= width)
            return size;
    }
    return Px(7, z);
}

// Sliders are drawn this high from the top of their rectangle: the two
// rectangles overlap by 13 pixels, and a full-height slider box would cover
// its neighbour's thumb.
constexpr int SliderHeight = 28;
// The slider's channel starts a little inside its rectangle, as a native
// track bar's does, so that a four-digit reading in the label just left of
// it keeps clear of the thumb.
constexpr int SliderInset = 8;

Fl_Widget *CreateWidget(TControl &control, int originX, int originY);

void CreateChildren(TControl &parent, int originX, int originY)
{
    for (TControl *child : parent.Children())
        CreateWidget(*child, originX, originY);
}

Fl_Widget *CreateWidget(TControl &control, int originX, int originY)
{
    const TRect &b = control.Bounds();
    const int x = originX + b.left, y = originY + b.top;
    Fl_Widget *widget = nullptr;
    switch (control.Kind()) {
    case TControlKind::Form:
        break; // the window itself
    case TControlKind::Image:
        widget = new PictureBox(static_cast<TImage &>(control), x, y);
        break;
    case TControlKind::Shape:
        widget = new LampCircle(static_cast<TShape &>(control), x, y);
        break;
    case TControlKind::TrackBar: {
        auto &bar = static_cast<TTrackBar &>(control);
        auto *slider = new Fl_Hor_Nice_Slider(x + SliderInset, y, b.width - SliderInset, SliderHeight);
        slider->bounds(bar.Min(), bar.Max());
        slider->step(1);
        slider->value(bar.Position());
        slider->callback(
            [](Fl_Widget *w, void *data) {
                static_cast<TTrackBar *>(data)->SetPosition((int)static_cast<Fl_Slider *>(w)->value());
            },
            &bar);
        widget = slider;
        break;
    }
    case TControlKind::CheckBox: {
        auto &box = static_cast<TCheckBox &>(control);
        auto *check = new Fl_Check_Button(x, y, b.width, b.height);
        check->value(box.Checked());
        check->callback(
            [](Fl_Widget *w, void *data) {
                static_cast<TCheckBox *>(data)->SetChecked(static_cast<Fl_Check_Button *>(w)->value() != 0);
            },
            &box);
        check->clear_visible_focus();
        widget = check;
        break;
    }
    case TControlKind::Label:
        if (static_cast<TLabel &>(control).FixedPitch())
            widget = new CaptionLabel(control, x, y, FL_COURIER, FixedPitchFontSize);
        else if (static_cast<TLabel &>(control).Large())
            widget = new CaptionLabel(control, x, y, FL_HELVETICA, LargeFontSize);
        else
            widget = new CaptionLabel(control, x, y, FL_HELVETICA, LabelFontSize);
        break;
    case TControlKind::Button: {
        auto *button = new Fl_Button(x, y, b.width, b.height);
        button->callback([](Fl_Widget *, void *data) { static_cast<TControl *>(data)->Click(); }, &control);
        widget = button;
        break;
    }
    case TControlKind::StatusBar:
        widget = new Fl_Box(FL_THIN_DOWN_BOX, x, y, b.width, b.height, nullptr);
        widget->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_CLIP);
        break;
    case TControlKind::SpinEdit:
        widget = new SpinBox(static_cast<TSpinEdit &>(control), x, y, b.width, b.height);
        break;
    case TControlKind::ComboBox:
        widget = new ChoiceList(static_cast<TComboBox &>(control), x, y, b.width, b.height);
        break;
    case TControlKind::Panel: {
        auto *group = new Fl_Group(x, y, b.width, b.height);
        group->box(FL_THIN_UP_BOX);
        group->color(ToFl(control.Color()));
        CreateChildren(control, x, y);
        group->end();
        widget = group;
        break;
    }
    }
    if (widget) {
        if (control.Kind() != TControlKind::Label && control.Kind() != TControlKind::Image &&
            control.Kind() != TControlKind::Shape)
            widget->copy_label(control.Caption().c_str());
        if (!control.Hint().empty())
            widget->copy_tooltip(control.Hint().c_str());
        if (!control.Visible())
            widget->hide();
        control.native = new TNative{widget};
    }
    return widget;
}

// Places and sizes the widgets of parent's children for zoom z: each
// rectangle from the form's units, edges rounded so that neighbours stay
// neighbours; fonts at z times their size. At 1 nothing moves. originX and
// originY: the parent's position in the form's units.
void PlaceChildren(TControl &parent, int originX, int originY, double z)
{
    for (TControl *control : parent.Children()) {
        if (!control->native)
            continue;
        const TRect &b = control->Bounds();
        const int left = originX + b.left, top = originY + b.top;
        const int x = Px(left, z), y = Px(top, z);
        const int w = Px(left + b.width, z) - x, h = Px(top + b.height, z) - y;
        Fl_Widget *widget = control->native->widget;
        switch (control->Kind()) {
        case TControlKind::Image:
            widget->resize(x, y, w, h);
            static_cast<PictureBox *>(widget)->SetZoom(z);
            break;
        case TControlKind::TrackBar: {
            const int sliderX = Px(left + SliderInset, z);
            widget->resize(sliderX, y, x + w - sliderX, Px(top + SliderHeight, z) - y);
            break;
        }
        case TControlKind::CheckBox:
            widget->resize(x, y, w, h);
            widget->labelsize(FittingLabelSize(control->Caption(), w - Px(20, z), z));
            break;
        case TControlKind::Label: {
            auto *label = static_cast<CaptionLabel *>(widget);
            label->position(x, y);
            const auto *caption = static_cast<TLabel *>(control);
            label->SetFontSize(Px(caption->FixedPitch() ? FixedPitchFontSize
                                  : caption->Large()    ? LargeFontSize
                                                        : LabelFontSize,
                                  z));
            break;
        }
        case TControlKind::Button:
            widget->resize(x, y, w, h);
            widget->labelsize(FittingLabelSize(control->Caption(), w, z));
            break;
        case TControlKind::StatusBar:
            widget->resize(x, y, w, h);
            widget->labelsize(Px(FormFontSize, z));
            break;
        case TControlKind::Panel:
            // Fl_Group::resize would move the children too: they are placed
            // below, each from its own bounds.
            widget->Fl_Widget::resize(x, y, w, h);
            PlaceChildren(*control, left, top, z);
            break;
        default:
            widget->resize(x, y, w, h);
            break;
        }
    }
}

// The window at the form's zoom, its size fixed, and every widget in it.
void PlaceForm(TForm &form)
{
    Fl_Widget *window = form.native->widget;
    const int w = Px(form.Bounds().width, form.Zoom()), h = Px(form.Bounds().height, form.Zoom());
    static_cast<Fl_Window *>(window)->size_range(w, h, w, h);
    window->size(w, h);
    PlaceChildren(form, 0, 0, form.Zoom());
    window->redraw();
}

// Brings one widget up to date with its control.
void Update(TControl &control)
{
    control.changed = false;
    if (!control.native)
        return;
    Fl_Widget *widget = control.native->widget;
    const char *tooltip = widget->tooltip() ? widget->tooltip() : "";
    if (control.Hint() != tooltip)
        widget->copy_tooltip(control.Hint().empty() ? nullptr : control.Hint().c_str());
    switch (control.Kind()) {
    case TControlKind::Form:
        return; // shown and hidden by ShowForm/HideForm
    case TControlKind::Image:
        static_cast<PictureBox *>(widget)->Refresh();
        break;
    case TControlKind::Shape:
        static_cast<LampCircle *>(widget)->Refresh();
        break;
    case TControlKind::Label:
        static_cast<CaptionLabel *>(widget)->Refresh();
        break;
    case TControlKind::TrackBar: {
        auto *slider = static_cast<Fl_Slider *>(widget);
        int position = static_cast<TTrackBar &>(control).Position();
        if ((int)slider->value() != position)
            slider->value(position);
        break;
    }
    case TControlKind::CheckBox: {
        auto *check = static_cast<Fl_Check_Button *>(widget);
        check->value(static_cast<TCheckBox &>(control).Checked());
        break;
    }
    case TControlKind::SpinEdit:
        static_cast<SpinBox *>(widget)->Refresh();
        break;
    case TControlKind::ComboBox:
        static_cast<ChoiceList *>(widget)->Refresh();
        break;
    default:
        if (widget->label() == nullptr || control.Caption() != widget->label())
            widget->copy_label(control.Caption().c_str());
        break;
    }
    if (control.Visible() != (widget->visible() != 0)) {
        if (control.Visible())
            widget->show();
        else
            widget->hide();
    }
}

void UpdateChanged()
{
    auto &changed = World().changed;
    // Updating may not add to the list, but be safe about it.
    for (size_t i = 0; i < changed.size(); ++i)
        Update(*changed[i]);
    changed.clear();
}

void CountPump()
{
    FltkWorld &world = World();
    if (!world.reportRates)
        return;
    ++world.pumps;
    auto now = std::chrono::steady_clock::now();
    double seconds = std::chrono::duration<double>(now - world.rateStart).count();
    if (seconds >= 1.0) {
        fprintf(stderr, "qpx-sim: %.0f message rounds/s, %.0f display repaints/s\n", world.pumps / seconds,
                PictureBox::TakeCanvasRepaints() / seconds);
        world.pumps = 0;
        world.rateStart = now;
    }
}

void FatalError(const char *format, ...)
{
    char message[512];
    va_list args;
    va_start(args, format);
    vsnprintf(message, sizeof message, format, args);
    va_end(args);
    const char *display = getenv("DISPLAY");
    if (!display || !*display)
        fprintf(stderr, "qpx-sim: no X display (DISPLAY is not set); run it on a desktop, or headless with: "
                        "xvfb-run -a qpx-sim\n");
    else
        fprintf(stderr, "qpx-sim: %s; run it on a desktop, or headless with: xvfb-run -a qpx-sim\n", message);
    exit(2);
}

TControl *FirstInTabOrder(TControl &parent)
{
    for (TControl *child : parent.Children()) {
        if (child->TabOrder() == 0)
            return child;
        if (TControl *inner = FirstInTabOrder(*child))
            return inner;
    }
    return nullptr;
}

} // namespace

// The window: Escape must not close it (FLTK closes windows on Escape).
class FormWindow : public Fl_Double_Window {
  public:
    explicit FormWindow(TForm &form) : Fl_Double_Window(form.Bounds().width, form.Bounds().height), form(form)
    {
        copy_label(form.Caption().c_str());
        color(ToFl(form.Color()));
        callback(
            [](Fl_Widget *, void *data) {
                if (Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape)
                    return;
                static_cast<TForm *>(data)->Close();
            },
            &form);
    }
    TForm &form;

  protected:
    // A file dropped from a file manager anywhere on the window: the window
    // takes the drag itself, whatever lies under the pointer, so that the
    // text of the drop (FL_PASTE) comes here.
    int handle(int event) override
    {
        switch (event) {
        case FL_DND_ENTER:
        case FL_DND_DRAG:
        case FL_DND_RELEASE:
            Fl::belowmouse(this);
            return 1;
        case FL_DND_LEAVE:
            return 1;
        case FL_PASTE:
            if (Fl::event_text() && Fl::event_length() > 0)
                form.FilesDropped(std::string(Fl::event_text(), (size_t)Fl::event_length()));
            return 1;
        default:
            return Fl_Double_Window::handle(event);
        }
    }
};

namespace {

// The key of the event being handled as the toolkit names it; vkNone for a
// key it has no name for (a modifier alone, a media key).
int ToolkitKey()
{
    const int key = Fl::event_key();
    switch (key) {
    case FL_Enter:
    case FL_KP_Enter:
        return vkReturn;
    case FL_Escape:
        return vkEscape;
    case FL_Tab:
        return vkTab;
    case FL_BackSpace:
        return vkBackSpace;
    case FL_Up:
        return vkUp;
    case FL_Down:
        return vkDown;
    case FL_Left:
        return vkLeft;
    case FL_Right:
        return vkRight;
    case FL_Page_Up:
        return vkPageUp;
    case FL_Page_Down:
        return vkPageDown;
    case FL_Home:
        return vkHome;
    case FL_End:
        return vkEnd;
    case FL_Insert:
        return vkInsert;
    case FL_Delete:
        return vkDelete;
    default:
        break;
    }
    if (key >= FL_F + 1 && key <= FL_F + vkFunctionKeys)
        return vkF(key - FL_F);
    // A character key is the character it types, so that Shift+= is '+'.
    const char *text = Fl::event_text();
    if (Fl::event_length() == 1 && text[0] >= ' ' && text[0] < 127)
        return text[0];
    // With Ctrl the text is a control code: name the key itself.
    if (key >= ' ' && key < 127)
        return key;
    return vkNone;
}

// Sees every event before FLTK hands it to a widget: keys and the wheel go
// to the form of the window first, so that a focused button or slider never
// acts on a key the form uses.
int DispatchEvent(int event, Fl_Window *window)
{
    FltkWorld &world = World();
    auto *formWindow = dynamic_cast<FormWindow *>(window);
    switch (event) {
    case FL_KEYDOWN: {
        const int code = Fl::event_key();
        const bool repeat = !world.keysHeld.insert(code).second;
        TForm *form = formWindow ? &formWindow->form : nullptr;
        const int key = ToolkitKey();
        if (!form || !form->OnKey || key == vkNone)
            break;
        const bool ctrlOrAlt = Fl::event_state() & (FL_CTRL | FL_ALT | FL_META);
        // Marked before the form acts: ON runs the instrument inside this
        // call, and the key's release arrives meanwhile.
        world.keysTaken.insert(code);
        if (form->OnKey(TKeyEvent{key, repeat, ctrlOrAlt}))
            return 1;
        world.keysTaken.erase(code);
        break;
    }
    case FL_KEYUP: {
        const int code = Fl::event_key();
        world.keysHeld.erase(code);
        if (world.keysTaken.erase(code))
            return 1;
        break;
    }
    case FL_FOCUS:
    case FL_UNFOCUS:
        // Releases seen by another window never reach us.
        world.keysHeld.clear();
        world.keysTaken.clear();
        break;
    case FL_MOUSEWHEEL:
        // The form thinks in its own units, whatever the zoom.
        if (formWindow && formWindow->form.OnWheel && Fl::event_dy() != 0 &&
            formWindow->form.OnWheel((int)(Fl::event_x() / formWindow->form.Zoom()),
                                     (int)(Fl::event_y() / formWindow->form.Zoom()), Fl::event_dy()))
            return 1;
        break;
    default:
        break;
    }
    return Fl::handle_(event, window);
}

// The desktop's file chooser where there is one (FLTK asks GTK), else
// FLTK's own; it runs its own event loop until the user chooses or cancels.
std::string ChooseFileToOpen(const std::string &title)
{
    Fl_Native_File_Chooser chooser(Fl_Native_File_Chooser::BROWSE_FILE);
    chooser.title(title.c_str());
    chooser.filter("Recordings and state files\t*.{csv,toml,CSV,TOML}\nAll files\t*");
    if (chooser.show() != 0 || !chooser.filename())
        return "";
    return chooser.filename();
}

} // namespace

namespace backend {

void ControlCreated(TControl &) {}

void ControlDestroyed(TControl &control)
{
    auto &changed = World().changed;
    changed.erase(std::remove(changed.begin(), changed.end(), &control), changed.end());
    if (control.native) {
        delete control.native->widget;
        delete control.native;
        control.native = nullptr;
    }
}

void ControlChanged(TControl &control)
{
    if (!control.native) {
        control.changed = false;
        return;
    }
    World().changed.push_back(&control);
}

static void TimerTick(void *data)
{
    auto *timer = static_cast<TTimer *>(data);
    Fl::repeat_timeout(timer->Interval() / 1000.0, TimerTick, data);
    const int64_t now = NowUs();
    const int64_t elapsed = now - timer->native->lastFireUs;
    timer->native->lastFireUs = now;
    timer->Fire(elapsed);
}

void TimerCreated(TTimer &timer)
{
    timer.native = new TNative{nullptr, NowUs()};
    Fl::add_timeout(timer.Interval() / 1000.0, TimerTick, &timer);
}

void TimerEnabledChanged(TTimer &timer)
{
    Fl::remove_timeout(TimerTick, &timer);
    if (!timer.Enabled())
        return;
    timer.native->lastFireUs = NowUs();
    Fl::add_timeout(timer.Interval() / 1000.0, TimerTick, &timer);
}

void TimerDestroyed(TTimer &timer)
{
    Fl::remove_timeout(TimerTick, &timer);
    delete timer.native;
    timer.native = nullptr;
}

void Initialize()
{
    Fl::fatal = FatalError;
    fl_open_display();
    Fl::visual(FL_RGB);
    const TColor face = clBtnFace;
    Fl::background(face.r, face.g, face.b);
    FL_NORMAL_SIZE = FormFontSize;
    Fl::event_dispatch(DispatchEvent);
    Application->fileChooser = ChooseFileToOpen;
    World().reportRates = getenv("QPX_REPAINT_STATS") != nullptr;
    World().rateStart = std::chrono::steady_clock::now();
}

void ShowForm(TForm &form)
{
    if (!form.native) {
        auto *window = new FormWindow(form);
        CreateChildren(form, 0, 0);
        window->end();
        form.native = new TNative{window};
        PlaceForm(form);
        const int w = window->w(), h = window->h();
        window->position((Fl::w() - w) / 2, (Fl::h() - h) / 2);
        if (form.besideForm && form.besideForm->native) {
            // Right of the other window if the screen has room, else below
            // it, else against the screen's right edge, covering as little
            // of the other window's left part (the instrument face) as it
            // can; never larger than the screen.
            const Fl_Widget *other = form.besideForm->native->widget;
            constexpr int Gap = 8, TitleBar = 32;
            const int fitW = std::min(w, Fl::w()), fitH = std::min(h, Fl::h() - TitleBar);
            window->size_range(fitW, fitH, fitW, fitH);
            window->size(fitW, fitH);
            if (other->x() + other->w() + Gap + w <= Fl::w())
                window->position(other->x() + other->w() + Gap, other->y());
            else if (other->y() + other->h() + Gap + TitleBar + h <= Fl::h())
                window->position(other->x(), other->y() + other->h() + Gap + TitleBar);
            else
                window->position(std::max(0, Fl::w() - window->w()), other->y());
        }
    }
    UpdateChanged();
    form.native->widget->show();
    // FLTK keeps a focus it finds inside the window when the window manager
    // hands the window the keyboard; otherwise the first child would get it.
    if (TControl *first = FirstInTabOrder(form); first && first->native)
        Fl::focus(first->native->widget);
}

void FormZoomChanged(TForm &form)
{
    if (form.native)
        PlaceForm(form);
}

// The screen's work area over the window's own size, leaving room for a
// title bar.
double LargestZoom(const TForm &form)
{
    int x, y, w, h;
    Fl::screen_work_area(x, y, w, h);
    constexpr int TitleBar = 32;
    return std::min((double)w / form.Bounds().width, (double)(h - TitleBar) / form.Bounds().height);
}

void HideForm(TForm &form)
{
    if (form.native)
        form.native->widget->hide();
}

void Run()
{
    while (!Application->Terminated() && Fl::first_window()) {
        UpdateChanged();
        Fl::wait();
    }
}

void ProcessMessages()
{
    CountPump();
    const int64_t now = NowUs();
    if (now - World().lastCheckUs < MinCheckIntervalUs)
        return;
    World().lastCheckUs = now;
    UpdateChanged();
    Fl::check();
}

void ProcessMessagesFor(int ms)
{
    using Clock = std::chrono::steady_clock;
    const auto end = Clock::now() + std::chrono::milliseconds(ms);
    for (;;) {
        UpdateChanged();
        double left = std::chrono::duration<double>(end - Clock::now()).count();
        if (left <= 0 || Application->Terminated())
            break;
        Fl::wait(left);
    }
    CountPump();
}

// A paced cycle waits here between passes: the events that arrived during
// the wait are handled, so the pass that follows need not look again.
void ProcessMessagesUntil(int64_t deadlineUs)
{
    for (;;) {
        UpdateChanged();
        const int64_t now = NowUs(), left = deadlineUs - now;
        if (left <= 0 || Application->Terminated()) {
            World().lastCheckUs = now;
            break;
        }
        Fl::wait(left / 1e6);
    }
}

// Without a window there is nothing to wait for.
void HandleMessage()
{
    UpdateChanged();
    if (Fl::first_window())
        Fl::wait();
    else
        Fl::check();
}

int64_t MonotonicUs() { return NowUs(); }

// Draws the window's widgets into an off-screen picture: what the screen
// shows, whatever covers the window.
bool CaptureForm(TForm &form, TPicture &picture)
{
    if (!form.native || !form.native->widget->visible())
        return false;
    UpdateChanged();
    Fl_Widget *window = form.native->widget;
    Fl_Image_Surface surface(window->w(), window->h());
    surface.set_current();
    surface.draw(window);
    Fl_RGB_Image *image = surface.image();
    Fl_Display_Device::display_device()->set_current();
    if (!image)
        return false;
    const int depth = image->d();
    const int stride = image->ld() ? image->ld() : image->w() * depth;
    const auto *data = reinterpret_cast<const uint8_t *>(image->data()[0]);
    picture.width = image->w();
    picture.height = image->h();
    picture.rgb.resize((size_t)picture.width * picture.height * 3);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            const uint8_t *p = data + (size_t)y * stride + (size_t)x * depth;
            uint8_t *out = &picture.rgb[((size_t)y * picture.width + x) * 3];
            for (int c = 0; c < 3; ++c)
                out[c] = depth >= 3 ? p[c] : p[0];
        }
    delete image;
    return true;
}

void ShowError(const char *message) { fl_alert("%s", message); }

// The file stays where it was written.
void FileSaved(const std::string &) {}
bool SavedFilesAreDownloads() { return false; }

} // namespace backend
