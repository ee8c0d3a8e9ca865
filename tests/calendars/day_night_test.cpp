// The day-night map's Sun model, terminator, projection, coastline and simulation clock.
#include "calendars/day_night.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "core/sun_position.h"
#include "core/time_scales.h"

namespace zenitra {
namespace {

DayNightSun Sun(int day, int month, int year, int hour, int minute, bool summer = false) {
  const auto sun = DayNightSunModel(day, month, year, hour, minute, summer);
  EXPECT_TRUE(sun.has_value()) << "input " << day << "." << month << "." << year;
  return sun.value_or(DayNightSun{});
}

TEST(DayNightSun, AtTheMarchEquinoxNoonUtTheSubsolarPointIsNearZeroZero) {
  // 2024 March 20, 03:06 UT equinox (USNO); 13:00 CET is 12:00 UT.
  const DayNightSun sun = Sun(20, 3, 2024, 13, 0);
  const GeoPoint s = SubsolarPoint(sun);
  EXPECT_NEAR(s.LongitudeDeg, 0.0, 1e-9) << "input 20.3.2024 13:00";
  EXPECT_NEAR(s.LatitudeDeg, 0.0, 0.5) << "input 20.3.2024 13:00";
}

TEST(DayNightSun, OnTheTwentyFirstOfJuneTheSunStandsOverTheTropicOfCancer) {
  const DayNightSun sun = Sun(21, 6, 2025, 13, 0);
  const GeoPoint s = SubsolarPoint(sun);
  EXPECT_NEAR(s.LongitudeDeg, 0.0, 1e-9);
  EXPECT_NEAR(s.LatitudeDeg, 23.44, 0.1);
  // The polygon closes through the lower corners: night in the south, the north pole lit.
  const NightPolygon night = BuildNightPolygon(sun, 720, 320);
  EXPECT_FALSE(night.NightInNorth);
  ASSERT_EQ(night.Points.size(), 365u + 3u);
  EXPECT_EQ(night.Points[365], (MapPixel{720 + 101, 320 + 101}));
  EXPECT_EQ(night.Points[366], (MapPixel{1, 320 + 101}));
  EXPECT_EQ(night.Points[367], (MapPixel{1, night.Points[0].Y}));
  EXPECT_EQ(night.Subsolar, (MapPixel{360 + 50, 160 - 47 + 50}));  // 23.44 deg * 2 px/deg
}

TEST(DayNightSun, InDecemberTheNorthIsDark) {
  const NightPolygon night = BuildNightPolygon(Sun(21, 12, 2025, 13, 0), 720, 320);
  EXPECT_TRUE(night.NightInNorth);
  EXPECT_EQ(night.Points[365], (MapPixel{821, 1}));
  EXPECT_EQ(night.Points[366], (MapPixel{1, 1}));
}

TEST(DayNightSun, DeclinationAgreesWithTheFullSunTheoryWithinAboutOneDegree) {
  // The low-precision declination against the VSOP87 Sun for every day of 2025 at 12:00 UT.
  double worst = 0.0;
  for (int n = 1; n <= 365; ++n) {
    const auto model = DayNightSunModel(n, 1, 2025, 13, 0, false);  // day n of January = day n of the year
    ASSERT_TRUE(model.has_value());
    const double full = SunPosition(EncodeDate(2025, 1, 1) + (n - 1) + 0.5).Declination;
    worst = std::max(worst, std::fabs(model->DeclinationDeg - full));
    // Cooper's sine formula errs by up to about 1.1 degrees (worst seen here: 1.08).
    EXPECT_NEAR(model->DeclinationDeg, full, 1.2) << "input day " << n << " of 2025";
  }
  RecordProperty("worst_declination_error_deg", std::to_string(worst));
}

TEST(DayNightSun, SummerTimeTakesAnHourOffEvenFromMidnight) {
  EXPECT_EQ(Sun(1, 7, 2025, 0, 0, true).Hour, -1);
  EXPECT_EQ(Sun(1, 7, 2025, 0, 0, false).Hour, 0);
  EXPECT_EQ(Sun(15, 1, 2025, 0, 0, true).Hour, 0);
  // The terminator still exists for hour -1.
  EXPECT_TRUE(std::isfinite(TerminatorLatitude(0.0, Sun(1, 7, 2025, 0, 0, true))));
}

// An empty month field reads as 0: the map still gets its night side (it showed the day side
// alone), the day counted from the start of the year.
TEST(DayNightSun, DayZeroIsTheDayBeforeTheMonthStartAndEveryMonthFieldHasAModel) {
  EXPECT_EQ(Sun(0, 3, 2023, 12, 0).DayOfYear, 59);
  EXPECT_EQ(Sun(5, 0, 2023, 12, 0).DayOfYear, 5);
  EXPECT_EQ(Sun(5, -3, 2023, 12, 0).DayOfYear, 5);
  EXPECT_EQ(Sun(5, 13, 2023, 12, 0).DayOfYear, 370);
  EXPECT_NEAR(Sun(5, 0, 2023, 12, 0).DeclinationDeg, Sun(5, 1, 2023, 12, 0).DeclinationDeg, 1e-12);
}

TEST(TerminatorLatitude, WithZeroDeclinationItJumpsBetweenThePoles) {
  DayNightSun sun;  // declination exactly 0, 12:00 at 15 deg east, no equation of time
  sun.Hour = 12;
  EXPECT_EQ(TerminatorLatitude(15.0, sun), -90.0);   // cos H > 0
  EXPECT_EQ(TerminatorLatitude(-165.0, sun), 90.0);  // cos H < 0
  // cos H = 0 there: the ratio is undefined and the latitude stays finite.
  for (double lon : {105.0, -75.0}) {
    const double phi = TerminatorLatitude(lon, sun);
    EXPECT_TRUE(std::isfinite(phi)) << "input lon " << lon;
    EXPECT_LE(std::fabs(phi), 90.0) << "input lon " << lon;
  }
}

TEST(TerminatorLatitude, NearTheEquinoxTheTerminatorHugsTwoMeridians) {
  const DayNightSun sun = Sun(20, 3, 2024, 13, 0);
  // Far from the dawn and dusk meridians (90 deg from the Sun) the terminator is near a pole.
  EXPECT_GT(std::fabs(TerminatorLatitude(0.0, sun)), 85.0);
  EXPECT_GT(std::fabs(TerminatorLatitude(180.0, sun)), 85.0);
}

TEST(ProjectToMap, MapsLongitudeOverTheWidthAndEightyDegreesOverHalfTheHeight) {
  EXPECT_EQ(ProjectToMap(0, 0, 720, 320), (MapPixel{360, 160}));
  EXPECT_EQ(ProjectToMap(80, 180, 720, 320), (MapPixel{720, 0}));
  EXPECT_EQ(ProjectToMap(-80, -180, 720, 320), (MapPixel{0, 320}));
  EXPECT_EQ(ProjectToMap(0.3, 0.3, 721, 321), (MapPixel{361, 159}));  // 360 + 0.6, 160 - 0.6
  const MapPixel wild = ProjectToMap(std::nan(""), 1e300, 720, 320);
  EXPECT_LE(std::abs(wild.X), 10000);  // clamped a few map sizes beyond the edge
  EXPECT_LE(std::abs(wild.Y), 10000);
}

TEST(ParseCoastLine, ReadsThreeNumbersAndReducesEasternLongitudes) {
  const auto p = ParseCoastLine("45 350 1");
  ASSERT_TRUE(p.has_value());
  EXPECT_EQ(p->LatitudeDeg, 45.0);
  EXPECT_EQ(p->LongitudeDeg, -10.0);
  EXPECT_TRUE(p->PenDown);
  const auto q = ParseCoastLine("-12.5 180 0\r");
  ASSERT_TRUE(q.has_value());
  EXPECT_EQ(q->LongitudeDeg, 180.0);
  EXPECT_FALSE(q->PenDown);
  EXPECT_FALSE(ParseCoastLine("abc").has_value());
  EXPECT_FALSE(ParseCoastLine("1 2").has_value());
  EXPECT_FALSE(ParseCoastLine("nan 2 1").has_value());
  EXPECT_FALSE(ParseCoastLine("").has_value());
}

TEST(CoastlinePolylines, BreaksAtPenUpAndAcrossTheDateLine) {
  const std::vector<CoastPoint> coast = {
      {10, 10, false}, {10, 11, true}, {12, 12, true},  // one line of three points
      {60, 179, false}, {60, -179, true},              // crosses 180 deg: broken, two lone points
      {0, 0, true}};                                   // pen down but 358 px away from -179
  const auto lines = CoastlinePolylines(coast, 720, 320);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].size(), 3u);
  EXPECT_EQ(lines[0][0], ProjectToMap(10, 10, 720, 320));
  // On a narrow map the same step is under 100 px and is drawn.
  EXPECT_EQ(CoastlinePolylines({{0, 0, false}, {0, 90, true}}, 360, 160).size(), 1u);
}

