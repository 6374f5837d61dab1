#include "host/readout/shown_input.h"

#include <cstdio>

// A byte that continues a UTF-8 character rather than starting one.
static bool IsContinuation(char c) { return ((unsigned char)c & 0xC0) == 0x80; }

std::string ShownInput(std::string_view input, size_t maxCharacters)
{
    std::string shown;
    size_t i = 0;
    for (size_t characters = 0; characters < maxCharacters && i < input.size(); ++characters) {
        const unsigned char c = (unsigned char)input[i++];
        if (c < 0x20 || c == 0x7F) {
            char escaped[8];
            snprintf(escaped, sizeof escaped, "\\x%02X", c);
            shown += c == '\n' ? "\\n" : c == '\t' ? "\\t" : c == '\r' ? "\\r" : escaped;
            continue;
        }
        shown += (char)c;
        while (i < input.size() && IsContinuation(input[i]))
            shown += input[i++];
    }
    return i < input.size() ? shown + "..." : shown;
}

std::string QuotedInput(std::string_view input) { return "\"" + ShownInput(input) + "\""; }
