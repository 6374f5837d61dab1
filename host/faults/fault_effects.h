// What the sensor faults do to the instrument's inputs: given the count a
// slider (or a feed moving it) delivers, the count the instrument reads
// under the present fault. Plain C++ with no window in it, so that the
// form, the tests and any runner apply the same arithmetic.
#pragma once
#include <cstdint>

#include "host/faults/fault_random.h"
#include "host/faults/sensor_faults.h"

class FaultEffects {
  public:
    // Restarts the random faults' numbers from seed.
    void Seed(uint64_t seed);
    // Replaces the channel's fault (kind Off ends it) at the clock's time
    // nowMs; stuck keeps presentPressure, the count the instrument read at
    // that moment, and drift counts from nowMs.
    void Begin(const Fault &fault, int32_t presentPressure, int64_t nowMs);
    const SensorFaults &Faults() const { return faults_; }

    // The pressure count the instrument reads this pass for the slider's
    // count: one draw of noise a pass.
    int32_t Pressure(int32_t sliderCount, int64_t nowMs);
    // The pulse input the instrument reads this pass for the slider's: the
    // pulses of a half-second gate, or with timeMode the period. gate names
    // the present gate: dropout and spikes are drawn once a gate (for its
    // pulses), jitter once a pass.
    int32_t Pulses(int32_t sliderCount, bool timeMode, uint64_t gate);

  private:
    int32_t GatePulses(int32_t sliderCount, bool timeMode);

    SensorFaults faults_;
    FaultRandom pressureRandom_, rpmRandom_{FixedFaultSeed ^ 1};
    int32_t stuckCount_ = 0;
    int64_t driftFromMs_ = 0;
    // The gate's draw, kept while the gate and the slider's count stay.
    uint64_t drawnGate_ = 0;
    int32_t drawnFor_ = -1, drawn_ = 0;
    bool drawnInTimeMode_ = false;
};
