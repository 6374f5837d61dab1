// The sensors' model: the inputs the instrument reads as a given pressure or
// speed, checked against the instrument's own updates.
#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "instrument/host_link.h"
#include "instrument/pressure.h"
#include "instrument/rpm.h"
#include "instrument/sensor_model.h"
#include "instrument/state.h"
#include "support/frame_check.h"

namespace {

// What the pressure update reads at a count, unfiltered and uncalibrated.
int32_t PressureReadingAt(int32_t count)
{
    state.simPressureInput = count;
    UpdatePressure();
    return state.pressureMillibar;
}

// What the speed measurement reads at a pulse input, before the cap: the
// input is latched into the gate and timed as the window does.
uint32_t SpeedReadingAt(int32_t count)
{
    state.simPulseCount = (uint32_t)count;
    state.rpmGateCount = (uint32_t)count;
    ReadRpmInput();
    return RawRpmReading();
}

void SetSpeedSettings(uint8_t pulseMode, int32_t pulsesPerRev)
{
    ResetInstrumentState();
    state.settings.pulseMode = pulseMode;
    state.settings.pulsesPerRev = pulsesPerRev;
    UpdateRpmPeriodConstant();
}

} // namespace

TEST(SensorModel, PressureAndSpeedAsTheSensorsWouldDeliverThem)
{
    ResetInstrumentState();
    struct Pressure {
        double millibar;
        int32_t count; // SensorCountMax and 0: held at the range's end
        bool clamped;
    };
    for (const Pressure &p :
         {Pressure{1000, 1451, false}, Pressure{600, 799, false}, Pressure{1013, 1472, false},
          Pressure{1012.6, 1472, false}, Pressure{0, 0, true}, Pressure{3000, 4096, true}}) {
        bool clamped = false;
        EXPECT_EQ(PressureCountFor(p.millibar, &clamped), p.count) << p.millibar;
        EXPECT_EQ(clamped, p.clamped) << p.millibar;
    }
    struct Speed {
        uint8_t pulseMode;
        int32_t pulsesPerRev; // tenths
        double rpm;
        int32_t count;
        bool clamped;
    };
    for (const Speed &r :
         {Speed{PulseModeGate, 60, 2400, 120, false}, Speed{PulseModeGate, 20, 2400, 40, false},
          Speed{PulseModeGate, 60, 1050, 53, false}, Speed{PulseModeGate, 60, 100000, 4096, true},
          Speed{PulseModeGate, 60, 0, 0, false}, Speed{PulseModeGate, 60, -100, 0, true},
          Speed{PulseModeGate, 0, 2400, 0, false}, Speed{PulseModeTime, 60, 0.4, 0, false},
          Speed{PulseModeTime, 60, 100000, 1, false}, Speed{PulseModeTime, 60, 1, 4096, true},
          Speed{PulseModeTime, 0, 2400, 0, false}}) {
        SetSpeedSettings(r.pulseMode, r.pulsesPerRev);
        bool clamped = false;
        EXPECT_EQ(PulseCountFor(r.rpm, &clamped), r.count) << r.rpm << " rpm, mode " << (int)r.pulseMode;
        EXPECT_EQ(clamped, r.clamped) << r.rpm << " rpm, mode " << (int)r.pulseMode;
    }
    // In either mode, at settings where a count's step is not a whole
    // number of rpm, the input whose reading is nearest of all.
    for (const auto &[pulseMode, pulsesPerRev] :
         {std::pair{PulseModeTime, 60}, std::pair{PulseModeGate, 7}, std::pair{PulseModeGate, 1000}}) {
        SetSpeedSettings(pulseMode, pulsesPerRev);
        for (double rpm : {256.6, 700.0, 2400.0, 2437.0, 5600.0}) {
            bool clamped = false;
            const int32_t count = PulseCountFor(rpm, &clamped);
            auto miss = [&](int32_t p) { return std::abs((double)SpeedReadingAt(p) - rpm); };
            const double best = miss(count);
            for (int32_t p = 1; p <= SensorCountMax; ++p)
                ASSERT_LE(best, miss(p))
                    << "mode " << (int)pulseMode << ", " << rpm << " at " << count << ", nearer at " << p;
        }
    }
    ResetInstrumentState();
}

// Every count's reading, handed back to the model, gives a count that reads
// the same: the model and the instrument's arithmetic agree to the last
// count, whatever constant either side holds.
TEST(SensorModel, EveryCountsReadingComesBackAsACountWithTheSameReading)
{
    ResetInstrumentState();
    for (int32_t count = SensorCountMin; count <= SensorCountMax; ++count) {
        const int32_t millibar = PressureReadingAt(count);
        bool clamped = false;
        const int32_t back = PressureCountFor(millibar, &clamped);
        ASSERT_EQ(PressureReadingAt(back), millibar) << "count " << count << " came back as " << back;
        // Within the sensor's range it is the largest count of that reading.
        if (count >= SensorCutOff && back < SensorCountMax) {
            ASSERT_NE(PressureReadingAt(back + 1), millibar) << "count " << count;
        }
    }

    for (const auto &[pulseMode, pulsesPerRev] :
         {std::pair{PulseModeGate, 60}, std::pair{PulseModeGate, 20}, std::pair{PulseModeGate, 7},
          std::pair{PulseModeGate, 600}, std::pair{PulseModeGate, 1000}, std::pair{PulseModeGate, 5000},
          std::pair{PulseModeTime, 60}, std::pair{PulseModeTime, 7}, std::pair{PulseModeTime, 1000},
          std::pair{PulseModeTime, 5000}}) {
        SetSpeedSettings(pulseMode, pulsesPerRev);
        for (int32_t count = SensorCountMin; count <= SensorCountMax; ++count) {
            const uint32_t rpm = SpeedReadingAt(count);
            bool clamped = false;
            const int32_t back = PulseCountFor(rpm, &clamped);
            ASSERT_EQ(SpeedReadingAt(back), rpm) << "mode " << (int)pulseMode << ", " << pulsesPerRev
                                                 << " tenths: count " << count << " came back as " << back;
        }
    }
    ResetInstrumentState();
}
