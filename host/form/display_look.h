// How the display looks for the instrument's backlight and contrast: the
// colours of a dark dot and of the panel behind the dots.
#pragma once
#include <cstdint>

#include "host/toolkit.h"

struct DisplayLook {
    bool backlit;
    uint8_t contrast; // the setting, 0..63
    bool operator==(const DisplayLook &) const = default;
};

// The instrument's defaults: the display as the window has always shown it,
// black dots on the light blue-grey panel.
constexpr DisplayLook DefaultLook{true, 32};

struct DisplayColours {
    TColor dot, panel;
};

// Below the default contrast the dots fade towards the panel; above it the
// dots stay black and the panel darkens a little. Without the backlight the
// panel is a darker, greyer unlit glass.
DisplayColours LookColours(DisplayLook look);
