// Drives the in-memory window from tests as a user would, without a display.
//
// Clicks, slider moves, check-box ticks, window closing and timer ticks are
// queued and reach the form's handlers only when the application processes
// its messages: inside PumpMessages while the instrument runs, or when the
// test itself calls Application->ProcessMessages() while it is off, which
// stands for the window's idle message loop.
#pragma once
#include <functional>

#include "host/toolkit.h"

namespace headless {

// Forgets every queued event, timer hook and the virtual clock's time.
void Reset();

void Click(TControl &control);
void MoveSlider(TTrackBar &slider, int position);
void SetTicked(TCheckBox &box, bool ticked);
// The user closes the window (the window manager's close button).
void CloseWindow(TForm &form);

// Advances the virtual clock and queues every timer tick that falls due, in
// time order.
void AdvanceClock(int ms);

// Called at the start of every message processing, before queued events are
// delivered: a test's script of what the user does while the cycle runs.
void OnProcessMessages(std::function<void()> hook);

// Number of events waiting for delivery.
int PendingEvents();
// Number of times the application processed its messages.
long MessageRounds();
// How many message processings are running, one inside the other.
int MessageDepth();

} // namespace headless
