// The astronomical year calendar's computation: the events of a year, their order and range, and
// their texts and instants.
#include "calendars/year_calendar.h"
#include "support/year_calendar_entries.h"
#include "calendars/year_phenomena.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/time_scales.h"

namespace zenitra {
namespace {
using yearcal::BuildYearCalendar;
using yearcal::CalendarEntry;
using yearcal::YearCalendar;

constexpr double kMinute = testing::kCalendarMinute;

YearCalendar Calendar(int year, double zone) { return testing::CalendarOfZone(year, zone); }
using testing::EntriesStartingWith;
using testing::UniversalTime;
using testing::Utc;

// ---- 2012 in zone +1 (the instants a Central European user reads) ----

struct Published {
  const char* text;
  double ut;  // JD (UT)
  double toleranceMinutes;
};

TEST(YearCalendar2012, MagnitudesUseTheGivenDecimalSeparator) {
  const auto comma = EntriesStartingWith(Calendar(2012, 1.0), "Partielle Mondfinsternis, Größe = ");
  ASSERT_EQ(comma.size(), 1u);
  EXPECT_EQ(comma[0].text, "Partielle Mondfinsternis, Größe = 0,37");
  const auto point = BuildYearCalendar(2012, 1.0, ".");
  ASSERT_TRUE(point);
  EXPECT_EQ(EntriesStartingWith(*point, "Partielle Mondfinsternis").at(0).text,
            "Partielle Mondfinsternis, Größe = 0.37");
}

TEST(YearCalendar2024, SeasonsEclipsesAndMoonAgreeWithPublishedInstants) {
  const YearCalendar c = Calendar(2024, 1.0);
  // Seasons: U.S. Naval Observatory, "Earth's Seasons 2024" (UT, to the minute). Meeus ch. 27
  // without the periodic planetary terms is good to about two minutes.
  // Eclipses: F. Espenak, NASA eclipse pages, instants of greatest eclipse (TD minus Delta T).
  // Moon: USNO phases of the Moon 2024; apogee 1 January: Meeus ch. 50 tables as published by
  // timeanddate.com (406 158 km).
  const Published published[] = {
      {"Frühlingsanfang", Utc(2024, 3, 20, 3, 6), 3},
      {"Sommeranfang", Utc(2024, 6, 20, 20, 51), 3},
      {"Herbstanfang", Utc(2024, 9, 22, 12, 44), 3},
      {"Winteranfang", Utc(2024, 12, 21, 9, 21), 3},
      {"Totale Sonnenfinsternis", Utc(2024, 4, 8, 18, 17, 16), 2},
      {"Ringförmige Sonnenfinsternis", Utc(2024, 10, 2, 18, 45, 3), 2},
      {"Halbschattenfinsternis des Mondes", Utc(2024, 3, 25, 7, 12, 51), 3},
      {"Partielle Mondfinsternis", Utc(2024, 9, 18, 2, 44, 18), 3},
  };
  for (const Published& p : published) {
    const auto found = EntriesStartingWith(c, p.text);
    ASSERT_EQ(found.size(), 1u) << p.text;
    EXPECT_NEAR(UniversalTime(c, found[0]), p.ut, p.toleranceMinutes * kMinute)
        << p.text << ": expected JD " << p.ut << ", got " << UniversalTime(c, found[0]);
  }
  const auto newMoons = EntriesStartingWith(c, "Neumond");
  ASSERT_FALSE(newMoons.empty());
  EXPECT_NEAR(UniversalTime(c, newMoons.front()), Utc(2024, 1, 11, 11, 57), 2 * kMinute) << "first new moon";
  const auto apogees = EntriesStartingWith(c, "Mond im Apogäum");
  ASSERT_FALSE(apogees.empty());
  EXPECT_NEAR(UniversalTime(c, apogees.front()), Utc(2024, 1, 1, 15, 28), 15 * kMinute) << "first apogee";
  EXPECT_EQ(EntriesStartingWith(c, "Totale Sonnenfinsternis").size(), 1u);
}

TEST(YearCalendar2024, EarthApsidesWithinTheBarycentreSpread) {
  // USNO: perihelion 3 January 2024 00:39 UT, aphelion 5 July 2024 05:06 UT. The apsides computed
  // here are those of the Earth-Moon barycentre (Meeus ch. 38 without the lunar correction); the
  // Earth's own apsides differ from them by up to about a day and a half.
  const YearCalendar c = Calendar(2024, 1.0);
  const auto perihelion = EntriesStartingWith(c, "Erde im Perihel");
  const auto aphelion = EntriesStartingWith(c, "Erde im Aphel");
  ASSERT_EQ(perihelion.size(), 1u);
  ASSERT_EQ(aphelion.size(), 1u);
  EXPECT_NEAR(UniversalTime(c, perihelion[0]), Utc(2024, 1, 3, 0, 39), 1.5);
  EXPECT_NEAR(UniversalTime(c, aphelion[0]), Utc(2024, 7, 5, 5, 6), 1.5);
}

TEST(YearCalendarProperties, EntriesAreSortedInRangeAndComplete) {
  for (int year = 1700; year <= 2300; year += 23) {
    const YearCalendar c = Calendar(year, 1.0);
    EXPECT_TRUE(std::is_sorted(c.entries.begin(), c.entries.end(),
                               [](const CalendarEntry& a, const CalendarEntry& b) { return a.instant < b.instant; }))
        << year;
    std::vector<double> phases;
    for (const auto& e : c.entries) {
      EXPECT_LE(e.text.size(), 2 * yearcal::kCalendarTextLength);
      const bool ranged = e.timeShown == 2 || e.timeShown == 0;
      if (ranged) {
        EXPECT_TRUE(yearcal::IsEventOfYear(c, e.instant)) << year << " " << e.text;
      }
      if (e.text == "Neumond" || e.text == "Vollmond" || e.text.find("Halbmond") != std::string::npos) {
        phases.push_back(e.instant);
      }
    }
    // Consecutive principal phases lie 6 to 9 days apart; none missing at either end of the year.
    ASSERT_GE(phases.size(), 48u) << year;
    EXPECT_LT(phases.front() - c.start, 9.0) << year;
    EXPECT_LT(c.end - phases.back(), 9.0) << year;
    for (std::size_t i = 1; i < phases.size(); ++i) {
      EXPECT_GT(phases[i] - phases[i - 1], 5.5) << year;
      EXPECT_LT(phases[i] - phases[i - 1], 9.0) << year;
    }
    EXPECT_EQ(EntriesStartingWith(c, "Frühlingsanfang").size(), 1u) << year;
    const std::size_t perigees = EntriesStartingWith(c, "Mond im Perigäum").size();
    const std::size_t apogees = EntriesStartingWith(c, "Mond im Apogäum").size();
    EXPECT_TRUE(perigees == 13 || perigees == 14) << year << " perigees " << perigees;
    // Anomalistic months run from about 24.6 to 28.6 days: no perigee or apogee is missing.
    for (const char* apsis : {"Mond im Perigäum", "Mond im Apogäum"}) {
      const auto found = EntriesStartingWith(c, apsis);
      for (std::size_t i = 1; i < found.size(); ++i) {
        const double gap = found[i].instant - found[i - 1].instant;
        EXPECT_TRUE(gap > 24.0 && gap < 29.0) << year << " " << apsis << " gap " << gap;
      }
    }
    EXPECT_TRUE(apogees == 13 || apogees == 14) << year << " apogees " << apogees;
    const std::size_t eclipses = EntriesStartingWith(c, "Totale S").size() + EntriesStartingWith(c, "Ring").size() +
                                 EntriesStartingWith(c, "Nichtzentrale").size() +
                                 EntriesStartingWith(c, "Partielle Sonnen").size();
    EXPECT_GE(eclipses, 2u) << year;
    std::size_t planetary = 0;
    for (const auto& e : c.entries) planetary += e.timeShown == 0 ? 1 : 0;
    EXPECT_GE(planetary, 20u) << year;
    EXPECT_LE(planetary, 36u) << year;
    EXPECT_LE(eclipses, 5u) << year;
  }
}

// Property: the lists of consecutive years, put together, hold every event exactly once: no
// event in two years, none in neither. Checked at the seams of the years over five centuries, in
// zones -10, 0 and +12: the gaps between consecutive events of one kind stay within their
// natural bounds across the seam, and nothing appears twice.
TEST(YearCalendarProperties, ConsecutiveYearsHoldEveryEventOnce) {
  struct Kind {
    const char* head;
    double minGap, maxGap;  // days between consecutive events
    std::size_t atLeast = 2;  // in two years
  };
  const Kind kinds[] = {
      {"Neumond", 29.2, 29.9},          {"Vollmond", 29.2, 29.9},       {"Zunehmender Halbmond", 29.0, 30.1},
      {"Abnehmender Halbmond", 29.0, 30.1}, {"Mond im Perigäum", 24.0, 29.0}, {"Mond im Apogäum", 24.0, 29.0},
      {"Erde im Perihel", 362.5, 368.0, 1}, {"Erde im Aphel", 362.5, 368.0, 1},  {"Frühlingsanfang", 365.0, 365.5},
      {"Winteranfang", 365.0, 365.5},    {"Merkur in unterer", 100.0, 135.0},
  };
  for (const double zone : {-10.0, 0.0, 12.0}) {
    for (int year = 1600; year <= 2100; year += 37) {
      std::vector<CalendarEntry> both;
      for (const int y : {year, year + 1}) {
        const YearCalendar c = Calendar(y, zone);
        for (const auto& e : c.entries) {
          if (e.timeShown >= 0) both.push_back(e);
        }
      }
      for (std::size_t i = 0; i < both.size(); ++i) {
        for (std::size_t j = i + 1; j < both.size(); ++j) {
          EXPECT_FALSE(both[i].text == both[j].text && std::fabs(both[i].instant - both[j].instant) < 1.0)
              << year << " zone " << zone << ": twice " << both[i].text << " at JD " << both[i].instant;
        }
      }
      for (const Kind& k : kinds) {
        std::vector<double> t;
        for (const auto& e : both) {
          if (e.text.rfind(k.head, 0) == 0) t.push_back(e.instant);
        }
        std::sort(t.begin(), t.end());
        // A perihelion late on 31 December and the next, 365.26 days on, early on 1 January of the
        // year after next leave a year without one (1823 in zone 0).
        ASSERT_GE(t.size(), k.atLeast) << year << " zone " << zone << " " << k.head;
        for (std::size_t i = 1; i < t.size(); ++i) {
          const double gap = t[i] - t[i - 1];
          EXPECT_TRUE(gap > k.minGap && gap < k.maxGap)
              << year << "/" << year + 1 << " zone " << zone << " " << k.head << ": " << gap << " days from JD "
              << t[i - 1] << " to " << t[i];
        }
      }
    }
  }
}

// Property: every eclipse of an unbroken walk through two years is in the list of exactly one of
// them (checked at the seams of the years 1600 to 2100 in zones -10, 0 and +12).
TEST(YearCalendarProperties, EveryEclipseOfTwoYearsIsInOneList) {
  for (const double zone : {-10.0, 0.0, 12.0}) {
    for (int year = 1600; year <= 2100; year += 19) {
      const YearCalendar first = Calendar(year, zone);
      const YearCalendar second = Calendar(year + 1, zone);
      std::vector<double> listed;
      for (const YearCalendar* c : {&first, &second}) {
        for (const auto& e : c->entries) {
          if (e.text.find("finsternis") != std::string::npos) listed.push_back(e.instant);
        }
      }
      std::vector<double> walked;
      for (double jd = first.start - 60.0; jd < second.end;) {
        const auto solar = yearcal::NextSolarEclipse(jd);
        ASSERT_TRUE(solar);
        jd = solar->jde;
        walked.push_back(jd);
      }
      for (double jd = first.start - 60.0; jd < second.end;) {
        const auto lunar = yearcal::NextLunarEclipse(jd);
        ASSERT_TRUE(lunar);
        jd = lunar->jde;
        walked.push_back(jd);
      }
      for (const double jd : walked) {
        if (!yearcal::IsEventOfYear(first, jd) && !yearcal::IsEventOfYear(second, jd)) continue;
        EXPECT_EQ(std::count(listed.begin(), listed.end(), jd), 1)
            << year << "/" << year + 1 << " zone " << zone << ": eclipse at JDE " << jd;
      }
    }
  }
}

// The total lunar eclipse of 2048-01-01, greatest at 06:52 UT (F. Espenak, NASA five millennium
// catalogue of lunar eclipses), belongs to 2048 wherever 06:52 UT is already New Year's Day
// (zones from -6 on), and to 2047 further west.
TEST(YearCalendarProperties, TheLunarEclipseOfNewYear2048IsListedOnce) {
  const double eclipse = Utc(2048, 1, 1, 6, 52);
  for (const double zone : {-10.0, -7.0, -6.0, 0.0, 1.0, 12.0}) {
    int found = 0;
    int foundIn2048 = 0;
    for (const int year : {2047, 2048}) {
      const YearCalendar c = Calendar(year, zone);
      for (const auto& e : EntriesStartingWith(c, "Totale Mondfinsternis")) {
        if (std::fabs(UniversalTime(c, e) - eclipse) < 5 * kMinute) {
          ++found;
          foundIn2048 += year == 2048 ? 1 : 0;
        }
      }
    }
    EXPECT_EQ(found, 1) << "zone " << zone;
    EXPECT_EQ(foundIn2048, zone >= -6.0 ? 1 : 0) << "zone " << zone;
  }
}

TEST(YearCalendarProperties, EveryLineHasAWeekdayDateAndATimeUnlessDateOnly) {
  for (const int year : {-4712, -1, 1, 1582, 1583, 2000, 9999}) {
    const auto c = BuildYearCalendar(year, 1.0);
    ASSERT_TRUE(c) << year;
    for (const auto& e : c->entries) {
      const auto line = yearcal::CalendarLineOf(e, c->deltaTDays, 1.0);
      ASSERT_TRUE(line) << year << " " << e.text;
      EXPECT_GE(line->weekdayAndDate.size(), 8u) << year;
      EXPECT_EQ(line->dayFraction.has_value(), e.timeShown >= 0);
      if (line->dayFraction) {
        EXPECT_TRUE(*line->dayFraction >= 0.0 && *line->dayFraction < 1.0);
      }
    }
  }
}

TEST(YearCalendarProperties, RefusesYearsItCannotCount) {
  for (const int year : {0, -4713, 10000, 2147483647, -2147483647 - 1}) {
    EXPECT_FALSE(BuildYearCalendar(year, 1.0)) << year;
  }
  EXPECT_FALSE(BuildYearCalendar(2012, std::nan("")));
  // A zone of 1e300 h once overflowed the int lunation count (found by fuzzing).
  for (const double zone : {24.5, -1e300, 1e300}) EXPECT_FALSE(BuildYearCalendar(2012, zone)) << zone;
  EXPECT_FALSE(BuildYearCalendar(2012, INFINITY));
}

TEST(YearCalendarRange, BothEndsAreExcluded) {
  YearCalendar c;
  c.start = 100.0;
  c.end = 200.0;
  EXPECT_FALSE(yearcal::IsWithinYear(c, 100.0));
  EXPECT_FALSE(yearcal::IsWithinYear(c, 200.0));
  EXPECT_TRUE(yearcal::IsWithinYear(c, std::nextafter(100.0, 200.0)));
  EXPECT_TRUE(yearcal::IsWithinYear(c, std::nextafter(200.0, 100.0)));
  EXPECT_FALSE(yearcal::IsWithinYear(c, std::nan("")));
}

TEST(YearCalendarSort, ExchangesOnlyStrictlySmallerInstants) {
  std::vector<CalendarEntry> entries = {{2.0, "a", 0}, {1.0, "b", 0}, {1.0, "c", 0}, {0.5, "d", 0}};
  yearcal::SortCalendarEntries(entries);
  std::string order;
  for (const auto& e : entries) order += e.text;
  // Pass 1 moves b, then d to the front; pass 2 puts c before a; pass 3 b before a. Equal instants
  // are never exchanged with each other, but the exchanges around them may still reorder them.
  EXPECT_EQ(order, "dcba");
}

TEST(YearCalendarSort, DistinctInstantsComeOutAscendingAndNaNStaysWhereTheExchangesLeaveIt) {
  std::vector<CalendarEntry> entries;
  for (int i = 0; i < 120; ++i) entries.push_back({static_cast<double>((i * 37) % 120), std::to_string(i), 0});
  yearcal::SortCalendarEntries(entries);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    EXPECT_EQ(entries[i].instant, static_cast<double>(i)) << "position " << i;
    EXPECT_EQ(entries[i].text, std::to_string((i * 13) % 120)) << "position " << i;  // 13 * 37 = 1 mod 120
  }
  // Nothing is smaller or larger than NaN: the exchanges pass over it.
  std::vector<CalendarEntry> withNaN = {{std::nan(""), "n", 0}, {2.0, "a", 0}, {1.0, "b", 0}};
  yearcal::SortCalendarEntries(withNaN);
  EXPECT_EQ(withNaN[0].text + withNaN[1].text + withNaN[2].text, "nba");
}

TEST(YearCalendarTexts, CutToFiftyFiveCharactersNotBytes) {
  std::string s;
  for (int i = 0; i < 60; ++i) s += "ä";
  const std::string cut = yearcal::CutCalendarText(s);
  EXPECT_EQ(cut.size(), 55u * 2) << "55 two-byte characters";
  EXPECT_EQ(yearcal::CutCalendarText("Nichtzentrale ringförmige Sonnenfinsternis"),
            "Nichtzentrale ringförmige Sonnenfinsternis");
  EXPECT_EQ(yearcal::FixedNumberText(0.3749, 2, ","), "0,37");
  EXPECT_EQ(yearcal::FixedNumberText(46.04, 1, "."), "46.0");
  EXPECT_EQ(yearcal::WeekdayAbbreviation(1), "Mo");
  EXPECT_EQ(yearcal::WeekdayAbbreviation(7), "So");
  EXPECT_EQ(yearcal::WeekdayAbbreviation(0), "");
}

// ---- the window ----

}  // namespace
}  // namespace zenitra
