#include "host/form/display_look.h"

#include <algorithm>

namespace {

// The unlit panel: the backlit one's blue-grey with most of its colour and
// some of its light gone.
constexpr TColor UnlitPanel{140, 146, 144};

uint8_t Mix(uint8_t from, uint8_t to, int part, int whole)
{
    return (uint8_t)((from * (whole - part) + to * part + whole / 2) / whole);
}

TColor Mix(TColor from, TColor to, int part, int whole)
{
    return {Mix(from.r, to.r, part, whole), Mix(from.g, to.g, part, whole), Mix(from.b, to.b, part, whole)};
}

} // namespace

DisplayColours LookColours(DisplayLook look)
{
    const int contrast = std::min<int>(look.contrast, 63);
    TColor panel = look.backlit ? clInactiveBorder : UnlitPanel;
    TColor dot = clBlack;
    const int full = DefaultLook.contrast;
    if (contrast < full) {
        // At 0 the dots keep a quarter of their darkness.
        dot = Mix(panel, clBlack, full + 3 * contrast, 4 * full);
    } else {
        // At 63 the panel has taken on a third of the dots' darkness.
        panel = Mix(panel, clBlack, contrast - full, 3 * (63 - full));
    }
    return {dot, panel};
}
