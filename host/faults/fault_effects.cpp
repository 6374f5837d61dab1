#include "host/faults/fault_effects.h"

#include <algorithm>
#include <cmath>

#include "instrument/sensor_model.h"

namespace {

int32_t Clamp(int64_t count) { return (int32_t)std::clamp<int64_t>(count, SensorCountMin, SensorCountMax); }

// In the time mode a period input p reads as the speed that 781.25 / p
// pulses a half-second gate read in the gate mode: 937500 / (pulsesPerRev x
// p) against 1200 x n / pulsesPerRev (instrument/rpm.cpp).
constexpr double PeriodInputsPerGate = 781.25;

} // namespace

void FaultEffects::Seed(uint64_t seed)
{
    pressureRandom_ = FaultRandom(seed);
    rpmRandom_ = FaultRandom(seed ^ 1);
    drawnFor_ = -1;
}

void FaultEffects::Begin(const Fault &fault, int32_t presentPressure, int64_t nowMs)
{
    faults_.Of(fault.channel) = fault;
    if (fault.channel == FaultChannel::Pressure) {
        stuckCount_ = presentPressure;
        driftFromMs_ = nowMs;
    }
    drawnFor_ = -1;
}

int32_t FaultEffects::Pressure(int32_t sliderCount, int64_t nowMs)
{
    const Fault &fault = faults_.pressure;
    switch (fault.kind) {
    case FaultKind::Open:
        return SensorCountMin;
    case FaultKind::Short:
        return SensorCountMax;
    case FaultKind::Stuck:
        return stuckCount_;
    case FaultKind::Noise:
        return Clamp((int64_t)sliderCount + pressureRandom_.Between(-fault.amount, fault.amount));
    case FaultKind::Drift:
        return Clamp((int64_t)sliderCount + (int64_t)fault.amount * (nowMs - driftFromMs_) / 60000);
    default:
        return sliderCount;
    }
}

// Dropout and spikes for one gate. In the gate mode each of the gate's
// pulses is lost with the chance given, and the spikes are extra pulses. In
// the time mode a lost pulse joins two periods into one (as often as pulses
// are lost in a row), and spikes among the gate's pulses shorten the
// period to the half-second over all of them.
int32_t FaultEffects::GatePulses(int32_t sliderCount, bool timeMode)
{
    const Fault &fault = faults_.rpm;
    if (fault.kind == FaultKind::Dropout) {
        if (!timeMode) {
            int32_t kept = 0;
            for (int32_t pulse = 0; pulse < sliderCount; ++pulse)
                kept += !rpmRandom_.Chance(fault.amount);
            return kept;
        }
        if (fault.amount >= 100 || sliderCount == 0)
            return 0;
        int64_t periods = 1;
        while (rpmRandom_.Chance(fault.amount) && periods * sliderCount <= SensorCountMax)
            ++periods;
        return Clamp(periods * sliderCount);
    }
    if (fault.kind == FaultKind::Spikes) {
        if (!timeMode)
            return Clamp((int64_t)sliderCount + fault.amount);
        const double pulses = (sliderCount > 0 ? PeriodInputsPerGate / sliderCount : 0) + fault.amount;
        return pulses > 0 ? std::max<int32_t>(1, Clamp(std::lround(PeriodInputsPerGate / pulses))) : 0;
    }
    return sliderCount;
}

int32_t FaultEffects::Pulses(int32_t sliderCount, bool timeMode, uint64_t gate)
{
    const Fault &fault = faults_.rpm;
    switch (fault.kind) {
    case FaultKind::Dead:
        return 0;
    case FaultKind::Dropout:
    case FaultKind::Spikes:
        if (gate != drawnGate_ || sliderCount != drawnFor_ || timeMode != drawnInTimeMode_) {
            drawn_ = GatePulses(sliderCount, timeMode);
            drawnGate_ = gate;
            drawnFor_ = sliderCount;
            drawnInTimeMode_ = timeMode;
        }
        return drawn_;
    case FaultKind::Jitter: {
        // Up to the percentage either way, in hundredths of a percent.
        const int64_t change =
            (int64_t)sliderCount * rpmRandom_.Between(-100 * fault.amount, 100 * fault.amount);
        return Clamp(sliderCount + (int64_t)std::lround((double)change / 10000));
    }
    default:
        return sliderCount;
    }
}
