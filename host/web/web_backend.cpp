// The toolkit in a web page: every control of a shown form gets an element
// of the page (host/web/page_link.h), changes reach the elements whenever
// the program gives the browser its event loop back, and what the user does
// waits in the page's queue until the program takes it.
//
// The instrument's main cycle runs inside the ON click and returns only at
// OFF. The program is built with Asyncify, so that waiting here suspends the
// whole call stack, cycle and all, and lets the browser run: the running
// cycle gives the page its turn every few milliseconds, the idle window
// sleeps until an event or a timer is due.
#include <emscripten.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "host/readout/reading_order.h"
#include "host/saved_files.h"
#include "host/toolkit.h"
#include "host/web/page_link.h"

struct TNative {
    int32_t id;
    int64_t lastFireUs = 0; // timers: the time its firings have stood for so far
    int64_t nextDueUs = 0;
    int64_t caughtUpRound = 0;       // timers: the message round of its last catching-up firing
    uint64_t paintedVersion = ~0ull; // images: the pixels the page shows
};

namespace {

// The running cycle gives the page its turn after this much work: short
// enough that a click is taken at once and the display repaints smoothly,
// long enough that the round trip through the browser costs little.
constexpr int64_t SliceUs = 8000;
// Looking into the page's queue is a call into JavaScript; passes closer
// together than this leave their events for a later pass (a delay no one can
// notice), as the desktop window does.
constexpr int64_t MinCheckIntervalUs = 50;
// Waits shorter than this are yields: the browser stretches short timeouts
// to several milliseconds.
constexpr int64_t ShortestTimedWaitUs = 4000;
// A sleeping browser wakes up to a few milliseconds late. A cycle ahead of
// its pace by less than PacedSleepUs and this margin runs on, rather than
// yielding on every pass; further ahead it sleeps for its lead less the
// margin, so that waking late it is still on its pace, not a pass behind.
// Each wake-up costs far more than a pass: the fewer the better, as long as
// a key still takes no time anyone notices.
constexpr int64_t WakeMarginUs = 3000;
constexpr int64_t PacedSleepUs = 8000;
// A hidden page sleeps until it is shown again (or the page queues an
// event), however long that is: nothing runs meanwhile. Shown again, each
// timer is handed the time it missed in firings of at most MaxFiringUs,
// one every CatchUpRounds message rounds of the running cycle (at once
// while the instrument is off), and the cycle runs without pacing until
// they have caught up: the clock's timer moves the instrument's clock on
// by at most 6 s (x60) a firing, and the passes between two firings
// deliver its gates and second events (one each a pass), so that the
// clock never runs so far ahead of them that it stops short
// (ScaledClock::BacklogLimitMs) and the Hobbs meter counts the hidden time.
constexpr int64_t MaxFiringUs = 100000;
constexpr int64_t CatchUpRounds = 16;

// Never freed, so that it outlives every static form.
struct PageWorld {
    std::vector<TControl *> controls{nullptr}; // by id; 0 is no control
    std::vector<TControl *> changed;
    std::vector<TTimer *> timers;
    int64_t lastCheckUs = 0, lastYieldUs = 0;
    // The page is hidden: its next turn sleeps until it is shown.
    bool hidden = false;
    // A timer still has missed time to be handed (MaxFiringUs).
    bool catchingUp = false;
    int64_t passRounds = 0; // message rounds of the running cycle, ever
    // Rates for the page's statistics.
    int64_t rateStartUs = 0;
    double rounds = 0, repaints = 0;
};

PageWorld &World()
{
    static PageWorld *world = new PageWorld;
    return *world;
}

int64_t NowUs() { return (int64_t)(emscripten_get_now() * 1000.0); }

EM_JS(int, qpx_page_hidden, (), { return document.hidden ? 1 : 0; });

int32_t Rgb(TColor c) { return c.r << 16 | c.g << 8 | c.b; }

TControl *ControlById(int32_t id)
{
    auto &controls = World().controls;
    return id > 0 && (size_t)id < controls.size() ? controls[(size_t)id] : nullptr;
}

TForm *FormById(int32_t id)
{
    TControl *control = ControlById(id);
    return control && control->Kind() == TControlKind::Form ? static_cast<TForm *>(control) : nullptr;
}

int32_t IdOf(const TControl *control) { return control && control->native ? control->native->id : 0; }

// What the page shows as the control's caption: a spin box's value, a
// choice list's lines.
std::string PageCaption(const TControl &control)
{
    if (control.Kind() == TControlKind::SpinEdit)
        return static_cast<const TSpinEdit &>(control).Text();
    if (control.Kind() != TControlKind::ComboBox)
        return control.Caption();
    std::string lines;
    for (const std::string &item : static_cast<const TComboBox &>(control).Items())
        lines += (lines.empty() ? "" : "\n") + item;
    return lines;
}

// Brings the page's element up to date with its control.
void Update(TControl &control)
{
    control.changed = false;
    if (!control.native)
        return;
    const int32_t id = control.native->id;
    int32_t value = 0, min = 0, max = 0;
    if (control.Kind() == TControlKind::TrackBar) {
        auto &bar = static_cast<TTrackBar &>(control);
        value = bar.Position();
        min = bar.Min();
        max = bar.Max();
    } else if (control.Kind() == TControlKind::CheckBox) {
        value = static_cast<TCheckBox &>(control).Checked();
    } else if (control.Kind() == TControlKind::ComboBox) {
        value = static_cast<TComboBox &>(control).ItemIndex();
    }
    qpx_page_set_texts(id, PageCaption(control).c_str(), control.Hint().c_str());
    qpx_page_set_state(id, control.Visible(), Rgb(control.Color()), value, min, max);
    if (control.Kind() != TControlKind::Image)
        return;
    auto &image = static_cast<TImage &>(control);
    if (image.Version() == control.native->paintedVersion)
        return;
    control.native->paintedVersion = image.Version();
    if (!image.Empty()) {
        // The page takes 0x00RRGGBB words; the image keeps them so.
        std::vector<uint32_t> pixels;
        image.CopyIfChanged(pixels);
        qpx_page_paint(id, pixels.data(), image.PictureWidth(), image.PictureHeight());
        ++World().repaints;
        // The texts of the frame painted, for the page's text alternative
        // (the page holds the collecting from its start).
        if (CollectingDrawnTexts())
            qpx_page_display_texts(id, DrawnTextsInReadingOrder(DrawnTexts()).c_str());
    } else if (!image.Jpeg().empty()) {
        qpx_page_show_jpeg(id, image.Jpeg().data(), (int32_t)image.Jpeg().size());
    }
}

void UpdateChanged()
{
    auto &changed = World().changed;
    for (size_t i = 0; i < changed.size(); ++i)
        Update(*changed[i]);
    changed.clear();
}

void CreateElements(TControl &control, int32_t parent, int32_t form)
{
    auto &world = World();
    if (!control.native) {
        control.native = new TNative{(int32_t)world.controls.size()};
        world.controls.push_back(&control);
        const TRect &b = control.Bounds();
        const auto *label = control.Kind() == TControlKind::Label ? static_cast<TLabel *>(&control) : nullptr;
        const int32_t look = !label                ? LabelLookNormal
                             : label->FixedPitch() ? LabelLookFixedPitch
                             : label->Large()      ? LabelLookLarge
                                                   : LabelLookNormal;
        qpx_page_create(control.native->id, parent, form, (int32_t)control.Kind(), b.left, b.top, b.width,
                        b.height, look);
        if (control.Kind() == TControlKind::Form)
            form = control.native->id;
        Update(control);
    }
    for (TControl *child : control.Children())
        CreateElements(*child, control.native->id, form ? form : control.native->id);
}

// Hands one queued event to its control or form. Events for controls that
// no longer exist are dropped.
void Deliver(int32_t kind, const int32_t *f)
{
    switch (kind) {
    case PageClick:
        if (TControl *control = ControlById(f[0]))
            control->Click();
        break;
    case PageSlider:
        if (TControl *control = ControlById(f[0]); control && control->Kind() == TControlKind::TrackBar)
            static_cast<TTrackBar *>(control)->SetPosition(f[1]);
        break;
    case PageCheckBox:
        if (TControl *control = ControlById(f[0]); control && control->Kind() == TControlKind::CheckBox)
            static_cast<TCheckBox *>(control)->SetChecked(f[1] != 0);
        break;
    case PageSpinText: {
        char text[64];
        qpx_page_event_text(text, sizeof text);
        if (TControl *control = ControlById(f[0]); control && control->Kind() == TControlKind::SpinEdit)
            static_cast<TSpinEdit *>(control)->SetText(text);
        break;
    }
    case PageSpinStep:
        if (TControl *control = ControlById(f[0]); control && control->Kind() == TControlKind::SpinEdit)
            static_cast<TSpinEdit *>(control)->StepBy(f[1]);
        break;
    case PageChoice:
        if (TControl *control = ControlById(f[0]); control && control->Kind() == TControlKind::ComboBox)
            static_cast<TComboBox *>(control)->SetItemIndex(f[1]);
        break;
    case PageKey:
        if (TForm *form = FormById(f[0]))
            form->KeyPressed({f[1], f[2] != 0, f[3] != 0}, ControlById(f[4]));
        break;
    case PageWheel:
        if (TForm *form = FormById(f[0]); form && form->OnWheel)
            form->OnWheel(f[1], f[2], f[3]);
        break;
    case PageCloseForm:
        if (TForm *form = FormById(f[0]))
            form->Close();
        break;
    case PageOpenFile: {
        // The page's copy of a file the user chose or dropped. The form
        // reads it whole while it opens it, so the copy is removed then: a
        // long recording would otherwise hold its memory for as long as the
        // page is open.
        char path[512];
        qpx_page_event_text(path, sizeof path);
        if (TForm *form = FormById(f[0]); form && form->OnOpenFile)
            form->OnOpenFile(path);
        std::remove(path);
        break;
    }
    default:
        break;
    }
}

// Every event the page has queued, in order; each may run for long (ON runs
// the instrument until OFF), and the events after it wait meanwhile.
void DeliverEvents()
{
    int32_t fields[PageEventFields];
    while (!Application->Terminated()) {
        const int32_t kind = qpx_page_next_event(fields);
        if (kind == PageNoEvent)
            break;
        Deliver(kind, fields);
    }
}

// Fires each enabled timer whose interval has passed with the time it
// stands for, at most MaxFiringUs: a timer further behind (the page slept
// while hidden) stays due and is handed the rest in further firings, one
// per call while passes run (passes), spaced by CatchUpRounds rounds, or
// all in this call while none do. A timer may create or destroy timers
// while it fires: the list is walked by position and looked at again after
// each.
void FireDueTimers(int64_t now, bool passes)
{
    PageWorld &world = World();
    auto &timers = world.timers;
    world.catchingUp = false;
    for (size_t i = 0; i < timers.size(); ++i) {
        TTimer *timer = timers[i];
        TNative &native = *timer->native;
        if (!timer->Enabled() || now < native.nextDueUs)
            continue;
        const int64_t behind = now - native.lastFireUs;
        if (behind > MaxFiringUs && passes && world.passRounds - native.caughtUpRound < CatchUpRounds) {
            world.catchingUp = true;
            continue;
        }
        const int64_t elapsed = std::min(behind, MaxFiringUs);
        native.lastFireUs += elapsed;
        native.caughtUpRound = world.passRounds;
        const int64_t interval = (int64_t)timer->Interval() * 1000;
        native.nextDueUs = elapsed < behind ? now : std::max(native.nextDueUs + interval, now);
        world.catchingUp |= elapsed < behind;
        timer->Fire(elapsed);
        // Without passes the rest is handed at once, this timer again.
        if (!passes && elapsed < behind && timer->Enabled() && i < timers.size() && timers[i] == timer)
            --i;
    }
}

// Microseconds until the next timer is due; -1: none is enabled.
int64_t UntilNextTimerUs()
{
    int64_t next = -1;
    const int64_t now = NowUs();
    for (TTimer *timer : World().timers)
        if (timer->Enabled()) {
            const int64_t left = std::max<int64_t>(0, timer->native->nextDueUs - now);
            next = next < 0 ? left : std::min(next, left);
        }
    return next;
}

// The page's turn: it shows what changed and takes the user's input;
// resumed after at most us microseconds (-1: when an event arrives).
// Hidden, the page sleeps until it is shown again or an event arrives.
void GivePageItsTurn(int64_t us)
{
    PageWorld &world = World();
    UpdateChanged();
    if (world.hidden)
        qpx_page_wait(-1);
    else
        qpx_page_wait(us < 0 ? -1 : us < ShortestTimedWaitUs ? 0 : (int32_t)(us / 1000));
    world.lastYieldUs = NowUs();
    world.hidden = qpx_page_hidden() != 0;
}

// Passes the rates of the last second to the page, once a second.
void ReportRates(int64_t now)
{
    PageWorld &world = World();
    if (now - world.rateStartUs < 1000000)
        return;
    const double seconds = (double)(now - world.rateStartUs) / 1e6;
    qpx_page_rates(world.rounds / seconds, world.repaints / seconds);
    world.rounds = world.repaints = 0;
    world.rateStartUs = now;
}

} // namespace

