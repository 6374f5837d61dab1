// One datagram of a live engine feed: text lines of name=value pairs
// separated by blanks or line ends, with the names of the recordings'
// columns, such as "mp_inhg=25.3 rpm=2400". Other names are ignored. Nothing
// from the network is trusted: a datagram longer than MaxFeedDatagram, a
// value that is not a finite number of 0 or more, a name given twice, two
// pressure names, or neither a pressure nor rpm is refused.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

constexpr size_t MaxFeedDatagram = 1024;

struct FeedValues {
    double millibar; // NaN when the datagram has no pressure
    double rpm;      // NaN when it has no speed
};

// false with *why when the datagram cannot be used; *values then untouched.
bool ParseFeedDatagram(std::string_view datagram, FeedValues *values, std::string *why);
