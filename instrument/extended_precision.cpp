#include "instrument/extended_precision.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <utility>

namespace {

// Wide enough for the exact product of two significands.
__extension__ typedef unsigned __int128 Wide;

constexpr uint64_t TopBit = UINT64_C(1) << 63;

int LeadingZeros(Wide m)
{
    uint64_t high = (uint64_t)(m >> 64);
    return high != 0 ? std::countl_zero(high) : 64 + std::countl_zero((uint64_t)m);
}

// m x 2^exponent (m not zero) rounded to a 64-bit significand. With sticky
// set, the exact magnitude lies strictly between m and m + 1 (in units of
// 2^exponent); m then has bits far below the rounding point, so only ties
// need sticky.
Extended Round(bool negative, int32_t exponent, Wide m, bool sticky)
{
    int shift = LeadingZeros(m);
    m <<= shift;
    uint64_t kept = (uint64_t)(m >> 64);
    uint64_t rest = (uint64_t)m;
    exponent += 64 - shift;
    if (rest > TopBit || (rest == TopBit && (sticky || (kept & 1)))) {
        if (++kept == 0) { // carried out of the top: 2^64
            kept = TopBit;
            ++exponent;
        }
    }
    return {kept, exponent, negative};
}

Extended Add(Extended a, Extended b)
{
    if (b.significand == 0)
        return a.significand == 0 ? Extended{0, 0, a.negative && b.negative} : a;
    if (a.significand == 0)
        return b;
    if (a.exponent < b.exponent || (a.exponent == b.exponent && a.significand < b.significand))
        std::swap(a, b); // a is the larger magnitude
    // 62 spare bits below both: an operand shifted into line loses bits only
    // when it lies more than 62 binary places below the other, and then the
    // result keeps far more bits than the rounding looks at.
    Wide large = (Wide)a.significand << 62;
    Wide small = (Wide)b.significand << 62;
    int64_t apart = (int64_t)a.exponent - b.exponent;
    bool sticky = false;
    if (apart >= 126) {
        sticky = true;
        small = 0;
    } else if (apart > 0) {
        sticky = (small & (((Wide)1 << apart) - 1)) != 0;
        small >>= apart;
    }
    int32_t exponent = a.exponent - 62;
    if (a.negative == b.negative)
        return Round(a.negative, exponent, large + small, sticky);
    // Bits shifted out of the subtrahend leave the difference strictly
    // between large - small - 1 and large - small.
    Wide m = large - small - (sticky ? 1 : 0);
    if (m == 0)
        return {0, 0, false}; // an exact cancellation gives +0
    return Round(a.negative, exponent, m, sticky);
}

// x rounded to `precision` bits with none below 2^lowest (the last bit of
// the format's subnormals), then built by an exact scaling.
template <typename Real> Real Narrow(Extended x, int precision, int32_t lowest)
{
    if (x.significand == 0)
        return x.negative ? -(Real)0 : (Real)0;
    int32_t last = std::max(x.exponent + 64 - precision, lowest); // weight of the last kept bit
    int32_t drop = last - x.exponent;                             // at least 64 - precision
    uint64_t kept = 0;
    if (drop <= 65) { // else the magnitude is below a quarter of the last bit
        Wide m = x.significand;
        Wide half = (Wide)1 << (drop - 1);
        Wide rest = m & ((half << 1) - 1);
        kept = (uint64_t)(m >> drop);
        if (rest > half || (rest == half && (kept & 1)))
            ++kept;
    }
    Real magnitude = std::ldexp((Real)kept, last);
    return x.negative ? -magnitude : magnitude;
}

} // namespace

Extended ExtendedFromInt(int64_t value)
{
    bool negative = value < 0;
    uint64_t m = negative ? 0 - (uint64_t)value : (uint64_t)value;
    if (m == 0)
        return {0, 0, false};
    int shift = std::countl_zero(m);
    return {m << shift, -shift, negative};
}

Extended ExtendedFromFloat(float value)
{
    uint32_t bits; // std::bit_cast is missing from some toolchains' libraries
    memcpy(&bits, &value, sizeof bits);
    bool negative = (bits >> 31) != 0;
    uint32_t biased = (bits >> 23) & 0xFF;
    uint64_t m = bits & 0x7FFFFF;
    int32_t exponent = -149; // of a subnormal's last bit
    if (biased != 0) {
        m |= 1u << 23;
        exponent = (int32_t)biased - 150;
    }
    if (m == 0)
        return {0, 0, negative};
    int shift = std::countl_zero(m);
    return {m << shift, exponent - shift, negative};
}

Extended ExtendedMultiply(Extended a, Extended b)
{
    bool negative = a.negative != b.negative;
    if (a.significand == 0 || b.significand == 0)
        return {0, 0, negative};
    return Round(negative, a.exponent + b.exponent, (Wide)a.significand * b.significand, false);
}

// Long division: 64 quotient bits or 65, two more bit by bit, and whether
// anything remains.
Extended ExtendedDivide(Extended a, Extended b)
{
    bool negative = a.negative != b.negative;
    if (a.significand == 0)
        return {0, 0, negative};
    Wide numerator = (Wide)a.significand << 64;
    Wide quotient = numerator / b.significand;
    Wide remainder = numerator - quotient * b.significand;
    for (int bit = 0; bit < 2; ++bit) {
        quotient <<= 1;
        remainder <<= 1;
        if (remainder >= b.significand) {
            quotient |= 1;
            remainder -= b.significand;
        }
    }
    return Round(negative, a.exponent - b.exponent - 66, quotient, remainder != 0);
}

Extended ExtendedSubtract(Extended a, Extended b)
{
    b.negative = !b.negative;
    return Add(a, b);
}

float ExtendedToFloat(Extended x) { return Narrow<float>(x, 24, -149); }

double ExtendedToDouble(Extended x) { return Narrow<double>(x, 53, -1074); }

int32_t ExtendedTruncate(Extended x)
{
    // The significand's top bit weighs 2^(exponent + 63).
    if (x.significand == 0 || x.exponent <= -64)
        return 0;
    if (x.exponent >= -32) // 2^31 or more
        return x.negative ? INT32_MIN : INT32_MAX;
    int32_t whole = (int32_t)(x.significand >> -x.exponent);
    return x.negative ? -whole : whole;
}
