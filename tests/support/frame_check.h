// Helpers for tests that look at the frame buffer.
#pragma once
#include <cstdint>
#include <string>

#include "host/readout/frame_pbm.h"
#include "support/hook_counts.h"

// Resets the whole state record to its program-start zeros, ends every
// hook subscription and counts the hooks' calls afresh (hook_counts.h).
void ResetInstrumentState();

// Compares state.lcdFrame dot for dot with the reference frame of name: a
// name "refs/<ref>" is scenarios/refs/<ref>.pbm, a frame the scenarios check
// too, any other name is tests/data/<name>.pbm, where name names the
// reference's folder too ("lcd/text_forms"). A missing or differing reference
// fails; the actual frame is then written to <build>/failed-frames/<name>.pbm
// and .png for review. Returns an empty string on a match, else a description
// of the difference.
std::string CompareFrameWithReference(const char *name);

// Writes state.lcdFrame to <build>/frames/<name>.png at 4x, for review.
void SaveFramePng(const char *name);

// A test expectation: the frame matches the reference frame of name. The
// frame is also written as a PNG for review.
void ExpectFrameMatches(const std::string &name);

// The same for the screens' tests: name is a reference in tests/data/screens
// ("log_menu_detect"), or "refs/<ref>" for one the scenarios check too.
void ExpectScreenFrame(const std::string &name);
