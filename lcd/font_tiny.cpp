// The scale font: 3 x 5 numerals and a few letters for the labels beside the
// vertical pressure bar. Pictures have five rows, stored in bits 5 (top) to
// 1 of the column bytes. Only the glyphs' own columns are stored; the blank
// column after each glyph is added when drawing (see TinyGlyph advances).
#include <algorithm>

#include "lcd/bitmap_art.h"
#include "lcd/fonts.h"

namespace {

constexpr const char *SmallMArt[] = {
    // 'm'
    "....."
    "....."
    "#####"
    "#.#.#"
    "#.#.#",
};
constexpr const char *KArt[] = {
    // 'K'
    "#..#"
    "#.#."
    "##.."
    "#.#."
    "#..#",
};
constexpr const char *BigMArt[] = {
    // 'M'
    "#...#"
    "##.##"
    "#.#.#"
    "#...#"
    "#...#",
};
constexpr const char *NArt[] = {
    // 'N'
    "#..#"
    "##.#"
    "####"
    "#.##"
    "#..#",
};
// Three columns wide: 't', '.', then '0'..'9', ':' and ';' in code order so
// that a digit is found by position.
constexpr const char *NarrowArt[] = {
    // 't'
    ".#."
    "###"
    ".#."
    ".#."
    ".##",
    // '.'
    "..."
    "..."
    "..."
    "..."
    ".#.",
    // '0'
    "###"
    "#.#"
    "#.#"
    "#.#"
    "###",
    // '1'
    ".#."
    ".#."
    ".#."
    ".#."
    ".#.",
    // '2'
    "###"
    "..#"
    "###"
    "#.."
    "###",
    // '3'
    "###"
    "..#"
    "###"
    "..#"
    "###",
    // '4'
    "#.#"
    "#.#"
    "###"
    "..#"
    "..#",
    // '5'
    "###"
    "#.."
    "###"
    "..#"
    "###",
    // '6'
    "###"
    "#.."
    "###"
    "#.#"
    "###",
    // '7'
    "###"
    "..#"
    "..#"
    "..#"
    "..#",
    // '8'
    "###"
    "#.#"
    "###"
    "#.#"
    "###",
    // '9'
    "###"
    "#.#"
    "###"
    "..#"
    "..#",
    // ':' drawn as a plus sign
    "..."
    ".#."
    "###"
    ".#."
    "...",
    // ';' drawn as a minus sign
    "..."
    "..."
    "###"
    "..."
    "...",
};

template <size_t... N> constexpr auto Join(const std::array<uint8_t, N> &...parts)
{
    std::array<uint8_t, (N + ...)> out{};
    size_t at = 0;
    ((std::copy(parts.begin(), parts.end(), out.begin() + at), at += N), ...);
    return out;
}

constexpr auto FontTinyColumns =
    Join(bitmap_art::Columns<5, 5>(SmallMArt, true, 5), bitmap_art::Columns<4, 5>(KArt, true, 5),
         bitmap_art::Columns<5, 5>(BigMArt, true, 5), bitmap_art::Columns<4, 5>(NArt, true, 5),
         bitmap_art::Columns<3, 5>(NarrowArt, true, 5));

// The whole run, byte for byte, as the scale labels have always looked.
constexpr std::array<uint8_t, 60> FontTinyExpected = {
    0x0E, 0x08, 0x0E, 0x08, 0x0E, // m
    0x3E, 0x08, 0x14, 0x22,       // K
    0x3E, 0x10, 0x08, 0x10, 0x3E, // M
    0x3E, 0x18, 0x0C, 0x3E,       // N
    0x10, 0x3E, 0x12,             // t
    0x00, 0x02, 0x00,             // .
    0x3E, 0x22, 0x3E,             // 0
    0x00, 0x3E, 0x00,             // 1
    0x2E, 0x2A, 0x3A,             // 2
    0x2A, 0x2A, 0x3E,             // 3
    0x38, 0x08, 0x3E,             // 4
    0x3A, 0x2A, 0x2E,             // 5
    0x3E, 0x2A, 0x2E,             // 6
    0x20, 0x20, 0x3E,             // 7
    0x3E, 0x2A, 0x3E,             // 8
    0x38, 0x28, 0x3E,             // 9
    0x08, 0x1C, 0x08,             // :
    0x08, 0x08, 0x08,             // ;
};
static_assert(FontTinyColumns == FontTinyExpected);
static_assert(FontTinyColumns[TinyGlyphK.start] == 0x3E && FontTinyColumns[TinyGlyphN.start + 1] == 0x18 &&
              FontTinyColumns[TinyGlyphT.start] == 0x10 &&
              FontTinyColumns[TinyGlyphPoint.start + 1] == 0x02 &&
              FontTinyColumns[FontTinyDigitsStart + 1] == 0x22);

} // namespace

const uint8_t (&FontTiny)[60] = bitmap_art::StaticBytes<FontTinyColumns>::bytes;
