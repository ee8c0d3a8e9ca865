#pragma once
// Apparent positions of Io, Europa, Ganymed and Kallisto relative to Jupiter, by J. Meeus's
// low-accuracy method (Astronomical Algorithms, 2nd ed., ch. 44, "low accuracy").
#include <array>

namespace zenitra {

/// Position of one moon relative to Jupiter's centre, in equatorial radii of Jupiter:
/// X = r sin u (positive towards the west of the sky), Y = -r cos u sin D_E (positive towards the
/// north), Z = r cos u (its sign tells on which side of the plane through Jupiter's centre,
/// perpendicular to the line of sight, the moon lies). u is the moon's angle in its orbit and D_E
/// the planetocentric declination of the Earth.
struct MoonOffset {
  double X = 0.0;
  double Y = 0.0;
  double Z = 0.0;
};

/// Offset of a moon at distance radius (Jupiter radii) and angle uDeg in its orbit, seen with the
/// planetocentric declination of the Earth deDeg.
[[nodiscard]] MoonOffset MoonOffsetOf(double radius, double uDeg, double deDeg);

/// The four moons in the order Io, Europa, Ganymed, Kallisto at Julian Day jd (used as given,
/// no Delta T).
[[nodiscard]] std::array<MoonOffset, 4> GalileanMoons(double jd);

}  // namespace zenitra
