// Phases of the Moon, lunation numbers, perigee and apogee.
#include "core/lunar_phases.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "support/random_moments.h"

namespace zenitra {
namespace {

using zenitra::testing::RandomMoments;

constexpr double kMinute = 1.0 / 1440.0;
constexpr double kSecond = 1.0 / 86400.0;

DateTimeValue At(int year, int month, int day, int hour, int minute, double second = 0.0) {
  return DateTimeOfDate(year, month, day) + (hour * 3600 + minute * 60 + second) * kSecond;
}

// Meeus, Astronomical Algorithms, 2nd ed., ch. 49: k = 0 is the new moon of 2000-01-06,
// JDE 2451550.26025 = 18:14:45.
TEST(NewMoonNear, FindsTheNewMoonOf2000January6) {
  const DateTimeValue t = NewMoonNear(DateTimeOfDate(2000, 1, 6));
  EXPECT_NEAR(DateTimeToJulianDay(t), 2451550.26025, 1.0 * kSecond);
  EXPECT_NEAR(t.Days, At(2000, 1, 6, 18, 14, 45).Days, 1.0 * kSecond);
}

// Worked example: the new moon of 1977 February (Meeus, example 49.a): JDE 2443192.65118.
TEST(NewMoonNear, ReproducesWorkedExample1977February) {
  EXPECT_NEAR(DateTimeToJulianDay(NewMoonNear(DateTimeOfDate(1977, 2, 15))), 2443192.65118, 1.0 * kSecond);
}

TEST(WindowPhaseInstant, GivesThePhasesOfTheLunationBeforeTheMonth) {
  // The window passes (day, month - 2, year); for (15, 3, 2024) the lunation of May 2024.
  const DateTimeValue expected[5] = {At(2024, 5, 8, 3, 23), At(2024, 5, 15, 11, 49), At(2024, 5, 23, 13, 54),
                                     At(2024, 5, 30, 17, 14), At(2024, 6, 6, 12, 39)};
  for (int kind = 0; kind <= 4; ++kind) {
    const DateTimeValue got = JulianDayToDateTime(WindowPhaseInstant(15, 3, 2024, static_cast<PhaseKind>(kind)));
    EXPECT_NEAR(got.Days, expected[kind].Days, 0.5 * kMinute) << "kind " << kind;
  }
}

// Worked example: the last quarter of 2044 January (Meeus, example 49.b), k = 544.75,
// JDE 2467636.49186. (1, 11, 2043) gives trunc((43 + 11/12 + 1/365 + 1/12) * 12.3685) = 544.
// The book rounds to five decimals of a day (0.9 s).
TEST(WindowPhaseInstant, ReproducesWorkedExample2044January) {
  EXPECT_NEAR(WindowPhaseInstant(1, 11, 2043, PhaseKind::LastQuarter), 2467636.49186, 1.5 * kSecond);
}

// Before 2000 the lunation index is rounded down as after 2000: for (15, -1, 1999) the product is
// (-1 - 1/12 + 15/365 + 1/12) * 12.3685 = -11.86, so k0 = -12 (the new moon of 1999-01-17), not
// -11, the next lunation. The Moon window's second try for 1990-03-20 (month - 3 = 0) gives
// -121.98: k0 = -122, the new moon of 1990-02-25 08:54 UT (USNO), where rounding towards zero
// gave that of 1990-03-26 and a Moon's age of -6 d 7 h.
TEST(WindowPhaseInstant, RoundsTheLunationIndexDownBefore2000) {
  const DateTimeValue newMoon = JulianDayToDateTime(WindowPhaseInstant(15, -1, 1999, PhaseKind::NewMoon));
  EXPECT_NEAR(newMoon.Days, NewMoonNear(DateTimeOfDate(1999, 1, 17)).Days, 1.0 * kSecond);
  EXPECT_NEAR(newMoon.Days, At(1999, 1, 17, 15, 46).Days, 30.0 * kMinute);
  const DateTimeValue march1990 = JulianDayToDateTime(WindowPhaseInstant(20, 0, 1990, PhaseKind::NewMoon));
  EXPECT_NEAR(march1990.Days, At(1990, 2, 25, 8, 54).Days, 2.0 * kMinute) << "got " << march1990;
}

// Property: the phase block of any moment is the lunation in progress, new moon <= moment < next
// new moon, so the Moon's age lies in [0, 29.9) days; before 2000 as after it.
TEST(WindowLunationPhases, IsTheLunationInProgress) {
  std::vector<DateTimeValue> moments = RandomMoments(2000, 12);
  std::mt19937_64 engine(13);
  std::uniform_real_distribution<double> early(DateTimeOfDate(1600, 1, 1).Days, DateTimeOfDate(1800, 1, 1).Days);
  for (int i = 0; i < 500; ++i) moments.push_back(DateTimeValue(early(engine)));
  moments.push_back(At(1990, 3, 20, 12, 0));
  moments.push_back(DateTimeOfDate(1, 1, 1));
  moments.push_back(DateTimeOfDate(9999, 12, 31));
  for (const DateTimeValue t : moments) {
    const JulianDay jde = DateTimeToJulianDay(t);
    const std::array<JulianDay, 5> w = WindowLunationPhases(jde);
    EXPECT_LE(w[0], jde) << "t " << t;
    EXPECT_GT(w[4], jde) << "t " << t;
    EXPECT_TRUE(w[0] < w[1] && w[1] < w[2] && w[2] < w[3] && w[3] < w[4]) << "t " << t;
    EXPECT_LT(w[4] - w[0], 29.9) << "t " << t;
    EXPECT_GT(w[4] - w[0], 29.2) << "t " << t;
  }
  // The new moon of 1990-02-25 08:54 UT begins the lunation of 1990-03-20 (Delta T 57 s).
  const auto march1990 = WindowLunationPhases(DateTimeToJulianDay(At(1990, 3, 20, 12, 0)));
  EXPECT_NEAR(JulianDayToDateTime(march1990[0]).Days, At(1990, 2, 25, 8, 55).Days, 2.0 * kMinute);
  EXPECT_TRUE(std::isnan(WindowLunationPhases(std::nan(""))[0]));
}

// Independent references: F. Espenak, "Phases of the Moon" tables (NASA Goddard / AstroPixels),
// times in UT rounded to the minute. The series give dynamical time, so Delta T (63.8 s in 2000,
// 69.2 s in 2024; IERS) is subtracted. Tolerance one minute: rounding of the table (0.5 min)
// and the method's error against the full lunar theory (under 20 s, Meeus ch. 49).
TEST(WindowPhaseInstant, AgreesWithPublishedPhaseTables) {
  struct Case {
    int day, month, year;  // the window's arguments
    PhaseKind kind;
    DateTimeValue ut;
    double deltaTSeconds;
    const char* what;
  };
  const Case cases[] = {
      {15, -1, 2000, PhaseKind::FullMoon, At(2000, 1, 21, 4, 40), 63.8, "full moon 2000-01-21 04:40"},
      {15, -1, 2000, PhaseKind::NextNewMoon, At(2000, 2, 5, 13, 3), 63.8, "new moon 2000-02-05 13:03"},
      {15, 1, 2024, PhaseKind::FullMoon, At(2024, 3, 25, 7, 0), 69.2, "full moon 2024-03-25 07:00"},
      {15, 1, 2024, PhaseKind::NextNewMoon, At(2024, 4, 8, 18, 21), 69.2, "new moon 2024-04-08 18:21"},
      {15, 7, 2024, PhaseKind::FullMoon, At(2024, 9, 18, 2, 34), 69.2, "full moon 2024-09-18 02:34"},
      {15, 7, 2024, PhaseKind::NextNewMoon, At(2024, 10, 2, 18, 49), 69.2, "new moon 2024-10-02 18:49"},
  };
  for (const Case& c : cases) {
    const DateTimeValue got = JulianDayToDateTime(WindowPhaseInstant(c.day, c.month, c.year, c.kind)) - c.deltaTSeconds * kSecond;
    EXPECT_NEAR(got.Days, c.ut.Days, 1.0 * kMinute) << c.what << ": difference " << (got - c.ut) * 1440.0 << " min";
  }
}

// Independent reference: astronomy-engine 2.1.19 (its own lunar theory), new moons of 1600 as
// TT Julian Days, from tools/reference/lunar_reference.js; no Delta T enters. Four centuries from
// J2000 the T^2 term of the Moon's mean anomaly weighs: its misprinted coefficient 0.1017438 (for
// 0.0107438) put these new moons up to 15 minutes late (the largest at cos M' = 1, lunation
// -4944). The series agree within 15 s; tolerance one minute.
TEST(NewMoonNear, AgreesWithAnIndependentEphemerisIn1600) {
  struct Case {
    int k;
    JulianDay jde;
  };
  const Case cases[] = {{-4944, 2305551.00651}, {-4943, 2305580.32208}, {-4942, 2305609.64678}, {-4940, 2305668.48122}};
  for (const Case& c : cases) {
    const double got = DateTimeToJulianDay(NewMoonNear(JulianDayToDateTime(c.jde)));
    EXPECT_NEAR(got, c.jde, 1.0 * kMinute) << "lunation " << c.k << ": expected JDE " << c.jde << ", got " << got
                                           << " (" << (got - c.jde) * 1440.0 << " min)";
  }
}

TEST(WindowPhaseInstant, LunationsLastBetween29Point2And29Point9Days) {
  std::mt19937 engine(4);
  std::uniform_int_distribution<int> year(1800, 2200), month(1, 12), day(1, 28);
  for (int i = 0; i < 3000; ++i) {
    const int y = year(engine), m = month(engine) - 2, d = day(engine);
    double previous = -1e300;
    for (int kind = 0; kind <= 4; ++kind) {
      const double instant = WindowPhaseInstant(d, m, y, static_cast<PhaseKind>(kind));
      EXPECT_GT(instant, previous) << d << "." << m << "." << y << " kind " << kind;
      previous = instant;
    }
    const double length = WindowPhaseInstant(d, m, y, PhaseKind::NextNewMoon) - WindowPhaseInstant(d, m, y, PhaseKind::NewMoon);
    EXPECT_GT(length, 29.2) << d << "." << m << "." << y;
    EXPECT_LT(length, 29.9) << d << "." << m << "." << y;
  }
}

TEST(PreviousNewMoon, IsTheLastNewMoonAtOrBeforeT) {
  for (const DateTimeValue t : RandomMoments(3000, 5)) {
    const DateTimeValue r = PreviousNewMoon(t);
    EXPECT_LE(r, t) << "t " << t;
    EXPECT_GT(r, t - 29.9) << "t " << t << ": a new moon was skipped";
  }
  // Just after a new moon it is that new moon. (The eccentricity factor follows the moment asked
  // for, so the same lunation found from two moments differs by microseconds.)
  const DateTimeValue newMoon = NewMoonNear(DateTimeOfDate(2024, 4, 8));
  EXPECT_NEAR(PreviousNewMoon(newMoon + kSecond).Days, newMoon.Days, 0.01 * kSecond);
}

TEST(LunationNumber, CountsFromTheNewMoonOf1923January17) {
  // Every moment between the new moons of 2000-01-06 18:15 and 2000-02-05 13:03 is lunation 953.
  for (DateTimeValue t = At(2000, 1, 6, 18, 16); t < At(2000, 2, 5, 13, 2); t += 0.25) {
    EXPECT_EQ(LunationNumber(t), 953) << "t " << t;
  }
  EXPECT_EQ(LunationNumber(At(2000, 1, 6, 18, 13)), 952);
  EXPECT_EQ(LunationNumber(At(1923, 1, 18, 0, 0)), 1);
  EXPECT_EQ(LunationNumber(At(1923, 2, 10, 0, 0)), 1);
  EXPECT_FALSE(LunationNumber(DateTimeValue(std::nan(""))).has_value());
}

// Worked example: the apogee of 1988 October (Meeus, example 50.a): JDE 2447442.3543,
// 1988-10-07 20:30 TD.
TEST(LunarApsis, ReproducesWorkedExampleApogee1988October) {
  const DateTimeValue t = LunarApsis(true, DateTimeOfDate(1988, 10, 1));
  EXPECT_NEAR(DateTimeToJulianDay(t), 2447442.3543, 1e-4);
  EXPECT_NEAR(NextApogee(DateTimeOfDate(1988, 10, 1)).Days, t.Days, 1.0 * kSecond);
}

// Independent references: perigees as published in F. Espenak's "Moon at Perigee and Apogee"
// tables (UT, to the minute): 2011-03-19 19:09 (356 577 km), 2012-05-06 03:34 (356 953 km),
// 2016-11-14 11:22 (356 509 km). The series of Meeus ch. 50 can err by up to 31 minutes against
// the full lunar theory in rare cases; for these three perigees it agrees within 1.3 minutes, so
// 3 minutes (with Delta T and the rounding of the tables) catches a wrong term, as a term
// 0.0040 sin(2D + F) in place of sin(2D + M) did with errors of 8 and 11 minutes.
TEST(NextPerigee, AgreesWithPublishedPerigeeTables) {
  struct Case {
    DateTimeValue from, ut;
    const char* what;
  };
  const Case cases[] = {
      {DateTimeOfDate(2011, 3, 15), At(2011, 3, 19, 19, 9), "perigee 2011-03-19 19:09"},
      {DateTimeOfDate(2012, 5, 1), At(2012, 5, 6, 3, 34), "perigee 2012-05-06 03:34"},
      {DateTimeOfDate(2016, 11, 10), At(2016, 11, 14, 11, 22), "perigee 2016-11-14 11:22"},
  };
  for (const Case& c : cases) {
    const DateTimeValue got = NextPerigee(c.from) - 66.0 * kSecond;
    EXPECT_NEAR(got.Days, c.ut.Days, 3.0 * kMinute) << c.what << ": difference " << (got - c.ut) * 1440.0 << " min";
  }
}

// The interval between successive perigees varies with the Sun's position relative to the
// Moon's line of apsides from about 24.6 to 28.6 days (Meeus' perigee series itself gives a
// shortest interval of 24.64 days over 1800-2200).
TEST(NextPerigee, IsAtOrAfterTAndSuccessivePerigeesAre24Point6To28Point6DaysApart) {
  double shortest = 100.0;
  double longest = 0.0;
  for (const DateTimeValue t : RandomMoments(3000, 6)) {
    const DateTimeValue first = NextPerigee(t);
    EXPECT_GE(first, t) << "t " << t;
    EXPECT_LE(first - t, 28.6) << "t " << t << ": a perigee was skipped";
    const DateTimeValue second = NextPerigee(first + 1.0);
    EXPECT_GE(second - first, 24.6) << "t " << t;
    EXPECT_LE(second - first, 28.6) << "t " << t;
    shortest = std::fmin(shortest, second - first);
    longest = std::fmax(longest, second - first);
    const DateTimeValue apogee = NextApogee(t);
    EXPECT_GE(apogee, t) << "t " << t;
    EXPECT_LE(apogee - t, 28.6) << "t " << t << ": an apogee was skipped";
  }
  RecordProperty("shortest_days", std::to_string(shortest));
  RecordProperty("longest_days", std::to_string(longest));
}

// The direct search takes the apsis of the month nearest t or the next one; the plain search steps
// the start by 27 days from t - 27 until LunarApsis lies at or after t, and so visits every month.
// Both must answer alike, to the bit, over the whole range the direct search serves.
TEST(NextPerigee, AgreesWithSteppingTheSearchStartMonthByMonth) {
  std::mt19937_64 engine(16);
  std::uniform_real_distribution<double> uniform(DateTimeOfDate(-3990, 1, 1).Days, DateTimeOfDate(7990, 1, 1).Days);
  for (int i = 0; i < 20000; ++i) {
    const DateTimeValue t(uniform(engine));
    for (const bool apogee : {false, true}) {
      DateTimeValue stepped(std::nan(""));
      for (DateTimeValue a = t - 27.0; a < t + 60.0; a += 27.0) {
        stepped = LunarApsis(apogee, a);
        if (stepped >= t) break;
      }
      const DateTimeValue direct = apogee ? NextApogee(t) : NextPerigee(t);
      ASSERT_EQ(direct, stepped) << (apogee ? "apogee" : "perigee") << " after t " << t;
    }
  }
}

TEST(LunarSearches, EndForFarAndNonFiniteDates) {
  for (const int year : {-4000, 8000}) {
    const DateTimeValue t = DateTimeOfDate(year, 6, 1);
    EXPECT_LE(PreviousNewMoon(t), t) << "year " << year;
    EXPECT_GT(PreviousNewMoon(t), t - 30.0) << "year " << year;
    EXPECT_GE(NextPerigee(t), t) << "year " << year;
    EXPECT_LT(NextPerigee(t), t + 29.0) << "year " << year;
    EXPECT_GE(NextApogee(t), t) << "year " << year;
    EXPECT_LT(NextApogee(t), t + 29.0) << "year " << year;
    EXPECT_TRUE(LunationNumber(t).has_value()) << "year " << year;
  }
  for (const double bad : {std::nan(""), HUGE_VAL, -HUGE_VAL}) {
    EXPECT_TRUE(std::isnan(PreviousNewMoon(DateTimeValue(bad)).Days));
    EXPECT_TRUE(std::isnan(NextPerigee(DateTimeValue(bad)).Days));
    EXPECT_TRUE(std::isnan(NextApogee(DateTimeValue(bad)).Days));
  }
  // Beyond any meaningful date the searches still return at once, never with a wrong-side answer.
  const DateTimeValue far(1e300);
  EXPECT_FALSE(PreviousNewMoon(far) > far);
  EXPECT_FALSE(NextPerigee(far) < far);
}

}  // namespace
}  // namespace zenitra
