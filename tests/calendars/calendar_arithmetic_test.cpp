// The year calendar's arithmetic: historical years without a year 0, Delta T and series helpers.
#include "calendars/calendar_arithmetic.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <random>

#include "core/time_scales.h"

namespace zenitra::yearcal {
namespace {

TEST(CalendarToJulianDay, ReproducesTheReferenceDates) {
  EXPECT_EQ(CalendarToJulianDay(2000, 1, 1, 12, 0, 0, 0.0), 2451545.0);
  EXPECT_EQ(CalendarToJulianDay(1582, 10, 4, 0, 0, 0, 0.0), 2299159.5);
  EXPECT_EQ(CalendarToJulianDay(1582, 10, 15, 0, 0, 0, 0.0), 2299160.5);
  // Meeus, Astronomical Algorithms, ch. 7: 1957-10-04 19:26:24 UT is JD 2436116.31.
  EXPECT_NEAR(CalendarToJulianDay(1957, 10, 4, 19, 26, 24, 0.0), 2436116.31, 1e-8);
}

TEST(CalendarToJulianDay, MarksInvalidDatesWithMinusOne) {
  EXPECT_EQ(CalendarToJulianDay(1582, 10, 10, 0, 0, 0, 0.0), -1.0);
  EXPECT_EQ(CalendarToJulianDay(2023, 2, 30, 0, 0, 0, 0.0), -1.0);
  EXPECT_EQ(CalendarToJulianDay(2023, 2, 29, 12, 0, 0, 0.0), -1.0);
  EXPECT_EQ(CalendarToJulianDay(0, 6, 1, 0, 0, 0, 0.0), -1.0);
  EXPECT_EQ(CalendarToJulianDay(-4714, 6, 1, 0, 0, 0, 0.0), -1.0);
  EXPECT_EQ(CalendarToJulianDay(40000, 6, 1, 0, 0, 0, 0.0), -1.0);
  EXPECT_EQ(CalendarToJulianDay(2024, 13, 1, 0, 0, 0, 0.0), -1.0);
  // A time or zone that moves the instant into another day does not make a bad date good.
  EXPECT_EQ(CalendarToJulianDay(2023, 2, 30, 0, 0, 0, +1.0), -1.0);
  EXPECT_EQ(CalendarToJulianDay(2023, 4, 31, 23, 0, 0, -2.0), -1.0);
  EXPECT_EQ(CalendarToJulianDay(2023, 1, 0, 25, 0, 0, 0.0), -1.0);
  EXPECT_EQ(CalendarToJulianDay(2023, 1, INT_MAX, 0, 0, 0, 0.0), -1.0);
  EXPECT_NE(CalendarToJulianDay(2024, 2, 29, 0, 0, 0, 0.0), -1.0);
}

TEST(CalendarToJulianDay, ATimeBeforeLocalMidnightInUniversalTimeIsValid) {
  // 0:00 local in zone +1 is 23:00 UT of the previous day.
  const double jd = CalendarToJulianDay(2024, 3, 1, 0, 0, 0, 1.0);
  ASSERT_NE(jd, -1.0);
  const auto ut = JulianDayToCalendarTime(jd, 0.0);
  ASSERT_TRUE(ut.has_value());
  EXPECT_EQ(*ut, (CalendarTime{2024, 2, 29, 23, 0, 0}));
}

TEST(CalendarToJulianDay, HistoricalYearMinusNIsAstronomicalYearOneMinusN) {
  for (int year = -200; year <= -1; ++year) {
    EXPECT_EQ(CalendarToJulianDay(year, 3, 1, 0, 0, 0, 0.0), JulianDayOfDate(year + 1, 3, 1)) << "year " << year;
  }
}

TEST(CalendarToJulianDay, RoundTripsEveryMinuteOfSampledDaysOver400Years) {
  std::mt19937 rng(17);
  std::uniform_int_distribution<int> hour(0, 23), minute(0, 59), second(0, 59);
  double previous = 0.0;
  int checked = 0;
  for (double jd = 2451544.5; jd < 2451544.5 + 146097.0; jd += 1.0) {
    const auto date = JulianDayToCalendarTime(jd, 0.0);
    ASSERT_TRUE(date.has_value());
    const CalendarTime t{date->year, date->month, date->day, hour(rng), minute(rng), second(rng)};
    const double back = CalendarToJulianDay(t.year, t.month, t.day, t.hour, t.minute, t.second, 2.0);
    ASSERT_NE(back, -1.0) << t.year << "-" << t.month << "-" << t.day;
    ASSERT_GT(back, previous);
    previous = back;
    EXPECT_EQ(JulianDayToCalendarTime(back, 2.0), t) << "JD " << back;
    ++checked;
  }
  EXPECT_EQ(checked, 146097);
}

TEST(JulianDayToCalendarTime, RoundsToTheSecondAndCarriesMidnightIntoTheNextDay) {
  EXPECT_EQ(JulianDayToCalendarTime(2451545.0, 0.0), (CalendarTime{2000, 1, 1, 12, 0, 0}));
  EXPECT_EQ(JulianDayToCalendarTime(2451545.0, 5.5), (CalendarTime{2000, 1, 1, 17, 30, 0}));
  EXPECT_EQ(JulianDayToCalendarTime(2451545.4999999, 0.0), (CalendarTime{2000, 1, 2, 0, 0, 0}));
  EXPECT_EQ(JulianDayToCalendarTime(1721422.5, 0.0), (CalendarTime{-1, 12, 31, 0, 0, 0}));  // 31 Dec 1 BC
  EXPECT_EQ(JulianDayToCalendarTime(1721423.5, 0.0), (CalendarTime{1, 1, 1, 0, 0, 0}));    // no year 0
  EXPECT_FALSE(JulianDayToCalendarTime(-0.1, 0.0).has_value());
  EXPECT_FALSE(JulianDayToCalendarTime(13689326.0, 0.0).has_value());
  EXPECT_FALSE(JulianDayToCalendarTime(std::nan(""), 0.0).has_value());
}

TEST(JulianDayToDate, KeepsTheFractionOfTheDay) {
  // Meeus, example 7.c: JD 2436116.31 is 1957 October 4.81.
  const auto d = JulianDayToDate(2436116.31);
  ASSERT_TRUE(d.has_value());
  EXPECT_EQ(d->year, 1957);
  EXPECT_EQ(d->month, 10);
  EXPECT_NEAR(d->day, 4.81, 1e-6);
  // Meeus, example 7.c: JD 1842713.0 is 333 January 27.5.
  const auto old = JulianDayToDate(1842713.0);
  ASSERT_TRUE(old.has_value());
  EXPECT_EQ(old->year, 333);
  EXPECT_EQ(old->month, 1);
  EXPECT_NEAR(old->day, 27.5, 1e-9);
  EXPECT_FALSE(JulianDayToDate(std::numeric_limits<double>::infinity()).has_value());
}

TEST(YearStartJulianDay, IsJanuaryZero) {
  EXPECT_EQ(YearStartJulianDay(2012), 2455926.5);
  for (int year = 1583; year <= 2600; ++year) {
    EXPECT_EQ(YearStartJulianDay(year), zenitra::JulianDayOfDate(year, 1, 1) - 1.0) << "year " << year;
  }
  // Astronomical years, the leap years before the year 1 included (-500 is a leap year).
  for (int year = -4711; year <= 1582; ++year) {
    EXPECT_EQ(YearStartJulianDay(year), zenitra::JulianDayOfDate(year, 1, 1) - 1.0) << "year " << year;
  }
}

TEST(WeekdayOf, CountsFromMondayToSunday) {
  EXPECT_EQ(WeekdayOf(2451544.5), 6);  // Saturday 1 January 2000
  EXPECT_EQ(WeekdayOf(2451546.0), 7);  // Sunday noon
  for (int i = 0; i < 1000; ++i) EXPECT_EQ(WeekdayOf(2451544.5 + i), (5 + i) % 7 + 1) << "day " << i;
  EXPECT_EQ(WeekdayOf(std::nan("")), 0);
}

TEST(ShortDateText, DropsLeadingZeros) {
  EXPECT_EQ(ShortDateText(2012, 3, 5.0), "5.3.12");
  EXPECT_EQ(ShortDateText(2005, 1, 1.75), "1.1.5");
  EXPECT_EQ(ShortDateText(2005, 3, 20.2), "20.3.5");
  // No date at all: empty rather than an undefined conversion.
  for (double day : {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                     std::numeric_limits<double>::quiet_NaN(), 1e300}) {
    EXPECT_EQ(ShortDateText(2005, 3, day), "") << "day " << day;
  }
  EXPECT_EQ(ShortDateText(-500, 1, 3.0), "3.1.-500");
}

// Published Delta T: measured values of 1 January (U.S. Naval Observatory / IERS, as in The
// Astronomical Almanac), Meeus' table 10.A for 1650, and the polynomials before 1620. Tolerance
// 1 s: the measured values are interpolated linearly within the year.
TEST(DeltaT, AgreesWithPublishedValues) {
  struct Row {
    double year, seconds, tolerance;
    const char* source;
  };
  const Row rows[] = {
      {1650.0, 48.0, 1.0, "Meeus, table 10.A"},
      {1900.0, -2.72, 1.0, "USNO"},
      {1990.0, 56.86, 1.0, "USNO"},
      {2000.0, 63.83, 1.0, "IERS"},
      {2010.0, 66.07, 1.0, "IERS"},
      {2012.0, 66.60, 1.0, "IERS"},
      {2024.0, 69.18, 1.0, "IERS"},
      {2025.0, 69.14, 1.0, "IERS"},
  };
  for (const Row& r : rows) {
    const double got = DeltaT((r.year - 2000.0) / 100.0);
    EXPECT_NEAR(got, r.seconds, r.tolerance) << r.source << ", year " << r.year << ": expected " << r.seconds
                                             << " s, got " << got << " s";
  }
  EXPECT_NEAR(DeltaT(-5.0), 50.6 - 5 * 67.5 + 25 * 22.5, 1e-9);         // 1500
  EXPECT_NEAR(DeltaT(-12.0), 2715.6 - 12 * 573.36 + 144 * 46.5, 1e-9);  // 800
  // Espenak & Meeus (2006) from 2050 on, and the long-term parabola -20 + 32 u^2 from 2150.
  EXPECT_NEAR(DeltaT(1.0), -20.0 + 32.0 * 2.8 * 2.8 - 0.5628 * 50.0, 1e-9);  // 2100
  EXPECT_NEAR(DeltaT(3.0), -20.0 + 32.0 * 4.8 * 4.8, 1e-9);                // 2300
  EXPECT_TRUE(std::isnan(DeltaT(std::nan(""))));
}

// Delta T has no jump at the seams of its pieces (1600, 1620, 1900, 2025, 2050, 2150): from
// one day to the next it changes by well under half a second (at most 0.06 s a day in these
// centuries, a few hundredths of a second at the joins).
TEST(DeltaT, IsContinuousFromDayToDay) {
  const double t0 = (1000.0 - 2000.0) / 100.0;
  const double day = 1.0 / 36525.0;
  double previous = DeltaT(t0);
  for (double t = t0 + day; t < 3.0; t += day) {
    const double now = DeltaT(t);
    ASSERT_LT(std::fabs(now - previous), 0.5) << "year " << 2000.0 + 100.0 * t << ": from " << previous << " s to " << now
                                              << " s in a day";
    previous = now;
  }
}

TEST(SeriesHelpers, ComputeFloorsAnglesAndPolynomials) {
  EXPECT_EQ(FloorValue(-1.5), -2.0);
  EXPECT_EQ(FloorValue(-2.0), -2.0);
  EXPECT_EQ(FloorValue(2.7), 2.0);
  EXPECT_NEAR(NormalizeRadians(-0.5), 2.0 * M_PI - 0.5, 1e-15);
  EXPECT_NEAR(NormalizeRadians(7.0), 7.0 - 2.0 * M_PI, 1e-15);
  EXPECT_EQ(CenturiesSinceJ2000(2451545.0 + 36525.0), 1.0);
  EXPECT_EQ(Quadratic({1.0, 2.0, 3.0}, 2.0), 17.0);
  EXPECT_EQ(Quartic({1.0, 1.0, 1.0, 1.0, 1.0}, 2.0), 31.0);
  double s[9] = {}, c[9] = {};
  SinCosMultiples(8, 0.7, s, c);
  for (int j = 1; j <= 8; ++j) {
    EXPECT_NEAR(s[j], std::sin(j * 0.7), 1e-14) << "j=" << j;
    EXPECT_NEAR(c[j], std::cos(j * 0.7), 1e-14) << "j=" << j;
  }
}

}  // namespace
}  // namespace zenitra::yearcal