TEST(GraticuleLabel, IsTheDegreeValueWithTheDegreeSign) {
  EXPECT_EQ(GraticuleLabel(-150), "-150\xC2\xB0");
  EXPECT_EQ(GraticuleLabel(0), "0\xC2\xB0");
}

TEST(NormalizeDayMonth, CarriesOnePastTheEndAndBorrowsDayZero) {
  EXPECT_EQ(NormalizeDayMonth(32, 12, 2023), (DayMonthYear{1, 1, 2024}));
  EXPECT_EQ(NormalizeDayMonth(31, 4, 2023), (DayMonthYear{1, 5, 2023}));
  EXPECT_EQ(NormalizeDayMonth(29, 2, 2023), (DayMonthYear{1, 3, 2023}));
  EXPECT_EQ(NormalizeDayMonth(29, 2, 2024), (DayMonthYear{29, 2, 2024}));
  EXPECT_EQ(NormalizeDayMonth(30, 2, 2024), (DayMonthYear{1, 3, 2024}));
  EXPECT_EQ(NormalizeDayMonth(1, 13, 2023), (DayMonthYear{1, 1, 2024}));
  EXPECT_EQ(NormalizeDayMonth(0, 3, 2024), (DayMonthYear{29, 2, 2024}));
  EXPECT_EQ(NormalizeDayMonth(0, 1, 2023), (DayMonthYear{31, 12, 2022}));
  EXPECT_EQ(NormalizeDayMonth(15, 6, 2023), (DayMonthYear{15, 6, 2023}));
}

