#include "screens/run_layouts.h"

#include "instrument/pressure.h"
#include "instrument/pressure_units.h"
#include "instrument/rpm.h"
#include "instrument/state.h"
#include "lcd/format.h"
#include "lcd/frame.h"
#include "lcd/numerals.h"
#include "lcd/text.h"
#include "screens/bar_scale.h"
#include "screens/run_texts.h"

// The layouts judge the alarm conditions from the present readings and
// thresholds, not from the alarm bits, so a reading blinks while its
// condition holds whether or not the alarm has been acknowledged. In alarm a
// reading (number and bar fill) shows only in the visible half of the blink
// cycle.
static bool PressureReadingVisible() { return !PressureAlarmCondition() || state.blinkPhase == 1; }
static bool RpmReadingVisible() { return !RpmAlarmCondition() || state.blinkPhase == 1; }

// A per-unit table entry; a unit outside the table takes the first entry.
static uint8_t ForUnit(const uint8_t (&table)[PressureUnitCount])
{
    uint8_t unit = state.settings.pressureUnit;
    return table[unit < PressureUnitCount ? unit : 0];
}

static void DrawVerticalAlarmMark(int32_t threshold, uint8_t row)
{
    char text[32];
    FormatPressure(text, threshold);
    LcdDrawTinyText(18, row, text, 0);
    LcdDrawLine(1, row, 16, row, PixelSet);
}

void DrawPressureBarVertical()
{
    const Settings &s = state.settings;
    int32_t base = BarBase(s.pressureSpan, s.pressureTopScale);
    float unitsPerDot = BarUnitsPerDot(s.pressureSpan, s.pressureTopScale, VerticalBarReciprocal);
    int32_t valueRow =
        state.pressureValue > s.pressureSpan ? 0 : BarRow(state.pressureValue, base, unitsPerDot);
    int32_t maxRow = state.pressureMax > s.pressureSpan ? 0 : BarRow(state.pressureMax, base, unitsPerDot);
    uint8_t lowRow = BarCoordinate(BarRow(s.pressureLowAlarm, base, unitsPerDot));
    uint8_t highRow = BarCoordinate(BarRow(s.pressureHighAlarm, base, unitsPerDot));

    LcdDrawRect(3, 0, 14, 61, PixelSet);
    if (valueRow > 61)
        valueRow = 61;
    if (s.pressureLowAlarmOn == 1 && s.pressureLowAlarm > base)
        DrawVerticalAlarmMark(s.pressureLowAlarm, lowRow);
    if (s.pressureHighAlarmOn == 1 && s.pressureHighAlarm > base)
        DrawVerticalAlarmMark(s.pressureHighAlarm, highRow);

    // Inverting the fill leaves alarm lines inside it light on the dark bar.
    if (PressureReadingVisible() && state.pressureValue > base)
        LcdFillRect(4, BarCoordinate(valueRow), 13, 60, PixelInvert);

    if (maxRow > 61)
        maxRow = 61;
    if (state.pressureMax >= base) {
        uint8_t row = BarCoordinate(maxRow);
        LcdDrawLine(3, row, 13, row, PixelSet);
        LcdDrawLine(0, row - 2, 0, row + 2, PixelSet); // triangle pointing right
        LcdDrawLine(1, row - 1, 1, row + 1, PixelSet);
        LcdSetPixel(2, row, PixelSet);
    }

    // The scale labels come last: they are opaque and win over alarm labels.
    char text[32];
    LcdDrawLine(10, 0, 16, 0, PixelSet);
    FormatPressure(text, s.pressureSpan);
    LcdDrawTinyText(18, 1, text, 0);
    LcdDrawLine(10, 61, 16, 61, PixelSet);
    FormatPressure(text, base);
    LcdDrawTinyText(18, 60, text, 0);
}

