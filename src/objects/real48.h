#pragma once
// The 6-byte real of every binary record: byte 0 the exponent with bias 129
// (0 means the value 0), bytes 1..5 a 39-bit fraction, least significant
// byte first, and the sign in bit 7 of byte 5.

#include <array>
#include <cstdint>

namespace tavo {

using Real48 = std::array<std::uint8_t, 6>;

// NaN becomes 0, magnitudes beyond the format saturate to its largest value,
// magnitudes below its smallest become 0.
Real48 EncodeReal48(double value);
double DecodeReal48(const Real48& bytes);

}  // namespace tavo
