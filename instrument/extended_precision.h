// Arithmetic with a 64-bit significand, rounded to nearest with ties to even
// after every operation: the precision of the x87 extended format, in which
// the bar scales and the pressure texts are defined. It is done with integers
// so that every target gives the same dots and digits, whatever its own
// long double is.
//
// Operands come from 32-bit integers and single-precision floats, so results
// stay far inside the extended format's exponent range; the exponent here is
// not bounded and nothing overflows or underflows.
#pragma once
#include <cstdint>

// (-1)^negative x significand x 2^exponent. The significand has its top bit
// set, or is 0 for zero (which keeps its sign).
struct Extended {
    uint64_t significand;
    int32_t exponent;
    bool negative;
};

// Exact conversions. A float must be finite (subnormals are fine).
Extended ExtendedFromInt(int64_t value);
Extended ExtendedFromFloat(float value);

// a x b, a / b (b not zero) and a - b, each rounded once.
Extended ExtendedMultiply(Extended a, Extended b);
Extended ExtendedDivide(Extended a, Extended b);
Extended ExtendedSubtract(Extended a, Extended b);

// Rounded to nearest-even in the narrower format, subnormals included;
// beyond its largest finite value the result is infinite.
float ExtendedToFloat(Extended x);
double ExtendedToDouble(Extended x);

// Truncated toward zero; beyond the 32-bit range the result is held at
// INT32_MAX or INT32_MIN (2147483647.x gives INT32_MAX too).
int32_t ExtendedTruncate(Extended x);
