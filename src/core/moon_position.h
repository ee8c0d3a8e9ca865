#pragma once
// Geocentric place of the Moon in three precisions, its age and illuminated fraction.
// Every time argument is used as dynamical time without Delta T.
// Source: J. Meeus, Astronomical Algorithms, 2nd ed., ch. 47 (ELP-2000/82 abridged, tables 47.A
// and 47.B) and ch. 48 (illuminated fraction).
#include "core/shared_types.h"
#include "core/time_scales.h"

namespace zenitra {

/// Mean synodic month in days, as used to turn an elongation into an age.
inline constexpr double SynodicMonth = 29.530589;

/// Apparent geocentric place of the Moon from the full series (60 + 60 terms, E factors) with
/// IAU 1980 nutation: longitude (degrees, [0, 360)), latitude (degrees), distance (km, centre to
/// centre), right ascension (degrees, in (-180, 180]) and declination (degrees).
[[nodiscard]] BodyPosition MoonPosition(DateTimeValue t);

/// Days since the last conjunction in apparent longitude with the Sun, in [0, SynodicMonth).
[[nodiscard]] double MoonAge(DateTimeValue t);

struct MoonEphemerisValue {
  double RightAscension = 0.0;       ///< degrees, [0, 360]
  double Declination = 0.0;          ///< degrees
  double IlluminatedFraction = 0.0;  ///< [0, 1]
  double DistanceKm = 0.0;           ///< centre to centre
  double ApparentLongitude = 0.0;    ///< degrees, not reduced
  double NodeLongitude = 0.0;        ///< mean ascending node, degrees, [0, 360]
  double PerigeeLongitude = 0.0;     ///< mean perigee, degrees, [0, 360]
};
/// The Moon window's place of the Moon: the series shortened to 42 longitude, 60 distance and
/// 47 latitude terms, with the four-term nutation.
[[nodiscard]] MoonEphemerisValue MoonEphemeris(JulianDay jd);

struct MoonLowPrecisionValue {
  double RightAscension = 0.0;       ///< degrees, [0, 360]
  double Declination = 0.0;          ///< degrees
  double IlluminatedFraction = 0.0;  ///< [0, 1]
};
/// The sky map's quick place of the Moon: 12 longitude and 24 latitude terms without E factors,
/// no nutation, fixed obliquity 23.4392911 degrees.
[[nodiscard]] MoonLowPrecisionValue MoonLowPrecision(JulianDay jd);

}  // namespace zenitra