TEST(SimulationStep, TwoMinutesCarryIntoTheNextDayAndYear) {
  EXPECT_EQ(SimulationStep({10, 5, 8, 30}, true, 2025), (MapClock{10, 5, 8, 32}));
  EXPECT_EQ(SimulationStep({10, 5, 8, 58}, true, 2025), (MapClock{10, 5, 9, 0}));
  EXPECT_EQ(SimulationStep({31, 12, 23, 58}, true, 2025), (MapClock{1, 1, 0, 0}));
}

TEST(SimulationStep, DaysStepFromTheTwentyEighthOfFebruaryByLeapYear) {
  EXPECT_EQ(SimulationStep({28, 2, 12, 0}, false, 2023), (MapClock{1, 3, 12, 0}));
  EXPECT_EQ(SimulationStep({28, 2, 12, 0}, false, 2024), (MapClock{29, 2, 12, 0}));
  EXPECT_EQ(SimulationStep({29, 2, 12, 0}, false, 2024), (MapClock{1, 3, 12, 0}));
}

TEST(SimulationStep, AWholeYearOfDaysVisitsEveryDateOnce) {
  for (int year : {2023, 2024}) {
    MapClock c{1, 1, 6, 0};
    int steps = 0;
    do {
      c = SimulationStep(c, false, year);
      ++steps;
    } while (!(c.Day == 1 && c.Month == 1) && steps < 400);
    EXPECT_EQ(steps, IsLeapYear(year) ? 366 : 365) << "input year " << year;
  }
}

TEST(SimulationStep, HugeFieldValuesDoNotOverflow) {
  const MapClock c = SimulationStep({2147483647, 1, 2147483647, 2147483647}, true, 2025);
  EXPECT_GE(c.Day, 1);
  EXPECT_LE(c.Day, 31);
}

}  // namespace
}  // namespace zenitra
