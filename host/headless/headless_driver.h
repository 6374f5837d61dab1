// Drives the in-memory window from tests as a user would, without a display.
//
// Clicks, key presses, wheel turns, slider moves, check-box ticks, window
// closing and timer ticks are
// queued and reach the form's handlers only when the application processes
// its messages: inside PumpMessages while the instrument runs, or when the
// test itself calls Application->ProcessMessages() while it is off, which
// stands for the window's idle message loop.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "host/toolkit.h"

namespace headless {

// Forgets every queued event, timer hook and the virtual clock's time.
void Reset();

void Click(TControl &control);
void MoveSlider(TTrackBar &slider, int position);
void SetTicked(TCheckBox &box, bool ticked);
// The user types text into the spin box and leaves it (Enter, Tab).
void TypeInto(TSpinEdit &spin, const std::string &text);
// The user clicks the spin box's arrows (or turns the wheel over it) steps
// times up, negative: down.
void StepSpin(TSpinEdit &spin, int steps);
// The user picks line index of the list.
void ChooseItem(TComboBox &box, int index);
// The user closes the window (the window manager's close button).
void CloseWindow(TForm &form);

// A key pressed while the form has the keyboard: the form's OnKey sees it
// first; a key it does not take goes to the focused control, which acts on
// it as the stock controls do (a button clicks on Space or Enter, a check box
// toggles on Space, a slider moves one step on an arrow).
void PressKey(TForm &form, int key, bool repeat = false, bool ctrlOrAlt = false);
// The mouse wheel turned over the form at x, y (negative notches: away from
// the user).
void TurnWheel(TForm &form, int x, int y, int notches);
// A file manager drops text onto the form: file URIs or paths, one a line
// (TForm::FilesDropped).
void DropFiles(TForm &form, const std::string &text);
// The file chooser answers every question with path ("": the user
// cancelled), and counts the questions; until this is called (and after
// Reset) there is no file chooser, as in a backend without one.
void AnswerFileChooser(const std::string &path);
// How many times the file chooser was opened since AnswerFileChooser.
int FileChooserQuestions();
// Gives the keyboard focus to a control (nullptr: none, the default).
void Focus(TControl *control);
TControl *FocusedControl();

// Advances the virtual clock and queues every tick of the enabled timers
// that falls due, in time order; each tick stands for one whole interval.
void AdvanceClock(int ms);
// The virtual clock's time since Reset.
int64_t NowMs();
// true: time the window spends pacing (ProcessMessagesFor, after each splash
// pass) advances the virtual clock and delivers the ticks due in it, as it
// does live. false (the default after Reset): the clock moves only by
// AdvanceClock.
void SetPacingAdvancesClock(bool advances);

// Called at the start of every message processing, before queued events are
// delivered: a test's script of what the user does while the cycle runs.
void OnProcessMessages(std::function<void()> hook);

// Number of events waiting for delivery.
int PendingEvents();
// Number of times the application processed its messages.
int64_t MessageRounds();
// How many message processings are running, one inside the other.
int MessageDepth();

} // namespace headless
