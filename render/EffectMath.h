// The arithmetic of the effects: whole-number products in 32-bit signed arithmetic (they
// wrap as the card's numbers always have), rounding half to even, and divisions whose
// divisor may be zero.
#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

// The 32-bit signed value of a whole-number result (two's complement wrap-around). Sums and
// products of 32-bit values computed in 64 bits and wrapped once equal the step-by-step
// 32-bit results.
inline std::int32_t Wrap32(std::int64_t value)
{
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(value)));
}

// Nearest whole number, ties to the even one (2.5 -> 2, 3.5 -> 4, -1.5 -> -2).
inline double RoundHalfEven(double value)
{
  double nearest = std::round(value); // ties away from zero
  if (std::fabs(value - std::trunc(value)) == 0.5 && std::fmod(nearest, 2.0) != 0.0)
    nearest -= std::copysign(1.0, value);
  return nearest;
}

// dividend / divisor, or no value when the divisor is zero.
inline std::optional<double> Quotient(double dividend, double divisor)
{
  if (divisor == 0.0) return std::nullopt;
  return dividend / divisor;
}
