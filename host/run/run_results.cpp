#include "host/run/run_results.h"

#include <cstdint>
#include <cstdio>

std::string CheckLine(const std::string &file, const CheckRecord &check)
{
    std::string line =
        file + ":" + std::to_string(check.line) + ": expected " + check.expected + ", found " + check.found;
    for (size_t i = 0; i < check.pictures.size(); ++i)
        line += (i == 0 ? "; " : ", ") + check.pictures[i].shows + " in " + check.pictures[i].path;
    return line;
}

int ScriptResult::Passed() const
{
    int n = 0;
    for (const CheckRecord &check : checks)
        n += check.passed;
    return n;
}

int ScriptResult::Failed() const { return (int)checks.size() - Passed(); }

std::string SecondsText(double seconds)
{
    char text[32];
    snprintf(text, sizeof text, "%.3f", seconds);
    return text;
}

namespace {

// The length of the valid UTF-8 sequence at text[i], 0 when there is none:
// no overlong forms, no surrogates, nothing above U+10FFFF.
size_t SequenceLength(const std::string &text, size_t i)
{
    const auto byte = [&](size_t k) { return k < text.size() ? (uint8_t)text[k] : 0; };
    const uint8_t b0 = byte(i);
    const auto follows = [&](size_t k, uint8_t low, uint8_t high) {
        return byte(k) >= low && byte(k) <= high;
    };
    if (b0 < 0x80)
        return 1;
    if (b0 >= 0xC2 && b0 <= 0xDF)
        return follows(i + 1, 0x80, 0xBF) ? 2 : 0;
    if (b0 >= 0xE0 && b0 <= 0xEF) {
        const uint8_t low = b0 == 0xE0 ? 0xA0 : 0x80, high = b0 == 0xED ? 0x9F : 0xBF;
        return follows(i + 1, low, high) && follows(i + 2, 0x80, 0xBF) ? 3 : 0;
    }
    if (b0 >= 0xF0 && b0 <= 0xF4) {
        const uint8_t low = b0 == 0xF0 ? 0x90 : 0x80, high = b0 == 0xF4 ? 0x8F : 0xBF;
        return follows(i + 1, low, high) && follows(i + 2, 0x80, 0xBF) && follows(i + 3, 0x80, 0xBF) ? 4 : 0;
    }
    return 0;
}

} // namespace

std::string ValidUtf8(const std::string &text)
{
    std::string valid;
    for (size_t i = 0; i < text.size();) {
        size_t n = SequenceLength(text, i);
        if (n == 0) {
            valid += "\xEF\xBF\xBD";
            ++i;
        } else {
            valid.append(text, i, n);
            i += n;
        }
    }
    return valid;
}
