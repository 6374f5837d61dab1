// The sensors' model: the inputs the instrument reads as a given pressure or
// speed, checked against the instrument's own updates.
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <utility>

#include "instrument/host_link.h"
#include "instrument/pressure.h"
#include "instrument/rpm.h"
#include "instrument/sensor_model.h"
#include "instrument/state.h"
#include "support/frame_check.h"

namespace {

int32_t PressureReadingAt(int32_t count)
{
    state.simPressureInput = count;
    UpdatePressure();
    return state.pressureMillibar;
}

// The speed before the cap: the input latched into the gate, timed as the window does.
uint32_t SpeedReadingAt(int32_t count)
{
    state.simPulseCount = state.rpmGateCount = (uint32_t)count;
    ReadRpmInput();
    return RawRpmReading();
}

void SetSpeedSettings(int pulseMode, int32_t pulsesPerRev)
{
    ResetInstrumentState();
    state.settings.pulseMode = (uint8_t)pulseMode;
    state.settings.pulsesPerRev = pulsesPerRev;
    UpdateRpmPeriodConstant();
}

} // namespace

// Every count's reading comes back as a count with the same reading; a speed
// between readings gets the input whose reading is nearest.
TEST(SensorModel, CountsForPressureAndSpeedMatchTheInstrumentsReadings)
{
    // pulse mode (-1: pressure), pulses per rev in tenths, value, count, clamped
    using Case = std::tuple<int, int32_t, double, int32_t, bool>;
    const Case cases[] = {// clang-format off
        {-1, 0, 1000, 1451, false}, {-1, 0, 600, 799, false}, {-1, 0, 1013, 1472, false},
        {-1, 0, 1012.6, 1472, false}, {-1, 0, 0, 0, true}, {-1, 0, 3000, 4096, true},
        {PulseModeGate, 60, 2400, 120, false}, {PulseModeGate, 20, 2400, 40, false},
        {PulseModeGate, 60, 1050, 53, false}, {PulseModeGate, 60, 100000, 4096, true},
        {PulseModeGate, 60, 0, 0, false}, {PulseModeGate, 60, -100, 0, true}, {PulseModeGate, 0, 2400, 0, false},
        {PulseModeTime, 60, 0.4, 0, false}, {PulseModeTime, 60, 100000, 1, false},
        {PulseModeTime, 60, 1, 4096, true}, {PulseModeTime, 0, 2400, 0, false}}; // clang-format on
    for (const auto &[pulseMode, pulsesPerRev, value, count, wantClamped] : cases) {
        pulseMode < 0 ? ResetInstrumentState() : SetSpeedSettings(pulseMode, pulsesPerRev);
        bool clamped = false;
        EXPECT_EQ(pulseMode < 0 ? PressureCountFor(value, &clamped) : PulseCountFor(value, &clamped), count)
            << value << ", mode " << pulseMode;
        EXPECT_EQ(clamped, wantClamped) << value << ", mode " << pulseMode;
    }

    ResetInstrumentState();
    bool clamped = false;
    for (int32_t count = SensorCountMin; count <= SensorCountMax; ++count) {
        const int32_t millibar = PressureReadingAt(count);
        const int32_t back = PressureCountFor(millibar, &clamped);
        ASSERT_EQ(PressureReadingAt(back), millibar) << "count " << count << " came back as " << back;
        // Within the sensor's range it is the largest count of that reading.
        ASSERT_TRUE(count < SensorCutOff || back >= SensorCountMax || PressureReadingAt(back + 1) != millibar)
            << "count " << count;
    }
    for (int pulseMode : {PulseModeGate, PulseModeTime})
        for (int32_t pulsesPerRev : {60, 20, 7, 600, 1000, 5000}) {
            SetSpeedSettings(pulseMode, pulsesPerRev);
            SCOPED_TRACE(testing::Message() << "mode " << pulseMode << ", " << pulsesPerRev << " tenths");
            for (int32_t count = SensorCountMin; count <= SensorCountMax; ++count) {
                const uint32_t rpm = SpeedReadingAt(count);
                const int32_t back = PulseCountFor(rpm, &clamped);
                ASSERT_EQ(SpeedReadingAt(back), rpm) << "count " << count << " came back as " << back;
            }
            for (double rpm : {256.6, 700.0, 2400.0, 2437.0, 5600.0}) {
                const int32_t count = PulseCountFor(rpm, &clamped);
                auto miss = [&](int32_t p) { return std::abs((double)SpeedReadingAt(p) - rpm); };
                for (int32_t p = 1; p <= SensorCountMax; ++p)
                    ASSERT_LE(miss(count), miss(p)) << rpm << " at " << count << ", nearer at " << p;
            }
        }
    ResetInstrumentState();
}
