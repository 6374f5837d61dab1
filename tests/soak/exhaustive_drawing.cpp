#include "exhaustive_drawing.h"

#include <cstdio>
#include <random>

#include "tests/lcd/drawing_sweep.h"

using drawing_sweep::Args;
using drawing_sweep::Primitive;

// Each character alone (the numerals: each of theirs; lines and rectangles:
// 16 random far corners) at every x and y 0..255 in every mode, on a frame
// made afresh for each character.
int SweepDrawingExhaustively(uint64_t seed)
{
    std::mt19937_64 random(seed);
    uint8_t frame[LcdFrameBytes];
    for (const Primitive &p : drawing_sweep::Primitives) {
        const char *alphabet = p.alphabet ? p.alphabet : "";
        int characters = p.alphabet ? (*alphabet ? (int)strlen(alphabet) : 16) : 255;
        long draws = 0;
        for (int i = 0; i < characters; ++i) {
            for (uint8_t &byte : frame)
                byte = (uint8_t)random();
            char code = p.alphabet ? alphabet[*alphabet ? i : 0] : char(i + 1);
            int32_t x1 = int32_t(random() % 900) - 300, y1 = int32_t(random() % 900) - 300;
            for (uint8_t mode = 0; mode < p.modes; ++mode)
                for (int32_t y = 0; y < 256; ++y)
                    for (int32_t x = 0; x < 256; ++x, ++draws) {
                        Args a{x, y, x1, y1, mode, {code}};
                        if (!SameBytes(p, a, frame)) {
                            printf("drawing: differs from the dot-by-dot drawing: %s\n",
                                   Describe(p, a).c_str());
                            return 1;
                        }
                    }
        }
        printf("drawing: %s, %ld draws the same\n", p.name, draws);
        fflush(stdout);
    }
    return 0;
}
