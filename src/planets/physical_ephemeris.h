#pragma once
// Physical ephemeris of the planets: how a planet looks as a disc (apparent diameter, phase angle,
// illuminated fraction, magnitude, position angle of the bright limb), from vector geometry with
// the light time taken into account. Positions from the mean Keplerian elements of
// KeplerPosition (core/degree_math.h); vectors in AU, equatorial J2000 unless said otherwise.
//
// Sources: rotation elements after the IAU working group on cartographic coordinates (1982/1991
// reports); method after O. Montenbruck & T. Pfleger, "Astronomy on the Personal Computer",
// ch. 6 (physical ephemerides of the planets); magnitudes after J. Meeus, Astronomical
// Algorithms, 2nd ed., ch. 41 (Astronomical Almanac from 1984).
#include <array>
#include <optional>

#include "core/degree_math.h"

namespace zenitra {

/// Equatorial radius (km) and flattening of a body.
struct BodyShape {
  double RadiusKm = 0.0;
  double Flattening = 0.0;
};
/// Nothing for a body number outside 0..8.
[[nodiscard]] std::optional<BodyShape> PlanetShape(BodyIndex body);

/// Orientation of the rotation axis and of the prime meridian.
struct BodyOrientation {
  double PoleRightAscensionDeg = 0.0;  ///< alpha0
  double PoleDeclinationDeg = 0.0;     ///< delta0
  double PrimeMeridianDeg = 0.0;       ///< W, in (-360, 360), keeps its sign
  bool Retrograde = false;
};
/// system: 0, 1 or 2 (Jupiter: systems I, II and III; Saturn: 0 and 1 are system I, 2 is system
/// III); ignored by bodies with one rotation system. Any other system number is taken as 0. t: Julian centuries since J2000. Nothing for a body outside 0..8.
[[nodiscard]] std::optional<BodyOrientation> PlanetOrientation(BodyIndex body, int system, double t);

/// Pole vector and sub-observer point of a body. v is the position of the body relative to the
/// observer (geocentric for the sub-Earth point, heliocentric for the sub-solar point).
struct BodyRotation {
  Vec3 Pole;                      ///< unit vector of the north pole (frame of v)
  double PlanetocentricLatDeg = 0.0;
  double PlanetographicLatDeg = 0.0;
  double CentralMeridianDeg = 0.0;  ///< [0, 360]; not negated for retrograde rotation
};
[[nodiscard]] BodyRotation PlanetRotation(bool retrograde, double flattening, double wDeg, double poleDecDeg,
                                          double poleRaDeg, Vec3 v);

/// Distances and phase of a planet from its and the Earth's heliocentric vectors.
struct Illumination {
  double SunDistanceAu = 0.0;    ///< r
  double EarthDistanceAu = 0.0;  ///< Delta
  double ElongationDeg = 0.0;
  double PhaseAngleDeg = 0.0;
  double IlluminatedFraction = 0.0;  ///< [0, 1]
};
[[nodiscard]] Illumination PlanetIllumination(Vec3 planet, Vec3 earth);

/// Visual magnitude from the phase angle i (degrees), the distances Delta and r (AU) and, for
/// Saturn, the difference of longitudes deltaU and the latitude b (degrees). Bodies without a
/// formula of their own (the Earth, numbers above 8) use H = -3.86.
[[nodiscard]] double PlanetBrightness(BodyIndex body, double deltaUDeg, double bDeg, double phaseAngleDeg,
                                      double distanceAu, double radiusAu);

/// Position angle (degrees in [0, 360), from north towards east) of the direction d seen at the
/// place of the position vector p.
[[nodiscard]] double PositionAngle(Vec3 d, Vec3 p);

/// Results of PhysicalEphemeris.
struct PhysicalData {
  double BrightLimbAngleDeg = 0.0;   ///< position angle of the bright limb, [0, 360)
  double PhaseAngleDeg = 0.0;
  double Magnitude = 0.0;
  double ApparentDiameterArcsec = 0.0;
  double IlluminatedFraction = 0.0;  ///< [0, 1]
  double ElongationDeg = 0.0;
  double SunDistanceAu = 0.0;        ///< r at the light-time corrected moment
  double EarthDistanceAu = 0.0;      ///< Delta after the light-time correction
  std::array<double, 3> CentralMeridianDeg{};  ///< rotation systems 0, 1, 2
};
/// Physical ephemeris of a body at a calendar date and whole hour (used as given, no Delta T).
/// Nothing for the Earth (body 2) and for numbers outside 0..8.
[[nodiscard]] std::optional<PhysicalData> PhysicalEphemeris(BodyIndex body, int day, int month, int year,
                                                            int hour);

}  // namespace zenitra
