// The corrupted mode: settings, key codes and the screens' scratch fields
// overwritten with values no screen produces, as a damaged store or a stray
// write could leave them. Only crashes, reads outside a table and sanitizer
// findings count then.
#pragma once
#include <string>

#include "soak_random.h"

// Overwrites one to three of those fields; returns what it wrote
// ("settings.pulsesPerRev = 0; pendingKey = 200").
std::string CorruptState(SoakRandom &random);
