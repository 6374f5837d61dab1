// The byte-wise drawing leaves the same frame as the dot-by-dot drawing, on
// random frames, over every position, mode and character code.
#include <gtest/gtest.h>

#include <random>

#include "drawing_sweep.h"

namespace {

using drawing_sweep::Args;
using drawing_sweep::Primitive;

std::mt19937 random(2026);

void RandomBytes(uint8_t (&frame)[LcdFrameBytes])
{
    for (uint8_t &byte : frame)
        byte = uint8_t(random());
}

// Starting with code `first` (if the primitive draws every code), up to
// maxLength characters from its alphabet; far corners anywhere a caller can
// reach, lines up to 300 dots beyond the edges.
void RandomText(const Primitive &p, Args &a, char first, int maxLength)
{
    int n = p.alphabet && !*p.alphabet ? 0 : 1 + int(random() % maxLength);
    for (int i = 0; i < n; ++i)
        a.text[i] = p.alphabet ? p.alphabet[random() % strlen(p.alphabet)]
                    : i        ? char(1 + random() % 255)
                               : first;
    a.text[n] = '\0';
    a.x1 = int32_t(random() % 900) - 300;
    a.y1 = int32_t(random() % 900) - 300;
}

// Every x and y 0..255 in every mode; the first character runs through every
// code many times over.
TEST(DrawingEquality, EveryPositionModeAndCode)
{
    uint8_t frame[LcdFrameBytes];
    for (const Primitive &p : drawing_sweep::Primitives)
        for (uint8_t mode = 0; mode < p.modes; ++mode) {
            RandomBytes(frame);
            for (int y = 0; y < 256; ++y)
                for (int x = 0; x < 256; ++x) {
                    Args a{x, y, 0, 0, mode, {}};
                    RandomText(p, a, char(1 + (x + 256 * y) % 255), 3);
                    ASSERT_TRUE(SameBytes(p, a, frame)) << Describe(p, a);
                }
        }
}

// Draws pile up on one frame, so later draws must win over earlier ones.
TEST(DrawingEquality, SeededRandomSweepOfOneMillionDraws)
{
    uint8_t frame[LcdFrameBytes];
    RandomBytes(frame);
    for (int i = 0; i < 1000000; ++i) {
        const Primitive &p = drawing_sweep::Primitives[random() % std::size(drawing_sweep::Primitives)];
        Args a{int32_t(random() % 256), int32_t(random() % 256), 0, 0, uint8_t(random() % p.modes), {}};
        RandomText(p, a, char(1 + random() % 255), 12);
        if (i % 2) { // lines may start anywhere too
            std::swap(a.x, a.x1);
            std::swap(a.y, a.y1);
        }
        ASSERT_TRUE(SameBytes(p, a, frame)) << "draw " << i << ": " << Describe(p, a);
        memcpy(frame, state.lcdFrame, LcdFrameBytes);
    }
}

} // namespace
