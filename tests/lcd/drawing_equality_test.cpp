// The byte-wise drawing leaves the same frame as the dot-by-dot drawing, on
// random frames, over every position, mode and character code.
#include <gtest/gtest.h>

#include <random>

#include "drawing_sweep.h"

namespace {

using drawing_sweep::Args;
using drawing_sweep::Primitive;
using drawing_sweep::Primitives;

struct Sweep {
    std::mt19937 random{2026};
    uint8_t frame[LcdFrameBytes];

    void RandomFrame()
    {
        for (uint8_t &byte : frame)
            byte = uint8_t(random());
    }
    // Up to maxLength characters from the primitive's alphabet, far corners
    // anywhere a caller can reach, lines up to 300 dots beyond the edges.
    void RandomText(const Primitive &p, Args &a, int maxLength)
    {
        int n = p.alphabet && !*p.alphabet ? 0 : 1 + int(random() % maxLength);
        for (int i = 0; i < n; ++i)
            a.text[i] = p.alphabet ? p.alphabet[random() % strlen(p.alphabet)] : char(1 + random() % 255);
        a.text[n] = '\0';
        a.x1 = int32_t(random() % 900) - 300;
        a.y1 = int32_t(random() % 900) - 300;
    }
};

TEST(DrawingEquality, EveryPositionAndModeOfEveryPrimitive)
{
    Sweep sweep;
    for (const Primitive &p : Primitives)
        for (uint8_t mode = 0; mode < p.modes; ++mode) {
            sweep.RandomFrame();
            for (int y = 0; y < 256; ++y)
                for (int x = 0; x < 256; ++x) {
                    Args a{x, y, 0, 0, mode, {}};
                    sweep.RandomText(p, a, 3);
                    ASSERT_TRUE(SameBytes(p, a, sweep.frame)) << Describe(p, a);
                }
        }
}

// Every code alone at the corners and just beyond each edge.
TEST(DrawingEquality, EveryCharacterCodeAtTheEdges)
{
    Sweep sweep;
    sweep.RandomFrame();
    const int xs[] = {0, 1, 121, 127, 128, 250, 255}, ys[] = {0, 1, 57, 63, 64, 241, 249, 255};
    for (const Primitive &p : Primitives)
        for (int code = 1; code < 256 && !p.alphabet; ++code)
            for (uint8_t mode = 0; mode < p.modes; ++mode)
                for (int x : xs)
                    for (int y : ys) {
                        Args a{x, y, 0, 0, mode, {char(code)}};
                        ASSERT_TRUE(SameBytes(p, a, sweep.frame)) << Describe(p, a);
                    }
}

// Draws pile up on one frame, so later draws must win over earlier ones.
TEST(DrawingEquality, SeededRandomSweepOfOneMillionDraws)
{
    Sweep sweep;
    sweep.RandomFrame();
    for (int i = 0; i < 1000000; ++i) {
        const Primitive &p = Primitives[sweep.random() % std::size(Primitives)];
        Args a{int32_t(sweep.random() % 256),
               int32_t(sweep.random() % 256),
               0,
               0,
               uint8_t(sweep.random() % p.modes),
               {}};
        sweep.RandomText(p, a, 12);
        if (i % 2) { // lines may start anywhere too
            std::swap(a.x, a.x1);
            std::swap(a.y, a.y1);
        }
        ASSERT_TRUE(SameBytes(p, a, sweep.frame)) << "draw " << i << ": " << Describe(p, a);
        memcpy(sweep.frame, state.lcdFrame, LcdFrameBytes);
    }
}

} // namespace
