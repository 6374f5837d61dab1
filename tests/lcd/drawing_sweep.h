// The byte-wise drawing checked against the dot-by-dot drawing it replaced
// (lcd/dot_by_dot.h): both draw the same arguments on the same frame and must
// leave the same bytes. Shared by the tests and the soak's exhaustive sweep.
#pragma once
#include <cstdint>
#include <cstring>
#include <string>

#include "instrument/state.h"
#include "lcd/dot_by_dot.h"
#include "lcd/frame.h"
#include "lcd/numerals.h"
#include "lcd/text.h"

namespace drawing_sweep {

struct Args {
    int32_t x, y, x1, y1; // x1, y1: the far corner of lines and rectangles
    uint8_t mode;
    char text[TextBufferSize];
};

// What each primitive makes of mode: text its height and video (0..2 each,
// only 1 acts), small text where the highlight starts, lines a drawing mode
// (3 is none). alphabet: the characters worth drawing (null: every code).
struct Primitive {
    const char *name;
    uint8_t modes;
    const char *alphabet;
    void (*draw)(bool dotByDot, const Args &a);
};

inline const Primitive Primitives[] = {
    {"text", 9, nullptr,
     [](bool d, const Args &a) {
         uint8_t x = uint8_t(a.x), y = uint8_t(a.y), tall = a.mode % 3, inverse = a.mode / 3;
         d ? dot_by_dot::LcdDrawText(x, y, a.text, tall, inverse)
           : LcdDrawText(x, y, a.text, tall, 0, inverse);
     }},
    {"small text", 8, nullptr,
     [](bool d, const Args &a) {
         uint8_t from = a.mode < 6 ? a.mode : a.mode == 6 ? 100 : 255;
         const char *text = a.text; // the constant-text form, as the screens call it
         d ? dot_by_dot::LcdDrawSmallText(uint8_t(a.x), uint8_t(a.y), text, from)
           : LcdDrawSmallText(uint8_t(a.x), uint8_t(a.y), text, from);
     }},
    {"tiny text", 3, nullptr,
     [](bool d, const Args &a) {
         (d ? dot_by_dot::LcdDrawTinyText : LcdDrawTinyText)(uint8_t(a.x), uint8_t(a.y), a.text, a.mode);
     }},
    {"large numerals", 1, "0123456789.- +x",
     [](bool d, const Args &a) {
         (d ? dot_by_dot::LcdDrawLargeNumber : LcdDrawLargeNumber)(uint8_t(a.x), uint8_t(a.y), a.text);
     }},
    {"huge numerals", 1, "0123456789.- +x",
     [](bool d, const Args &a) {
         (d ? dot_by_dot::LcdDrawHugeNumber : LcdDrawHugeNumber)(uint8_t(a.x), uint8_t(a.y), a.text);
     }},
    {"line", 4, "",
     [](bool d, const Args &a) {
         (d ? dot_by_dot::LcdDrawLine : LcdDrawLine)(a.x, a.y, a.x1, a.y1, a.mode);
     }},
    {"rectangle", 4, "",
     [](bool d, const Args &a) {
         (d ? dot_by_dot::LcdDrawRect : LcdDrawRect)(uint8_t(a.x), uint8_t(a.y), uint8_t(a.x1), uint8_t(a.y1),
                                                     a.mode);
     }},
    {"filled rectangle", 4, "",
     [](bool d, const Args &a) {
         (d ? dot_by_dot::LcdFillRect : LcdFillRect)(uint8_t(a.x), uint8_t(a.y), uint8_t(a.x1), uint8_t(a.y1),
                                                     a.mode);
     }},
};

// Draws a both ways, each on a copy of frame; true when the bytes agree. The
// dot-by-dot result is left in state.lcdFrame.
inline bool SameBytes(const Primitive &p, const Args &a, const uint8_t *frame)
{
    uint8_t fast[LcdFrameBytes];
    memcpy(state.lcdFrame, frame, LcdFrameBytes);
    p.draw(false, a);
    memcpy(fast, state.lcdFrame, LcdFrameBytes);
    memcpy(state.lcdFrame, frame, LcdFrameBytes);
    p.draw(true, a);
    return memcmp(fast, state.lcdFrame, LcdFrameBytes) == 0;
}

inline std::string Describe(const Primitive &p, const Args &a)
{
    std::string codes;
    for (const char *c = a.text; *c != '\0'; ++c)
        codes += " " + std::to_string(uint8_t(*c));
    return std::string(p.name) + " mode " + std::to_string(a.mode) + " at " + std::to_string(a.x) + "," +
           std::to_string(a.y) + " to " + std::to_string(a.x1) + "," + std::to_string(a.y1) + " codes" +
           codes;
}

} // namespace drawing_sweep
