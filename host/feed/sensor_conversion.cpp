#include "host/feed/sensor_conversion.h"

#include <cmath>
#include <cstdlib>

#include "host/controls/control_table.h"
#include "instrument/state.h"

namespace {

constexpr uint8_t PulseModeTime = 1;
// In the time mode the instrument measures the period of pulses as the
// slider's position times this many timer counts.
constexpr int64_t CountsPerPosition = 20;

int32_t Clamped(double position, bool *clamped)
{
    *clamped = position < SliderMin || position > SliderMax;
    return *clamped ? (position < SliderMin ? SliderMin : SliderMax) : (int32_t)position;
}

} // namespace

int32_t PressureSliderFor(double millibar, bool *clamped)
{
    // The instrument reads whole millibar: the nearest is the one to show.
    const double m = std::round(millibar);
    return Clamped(std::floor(((m + 1) * 163 - 1) / 100) - 180, clamped);
}

int32_t SpeedSliderFor(double rpm, bool *clamped)
{
    const Settings &s = state.settings;
    if (s.pulseMode != PulseModeTime)
        return Clamped(std::round(rpm * s.pulsesPerRev / 1200), clamped);
    const int64_t constant = state.rpmPeriodConstant;
    if (rpm < 0.5 || constant <= 0)
        return Clamped(0, clamped);
    // The reading at position p is constant / (p x 20), truncated; the best
    // position lies next to the exact one.
    auto reading = [&](int64_t p) { return (double)(constant / (p * CountsPerPosition)); };
    const int64_t exact = (int64_t)(constant / (rpm * CountsPerPosition));
    int64_t best = 0;
    double bestMiss = INFINITY;
    for (int64_t p = exact - 1; p <= exact + 2; ++p)
        if (p >= 1 && std::abs(reading(p) - rpm) < bestMiss) {
            bestMiss = std::abs(reading(p) - rpm);
            best = p;
        }
    if (best == 0) // faster than a position of 1 can show
        best = 1;
    return Clamped((double)best, clamped);
}