namespace backend {

void ControlCreated(TControl &) {}

void ControlDestroyed(TControl &control)
{
    auto &changed = World().changed;
    changed.erase(std::remove(changed.begin(), changed.end(), &control), changed.end());
    if (!control.native)
        return;
    World().controls[(size_t)control.native->id] = nullptr;
    qpx_page_remove(control.native->id);
    delete control.native;
    control.native = nullptr;
}

void ControlChanged(TControl &control)
{
    if (!control.native) {
        control.changed = false;
        return;
    }
    World().changed.push_back(&control);
}

void TimerCreated(TTimer &timer)
{
    const int64_t now = NowUs();
    timer.native = new TNative{0, now, now + (int64_t)timer.Interval() * 1000};
    World().timers.push_back(&timer);
}

void TimerEnabledChanged(TTimer &timer)
{
    const int64_t now = NowUs();
    timer.native->lastFireUs = now;
    timer.native->nextDueUs = now + (int64_t)timer.Interval() * 1000;
}

void TimerDestroyed(TTimer &timer)
{
    auto &timers = World().timers;
    timers.erase(std::remove(timers.begin(), timers.end(), &timer), timers.end());
    delete timer.native;
    timer.native = nullptr;
}

void Initialize()
{
    World().rateStartUs = NowUs();
    World().lastYieldUs = NowUs();
}

void ShowForm(TForm &form)
{
    CreateElements(form, 0, 0);
    UpdateChanged();
    qpx_page_show_form(form.native->id, IdOf(form.besideForm));
}

void HideForm(TForm &form)
{
    if (form.native)
        qpx_page_hide_form(form.native->id);
}

// The page never closes: the program waits for events for as long as it is
// open.
void Run()
{
    while (!Application->Terminated())
        HandleMessage();
}

// Called on every pass of the running cycle: the queue and the timers are
// looked at every MinCheckIntervalUs, the page gets its turn every SliceUs.
void ProcessMessages()
{
    PageWorld &world = World();
    ++world.rounds;
    ++world.passRounds;
    const int64_t now = NowUs();
    if (now - world.lastCheckUs < MinCheckIntervalUs)
        return;
    world.lastCheckUs = now;
    ReportRates(now);
    if (now - world.lastYieldUs >= SliceUs)
        GivePageItsTurn(0);
    DeliverEvents();
    FireDueTimers(NowUs(), true);
}

// The pace of a limited cycle (KeepPace). A wait the browser cannot time
// is not waited (nor any while a timer catches up after a hidden page's
// sleep: the cycle runs free until it has): the passes due run on, and the
// first wait long enough sleeps, up to the margin before the deadline. A
// timer due sooner than PacedSleepUs fires a little late.
void ProcessMessagesUntil(int64_t deadlineUs)
{
    for (;;) {
        DeliverEvents();
        FireDueTimers(NowUs(), true);
        const int64_t left = deadlineUs - NowUs() - WakeMarginUs;
        if (left < PacedSleepUs || World().catchingUp || Application->Terminated())
            break;
        const int64_t timer = UntilNextTimerUs();
        GivePageItsTurn(timer < 0 ? left : std::min(left, std::max(timer, PacedSleepUs)));
    }
}

// The splash's frames: waited whole, as ever.
void ProcessMessagesFor(int ms)
{
    const int64_t deadlineUs = NowUs() + (int64_t)ms * 1000;
    for (;;) {
        DeliverEvents();
        FireDueTimers(NowUs(), true);
        const int64_t left = deadlineUs - NowUs();
        if (left <= 0 || Application->Terminated())
            break;
        const int64_t timer = UntilNextTimerUs();
        GivePageItsTurn(timer < 0 ? left : std::min(left, timer));
    }
    ++World().rounds;
    ReportRates(NowUs());
}

// Waits for an event or the next timer, then handles what is pending.
void HandleMessage()
{
    GivePageItsTurn(UntilNextTimerUs());
    DeliverEvents();
    FireDueTimers(NowUs(), false);
}

int64_t MonotonicUs() { return NowUs(); }

bool CaptureForm(TForm &form, TPicture &picture)
{
    if (!form.native || !form.Visible())
        return false;
    UpdateChanged();
    const int width = form.Bounds().width, height = form.Bounds().height;
    std::vector<uint8_t> rgba((size_t)width * height * 4);
    if (!qpx_page_capture(form.native->id, rgba.data(), width, height))
        return false;
    picture.width = width;
    picture.height = height;
    picture.rgb.resize((size_t)width * height * 3);
    for (size_t i = 0; i < (size_t)width * height; ++i)
        std::copy_n(&rgba[4 * i], 3, &picture.rgb[3 * i]);
    return true;
}

void ShowError(const char *message) { fprintf(stderr, "qpx-sim: %s\n", message); }

// The page is zoomed by the browser.
void FormZoomChanged(TForm &) {}
double LargestZoom(const TForm &) { return 1e9; }

void FileSaved(const std::string &path) { qpx_page_offer_file(path.c_str()); }
bool SavedFilesAreDownloads() { return true; }

} // namespace backend
