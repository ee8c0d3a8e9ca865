// VSOP87D Earth: the term tables, the series evaluator and EarthHeliocentric.
#include "core/vsop87.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace zenitra {
namespace {

constexpr long double kDegPerRad = 180.0L / std::numbers::pi_v<long double>;

TEST(VSOPEarthTables, HoldThePublishedTermCounts) {
  const int longitude[] = {559, 341, 142, 22, 11, 5};
  const int latitude[] = {184, 99, 49, 11, 5, 0};
  const int radius[] = {526, 292, 139, 27, 10, 3};
  int total = 0;
  for (int n = 0; n < 6; ++n) {
    EXPECT_EQ(TVSOPEarth::TermCount('L', n), longitude[n]) << "L power " << n;
    EXPECT_EQ(TVSOPEarth::TermCount('B', n), latitude[n]) << "B power " << n;
    EXPECT_EQ(TVSOPEarth::TermCount('R', n), radius[n]) << "R power " << n;
    total += TVSOPEarth::TermCount('L', n) + TVSOPEarth::TermCount('B', n) + TVSOPEarth::TermCount('R', n);
  }
  EXPECT_EQ(total, 2425);
}

TEST(VSOPEarthTables, EveryStoredTermIsNonZeroAndTheFetchStopsAtTheCount) {
  const TVSOPEarth earth;
  for (int n = 0; n < 6; ++n) {
    for (const char c : {'L', 'B', 'R'}) {
      const int count = TVSOPEarth::TermCount(c, n);
      auto fetch = [&](int i) {
        return c == 'L' ? earth.LongitudeTerm(i, n) : c == 'B' ? earth.LatitudeTerm(i, n) : earth.RadiusTerm(i, n);
      };
      for (int i = 0; i < count; ++i) EXPECT_NE(fetch(i).A, 0.0L) << c << n << " term " << i;
      EXPECT_EQ(fetch(count), VSOPTerm{}) << c << n << " one past the end";
    }
  }
}

// Telling rows of the published solution, amplitudes multiplied by 10^8.
TEST(VSOPEarthTables, StoreTheTellingRowsScaledByTenToTheEighth) {
  const TVSOPEarth e;
  struct Row {
    VSOPTerm got;
    long double a, b, c;
    const char* name;
  };
  const Row rows[] = {
      {e.LongitudeTerm(0, 0), 175347045.673L, 0.0L, 0.0L, "L0 first"},
      {e.LongitudeTerm(1, 0), 3341656.456L, 4.66925680417L, 6283.07584999140L, "L0 second"},
      {e.LongitudeTerm(2, 0), 34894.275L, 4.62610241759L, 12566.15169998280L, "L0 third"},
      {e.LongitudeTerm(558, 0), 0.049L, 2.44790934886L, 13613.80427733600L, "L0 last"},
      {e.LongitudeTerm(0, 1), 628331966747.491L, 0.0L, 0.0L, "L1 first"},
      {e.LongitudeTerm(0, 4), 114.084L, 3.14159265359L, 0.0L, "L4 first"},
      {e.LatitudeTerm(0, 0), 279.620L, 3.19870156017L, 84334.66158130829L, "B0 first"},
      {e.LatitudeTerm(4, 4), 0.003L, 2.89822201212L, 6127.65545055720L, "B4 last"},
      {e.RadiusTerm(0, 0), 100013988.799L, 0.0L, 0.0L, "R0 first"},
      {e.RadiusTerm(1, 0), 1670699.626L, 3.09846350771L, 6283.07584999140L, "R0 second"},
      {e.RadiusTerm(2, 5), 0.001L, 0.38068797142L, 18849.22754997420L, "R5 last"},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(r.got.A, r.a) << r.name;
    EXPECT_EQ(r.got.B, r.b) << r.name;
    EXPECT_EQ(r.got.C, r.c) << r.name;
  }
}

TEST(VSOPEarthTables, OutOfRangeFetchesGiveTheAllZeroTerm) {
  const TVSOPEarth e;
  for (const int n : {0, 3, 5}) {
    EXPECT_EQ(e.LongitudeTerm(-1, n), VSOPTerm{}) << "power " << n;
    EXPECT_EQ(e.LongitudeTerm(TVSOPEarth::TermCount('L', n), n), VSOPTerm{}) << "power " << n;
    EXPECT_EQ(e.RadiusTerm(TVSOPEarth::TermCount('R', n), n), VSOPTerm{}) << "power " << n;
  }
  EXPECT_EQ(e.LatitudeTerm(0, 5), VSOPTerm{}) << "the latitude has no power 5";
  EXPECT_EQ(e.LatitudeTerm(184, 0), VSOPTerm{});
  EXPECT_EQ(e.LongitudeTerm(0, 6), VSOPTerm{});
  EXPECT_EQ(e.LatitudeTerm(0, 6), VSOPTerm{});
  EXPECT_EQ(e.RadiusTerm(0, 6), VSOPTerm{});
  EXPECT_EQ(e.RadiusTerm(0, -1), VSOPTerm{});
}

// At 2000-01-01 12:00 (t = 0) only the constant series count.
TEST(TVSOP, AtJ2000SumsTheConstantSeriesOnly) {
  TVSOPEarth e;
  e.SetDate(DateTimeValue(36526.5));
  EXPECT_EQ(e.Millennia(), 0.0L);
  EXPECT_NEAR(static_cast<double>(e.Radius()), 0.98332768, 5e-9);                   // AU
  EXPECT_NEAR(static_cast<double>(e.Longitude() * kDegPerRad), 100.377844, 5e-7);  // degrees
  EXPECT_NEAR(static_cast<double>(e.Latitude() * kDegPerRad), -0.000227, 5e-7);    // degrees
}

// A derived table supplier with one known term per series checks the evaluator itself:
// L = 10^-8 * (A0 cos(B0 + C0 t) + t * A1), with the polynomial in t.
class TwoTermSeries final : public TVSOP {
 public:
  VSOPTerm LongitudeTerm(int index, int power) const override {
    if (index != 0) return {};
    if (power == 0) return {1e8L, 0.5L, 2.0L};
    if (power == 1) return {3e8L, 0.0L, 0.0L};
    return {};
  }
  VSOPTerm LatitudeTerm(int index, int power) const override {
    return index == 0 && power == 5 ? VSOPTerm{1e8L, 0.0L, 0.0L} : VSOPTerm{};
  }
  VSOPTerm RadiusTerm(int, int) const override { return {}; }
};

TEST(TVSOP, SumsEachPowerAndFormsThePolynomialInMillennia) {
  TwoTermSeries s;
  s.SetDate(DateTimeValue(36526.5 + 365250.0 * 0.25));  // t = 0.25 millennia
  EXPECT_DOUBLE_EQ(static_cast<double>(s.Millennia()), 0.25);
  EXPECT_NEAR(static_cast<double>(s.Longitude()), std::cos(0.5 + 2.0 * 0.25) + 3.0 * 0.25, 1e-15);
  EXPECT_NEAR(static_cast<double>(s.Latitude()), std::pow(0.25, 5), 1e-15);
  EXPECT_EQ(s.Radius(), 0.0L);
}

// A NaN date must not keep the summation running: every series still ends at its last term.
TEST(TVSOP, EndsForANonFiniteDate) {
  TVSOPEarth e;
  e.SetDate(DateTimeValue(std::nan("")));
  EXPECT_TRUE(std::isnan(static_cast<double>(e.Longitude())));
  EXPECT_TRUE(std::isnan(static_cast<double>(e.Latitude())));
  EXPECT_TRUE(std::isnan(static_cast<double>(e.Radius())));
}

// FK5 correction (Meeus, ch. 32): at J2000 the longitude moves by -0.09033" plus a term in tan B.
TEST(TVSOP, ToFK5ShiftsLongitudeByTheConstantOffset) {
  TVSOPEarth e;
  e.SetDate(DateTimeValue(36526.5));
  long double l = 1.0L;
  long double b = 0.0L;
  e.ToFK5(l, b);
  const double arcsec = 1.0 / 3600.0 / static_cast<double>(kDegPerRad);
  EXPECT_NEAR(static_cast<double>(l), 1.0 - 0.09033 * arcsec, 1e-15);
  EXPECT_NEAR(static_cast<double>(b), 0.03916 * arcsec * (std::cos(1.0) - std::sin(1.0)), 1e-15);
}

TEST(EarthHeliocentric, AppliesTheFK5CorrectionToTheSeries) {
  TVSOPEarth e;
  e.SetDate(DateTimeValue(36526.5));
  const double l = static_cast<double>(e.Longitude() * kDegPerRad);
  const double b = static_cast<double>(e.Latitude() * kDegPerRad);
  const double c = std::cos(l * std::numbers::pi / 180.0);
  const double s = std::sin(l * std::numbers::pi / 180.0);
  const HeliocentricPosition p = EarthHeliocentric(DateTimeValue(36526.5));
  EXPECT_NEAR(p.RadiusAu, static_cast<double>(e.Radius()), 1e-14);  // AU, summed in double precision
  // Meeus, eq. 32.3 at T = 0 (arc seconds turned into degrees).
  EXPECT_NEAR(p.LongitudeDeg, l + (-0.09033 + 0.03916 * (c + s) * std::tan(b * std::numbers::pi / 180.0)) / 3600.0,
              1e-12);
  EXPECT_NEAR(p.LatitudeDeg, b + 0.03916 / 3600.0 * (c - s), 1e-12);
}

// Check values of the VSOP87 distribution (P. Bretagnon & G. Francou, file vsop87.chk, VSOP87D
// Earth; l reduced to [0, 2 pi)), given to 10 decimals: the series, their order and the scaling
// must all be right to reproduce them.
TEST(TVSOP, ReproducesThePublishedCheckValues) {
  struct Check {
    double jd, l, b, r;
  };
  const Check checks[] = {
      {2451545.0, 1.7519238681, -0.0000039656, 0.9833276819},  // 2000-01-01 12h TDB
      {2415020.0, 1.7391225563, -0.0000005679, 0.9832689778},  // 1899-12-31 12h TDB
      {2378495.0, 1.7262638916, 0.0000002083, std::nan("")},   // 1799-12-30 12h TDB
  };
  for (const Check& c : checks) {
    TVSOPEarth e;
    e.SetDate(JulianDayToDateTime(c.jd));
    const double twoPi = 2.0 * std::numbers::pi;
    const double l = std::fmod(static_cast<double>(e.Longitude()), twoPi);
    EXPECT_NEAR(l < 0 ? l + twoPi : l, c.l, 1e-10) << "JD " << c.jd << ", radians";
    EXPECT_NEAR(static_cast<double>(e.Latitude()), c.b, 1e-10) << "JD " << c.jd << ", radians";
    if (!std::isnan(c.r)) {
      EXPECT_NEAR(static_cast<double>(e.Radius()), c.r, 1e-10) << "JD " << c.jd << ", AU";
    }
  }
}

TEST(EarthHeliocentric, StaysInRangeMillenniaFromJ2000) {
  for (const int year : {-4000, -2000, 0, 1000, 3000, 6000}) {
    const HeliocentricPosition p = EarthHeliocentric(DateTimeOfDate(year, 3, 1));
    EXPECT_GE(p.LongitudeDeg, 0.0) << "year " << year;
    EXPECT_LT(p.LongitudeDeg, 360.0) << "year " << year;
    EXPECT_NEAR(p.RadiusAu, 1.0, 0.02) << "year " << year;
  }
  for (const int year : {0, 1000, 2000, 3000, 4000}) {
    const HeliocentricPosition p = EarthHeliocentric(DateTimeOfDate(year, 7, 1));
    EXPECT_LE(std::fabs(p.LatitudeDeg), 0.0003) << "year " << year;
  }
}

// The double-precision sums against TVSOPEarth's extended precision and library cosine, far from
// 2000 too, where the longitude (some 40,000 rad) and the phase of the yearly term are rounded in
// the twelfth digit: within 5e-11 rad (ten millionths of an arc second) and 3e-13 AU (5 cm). Meeus' FK5 correction (eq. 32.3) is
// applied to the extended sums as EarthHeliocentric applies it.
TEST(EarthHeliocentric, AgreesWithTheExtendedPrecisionSeries) {
  for (const int year : {-4700, -2500, 0, 1066, 1600, 2024, 2100, 4321, 7777, 9999}) {
    for (const int month : {1, 4, 7, 10}) {
      const DateTimeValue t = DateTimeOfDate(year, month, 5) + 0.3;
      TVSOPEarth e;
      e.SetDate(t);
      long double l = e.Longitude();
      long double b = e.Latitude();
      e.ToFK5(l, b);
      const double twoPi = 2.0 * std::numbers::pi;
      const double expectedL = std::fmod(std::fmod(static_cast<double>(l), twoPi) + twoPi, twoPi);
      const HeliocentricPosition p = EarthHeliocentric(t);
      const double radPerDeg = std::numbers::pi / 180.0;
      double dl = p.LongitudeDeg * radPerDeg - expectedL;
      dl -= twoPi * std::round(dl / twoPi);
      EXPECT_NEAR(dl, 0.0, 5e-11) << "year " << year << " month " << month << ", longitude in rad: expected "
                                  << expectedL << ", got " << p.LongitudeDeg * radPerDeg;
      EXPECT_NEAR(p.LatitudeDeg * radPerDeg, static_cast<double>(b), 5e-11)
          << "year " << year << " month " << month << ", latitude in rad";
      EXPECT_NEAR(p.RadiusAu, static_cast<double>(e.Radius()), 3e-13) << "year " << year << " month " << month << ", AU";
    }
  }
}

// The derivatives summed term by term against differences of the radius summed the ordinary way
// (TVSOPEarth: extended precision, the library cosine), whose smoothness the differences need. The
// radius itself agrees to 3e-13 AU (5 cm): 6700 years from 2000 the double-precision phase of the
// yearly term is rounded by 7e-12 rad. Central differences with steps of
// 0.005 d (first) and 0.05 d (second, third) are accurate to about 1e-12 AU/d, 1e-10 AU/d^2 and
// 1e-9 AU/d^3, against rates of up to 3e-4 AU/d, 6e-6 AU/d^2 and 1e-6 AU/d^3.
TEST(EarthRadiusRates, AgreeWithDifferencesOfTheRadius) {
  for (const int year : {-4700, -2500, 0, 1066, 2024, 4321, 7777, 9999}) {
    for (const int month : {1, 4, 7, 10}) {
      const DateTimeValue t = DateTimeOfDate(year, month, 5) + 0.3;
      const RadiusRates r = EarthRadiusRates(t);
      auto radius = [&](double offsetDays) {
        TVSOPEarth e;
        e.SetDate(t + offsetDays);
        return static_cast<double>(e.Radius());
      };
      EXPECT_NEAR(r.RadiusAu, radius(0.0), 3e-13) << "year " << year << " month " << month << ", AU";
      const double h1 = 0.005;
      EXPECT_NEAR(r.PerDay, (radius(h1) - radius(-h1)) / (2.0 * h1), 1e-11)
          << "year " << year << " month " << month << ", AU/d";
      const double h = 0.05;
      EXPECT_NEAR(r.PerDay2, (radius(h) - 2.0 * radius(0.0) + radius(-h)) / (h * h), 1e-9)
          << "year " << year << " month " << month << ", AU/d^2";
      const double third = (EarthRadiusRates(t + h).PerDay2 - EarthRadiusRates(t - h).PerDay2) / (2.0 * h);
      EXPECT_NEAR(r.PerDay3, third, 1e-9) << "year " << year << " month " << month << ", AU/d^3";
    }
  }
}

// The leading terms alone: the radius within the sum of the amplitudes left out (3.8e-6 AU in
// 1990, nearly all from the t^0 series), and with every term the same as the full sum.
TEST(EarthRadiusRates, SumTheLeadingTermsOfEachSeries) {
  const DateTimeValue t = DateTimeOfDate(1990, 3, 3);
  EXPECT_NEAR(EarthRadiusRates(t, 60).RadiusAu, EarthHeliocentric(t).RadiusAu, 3.8e-6);
  EXPECT_EQ(EarthRadiusRates(t, 526).RadiusAu, EarthRadiusRates(t).RadiusAu);
  EXPECT_EQ(EarthRadiusRates(t, 0).RadiusAu, 0.0);
}

}  // namespace
}  // namespace zenitra
