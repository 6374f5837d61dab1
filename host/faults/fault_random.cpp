#include "host/faults/fault_random.h"

uint64_t FaultRandom::Next()
{
    uint64_t z = (state_ += 0x9e3779b97f4a7c15u);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
    return z ^ (z >> 31);
}

// The top 32 bits scaled onto the span: no division, and a bias far below
// what any fault could show.
int32_t FaultRandom::Between(int32_t low, int32_t high)
{
    const uint64_t span = (uint64_t)((int64_t)high - low + 1);
    return (int32_t)(low + (int64_t)(((Next() >> 32) * span) >> 32));
}
