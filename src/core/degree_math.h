#pragma once
// Degree trigonometry, precession and coordinate conversions for the physical planet ephemeris.
// All angles in degrees unless a name says otherwise; rectangular coordinates in AU (x towards the
// equinox, z towards the pole of the reference plane). No state.
// Sources: precession angles of J. H. Lieske (1977) in the form of O. Montenbruck & T. Pfleger,
// "Astronomy on the Personal Computer"; mean elements of the Explanatory Supplement (1992).
#include <array>
#include <cstdint>

namespace zenitra {

/// Radians per degree as used by every function of this module: pi / 180 to 15 significant
/// digits, as the original method writes it. It lies one unit in the last place above kDegToRad
/// (core/angle_units.h); kept on purpose so the ephemeris follows that method bit for bit.
inline constexpr double kRadPerDeg15Digits = 0.0174532925199433;

/// 3x3 matrix of doubles stored row by row: element [r][c] at index 3*r + c.
using Matrix33 = std::array<double, 9>;

/// Body of the solar system: 0 Mercury, 1 Venus, 2 Earth, 3 Mars, 4 Jupiter, 5 Saturn,
/// 6 Uranus, 7 Neptune, 8 Pluto.
using BodyIndex = std::uint8_t;

/// Rectangular vector (AU, or AU per day for velocities).
struct Vec3 {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
};

[[nodiscard]] double CosDeg(double angleDeg);
[[nodiscard]] double SinDeg(double angleDeg);
/// Arc sine in degrees, [-90, 90]; x must lie in [-1, 1]. |x| = 1 is exact, |x| <= 1e-7 uses the
/// small-angle value x / kRadPerDeg15Digits.
[[nodiscard]] double ArcSinDeg(double x);
/// Arc cosine in degrees, [0, 180]: 90 minus the three branches of ArcSinDeg.
[[nodiscard]] double ArcCosDeg(double x);
/// Arc tangent in degrees, (-90, 90).
[[nodiscard]] double ArcTanDeg(double x);
/// Polar angle of the point (x, y) in degrees, (-180, 180]; (0, 0) gives 0.
[[nodiscard]] double ArcTan2Deg(double y, double x);

/// Precession from the mean equator and equinox of epoch t1 to that of t2 (Julian centuries
/// since J2000), for equatorial rectangular coordinates.
[[nodiscard]] Matrix33 PrecessionMatrix(double t1, double t2);
/// m * v.
[[nodiscard]] Vec3 MatrixTimesVector(const Matrix33& m, Vec3 v);
/// Rotates an ecliptic vector to the equator of epoch t (Julian centuries since J2000); x is kept.
[[nodiscard]] Vec3 EclipticToEquatorial(Vec3 v, double t);
/// Orientation matrix (P, Q, R columns) of an orbit with ascending node, inclination and argument
/// of perihelion (degrees).
[[nodiscard]] Matrix33 GaussVectors(double nodeDeg, double inclinationDeg, double argPerihelionDeg);
/// Position in the orbital plane (x towards perihelion) turned into the frame of pqr.
[[nodiscard]] Vec3 OrbitToEcliptic(const Matrix33& pqr, double xOrbit, double yOrbit);
/// Modified Julian Date of a calendar date (Julian calendar up to 1582-10-04, Gregorian after)
/// and an hour of the day.
[[nodiscard]] double ModifiedJulianDate(int day, int month, int year, double hour);
/// Eccentric anomaly (degrees, [0, 360)) from Kepler's equation by at most 15 Newton steps; NaN
/// for a non-finite input.
[[nodiscard]] double EccentricAnomaly(double meanAnomalyDeg, double eccentricity);

/// Position (AU) and velocity (AU per day) in an elliptic orbit, x towards perihelion.
struct OrbitState {
  double x = 0.0;
  double y = 0.0;
  double vx = 0.0;
  double vy = 0.0;
};
[[nodiscard]] OrbitState EllipticOrbit(double meanAnomalyDeg, double semiMajorAxisAu, double eccentricity);

/// Heliocentric ecliptic position (AU, ecliptic and equinox J2000) of a body from mean Keplerian
/// elements; t in Julian centuries since J2000. Any index other than 0, 1 and 3..8 gives the Earth.
[[nodiscard]] Vec3 KeplerPosition(BodyIndex body, double t);

}  // namespace zenitra
