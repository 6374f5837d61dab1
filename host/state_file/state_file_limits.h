// What the text of a state file may hold before the TOML reader sees it. A
// state file is small and flat: a few numbers, two small tables and a list
// of 24 entries. Anything far from that is refused here, in one pass over
// the bytes that needs no recursion, so that no file can exhaust the
// reader's stack or lead it down paths no state file takes:
// - at most StateFileMaxBytes bytes;
// - after an optional UTF-8 byte-order mark, outside strings and comments
//   only printable ASCII, tabs and line ends; inside them well-formed UTF-8;
//   no control character other than tab and the line ends anywhere;
// - tables and lists nested at most StateFileMaxNesting levels deep, each
//   part of a table header or a dotted key counting as a level.
// What passes may still be bad TOML: the reader says so then.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

constexpr size_t StateFileMaxBytes = 64 * 1024;
constexpr int StateFileMaxNesting = 4;

// True when text keeps within the limits; otherwise false, with the line
// (from 1) where it first does not and why.
bool CheckStateFileText(std::string_view text, uint32_t *line, std::string *why);
