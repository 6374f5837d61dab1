// Pictures in the source. Every glyph, digit and icon is written as rows of
// '#' (dark dot) and '.' (background), W characters per row, H rows, and is
// turned into the display's column bytes at compile time. A picture of the
// wrong size or with another character fails to compile.
//
// Two byte layouts are used:
//  - paged, bit 0 on top (the frame buffer's own layout): the byte of page p
//    and column c is at p * W + c and holds rows 8p..8p+7, bit 0 the top row;
//  - one byte per column, top row in a chosen high bit: row r is bit
//    (topBit - r), for fonts whose columns are stored top bit first.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <utility>

namespace bitmap_art {

// Not constexpr on purpose, and never defined: calling a function that is not
// constexpr while a constant is evaluated is a compile error, so a picture
// that reaches it fails to compile with a note pointing at that picture.
// Every table built with the functions below is a constexpr variable, so they
// run only at compile time; the picture arrays they read are constexpr too, as
// only a constexpr array may be read in a constant expression.
void PictureHasWrongSizeOrCharacter();

constexpr size_t Length(const char *text)
{
    size_t n = 0;
    while (text[n] != '\0')
        ++n;
    return n;
}

constexpr bool Dark(char c)
{
    if (c == '#')
        return true;
    if (c != '.')
        PictureHasWrongSizeOrCharacter();
    return false;
}

// One picture in paged layout: W * ceil(H / 8) bytes.
template <int W, int H> constexpr std::array<uint8_t, W *((H + 7) / 8)> Paged(const char *art)
{
    if (Length(art) != size_t(W * H))
        PictureHasWrongSizeOrCharacter();
    std::array<uint8_t, W *((H + 7) / 8)> out{};
    for (int r = 0; r < H; ++r)
        for (int c = 0; c < W; ++c)
            if (Dark(art[r * W + c]))
                out[(r / 8) * W + c] |= uint8_t(1u << (r % 8));
    return out;
}

// Draws one W x H picture into a larger paged table (tableWidth columns a
// page) with its top-left byte at page page0, column column0. Numeral strips,
// glyph slots and icon sheets are all assembled this way.
template <int W, int H, size_t N>
constexpr void PlacePaged(std::array<uint8_t, N> &table, int tableWidth, int page0, int column0,
                          const char *art)
{
    const auto picture = Paged<W, H>(art);
    for (int p = 0; p < (H + 7) / 8; ++p)
        for (int c = 0; c < W; ++c)
            table[(page0 + p) * tableWidth + column0 + c] = picture[p * W + c];
}

// N pictures of W x H (H at most 8) in one-byte-per-column layout, one after
// the other: N * W bytes. Row r of a picture is bit (topBit - r) when
// topBitFirst, else bit r.
template <int W, int H, size_t N>
constexpr std::array<uint8_t, W * N> Columns(const char *const (&arts)[N], bool topBitFirst, int topBit)
{
    static_assert(H <= 8, "a column byte holds at most eight rows");
    std::array<uint8_t, W * N> out{};
    for (size_t g = 0; g < N; ++g) {
        if (Length(arts[g]) != size_t(W * H))
            PictureHasWrongSizeOrCharacter();
        for (int r = 0; r < H; ++r)
            for (int c = 0; c < W; ++c)
                if (Dark(arts[g][r * W + c]))
                    out[g * W + c] |= uint8_t(1u << (topBitFirst ? topBit - r : r));
    }
    return out;
}

// The bytes of a constexpr table (such as the result of Columns) copied into
// a plain array with static storage, so that a table built from pictures can
// be published to other files as `const uint8_t (&Name)[N]`:
//   const uint8_t (&Font)[N] = bitmap_art::StaticBytes<FontColumns>::bytes;
template <const auto &Table,
          typename = std::make_index_sequence<std::tuple_size_v<std::remove_cvref_t<decltype(Table)>>>>
struct StaticBytes;
template <const auto &Table, size_t... I> struct StaticBytes<Table, std::index_sequence<I...>> {
    static constexpr uint8_t bytes[sizeof...(I)] = {Table[I]...};
};

} // namespace bitmap_art
