// The answers of qpx-run --serve: one line of JSON each, {"ok":true,...}
// or {"ok":false,"error":"..."}. The queries read the state record, the
// texts drawn into the frame and the frame itself as the last pass left
// them.
#pragma once
#include <string>
#include <string_view>

#include "host/readout/state_fields.h"

// text as a JSON string in double quotes. Bytes that are not UTF-8 become
// U+FFFD, so that the answer is always valid JSON.
std::string JsonString(std::string_view text);

std::string OkAnswer();
std::string ErrorAnswer(std::string_view message);

// get: {"ok":true,"value":1026}; an array without an index as a list of
// numbers, a screen by its name.
std::string FieldAnswer(const StateField &field, uint16_t index, bool whole);
// state: {"ok":true,"state":{"menuCursor":0,...}}, every field of the
// table but the frame buffer, which frame gives.
std::string StateAnswer();
// texts: {"ok":true,"texts":[{"x":0,"y":0,"text":"MAIN MENU"},...]}.
std::string TextsAnswer();
// frame: {"ok":true,"rows":["#..#",...],"base64":"..."}: 64 rows of 128
// dots from the top, '#' dark; and the 1024 frame bytes in their layout
// (lcd/frame_layout.h).
std::string FrameAnswer();
