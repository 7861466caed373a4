#include "objects/real48.h"

#include <cmath>

namespace tavo {

namespace {
constexpr int kBias = 129;
constexpr std::uint64_t kFractionOne = std::uint64_t{1} << 39;

Real48 Pack(int exponent, std::uint64_t fraction, bool negative) {
  Real48 out{};
  out[0] = static_cast<std::uint8_t>(exponent);
  for (int i = 0; i < 5; ++i) out[1 + i] = static_cast<std::uint8_t>(fraction >> (8 * i));
  out[5] &= 0x7F;
  if (negative) out[5] |= 0x80;
  return out;
}
}  // namespace

Real48 EncodeReal48(double value) {
  if (std::isnan(value) || value == 0) return Real48{};
  const bool negative = std::signbit(value);
  double magnitude = std::fabs(value);
  if (std::isinf(magnitude)) return Pack(255, kFractionOne - 1, negative);
  int e = 0;
  const double f = std::frexp(magnitude, &e);  // magnitude = f * 2^e, f in [0.5, 1)
  int exponent = e - 1 + kBias;
  // (2f - 1) * 2^39, rounded to the nearest with ties to even.
  double scaled = std::nearbyint((2 * f - 1) * static_cast<double>(kFractionOne));
  std::uint64_t fraction = static_cast<std::uint64_t>(scaled);
  if (fraction >= kFractionOne) {
    fraction = 0;
    ++exponent;
  }
  if (exponent < 1) return Real48{};
  if (exponent > 255) return Pack(255, kFractionOne - 1, negative);
  return Pack(exponent, fraction, negative);
}

double DecodeReal48(const Real48& bytes) {
  if (bytes[0] == 0) return 0;
  std::uint64_t fraction = 0;
  for (int i = 4; i >= 0; --i) fraction = (fraction << 8) | bytes[1 + i];
  fraction &= kFractionOne - 1;
  const double mantissa = 1.0 + static_cast<double>(fraction) / static_cast<double>(kFractionOne);
  const double value = std::ldexp(mantissa, bytes[0] - kBias);
  return (bytes[5] & 0x80) ? -value : value;
}

}  // namespace tavo
