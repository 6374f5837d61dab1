#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "instrument/pressure.h"
#include "instrument/pressure_units.h"
#include "instrument/settings.h"
#include "instrument/state.h"
#include "lcd/frame.h"
#include "lcd/furniture.h"
#include "lcd/numerals.h"
#include "lcd/text.h"
#include "screens/bar_scale.h"
#include "screens/run_layouts.h"
#include "screens/run_screen.h"
#include "screens/run_texts.h"
#include "support/frame_check.h"
#include "support/frame_dots.h"

// ---- Scale arithmetic -------------------------------------------------------

TEST(RunBarScale, VerticalFullSpanRows)
{
    float unitsPerDot = BarUnitsPerDot(2500, 0, VerticalBarReciprocal);
    EXPECT_NEAR(unitsPerDot, 42.37, 0.01);
    // 61 - 29.5 = 31.5: the whole expression is truncated, not the quotient.
    EXPECT_EQ(BarRow(1250, 0, unitsPerDot), 31);
    // Units per dot rounds up in single precision, so full scale lands on
    // row 2 rather than 1.
    EXPECT_EQ(BarRow(2500, 0, unitsPerDot), 2);
    EXPECT_EQ(BarRow(0, 0, unitsPerDot), 61);
    // Above the bar the row goes negative, truncated toward zero.
    EXPECT_EQ(BarRow(2600, 0, unitsPerDot), 0);  // 61 - 61.36
    EXPECT_EQ(BarRow(2700, 0, unitsPerDot), -2); // 61 - 63.72
}

TEST(RunBarScale, HorizontalFullSpanColumns)
{
    float unitsPerDot = BarUnitsPerDot(2500, 0, HorizontalBarReciprocal);
    // 2500 / 19.685039 in single precision is 126.99999...: column 126.
    EXPECT_EQ(BarColumn(2500, 0, unitsPerDot), 126);
    EXPECT_EQ(BarColumn(2501, 0, unitsPerDot), 127);

    float even = BarUnitsPerDot(2540, 0, HorizontalBarReciprocal);
    EXPECT_EQ(even, 20.0f);
    EXPECT_EQ(BarColumn(1000, 0, even), 50);
    EXPECT_EQ(BarColumn(1019, 0, even), 50);
    EXPECT_EQ(BarColumn(1020, 0, even), 51);
}

TEST(RunBarScale, TopScaleShowsUpperHalf)
{
    EXPECT_EQ(BarBase(2500, 0), 0);
    EXPECT_EQ(BarBase(2500, 1), 1250);
    EXPECT_EQ(BarBase(2501, 1), 1250); // halved by a shift
    // Units per dot come from the half span alone.
    float vertical = BarUnitsPerDot(2500, 1, VerticalBarReciprocal);
    EXPECT_NEAR(vertical, 1250.0 / 59, 1e-4);
    EXPECT_EQ(BarRow(2500, 1250, vertical), 2);
    EXPECT_EQ(BarRow(1250, 1250, vertical), 61);
    EXPECT_EQ(BarRow(1000, 1250, vertical), 72); // below the base: 61 + 11.8
    float horizontal = BarUnitsPerDot(2500, 1, HorizontalBarReciprocal);
    EXPECT_EQ(BarColumn(2500, 1250, horizontal), 126);
    // Below the base the column truncates toward zero: -25.4 gives -25.
    EXPECT_EQ(BarColumn(1000, 1250, horizontal), -25);
}

