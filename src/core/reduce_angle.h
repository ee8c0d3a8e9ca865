#pragma once
// Reduction of an angle by whole turns as some of the lunar and solar series write it:
// "subtract 360 while above 360, add 360 while below 0", done in constant time.
#include <cmath>

namespace zenitra {

/// x reduced into [0, 360] by whole turns (a positive multiple of 360 stays 360); NaN stays NaN.
[[nodiscard]] inline double ReduceInto360(double x) {
  if (x > 360.0) {
    const double r = std::fmod(x, 360.0);
    return r == 0.0 ? 360.0 : r;
  }
  if (x < 0.0) {
    const double r = std::fmod(x, 360.0);
    return r < 0.0 ? r + 360.0 : r;
  }
  return x;
}

}  // namespace zenitra
