// The soak's random stream: a fixed, fully specified generator, so that a
// seed gives the same events on every machine and standard library.
#pragma once
#include <cstdint>

class SoakRandom {
  public:
    explicit SoakRandom(uint64_t seed) : state_(seed) {}

    uint64_t Next()
    {
        uint64_t z = (state_ += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return z ^ (z >> 31);
    }
    // 0 .. n-1; n must not be 0.
    uint32_t Below(uint32_t n) { return (uint32_t)(Next() % n); }
    // lo .. hi, both included.
    int64_t Between(int64_t lo, int64_t hi) { return lo + (int64_t)(Next() % (uint64_t)(hi - lo + 1)); }
    bool OneIn(uint32_t n) { return Below(n) == 0; }

  private:
    uint64_t state_;
};
