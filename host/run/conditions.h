// The conditions of the expect checks and of a lesson's await: whether one
// holds on the window now. Both ask here, so an await and an expect of the
// same condition can never disagree.
#pragma once
#include <string>

#include "host/run/script.h"

class TForm1;

// Whether the condition of an await (or of expect-text, expect or expect
// lamp) holds now, with what is there in found, worded as a failed check
// words it: the screen, the value, the lamp's colour, the drawn texts.
// await next always holds. Text is found among the drawn texts collected
// (host/readout/drawn_texts.h).
bool ConditionHolds(const Command &await, const TForm1 &form, std::string &found);

// The condition as a check words what it expected: "screen MainMenuScreen",
// "the text \"PRESSURE\" exactly", "hobbsHours 3", "lamp red", "next".
std::string ConditionText(const Command &command);
