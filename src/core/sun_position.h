#pragma once
// Apparent place of the Sun and the quantities derived from it: nutation, apparent sidereal time,
// distance and diameter, rising, setting and culmination, perihelion and aphelion.
// Every time argument is used as given (dynamical time for the series) without Delta T.
// Sources: J. Meeus, Astronomical Algorithms, 2nd ed.: ch. 12 (sidereal time), ch. 13 (ecliptic
// to equatorial), ch. 15 (rising, transit, setting), ch. 22 (nutation, IAU 1980), ch. 25 (the Sun
// from VSOP87), ch. 38 (perihelion and aphelion).
#include <cmath>

#include "core/shared_types.h"
#include "core/time_scales.h"

namespace zenitra {

/// Altitude of the Sun's centre at rising and setting, degrees.
inline constexpr double SunStandardAltitude = -0.8333;
/// Kilometres per astronomical unit as used for the Sun's distance.
inline constexpr double SunKmPerAu = 149597869.0;

struct NutationValue {
  double DeltaPsiDeg = 0.0;   ///< nutation in longitude, degrees
  double ObliquityDeg = 0.0;  ///< true obliquity of the ecliptic, degrees
};
/// Nutation in longitude and true obliquity from the 31 largest rows of the IAU 1980 theory.
[[nodiscard]] NutationValue Nutation(DateTimeValue t);

/// Greenwich apparent sidereal time, degrees in [0, 360); t in UT.
[[nodiscard]] double ApparentSiderealTime(DateTimeValue t);

/// Adds the nutation in longitude to p.Longitude (reduced to [0, 360)) and fills the right
/// ascension (degrees, in (-180, 180]) and declination (degrees) from longitude and latitude.
void ApparentEquatorial(BodyPosition& p, DateTimeValue t);

/// Apparent geocentric place of the Sun: ecliptic longitude and latitude (degrees), distance
/// (km), right ascension (degrees, in (-180, 180]) and declination (degrees).
/// Method: VSOP87D Earth, FK5 correction on the heliocentric and again on the geocentric
/// coordinates, aberration 20.4898"/R, IAU 1980 nutation (31 rows).
[[nodiscard]] BodyPosition SunPosition(DateTimeValue t);
/// Distance of the Sun from the Earth in AU.
[[nodiscard]] double SunDistanceAU(DateTimeValue t);
/// Apparent diameter of the Sun in seconds of arc.
[[nodiscard]] double SunDiameterArcsec(DateTimeValue t);
/// The same from the Sun's place already computed (its DistanceKm).
[[nodiscard]] double SunDiameterArcsec(const BodyPosition& sun);

/// Three-point interpolation of angles (degrees) tabulated one day apart, at the fraction n
/// (from the middle value). Jumps across 0/360 (or +-180) between the values are bridged.
[[nodiscard]] double Interpolate3(double n, double y1, double y2, double y3);

/// Rising, setting and upper culmination of the Sun on the day that begins at `dayStart` (UT,
/// any instant: a local midnight gives the events of that local day), UT as a DateTimeValue, or
/// DateTimeValue(NoEvent) when the Sun's centre does not reach the altitude in question that day (for the
/// culmination: when it stays below the horizon all day; under the midnight sun it culminates). Longitude in degrees WEST
/// positive, latitude in degrees north positive. Meeus, ch. 15, with Delta T and the corrections
/// repeated until they fall below 0.1 s.
[[nodiscard]] DateTimeValue SunRise(double longitudeWestDeg, double latitudeDeg, DateTimeValue dayStart);
[[nodiscard]] DateTimeValue SunSet(double longitudeWestDeg, double latitudeDeg, DateTimeValue dayStart);
[[nodiscard]] DateTimeValue SunTransit(double longitudeWestDeg, double latitudeDeg, DateTimeValue dayStart);

/// The first perihelion or aphelion at or after t; NaN when t is not finite. NaN too, without
/// the work of refining, when Meeus' instant lies so far (1.5 days) after `until` that the apsis
/// does as well; an apsis a little after `until` may still be returned.
[[nodiscard]] DateTimeValue NextPerihelion(DateTimeValue t, DateTimeValue until = DateTimeValue(HUGE_VAL));
[[nodiscard]] DateTimeValue NextAphelion(DateTimeValue t, DateTimeValue until = DateTimeValue(HUGE_VAL));

struct ShortNutationValue {
  double DeltaPsiArcsec = 0.0;      ///< nutation in longitude
  double DeltaEpsilonArcsec = 0.0;  ///< nutation in obliquity
};
/// Low-precision nutation (four terms each, Meeus ch. 22), seconds of arc.
[[nodiscard]] ShortNutationValue ShortNutation(JulianDay jd);

}  // namespace zenitra
