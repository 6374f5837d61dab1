#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "instrument/state.h"
#include "lcd/format.h"
#include "support/frame_check.h"

namespace {

class Format : public ::testing::Test {
  protected:
    void SetUp() override { ResetInstrumentState(); }

    std::string Plain(uint8_t unit, int32_t value)
    {
        state.settings.pressureUnit = unit;
        char out[32];
        memset(out, '#', sizeof out);
        FormatPressure(out, value);
        return out;
    }
    std::string Wide(uint8_t unit, int32_t value)
    {
        state.settings.pressureUnit = unit;
        char out[32];
        memset(out, '#', sizeof out);
        FormatPressureWide(out, value);
        return out;
    }
};

TEST_F(Format, DecimalsFollowTheUnit)
{
    // mB, bar, PSI, kg/cm2, "Hg, mmHg, KPA, atm
    const char *expected[8] = {"1013", "10.13", "101.3", "10.13", "101.3", "1013", "1013", "10.13"};
    for (uint8_t unit = 0; unit < 8; ++unit)
        EXPECT_EQ(Plain(unit, 1013), expected[unit]) << "unit " << int(unit);

    EXPECT_EQ(Plain(1, 1013), "10.13");
    EXPECT_EQ(Plain(2, 147), "14.7");
    EXPECT_EQ(Plain(0, 995), "995");
    EXPECT_EQ(Plain(3, 100), "1.00");
    EXPECT_EQ(Plain(4, 299), "29.9");
    EXPECT_EQ(Plain(7, 1), "0.01");
    EXPECT_EQ(Plain(2, 0), "0.0");
    EXPECT_EQ(Plain(1, 0), "0.00");
}

TEST_F(Format, NegativeValuesKeepTheirSign)
{
    EXPECT_EQ(Plain(0, -5), "-5");
    EXPECT_EQ(Plain(1, -5), "-0.05");
    EXPECT_EQ(Plain(2, -5), "-0.5");
    EXPECT_EQ(Plain(5, -760), "-760");
    EXPECT_EQ(Wide(0, -5), "  -5");
    EXPECT_EQ(Wide(7, -1), "-0.01");
}

TEST_F(Format, WideFormRightAlignsInAtLeastFourCharacters)
{
    EXPECT_EQ(Wide(0, 995), " 995");
    EXPECT_EQ(Wide(1, 99), "0.99");
    EXPECT_EQ(Wide(2, 5), " 0.5");
    EXPECT_EQ(Wide(4, 299), "29.9");
    EXPECT_EQ(Wide(5, 7), "   7");
    EXPECT_EQ(Wide(6, 101), " 101");
    EXPECT_EQ(Wide(0, 12345), "12345");
    EXPECT_EQ(Wide(3, 1013), "10.13");
}

// Scaling goes through multiplication by the decimal constant, so large
// values keep every digit.
TEST_F(Format, LargeValuesKeepAllDigits)
{
    EXPECT_EQ(Plain(1, 123456789), "1234567.89");
    EXPECT_EQ(Plain(2, 999999), "99999.9");
    EXPECT_EQ(Plain(0, INT32_MIN), "-2147483648");
    EXPECT_EQ(Plain(1, INT32_MIN), "-21474836.48");
}

// The text never runs past the caller's 32-byte buffer.
TEST_F(Format, NothingIsWrittenBeyondThirtyTwoBytes)
{
    for (uint8_t unit = 0; unit < 8; ++unit) {
        state.settings.pressureUnit = unit;
        char guarded[48];
        memset(guarded, '#', sizeof guarded);
        FormatPressure(guarded, INT32_MIN);
        FormatPressureWide(guarded, INT32_MIN);
        for (int i = 32; i < 48; ++i)
            ASSERT_EQ(guarded[i], '#') << "unit " << int(unit);
        EXPECT_LT(strlen(guarded), 32u);
    }
}

} // namespace
