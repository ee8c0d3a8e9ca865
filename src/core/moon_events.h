#pragma once
// The Moon as the Moon window shows it: rising, culmination and setting within a local day, and
// the phases of the lunation in progress.
#include "core/shared_types.h"
#include "core/time_scales.h"

namespace zenitra {

/// Moonrise, upper culmination and moonset as Julian Days (UT), each NoEvent when it does not
/// happen within the day [dayStart, dayStart + 1) (the lunar day is about 24 h 50 min, so about
/// once a month one of them falls on no calendar day; near the poles the Moon may neither rise
/// nor set).
struct MoonDayEvents {
  double Rise = NoEvent;
  double Transit = NoEvent;
  double Set = NoEvent;
};
/// dayStart: Julian Day (UT) at which the day begins, usually local midnight. Latitude north
/// positive, longitude east positive, degrees.
/// Method: Meeus, Astronomical Algorithms, 2nd ed., ch. 15: three places of the Moon a day apart
/// (the window's 42/60/47-term series, at dynamical time), right ascension interpolated across
/// 0 h, the standard altitude h0 = 0.7275 pi - 34' of the upper limb with refraction (pi the
/// horizontal parallax), and the corrections repeated until they fall below 0.1 s.
[[nodiscard]] MoonDayEvents MoonRiseTransitSet(JulianDay dayStart, double latitudeDeg, double longitudeEastDeg);

/// The Moon's age in days at t (dynamical time): t minus the new moon of the lunation in
/// progress (WindowLunationPhases), in [0, 29.9).
[[nodiscard]] double MoonAgeDays(DateTimeValue t);

}  // namespace zenitra
