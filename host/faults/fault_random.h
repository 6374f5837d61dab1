// The random numbers of the faults: splitmix64 over a 64-bit state, so that
// a seed gives the same numbers in every build (native and WebAssembly),
// which the standard library's distributions do not promise.
#pragma once
#include <cstdint>

// The seed of every run until a script or the user sets another.
constexpr uint64_t FixedFaultSeed = 0x51504b32u;

class FaultRandom {
  public:
    explicit FaultRandom(uint64_t seed = FixedFaultSeed) : state_(seed) {}
    uint64_t Next();
    // A whole number in low..high, both included (low <= high).
    int32_t Between(int32_t low, int32_t high);
    // True with a chance of percent in 100.
    bool Chance(int32_t percent) { return Between(0, 99) < percent; }

  private:
    uint64_t state_;
};
