#include "core/degree_math.h"

#include <cmath>

namespace zenitra {

double CosDeg(double angleDeg) { return std::cos(angleDeg * kRadPerDeg15Digits); }
double SinDeg(double angleDeg) { return std::sin(angleDeg * kRadPerDeg15Digits); }

double ArcSinDeg(double x) {
  if (std::fabs(x) == 1.0) return 90.0 * x;
  if (std::fabs(x) <= 1e-7) return x / kRadPerDeg15Digits;
  return std::atan(x / std::sqrt((1.0 - x) * (1.0 + x))) / kRadPerDeg15Digits;
}

double ArcCosDeg(double x) { return 90.0 - ArcSinDeg(x); }

double ArcTanDeg(double x) { return std::atan(x) / kRadPerDeg15Digits; }

double ArcTan2Deg(double y, double x) {
  if (x == 0.0 && y == 0.0) return 0.0;
  const double ax = std::fabs(x);
  const double ay = std::fabs(y);
  double h = ax > ay ? std::atan(ay / ax) / kRadPerDeg15Digits : 90.0 - std::atan(ax / ay) / kRadPerDeg15Digits;
  if (x < 0.0) h = 180.0 - h;
  if (y < 0.0) h = -h;
  return h;
}

Matrix33 PrecessionMatrix(double t1, double t2) {
  const double T = t1;
  const double t = t2 - t1;
  // Angles in arc seconds, then degrees.
  const double zeta =
      ((2306.2181 + (1.39656 - 0.000139 * T) * T) + ((0.30188 - 0.000345 * T) + 0.017998 * t) * t) * t /
      3600.0;
  const double z = zeta + ((0.7928 + 0.000411 * T) + 0.000205 * t) * t * t / 3600.0;
  const double theta =
      ((2004.3109 - (0.8533 + 0.000217 * T) * T) - ((0.42665 + 0.000217 * T) + 0.041833 * t) * t) * t /
      3600.0;
  const double cZeta = CosDeg(zeta), sZeta = SinDeg(zeta);
  const double cZ = CosDeg(z), sZ = SinDeg(z);
  const double cTh = CosDeg(theta), sTh = SinDeg(theta);
  return {-sZ * sZeta + cZ * cTh * cZeta, -sZ * cZeta - cZ * cTh * sZeta, -cZ * sTh,
          cZ * sZeta + sZ * cTh * cZeta,  cZ * cZeta - sZ * cTh * sZeta,  -sZ * sTh,
          sTh * cZeta,                    -sTh * sZeta,                   cTh};
}

Vec3 MatrixTimesVector(const Matrix33& m, Vec3 v) {
  return {m[0] * v.x + m[1] * v.y + m[2] * v.z,
          m[3] * v.x + m[4] * v.y + m[5] * v.z,
          m[6] * v.x + m[7] * v.y + m[8] * v.z};
}

Vec3 EclipticToEquatorial(Vec3 v, double t) {
  const double eps = 23.43929111 - (46.815 + (0.00059 - 0.001813 * t) * t) * t / 3600.0;
  const double c = CosDeg(eps), s = SinDeg(eps);
  return {v.x, c * v.y - s * v.z, s * v.y + c * v.z};
}

Matrix33 GaussVectors(double nodeDeg, double inclinationDeg, double argPerihelionDeg) {
  const double cO = CosDeg(nodeDeg), sO = SinDeg(nodeDeg);
  const double ci = CosDeg(inclinationDeg), si = SinDeg(inclinationDeg);
  const double cw = CosDeg(argPerihelionDeg), sw = SinDeg(argPerihelionDeg);
  return {cw * cO - sw * ci * sO, -sw * cO - cw * ci * sO, si * sO,
          cw * sO + sw * ci * cO, -sw * sO + cw * ci * cO, -si * cO,
          sw * si,                cw * si,                 ci};
}

Vec3 OrbitToEcliptic(const Matrix33& pqr, double xOrbit, double yOrbit) {
  return {pqr[0] * xOrbit + pqr[1] * yOrbit, pqr[3] * xOrbit + pqr[4] * yOrbit,
          pqr[6] * xOrbit + pqr[7] * yOrbit};
}

double ModifiedJulianDate(int day, int month, int year, double hour) {
  // 64-bit arithmetic so that no year an int can hold overflows.
  const std::int64_t a = 10000LL * year + 100LL * month + day;
  std::int64_t y = year;
  std::int64_t m = month;
  if (m <= 2) {
    m += 12;
    y -= 1;
  }
  std::int64_t b;
  if (static_cast<double>(a) <= 15821004.1) {
    b = (y + 4716) / 4 - 1181;  // Julian calendar
  } else {
    b = y / 400 - y / 100 + y / 4;  // Gregorian calendar
  }
  return static_cast<double>(365 * y - 679004 + b) + std::trunc(30.6001 * static_cast<double>(m + 1)) +
         day + hour / 24.0;
}

double EccentricAnomaly(double meanAnomalyDeg, double eccentricity) {
  constexpr double kTwoPi = 6.283185308;  // ten-digit circle constant, as in the original method
  if (!std::isfinite(meanAnomalyDeg) || !std::isfinite(eccentricity)) return std::nan("");
  double m = meanAnomalyDeg / 360.0;
  m = kTwoPi * (m - std::trunc(m));
  if (m < 0.0) m += kTwoPi;
  const double e = eccentricity;
  double E = e < 0.8 ? m : 3.141592654;
  double F = E - e * std::sin(E) - m;
  for (int i = 0; std::fabs(F) > 1e-11 && i < 15; ++i) {
    E = E - F / (1.0 - e * std::cos(E));
    F = E - e * std::sin(E) - m;
  }
  return E / kRadPerDeg15Digits;
}

OrbitState EllipticOrbit(double meanAnomalyDeg, double semiMajorAxisAu, double eccentricity) {
  const double a = semiMajorAxisAu;
  const double e = eccentricity;
  const double k = 0.01720209895 / std::sqrt(a);  // Gaussian gravitational constant
  const double E = EccentricAnomaly(meanAnomalyDeg, e);
  const double c = CosDeg(E), s = SinDeg(E);
  const double f = std::sqrt((1.0 - e) * (1.0 + e));
  const double rho = 1.0 - e * c;
  return {a * (c - e), a * f * s, -k * s / rho, k * f * c / rho};
}

namespace {
struct MeanElements {
  double a, e, i, node, perihelionLongitude, m0, n;  // AU, -, deg, deg, deg, deg, deg/century
};
// Mean elements, J2000 ecliptic; Jupiter to Pluto refer to MJD 50000.0 (1995-10-10 0h).
constexpr MeanElements kElements[9] = {
    {0.387099, 0.205634, 7.0048, 48.331, 77.4552, 174.7947, 149472.6738},      // Mercury
    {0.723332, 0.006773, 3.3946, 76.68, 131.5718, 50.4071, 58517.8149},        // Venus
    {1.0, 0.016709, 0.0, 174.876, 102.94, 357.5256, 35999.372},                // Earth
    {1.523692, 0.093405, 1.8496, 49.557, 336.059, 19.3879, 19140.3023},        // Mars
    {5.202437, 0.048402, 1.3047, 100.4683, 15.7192, 250.3274, 3035.2275},      // Jupiter
    {9.551712, 0.05234, 2.4855, 113.6439, 90.9682, 267.2465, 1219.6465},       // Saturn
    {19.293108, 0.044846, 0.7733, 74.0903, 176.6152, 118.432, 424.815},        // Uranus
    {30.257162, 0.007985, 1.77, 131.775, 3.0962, 292.4716, 216.3047},          // Neptune
    {39.783607, 0.254351, 17.1201, 110.3865, 224.7424, 8.2304, 143.4629},      // Pluto
};
}  // namespace

Vec3 KeplerPosition(BodyIndex body, double t) {
  const int row = body <= 8 ? body : 2;
  const MeanElements& el = kElements[row];
  const double t0 = row >= 4 ? -0.042286105 : 0.0;
  const double M = el.m0 + el.n * (t - t0);
  const Matrix33 pqr = GaussVectors(el.node, el.i, el.perihelionLongitude - el.node);
  const OrbitState s = EllipticOrbit(M, el.a, el.e);
  return OrbitToEcliptic(pqr, s.x, s.y);
}

}  // namespace zenitra
