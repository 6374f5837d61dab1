// The toolkit without a display: controls keep only their own state, user
// actions and timer ticks wait in a queue until messages are processed.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <deque>

#include "host/headless/headless_driver.h"
#include "host/saved_files.h"
#include "host/toolkit.h"

namespace {

struct QueuedEvent {
    const void *target; // the control or timer it is for
    std::function<void()> deliver;
};

struct TimerSlot {
    TTimer *timer;
    int64_t nextDueMs;
};

// Never freed, so that it outlives every static form.
struct HeadlessWorld {
    std::deque<QueuedEvent> queue;
    std::vector<TimerSlot> timers;
    TControl *focus = nullptr;
    int64_t nowMs = 0;
    int64_t rounds = 0;
    int depth = 0;
    bool pacingAdvancesClock = false;
    std::function<void()> hook;
    int chooserQuestions = 0;
};

HeadlessWorld &World()
{
    static HeadlessWorld *world = new HeadlessWorld;
    return *world;
}

void Queue(const void *target, std::function<void()> deliver)
{
    World().queue.push_back({target, std::move(deliver)});
}

void DeliverQueued()
{
    auto &queue = World().queue;
    while (!queue.empty()) {
        QueuedEvent event = std::move(queue.front());
        queue.pop_front();
        event.deliver();
    }
}

void Forget(const void *target)
{
    auto &queue = World().queue;
    queue.erase(
        std::remove_if(queue.begin(), queue.end(), [&](const QueuedEvent &e) { return e.target == target; }),
        queue.end());
}

} // namespace

namespace backend {

void ControlCreated(TControl &) {}
void ControlDestroyed(TControl &control)
{
    Forget(&control);
    if (World().focus == &control)
        World().focus = nullptr;
}
// Nothing to bring up to date: the controls' own state is all there is.
void ControlChanged(TControl &) {}

void TimerCreated(TTimer &timer) { World().timers.push_back({&timer, World().nowMs + timer.Interval()}); }

// A disabled timer loses the ticks it had queued; enabled again it starts a
// fresh interval.
void TimerEnabledChanged(TTimer &timer)
{
    for (auto &slot : World().timers)
        if (slot.timer == &timer)
            slot.nextDueMs = World().nowMs + timer.Interval();
    if (!timer.Enabled())
        Forget(&timer);
}

void TimerDestroyed(TTimer &timer)
{
    auto &timers = World().timers;
    timers.erase(
        std::remove_if(timers.begin(), timers.end(), [&](const TimerSlot &s) { return s.timer == &timer; }),
        timers.end());
    Forget(&timer);
}

void Initialize() {}
void ShowForm(TForm &) {}
void HideForm(TForm &) {}

void ProcessMessages()
{
    HeadlessWorld &world = World();
    ++world.rounds;
    ++world.depth;
    if (world.hook) {
        // The hook may replace itself; keep it alive while it runs.
        auto hook = world.hook;
        hook();
    }
    DeliverQueued();
    --world.depth;
}

void Run()
{
    while (!Application->Terminated() && !World().queue.empty())
        ProcessMessages();
}

// The window spends ms handling events. Here nothing happens, unless the
// pacing is to advance the clock: then the virtual clock moves on by ms and
// the timer ticks that fell due in it are handled, without a message round
// of their own.
void ProcessMessagesFor(int ms)
{
    if (!World().pacingAdvancesClock)
        return;
    headless::AdvanceClock(ms);
    DeliverQueued();
}
void ProcessMessagesUntil(int64_t) {}
// Nothing can arrive but what the test queues, so waiting would never end.
void HandleMessage() { ProcessMessages(); }
int64_t MonotonicUs() { return World().nowMs * 1000; }
bool CaptureForm(TForm &, TPicture &) { return false; }

void ShowError(const char *message) { fprintf(stderr, "error: %s\n", message); }

// Without a screen of its own, a zoom changes nothing drawn and any fits.
void FormZoomChanged(TForm &) {}
double LargestZoom(const TForm &) { return 1e9; }

// The file stays where it was written.
void FileSaved(const std::string &) {}
bool SavedFilesAreDownloads() { return false; }

} // namespace backend

namespace headless {

void Reset()
{
    HeadlessWorld &world = World();
    world.queue.clear();
    world.hook = nullptr;
    world.focus = nullptr;
    world.rounds = 0;
    world.depth = 0;
    world.nowMs = 0;
    world.pacingAdvancesClock = false;
    world.chooserQuestions = 0;
    Application->fileChooser = nullptr;
    for (auto &slot : world.timers)
        slot.nextDueMs = slot.timer->Interval();
}

void Click(TControl &control)
{
    Queue(&control, [&control] { control.Click(); });
}

void MoveSlider(TTrackBar &slider, int position)
{
    Queue(&slider, [&slider, position] { slider.SetPosition(position); });
}

void SetTicked(TCheckBox &box, bool ticked)
{
    Queue(&box, [&box, ticked] { box.SetChecked(ticked); });
}

void TypeInto(TSpinEdit &spin, const std::string &text)
{
    Queue(&spin, [&spin, text] { spin.SetText(text); });
}

void StepSpin(TSpinEdit &spin, int steps)
{
    Queue(&spin, [&spin, steps] { spin.StepBy(steps); });
}

void ChooseItem(TComboBox &box, int index)
{
    Queue(&box, [&box, index] { box.SetItemIndex(index); });
}

void Focus(TControl *control) { World().focus = control; }
TControl *FocusedControl() { return World().focus; }

void PressKey(TForm &form, int key, bool repeat, bool ctrlOrAlt)
{
    Queue(&form, [&form, key, repeat, ctrlOrAlt] {
        form.KeyPressed({key, repeat, ctrlOrAlt}, World().focus);
    });
}

void TurnWheel(TForm &form, int x, int y, int notches)
{
    Queue(&form, [&form, x, y, notches] {
        if (form.OnWheel)
            form.OnWheel(x, y, notches);
    });
}

void CloseWindow(TForm &form)
{
    Queue(&form, [&form] { form.Close(); });
}

void DropFiles(TForm &form, const std::string &text)
{
    Queue(&form, [&form, text] { form.FilesDropped(text); });
}

void AnswerFileChooser(const std::string &path)
{
    World().chooserQuestions = 0;
    Application->fileChooser = [path](const std::string &) {
        ++World().chooserQuestions;
        return path;
    };
}

int FileChooserQuestions() { return World().chooserQuestions; }

void AdvanceClock(int ms)
{
    HeadlessWorld &world = World();
    const int64_t end = world.nowMs + ms;
    for (;;) {
        TimerSlot *next = nullptr;
        for (auto &slot : world.timers)
            if (slot.timer->Enabled() && slot.nextDueMs <= end && (!next || slot.nextDueMs < next->nextDueMs))
                next = &slot;
        if (!next)
            break;
        TTimer *timer = next->timer;
        next->nextDueMs += timer->Interval();
        Queue(timer, [timer] { timer->Fire((int64_t)timer->Interval() * 1000); });
    }
    world.nowMs = end;
}

void OnProcessMessages(std::function<void()> hook) { World().hook = std::move(hook); }

int PendingEvents() { return (int)World().queue.size(); }

int64_t MessageRounds() { return World().rounds; }

int MessageDepth() { return World().depth; }

int64_t NowMs() { return World().nowMs; }

void SetPacingAdvancesClock(bool advances) { World().pacingAdvancesClock = advances; }

} // namespace headless
