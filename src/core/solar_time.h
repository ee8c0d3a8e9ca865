#pragma once
// The Sun as seen from a place at a moment: hour angle, azimuth and altitude, the equation of time
// and true solar time.
#include "core/local_moment.h"
#include "core/shared_types.h"

namespace zenitra {

/// Equation of time in minutes (apparent minus mean solar time, positive when a sundial is ahead
/// of the clock) at the dynamical time t. Meeus, Astronomical Algorithms, 2nd ed., eq. 28.3:
/// E = L0 - 0.0057183 deg - alpha + delta psi cos epsilon, with the apparent right ascension of the
/// VSOP87 Sun and the IAU 1980 nutation. Lies within about -14.3 .. +16.5 minutes.
[[nodiscard]] double EquationOfTimeMinutes(DateTimeValue t);
/// The same with the Sun's apparent place at t already computed (SunPosition(t)), which saves a
/// second sum of the Earth's series.
[[nodiscard]] double EquationOfTimeMinutes(DateTimeValue t, const BodyPosition& sunAtT);

/// The Sun at a moment for a place.
struct SunLocalValues {
  BodyPosition Place;          ///< apparent geocentric place at the moment (dynamical time)
  double SiderealHours = 0.0;  ///< local apparent sidereal time, hours in [0, 24)
  double HourAngleDeg = 0.0;   ///< local hour angle, degrees in (-180, 180], west positive
  double AzimuthDeg = 0.0;     ///< from south, positive towards west, (-180, 180]
  double AltitudeDeg = 0.0;    ///< geometric altitude of the centre (no refraction)
  double EquationOfTimeMinutes = 0.0;
  double TrueSolarHours = 0.0; ///< local apparent (sundial) time, hours in [0, 24)
};
/// Longitude east positive, latitude north positive, degrees. Throws ConversionError for a date the
/// calendar refuses.
[[nodiscard]] SunLocalValues SunAt(const LocalMoment& moment, double latitudeDeg, double longitudeEastDeg);

/// Azimuth (from south, positive towards west, (-180, 180]) and altitude in degrees of a place
/// with hour angle h and declination delta at latitude phi (degrees).
struct HorizontalDeg {
  double AzimuthDeg = 0.0;
  double AltitudeDeg = 0.0;
};
[[nodiscard]] HorizontalDeg EquatorialToHorizontal(double hourAngleDeg, double declinationDeg, double latitudeDeg);

/// An angle in degrees brought into (-180, 180].
[[nodiscard]] double SignedDegrees(double angleDeg);

}  // namespace zenitra
