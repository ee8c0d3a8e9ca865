// Julian Days, the civil calendar with its October 1582 switch, sidereal time and the daylight
// saving rule of the core.
#include "core/time_scales.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <random>
#include <type_traits>

namespace zenitra {
namespace {

constexpr double kSecondInHours = 1.0 / 3600.0;
const double kInf = std::numeric_limits<double>::infinity();

int MonthLength(int year, int month, bool gregorian) {
  static const int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month != 2) return lengths[month - 1];
  const bool leap = gregorian ? (year % 4 == 0 && year % 100 != 0) || year % 400 == 0 : year % 4 == 0;
  return leap ? 29 : 28;
}

// Walks civil dates day by day and checks that each has the next Julian Day and survives the round
// trip back to a date.
void WalkDays(CivilDate d, int days) {
  double previous = JulianDayOfDate(d.year, d.month, d.day);
  for (int i = 0; i < days; ++i) {
    const bool gregorian = previous >= CalendarSwitchJD;
    if (++d.day > MonthLength(d.year, d.month, gregorian)) {
      d.day = 1;
      if (++d.month > 12) {
        d.month = 1;
        ++d.year;
      }
    }
    if (d.year == 1582 && d.month == 10 && d.day == 5) d.day = 15;  // the ten days that never were
    const double j = JulianDayOfDate(d.year, d.month, d.day);
    ASSERT_EQ(j, previous + 1.0) << d.year << "-" << d.month << "-" << d.day;
    ASSERT_EQ(DateOfJulianDay(j), d) << "JD " << j;
    ASSERT_EQ(DateOfJulianDay(j + 0.4999), d) << "JD " << j + 0.4999;
    previous = j;
  }
}

TEST(JulianDay, ReproducesTheReferenceDates) {
  EXPECT_EQ(JulianDayOfDate(2000, 1, 1), 2451544.5);
  EXPECT_EQ(DateTimeOfDate(2000, 1, 1).Days, 36526.0);
  EXPECT_EQ(JulianDayOfDate(1582, 10, 4), 2299159.5);  // last Julian day
  EXPECT_EQ(JulianDayOfDate(1582, 10, 15), 2299160.5);  // first Gregorian day
  EXPECT_EQ(JulianDayOfJulianDate(-4712, 1, 1), -0.5);
  // Worked examples (Meeus, Astronomical Algorithms, ch. 7): 1957-10-04.81 is JD 2436116.31,
  // 333-01-27 12h (Julian) is JD 1842713.0, -1000-07-12 12h is JD 1356001.0.
  EXPECT_EQ(JulianDayOfDate(1957, 10, 4) + 0.81, 2436116.31);
  EXPECT_EQ(JulianDayOfDate(333, 1, 27) + 0.5, 1842713.0);
  EXPECT_EQ(JulianDayOfDate(-1000, 7, 12) + 0.5, 1356001.0);
}

TEST(JulianDay, ConvertsBackToTheCivilDateOnEitherSideOfTheSwitch) {
  EXPECT_EQ(DateOfJulianDay(2299160.5), (CivilDate{1582, 10, 15}));
  EXPECT_EQ(DateOfJulianDay(2299160.0), (CivilDate{1582, 10, 4}));
  EXPECT_EQ(DateOfDateTime(DateTimeValue(36526.75)), (CivilDate{2000, 1, 1}));
  EXPECT_EQ(JulianDateOfJulianDay(2451544.5), (CivilDate{1999, 12, 19}));  // 13 days behind in 2000
  EXPECT_EQ(GregorianDateOfJulianDay(2299159.5), (CivilDate{1582, 10, 14}));  // proleptic
  EXPECT_FALSE(JulianDateOfJulianDay(-0.5).has_value());
}

TEST(JulianDay, RoundTripsEveryDayOfAWholeGregorianCycle) { WalkDays({2000, 1, 1}, 146097); }

TEST(JulianDay, RoundTripsAcrossTheOctober1582Switch) { WalkDays({1580, 1, 1}, 5 * 366); }

TEST(JulianDay, RoundTripsInNegativeYears) {
  WalkDays({-4712, 1, 1}, 3 * 366);  // from JD -0.5 on
  WalkDays({-500, 2, 25}, 8 * 366);  // across astronomical years -500 .. -492 (501 .. 493 BC)
}

TEST(JulianDay, InvalidDatesRaiseTheConversionError) {
  const struct {
    int y, m, d;
  } invalid[] = {{1582, 10, 5}, {1582, 10, 10}, {1582, 10, 14}, {1900, 2, 29}, {2023, 2, 29}, {2024, 4, 31},
                 {2024, 1, 0},  {2024, 1, 32},  {2024, 15, 1},  {2024, -10, 1},
                 // Months 13 and 14 are not January and February of the next year.
                 {-2, 14, 8},   {2023, 13, 1},  {2024, 0, 1},   {2024, 1, INT_MAX}};
  for (const auto& date : invalid) {
    try {
      (void)JulianDayOfDate(date.y, date.m, date.d);
      ADD_FAILURE() << "no error for " << date.y << "-" << date.m << "-" << date.d;
    } catch (const ConversionError& e) {
      EXPECT_STREQ(e.what(), "Fehler!");
    }
  }
  // Leap days valid in their calendar.
  EXPECT_NO_THROW((void)JulianDayOfDate(2000, 2, 29));
  EXPECT_NO_THROW((void)JulianDayOfDate(1500, 2, 29));
  EXPECT_NO_THROW((void)JulianDayOfJulianDate(1900, 2, 29));
  EXPECT_THROW((void)JulianDayOfGregorianDate(1900, 2, 29), ConversionError);
}

TEST(JulianDay, ImpossibleJulianDaysRaiseTheConversionError) {
  for (double j : {-1.0, -1e-9, std::nan(""), kInf, -kInf, 1e300}) {
    EXPECT_THROW((void)DateOfJulianDay(j), ConversionError) << "JD " << j;
    EXPECT_THROW((void)GregorianDateOfJulianDay(j), ConversionError) << "JD " << j;
  }
  EXPECT_THROW((void)DateOfDateTime(DateTimeValue(-2415019.0)), ConversionError);
}

// The two day counts are distinct types: passing one where the other is expected does not compile;
// only DateTimeToJulianDay and JulianDayToDateTime convert.
static_assert(!std::is_convertible_v<JulianDay, DateTimeValue> && !std::is_convertible_v<DateTimeValue, JulianDay>);

TEST(StartupConstants, HoldTheReferenceEpochs) {
  const StartupConstants& c = Startup();
  EXPECT_EQ(c.JulianDayOffset, 2415018.5);
  EXPECT_EQ(c.J2000Date.Days, 36526.0);
  EXPECT_EQ(c.Epoch1999.Days, 36161.0);
  EXPECT_EQ(c.LunationEpoch.Days, 8418.0);
  EXPECT_EQ(&Startup(), &c);  // computed once
  EXPECT_EQ(DateTimeToJulianDay(DateTimeValue(0.0)), 2415018.5);
  EXPECT_EQ(JulianDayToDateTime(2415018.5).Days, 0.0);
}

TEST(NormalizeDegrees, ReducesIntoTheHalfOpenCircle) {
  EXPECT_EQ(NormalizeDegrees(-30.0), 330.0);
  EXPECT_EQ(NormalizeDegrees(720.0), 0.0);
  EXPECT_EQ(NormalizeDegrees(359.9999), 359.9999);
  EXPECT_EQ(NormalizeDegrees(-1e-300), 0.0);  // 360 - tiny is not below 360
  std::mt19937_64 rng(3);
  std::uniform_real_distribution<double> exponent(-3.0, 15.0);
  for (int i = 0; i < 20000; ++i) {
    const double x = (i % 2 ? -1.0 : 1.0) * std::pow(10.0, exponent(rng));
    const double r = NormalizeDegrees(x);
    ASSERT_GE(r, 0.0) << "x=" << x;
    ASSERT_LT(r, 360.0) << "x=" << x;
    if (std::fabs(x) < 1e9) {
      ASSERT_NEAR(std::remainder(r - x, 360.0), 0.0, 1e-6) << "x=" << x;
    }
  }
}

TEST(NormalizeDegrees, HandlesValuesBeyondIntegerRangeAndNonFiniteInput) {
  for (double x : {1e18, -1e18, 1e300, -1e300, 3.3e21}) {
    const double r = NormalizeDegrees(x);
    EXPECT_GE(r, 0.0) << "x=" << x;
    EXPECT_LT(r, 360.0) << "x=" << x;
  }
  EXPECT_TRUE(std::isnan(NormalizeDegrees(std::nan(""))));
  EXPECT_TRUE(std::isnan(NormalizeDegrees(kInf)));
}

// Worked examples (Meeus, Astronomical Algorithms, examples 12.a and 12.b): mean sidereal time at
// Greenwich on 1987-04-10 is 13h10m46.3668s at 0h UT and 8h34m57.0896s at 19h21m UT.
TEST(SiderealTime, ReproducesTheWorkedExamples) {
  const double jd0 = 2446895.5;
  EXPECT_NEAR(LocalSiderealHours(jd0, 0.0, 0.0), 13.0 + 10.0 / 60 + 46.3668 / 3600, 0.01 * kSecondInHours);
  EXPECT_NEAR(LocalSiderealHours(jd0, 19.35, 0.0), 8.0 + 34.0 / 60 + 57.0896 / 3600, 0.1 * kSecondInHours);
  EXPECT_NEAR(SiderealTimeHours(jd0, 19.35, 0.0), 8.0 + 34.0 / 60 + 57.0896 / 3600, 0.1 * kSecondInHours);
  // One hour of longitude east adds one hour.
  EXPECT_NEAR(SiderealTimeHours(jd0, 19.35, 15.0), 9.0 + 34.0 / 60 + 57.0896 / 3600, 0.1 * kSecondInHours);
}

// The original reduction: repeated additions and subtractions of 24 hours.
double LoopReduced(double s) {
  while (s < 0.0) s += 24.0;
  while (s > 24.0) s -= 24.0;
  return s;
}

TEST(SiderealTime, StaysWithinZeroTo24HoursAndKeepsOrdinaryResults) {
  std::mt19937_64 rng(5);
  std::uniform_real_distribution<double> day(2300000.5, 2600000.5), hour(-48.0, 48.0), lon(-180.0, 180.0);
  for (int i = 0; i < 10000; ++i) {
    const double jd0 = std::floor(day(rng)) + 0.5, ut = hour(rng), lambda = lon(rng);
    const double local = LocalSiderealHours(jd0, ut, lambda);
    const double sky = SiderealTimeHours(jd0, ut, lambda);
    ASSERT_GE(local, 0.0);
    ASSERT_LE(local, 24.0);
    ASSERT_GE(sky, 0.0);
    ASSERT_LE(sky, 24.0);
    const double d = jd0 - 2451545.0;
    const double raw = 6.6973745583 + 0.06570982442 * d + 1.938587419e-14 * d * d + 1.00273790935 * ut + lambda / 15.0;
    if (std::fabs(raw) <= 240.0) {
      EXPECT_EQ(sky, LoopReduced(raw)) << "jd0=" << jd0 << " ut=" << ut;
    }
  }
}

TEST(SiderealTime, FinishesForHugeInputAndGivesNaNForNonFiniteInput) {
  for (double jd0 : {1e15, -1e15, 1e150, -1e150}) {
    const double s = SiderealTimeHours(jd0, 0.0, 0.0);
    EXPECT_TRUE(s >= 0.0 && s <= 24.0) << "jd0=" << jd0 << " got " << s;
  }
  for (double jd0 : {1e15, -1e15, 1e300, -1e300}) {
    const double l = LocalSiderealHours(jd0, 5.0, 10.0);
    EXPECT_TRUE(l >= 0.0 && l <= 24.0) << "jd0=" << jd0 << " got " << l;
  }
  // The quadratic term overflows beyond about 1e154 days: no sidereal time, and no hang.
  EXPECT_TRUE(std::isnan(SiderealTimeHours(1e300, 0.0, 0.0)));
  EXPECT_TRUE(std::isnan(LocalSiderealHours(kInf, 0.0, 0.0)));
  EXPECT_TRUE(std::isnan(SiderealTimeHours(2451545.0, -kInf, 0.0)));
  EXPECT_TRUE(std::isnan(SiderealTimeHours(2451545.0, 0.0, std::nan(""))));
}

TEST(ZoneMidnightJulianDay, IsTheUniversalTimeOfLocalMidnight) {
  EXPECT_DOUBLE_EQ(ZoneMidnightJulianDay(2000, 1, 1, 1.0), 2451544.5 - 1.0 / 24.0);
  for (int year = 1000; year <= 2400; year += 3) {
    for (int month = 1; month <= 12; ++month) {
      if (year == 1582 && month == 10) continue;
      EXPECT_EQ(ZoneMidnightJulianDay(year, month, 20, 0.0), JulianDayOfDate(year, month, 20))
          << year << "-" << month << "-20";
    }
  }
}

TEST(DayNumber, CountsTheDaysOfTheYear) {
  EXPECT_EQ(DayNumber(31, 12, 2023), 365);
  EXPECT_EQ(DayNumber(31, 12, 2024), 366);
  EXPECT_EQ(DayNumber(1, 3, 2024), 61);
  EXPECT_THROW((void)DayNumber(1, 13, 2024), ConversionError);
  EXPECT_THROW((void)DayNumber(1, 0, 2024), ConversionError);
  // A day outside its month counts on, as the day-night window enters it; past the int range it
  // is refused instead of overflowing.
  EXPECT_EQ(DayNumber(0, 3, 2023), 59);
  EXPECT_EQ(DayNumber(INT_MIN, 1, 2023), INT_MIN);
  EXPECT_THROW((void)DayNumber(INT_MAX, 2, 2024), ConversionError);
  EXPECT_THROW((void)DayNumber(INT_MAX - 30, 12, 2024), ConversionError);
  // Against counting day by day through a whole Gregorian cycle.
  for (int year = 2000; year < 2400; ++year) {
    int count = 0;
    for (int month = 1; month <= 12; ++month) {
      for (int day = 1; day <= MonthLength(year, month, true); ++day) {
        ASSERT_EQ(DayNumber(day, month, year), ++count) << year << "-" << month << "-" << day;
      }
    }
  }
}

TEST(IsLeapYear, FollowsTheGregorianRule) {
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_TRUE(IsLeapYear(2024));
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_FALSE(IsLeapYear(2023));
}

TEST(IsSummerTime, ChangesOnTheLastSundaysOfMarchAndOctober) {
  EXPECT_TRUE(IsSummerTime(31, 3, 2024));
  EXPECT_FALSE(IsSummerTime(30, 3, 2024));
  EXPECT_FALSE(IsSummerTime(27, 10, 2024));
  EXPECT_TRUE(IsSummerTime(26, 10, 2024));
  for (int month = 1; month <= 12; ++month) EXPECT_FALSE(IsSummerTime(15, month, 1979)) << month;
  EXPECT_TRUE(IsSummerTime(1, 4, 1980));
  EXPECT_FALSE(IsSummerTime(1, 11, 2024));
  // Every year: exactly one switch in each month, and it falls on a Sunday.
  for (int year = 1980; year <= 2200; ++year) {
    for (int month : {3, 10}) {
      int switches = 0;
      for (int day = 2; day <= 31; ++day) {
        if (IsSummerTime(day, month, year) == IsSummerTime(day - 1, month, year)) {
          continue;
        }
        ++switches;
        const long weekday = std::lround(JulianDayOfDate(year, month, day) + 1.5) % 7;  // 0 = Sunday
        EXPECT_EQ(weekday, 0) << year << "-" << month << "-" << day;
        EXPECT_GT(day, 24) << year << "-" << month;
      }
      EXPECT_EQ(switches, 1) << year << "-" << month;
    }
  }
}

TEST(DeltaTParabola, HasItsMinimumNear1810) {
  EXPECT_EQ(DeltaTParabola(2382148.0), -15.0);
  EXPECT_NEAR(DeltaTParabola(2451545.0), -15.0 + 69397.0 * 69397.0 / 41048480.0, 1e-9);
}

TEST(EncodeDate, CountsDaysFromDecember30Of1899) {
  EXPECT_EQ(EncodeDate(1899, 12, 30).Days, 0.0);
  EXPECT_EQ(EncodeDate(1923, 1, 17).Days, 8418.0);
  EXPECT_EQ(EncodeDate(2000, 1, 1).Days, 36526.0);
  EXPECT_EQ(EncodeDate(1800, 1, 1).Days, DateTimeOfDate(1800, 1, 1).Days);
  // A day outside its month counts on from the first; any int day is a whole number of days.
  EXPECT_EQ(EncodeDate(2000, 3, 0).Days, EncodeDate(2000, 2, 29).Days);
  EXPECT_EQ(EncodeDate(2000, 1, INT_MAX).Days, 36526.0 + (INT_MAX - 1.0));
  EXPECT_EQ(EncodeDate(INT_MIN, 1, 1).Days, (EncodeDate(INT_MIN, 1, INT_MIN) - (INT_MIN - 1.0)).Days);
  EXPECT_THROW((void)EncodeDate(2000, 13, 1), ConversionError);
  EXPECT_THROW((void)EncodeDate(2000, INT_MAX, 1), ConversionError);
}

}  // namespace
}  // namespace zenitra
