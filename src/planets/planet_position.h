#pragma once
// Positions of the planets Mercury to Neptune from mean orbital elements that are linear in time,
// a Kepler solution by simple iteration and, for Jupiter to Neptune, short trigonometric
// correction series. Low precision: no aberration, nutation or light time is applied; the
// positions are referred to the equinox J2000 by a linear precession term.
//
// Planets are named by their German names, compared exactly: "Merkur", "Venus", "Erde", "Mars",
// "Jupiter", "Saturn", "Uranus", "Neptun". Any other name is computed as "Venus".
//
// Sources: mean elements of date after J. Meeus, Astronomical Algorithms, 2nd ed., ch. 31
// (Table 31.A, linear terms); the outer-planet corrections are short Fourier series in one
// slow argument (period 52.6 years).
#include <string_view>

namespace zenitra {

/// Mean elements of one body at one moment.
struct OrbitalElements {
  double a = 0.0;           ///< semi-major axis, AU
  double e = 0.0;           ///< eccentricity
  double i = 0.0;           ///< inclination, degrees
  double Node = 0.0;        ///< longitude of the ascending node, degrees
  double Perihelion = 0.0;  ///< longitude of perihelion, degrees
  double M = 0.0;           ///< mean anomaly, degrees in [0, 360)
  double D = 0.0;           ///< apparent diameter at 1 AU, arc seconds
};

/// The twelve results of ComputePlanet, in this order.
struct PlanetEphemeris {
  double HeliocentricLongitude = 0.0;   ///< 1: degrees, ecliptic J2000, [0, 360]
  double RadiusVector = 0.0;            ///< 2: AU, Sun-planet
  double Distance = 0.0;                ///< 3: AU, Earth-planet
  double GeocentricLongitude = 0.0;     ///< 4: degrees, [0, 360)
  double GeocentricLatitude = 0.0;      ///< 5: degrees
  double RightAscensionHours = 0.0;     ///< 6: whole hours (integral value)
  double RightAscensionMinutes = 0.0;   ///< 7: minutes of time with fraction
  double DeclinationDegrees = 0.0;      ///< 8: whole degrees, truncated towards zero (never -0)
  double DeclinationMinutes = 0.0;      ///< 9: arc minutes with fraction, sign of the declination
  double ApparentDiameter = 0.0;        ///< 10: arc seconds
  double Magnitude = 0.0;               ///< 11: visual magnitude as stored (negative values less 0.05)
  double HeliocentricLatitude = 0.0;    ///< 12: degrees, ecliptic
};

/// Markers of PlanetRise/PlanetSet: the planet does not rise on this day, or does not set.
inline constexpr double PlanetNeverRises = -1.0;
inline constexpr double PlanetNeverSets = -2.0;

/// The outputs of ComputePlanet besides the record.
struct PlanetPlace {
  PlanetEphemeris Ephemeris;
  double RightAscensionDeg = 0.0;  ///< [0, 360)
  double DeclinationDeg = 0.0;     ///< [-90, 90]
  double Rise = 0.0;  ///< local clock hours in [0, 24), or PlanetNeverRises / PlanetNeverSets
  double Set = 0.0;   ///< local clock hours in [0, 24), or PlanetNeverRises / PlanetNeverSets
};

/// Position, brightness, apparent diameter, rising and setting of a planet.
/// jd: Julian Day (UT); latitudeDeg north positive; longitudeDeg east positive; zoneHours =
/// local clock time minus UT. The Earth is computed as second body of every call.
/// For "Erde" only fields 1, 2 and 12 of place.Ephemeris are written; everything else in place
/// keeps its value. For any other name every member of place is written.
/// A non-finite jd gives NaN values; no loop runs without bound.
void ComputePlanet(std::string_view name, double jd, double latitudeDeg, double longitudeDeg,
                   double zoneHours, PlanetPlace& place);
/// The same into a fresh record (zeros where "Erde" writes nothing).
[[nodiscard]] PlanetPlace ComputePlanet(std::string_view name, double jd, double latitudeDeg,
                                        double longitudeDeg, double zoneHours);

/// Heliocentric ecliptic longitude (degrees, equinox J2000) of a planet at Julian Day jd, as field
/// 1 of ComputePlanet before its final reduction (may lie slightly outside [0, 360]). There are no
/// elements for Pluto: "Pluto", like any other unknown name, gives Venus.
[[nodiscard]] double HeliocentricLongitude(std::string_view name, double jd);

/// Mean elements of date; t in Julian centuries since J2000. Unknown names give Venus.
[[nodiscard]] OrbitalElements MeanElementsOfDate(std::string_view name, double t);

/// Eccentric anomaly (radians) from Kepler's equation E = e sin E + M by fixed-point iteration
/// from E = 0: stops when two values differ by less than 1e-7 or after 39 new values.
[[nodiscard]] double KeplerFixedPoint(double meanAnomalyRad, double eccentricity);

/// Corrections to the radius vector (thousandths of an AU) and to the heliocentric longitude
/// (arc minutes) of Jupiter, Saturn, Uranus and Neptun; both 0 for any other name.
struct OuterCorrections {
  double DeltaR = 0.0;  ///< 0.001 AU
  double DeltaL = 0.0;  ///< arc minutes
};
[[nodiscard]] OuterCorrections OuterPlanetCorrections(std::string_view name, double jd);

/// Right ascension (degrees) split into whole hours (truncated) and minutes of time with fraction:
/// 359.99 gives 23 h and 59.96 min.
struct HoursMinutes {
  double Hours = 0.0;
  double Minutes = 0.0;
};
[[nodiscard]] HoursMinutes SplitRightAscension(double alphaDeg);
/// Declination (degrees) split into whole degrees truncated towards zero (never -0) and arc minutes
/// carrying the sign of the declination: -0.5 gives 0 and -30.
struct DegreesMinutes {
  double Degrees = 0.0;
  double Minutes = 0.0;
};
[[nodiscard]] DegreesMinutes SplitDeclination(double deltaDeg);

/// The known planet name that name stands for: one of the eight names, or "Venus" for any other.
[[nodiscard]] std::string_view CanonicalPlanetName(std::string_view name);

}  // namespace zenitra