TEST(RunBarScale, CoordinatesNeverWrapBackOntoTheScreen)
{
    EXPECT_EQ(BarCoordinate(0), 0);
    EXPECT_EQ(BarCoordinate(127), 127);
    EXPECT_EQ(BarCoordinate(255), 255);
    EXPECT_EQ(BarCoordinate(-1), 255);
    EXPECT_EQ(BarCoordinate(-128), 128);
    // Past what 8 bits hold the position stays off-screen instead of wrapping.
    EXPECT_EQ(BarCoordinate(256), 255);
    EXPECT_EQ(BarCoordinate(279), 255);
    EXPECT_EQ(BarCoordinate(-129), 128);
    EXPECT_EQ(BarCoordinate(-250), 128);
    EXPECT_EQ(BarCoordinate(INT32_MAX), 255);
    EXPECT_EQ(BarCoordinate(INT32_MIN), 128);

    // A high alarm at 5500 on a 2500 span would land on column 279, which a
    // plain 8-bit wrap would show on column 23.
    float unitsPerDot = BarUnitsPerDot(2500, 0, HorizontalBarReciprocal);
    EXPECT_GE(BarCoordinate(BarColumn(5500, 0, unitsPerDot)), 128);
    // On the vertical bar 11000 lands on row -198, which a wrap would show on
    // row 58.
    float rows = BarUnitsPerDot(2500, 0, VerticalBarReciprocal);
    EXPECT_EQ(BarRow(11000, 0, rows), -198);
    EXPECT_EQ(BarCoordinate(BarRow(11000, 0, rows)), 128);
}

TEST(RunBarScale, DegenerateScaleStaysFinite)
{
    // A span of 1 in top-scale mode has no units per dot at all.
    float unitsPerDot = BarUnitsPerDot(1, 1, HorizontalBarReciprocal);
    EXPECT_EQ(unitsPerDot, 0.0f);
    EXPECT_EQ(BarColumn(5, 0, unitsPerDot), INT32_MAX);
    EXPECT_EQ(BarColumn(-5, 0, unitsPerDot), INT32_MIN);
    EXPECT_EQ(BarColumn(0, 0, unitsPerDot), 0);
    EXPECT_GE(BarCoordinate(BarRow(5, 0, unitsPerDot)), 128);
}

// ---- Texts ------------------------------------------------------------------

namespace {

void StartWithDefaults()
{
    ResetInstrumentState();
    LoadDefaultSettings();
}

std::string Text(void (*format)(char *))
{
    char out[32];
    memset(out, 'x', sizeof out);
    format(out);
    return out;
}

std::string DropText(uint8_t *minusApart)
{
    char out[32];
    *minusApart = FormatMagCheckDrop(out);
    return out;
}

} // namespace

TEST(RunTexts, TimesInMinutesAndDecimalForm)
{
    StartWithDefaults();
    state.flightHours = 3;
    state.flightMinutes = 7;
    state.hobbsHours = 123;
    state.hobbsMinutes = 5;
    EXPECT_EQ(Text(FormatFlightTime), "03:07");
    EXPECT_EQ(Text(FormatHobbsTime), "0123:05");
    state.settings.hourFractionDecimal = 1;
    EXPECT_EQ(Text(FormatFlightTime), "03.07");
    EXPECT_EQ(Text(FormatHobbsTime), "0123.05");
    state.hobbsHours = 10000;
    EXPECT_EQ(Text(FormatHobbsTime), "10000.05");
}

TEST(RunTexts, EngineSpeedInRpmAndPercent)
{
    StartWithDefaults();
    state.rpmValue = 2400;
    EXPECT_EQ(Text(FormatRpmReading), " 2400");
    state.rpmValue = 19999;
    EXPECT_EQ(Text(FormatRpmReading), "19999");
    state.settings.rpmPercent = 1;
    state.rpmValue = 2400;
    EXPECT_EQ(Text(FormatRpmReading), "   40");
    state.rpmValue = 5999; // 99.98 % truncates
    EXPECT_EQ(Text(FormatRpmReading), "   99");
    state.rpmValue = 9000;
    EXPECT_EQ(Text(FormatRpmReading), "  150");
}

TEST(RunTexts, MagnetoCheckDrop)
{
    StartWithDefaults();
    uint8_t minusApart = 9;
    state.magCheckRpmRef = 2500;
    state.rpmValue = 2380;
    EXPECT_EQ(DropText(&minusApart), " -120");
    EXPECT_EQ(minusApart, 0);
    state.rpmValue = 2600; // a rise is shown without sign
    EXPECT_EQ(DropText(&minusApart), "  100");
    state.magCheckRpmRef = 10999;
    state.rpmValue = 1000;
    EXPECT_EQ(DropText(&minusApart), "-9999");
    EXPECT_EQ(minusApart, 0);
    state.magCheckRpmRef = 12000;
    EXPECT_EQ(DropText(&minusApart), "11000");
    EXPECT_EQ(minusApart, 1);
}

