#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "instrument/settings.h"
#include "instrument/state.h"
#include "screens/bar_scale.h"
#include "screens/run_texts.h"
#include "support/frame_check.h"

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
