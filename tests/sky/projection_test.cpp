// Projection of right ascension and declination onto the map, the sidereal angle and the summer-time
// rule of the sky map.
#include "sky/projection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <limits>
#include <random>

#include "core/time_scales.h"

namespace zenitra {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kRad = kPi / 180.0;

ProjectionFrame Frame(double latitudeDeg, double thetaRad, double centreAzimuth, int w = 1054, int h = 664) {
  ProjectionFrame f;
  f.Width = w;
  f.Height = h;
  f.CentreX = w / 2;
  f.CentreY = h / 2;
  f.Scale = f.CentreX / 90.0;
  f.CosLatitude = std::cos(latitudeDeg * kRad);
  f.SinLatitude = std::sin(latitudeDeg * kRad);
  f.CentreAzimuth = centreAzimuth;
  SetSkyTurn(f, thetaRad, 0.0);  // at J2000: no precession
  return f;
}

TEST(RoundHalfEven, RoundsHalvesToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(0.5), 0);
  EXPECT_EQ(RoundHalfEven(1.5), 2);
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(2.5000001), 3);
  EXPECT_EQ(RoundHalfEven(-0.5), 0);
  EXPECT_EQ(RoundHalfEven(-1.5), -2);
  EXPECT_EQ(RoundHalfEven(1e300), std::numeric_limits<int>::max());
  EXPECT_EQ(RoundHalfEven(std::nan("")), 0);
}

TEST(ProjectToScreen, MeridianStarSouthOfZenithLandsOnTheCentreColumn) {
  const double theta = 1.234;
  ProjectionFrame f = Frame(50.0, theta, 0.0);
  ScreenPoint p;
  EXPECT_TRUE(ProjectToScreen(f, theta, 20.0 * kRad, p));
  EXPECT_EQ(p.X, f.CentreX);
  // Altitude 90 - 50 + 20 = 60 degrees.
  EXPECT_EQ(p.Y, AltitudeRow(f.Height, 60.0 * kRad));
  // Looking north, the same star lies 180 degrees off the centre: x = cx - 2 cx, not visible.
  f.CentreAzimuth = 180.0;
  ScreenPoint q{7, 99};
  EXPECT_FALSE(ProjectToScreen(f, theta, 20.0 * kRad, q));
  EXPECT_EQ(q.X, f.CentreX - 2 * f.CentreX);
  EXPECT_EQ(q.Y, 99) << "y must keep the previous value when x is rejected";
}

TEST(ProjectToScreen, WestInTheCentre) {
  const ProjectionFrame f = Frame(0.0, 0.0, 90.0);
  ScreenPoint p;
  // At the equator a star on the celestial equator six hours west of the meridian sets due west.
  EXPECT_TRUE(ProjectToScreen(f, -90.0 * kRad, 0.0, p));
  EXPECT_EQ(p.X, f.CentreX);
  EXPECT_EQ(p.Y, f.Height - 28);
  // A star due south is drawn at the left edge.
  EXPECT_TRUE(ProjectToScreen(f, 0.0, -30.0 * kRad, p));
  EXPECT_EQ(p.X, 0);
}

TEST(ProjectToScreen, BelowTheHorizonIsVisibleOnlyDownToTenPixelsUnderTheEdge) {
  const ProjectionFrame f = Frame(0.0, 0.0, 0.0, 1054, 664);
  ScreenPoint p;
  // Due south at altitude 0: declination -90 seen from the equator.
  EXPECT_TRUE(ProjectToScreen(f, 0.0, -90.0 * kRad + 1e-12, p));
  EXPECT_EQ(p.Y, 664 - 28);
  // Altitude -5 degrees: y = 636 + 0.763943726841098 * 0.0872665 * 664 = 680.27 -> 680 > H + 10.
  EXPECT_FALSE(ProjectToScreen(f, kPi, -85.0 * kRad, p));
  EXPECT_EQ(p.Y, 680);
}

TEST(ProjectToScreen, RejectedXLeavesTheStaleYForTheLineLayers) {
  const ProjectionFrame f = Frame(50.0, 0.0, 0.0);
  ScreenPoint p;
  ASSERT_TRUE(ProjectToScreen(f, 0.0, 10.0 * kRad, p));
  const int y = p.Y;
  // A point due north (behind the viewer) is rejected by its x; y stays.
  EXPECT_FALSE(ProjectToScreen(f, kPi, 60.0 * kRad, p));
  EXPECT_TRUE(p.X <= -10 || p.X >= f.Width + 10) << "x " << p.X;
  EXPECT_EQ(p.Y, y);
  // Non-finite input changes nothing.
  const ScreenPoint before = p;
  EXPECT_FALSE(ProjectToScreen(f, std::nan(""), 0.0, p));
  EXPECT_FALSE(ProjectToScreen(f, 0.0, INFINITY, p));
  EXPECT_EQ(p.X, before.X);
  EXPECT_EQ(p.Y, before.Y);
}