TEST(RunTexts, MagnetoCheckDropInPercentTruncatesTowardZero)
{
    StartWithDefaults();
    state.settings.rpmPercent = 1;
    uint8_t minusApart = 9;
    state.magCheckRpmRef = 2500;
    state.rpmValue = 2380; // -12000 / 6000
    EXPECT_EQ(DropText(&minusApart), "   -2");
    EXPECT_EQ(minusApart, 0);
    state.rpmValue = 2381; // -1.98: toward zero, not down
    EXPECT_EQ(DropText(&minusApart), "   -1");
    state.magCheckRpmRef = 19999;
    state.rpmValue = 0; // never the separate minus bar in percent
    EXPECT_EQ(DropText(&minusApart), " -333");
    EXPECT_EQ(minusApart, 0);
}

TEST(RunTexts, MaximumPressureText)
{
    StartWithDefaults();
    state.pressureMax = 995;
    EXPECT_EQ(Text(FormatMaxText), "MAX: 995");
    state.settings.pressureUnit = 1;
    state.pressureMax = 1013;
    EXPECT_EQ(Text(FormatMaxText), "MAX: 10.13");
    state.settings.pressureUnit = 4;
    state.pressureMax = 299;
    EXPECT_EQ(Text(FormatMaxText), "MAX: 29.9");
}

// ---- Drawn layouts ----------------------------------------------------------

namespace {

// The frame a drawing operation leaves on a cleared screen; the state's own
// frame is restored afterwards.
template <typename Draw> Frame Alone(Draw draw)
{
    Frame saved = CurrentFrame();
    memset(state.lcdFrame, 0, sizeof state.lcdFrame);
    draw();
    Frame f = CurrentFrame();
    memcpy(state.lcdFrame, saved.bytes, sizeof saved.bytes);
    return f;
}

template <typename Draw> Frame Drawn(Draw draw) { return Alone(draw); }

bool AllDark(const Frame &f, int x0, int y0, int x1, int y1)
{
    return CountDots(f, x0, y0, x1, y1) == (x1 - x0 + 1) * (y1 - y0 + 1);
}

// Empty when both frames agree inside the box, else the first differing dot.
std::string DifferenceIn(const Frame &a, const Frame &b, int x0, int y0, int x1, int y1)
{
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if (DotAt(a, x, y) != DotAt(b, x, y))
                return "differs at (" + std::to_string(x) + ", " + std::to_string(y) + ")";
    return "";
}

// Empty when both frames agree everywhere outside the box.
std::string DifferenceOutside(const Frame &a, const Frame &b, int x0, int y0, int x1, int y1)
{
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 128; ++x)
            if ((x < x0 || x > x1 || y < y0 || y > y1) && DotAt(a, x, y) != DotAt(b, x, y))
                return "differs at (" + std::to_string(x) + ", " + std::to_string(y) + ")";
    return "";
}

// Defaults with both pressure alarms off, so the bar shows the fill alone.
void StartWithoutPressureAlarms()
{
    StartWithDefaults();
    state.settings.pressureLowAlarmOn = 0;
    state.settings.pressureHighAlarmOn = 0;
}

} // namespace

TEST(RunLayouts, VerticalBarFillFollowsTheScale)
{
    StartWithoutPressureAlarms();
    state.pressureValue = 1250;
    Frame f = Drawn(DrawPressureBarVertical);
    EXPECT_TRUE(AllDark(f, 4, 31, 13, 60));
    EXPECT_EQ(CountDots(f, 4, 1, 13, 30), 0);
    // The frame around the bar.
    EXPECT_TRUE(AllDark(f, 3, 0, 3, 61));
    EXPECT_TRUE(AllDark(f, 14, 0, 14, 61));
    EXPECT_TRUE(AllDark(f, 3, 61, 14, 61));

    state.pressureValue = 2500;
    f = Drawn(DrawPressureBarVertical);
    EXPECT_TRUE(AllDark(f, 4, 2, 13, 60));
    EXPECT_EQ(CountDots(f, 4, 1, 13, 1), 0);

    state.pressureValue = 0; // nothing above the base
    f = Drawn(DrawPressureBarVertical);
    EXPECT_EQ(CountDots(f, 4, 1, 13, 60), 0);
}

