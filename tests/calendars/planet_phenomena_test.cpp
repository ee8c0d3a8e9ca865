// Conjunctions, oppositions and greatest elongations of the planets (mean instants with periodic
// corrections, Meeus ch. 36).
#include "calendars/planet_phenomena.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

namespace zenitra::yearcal {
namespace {

constexpr double kHour = 1.0 / 24.0;  // days
constexpr double kSecond = 1.0 / 86400.0;
// Values quoted to 0.001 day: half a unit of rounding plus a little for the last digit of the
// coefficients, about 1.5 minutes.
constexpr double kQuotedDigits = 0.001;

constexpr int kPlanets[] = {1, 2, 4, 5, 6, 7, 8};
// Mean synodic periods in days, in the order of kPlanets.
constexpr double kSynodic[] = {115.8774771, 583.921361, 779.936104, 398.884046, 378.091904, 369.656035, 367.486703};

// Published instants are in UT; Delta T (IERS) turns them into TT.
JulianDay PublishedUtAsTt(int year, int month, int day, int hour, int minute, double deltaTSeconds) {
  return CalendarToJulianDay(year, month, day, hour, minute, 0, 0.0) + deltaTSeconds * kSecond;
}

TEST(PlanetEventInstant, ReproducesMeeusWorkedExamples) {
  // Meeus, Astronomical Algorithms, 2nd ed., example 36.a: inferior conjunction of Mercury in
  // November 1993, k = -20, JDE 2449297.645 (1993 November 6.145).
  const auto mercury = PlanetEventInstant(1, 0, -20);
  ASSERT_TRUE(mercury.has_value());
  EXPECT_NEAR(*mercury, 2449297.645, kQuotedDigits) << "input Mercury inferior conjunction k -20";
  // Example 36.b: conjunction of Saturn with the Sun in 2125, k = 121, JDE 2497437.904.
  const auto saturn = PlanetEventInstant(6, 1, 121);
  ASSERT_TRUE(saturn.has_value());
  EXPECT_NEAR(*saturn, 2497437.904, kQuotedDigits) << "input Saturn conjunction k 121";
}

TEST(PlanetEventInstant, GivesThePhenomenaOf2012OfTheCalendar) {
  struct Case {
    int planet, event;
    JulianDay expected;
  };
  // Instants of the year 2012 of the calendar, quoted to 0.001 day.
  const Case cases[] = {{2, 0, 2456084.555}, {4, 0, 2455990.288}, {5, 1, 2456061.032},
                        {1, 0, 2456008.305}, {1, 0, 2456137.330}, {1, 0, 2456249.155}};
  for (const Case& c : cases) {
    const auto k0 = PlanetEventCycle(2012, c.planet, c.event);
    ASSERT_TRUE(k0.has_value());
    // Step the cycles through the year from one before the returned number.
    double closest = 1e9;
    for (int k = *k0 - 1; k <= *k0 + 4; ++k) {
      const auto jde = PlanetEventInstant(c.planet, c.event, k);
      ASSERT_TRUE(jde.has_value());
      if (std::abs(*jde - c.expected) < std::abs(closest - c.expected)) closest = *jde;
    }
    EXPECT_NEAR(closest, c.expected, kQuotedDigits) << "input planet " << c.planet << " event " << c.event;
  }
}

TEST(GreatestElongation, GivesTheElongationsOf2012OfTheCalendar) {
  struct Case {
    int planet, side;
    JulianDay expected;
    double elongation;
  };
  const Case cases[] = {{2, 0, 2456013.777, 46.0}, {2, 1, 2456154.899, 45.8}, {1, 0, 2455991.892, 18.2}};
  for (const Case& c : cases) {
    const auto k0 = PlanetEventCycle(2012, c.planet, 0);
    ASSERT_TRUE(k0.has_value());
    std::optional<ElongationInstant> closest;
    for (int k = *k0 - 1; k <= *k0 + 4; ++k) {
      const auto e = GreatestElongation(c.planet, c.side, k);
      ASSERT_TRUE(e.has_value());
      if (!closest || std::abs(e->jde - c.expected) < std::abs(closest->jde - c.expected)) closest = e;
    }
    ASSERT_TRUE(closest.has_value());
    EXPECT_NEAR(closest->jde, c.expected, kQuotedDigits) << "input planet " << c.planet << " side " << c.side;
    // Elongation quoted to 0.1 degree.
    EXPECT_NEAR(closest->elongationDeg, c.elongation, 0.05) << "input planet " << c.planet << " side " << c.side;
  }
}

TEST(PlanetEventInstant, AgreesWithPublishedEventsWithinTheMethodsAccuracy) {
  // Published geocentric instants (U.S. Naval Observatory / Astronomical Almanac, UT to the minute
  // or hour). The series represent the perturbations to a fraction of an hour for Mercury and Mars
  // and to about an hour for Jupiter; the tolerances add the rounding of the published time.
  struct Case {
    int planet, event, k;
    JulianDay published;
    double toleranceHours;
  };
  const Case cases[] = {
      // Opposition of Mars 2020 October 13, 23:20 UT (Delta T 69.4 s).
      {4, 0, 9, PublishedUtAsTt(2020, 10, 13, 23, 20, 69.4), 1.0},
      // Opposition of Jupiter 2023 November 3, 05 UT (Delta T 69.2 s); measured difference 1.3 h.
      {5, 0, 21, PublishedUtAsTt(2023, 11, 3, 5, 0, 69.2), 2.5},
      // Inferior conjunction of Mercury at its transit, 2019 November 11, 15:21 UT (Delta T 69.2 s).
      {1, 0, 62, PublishedUtAsTt(2019, 11, 11, 15, 21, 69.2), 1.0},
  };
  for (const Case& c : cases) {
    const auto jde = PlanetEventInstant(c.planet, c.event, c.k);
    ASSERT_TRUE(jde.has_value());
    EXPECT_NEAR(*jde, c.published, c.toleranceHours * kHour)
        << "input planet " << c.planet << " event " << c.event << " k " << c.k << " expected " << c.published;
  }
}

TEST(GreatestElongation, AgreesWithPublishedElongationsOfVenus2020) {
  // Greatest elongations of Venus 2020 (U.S. Naval Observatory, UT to the hour, angle to 0.1 deg):
  // east March 24, 22 UT, 46.1 deg; west August 13, 00 UT, 45.8 deg. The elongation is stationary at
  // its maximum, so the instant of the series is good to a few hours only (measured 0.0 and 1.4 h).
  const auto east = GreatestElongation(2, 0, 12);
  const auto west = GreatestElongation(2, 1, 12);
  ASSERT_TRUE(east.has_value() && west.has_value());
  EXPECT_NEAR(east->jde, PublishedUtAsTt(2020, 3, 24, 22, 0, 69.4), 3 * kHour) << "input Venus east k 12";
  EXPECT_NEAR(east->elongationDeg, 46.1, 0.1) << "input Venus east k 12";
  EXPECT_NEAR(west->jde, PublishedUtAsTt(2020, 8, 13, 0, 0, 69.4), 3 * kHour) << "input Venus west k 12";
  EXPECT_NEAR(west->elongationDeg, 45.8, 0.1) << "input Venus west k 12";
}

TEST(PlanetEventCycle, TruncatesTowardsZero) {
  // 1999 lies before the epoch of Mercury's inferior conjunctions: (365.2425 * 1999 + 1721060
  // - 2451612.023) / 115.8774771 = -3.73, truncated to -3 (the floor would be -4).
  EXPECT_EQ(PlanetEventCycle(1999, 1, 0), -3);
  // After the epoch truncation and floor agree: 2012 gives 37.25 -> 37.
  EXPECT_EQ(PlanetEventCycle(2012, 1, 0), 37);
}

TEST(PlanetEventCycle, SteppingFromOneBeforeMissesNoEventOfTheYear) {
  // Stepping starts at k - 1, so no event may be lost before it: the cycle k - 2 always falls
  // before the year begins, for years on either side of the epochs (before an epoch the
  // truncation makes k - 1 the floor, whose event may well lie inside the year).
  for (const int planet : kPlanets) {
    for (int event = 0; event <= 1; ++event) {
      for (int year = -1000; year <= 3000; year += 37) {
        if (year == 0) continue;
        const auto k = PlanetEventCycle(year, planet, event);
        ASSERT_TRUE(k.has_value());
        const auto before = PlanetEventInstant(planet, event, *k - 2);
        ASSERT_TRUE(before.has_value());
        EXPECT_LT(*before, YearStartJulianDay(year))
            << "input year " << year << " planet " << planet << " event " << event;
      }
    }
  }
}

TEST(PlanetPhenomena, RejectTheEarthUnknownPlanetsEventsAndSides) {
  for (const int planet : {-1, 0, 3, 9, INT_MAX}) {
    EXPECT_FALSE(PlanetEventCycle(2012, planet, 0).has_value()) << "input planet " << planet;
    EXPECT_FALSE(PlanetEventInstant(planet, 0, 1).has_value()) << "input planet " << planet;
  }
  for (const int event : {-1, 2}) {
    EXPECT_FALSE(PlanetEventCycle(2012, 4, event).has_value()) << "input event " << event;
    EXPECT_FALSE(PlanetEventInstant(4, event, 1).has_value()) << "input event " << event;
  }
  for (const int planet : {0, 3, 4, 8})
    EXPECT_FALSE(GreatestElongation(planet, 0, 1).has_value()) << "input " << planet;
  for (const int side : {-1, 2}) EXPECT_FALSE(GreatestElongation(1, side, 1).has_value()) << "input side " << side;
}

TEST(PlanetPhenomena, ExtremeYearsAndCyclesStayDefined) {
  // A cycle number outside the int range is refused rather than converted.
  EXPECT_FALSE(PlanetEventCycle(INT_MAX, 1, 0).has_value());
  EXPECT_FALSE(PlanetEventCycle(INT_MIN, 1, 0).has_value());
  // Neptune's cycles for the same years fit an int (period about a year).
  EXPECT_TRUE(PlanetEventCycle(INT_MAX, 8, 0).has_value());
  // Cycles more than 1e9 days from J2000 are refused; those just inside give finite values.
  for (const int k : {INT_MIN, INT_MAX}) {
    EXPECT_FALSE(PlanetEventInstant(1, 0, k).has_value()) << "input k " << k;
    EXPECT_FALSE(GreatestElongation(2, 1, k).has_value()) << "input k " << k;
  }
  for (const int k : {-8000000, 8000000}) {
    const auto jde = PlanetEventInstant(1, 0, k);
    ASSERT_TRUE(jde.has_value()) << "input k " << k;
    EXPECT_TRUE(std::isfinite(*jde)) << "input k " << k;
    const auto e = GreatestElongation(1, 1, k);
    ASSERT_TRUE(e.has_value()) << "input k " << k;
    EXPECT_TRUE(std::isfinite(e->jde) && std::isfinite(e->elongationDeg)) << "input k " << k;
  }
}

TEST(PlanetEventInstant, ConjunctionsAndOppositionsAlternateOncePerSynodicPeriod) {
  // Over about two centuries and more around J2000 the events of each kind advance by roughly one
  // synodic period, and between two of one kind lies exactly one of the other.
  for (std::size_t i = 0; i < std::size(kPlanets); ++i) {
    const int planet = kPlanets[i];
    const double period = kSynodic[i];
    std::vector<std::pair<double, int>> all;
    for (int event = 0; event <= 1; ++event) {
      double previous = 0.0;
      for (int k = -200; k <= 200; ++k) {
        const double jde = *PlanetEventInstant(planet, event, k);
        if (k > -200) {
          EXPECT_GT(jde - previous, 0.8 * period) << "input planet " << planet << " event " << event << " k " << k;
          EXPECT_LT(jde - previous, 1.2 * period) << "input planet " << planet << " event " << event << " k " << k;
        }
        previous = jde;
        all.emplace_back(jde, event);
      }
    }
    std::sort(all.begin(), all.end());
    for (std::size_t j = 1; j < all.size(); ++j) {
      EXPECT_NE(all[j].second, all[j - 1].second) << "input planet " << planet << " at JDE " << all[j].first;
    }
  }
}

TEST(GreatestElongation, FallsBetweenTheConjunctionsWithPlausibleAngles) {
  // East elongation before the inferior conjunction of its cycle, west elongation after it and
  // before the next east one; angles within the known range (Mercury 17.9..27.8 deg, Venus
  // 45..47.5 deg) with a small margin.
  struct Range {
    int planet;
    double low, high;
  };
  for (const Range r : {Range{1, 17.5, 28.3}, Range{2, 44.8, 47.8}}) {
    for (int k = -300; k <= 300; ++k) {
      const double conjunction = *PlanetEventInstant(r.planet, 0, k);
      const auto east = *GreatestElongation(r.planet, 0, k);
      const auto west = *GreatestElongation(r.planet, 1, k);
      const auto nextEast = *GreatestElongation(r.planet, 0, k + 1);
      EXPECT_LT(east.jde, conjunction) << "input planet " << r.planet << " k " << k;
      EXPECT_LT(conjunction, west.jde) << "input planet " << r.planet << " k " << k;
      EXPECT_LT(west.jde, nextEast.jde) << "input planet " << r.planet << " k " << k;
      for (const double angle : {east.elongationDeg, west.elongationDeg}) {
        EXPECT_GT(angle, r.low) << "input planet " << r.planet << " k " << k;
        EXPECT_LT(angle, r.high) << "input planet " << r.planet << " k " << k;
      }
    }
  }
}

}  // namespace
}  // namespace zenitra::yearcal