// Property: wherever a point is reported visible, x and y agree within one pixel with the
// horizontal coordinates computed independently by atan2 (J. Meeus, Astronomical Algorithms,
// eq. 13.5 and 13.6), and lie inside the 10-pixel margin.
TEST(ProjectToScreen, AgreesWithIndependentHorizontalCoordinates) {
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> ra(0.0, 2 * kPi), dec(-kPi / 2, kPi / 2), lat(-89.0, 89.0),
      az(-180.0, 180.0);
  int visible = 0;
  for (int i = 0; i < 3000; ++i) {
    const ProjectionFrame f = Frame(lat(rng), ra(rng), std::round(az(rng)));
    const double a = ra(rng), d = dec(rng);
    ScreenPoint p;
    if (!ProjectToScreen(f, a, d, p)) continue;
    ++visible;
    const double t = f.Theta - a;
    const double h = std::asin(f.SinLatitude * std::sin(d) + f.CosLatitude * std::cos(d) * std::cos(t));
    const double azimuth =
        std::atan2(std::cos(d) * std::sin(t), f.SinLatitude * std::cos(d) * std::cos(t) - f.CosLatitude * std::sin(d)) /
        kRad;
    double rel = std::remainder(azimuth - f.CentreAzimuth, 360.0);
    EXPECT_NEAR(p.X, rel * f.Scale + f.CentreX, 1.0) << "input alpha " << a << " delta " << d;
    EXPECT_NEAR(p.Y, (f.Height - 28) - kAltitudeScale * h * f.Height, 1.0) << "input alpha " << a << " delta " << d;
    EXPECT_GT(p.X, -10);
    EXPECT_LT(p.X, f.Width + 10);
    EXPECT_GT(p.Y, -10);
    EXPECT_LT(p.Y, f.Height + 10);
  }
  EXPECT_GT(visible, 300);
}

// Greenwich mean sidereal time at 1987-04-10 0h UT is 13h10m46.3668s (J. Meeus, Astronomical
// Algorithms, 2nd ed., example 12.a).
TEST(SkySiderealAngle, MatchesMeeusExampleAndSubtractsAnHourInSummerTime) {
  const Location greenwich{"Greenwich", 51.48, 0.0, 0.0, "Europe/London"};
  const ShownMoment m{1987, 4, 10, 0, 0, 0};
  const double expectedHours = 13.0 + 10.0 / 60.0 + 46.3668 / 3600.0;
  EXPECT_NEAR(SkySiderealAngle(m, greenwich, false), expectedHours / 12.0 * kPi, 0.5 / 3600.0 / 12.0 * kPi);
  // 10 April is summer time: with the switch the clock reads one hour ahead of standard time, so
  // the moment is an hour earlier: 1.0027379 sidereal hours less.
  EXPECT_NEAR(SkySiderealAngle(m, greenwich, true), (expectedHours - 1.00273790935) / 12.0 * kPi,
              0.5 / 3600.0 / 12.0 * kPi);
  // In January the switch changes nothing.
  const ShownMoment winter{1987, 1, 10, 3, 0, 0};
  EXPECT_DOUBLE_EQ(SkySiderealAngle(winter, greenwich, true), SkySiderealAngle(winter, greenwich, false));
}

TEST(ProjectionFrame, TakesCentreAndScaleFromTheSizeAndTheMomentWithItsSummerHour) {
  const Location chemnitz{"Chemnitz, D", 50.836667, 12.854444, 1.0, "Europe/Berlin"};
  const ProjectionFrame f = MakeProjectionFrame(1055, 665, ShownMoment{2024, 7, 1, 12, 0, 0}, chemnitz, 90.0, true);
  EXPECT_EQ(f.CentreX, 527);
  EXPECT_EQ(f.CentreY, 332);
  EXPECT_DOUBLE_EQ(f.Scale, 527.0 / 90.0);
  // 2024-07-01 12:00 CEST is 10:00 UT: JD 2460492.916667; without the switch the clock shows
  // standard time, 11:00 UT.
  EXPECT_NEAR(f.Moment, 2460492.916667, 1e-6);
  EXPECT_NEAR(MakeProjectionFrame(1055, 665, ShownMoment{2024, 7, 1, 12, 0, 0}, chemnitz, 90.0, false).Moment,
              2460492.958333, 1e-6);
}

}  // namespace
}  // namespace zenitra