TEST(RunLayouts, ValueAboveSpanFillsPastTheBarEnd)
{
    StartWithoutPressureAlarms();
    state.pressureValue = 2600;
    state.pressureMax = 0; // keep the marker away from the top edge
    Frame f = Drawn(DrawPressureBarVertical);
    EXPECT_TRUE(AllDark(f, 4, 1, 13, 60));
    // The fill inverts the top edge of the frame; the scale tick from x = 10
    // is drawn after it.
    EXPECT_EQ(CountDots(f, 4, 0, 9, 0), 0);
    EXPECT_TRUE(DotAt(f, 3, 0));
    EXPECT_TRUE(AllDark(f, 10, 0, 13, 0));

    f = Drawn(DrawPressureBarHorizontal);
    EXPECT_TRUE(AllDark(f, 1, 50, 126, 53));
    EXPECT_EQ(CountDots(f, 127, 50, 127, 53), 0); // the right edge, inverted
}

TEST(RunLayouts, HorizontalBarFullScaleStopsShortOfTheEdge)
{
    StartWithoutPressureAlarms();
    state.pressureValue = 2500;
    Frame f = Drawn(DrawPressureBarHorizontal);
    EXPECT_TRUE(AllDark(f, 1, 50, 126, 53));
    EXPECT_TRUE(AllDark(f, 127, 48, 127, 55)); // frame edge untouched

    state.pressureValue = 2501;
    f = Drawn(DrawPressureBarHorizontal);
    EXPECT_EQ(CountDots(f, 127, 50, 127, 53), 0);
    EXPECT_TRUE(AllDark(f, 127, 48, 127, 49));
}

TEST(RunLayouts, HorizontalBarFillFollowsTheScale)
{
    StartWithoutPressureAlarms();
    state.settings.pressureSpan = 2540;
    state.pressureValue = 1000;
    Frame f = Drawn(DrawPressureBarHorizontal);
    EXPECT_TRUE(AllDark(f, 1, 50, 50, 53));
    EXPECT_EQ(CountDots(f, 51, 50, 126, 53), 0);
    EXPECT_EQ(CountDots(f, 1, 49, 126, 49), 0);
    EXPECT_EQ(CountDots(f, 1, 54, 126, 54), 0);
    EXPECT_TRUE(AllDark(f, 0, 48, 127, 48));
    EXPECT_TRUE(AllDark(f, 0, 55, 127, 55));

    state.pressureValue = 0; // column 0: nothing filled
    f = Drawn(DrawPressureBarHorizontal);
    EXPECT_EQ(CountDots(f, 1, 49, 126, 54), 0);
}

TEST(RunLayouts, TopScaleShowsUpperHalfOnly)
{
    StartWithoutPressureAlarms();
    state.settings.pressureTopScale = 1;
    state.pressureValue = 1000;
    state.pressureMax = 1000;
    Frame f = Drawn(DrawPressureBarVertical);
    EXPECT_EQ(CountDots(f, 4, 1, 13, 60), 0);
    EXPECT_EQ(CountDots(f, 0, 0, 2, 63), 0); // no maximum marker
    Frame base = Alone([] { LcdDrawTinyText(18, 60, "1250", 0); });
    Frame top = Alone([] { LcdDrawTinyText(18, 1, "2500", 0); });
    EXPECT_EQ(DifferenceIn(f, base, 18, 59, 33, 63), "");
    EXPECT_EQ(DifferenceIn(f, top, 18, 0, 33, 4), "");

    f = Drawn(DrawPressureBarHorizontal);
    EXPECT_EQ(CountDots(f, 1, 49, 126, 54), 0);
    EXPECT_EQ(CountDots(f, 1, 45, 126, 47), 0); // no marker
    Frame baseText = Alone([] { LcdDrawText(0, 57, "1250", 0, 0, 0); });
    EXPECT_EQ(DifferenceIn(f, baseText, 0, 57, 40, 63), "");

    // Half way up the upper half.
    state.pressureValue = 1875;
    f = Drawn(DrawPressureBarVertical);
    EXPECT_TRUE(AllDark(f, 4, 31, 13, 60));
    EXPECT_EQ(CountDots(f, 4, 1, 13, 30), 0);
}