void DrawPressureBarHorizontal()
{
    const Settings &s = state.settings;
    int32_t base = BarBase(s.pressureSpan, s.pressureTopScale);
    float unitsPerDot = BarUnitsPerDot(s.pressureSpan, s.pressureTopScale, HorizontalBarReciprocal);
    int32_t valueColumn = BarColumn(state.pressureValue, base, unitsPerDot);
    if (state.pressureValue > s.pressureSpan)
        valueColumn = 127;
    else if (s.pressureTopScale && state.pressureValue < base)
        valueColumn = 0;
    int32_t maxColumn =
        state.pressureMax > s.pressureSpan ? 127 : BarColumn(state.pressureMax, base, unitsPerDot);
    uint8_t lowColumn = BarCoordinate(BarColumn(s.pressureLowAlarm, base, unitsPerDot));
    uint8_t highColumn = BarCoordinate(BarColumn(s.pressureHighAlarm, base, unitsPerDot));

    LcdDrawRect(0, 48, 127, 55, PixelSet);
    // Alarm ticks start one row above the frame.
    if (s.pressureHighAlarmOn == 1)
        LcdDrawLine(highColumn, 47, highColumn, 55, PixelSet);
    if (s.pressureLowAlarmOn == 1)
        LcdDrawLine(lowColumn, 47, lowColumn, 55, PixelSet);

    char text[32];
    LcdDrawLine(0, 45, 0, 48, PixelSet);
    FormatPressure(text, base);
    LcdDrawText(0, 57, text, 0, 0, 0);
    LcdDrawLine(127, 45, 127, 48, PixelSet);
    FormatPressureWide(text, s.pressureSpan);
    LcdDrawTextCentered(113, 57, text, 0, 0, 0);

    // A column of 0 gives an empty box: x0 > x1 draws nothing.
    if (PressureReadingVisible())
        LcdFillRect(1, 50, BarCoordinate(valueColumn), 53, PixelInvert);

    if (state.pressureMax >= base) {
        uint8_t column = BarCoordinate(maxColumn);
        LcdDrawLine(column, 47, column, 55, PixelSet);
        LcdDrawLine(column - 2, 45, column + 2, 45, PixelSet); // triangle pointing down
        LcdDrawLine(column - 1, 46, column + 1, 46, PixelSet);
        LcdSetPixel(column, 47, PixelSet);
    }
}

void DrawPercentSign()
{
    LcdDrawLine(110, 32, 118, 24, PixelSet);
    LcdDrawLine(110, 33, 119, 24, PixelSet);
    LcdFillRect(110, 24, 111, 25, PixelSet);
    LcdFillRect(117, 32, 118, 33, PixelSet);
}

static void DrawPressureNumberHuge(uint8_t x, uint8_t y)
{
    if (!PressureReadingVisible())
        return;
    char text[32];
    FormatPressureWide(text, state.pressureValue);
    LcdDrawHugeNumber(x, y, text);
}

void DrawPressureScreenVertical()
{
    LcdDrawTextCentered(state.settings.pressureUnit == UnitKgPerCm2 ? 103 : 113, 40, PressureUnitName(), 0, 0,
                        0);
    char text[32];
    FormatMaxText(text);
    LcdDrawTextCentered(82, 56, text, 0, 0, 0);
    DrawPressureBarVertical();
    static const uint8_t numberX[PressureUnitCount] = {35, 42, 42, 42, 42, 35, 25, 42};
    DrawPressureNumberHuge(ForUnit(numberX), 5);
}

void DrawPressureScreenHorizontal()
{
    DrawUnitLabel(110, 5, 2, 18, 1);
    char text[32];
    FormatMaxText(text);
    LcdDrawTextCentered(64, 36, text, 0, 0, 0);
    DrawPressureBarHorizontal();
    static const uint8_t numberX[PressureUnitCount] = {5, 11, 11, 9, 11, 5, 2, 11};
    DrawPressureNumberHuge(ForUnit(numberX), 3);
}

static void DrawRunningSpeed()
{
    char text[32];
    FormatFlightTime(text);
    LcdDrawText(0, 0, text, 0, 0, 0);
    FormatHobbsTime(text);
    LcdDrawText(72, 0, text, 0, 0, 0);

    if (RpmReadingVisible()) {
        FormatRpmReading(text);
        LcdDrawLargeNumber(10, 12, text);
    }
    // The percent sign stays while the number blinks.
    if (state.settings.rpmPercent != 0)
        DrawPercentSign();
}

static void DrawMagnetoCheck()
{
    LcdDrawTextCentered(64, 0, "** MAG CHECK **", 0, 0, 0);
    char text[32];
    if (FormatMagCheckDrop(text)) {
        // Five digits leave no room for the numeral minus: a bar left of them.
        LcdDrawLine(0, 21, 8, 21, PixelSet);
        LcdDrawLine(0, 22, 8, 22, PixelSet);
        LcdDrawLine(0, 23, 8, 23, PixelSet);
    }
    LcdDrawLargeNumber(10, 12, text);
    if (state.settings.rpmPercent != 0)
        DrawPercentSign();
}

void DrawRpmPressureScreen()
{
    if (state.magCheckTimer == 0)
        DrawRunningSpeed();
    else
        DrawMagnetoCheck();
    LcdDrawTextCentered(115, 14, "RPM", 0, 0, 0);

    DrawUnitLabel(115, 42, 42, 52, 0);
    if (PressureReadingVisible()) {
        static const uint8_t numberX[PressureUnitCount] = {28, 34, 34, 34, 34, 28, 28, 34};
        char text[32];
        FormatPressureWide(text, state.pressureValue);
        LcdDrawLargeNumber(ForUnit(numberX), 40, text);
    }
}
