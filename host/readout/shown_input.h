// Input from a file as a message shows it: on one line, control characters
// written as \n, \t, \r or \xNN, and cut after a number of characters
// (never inside one) with "...", so that no file can stretch a message over
// several lines or megabytes.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

constexpr size_t ShownInputCharacters = 40;

std::string ShownInput(std::string_view input, size_t maxCharacters = ShownInputCharacters);
// The same in double quotes: "word", "a very long wor...".
std::string QuotedInput(std::string_view input);