TEST(RunLayouts, VerticalAlarmLinesShowLightInsideTheFill)
{
    StartWithDefaults(); // low 500 on row 49, high 2000 on row 13
    state.pressureValue = 2200;
    state.pressureMax = 0;
    state.blinkPhase = 1;
    Frame f = Drawn(DrawPressureBarVertical);
    EXPECT_TRUE(AllDark(f, 4, 9, 13, 12));
    for (int row : {13, 49}) {
        EXPECT_EQ(CountDots(f, 4, row, 13, row), 0) << "row " << row;
        EXPECT_TRUE(AllDark(f, 1, row, 2, row)) << "row " << row;
        EXPECT_TRUE(AllDark(f, 15, row, 16, row)) << "row " << row;
    }
    Frame labels = Alone([] {
        LcdDrawTinyText(18, 49, "500", 0);
        LcdDrawTinyText(18, 13, "2000", 0);
    });
    EXPECT_EQ(DifferenceIn(f, labels, 18, 48, 29, 52), "");
    EXPECT_EQ(DifferenceIn(f, labels, 18, 12, 33, 16), "");
}

TEST(RunLayouts, MaximumMarkersPointAtTheBar)
{
    StartWithoutPressureAlarms();
    state.pressureValue = 0;
    state.pressureMax = 1250; // row 31, column 63
    Frame f = Drawn(DrawPressureBarVertical);
    EXPECT_TRUE(AllDark(f, 3, 31, 13, 31));
    EXPECT_TRUE(AllDark(f, 0, 29, 0, 33));
    EXPECT_TRUE(AllDark(f, 1, 30, 1, 32));
    EXPECT_TRUE(DotAt(f, 2, 31));
    EXPECT_EQ(CountDots(f, 0, 0, 2, 28) + CountDots(f, 0, 34, 2, 63) + CountDots(f, 1, 29, 2, 29), 0);

    f = Drawn(DrawPressureBarHorizontal);
    EXPECT_TRUE(AllDark(f, 63, 47, 63, 55));
    EXPECT_TRUE(AllDark(f, 61, 45, 65, 45));
    EXPECT_TRUE(AllDark(f, 62, 46, 64, 46));
    EXPECT_EQ(CountDots(f, 61, 46, 61, 47) + CountDots(f, 65, 46, 65, 47), 0);
}

TEST(RunLayouts, FarAlarmThresholdsLeaveNoMark)
{
    StartWithDefaults();
    state.pressureValue = 1000;
    state.pressureMax = 0;
    Frame plain = Drawn(DrawPressureBarHorizontal);
    // 5500 would wrap to column 23 and 11000 to row 58 if positions were
    // only cut to 8 bits.
    state.settings.pressureHighAlarm = 5500;
    Frame far = Drawn(DrawPressureBarHorizontal);
    EXPECT_EQ(CountDots(far, 23, 47, 23, 47), 0);
    EXPECT_NE(DifferenceIn(plain, far, 0, 45, 127, 55), ""); // the 2000 tick is gone
    state.settings.pressureHighAlarm = 11000;
    far = Drawn(DrawPressureBarVertical);
    EXPECT_EQ(CountDots(far, 1, 58, 2, 58), 0);
    // No high alarm line anywhere beside the bar; row 49 is the low alarm.
    EXPECT_EQ(CountDots(far, 15, 1, 16, 48) + CountDots(far, 15, 50, 16, 60), 0);
}

