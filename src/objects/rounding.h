#pragma once
// Rounding and narrowing of terminal geometry. Geometry is held as reals;
// every terminal form writes whole numbers, rounded to the nearest with
// halves going to the even neighbour (2.5 -> 2, 3.5 -> 4). Narrowing
// saturates so that damaged or extreme values never wrap or overflow.

#include <cmath>
#include <cstdint>
#include <limits>

namespace tavo {

// Nearest whole number, ties to even (the default floating-point rounding).
inline double RoundEven(double value) {
  return std::nearbyint(value);
}

inline std::int32_t SaturateToI32(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
  if (value <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(value);
}

inline std::int16_t SaturateToI16(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 32767.0) return 32767;
  if (value <= -32768.0) return -32768;
  return static_cast<std::int16_t>(value);
}

// Rounded (ties to even) and saturated.
inline std::int32_t RoundToI32(double value) {
  return SaturateToI32(RoundEven(value));
}
inline std::int16_t RoundToI16(double value) {
  return SaturateToI16(RoundEven(value));
}

// Coordinates read from text are kept inside the range the terminal forms
// can carry; anything beyond cannot be drawn, compiled or written back.
inline double ClampCoordinate(double value) {
  if (std::isnan(value)) return 0;
  if (value > 32767.0) return 32767.0;
  if (value < -32768.0) return -32768.0;
  return value;
}

}  // namespace tavo
