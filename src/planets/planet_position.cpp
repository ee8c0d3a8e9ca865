#include "planets/planet_position.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/angle_units.h"
#include "planets/planet_visibility.h"

namespace zenitra {

namespace {

constexpr double kPi = 3.14159265358979323846;

enum class Planet { Merkur, Venus, Erde, Mars, Jupiter, Saturn, Uranus, Neptun };

Planet PlanetOfName(std::string_view name) {
  if (name == "Merkur") return Planet::Merkur;
  if (name == "Erde") return Planet::Erde;
  if (name == "Mars") return Planet::Mars;
  if (name == "Jupiter") return Planet::Jupiter;
  if (name == "Saturn") return Planet::Saturn;
  if (name == "Uranus") return Planet::Uranus;
  if (name == "Neptun") return Planet::Neptun;
  return Planet::Venus;  // "Venus" and every unknown name
}

// Linear mean elements of date: value = c0 + c1*T (T in Julian centuries since J2000).
struct LinearElements {
  double a;
  double e0, e1;
  double i0, i1;
  double node0, node1;
  double peri0, peri1;
  double m0, m1;  // degrees, degrees per century
  double d;       // apparent diameter at 1 AU, arc seconds
};

// Meeus, Astronomical Algorithms, ch. 31 (linear parts). The mean-anomaly rates of the four inner
// bodies are kept as the two stored parts whose sum is the rate.
constexpr LinearElements kLinearElements[8] = {
    // Merkur
    {0.38709831, 0.205632, 0.000020406, 7.004986, 0.0018215, 48.330893, 1.186189, 77.456119, 1.5564775,
     174.7948, 149400.0 + 72.5157, 6.72},
    // Venus
    {0.72332982, 0.00677188, -0.000047766, 3.394662, 0.0010037, 76.67992, 0.901119, 131.563707, 1.4022188,
     50.4161, 58320.0 + 197.8108, 16.68},
    // Erde
    {1.000001018, 0.01670862, -0.000042037, 0.0, 0.0, 0.0, 0.0, 102.937348, 1.7195269, 357.5291,
     35640.0 + 359.0503, 0.0},
    // Mars
    {1.523679342, 0.09340062, 0.000090483, 1.849726, -0.000601, 49.558093, 0.7720923, 336.060234, 1.8410331,
     19.373, 19080.0 + 59.8554, 9.36},
    // Jupiter
    {5.202603, 0.048495, 0.000163, 1.3033, -0.0055, 100.464, 1.021, 14.3313, 1.6126, 20.0202, 3034.69015,
     196.88},
    // Saturn
    {9.55491, 0.055509, -0.000347, 2.4889, -0.0037, 113.666, 0.877, 93.0568, 1.9638, 317.0207, 1221.54725,
     165.46},
    // Uranus
    {19.218446, 0.046296, -0.000027, 0.7732, 0.0008, 74.006, 0.521, 173.0052, 1.4864, 141.0499, 428.37768,
     70.04},
    // Neptun
    {30.110387, 0.008988, 0.000006, 1.77, -0.0093, 131.784, 1.102, 48.1237, 1.4263, 256.225, 218.45704, 67.0},
};

OrbitalElements ElementsOf(Planet p, double t) {
  const LinearElements& k = kLinearElements[static_cast<int>(p)];
  OrbitalElements el;
  el.a = k.a;
  el.e = k.e0 + k.e1 * t;
  el.i = k.i0 + k.i1 * t;
  el.Node = k.node0 + k.node1 * t;
  el.Perihelion = k.peri0 + k.peri1 * t;
  double m = k.m0 + k.m1 * t;
  m = m - 360.0 * std::trunc(m / 360.0);
  if (m < 0.0) m += 360.0;
  el.M = m;
  el.D = k.d;
  return el;
}

// atan(y / x) in radians without forming the quotient: the same value in (-pi/2, pi/2] and no
// quadrant correction, but defined for x = 0 (+-pi/2, or 0 when y = 0 too). NaN stays NaN.
double AtanOfRatio(double y, double x) {
  if (x > 0.0) return std::atan2(y, x);
  if (x < 0.0) return std::atan2(-y, -x);
  if (x == 0.0) return y == 0.0 ? 0.0 : std::copysign(kPi / 2.0, y);
  return x;  // NaN
}

// Heliocentric values of one body before the precession term (steps 3 to 9).
struct OrbitPoint {
  double u = 0.0;  // argument of latitude, degrees
  double l = 0.0;  // ecliptic longitude, degrees, [0, 360) up to rounding
  double b = 0.0;  // ecliptic latitude, degrees
  double r = 0.0;  // radius vector, AU
};

OrbitPoint OrbitPointOf(const OrbitalElements& el) {
  const double e = el.e;
  const double E = KeplerFixedPoint(el.M * kDegToRad, e);
  OrbitPoint p;
  p.r = (1.0 - e * std::cos(E)) * el.a;
  const double k = std::sqrt(std::fabs((1.0 + e) / (1.0 - e)));
  const double v = 2.0 * AtanOfRatio(k * std::sin(E / 2.0), std::cos(E / 2.0)) * kRadToDeg;
  p.u = v + el.Perihelion - el.Node;
  const double uRad = p.u * kDegToRad;
  const double iRad = el.i * kDegToRad;
  const double cosU = std::cos(uRad);
  double l = el.Node + AtanOfRatio(std::cos(iRad) * std::sin(uRad), cosU) * kRadToDeg;
  if (cosU < 0.0) l += 180.0;
  if (l < 0.0) l += 360.0;
  p.l = l;
  p.b = std::asin(std::clamp(std::sin(uRad) * std::sin(iRad), -1.0, 1.0)) * kRadToDeg;
  return p;
}

bool IsOuterPlanet(Planet p) {
  return p == Planet::Jupiter || p == Planet::Saturn || p == Planet::Uranus || p == Planet::Neptun;
}

// Precession from the equinox of date to J2000 in ecliptic longitude: -0.01396 degrees per year.
double PrecessionToJ2000(double jd) { return 0.01396 * (2451545.0 - jd) / 365.25; }

// Steps 1 to 11 for the planet: longitude (not yet reduced), latitude and radius vector.
struct Heliocentric {
  double l = 0.0;
  double b = 0.0;
  double r = 0.0;
};

Heliocentric HeliocentricOf(Planet p, std::string_view name, double jd, double t) {
  const OrbitPoint pt = OrbitPointOf(ElementsOf(p, t));
  Heliocentric h{pt.l + PrecessionToJ2000(jd), pt.b, pt.r};
  if (IsOuterPlanet(p)) {
    const OuterCorrections c = OuterPlanetCorrections(name, jd);
    h.l += c.DeltaL / 60.0;
    h.r += c.DeltaR / 1000.0;
  }
  return h;
}

// atan(y/x) in degrees with the stated quadrant rule: +180 when x < 0, then +360 when negative.
// The result lies in [0, 360); a tiny negative angle that rounds to 360 becomes 0.
double FullCircleAngle(double y, double x) {
  double a = AtanOfRatio(y, x) * kRadToDeg;
  if (x < 0.0) a += 180.0;
  if (a < 0.0) a += 360.0;
  if (a >= 360.0) a = 0.0;
  return a;
}

}  // namespace

HoursMinutes SplitRightAscension(double alphaDeg) {
  const double hours = alphaDeg / 15.0;
  const double whole = std::trunc(hours);
  return {whole, (hours - whole) * 60.0};
}

DegreesMinutes SplitDeclination(double deltaDeg) {
  const double whole = std::trunc(deltaDeg) + 0.0;  // + 0.0 turns -0 into 0; the minutes carry the sign
  return {whole, (deltaDeg - whole) * 60.0};
}

std::string_view CanonicalPlanetName(std::string_view name) {
  static constexpr std::string_view kNames[8] = {"Merkur", "Venus",  "Erde",   "Mars",
                                                 "Jupiter", "Saturn", "Uranus", "Neptun"};
  return kNames[static_cast<int>(PlanetOfName(name))];
}

OrbitalElements MeanElementsOfDate(std::string_view name, double t) { return ElementsOf(PlanetOfName(name), t); }

double KeplerFixedPoint(double meanAnomalyRad, double eccentricity) {
  double E = 0.0;
  for (int k = 0; k < 39; ++k) {
    const double next = eccentricity * std::sin(E) + meanAnomalyRad;
    const bool converged = std::fabs(next - E) < 1e-7;
    E = next;
    if (converged) break;
  }
  return E;
}

OuterCorrections OuterPlanetCorrections(std::string_view name, double jd) {
  const Planet p = PlanetOfName(name);
  if (!IsOuterPlanet(p)) return {};
  const double A = (jd - 2438000.5) * kPi / 9600.0;
  // s[n] = sin(nA), c[n] = cos(nA) for n = 1 .. 11, by the addition theorems from sin A and cos A
  // (two library calls instead of twenty-two; the difference is a few units of the last digit).
  double s[12];
  double c[12];
  s[1] = std::sin(A);
  c[1] = std::cos(A);
  for (int n = 2; n <= 11; ++n) {
    s[n] = s[n - 1] * c[1] + c[n - 1] * s[1];
    c[n] = c[n - 1] * c[1] - s[n - 1] * s[1];
  }
  OuterCorrections k;
  switch (p) {
    case Planet::Jupiter:
      k.DeltaR = 0.2 + 0.6 * (c[3] - c[1]) + 2.6 * s[5] + 1.6 * c[5] - 1.1 * (c[4] + s[6]) - s[4] - 0.5 * c[2] -
                 0.4 * c[6] - 0.3 * (s[7] + s[2]) + 0.2 * (c[7] + s[3] + c[9] + s[8]);
      k.DeltaL = 3.0 + 5.3 * s[1] + 3.0 * c[5] - 1.9 * s[5] - 1.8 * c[4] - 1.5 * c[2] - 1.3 * c[6] + 1.2 * s[2] -
                 s[3] + 0.4 * (s[6] - c[7]) - 0.3 * c[1] + 0.2 * (c[8] + s[10] - s[9]);
      break;
    case Planet::Saturn:
      k.DeltaR = -14.0 + 10.6 * c[1] - 14.1 * c[2] + 4.0 * (c[3] - s[2]) + 3.7 * s[3] - 2.7 * s[1] + 0.8 * s[6] -
                 0.7 * s[5] + 0.5 * c[4] + 0.4 * (c[6] - s[8]) + 0.2 * (s[4] - s[11]);
      k.DeltaL = -8.4 - 14.0 * s[1] + 6.2 * s[2] - 2.5 * c[1] - 1.2 * c[2] + 0.8 * s[3] + 0.4 * (c[3] + c[6]) -
                 0.3 * c[5] + 0.2 * (c[7] - s[4] - s[6]);
      break;
    case Planet::Uranus:
      k.DeltaR = -13.9 - 11.4 * c[1] - 11.2 * s[1] + 3.0 * (c[3] + c[2] - s[2]) - 2.7 * c[4] - 1.4 * s[4] +
                 0.9 * s[5] + 0.8 * s[6] + 0.5 * (s[7] - c[8]) - 0.4 * c[7] + 0.3 * (s[8] - c[9]) +
                 0.2 * (s[3] - c[10]);
      k.DeltaL = -46.5 + 6.7 * s[1] - 3.1 * c[1] + 1.9 * s[2] + 0.9 * s[3] - 0.8 * c[2] - 0.6 * s[4] +
                 0.4 * c[4] + 0.3 * (c[7] + c[5] + c[6] + c[8] - c[3]) + 0.2 * (c[9] - s[5] - s[6] - s[7] - s[8]);
      break;
    case Planet::Neptun:
      k.DeltaR = -55.9 + 1.4 * c[1] - 3.3 * c[4] + 2.9 * c[2] - 2.2 * s[4] + c[3] + 0.8 * (s[5] + c[5]) +
                 0.4 * (s[6] + s[2]) + 0.3 * (c[6] + s[3]) + 0.2 * (c[7] + s[7] - s[1]);
      k.DeltaL = 32.4 - 2.4 * s[1] - 0.6 * s[2] + 0.5 * c[1] + 0.4 * (c[4] - s[4]) + 0.3 * c[2] +
                 0.2 * (c[3] + c[5] + c[6] - s[3] - s[6] - s[8]);
      break;
    default:
      break;
  }
  return k;
}

double HeliocentricLongitude(std::string_view name, double jd) {
  const Planet p = PlanetOfName(name);
  const double t = (jd - 2451545.0) / 36525.0;
  return HeliocentricOf(p, CanonicalPlanetName(name), jd, t).l;
}

void ComputePlanet(std::string_view name, double jd, double latitudeDeg, double longitudeDeg, double zoneHours,
                   PlanetPlace& place) {
  const Planet p = PlanetOfName(name);
  const std::string_view planetName = CanonicalPlanetName(name);
  const double t = (jd - 2451545.0) / 36525.0;

  Heliocentric h = HeliocentricOf(p, planetName, jd, t);
  const OrbitPoint earth = OrbitPointOf(ElementsOf(Planet::Erde, t));
  const double sunLongitude = earth.u + 180.0 + PrecessionToJ2000(jd);
  const double R = earth.r;  // the Earth's radius vector, never corrected

  if (h.l < 0.0) h.l += 360.0;
  if (h.l > 360.0) h.l -= 360.0;
  PlanetEphemeris& eph = place.Ephemeris;
  eph.HeliocentricLongitude = h.l;
  eph.RadiusVector = h.r;
  eph.HeliocentricLatitude = h.b;
  if (p == Planet::Erde) return;

  // Geocentric ecliptic rectangular coordinates (AU).
  const double lRad = h.l * kDegToRad;
  const double bRad = h.b * kDegToRad;
  const double sunRad = sunLongitude * kDegToRad;
  const double X = std::cos(bRad) * h.r * std::cos(lRad) + R * std::cos(sunRad);
  const double Y = std::cos(bRad) * h.r * std::sin(lRad) + R * std::sin(sunRad);
  const double Z = h.r * std::sin(bRad);
  const double delta = std::sqrt(std::fabs(X * X + Y * Y + Z * Z));
  eph.Distance = delta;
  eph.GeocentricLongitude = FullCircleAngle(Y, X);
  eph.GeocentricLatitude = std::asin(std::clamp(Z / delta, -1.0, 1.0)) * kRadToDeg;

  // Equatorial coordinates with the mean obliquity of date.
  const double eps = (23.4393 - 0.013 * t) * kDegToRad;
  const double Yq = Y * std::cos(eps) - Z * std::sin(eps);
  const double Zq = Y * std::sin(eps) + Z * std::cos(eps);
  const double alpha = FullCircleAngle(Yq, X);
  const double dec = std::asin(std::clamp(Zq / delta, -1.0, 1.0)) * kRadToDeg;
  place.RightAscensionDeg = alpha;
  place.DeclinationDeg = dec;

  const HoursMinutes ra = SplitRightAscension(alpha);
  eph.RightAscensionHours = ra.Hours;
  eph.RightAscensionMinutes = ra.Minutes;
  const DegreesMinutes de = SplitDeclination(dec);
  eph.DeclinationDegrees = de.Degrees;
  eph.DeclinationMinutes = de.Minutes;

  const OrbitalElements el = ElementsOf(p, t);
  eph.ApparentDiameter = el.D / delta;
  eph.Magnitude = MagnitudeForRecord(PlanetMagnitude(planetName, alpha, dec, t, R, delta, h.r));

  const RiseSet rs = PlanetRiseSet(alpha, dec, jd, latitudeDeg, longitudeDeg, zoneHours);
  place.Rise = rs.Rise;
  place.Set = rs.Set;
}

PlanetPlace ComputePlanet(std::string_view name, double jd, double latitudeDeg, double longitudeDeg,
                          double zoneHours) {
  PlanetPlace place;
  ComputePlanet(name, jd, latitudeDeg, longitudeDeg, zoneHours, place);
  return place;
}

}  // namespace zenitra
