// The state record as text for the live state view: every field in the order
// and groups of its declaration, named as in the field table (settings
// without their "settings." prefix, under their own heading; headings in
// capitals), arrays wrapped
// over several lines, the frame buffer summed up, screens by name.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

struct StateTextColumn {
    std::string text;  // lines joined by newlines
    size_t widestLine; // characters of its longest line with the widest values its fields can hold
};

// The groups in columns of at most maxLines lines (a group longer than that
// gets a column of its own).
std::vector<StateTextColumn> StateTextColumns(size_t maxLines);