TEST(RunLayouts, AlarmBlinksOutFillAndNumberOnly)
{
    struct Layout {
        void (*draw)();
        int numberX0, numberY0, numberX1, numberY1; // where the pressure number goes
        int barX0, barY0, barX1, barY1;             // inside of the bar, if any
    };
    const Layout layouts[] = {
        {DrawPressureScreenVertical, 35, 5, 122, 36, 4, 1, 13, 60},
        {DrawPressureScreenHorizontal, 5, 3, 92, 34, 1, 50, 126, 53},
        {DrawRpmPressureScreen, 28, 40, 99, 63, 0, 0, -1, -1},
    };
    for (const Layout &l : layouts) {
        StartWithDefaults();
        state.pressureValue = 2200; // above the high alarm at 2000
        state.pressureMax = 2400;
        state.rpmValue = 2300;
        state.alarmActive = 1;
        state.alarmMuted = 1; // acknowledged, still blinking
        state.blinkPhase = 0;
        Frame hidden = Drawn(l.draw);
        state.blinkPhase = 1;
        Frame shown = Drawn(l.draw);
        EXPECT_EQ(CountDots(hidden, l.numberX0, l.numberY0, l.numberX1, l.numberY1), 0);
        EXPECT_GT(CountDots(shown, l.numberX0, l.numberY0, l.numberX1, l.numberY1), 40);
        if (l.barX1 >= 0) {
            // Hidden: the inside of the bar holds only the alarm and maximum
            // lines, which the fill shows inverted.
            state.pressureValue = 0;
            Frame empty = Drawn(l.draw);
            EXPECT_EQ(DifferenceIn(hidden, empty, l.barX0, l.barY0, l.barX1, l.barY1), "");
            EXPECT_GT(CountDots(shown, l.barX0, l.barY0, l.barX1, l.barY1),
                      CountDots(hidden, l.barX0, l.barY0, l.barX1, l.barY1) + 100);
        }
        // Everything but the number and the bar's inside is the same in both
        // halves of the blink cycle.
        Frame masked[2] = {hidden, shown};
        for (Frame &m : masked)
            for (int y = l.barY0; y <= l.barY1; ++y)
                for (int x = l.barX0; x <= l.barX1; ++x)
                    SetDot(m, x, y, false);
        EXPECT_EQ(DifferenceOutside(masked[0], masked[1], l.numberX0, l.numberY0, l.numberX1, l.numberY1),
                  "");
        EXPECT_GT(CountDots(hidden, 0, 0, 127, 63), 100);
    }
}

TEST(RunLayouts, EngineSpeedInPercentWithSign)
{
    StartWithDefaults();
    state.settings.rpmPercent = 1;
    state.rpmValue = 2400;
    state.pressureValue = 1013;
    Frame f = Drawn(DrawRpmPressureScreen);
    Frame number = Alone([] { LcdDrawLargeNumber(10, 12, "   40"); });
    EXPECT_EQ(DifferenceIn(f, number, 0, 12, 100, 35), "");

    // The percent sign is two diagonals and two 2 x 2 dots under "RPM".
    Frame sign{};
    auto set = [&sign](int x, int y) { SetDot(sign, x, y, true); };
    for (int i = 0; i <= 8; ++i)
        set(110 + i, 32 - i);
    for (int i = 0; i <= 9; ++i)
        set(110 + i, 33 - i);
    for (int d = 0; d < 4; ++d) {
        set(110 + d / 2, 24 + d % 2);
        set(117 + d / 2, 32 + d % 2);
    }
    EXPECT_EQ(DifferenceIn(f, sign, 101, 22, 127, 40), "");

    // In an engine speed alarm the number blinks but the sign stays.
    state.rpmValue = 5400;
    state.blinkPhase = 0;
    f = Drawn(DrawRpmPressureScreen);
    EXPECT_EQ(CountDots(f, 0, 12, 100, 35), 0);
    EXPECT_EQ(DifferenceIn(f, sign, 101, 22, 127, 40), "");
    state.blinkPhase = 1;
    f = Drawn(DrawRpmPressureScreen);
    number = Alone([] { LcdDrawLargeNumber(10, 12, "   90"); });
    EXPECT_EQ(DifferenceIn(f, number, 0, 12, 100, 35), "");
}

