// Sensor faults: their words read and written back, refusals, and what
// each does to the inputs for known slider values and seeds.
#include <gtest/gtest.h>

#include <cmath>

#include "host/faults/fault_effects.h"
#include "host/faults/sensor_faults.h"

namespace {

Fault Parsed(const char *text)
{
    Fault fault;
    std::string error;
    EXPECT_TRUE(ParseFault(text, fault, error)) << text << ": " << error;
    return fault;
}

} // namespace

TEST(SensorFaults, EveryFormReadsAndIsWrittenBack)
{
    for (const char *text :
         {"pressure off", "pressure open", "pressure short", "pressure stuck", "pressure noise 0",
          "pressure noise 500", "pressure drift -4096", "pressure drift 4096", "rpm off", "rpm dead",
          "rpm dropout 100", "rpm spikes 4096", "rpm jitter 0"})
        EXPECT_EQ(FaultText(Parsed(text)), text);
    const Fault noise = Parsed("  pressure\tnoise +20 ");
    EXPECT_EQ(noise, (Fault{FaultChannel::Pressure, FaultKind::Noise, 20}));
}

TEST(SensorFaults, RefusalsSayWhatIsWrongAndNameTheForms)
{
    const char *cases[][2] = {
        {"", "\"\" is not a fault"},
        {"pressure", "\"pressure\" is not a fault"},
        {"oil open", "\"oil\" is no sensor"},
        {"rpm open", "\"open\" is no fault of the rpm sensor"},
        {"pressure noise", "pressure noise needs an amount"},
        {"pressure open 3", "pressure open takes no amount"},
        {"pressure noise 501", "pressure noise 501 is outside 0..500"},
        {"rpm dropout -1", "rpm dropout -1 is outside 0..100"},
        {"pressure drift 4097", "pressure drift 4097 is outside -4096..4096"},
        {"rpm spikes 1.5", "\"1.5\" is not a whole number"},
        {"rpm jitter 99999999999", "\"99999999999\" is not a whole number"},
        {"rpm jitter 5 6", "is not a fault"},
    };
    for (const auto &c : cases) {
        Fault fault{FaultChannel::Rpm, FaultKind::Dead, 0};
        std::string error;
        EXPECT_FALSE(ParseFault(c[0], fault, error)) << c[0];
        EXPECT_NE(error.find(c[1]), std::string::npos) << c[0] << ": " << error;
        EXPECT_NE(error.find("pressure open|short|stuck|off"), std::string::npos) << error;
        EXPECT_NE(error.find("rpm dropout N"), std::string::npos) << error;
        EXPECT_EQ(fault.kind, FaultKind::Dead) << "a refused text changes nothing";
    }
}

// Every kind a channel lists reads with its amount's limits, and no further.
TEST(SensorFaults, TheKindListsMatchWhatIsRead)
{
    for (FaultChannel channel : {FaultChannel::Pressure, FaultChannel::Rpm}) {
        ASSERT_EQ(FaultKindsOf(channel).front().kind, FaultKind::Off);
        for (const FaultKindInfo &info : FaultKindsOf(channel)) {
            const std::string base = std::string(FaultChannelWord(channel)) + " " + info.word;
            Fault fault;
            std::string error;
            if (info.amountMin == 0 && info.amountMax == 0) {
                EXPECT_TRUE(ParseFault(base, fault, error)) << base;
                continue;
            }
            for (int32_t amount : {info.amountMin, info.amountMax})
                EXPECT_TRUE(ParseFault(base + " " + std::to_string(amount), fault, error)) << base << amount;
            for (int32_t amount : {info.amountMin - 1, info.amountMax + 1})
                EXPECT_FALSE(ParseFault(base + " " + std::to_string(amount), fault, error)) << base << amount;
        }
    }
}

