// Degree trigonometry, precession, Kepler's equation and the mean-element positions.
#include "core/degree_math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "core/sin_cos.h"
#include "core/time_scales.h"

namespace zenitra {
namespace {

constexpr double kArcsec = 1.0 / 3600.0;  // degrees

TEST(DegreeTrigonometry, InverseFunctionsAreExactAtTheEndsOfTheirRange) {
  EXPECT_EQ(ArcSinDeg(1.0), 90.0);
  EXPECT_EQ(ArcSinDeg(-1.0), -90.0);
  EXPECT_EQ(ArcCosDeg(1.0), 0.0);
  EXPECT_EQ(ArcCosDeg(-1.0), 180.0);
}

TEST(DegreeTrigonometry, TinyArgumentsUseTheSmallAngleValue) {
  EXPECT_EQ(ArcSinDeg(5e-8), 5e-8 / kRadPerDeg15Digits);
  EXPECT_EQ(ArcCosDeg(-5e-8), 90.0 + 5e-8 / kRadPerDeg15Digits);
}

TEST(DegreeTrigonometry, ArcTan2TakesTheStatedQuadrants) {
  EXPECT_EQ(ArcTan2Deg(0.0, 0.0), 0.0);
  EXPECT_EQ(ArcTan2Deg(0.0, -1.0), 180.0);
  EXPECT_EQ(ArcTan2Deg(-1.0, 0.0), -90.0);
  EXPECT_DOUBLE_EQ(ArcTan2Deg(1.0, 1.0), 45.0);  // equal magnitudes: 90 - 45
}

TEST(DegreeTrigonometry, AgreesWithTheLibraryFunctionsEverywhere) {
  std::mt19937_64 rng(7);
  std::uniform_real_distribution<double> unit(-1.0, 1.0);
  for (int i = 0; i < 5000; ++i) {
    const double x = unit(rng), y = unit(rng);
    EXPECT_NEAR(ArcTan2Deg(y, x), std::atan2(y, x) * 180.0 / M_PI, 1e-9) << "y=" << y << " x=" << x;
    EXPECT_NEAR(ArcSinDeg(x), std::asin(x) * 180.0 / M_PI, 1e-9) << "x=" << x;
    EXPECT_NEAR(ArcCosDeg(x), std::acos(x) * 180.0 / M_PI, 1e-9) << "x=" << x;
    EXPECT_NEAR(SinDeg(360.0 * x), std::sin(2.0 * M_PI * x), 1e-12) << "x=" << x;
  }
}

// The series' sine and cosine against the library's, on the arguments the series produce (up to
// 3e6 radians) and every quadrant; the library is correctly rounded to within an ulp, so 4e-16
// leaves room for the two roundings of the reduction only.
TEST(SinCosOf, AgreesWithTheLibraryOverTheSeriesRange) {
  std::mt19937_64 rng(11);
  std::uniform_real_distribution<double> logMagnitude(-3.0, 6.5);
  for (int i = 0; i < 20000; ++i) {
    const double x = (i % 2 == 0 ? 1.0 : -1.0) * std::pow(10.0, logMagnitude(rng));
    const SinCos r = SinCosOf(x);
    EXPECT_NEAR(r.sin, std::sin(x), 4e-16) << "x=" << x;
    EXPECT_NEAR(r.cos, std::cos(x), 4e-16) << "x=" << x;
    // The pair form computes each half as the single form does.
    Double2 sinPair, cosPair;
    SinCosOf2(Double2{x, 0.5 - x}, sinPair, cosPair);
    EXPECT_EQ(sinPair[0], r.sin) << "x=" << x;
    EXPECT_EQ(cosPair[0], r.cos) << "x=" << x;
    EXPECT_EQ(sinPair[1], SinCosOf(0.5 - x).sin) << "x=" << 0.5 - x;
    EXPECT_EQ(cosPair[1], SinCosOf(0.5 - x).cos) << "x=" << 0.5 - x;
  }
  for (const int quadrant : {0, 1, 2, 3, 4, -1, -2, -3}) {
    const double x = quadrant * M_PI / 2.0 + 0.3;
    EXPECT_NEAR(SinCosOf(x).sin, std::sin(x), 4e-16) << "quadrant " << quadrant;
    EXPECT_NEAR(SinCosOf(x).cos, std::cos(x), 4e-16) << "quadrant " << quadrant;
  }
  EXPECT_TRUE(std::isnan(SinCosOf(std::nan("")).sin));
  EXPECT_TRUE(std::isnan(SinCosOf(HUGE_VAL).cos));
}

TEST(ModifiedJulianDate, MatchesTheJulianDayOfTheCoreCalendar) {
  EXPECT_EQ(ModifiedJulianDate(1, 1, 2000, 12.0), 51544.5);
  // The last Julian and the first Gregorian day are consecutive.
  EXPECT_EQ(ModifiedJulianDate(15, 10, 1582, 0.0) - ModifiedJulianDate(4, 10, 1582, 0.0), 1.0);
  for (int year = -1000; year <= 3000; year += 7) {
    for (int month = 1; month <= 12; ++month) {
      if (year == 1582 && month == 10) continue;  // the switch month has its own test above
      const double expected = JulianDayOfDate(year, month, 13) - 2400000.5;
      EXPECT_EQ(ModifiedJulianDate(13, month, year, 0.0), expected) << year << "-" << month << "-13";
    }
  }
}

TEST(PrecessionMatrix, IsTheIdentityForEqualEpochsAndARotationOtherwise) {
  const Matrix33 same = PrecessionMatrix(0.37, 0.37);
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) EXPECT_EQ(same[3 * r + c], r == c ? 1.0 : 0.0) << r << "," << c;
  }
  const Matrix33 p = PrecessionMatrix(-1.5, 0.8);
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) {
      double dot = 0.0;
      for (int k = 0; k < 3; ++k) dot += p[3 * r + k] * p[3 * c + k];
      EXPECT_NEAR(dot, r == c ? 1.0 : 0.0, 1e-14) << "rows " << r << "," << c;
    }
  }
}