TEST(RunLayouts, MagnetoCheckShowsTheDrop)
{
    StartWithDefaults();
    state.magCheckTimer = 60;
    state.magCheckRpmRef = 2500;
    state.rpmValue = 2380;
    state.flightHours = 12; // the times give way to the heading
    state.hobbsHours = 345;
    Frame f = Drawn(DrawRpmPressureScreen);
    Frame heading = Alone([] { LcdDrawTextCentered(64, 0, "** MAG CHECK **", 0, 0, 0); });
    EXPECT_EQ(DifferenceIn(f, heading, 0, 0, 127, 7), "");
    Frame number = Alone([] { LcdDrawLargeNumber(10, 12, " -120"); });
    EXPECT_EQ(DifferenceIn(f, number, 0, 12, 100, 35), "");

    // A drop beyond four digits: its magnitude and a separate minus bar.
    state.magCheckRpmRef = 12000;
    state.rpmValue = 1000;
    f = Drawn(DrawRpmPressureScreen);
    EXPECT_TRUE(AllDark(f, 0, 21, 8, 23));
    EXPECT_EQ(CountDots(f, 0, 12, 9, 20) + CountDots(f, 0, 24, 9, 35), 0);
    number = Alone([] { LcdDrawLargeNumber(10, 12, "11000"); });
    EXPECT_EQ(DifferenceIn(f, number, 10, 12, 100, 35), "");

    // The check view never blinks, even in an engine speed alarm.
    state.settings.rpmLowAlarmOn = 1;
    state.settings.rpmLowAlarm = 1500;
    state.blinkPhase = 0;
    f = Drawn(DrawRpmPressureScreen);
    EXPECT_EQ(DifferenceIn(f, number, 10, 12, 100, 35), "");
}

TEST(RunLayouts, TimesAndSpeedOnTheEngineLayout)
{
    StartWithDefaults();
    state.flightHours = 1;
    state.flightMinutes = 23;
    state.hobbsHours = 45;
    state.hobbsMinutes = 6;
    state.rpmValue = 2450;
    Frame f = Drawn(DrawRpmPressureScreen);
    Frame expected = Alone([] {
        LcdDrawText(0, 0, "01:23", 0, 0, 0);
        LcdDrawText(72, 0, "0045:06", 0, 0, 0);
        LcdDrawLargeNumber(10, 12, " 2450");
        LcdDrawTextCentered(115, 14, "RPM", 0, 0, 0);
    });
    EXPECT_EQ(DifferenceIn(f, expected, 0, 0, 127, 35), "");
}

TEST(RunLayouts, MaxValuesInPercent)
{
    StartWithDefaults();
    state.settings.rpmPercent = 1;
    state.rpmMax = 3000;
    state.pressureMax = 1013;
    Frame f = Drawn([] { MaxValuesScreen(); });
    Frame expected = Alone([] {
        LcdDrawText(0, 15, "RPM:", 0, 0, 0);
        LcdDrawText(31, 15, " 3000", 1, 0, 0);
        LcdDrawText(78, 15, " 50.0%", 1, 0, 0);
        LcdDrawText(0, 34, "PRESS:", 0, 0, 0);
        LcdDrawText(55, 34, "1013", 1, 0, 0);
        LcdDrawTextCentered(102, 34, "mB", 0, 0, 0);
        LcdDrawText(0, 56, " RESET ", 0, 0, 1);
    });
    EXPECT_EQ(DifferenceIn(f, expected, 0, 8, 127, 63), "");
    Frame title = Alone([] { DrawTitle(" MAX VALUES "); });
    EXPECT_EQ(DifferenceIn(f, title, 0, 0, 127, 7), "");
}

// ---- Whole frames -----------------------------------------------------------

