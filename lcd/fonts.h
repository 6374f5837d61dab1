// The three text fonts, built at compile time from pictures in
// font8x8.cpp, font5x7.cpp and font_tiny.cpp.
//
//  Font8x8   codes 32..138, 8 column bytes per glyph at (c - 32) * 8,
//            bit 0 the top row.
//  Font5x7   codes 32..130, 5 column bytes per glyph at (c - 32) * 5,
//            bit 7 the top row of the cell (always clear), bits 6..0 the
//            glyph's seven rows.
//  FontTiny  one run of 60 column bytes, bit 5 the top row down to bit 1;
//            "m" "K" "M" "N" "t" "." by name, then "0".."9" ":" ";" three
//            columns each from FontTinyDigitsStart.
#pragma once
#include <cstdint>

constexpr uint8_t Font8x8First = 32;
constexpr uint8_t Font8x8Last = 138;
constexpr uint8_t Font5x7First = 32;
constexpr uint8_t Font5x7Last = 130;

extern const uint8_t (&Font8x8)[856];
extern const uint8_t (&Font5x7)[495];
extern const uint8_t (&FontTiny)[60];

// One FontTiny glyph: where its columns start in the run and how far the
// character advances (its stored columns plus one blank column).
struct TinyGlyph {
    uint8_t start;
    uint8_t advance;
};
constexpr uint8_t FontTinyDigitsStart = 24;
constexpr TinyGlyph TinyGlyphM{0, 6};
constexpr TinyGlyph TinyGlyphK{5, 5};
constexpr TinyGlyph TinyGlyphBigM{9, 6};
constexpr TinyGlyph TinyGlyphN{14, 5};
constexpr TinyGlyph TinyGlyphT{18, 4};
constexpr TinyGlyph TinyGlyphPoint{21, 4};
// Characters the font lacks: a blank cell as wide as a digit (start 0xFF: no
// stored columns are read).
constexpr TinyGlyph TinyGlyphBlank{0xFF, 4};
