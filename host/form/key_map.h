// The simulator's keyboard: one table binds every key to a form action. The
// same table fills the key map window, the hint in the status bar and the
// controls' tooltips, so what is shown is always what is bound.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "host/form/form_actions.h"

// A key pressed together with Ctrl, as the table binds it: CtrlKey('o').
constexpr int CtrlKey(int key) { return 0x10000 | key; }

struct KeyBinding {
    int key;                 // a TKey code, the character the key types, or a CtrlKey
    const char *keyName;     // as the user reads it: "F1", "Up", "Shift+Q"
    FormAction action;       // what the key does, as the click it stands for
    int16_t step;            // slider keys: the step, negative downwards
    bool repeats;            // the keyboard's auto-repeat acts again
    const char *description; // the key map window, tooltips
    const char *hint;        // word for the status bar's hint, or nullptr
};

extern const KeyBinding KeyMap[];
extern const size_t KeyMapSize;

// The binding of a key; nullptr when the key is not bound.
const KeyBinding *FindKeyBinding(int key);

// Where a slider key moves the slider from position: to the next multiple of
// the step in its direction (1 goes up to 10, or down to 0, with steps of 10).
int SliderStepTarget(int position, int step);

// One line of the key map window: the keys that do the same thing and what
// they do, in the order of the table, under headings (a line with only the
// heading as its keys) separated by empty lines.
struct KeyMapLine {
    std::string keys; // "Up, Right, +"
    std::string description;
};
std::vector<KeyMapLine> KeyMapLines();

// The keys of an action for a tooltip: "F1", or with slider steps
// "Q +10, A -10, Shift+Q +100, Shift+A -100".
std::string KeysOfAction(FormAction action);

// The status bar's hint: "F1/F2 keys  Up/Down knob  ..." from the hint words.
std::string KeyHint();