namespace {

// A plausible moment in flight, with pressures given in millibar and
// expressed in the selected unit.
void StartInFlight(uint8_t unit)
{
    StartWithDefaults();
    Settings &s = state.settings;
    s.pressureUnit = unit;
    s.pressureSpan = ConvertPressureUnit(2500);
    s.pressureLowAlarm = ConvertPressureUnit(500);
    s.pressureHighAlarm = ConvertPressureUnit(2000);
    state.pressureValue = ConvertPressureUnit(1013);
    state.pressureMax = ConvertPressureUnit(1640);
    state.rpmValue = 2450;
    state.rpmMax = 2710;
    state.flightHours = 1;
    state.flightMinutes = 23;
    state.hobbsHours = 123;
    state.hobbsMinutes = 45;
    state.blinkPhase = 1;
}

std::string Named(const char *layout, int unit)
{
    return std::string("run_") + layout + "_unit" + std::to_string(unit);
}

} // namespace

TEST(RunFrames, EveryLayoutInEveryUnit)
{
    const struct {
        const char *name;
        void (*draw)();
    } layouts[] = {
        {"vertical", DrawPressureScreenVertical},
        {"horizontal", DrawPressureScreenHorizontal},
        {"rpm", DrawRpmPressureScreen},
    };
    for (const auto &layout : layouts)
        for (uint8_t unit = 0; unit < PressureUnitCount; ++unit) {
            StartInFlight(unit);
            LcdClear();
            layout.draw();
            ExpectScreenFrame(Named(layout.name, unit));
        }
}

TEST(RunFrames, RunModeScreens)
{
    const struct {
        const char *name;
        void (*prepare)();
        void (*draw)();
    } screens[] = {
        {"run_magcheck", [] { state.magCheckTimer = 60, state.magCheckRpmRef = 2570; },
         DrawRpmPressureScreen},
        {"run_magcheck_bar", [] { state.magCheckTimer = 60, state.magCheckRpmRef = 14000; },
         DrawRpmPressureScreen},
        {"run_percent", [] { state.settings.rpmPercent = 1; }, DrawRpmPressureScreen},
        {"run_topscale", [] { state.settings.pressureTopScale = 1; }, DrawPressureScreenVertical},
        {"run_topscale_horizontal", [] { state.settings.pressureTopScale = 1; },
         DrawPressureScreenHorizontal},
        {"run_maxvalues", [] {}, MaxValuesScreen},
        {"run_maxvalues_percent", [] { state.settings.rpmPercent = 1; }, MaxValuesScreen},
        {"run_maxvalues_pressure", [] { state.settings.rpmDisplayOn = 0; }, MaxValuesScreen},
        // Units written on two lines, below the engine speed and alone.
        {"run_maxvalues_unit3", [] { StartInFlight(UnitKgPerCm2); }, MaxValuesScreen},
        {"run_maxvalues_pressure_unit5", [] { StartInFlight(UnitMmHg), state.settings.rpmDisplayOn = 0; },
         MaxValuesScreen},
        {"refs/flight_start", [] {}, FlightScreen},
        {"refs/flight_stop", [] { state.inFlight = 1; }, FlightScreen},
        // The percent sign also stands beside the magneto check's drop.
        {"run_magcheck_percent",
         [] { state.magCheckTimer = 60, state.magCheckRpmRef = 2570, state.settings.rpmPercent = 1; },
         DrawRpmPressureScreen},
        // A maximum above the span points at the bar's end in both layouts.
        {"run_max_above_span", [] { state.pressureMax = 2600; }, DrawPressureScreenVertical},
        {"run_max_above_span_horizontal", [] { state.pressureMax = 2600; }, DrawPressureScreenHorizontal},
        // In top-scale mode a high alarm at the base (or below it) has no mark.
        {"run_topscale_high_alarm_at_base",
         [] { state.settings.pressureTopScale = 1, state.settings.pressureHighAlarm = 1250; },
         DrawPressureScreenVertical},
        // Without the engine speed the run screen shows the chosen bar layout.
        {"run_horizontal_unit0", [] { state.settings.rpmDisplayOn = 0, state.settings.barHorizontal = 1; },
         RunScreen},
    };
    for (const auto &screen : screens) {
        StartInFlight(0);
        screen.prepare();
        LcdClear();
        screen.draw();
        ExpectScreenFrame(screen.name);
    }
}
