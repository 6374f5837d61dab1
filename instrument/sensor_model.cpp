#include "instrument/sensor_model.h"

#include <cmath>
#include <cstdlib>

#include "instrument/pressure.h"
#include "instrument/rpm.h"
#include "instrument/state.h"

static int32_t Clamped(double count, bool *clamped)
{
    *clamped = count < SensorCountMin || count > SensorCountMax;
    return *clamped ? (count < SensorCountMin ? SensorCountMin : SensorCountMax) : (int32_t)count;
}

int32_t PressureCountFor(double millibar, bool *clamped)
{
    // The instrument reads whole millibar: the nearest is the one to show.
    const double m = std::round(millibar);
    const double largestValue = std::floor(((m + 1) * SensorCountsPerHundredMillibar - 1) / 100);
    return Clamped(largestValue - SensorZeroOffset, clamped);
}

int32_t PulseCountFor(double rpm, bool *clamped)
{
    const Settings &s = state.settings;
    if (s.pulseMode != PulseModeTime)
        return Clamped(std::round(rpm * s.pulsesPerRev / GatesPerMinuteTimesTen), clamped);
    const int64_t constant = state.rpmPeriodConstant;
    if (rpm < 0.5 || constant <= 0)
        return Clamped(0, clamped);
    // The reading at input p is constant / (p x TimerCountsPerPulseInput),
    // truncated; the best input lies next to the exact one.
    const int64_t countsPerInput = TimerCountsPerPulseInput;
    auto reading = [&](int64_t p) { return (double)(constant / (p * countsPerInput)); };
    const int64_t exact = (int64_t)(constant / (rpm * countsPerInput));
    int64_t best = 0;
    double bestMiss = INFINITY;
    for (int64_t p = exact - 1; p <= exact + 2; ++p)
        if (p >= 1 && std::abs(reading(p) - rpm) < bestMiss) {
            bestMiss = std::abs(reading(p) - rpm);
            best = p;
        }
    if (best == 0) // faster than an input of 1 can show
        best = 1;
    return Clamped((double)best, clamped);
}
