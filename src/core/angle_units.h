#pragma once
// Degrees and radians: the two conversion factors, pi / 180 and 180 / pi rounded to double.
// The one deliberately shortened factor, kRadPerDeg15Digits of the physical planet
// ephemeris, is in core/degree_math.h.
#include <numbers>

namespace zenitra {

/// Radians per degree, 0.017453292519943295 (pi / 180 correctly rounded).
inline constexpr double kDegToRad = std::numbers::pi / 180.0;
/// Degrees per radian, 57.29577951308232 (180 / pi correctly rounded).
inline constexpr double kRadToDeg = 180.0 / std::numbers::pi;

static_assert(kDegToRad == 0.017453292519943295769 && kRadToDeg == 57.295779513082320877);

}  // namespace zenitra
