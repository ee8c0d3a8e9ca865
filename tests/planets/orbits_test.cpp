// Orbits picture geometry: the element list, orbit polylines, the placing of planets, Pluto and
// the asteroids, the epoch dates, the scale bar and the colours.
#include "planets/orbits.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/time_scales.h"
#include "planets/planet_position.h"

namespace zenitra {
namespace {

constexpr double kPi = 3.14159265358979323846;

OrbitObject Object(const char* name) {
  const std::optional<OrbitObject> o = FindOrbitObject(name);
  EXPECT_TRUE(o.has_value()) << name;
  return o.value_or(OrbitObject{});
}

TEST(OrbitList, HoldsEighteenObjectsWithSixEntriesEach) {
  EXPECT_EQ(OrbitListData().size(), 18u * 6u);
  const std::vector<std::string> names = OrbitObjectNames();
  ASSERT_EQ(names.size(), 18u);
  EXPECT_EQ(names.front(), "Erde");
  EXPECT_EQ(names[8], "Zwergplanet Pluto");
  EXPECT_EQ(names.back(), "Asteroid Apollo");
  const OrbitObject eros = Object("Asteroid Eros");
  EXPECT_DOUBLE_EQ(eros.Perihelion, 178.581472);
  EXPECT_DOUBLE_EQ(eros.E, 0.22292239);
  EXPECT_DOUBLE_EQ(eros.Period, 1.76123);
  EXPECT_FALSE(FindOrbitObject("Pluto").has_value()) << "names are compared exactly";
}

TEST(OrbitList, LabelsDropTheDwarfPlanetAndAsteroidPrefixes) {
  EXPECT_EQ(OrbitBodyLabel("Zwergplanet Pluto"), "Pluto");
  EXPECT_EQ(OrbitBodyLabel("Asteroid Icarus"), "Icarus");
  EXPECT_EQ(OrbitBodyLabel("Jupiter"), "Jupiter");
  EXPECT_EQ(OrbitBodyLabel("A"), "");
}

TEST(OrbitList, KindsFollowTheFirstLetter) {
  EXPECT_EQ(KindOfOrbitBody("Neptun"), OrbitBodyKind::Planet);
  EXPECT_EQ(KindOfOrbitBody("Zwergplanet Pluto"), OrbitBodyKind::DwarfPlanet);
  EXPECT_EQ(KindOfOrbitBody("Asteroid Vesta"), OrbitBodyKind::Asteroid);
}

// Every polyline point lies on the ellipse with the Sun in one focus: the distances to both foci
// add up to 2a (within the rounding of two pixel coordinates).
TEST(OrbitPolyline, ClosedEllipseAboutTheSunInAFocus) {
  for (const std::string& name : OrbitObjectNames()) {
    const OrbitObject o = Object(name.c_str());
    const double scale = 40.0 / o.A;  // every orbit about 40 pixels in semi-major axis
    const auto points = OrbitPolyline(o, scale, 300, 200);
    EXPECT_EQ(points.front(), points.back()) << name;
    const double c = 2.0 * scale * o.A * o.E;  // Sun to empty focus
    const double fx = 300 - c * std::cos(o.Perihelion * kPi / 180.0);
    const double fy = 200 + c * std::sin(o.Perihelion * kPi / 180.0);
    for (const PixelPoint& p : points) {
      const double d1 = std::hypot(p.X - 300.0, p.Y - 200.0);
      const double d2 = std::hypot(p.X - fx, p.Y - fy);
      EXPECT_NEAR(d1 + d2, 2.0 * scale * o.A, 1.5) << name << " at (" << p.X << ", " << p.Y << ")";
    }
    // The first point is the perihelion, in the direction of the longitude of perihelion.
    const double angle = std::atan2(200.0 - points[0].Y, points[0].X - 300.0) * 180.0 / kPi;
    EXPECT_NEAR(std::remainder(angle - o.Perihelion, 360.0), 0.0, 2.0) << name;
  }
}

// The planets stand where their heliocentric longitude (field 1 of the planet computation) points,
// at their computed distance from the Sun: the orbit list's fixed ellipses agree with the mean
// elements of date within 1 % of the radius.
TEST(BodyPixel, PlanetsStandAtTheirHeliocentricLongitudeAndRadius) {
  const char* planets[] = {"Merkur", "Venus", "Erde", "Mars", "Jupiter", "Saturn", "Uranus", "Neptun"};
  for (int year = 1960; year <= 2060; year += 7) {
    const double jd = ZoneMidnightJulianDay(year, 3, 15, 0.0);
    for (const char* name : planets) {
      const OrbitObject o = Object(name);
      const double scale = 400.0 / o.A;  // 400 pixels, so one pixel is well below the tolerances
      const std::optional<PixelPoint> p = BodyPixel(o, jd, scale, 0, 0);
      ASSERT_TRUE(p.has_value()) << name;
      const PlanetPlace place = ComputePlanet(name, jd, 50.0, 10.0, 1.0);
      const double angle = std::atan2(-p->Y, p->X) * 180.0 / kPi;
      EXPECT_NEAR(std::remainder(angle - place.Ephemeris.HeliocentricLongitude, 360.0), 0.0, 0.3)
          << name << " " << year << " expected " << place.Ephemeris.HeliocentricLongitude << " got " << angle;
      const double radius = std::hypot(p->X, p->Y) / scale;
      EXPECT_NEAR(radius, place.Ephemeris.RadiusVector, 0.01 * place.Ephemeris.RadiusVector)
          << name << " " << year;
    }
  }
}

// Epoch 1981.4125: q = 0.4125 * 365.25 / 30 = 5.022, so 1 May 1981 (day round(0.67) = 1).
TEST(EpochJulianDay, DecimalYearBecomesMonthAndDayByThirtyDayMonths) {
  EXPECT_DOUBLE_EQ(EpochJulianDay(1981.4125).value(), JulianDayOfDate(1981, 5, 1));
  // 1999.9954: q = 12.119 -> 4 December 1999.
  EXPECT_DOUBLE_EQ(EpochJulianDay(1999.9954).value(), JulianDayOfDate(1999, 12, 4));
  EXPECT_FALSE(EpochJulianDay(std::nan("")).has_value());
  EXPECT_FALSE(EpochJulianDay(1e300).has_value());
}

// At its epoch Pluto stands at its perihelion; half a period later at its aphelion.
TEST(BodyPixel, PlutoMovesUniformlyFromItsPerihelionAtTheEpoch) {
  const OrbitObject pluto = Object("Zwergplanet Pluto");
  const double epoch = EpochJulianDay(pluto.Epoch).value();
  const auto orbit = OrbitPolyline(pluto, 10.0, 500, 500);
  EXPECT_EQ(BodyPixel(pluto, epoch, 10.0, 500, 500).value(), orbit[0]);
  EXPECT_EQ(BodyPixel(pluto, epoch + pluto.Period * 365.25 / 2.0, 10.0, 500, 500).value(), orbit[90]);
  EXPECT_EQ(BodyPixel(pluto, epoch + pluto.Period * 365.25 * 3.0, 10.0, 500, 500).value(), orbit[0]);
}

// An asteroid stands at its perihelion at the epoch, at its aphelion half a period later, and on
// its orbit at any time. Pixel error bound per coordinate: the ellipse centre from two rounded
// apsides, halved with truncation (1 pixel), doubled (2), plus the rounded point Q (0.5): 2.5 px,
// so a position is within 2.5 * sqrt(2) = 3.6 px, a sum of two focal distances within 7.1 px.
TEST(BodyPixel, AsteroidsStayOnTheirOrbitsAndStartAtPerihelion) {
  for (const std::string& name : OrbitObjectNames()) {
    const OrbitObject o = Object(name.c_str());
    if (KindOfOrbitBody(name) != OrbitBodyKind::Asteroid) continue;
    const double scale = 100.0 / o.A;
    const double epoch = EpochJulianDay(o.Epoch).value();
    const auto orbit = OrbitPolyline(o, scale, 400, 300);
    const PixelPoint atEpoch = BodyPixel(o, epoch, scale, 400, 300).value();
    EXPECT_LE(std::hypot(atEpoch.X - orbit[0].X, atEpoch.Y - orbit[0].Y), 3.6) << name;
    const PixelPoint half = BodyPixel(o, epoch + o.Period * 365.25 / 2.0, scale, 400, 300).value();
    EXPECT_LE(std::hypot(half.X - orbit[90].X, half.Y - orbit[90].Y), 3.6) << name;
    const double c = 2.0 * scale * o.A * o.E;  // Sun to empty focus
    const double fx = 400 - c * std::cos(o.Perihelion * kPi / 180.0);
    const double fy = 300 + c * std::sin(o.Perihelion * kPi / 180.0);
    for (int k = 0; k < 200; ++k) {
      const double jd = epoch + k * 17.3;
      const PixelPoint p = BodyPixel(o, jd, scale, 400, 300).value();
      const double sum = std::hypot(p.X - 400.0, p.Y - 300.0) + std::hypot(p.X - fx, p.Y - fy);
      EXPECT_NEAR(sum, 2.0 * scale * o.A, 7.1) << name << " jd " << jd;
    }
  }
}

TEST(BodyPixel, NonFiniteDateOrUnusablePeriodGivesNoPosition) {
  EXPECT_FALSE(BodyPixel(Object("Mars"), std::nan(""), 50.0, 0, 0).has_value());
  OrbitObject broken = Object("Asteroid Ceres");
  broken.Period = 0.0;
  EXPECT_FALSE(BodyPixel(broken, 2451545.0, 50.0, 0, 0).has_value());
  EXPECT_TRUE(BodyPixel(Object("Asteroid Ceres"), 1e12, 50.0, 0, 0).has_value());  // bounded reduction
}

TEST(ScaleBar, FiftyPixelsForOneAeAtTheDefaultScale) {
  const ScaleBarLayout at50 = ScaleBar(50.0);
  EXPECT_EQ(at50.Length, 50);
  EXPECT_FALSE(at50.WholeNumber);
  EXPECT_DOUBLE_EQ(at50.Value, 1.0);
  const ScaleBarLayout at100 = ScaleBar(EnlargedScale(EnlargedScale(50.0)));
  EXPECT_EQ(at100.Length, 50);
  EXPECT_NEAR(at100.Value, 0.5, 1e-12);
  const ScaleBarLayout at12 = ScaleBar(12.5);
  EXPECT_TRUE(at12.WholeNumber);
  EXPECT_DOUBLE_EQ(at12.Value, 4.0);
  EXPECT_EQ(at12.Length, 50);
  // 50 / 7 px per AE: k = 7, bar round(7 * 7.14) = 50 pixels.
  EXPECT_EQ(ScaleBar(50.0 / 7.0).Length, 50);
  // k = round(50 / 15) = 3 is not above 3: the decimal label.
  EXPECT_FALSE(ScaleBar(15.0).WholeNumber);
}

TEST(ScaleButtons, EnlargingStopsAt500AndReducingKeepsGoing) {
  double s = kOrbitScaleDefault;
  for (int i = 0; i < 20; ++i) s = EnlargedScale(s);
  EXPECT_DOUBLE_EQ(s, 500.0);
  double previous = kOrbitScaleDefault;
  for (int i = 0; i < 30; ++i) {
    const double next = ReducedScale(previous);
    EXPECT_NEAR(next, previous / std::sqrt(2.0), 1e-12 * previous) << "reduction " << i;
    previous = next;
  }
  for (int i = 0; i < 5000; ++i) previous = ReducedScale(previous);
  EXPECT_GT(previous, 0.0);
  const ScaleBarLayout bar = ScaleBar(previous);
  EXPECT_TRUE(bar.WholeNumber);
  EXPECT_TRUE(std::isfinite(bar.Value));
}

TEST(OrbitColour, SevenColoursRepeat) {
  EXPECT_EQ(OrbitColour(0).R, 255);
  EXPECT_EQ(OrbitColour(1).B, 255);
  EXPECT_EQ(OrbitColour(1).R, 0);
  EXPECT_EQ(OrbitColour(6).G, 255);
  EXPECT_EQ(OrbitColour(6).B, 0);
  for (int n = 0; n < 30; ++n) {
    EXPECT_EQ(OrbitColour(n).R, OrbitColour(n + 7).R) << n;
    EXPECT_EQ(OrbitColour(n).G, OrbitColour(n + 7).G) << n;
    EXPECT_EQ(OrbitColour(n).B, OrbitColour(n + 7).B) << n;
  }
}

}  // namespace
}  // namespace zenitra
