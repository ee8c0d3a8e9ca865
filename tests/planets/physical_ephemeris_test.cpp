// Physical ephemeris: body tables, rotation, illumination, brightness, position angle, and the
// Venus disc of the sky map.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "planets/physical_ephemeris.h"
#include "planets/planet_position.h"

namespace zenitra {
namespace {

constexpr double kPi = 3.14159265358979323846;

TEST(PhysicalEphemeris, LeavesTheEarthAndUnknownBodiesAlone) {
  EXPECT_FALSE(PhysicalEphemeris(2, 1, 1, 2000, 0).has_value());
  EXPECT_FALSE(PhysicalEphemeris(9, 1, 1, 2000, 0).has_value());
  EXPECT_FALSE(PlanetShape(9).has_value());
  EXPECT_FALSE(PlanetOrientation(9, 0, 0.0).has_value());
  for (BodyIndex body : {0, 1, 3, 4, 5, 6, 7, 8}) {
    EXPECT_TRUE(PhysicalEphemeris(body, 1, 1, 2000, 0).has_value()) << "body " << int(body);
  }
}

// Venus on 1992-12-20 0h TD: phase angle 72.96 deg and illuminated fraction 0.647 (Meeus,
// Astronomical Algorithms, 2nd ed., example 41.a, from VSOP87 distances). The mean elements put
// Venus and the Earth within 1e-4 AU of VSOP87, which moves the phase angle by less than 0.02 deg.
// Apparent diameter: Venus' radius 6051 km at the true distance 0.910947 AU of example 33.a is
// 18.318"; 1e-4 AU of distance error is 0.002".
TEST(PhysicalEphemeris, VenusDiscMatchesWorkedExamples) {
  const auto v = PhysicalEphemeris(1, 20, 12, 1992, 0);
  ASSERT_TRUE(v.has_value());
  EXPECT_NEAR(v->PhaseAngleDeg, 72.96, 0.03);
  EXPECT_NEAR(v->IlluminatedFraction, 0.647, 0.0006);
  EXPECT_NEAR(v->ApparentDiameterArcsec, 18.318, 0.005);
  // Magnitude by the Astronomical Almanac formula from 1984 (Meeus, ch. 41): -4.2 for these values.
  EXPECT_NEAR(v->Magnitude, -4.2, 0.05);
  std::printf("[ accuracy ] Venus 1992-12-20: phase %+.3f deg, fraction %+.4f, diameter %+.3f\", magnitude %+.3f\n",
              v->PhaseAngleDeg - 72.96, v->IlluminatedFraction - 0.647, v->ApparentDiameterArcsec - 18.318,
              v->Magnitude + 4.2);
}

// The disc size belongs to the moment of observation, the brightness to the light emitted one
// light time earlier: the diameter uses the first, geometric distance, the magnitude the distance
// after the light-time correction.
TEST(PhysicalEphemeris, DiameterUsesTheDistanceBeforeAndMagnitudeAfterTheLightTime) {
  const double t = (ModifiedJulianDate(1, 6, 2004, 12) - 51544.5) / 36525.0;  // near inferior conjunction
  const Vec3 venus = KeplerPosition(1, t);
  const Vec3 earth = KeplerPosition(2, t);
  const double geometric = std::sqrt((venus.x - earth.x) * (venus.x - earth.x) +
                                     (venus.y - earth.y) * (venus.y - earth.y) +
                                     (venus.z - earth.z) * (venus.z - earth.z));
  const auto v = PhysicalEphemeris(1, 1, 6, 2004, 12);
  ASSERT_TRUE(v.has_value());
  // Venus' radial motion during the light time changes the distance by about 3e-7 AU here, the
  // diameter by 6e-5"; the two readings are told apart at 1e-6".
  const double expected = std::asin(6051.0 / (geometric * 149597870.0)) * 7200.0 * 180.0 / kPi;
  EXPECT_NEAR(v->ApparentDiameterArcsec, expected, 1e-6);
  const double afterLightTime = std::asin(6051.0 / (v->EarthDistanceAu * 149597870.0)) * 7200.0 * 180.0 / kPi;
  EXPECT_GT(std::fabs(afterLightTime - expected), 1e-5);
  EXPECT_DOUBLE_EQ(v->Magnitude, PlanetBrightness(1, 0.0, 0.0, v->PhaseAngleDeg, v->EarthDistanceAu, v->SunDistanceAu));
}

// The bright limb faces the Sun: its position angle equals that of the great circle from the
// planet towards the Sun, Meeus' formula 48.5 with the places of ComputePlanet (equinox J2000; the
// physical ephemeris refers to the equator of date, which turns position angles by < 0.1 deg
// within a few decades of 2000).
TEST(PhysicalEphemeris, BrightLimbPointsTowardsTheSun) {
  const double d = kPi / 180.0;
  struct Moment {
    int day, month, year, hour;
  } moments[] = {{20, 12, 1992, 0}, {1, 6, 2004, 12}, {15, 3, 2020, 6}, {10, 10, 2010, 18}};
  for (const Moment& m : moments) {
    const double jd = 2400000.5 + ModifiedJulianDate(m.day, m.month, m.year, m.hour);
    const PlanetPlace venus = ComputePlanet("Venus", jd, 0, 0, 0);
    const double sunLon = (ComputePlanet("Erde", jd, 0, 0, 0).Ephemeris.HeliocentricLongitude + 180.0) * d;
    const double eps = 23.4393 * d;
    const double sunRa = std::atan2(std::cos(eps) * std::sin(sunLon), std::cos(sunLon));
    const double sunDec = std::asin(std::sin(eps) * std::sin(sunLon));
    const double ra = venus.RightAscensionDeg * d;
    const double dec = venus.DeclinationDeg * d;
    double chi = std::atan2(std::cos(sunDec) * std::sin(sunRa - ra),
                            std::sin(sunDec) * std::cos(dec) - std::cos(sunDec) * std::sin(dec) * std::cos(sunRa - ra)) /
                 d;
    if (chi < 0) chi += 360.0;
    const auto v = PhysicalEphemeris(1, m.day, m.month, m.year, m.hour);
    ASSERT_TRUE(v.has_value());
    const double diff = std::remainder(v->BrightLimbAngleDeg - chi, 360.0);
    EXPECT_LT(std::fabs(diff), 0.2) << "input " << m.day << "." << m.month << "." << m.year << " " << m.hour
                                    << "h: expected " << chi << ", got " << v->BrightLimbAngleDeg;
  }
}

TEST(PlanetOrientation, RetrogradeBodiesAreVenusUranusAndPluto) {
  for (BodyIndex body = 0; body <= 8; ++body) {
    const bool expected = body == 1 || body == 6 || body == 8;
    EXPECT_EQ(PlanetOrientation(body, 0, 0.0)->Retrograde, expected) << "body " << int(body);
  }
}

TEST(PlanetOrientation, PrimeMeridianKeepsItsSignBelowOneTurn) {
  const BodyOrientation venus = *PlanetOrientation(1, 0, 1.0);  // W = 159.91 - 1.4814205 d
  EXPECT_LT(venus.PrimeMeridianDeg, 0.0);
  EXPECT_GT(venus.PrimeMeridianDeg, -360.0);
  EXPECT_NEAR(venus.PrimeMeridianDeg, 159.91 - 1.4814205 * 36525.0 + 149.0 * 360.0, 1e-6);  // W/360 = -149.86
  const BodyOrientation mars = *PlanetOrientation(3, 0, 0.5);
  EXPECT_GE(mars.PrimeMeridianDeg, 0.0);
  EXPECT_LT(mars.PrimeMeridianDeg, 360.0);
  // Jupiter has three systems, Saturn two; the others ignore the system number.
  EXPECT_NE(PlanetOrientation(4, 0, 0.1)->PrimeMeridianDeg, PlanetOrientation(4, 1, 0.1)->PrimeMeridianDeg);
  EXPECT_NE(PlanetOrientation(4, 1, 0.1)->PrimeMeridianDeg, PlanetOrientation(4, 2, 0.1)->PrimeMeridianDeg);
  EXPECT_EQ(PlanetOrientation(5, 0, 0.1)->PrimeMeridianDeg, PlanetOrientation(5, 1, 0.1)->PrimeMeridianDeg);
  EXPECT_NE(PlanetOrientation(5, 1, 0.1)->PrimeMeridianDeg, PlanetOrientation(5, 2, 0.1)->PrimeMeridianDeg);
  EXPECT_EQ(PlanetOrientation(3, 0, 0.1)->PrimeMeridianDeg, PlanetOrientation(3, 2, 0.1)->PrimeMeridianDeg);
}

TEST(PlanetRotation, RetrogradeBodiesKeepTheCentralMeridianUnnegated) {
  const Vec3 v{0.3, -4.1, 1.2};
  for (double w = -300.0; w < 360.0; w += 37.0) {
    const BodyRotation direct = PlanetRotation(false, 0.06, w, 64.5, 268.0, v);
    const BodyRotation retro = PlanetRotation(true, 0.06, w, 64.5, 268.0, v);
    EXPECT_NEAR(std::fmod(direct.CentralMeridianDeg + retro.CentralMeridianDeg, 360.0), 0.0, 1e-9) << "W " << w;
    EXPECT_EQ(direct.PlanetocentricLatDeg, retro.PlanetocentricLatDeg);
  }
}

TEST(PlanetRotation, ObserverAbovePoleAndFlatteningGiveTheExpectedLatitudes) {
  // Pole at Dec 90: an observer straight "below" the planet (planet at +z from him) sees the south pole.
  const BodyRotation below = PlanetRotation(false, 0.1, 0.0, 90.0, 0.0, {0.0, 0.0, 5.0});
  EXPECT_NEAR(below.PlanetocentricLatDeg, -90.0, 1e-9);
  EXPECT_NEAR(below.Pole.z, 1.0, 1e-12);
  // Planetographic latitude exceeds the planetocentric one on a flattened body.
  const BodyRotation oblique = PlanetRotation(false, 0.1, 0.0, 90.0, 0.0, {3.0, 0.0, -3.0});
  EXPECT_NEAR(oblique.PlanetocentricLatDeg, 45.0, 1e-9);
  EXPECT_NEAR(oblique.PlanetographicLatDeg, std::atan(1.0 / 0.81) * 180.0 / kPi, 1e-9);
  const BodyRotation none = PlanetRotation(false, 0.1, 0.0, 90.0, 0.0, {0.0, 0.0, 0.0});
  EXPECT_FALSE(std::isnan(none.PlanetocentricLatDeg));
}

TEST(PlanetIllumination, FullAndNewPhaseAreExact) {
  const Illumination full = PlanetIllumination({2.0, 0.0, 0.0}, {1.0, 0.0, 0.0});  // opposition
  EXPECT_EQ(full.IlluminatedFraction, 1.0);
  EXPECT_EQ(full.PhaseAngleDeg, 0.0);
  EXPECT_EQ(full.ElongationDeg, 180.0);
  const Illumination dark = PlanetIllumination({1.0, 0.0, 0.0}, {2.0, 0.0, 0.0});  // inferior conjunction
  EXPECT_EQ(dark.IlluminatedFraction, 0.0);
  EXPECT_EQ(dark.PhaseAngleDeg, 180.0);
  EXPECT_EQ(dark.ElongationDeg, 0.0);
  // Quadrature-like right angle at the planet: phase 90 deg, half lit.
  const Illumination half = PlanetIllumination({0.0, 1.0, 0.0}, {1.0, 1.0, 0.0});
  EXPECT_NEAR(half.PhaseAngleDeg, 90.0, 1e-9);
  EXPECT_NEAR(half.IlluminatedFraction, 0.5, 1e-12);
}

TEST(PlanetBrightness, SaturnTakesTheLongitudeDifferenceTheShortWayRound) {
  const double m250 = PlanetBrightness(5, 250.0, 20.0, 5.0, 9.0, 9.5);
  EXPECT_DOUBLE_EQ(m250, PlanetBrightness(5, 110.0, 20.0, 5.0, 9.0, 9.5));  // w = |2.5 - 3.6| = 1.1
  EXPECT_DOUBLE_EQ(m250, PlanetBrightness(5, -250.0, 20.0, 5.0, 9.0, 9.5));
  // At the 1.8 threshold itself w stays 1.8.
  EXPECT_NEAR(PlanetBrightness(5, 180.0, 0.0, 0.0, 1.0, 1.0), -8.88 + 4.4 * 1.8, 1e-12);
  // Bodies without a formula of their own share the Earth's.
  EXPECT_EQ(PlanetBrightness(2, 0, 0, 30, 2, 3), PlanetBrightness(200, 0, 0, 30, 2, 3));
  EXPECT_NEAR(PlanetBrightness(6, 0, 0, 0, 1, 1), -7.19, 1e-12);
}

TEST(PositionAngle, CountsFromNorthTowardsEast) {
  const Vec3 p{1.0, 0.0, 0.0};  // RA 0, Dec 0
  EXPECT_NEAR(PositionAngle({0.0, 0.0, 1.0}, p), 0.0, 1e-12);
  EXPECT_NEAR(PositionAngle({0.0, 1.0, 0.0}, p), 90.0, 1e-12);
  EXPECT_NEAR(PositionAngle({0.0, 0.0, -1.0}, p), 180.0, 1e-12);
  EXPECT_NEAR(PositionAngle({0.0, -1.0, 0.0}, p), 270.0, 1e-12);
  EXPECT_FALSE(std::isnan(PositionAngle({0.0, 1.0, 0.0}, {0.0, 0.0, 0.0})));
}

TEST(PhysicalEphemeris, ResultsStayInRangeOverFourCenturies) {
  for (BodyIndex body : {0, 1, 3, 4, 5, 6, 7, 8}) {
    for (int year = 1800; year <= 2200; year += 7) {
      const auto v = PhysicalEphemeris(body, 1 + year % 28, 1 + year % 12, year, year % 24);
      ASSERT_TRUE(v.has_value());
      EXPECT_GE(v->BrightLimbAngleDeg, 0.0);
      EXPECT_LT(v->BrightLimbAngleDeg, 360.0);
      EXPECT_GE(v->PhaseAngleDeg, 0.0);
      EXPECT_LE(v->PhaseAngleDeg, 180.0);
      EXPECT_GT(v->ApparentDiameterArcsec, 0.0);
      EXPECT_LT(v->ApparentDiameterArcsec, 70.0);
      EXPECT_TRUE(std::isfinite(v->Magnitude)) << "body " << int(body) << " year " << year;
    }
  }
}

}  // namespace
}  // namespace zenitra
