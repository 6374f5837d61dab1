// qpx_soak --drawing: the byte-wise drawing against the dot-by-dot drawing
// over every primitive, mode, position and character code.
#pragma once
#include <cstdint>

// Prints each primitive's count of draws; returns 0 when every draw left the
// same frame both ways, else 1 after printing the first that did not.
int SweepDrawingExhaustively(uint64_t seed);