// For each fault: the inputs given for slider counts, begun at 1000 ms with
// the instrument reading 1234, read at nowMs.
TEST(FaultEffects, PressureInputsForKnownCounts)
{
    struct Case {
        const char *fault;
        int32_t slider;
        int64_t nowMs;
        int32_t input;
    } cases[] = {
        {"pressure off", 1500, 1000, 1500},         {"pressure open", 1500, 1000, 0},
        {"pressure short", 1500, 1000, 4096},       {"pressure stuck", 600, 90000, 1234},
        {"pressure drift 120", 1500, 31000, 1560},  {"pressure drift -120", 1500, 61000, 1380},
        {"pressure drift 4096", 1500, 61000, 4096}, {"pressure drift -4096", 1500, 61000, 0},
        {"pressure noise 0", 1500, 5000, 1500},
    };
    for (const Case &c : cases) {
        FaultEffects effects;
        effects.Begin(Parsed(c.fault), 1234, 1000);
        EXPECT_EQ(effects.Pressure(c.slider, c.nowMs), c.input) << c.fault;
    }
}

TEST(FaultEffects, PulseInputsForKnownCounts)
{
    struct Case {
        const char *fault;
        int32_t slider;
        bool timeMode;
        int32_t input;
    } cases[] = {
        {"rpm off", 120, false, 120},
        {"rpm dead", 120, false, 0},
        {"rpm dead", 65, true, 0},
        {"rpm spikes 30", 120, false, 150},
        {"rpm spikes 30", 4090, false, 4096},
        // 781.25 / 65 = 12.02 pulses a gate, 42.02 with the spikes: a period of 18.6.
        {"rpm spikes 30", 65, true, 19},
        {"rpm spikes 5", 0, true, 156},
        {"rpm dropout 0", 120, false, 120},
        {"rpm dropout 100", 120, false, 0},
        {"rpm dropout 0", 65, true, 65},
        {"rpm dropout 100", 65, true, 0},
        {"rpm jitter 0", 120, false, 120},
    };
    for (const Case &c : cases) {
        FaultEffects effects;
        effects.Begin(Parsed(c.fault), 0, 0);
        EXPECT_EQ(effects.Pulses(c.slider, c.timeMode, 1), c.input) << c.fault << " at " << c.slider;
    }
}

// Over many passes the random faults stay within their amounts, spread over
// them, and average where they should; the same seed gives the same inputs.
TEST(FaultEffects, RandomFaultsStayWithinBoundsAndRepeatWithTheirSeed)
{
    FaultEffects noise, again, other;
    for (FaultEffects *effects : {&noise, &again, &other})
        effects->Begin(Parsed("pressure noise 100"), 0, 0);
    other.Seed(99);
    constexpr int Passes = 20000;
    double sum = 0, squares = 0;
    int32_t low = 4096, high = 0, differ = 0;
    for (int i = 0; i < Passes; ++i) {
        const int32_t input = noise.Pressure(2000, i);
        ASSERT_EQ(again.Pressure(2000, i), input);
        differ += other.Pressure(2000, i) != input;
        sum += input - 2000;
        squares += (input - 2000.0) * (input - 2000.0);
        low = std::min(low, input), high = std::max(high, input);
    }
    EXPECT_EQ(low, 1900);
    EXPECT_EQ(high, 2100);
    EXPECT_NEAR(sum / Passes, 0, 2);
    // Uniform over -100..100: a deviation of sqrt(100 x 102 / 3) = 58.3.
    EXPECT_NEAR(std::sqrt(squares / Passes), 58.3, 1.5);
    EXPECT_GT(differ, Passes * 9 / 10);

    FaultEffects dropout;
    dropout.Begin(Parsed("rpm dropout 30"), 0, 0);
    sum = squares = 0;
    constexpr int Gates = 4000;
    for (int gate = 1; gate <= Gates; ++gate) {
        const int32_t kept = dropout.Pulses(200, false, gate);
        ASSERT_EQ(dropout.Pulses(200, false, gate), kept) << "drawn once a gate";
        sum += kept;
        squares += (kept - 140.0) * (kept - 140.0);
    }
    // Binomial: 200 x 0.7 = 140 kept, deviation sqrt(200 x 0.7 x 0.3) = 6.48.
    EXPECT_NEAR(sum / Gates, 140, 0.5);
    EXPECT_NEAR(std::sqrt(squares / Gates), 6.48, 0.4);

    FaultEffects jitter;
    jitter.Begin(Parsed("rpm jitter 10"), 0, 0);
    low = 4096, high = 0;
    for (int i = 0; i < Passes; ++i) {
        const int32_t input = jitter.Pulses(1000, true, 1);
        low = std::min(low, input), high = std::max(high, input);
    }
    EXPECT_EQ(low, 900);
    EXPECT_EQ(high, 1100);
}
