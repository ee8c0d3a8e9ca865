#include "planets/physical_ephemeris.h"

#include <algorithm>
#include <cmath>

namespace zenitra {

namespace {

double Length(Vec3 v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }
Vec3 Minus(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }

// W = 360 (W/360 - trunc(W/360)): keeps the sign, |W| < 360.
double ReducePrimeMeridian(double w) { return 360.0 * (w / 360.0 - std::trunc(w / 360.0)); }

// Heliocentric equatorial J2000 vector of a body from the mean elements.
Vec3 EquatorialPosition(BodyIndex body, double t) { return EclipticToEquatorial(KeplerPosition(body, t), 0.0); }

}  // namespace

std::optional<BodyShape> PlanetShape(BodyIndex body) {
  static constexpr BodyShape kShapes[9] = {
      {2439.0, 0.0},      {6051.0, 0.0},       {6378.14, 0.00335281}, {3393.4, 0.0051865}, {71398.0, 0.0648088},
      {60000.0, 0.1076209}, {25400.0, 0.03}, {24300.0, 0.0259},     {1500.0, 0.0},
  };
  if (body > 8) return std::nullopt;
  return kShapes[body];
}

std::optional<BodyOrientation> PlanetOrientation(BodyIndex body, int system, double t) {
  const double d = 36525.0 * t;
  BodyOrientation o;
  switch (body) {
    case 0:
      o = {281.02 - 0.033 * t, 61.45 - 0.005 * t, 329.71 + 6.1385025 * d, false};
      break;
    case 1:
      o = {272.78, 67.21, 159.91 - 1.4814205 * d, true};
      break;
    case 2:
      o = {0.0 - 0.641 * t, 90.0 - 0.557 * t, 100.21 + 360.9856123 * d, false};
      break;
    case 3:
      o = {317.681 - 0.108 * t, 52.886 - 0.061 * t, 176.655 + 350.891983 * d, false};
      break;
    case 4: {
      const double w = system == 1 ? 43.3 + 870.27 * d : system == 2 ? 284.95 + 870.536 * d : 67.1 + 877.9 * d;
      o = {268.05 - 0.009 * t, 64.49 + 0.003 * t, w, false};
      break;
    }
    case 5: {
      const double w = system == 2 ? 38.9 + 810.7939024 * d : 227.2037 + 844.3 * d;
      o = {40.66 - 0.036 * t, 83.52 - 0.004 * t, w, false};
      break;
    }
    case 6:
      o = {257.43, -15.10, 261.62 - 554.913 * d, true};
      break;
    case 7:
      o = {295.33, 40.65, 107.21 + 468.75 * d, false};
      break;
    case 8:
      o = {311.63, 4.18, 252.66 - 56.364 * d, true};
      break;
    default:
      return std::nullopt;
  }
  o.PrimeMeridianDeg = ReducePrimeMeridian(o.PrimeMeridianDeg);
  return o;
}

BodyRotation PlanetRotation(bool retrograde, double flattening, double wDeg, double poleDecDeg, double poleRaDeg,
                            Vec3 v) {
  const Matrix33 m = GaussVectors(poleRaDeg + 90.0, 90.0 - poleDecDeg, wDeg);
  BodyRotation out;
  out.Pole = {m[2], m[5], m[8]};
  // Body-fixed coordinates of the direction from the body towards the observer.
  const double bx = -(v.x * m[0] + v.y * m[3] + v.z * m[6]);
  const double by = -(v.x * m[1] + v.y * m[4] + v.z * m[7]);
  const double bz = -(v.x * m[2] + v.y * m[5] + v.z * m[8]);
  const double rho = std::sqrt(bx * bx + by * by);
  if (rho == 0.0 && bz == 0.0) {
    out.PlanetocentricLatDeg = 0.0;  // no direction at all (zero vector)
    out.PlanetographicLatDeg = 0.0;
  } else {
    const double u = bz / rho;  // +-inf above a pole: the arc tangent gives +-90
    const double g = (1.0 - flattening) * (1.0 - flattening);
    out.PlanetocentricLatDeg = ArcTanDeg(u);
    out.PlanetographicLatDeg = ArcTanDeg(u / g);
  }
  double lon = ArcTan2Deg(by, bx);
  if (!retrograde) lon = -lon;
  if (lon < 0.0) lon += 360.0;
  out.CentralMeridianDeg = lon;
  return out;
}

Illumination PlanetIllumination(Vec3 planet, Vec3 earth) {
  Illumination out;
  const double r = Length(planet);
  const double delta = Length(Minus(planet, earth));
  const double R = Length(earth);
  out.SunDistanceAu = r;
  out.EarthDistanceAu = delta;
  // Both cosines are clamped: rounding can carry them just beyond +-1 for collinear bodies.
  out.ElongationDeg = ArcCosDeg(std::clamp((delta * delta + R * R - r * r) / (2.0 * R * delta), -1.0, 1.0));
  const double c = std::clamp((delta * delta + r * r - R * R) / (2.0 * r * delta), -1.0, 1.0);
  out.PhaseAngleDeg = ArcCosDeg(c);
  out.IlluminatedFraction = (c + 1.0) / 2.0;
  return out;
}

double PlanetBrightness(BodyIndex body, double deltaUDeg, double bDeg, double phaseAngleDeg, double distanceAu,
                        double radiusAu) {
  const double g = phaseAngleDeg / 100.0;
  double h;
  switch (body) {
    case 0:
      h = -0.42 + 3.8 * g - 2.73 * g * g + 2.0 * g * g * g;
      break;
    case 1:
      h = -4.4 + 0.09 * g + 2.39 * g * g - 0.65 * g * g * g;
      break;
    case 3:
      h = -1.52 + 1.6 * g;
      break;
    case 4:
      h = -9.4 + 0.5 * g;
      break;
    case 5: {
      const double s = std::fabs(SinDeg(bDeg));
      double w = std::fabs(deltaUDeg / 100.0);
      if (w > 1.8) w = std::fabs(w - 3.6);  // the difference of longitudes taken the short way round
      h = -8.88 - 2.6 * s + 1.25 * s * s + 4.4 * w;
      break;
    }
    case 6:
      h = -7.19;
      break;
    case 7:
      h = -6.87;
      break;
    case 8:
      h = -1.0;
      break;
    default:
      h = -3.86;  // the Earth and any other number
      break;
  }
  return 5.0 * std::log(radiusAu * distanceAu) / 2.302585093 + h;
}

double PositionAngle(Vec3 d, Vec3 p) {
  const double rho2 = p.x * p.x + p.y * p.y;
  const double len = std::sqrt(rho2 + p.z * p.z);
  const double north = len > 0.0 ? (-p.z * p.x * d.x - p.z * p.y * d.y + rho2 * d.z) / len : 0.0;
  const double east = p.x * d.y - p.y * d.x;
  double angle = ArcTan2Deg(east, north);
  if (angle < 0.0) angle += 360.0;
  if (angle >= 360.0) angle = 0.0;  // a tiny negative angle plus 360 can round to 360
  return angle;
}

std::optional<PhysicalData> PhysicalEphemeris(BodyIndex body, int day, int month, int year, int hour) {
  if (body == 2 || body > 8) return std::nullopt;
  const double t = (ModifiedJulianDate(day, month, year, hour) - 51544.5) / 36525.0;
  const Matrix33 precession = PrecessionMatrix(0.0, t);
  const Vec3 earth = EquatorialPosition(2, t);

  // Light time at 173.14 AU per day; the Earth stays at t.
  const double firstDistance = Length(Minus(EquatorialPosition(body, t), earth));
  const double tLight = t - firstDistance / 173.14 / 36525.0;
  const Vec3 helio = EquatorialPosition(body, tLight);
  const Vec3 geo = Minus(helio, earth);

  const BodyShape shape = *PlanetShape(body);
  PhysicalData out;
  out.ApparentDiameterArcsec =
      ArcSinDeg(std::min(1.0, shape.RadiusKm / (firstDistance * 149597870.0))) * 7200.0;

  BodyOrientation orientation[3];
  for (int system = 0; system < 3; ++system) {
    orientation[system] = *PlanetOrientation(body, system, tLight);
    const BodyOrientation& o = orientation[system];
    out.CentralMeridianDeg[system] = PlanetRotation(o.Retrograde, shape.Flattening, o.PrimeMeridianDeg,
                                                    o.PoleDeclinationDeg, o.PoleRightAscensionDeg, geo)
                                         .CentralMeridianDeg;
  }
  const BodyOrientation& o0 = orientation[0];
  const BodyRotation sunward = PlanetRotation(o0.Retrograde, shape.Flattening, o0.PrimeMeridianDeg,
                                              o0.PoleDeclinationDeg, o0.PoleRightAscensionDeg, helio);

  const Illumination ill = PlanetIllumination(helio, earth);
  out.PhaseAngleDeg = ill.PhaseAngleDeg;
  out.IlluminatedFraction = ill.IlluminatedFraction;
  out.ElongationDeg = ill.ElongationDeg;
  out.SunDistanceAu = ill.SunDistanceAu;
  out.EarthDistanceAu = ill.EarthDistanceAu;
  out.Magnitude = PlanetBrightness(body, sunward.CentralMeridianDeg - out.CentralMeridianDeg[0],
                                   sunward.PlanetocentricLatDeg, ill.PhaseAngleDeg, ill.EarthDistanceAu,
                                   ill.SunDistanceAu);

  // Bright limb: the direction from the planet towards the Sun, at the planet's place, both
  // referred to the equator of date.
  const Vec3 helioOfDate = MatrixTimesVector(precession, helio);
  const Vec3 geoOfDate = MatrixTimesVector(precession, geo);
  out.BrightLimbAngleDeg = PositionAngle({-helioOfDate.x, -helioOfDate.y, -helioOfDate.z}, geoOfDate);
  return out;
}

}  // namespace zenitra
