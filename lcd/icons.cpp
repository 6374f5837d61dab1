#include "lcd/icons.h"

#include "instrument/state.h"
#include "lcd/bitmaps.h"

namespace {

constexpr int IconSize = 32;
constexpr int IconPages = IconSize / 8;
constexpr int IconsPerSheet = 8;
constexpr int IconCount = 2 * IconsPerSheet;
constexpr int Stride = LcdWidth;
constexpr int DestinationColumn = 10;

} // namespace

void LcdDrawIcon(uint8_t icon)
{
    if (icon >= IconCount)
        return;
    const uint8_t *sheet = icon < IconsPerSheet ? IconSheetA.data() : IconSheetB.data();
    const int m = icon % IconsPerSheet;
    const int sourcePage = m < 4 ? 0 : IconPages;
    const int sourceColumn = IconSize * (m % 4);
    // The question icon sits one page higher than the others.
    const int destinationPage = icon == IconQuestion ? 1 : 2;
    // Whole bytes are copied, so the icon's background clears what was there.
    for (int p = 0; p < IconPages; ++p)
        for (int c = 0; c < IconSize; ++c)
            state.lcdFrame[(destinationPage + p) * Stride + DestinationColumn + c] =
                sheet[(sourcePage + p) * Stride + sourceColumn + c];
}
