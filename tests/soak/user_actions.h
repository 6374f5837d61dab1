// What a user can do to the window, drawn from the random stream, and how
// each reaches the headless window.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "soak_random.h"

class TForm1;

enum class ActionKind {
    Key,            // value: the key code, clicked on its key area or knob button
    On,             // the ON button
    Off,            // the OFF button
    PressureSlider, // value: the position it is dragged to
    RpmSlider,      // value: the position it is dragged to
    CalibrateBox,   // value: 1 ticked, 0 not
    KeyFastBox,     // value: 1 ticked, 0 not
    Wait,           // value: milliseconds of the virtual clock
    CloseWindow,
};

struct UserAction {
    ActionKind kind;
    int value;
};

UserAction PickUserAction(SoakRandom &random);

// On a code entry screen with its first digit selected, the key presses that
// type code (four digits) as a user who knows it would: each digit turned up
// to its value, then the knob pressed. Empty on any other screen.
std::vector<UserAction> TypeCode(uint32_t code);

// "key KeyLeft", "pressure slider 4096", "wait 2300 ms".
std::string DescribeUserAction(const UserAction &action);

// Queues the action for the window's next message processing. A wait queues
// nothing: the caller hands its time to the clock pass by pass.
void QueueUserAction(TForm1 &form, const UserAction &action);
