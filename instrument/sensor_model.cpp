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

// a / b rounded down and up, for b > 0 and a of either sign.
static int64_t FloorDivide(int64_t a, int64_t b) { return a >= 0 ? a / b : -((b - 1 - a) / b); }
static int64_t CeilDivide(int64_t a, int64_t b) { return -FloorDivide(-a, b); }

// In the gate mode count c reads c x GatesPerMinuteTimesTen / pulsesPerRev,
// truncated: rising with c, by less than 2 rpm a count when a revolution has
// more than 60 pulses, so that several counts may read the same.
static int32_t GateCountFor(double rpm, int64_t pulsesPerRev, bool *clamped)
{
    if (pulsesPerRev <= 0)
        return Clamped(0, clamped);
    auto reading = [&](int64_t c) { return (double)FloorDivide(c * GatesPerMinuteTimesTen, pulsesPerRev); };
    // Past the readings of the counts just beyond the range, those are
    // nearer than any inside it.
    if (rpm > reading(SensorCountMax + 1))
        return Clamped(SensorCountMax + 1, clamped);
    if (rpm < reading(SensorCountMin - 1))
        return Clamped(SensorCountMin - 1, clamped);
    // Readings are whole: the first count reading rpm or more reads at least
    // its ceiling; the count before it reads less than rpm.
    const int64_t atLeast = (int64_t)std::ceil(rpm);
    const int64_t above = CeilDivide(atLeast * pulsesPerRev, GatesPerMinuteTimesTen);
    const int64_t below = above - 1;
    return Clamped((double)(reading(above) - rpm <= rpm - reading(below) ? above : below), clamped);
}

int32_t PulseCountFor(double rpm, bool *clamped)
{
    const Settings &s = state.settings;
    if (s.pulseMode != PulseModeTime)
        return GateCountFor(rpm, s.pulsesPerRev, clamped);
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
