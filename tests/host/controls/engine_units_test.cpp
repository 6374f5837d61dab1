// Engine values in real units: every pressure unit read as the feeds read
// the same value, the sliders' counts for them and the texts back.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "host/controls/engine_units.h"
#include "host/feed/feed_datagram.h"
#include "instrument/pressure_units.h"
#include "instrument/rpm.h"
#include "instrument/settings.h"
#include "instrument/state.h"

namespace {

class EngineUnits : public ::testing::Test {
  protected:
    void SetUp() override
    {
        memset(&state, 0, sizeof state);
        LoadDefaultSettings();
        UpdateRpmPeriodConstant();
    }
};

} // namespace

// Each value against the same value in a feed's datagram (the column of
// its unit), and the slider count for it.
TEST_F(EngineUnits, EveryPressureUnitConvertsAsTheFeedsDo)
{
    struct Case {
        const char *value, *datagram;
        int32_t slider;
    } cases[] = {
        {"25.0inHg", "mp_inhg=25.0", 1202}, {"25 \"Hg", "mp_inhg=25", 1202},
        {"1013mbar", "mp_mbar=1013", 1472}, {"1013mB", "mp_mbar=1013", 1472},
        {"1013hPa", "mp_mbar=1013", 1472},  {"1.2bar", "mp_mbar=1200", 1777},
        {"101kPa", "mp_kpa=101", 1467},     {"14.7psi", "mp_psi=14.7", 1474},
        {"0mbar", "mp_mbar=0", 0},          {"9bar", "mp_mbar=9000", 4096},
    };
    for (const Case &c : cases) {
        double millibar = -1;
        std::string error;
        ASSERT_TRUE(ParsePressureValue(c.value, millibar, error)) << c.value << ": " << error;
        FeedValues fed{};
        ASSERT_TRUE(ParseFeedDatagram(c.datagram, &fed, &error)) << error;
        EXPECT_NEAR(millibar, fed.millibar, 1e-9) << c.value;
        EXPECT_EQ(PressureSliderFor(millibar), c.slider) << c.value;
    }
}

TEST_F(EngineUnits, RefusalsNameTheUnits)
{
    for (const char *text : {"25", "25 inches", "inHg", "-3psi", "1.2.3bar", ""}) {
        double millibar = 0;
        std::string error;
        EXPECT_FALSE(ParsePressureValue(text, millibar, error)) << text;
        EXPECT_NE(error.find("mbar, bar, kPa, inHg, psi"), std::string::npos) << error;
    }
    double rpm = 0;
    std::string error;
    EXPECT_TRUE(ParseSpeedValue("2400rpm", rpm, error) && rpm == 2400);
    EXPECT_FALSE(ParseSpeedValue("2400 Hz", rpm, error));
}

// The counts back in real units, in the display's present unit and under
// the present pulse settings.
TEST_F(EngineUnits, SliderTextsFollowTheSettings)
{
    EXPECT_EQ(PressureSliderText(1500), "1500 = 1030 mB");
    EXPECT_EQ(PressureSliderText(100), "100 = 0 mB"); // below the sensor's range
    state.settings.pressureUnit = UnitInchesHg;
    EXPECT_EQ(PressureSliderText(1500), "1500 = 30.4 \"Hg");
    EXPECT_NEAR(PresentPressureUnit().millibarPerUnit, 33.8638, 1e-4);
    state.settings.pressureUnit = UnitBar;
    EXPECT_EQ(PressureSliderText(1500), "1500 = 1.03 bar");

    EXPECT_EQ(SpeedSliderText(120), "120 = 2400 rpm");
    EXPECT_EQ(SpeedSliderFor(2400), 120);
    state.settings.pulsesPerRev = 20; // two pulses a revolution
    EXPECT_EQ(SpeedSliderText(40), "40 = 2400 rpm");
    state.settings.pulseMode = PulseModeTime;
    UpdateRpmPeriodConstant();
    // 46875 / period rpm: 78 reads 600.
    const int32_t period = SpeedSliderFor(600);
    EXPECT_EQ(period, 78);
    EXPECT_EQ(RpmAtSlider(period), 600);
    EXPECT_LT(RpmAtSlider(period + 1), RpmAtSlider(period)) << "a longer period is a slower engine";
    EXPECT_EQ(RpmAtSlider(0), 0);
}
