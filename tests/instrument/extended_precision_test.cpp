// The integer arithmetic with a 64-bit significand against the native long
// double where that is the x87 extended format (x86-64), over everything the
// bar scales and the pressure texts can reach; on other targets against
// values taken from it once.
#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <ostream>

#include "instrument/extended_precision.h"
#include "lcd/format.h"
#include "screens/bar_scale.h"
#include "screens/pressure_setup.h"

#if LDBL_MANT_DIG == 64 && (defined(__x86_64__) || defined(__i386__))
#define NATIVE_X87 1
#else
#define NATIVE_X87 0
#endif

static bool operator==(Extended a, Extended b)
{
    return a.significand == b.significand && a.exponent == b.exponent && a.negative == b.negative;
}

static void PrintTo(const Extended &x, std::ostream *out)
{
    *out << (x.negative ? "-0x" : "0x") << std::hex << x.significand << std::dec << "*2^" << x.exponent;
}

namespace {

constexpr Extended X(uint64_t significand, int32_t exponent, bool negative = false)
{
    return {significand, exponent, negative};
}

Extended I(int64_t value) { return ExtendedFromInt(value); }

// The representation, so that -0 and +0 differ.
template <typename Real> uint64_t Bits(Real r)
{
    uint64_t bits = 0;
    memcpy(&bits, &r, sizeof r);
    return bits;
}

#if NATIVE_X87
long double Native(Extended x)
{
    return (x.negative ? -1 : 1) * std::ldexp((long double)x.significand, x.exponent);
}

// The x87 format in memory: the significand, then sign and biased exponent.
Extended FromNative(long double x)
{
    uint64_t significand;
    uint16_t top;
    memcpy(&significand, &x, 8);
    memcpy(&top, (const char *)&x + 8, 2);
    return {significand, significand == 0 ? 0 : (top & 0x7FFF) - 16383 - 63, (top >> 15) != 0};
}

// Where the scale arithmetic puts v - base, done in the native long double.
int32_t NativePosition(int32_t distance, float unitsPerDot, bool row)
{
    long double p = unitsPerDot != 0 ? (long double)distance / unitsPerDot
                    : distance == 0  ? 0
                                     : (distance > 0 ? 4294967296.0L : -4294967296.0L);
    p = row ? 61 - p : p;
    return p != p ? 0 : p >= 2147483647.0L ? INT32_MAX : p <= -2147483648.0L ? INT32_MIN : (int32_t)p;
}
#endif

TEST(ExtendedPrecision, OperationsRoundOnceToNearestEven)
{
    struct Case {
        char op;
        Extended a, b, expected;
    } cases[] = {
        {'*', X(~0ull, -63), X(~0ull, -63), X(0xFFFFFFFFFFFFFFFE, -62)},
        {'*', X(3ull << 62, -63), X(0x8000000000000001, -63), X(0xC000000000000002, -63)}, // tie: odd up
        {'*', X(3ull << 62, -63), X(0x8000000000000003, -63), X(0xC000000000000004, -63)}, // tie: even stays
        {'*', I(0), I(-3), X(0, 0, true)},
        {'/', I(1), I(59), VerticalBarReciprocal},
        {'/', I(1), I(127), HorizontalBarReciprocal},
        {'/', I(6), I(-3), X(1ull << 63, -62, true)},
        {'/', I(0), I(-5), X(0, 0, true)},
        {'/', I(INT32_MIN), ExtendedFromFloat(0x1p-149f), X(1ull << 63, 117, true)},
        {'/', I(2), X(~0ull, -63), X(0x8000000000000001, -63)},
        {'-', I(1), X(1ull << 63, -129), X(1ull << 63, -63)}, // carries into 2^64
        {'-', I(1), X(1ull << 63, -263), X(1ull << 63, -63)},
        {'-', I(61), X(1ull << 63, -123), X(0xF400000000000000, -58)},
        {'-', I(61), I(61), X(0, 0)},
        {'-', X(0, 0, true), I(0), X(0, 0, true)},
        {'-', X(1ull << 63, 1), X(1ull << 63, -64), X(1ull << 63, 1)},         // 2^64 - 1/2: tie, even
        {'-', X(1ull << 63, 1), X(3ull << 62, -63), X(0xFFFFFFFFFFFFFFFE, 0)}, // 2^64 - 3/2
        // 2^64 + 1 + 2^-62, just past a tie; 2^64 - 1/2 - 2^-64, just short of one
        {'-', X(1ull << 63, 1), X(0x8000000000000002, -63, true), X(0x8000000000000001, 1)},
        {'-', X(1ull << 63, 1), X(0x8000000000000001, -64), X(~0ull, 0)},
        // Nearly equal, within 2^-61 of each other: exact, either sign, +0 when equal.
        {'-', X(0x8000000000000001, -63), I(1), X(1ull << 63, -126)},
        {'-', I(1), X(0x8000000000000003, -63), X(3ull << 62, -125, true)},
        {'-', X(1ull << 63, -62), X(~0ull, -63), X(1ull << 63, -126)},
        {'-', X(~0ull, -63, true), X(0x8000000000000002, -62, true), X(0xA000000000000000, -124)},
        {'-', X(0x8000000000000005, -63, true), X(0x8000000000000005, -63, true), X(0, 0)},
    };
    for (const Case &c : cases) {
        Extended got = c.op == '*'   ? ExtendedMultiply(c.a, c.b)
                       : c.op == '/' ? ExtendedDivide(c.a, c.b)
                                     : ExtendedSubtract(c.a, c.b);
        EXPECT_EQ(got, c.expected) << c.op;
#if NATIVE_X87
        long double a = Native(c.a), b = Native(c.b);
        EXPECT_EQ(FromNative(c.op == '*' ? a * b : c.op == '/' ? a / b : a - b), c.expected) << c.op;
#endif
    }
}

TEST(ExtendedPrecision, ConversionsRoundToNearestEven)
{
    struct Case {
        Extended x;
        float toFloat;
        double toDouble;
        int32_t truncated;
    } cases[] = {
        {X(0, 0, true), -0.0f, -0.0, 0},
        {X(1ull << 63, -213), 0.0f, 0x1p-150, 0},                         // a tie below the subnormals
        {X(0x8000000000000001, -213), 0x1p-149f, 0x1p-150, 0},            // just past it
        {X(0xFFFFFF8000000000, 64), INFINITY, 0x1.ffffffp127, INT32_MAX}, // a tie at the top
        {X(0x80000000C0000000, -32, true), -0x1p31f, -2147483648.75, INT32_MIN},
        {X(0xFFFFFFFF80000000, -33, true), -0x1p31f, -2147483647.75, -2147483647},
        {X(0xFFFFFFFF00000000, -33), 0x1p31f, 2147483647.5, INT32_MAX},
        {X(1ull << 63, -32), 0x1p31f, 0x1p31, INT32_MAX},
        {X(1ull << 63, -263), 0.0f, 0x1p-200, 0},
        {X(0xCCCCCCCCCCCCCCCD, -67), 0x1.99999ap-4f, 0.1, 0},
        {X(3ull << 62, -1137), 0.0f, 0x1p-1073, 0}, // a tie among the subnormal doubles
    };
    for (const Case &c : cases) {
        EXPECT_EQ(Bits(ExtendedToFloat(c.x)), Bits(c.toFloat)) << testing::PrintToString(c.x);
        EXPECT_EQ(Bits(ExtendedToDouble(c.x)), Bits(c.toDouble)) << testing::PrintToString(c.x);
        EXPECT_EQ(ExtendedTruncate(c.x), c.truncated) << testing::PrintToString(c.x);
#if NATIVE_X87
        EXPECT_EQ(Bits((float)Native(c.x)), Bits(c.toFloat)) << testing::PrintToString(c.x);
        EXPECT_EQ(Bits((double)Native(c.x)), Bits(c.toDouble)) << testing::PrintToString(c.x);
#endif
    }
}

// Values from the native build: the ends of scales whose quotient misses a
// whole dot by the least, exact dot boundaries, the top scale, a span far
// beyond the setup's whose units per dot are a tie in single precision (the
// extended product lands on it exactly, so it goes to even), and units per
// dot that no span gives (at 2^60 the row rounds back onto the base).
TEST(ExtendedPrecision, BarScalesKeepTheirDots)
{
    struct Case {
        int32_t span;
        uint8_t topScale;
        bool vertical;
        int32_t v;
        float unitsPerDot;
        int32_t position;
    } cases[] = {
        {925, 0, true, 925, 0x1.f5b1e6p+3f, 2},
        {1867, 0, true, 1867, 0x1.fa4e1ap+4f, 1},
        {1015, 0, false, 1015, 0x1.ff7efep+2f, 126},
        {1907, 0, false, 1907, 0x1.e08102p+3f, 127},
        {118, 0, true, 20, 2.0f, 51},
        {254, 0, false, 20, 2.0f, 10},
        {254, 0, false, 19, 2.0f, 9},
        {2500, 1, false, 1000, 0x1.3af5ecp+3f, -25},
        {-1964438807, 0, true, -1964438807, -0x1.fc0cd6p+24f, 2},
        {0, 0, true, 1, 0x1p60f, 61},
        {0, 0, false, -1, INFINITY, 0},
        {0, 0, true, -1, -INFINITY, 61},
        {0, 0, true, 5, NAN, 0},
    };
    for (const Case &c : cases) {
        int32_t base = BarBase(c.span, c.topScale);
        Extended reciprocal = c.vertical ? VerticalBarReciprocal : HorizontalBarReciprocal;
        if (c.span != 0) {
            EXPECT_EQ(BarUnitsPerDot(c.span, c.topScale, reciprocal), c.unitsPerDot) << c.span;
        }
        int32_t position =
            c.vertical ? BarRow(c.v, base, c.unitsPerDot) : BarColumn(c.v, base, c.unitsPerDot);
        EXPECT_EQ(position, c.position) << c.span << " " << c.v << " " << c.unitsPerDot;
#if NATIVE_X87
        EXPECT_EQ(NativePosition(c.v - base, c.unitsPerDot, c.vertical), c.position) << c.span << " " << c.v;
#endif
    }
}

TEST(ExtendedPrecision, PressureTextsKeepTheirDigits)
{
    struct Case {
        int32_t value;
        double tenths, hundredths;
    } cases[] = {{-200000, -20000.0, -2000.0},
                 {-5, -0.5, -0.05},
                 {1, 0.1, 0.01},
                 {35, 3.5, 0.35},
                 {199999, 19999.9, 1999.99}};
    for (const Case &c : cases) {
        EXPECT_EQ(ScaledPressure(c.value, 1), c.tenths) << c.value;
        EXPECT_EQ(ScaledPressure(c.value, 2), c.hundredths) << c.value;
    }
    EXPECT_EQ(ScaledPressure(-123, 0), -123.0);
}

#if NATIVE_X87
// Units per dot for every span up to 100000 either way and every 65537th
// across 32 bits. Positions for every span the setup allows in any unit,
// under both top-scale settings and on both bars: every value next to a dot
// boundary from a quarter of the scale below its base to a quarter above its
// top, every 8th value between, and every 61st out to 3000 counts either
// side. A top scale shows half the span: its scales are those of the spans
// 12..1250, with the same units per dot and distances from the base.
TEST(ExtendedPrecision, BarScalesMatchTheNativeExtendedArithmetic)
{
    int32_t lowest = INT32_MAX, highest = 0;
    for (const NumberLimits &limits : PressureUnitLimits) {
        lowest = std::min(lowest, limits.lo);
        highest = std::max(highest, limits.hi);
    }
    long positions = 0;
    for (bool vertical : {true, false}) {
        Extended reciprocal = vertical ? VerticalBarReciprocal : HorizontalBarReciprocal;
        long double native = vertical ? 1.0L / 59 : 1.0L / 127;
        auto unitsPerDotMatch = [&](int32_t span) {
            return BarUnitsPerDot(span, 0, reciprocal) == (float)(span * native) &&
                   BarUnitsPerDot(span, 1, reciprocal) == (float)((span >> 1) * native);
        };
        for (int32_t span = -100000; span <= 100000; ++span)
            ASSERT_TRUE(unitsPerDotMatch(span)) << span;
        for (int64_t span = INT32_MIN; span <= INT32_MAX; span += 65537)
            ASSERT_TRUE(unitsPerDotMatch((int32_t)span)) << span;
        for (int32_t shown = lowest / 2; shown <= highest; ++shown) {
            int32_t span = shown < lowest ? 2 * shown : shown;
            uint8_t top = shown < lowest;
            float unitsPerDot = BarUnitsPerDot(span, top, reciprocal);
            int32_t base = BarBase(span, top);
            auto check = [&](int32_t d) {
                ++positions;
                int32_t got =
                    vertical ? BarRow(base + d, base, unitsPerDot) : BarColumn(base + d, base, unitsPerDot);
                return got == NativePosition(d, unitsPerDot, vertical);
            };
            int32_t lo = -shown / 4 - 1, hi = shown + 1 + shown / 4;
            for (int32_t d = -3000; d <= 3000; d += 61)
                ASSERT_TRUE(check(d)) << span << " " << d;
            for (int32_t d = lo; d <= hi; d += 8)
                ASSERT_TRUE(check(d)) << span << " " << d;
            for (int32_t dot = (int32_t)(lo / unitsPerDot) - 1; dot <= (int32_t)(hi / unitsPerDot) + 1;
                 ++dot) {
                int32_t below = (int32_t)std::floor(dot * (double)unitsPerDot); // exact in double
                for (int32_t d = below - 1; d <= below + 1; ++d)
                    ASSERT_TRUE(check(d)) << span << " " << d;
            }
        }
    }
    EXPECT_GT(positions, 2000000);
}

TEST(ExtendedPrecision, PressureTextsMatchTheNativeExtendedArithmetic)
{
    for (int32_t value = -200000; value <= 200000; ++value) {
        ASSERT_EQ(Bits(ScaledPressure(value, 1)), Bits((double)(0.1L * value))) << value;
        ASSERT_EQ(Bits(ScaledPressure(value, 2)), Bits((double)(0.01L * value))) << value;
    }
}
#endif

} // namespace
