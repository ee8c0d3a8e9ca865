// The Moon's place in three precisions, its age and illuminated fraction.
#include "core/moon_position.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "support/random_moments.h"

#include "core/lunar_phases.h"
#include "core/sun_position.h"

namespace zenitra {
namespace {

using zenitra::testing::RandomMoments;

constexpr double kMinute = 1.0 / 1440.0;

// Angular distance in degrees between two equatorial places (degrees).
double Separation(double ra1, double dec1, double ra2, double dec2) {
  const double r = 3.14159265358979323846 / 180.0;
  const double c = std::sin(dec1 * r) * std::sin(dec2 * r) + std::cos(dec1 * r) * std::cos(dec2 * r) * std::cos((ra1 - ra2) * r);
  return std::acos(std::fmin(1.0, c)) / r;
}

// Worked example: the Moon on 1992-04-12 0h TD (J. Meeus, Astronomical Algorithms, 2nd ed.,
// example 47.a): beta = -3.229127, Delta = 368409.7 km, apparent lambda = 133.167265,
// alpha = 134.688470, delta = 13.768368 degrees.
TEST(MoonPosition, ReproducesWorkedExample1992April12) {
  const BodyPosition p = MoonPosition(DateTimeValue(33706.0));
  EXPECT_NEAR(p.Latitude, -3.229127, 1e-6);
  EXPECT_NEAR(p.DistanceKm, 368409.68, 0.01);
  EXPECT_NEAR(p.Longitude, 133.16727, 1e-5);
  EXPECT_NEAR(p.RightAscension, 134.68847, 1e-5);
  EXPECT_NEAR(p.Declination, 13.76836, 1e-5);
}

// The window's shortened series for the same moment: Meeus, example 47.a gives the mean node
// Omega = 274.400656 degrees; the illuminated fraction there is 0.6786 from the exact phase angle
// (example 48.a), which the short phase-angle formula meets to about 0.002.
TEST(MoonEphemeris, AgreesWithTheWorkedExample1992April12) {
  const MoonEphemerisValue v = MoonEphemeris(DateTimeToJulianDay(DateTimeValue(33706.0)));
  EXPECT_NEAR(v.RightAscension, 134.688470, 0.01);
  EXPECT_NEAR(v.Declination, 13.768368, 0.01);
  EXPECT_NEAR(v.DistanceKm, 368409.7, 0.1);
  EXPECT_NEAR(v.ApparentLongitude, 133.167265, 0.01);
  EXPECT_NEAR(v.NodeLongitude, 274.400656, 1e-5);
  EXPECT_NEAR(v.IlluminatedFraction, 0.6786, 0.003);
}

TEST(MoonLowPrecision, AgreesWithTheWorkedExample1992April12) {
  const MoonLowPrecisionValue v = MoonLowPrecision(DateTimeToJulianDay(DateTimeValue(33706.0)));
  EXPECT_LT(Separation(v.RightAscension, v.Declination, 134.688470, 13.768368), 0.3);
  EXPECT_NEAR(v.IlluminatedFraction, 0.6786, 0.003);
}

// Properties over random moments: ranges, and the shortened series stay within the sum of the
// amplitudes they leave out. MoonEphemeris omits 17 longitude terms (0.0078 deg in all) and
// 13 latitude terms (0.0022 deg) and uses the short nutation (0.5"): under 0.012 deg from the
// full series. MoonLowPrecision omits 48 longitude terms (0.19 deg), 36 latitude terms (0.015
// deg), the E factors, the nutation and the change of the obliquity (0.03 deg over 1800-2200).
TEST(MoonSeries, ShortenedFormsStayInRangeAndNearTheFullSeries) {
  double worstEphemeris = 0.0;
  double worstLow = 0.0;
  for (const DateTimeValue t : RandomMoments(2000, 1)) {
    const JulianDay jd = DateTimeToJulianDay(t);
    const BodyPosition full = MoonPosition(t);
    const MoonEphemerisValue e = MoonEphemeris(jd);
    const MoonLowPrecisionValue low = MoonLowPrecision(jd);
    EXPECT_GE(full.Longitude, 0.0) << "t " << t;
    EXPECT_LT(full.Longitude, 360.0) << "t " << t;
    EXPECT_GT(full.RightAscension, -180.0) << "t " << t;
    EXPECT_LE(full.RightAscension, 180.0) << "t " << t;
    for (const double alpha : {e.RightAscension, low.RightAscension}) {
      EXPECT_GE(alpha, 0.0) << "t " << t;
      EXPECT_LE(alpha, 360.0) << "t " << t;
    }
    for (const double k : {e.IlluminatedFraction, low.IlluminatedFraction}) {
      EXPECT_GE(k, 0.0) << "t " << t;
      EXPECT_LE(k, 1.0) << "t " << t;
    }
    EXPECT_GE(e.NodeLongitude, 0.0);
    EXPECT_LE(e.NodeLongitude, 360.0);
    EXPECT_GE(e.PerigeeLongitude, 0.0);
    EXPECT_LE(e.PerigeeLongitude, 360.0);
    EXPECT_GT(full.DistanceKm, 356000.0) << "t " << t;
    EXPECT_LT(full.DistanceKm, 407000.0) << "t " << t;
    // Both sum all 60 distance terms with their E factors.
    EXPECT_NEAR(e.DistanceKm, full.DistanceKm, 1e-6) << "t " << t;
    worstEphemeris = std::fmax(worstEphemeris,
                               Separation(e.RightAscension, e.Declination, full.RightAscension, full.Declination));
    worstLow = std::fmax(worstLow, Separation(low.RightAscension, low.Declination, full.RightAscension, full.Declination));
  }
  RecordProperty("worst_ephemeris_deg", std::to_string(worstEphemeris));
  RecordProperty("worst_low_deg", std::to_string(worstLow));
  EXPECT_LT(worstEphemeris, 0.012) << "largest separation from the full series, degrees";
  EXPECT_LT(worstLow, 0.3) << "largest separation from the full series, degrees";
}

TEST(MoonSeries, IlluminatedFractionFollowsThePhase) {
  // Near a new moon the fraction is close to 0, near the full moon close to 1.
  const DateTimeValue newMoon = NewMoonNear(DateTimeOfDate(2024, 4, 8));
  EXPECT_LT(MoonEphemeris(DateTimeToJulianDay(newMoon)).IlluminatedFraction, 0.002);
  EXPECT_LT(MoonLowPrecision(DateTimeToJulianDay(newMoon)).IlluminatedFraction, 0.002);
  const DateTimeValue fullMoon = JulianDayToDateTime(WindowPhaseInstant(15, 1, 2024, PhaseKind::FullMoon));
  EXPECT_GT(MoonEphemeris(DateTimeToJulianDay(fullMoon)).IlluminatedFraction, 0.998);
}

TEST(MoonAge, LiesInZeroToOneSynodicMonth) {
  for (const DateTimeValue t : RandomMoments(2000, 2)) {
    const double age = MoonAge(t);
    EXPECT_GE(age, 0.0) << "t " << t;
    EXPECT_LT(age, SynodicMonth) << "t " << t;
  }
}

// The age restarts at the conjunction: check it around the new moons that the phase series give
// (Meeus ch. 49; the two methods agree to a few minutes).
TEST(MoonAge, RestartsAtEachNewMoon) {
  for (const DateTimeValue t : RandomMoments(200, 3)) {
    const DateTimeValue newMoon = NewMoonNear(t);
    EXPECT_LT(MoonAge(newMoon + 10.0 * kMinute), 0.02) << "new moon " << newMoon;
    EXPECT_GT(MoonAge(newMoon - 10.0 * kMinute), SynodicMonth - 0.02) << "new moon " << newMoon;
  }
}

TEST(MoonAge, GrowsThroughTheLunation) {
  const DateTimeValue newMoon = NewMoonNear(DateTimeOfDate(2024, 4, 8));
  double previous = MoonAge(newMoon + 0.01);
  for (int i = 1; i <= 28; ++i) {
    const double age = MoonAge(newMoon + 0.01 + i);
    EXPECT_GT(age, previous) << "day " << i;
    EXPECT_NEAR(age, i + 0.01, 1.0) << "day " << i;
    previous = age;
  }
}

TEST(MoonSeries, NonFiniteInputsDoNotHang) {
  EXPECT_TRUE(std::isnan(MoonPosition(DateTimeValue(std::nan(""))).Longitude));
  EXPECT_TRUE(std::isnan(MoonEphemeris(std::nan("")).RightAscension));
  EXPECT_TRUE(std::isnan(MoonLowPrecision(HUGE_VAL).Declination));
}

}  // namespace
}  // namespace zenitra