// Worked example: theta Persei from J2000 to 2028-11-13.19 TD, rigorous precession
// (J. Meeus, Astronomical Algorithms, 2nd ed., example 21.b): alpha0 = 41.054063, delta0 = 49.227750
// (proper motion already applied), alpha = 41.547214, delta = 49.348483 degrees.
TEST(PrecessionMatrix, ReproducesTheWorkedExampleThetaPersei) {
  const double t = 0.288670500;  // centuries from J2000 to JDE 2462088.69
  const double a0 = 41.054063, d0 = 49.227750;
  const Vec3 v = MatrixTimesVector(PrecessionMatrix(0.0, t),
                                   {CosDeg(d0) * CosDeg(a0), CosDeg(d0) * SinDeg(a0), SinDeg(d0)});
  EXPECT_NEAR(ArcTan2Deg(v.y, v.x), 41.547214, 0.2 * kArcsec);
  EXPECT_NEAR(ArcSinDeg(v.z), 49.348483, 0.2 * kArcsec);
}

TEST(EclipticToEquatorial, TurnsAboutTheEquinoxByTheObliquityOfTheEpoch) {
  const double eps = 23.43929111;
  const Vec3 v = EclipticToEquatorial({0.25, 1.0, 0.0}, 0.0);
  EXPECT_EQ(v.x, 0.25);
  EXPECT_DOUBLE_EQ(v.y, CosDeg(eps));
  EXPECT_DOUBLE_EQ(v.z, SinDeg(eps));
}

TEST(EccentricAnomaly, SolvesKeplersEquation) {
  // Worked example: e = 0.1, M = 5 degrees gives E = 5.554589 degrees (Meeus, example 30.a).
  EXPECT_NEAR(EccentricAnomaly(5.0, 0.1), 5.554589, 1e-6);
  EXPECT_NEAR(EccentricAnomaly(-30.0, 0.0), 330.0, 1e-7);
  EXPECT_NEAR(EccentricAnomaly(725.0, 0.0), 5.0, 1e-7);
  std::mt19937_64 rng(11);
  std::uniform_real_distribution<double> anomaly(-720.0, 720.0), ecc(0.0, 0.95);
  for (int i = 0; i < 3000; ++i) {
    const double M = anomaly(rng), e = ecc(rng);
    const double E = EccentricAnomaly(M, e) * kRadPerDeg15Digits;
    const double m = NormalizeDegrees(M) * kRadPerDeg15Digits;
    EXPECT_NEAR(std::remainder(E - e * std::sin(E) - m, 2.0 * M_PI), 0.0, 1e-8) << "M=" << M << " e=" << e;
  }
}

TEST(EccentricAnomaly, ReturnsPromptlyForNonFiniteInput) {
  EXPECT_TRUE(std::isnan(EccentricAnomaly(std::nan(""), 0.5)));
  EXPECT_TRUE(std::isnan(EccentricAnomaly(30.0, std::nan(""))));
}

TEST(KeplerPosition, PutsTheEarthNearPerihelionInTheEclipticAtJ2000) {
  const Vec3 e = KeplerPosition(2, 0.0);
  EXPECT_NEAR(std::hypot(e.x, e.y, e.z), 0.9833, 0.0001);
  EXPECT_EQ(e.z, 0.0);
  // Any other index is the Earth too.
  const Vec3 other = KeplerPosition(200, 0.0);
  EXPECT_EQ(other.x, e.x);
  EXPECT_EQ(other.y, e.y);
}

TEST(KeplerPosition, KeepsEveryBodyWithinItsPerihelionAndAphelion) {
  const double a[9] = {0.387099, 0.723332, 1.0, 1.523692, 5.202437, 9.551712, 19.293108, 30.257162, 39.783607};
  const double e[9] = {0.205634, 0.006773, 0.016709, 0.093405, 0.048402, 0.05234, 0.044846, 0.007985, 0.254351};
  for (int body = 0; body < 9; ++body) {
    for (double t = -2.0; t <= 2.0; t += 0.0137) {
      const Vec3 p = KeplerPosition(static_cast<BodyIndex>(body), t);
      const double r = std::hypot(p.x, p.y, p.z);
      EXPECT_GE(r, a[body] * (1.0 - e[body]) - 1e-9) << "body " << body << " T=" << t;
      EXPECT_LE(r, a[body] * (1.0 + e[body]) + 1e-9) << "body " << body << " T=" << t;
    }
  }
}

}  // namespace
}  // namespace zenitra
