// Summer time by each place's own rules, from the system's time-zone database. Expected values
// are the laws behind the database, for years in which those laws did not change:
//   Germany: Sommerzeitverordnung 1980-1995 (first Sunday of April 1980, last Sunday of March from
//     1981; last Sunday of September until 1995), EU directive 2000/84/EC (last Sundays of March and
//     October, 1:00 UT);
//   United States: Energy Policy Act of 2005, from 2007 (second Sunday of March to first Sunday of
//     November, 2:00 local time);
//   New South Wales: first Sunday of October to first Sunday of April (since 2008);
//   Lord Howe Island: half an hour, October to April; Ireland: winter time one hour behind summer;
//   Japan: none since 1952; Queensland: none since 1993; Morocco: see below.
#include "ui/time_zone.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QDateTime>
#include <QTimeZone>
#include <string>

#include "core/time_scales.h"
#include "ui/catalogue.h"

namespace zenitra {
namespace {

const Location kNewYork{"New York, USA", 40.749979, -73.980017, -5.0, "America/New_York"};
const Location kSydney{"Sydney, AUS", -33.920011, 151.185180, 10.0, "Australia/Sydney"};
const Location kTokyo{"Tokio, J", 35.685017, 139.751407, 9.0, "Asia/Tokyo"};
const Location kBrisbane{"Brisbane, AUS", -27.455031, 153.035093, 10.0, "Australia/Brisbane"};
const Location kLordHowe{"Lord Howe Island, AUS", -31.55, 159.08, 10.5, "Australia/Lord_Howe"};
const Location kDublin{"Dublin, IRL", 53.333061, -6.248906, 0.0, "Europe/Dublin"};
const Location kBerlin{"Berlin, D", 52.521819, 13.401549, 1.0, "Europe/Berlin"};

QDate LastSunday(int year, int month) {
  QDate d(year, month, QDate(year, month, 1).daysInMonth());
  while (d.dayOfWeek() != Qt::Sunday) d = d.addDays(-1);
  return d;
}

QDate NthSunday(int year, int month, int n) {
  QDate d(year, month, 1);
  while (d.dayOfWeek() != Qt::Sunday) d = d.addDays(1);
  return d.addDays(7 * (n - 1));
}

double Noon(const Location& place, const QDate& d) {
  return SummerHours(place, d.year(), d.month(), d.day(), 12, 0, 0);
}

JulianDay Ut(int year, int month, int day, int hour) { return JulianDayOfDate(year, month, day) + hour / 24.0; }

TEST(TimeZoneDatabase, IsInstalledAndAMissingOneGivesTheGermanMessage) {
  EXPECT_TRUE(TimeZoneDatabaseAvailable()) << "tzdata is a dependency (scripts/install-deps.sh)";
  EXPECT_FALSE(TimeZoneDatabaseMessage().has_value());
  const std::optional<QString> missing = TimeZoneDatabaseMessage(QByteArrayLiteral("Nowhere/Atlantis"));
  ASSERT_TRUE(missing.has_value());
  EXPECT_TRUE(missing->startsWith(
      QStringLiteral("Die Zeitzonen-Datenbank (tzdata) fehlt; Sommerzeit kann nicht berechnet werden.")))
      << missing->toStdString();
}

// The rule the Sun window applied everywhere (IsSummerTime, the whole changeover Sunday counted in
// March, not in October) against the database for Chemnitz from the place list, at noon of every
// day of 1980-2030. They differ only where German law differed from that rule.
TEST(SummerHours, ChemnitzKeepsTheEuropeanRule1980To2030WhereGermanLawFollowedIt) {
  const Catalogue catalogue = LoadCatalogue();
  const std::optional<Location> chemnitz = ParsePlaceRecord(catalogue.Places[571]);
  ASSERT_TRUE(chemnitz.has_value());
  ASSERT_EQ(chemnitz->TimeZoneId, "Europe/Berlin");
  int days = 0;
  int lawDiffers = 0;
  std::string firstMismatch;
  for (QDate d(1980, 1, 1); d <= QDate(2030, 12, 31); d = d.addDays(1), ++days) {
    bool expected = IsSummerTime(d.day(), d.month(), d.year());
    const bool startedInApril1980 = d.year() == 1980 && d >= QDate(1980, 3, 30) && d < QDate(1980, 4, 6);
    const bool endedInSeptember = d.year() <= 1995 && d >= LastSunday(d.year(), 9) && d < LastSunday(d.year(), 10);
    if (startedInApril1980 || endedInSeptember) {
      expected = false;
      ++lawDiffers;
    }
    const double got = Noon(*chemnitz, d);
    if (got != (expected ? 1.0 : 0.0) && firstMismatch.empty()) {
      firstMismatch = d.toString(Qt::ISODate).toStdString() + " 12:00: expected " + (expected ? "1" : "0") +
                      " h, got " + std::to_string(got) + " h";
    }
  }
  EXPECT_EQ(days, 18628);
  EXPECT_TRUE(firstMismatch.empty()) << firstMismatch;
  // 7 days of 1980 and 4 or 5 weeks in each autumn 1980-1995.
  EXPECT_GT(lawDiffers, 7 + 16 * 28 - 1);
  EXPECT_LT(lawDiffers, 7 + 16 * 35 + 1);
}

TEST(SummerHours, ChangeHoursOfTheClockInBerlin2024) {
  struct Row {
    int month, day, hour, minute;
    double summer;
  };
  // 31 March: 2:00 CET becomes 3:00 CEST (2:30 never shows and counts as summer time);
  // 27 October: 3:00 CEST becomes 2:00 CET (2:30 shows twice, read as the first, summer time).
  for (const Row& r : {Row{3, 31, 1, 59, 0.0}, Row{3, 31, 2, 30, 1.0}, Row{3, 31, 3, 0, 1.0},
                       Row{10, 27, 1, 59, 1.0}, Row{10, 27, 2, 30, 1.0}, Row{10, 27, 3, 0, 0.0}}) {
    EXPECT_EQ(SummerHours(kBerlin, 2024, r.month, r.day, r.hour, r.minute, 0), r.summer)
        << "2024-" << r.month << "-" << r.day << " " << r.hour << ":" << r.minute;
  }
}

TEST(SummerHours, EachPlaceByItsOwnRules) {
  struct Row {
    const Location* place;
    int year;
    double january;
    double july;
  };
  for (const Row& r : {Row{&kSydney, 2024, 1.0, 0.0}, Row{&kLordHowe, 2024, 0.5, 0.0},
                       Row{&kNewYork, 2024, 0.0, 1.0}, Row{&kDublin, 2024, 0.0, 1.0},
                       Row{&kTokyo, 2024, 0.0, 0.0}, Row{&kBrisbane, 2024, 0.0, 0.0}}) {
    EXPECT_EQ(Noon(*r.place, QDate(r.year, 1, 15)), r.january) << r.place->Name << " January " << r.year;
    EXPECT_EQ(Noon(*r.place, QDate(r.year, 7, 15)), r.july) << r.place->Name << " July " << r.year;
    EXPECT_EQ(SummerHoursAt(*r.place, Ut(r.year, 7, 15, 0)), r.july) << r.place->Name << " July, by instant";
  }
}

// Morocco keeps UT + 1 and puts its clocks back to UT during Ramadan (2024: 10 March to 14 April,
// Moroccan government decree); the place list's zone is the UT + 1 of the rest of the year.
TEST(SummerHours, MoroccoGoesBelowItsStandardTimeInRamadan) {
  const Location casablanca{"Casablanca, MA", 33.599976, -7.616367, 1.0, "Africa/Casablanca"};
  EXPECT_EQ(Noon(casablanca, QDate(2024, 3, 20)), -1.0);
  EXPECT_EQ(Noon(casablanca, QDate(2024, 1, 15)), 0.0);
  EXPECT_EQ(Noon(casablanca, QDate(2024, 7, 15)), 0.0);
  EXPECT_TRUE(SummerTimeChanges(casablanca, 2024).empty()) << "no summer time begins or ends";
}

TEST(SummerHours, NoneWithoutAZoneNameOrBefore1900) {
  Location unnamed = kBerlin;
  unnamed.TimeZoneId.clear();
  EXPECT_EQ(Noon(unnamed, QDate(2024, 7, 15)), 0.0);
  EXPECT_TRUE(SummerTimeChanges(unnamed, 2024).empty());
  Location unknown = kBerlin;
  unknown.TimeZoneId = "Nowhere/Atlantis";
  EXPECT_EQ(Noon(unknown, QDate(2024, 7, 15)), 0.0);
  EXPECT_EQ(Noon(kBerlin, QDate(1899, 7, 15)), 0.0);
  EXPECT_TRUE(SummerTimeChanges(kBerlin, 1899).empty());
}

TEST(SummerTimeChanges, NewYork2024OnTheSecondSundayOfMarchAndTheFirstOfNovember) {
  const std::vector<yearcal::SummerTimeChange> changes = SummerTimeChanges(kNewYork, 2024);
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_EQ(changes[0], (yearcal::SummerTimeChange{Ut(2024, 3, 10, 7), 2024, 3, 10, true}));
  EXPECT_EQ(changes[1], (yearcal::SummerTimeChange{Ut(2024, 11, 3, 6), 2024, 11, 3, false}));
  for (int year = 2007; year <= 2030; ++year) {
    const auto c = SummerTimeChanges(kNewYork, year);
    ASSERT_EQ(c.size(), 2u) << year;
    EXPECT_EQ(QDate(c[0].year, c[0].month, c[0].day), NthSunday(year, 3, 2)) << year;
    EXPECT_EQ(QDate(c[1].year, c[1].month, c[1].day), NthSunday(year, 11, 1)) << year;
  }
}

TEST(SummerTimeChanges, SouthernSummerEndsInAprilAndBeginsInOctober) {
  const auto changes = SummerTimeChanges(kSydney, 2024);
  ASSERT_EQ(changes.size(), 2u);
  // 7 April 3:00 AEDT = 6 April 16:00 UT; 6 October 2:00 AEST = 5 October 16:00 UT.
  EXPECT_EQ(changes[0], (yearcal::SummerTimeChange{Ut(2024, 4, 6, 16), 2024, 4, 7, false}));
  EXPECT_EQ(changes[1], (yearcal::SummerTimeChange{Ut(2024, 10, 5, 16), 2024, 10, 6, true}));
}

TEST(SummerTimeChanges, NoneWhereNoSummerTimeIsKept) {
  for (int year = 1952; year <= 2030; ++year) EXPECT_TRUE(SummerTimeChanges(kTokyo, year).empty()) << year;
  for (int year = 1993; year <= 2030; ++year) EXPECT_TRUE(SummerTimeChanges(kBrisbane, year).empty()) << year;
}

TEST(PlaceClock, ShowsThePlacesClockAtAUtcInstant) {
  const QDateTime instant(QDate(2024, 7, 1), QTime(20, 30, 15), Qt::UTC);
  const PlaceClock tokyo = PlaceClockAt(kTokyo, instant);
  EXPECT_EQ(tokyo.Clock, (LocalMoment{2024, 7, 2, 5, 30, 15, 9.0, 0.0}));
  EXPECT_EQ(tokyo.SummerHours, 0.0);
  // The same instant given in another zone is the same instant.
  const PlaceClock fromBerlin = PlaceClockAt(kTokyo, instant.toTimeZone(QTimeZone("Europe/Berlin")));
  EXPECT_EQ(fromBerlin.Clock, tokyo.Clock);
  const PlaceClock newYork = PlaceClockAt(kNewYork, instant);
  EXPECT_EQ(newYork.Clock, (LocalMoment{2024, 7, 1, 16, 30, 15, -5.0, 1.0}));
  EXPECT_EQ(newYork.SummerHours, 1.0);
  const PlaceClock newYorkStandard = PlaceClockAt(kNewYork, instant, false);
  EXPECT_EQ(newYorkStandard.Clock, (LocalMoment{2024, 7, 1, 15, 30, 15, -5.0, 0.0}));
  EXPECT_EQ(newYorkStandard.SummerHours, 0.0);
  const PlaceClock lordHowe = PlaceClockAt(kLordHowe, QDateTime(QDate(2024, 1, 14), QTime(23, 0), Qt::UTC));
  EXPECT_EQ(lordHowe.Clock, (LocalMoment{2024, 1, 15, 10, 0, 0, 10.5, 0.5}));
}

}  // namespace
}  // namespace zenitra
