// Agreement of what the user reads with an independent ephemeris, over places in every zone from
// -10 to +12, both hemispheres, and the years 1600, 1900, 2024 and 2100.
//
// Reference: tests/reference/*.csv, written by tools/accuracy/reference.js with astronomy-engine
// 2.1.19 (npm). Tolerances are physical: the Sun's events within 2 min, the Moon's illuminated
// fraction within 1 percentage point, equinoxes, solstices and Moon phases within 2 min of UT.
// Every failing row prints its input, the expected and the computed value; each test ends by
// printing the largest error it saw.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "calendars/year_calendar.h"
#include "core/delta_t.h"
#include "core/lunar_phases.h"
#include "core/moon_position.h"
#include "core/sun_position.h"
#include "core/time_scales.h"
#include "support/reference_table.h"

namespace zenitra {
namespace {

using testing::ReadReferenceTable;
using testing::ReferenceRow;
using testing::ReferenceTable;

constexpr double kMinutesPerDay = 1440.0;

ReferenceTable Reference(const std::string& name) {
  return ReadReferenceTable(std::string(ZENITRA_SOURCE_DIR) + "/tests/reference", name);
}

std::string PlaceOf(const ReferenceRow& row) {
  return row.Text("place") + " (" + row.Text("latitude") + ", " + row.Text("longitude") + ", zone " +
         row.Text("zone") + ")";
}

// The UT day (as a DateTimeValue, 0h UT) in which a Julian Day falls.
DateTimeValue UtDayOf(JulianDay jd) { return DateTimeValue(std::round(JulianDayToDateTime(std::floor(jd - 0.5) + 0.5).Days)); }

// Largest absolute error of a test and where it occurred.
struct LargestError {
  double Value = 0.0;
  std::string Where;
  void Note(double error, const std::string& where) {
    if (std::fabs(error) >= std::fabs(Value)) {
      Value = error;
      Where = where;
    }
  }
  void Print(const char* what, const char* unit) const {
    std::printf("largest %s error: %+.3f %s at %s\n", what, Value, unit, Where.c_str());
  }
};

TEST(ReferenceAgreement, SunRiseSetAndCulminationWithinTwoMinutes) {
  const ReferenceTable table = Reference("sun_events.csv");
  ASSERT_FALSE(table.Rows.empty());
  LargestError largest;
  for (const auto& fields : table.Rows) {
    const ReferenceRow row{table, fields};
    const std::string kind = row.Text("event");
    const double west = -row.Number("longitude");
    const double lat = row.Number("latitude");
    const auto compute = [&](DateTimeValue day) {
      return kind == "rise" ? SunRise(west, lat, day) : kind == "set" ? SunSet(west, lat, day) : SunTransit(west, lat, day);
    };
    const std::string input = "Sun " + kind + ", " + PlaceOf(row) + ", local date " + row.Text("local_date");
    if (row.Empty("ut_jd")) {
      // No such event that local date (midnight sun or polar night): none on the UT day of local noon.
      const JulianDay noon = ZoneMidnightJulianDay(std::stoi(row.Text("local_date").substr(0, 4)),
                                                   std::stoi(row.Text("local_date").substr(5, 2)),
                                                   std::stoi(row.Text("local_date").substr(8, 2)), row.Number("zone")) +
                             0.5;
      EXPECT_EQ(compute(UtDayOf(noon)).Days, NoEvent) << input << ": expected no event";
      continue;
    }
    const JulianDay expected = row.Number("ut_jd");
    const DateTimeValue got = compute(UtDayOf(expected));
    if (got.Days == NoEvent) {
      ADD_FAILURE() << input << ": expected " << row.Text("ut") << " UT, got no event";
      continue;
    }
    const double minutes = (DateTimeToJulianDay(got) - expected) * kMinutesPerDay;
    largest.Note(minutes, input);
    EXPECT_LE(std::fabs(minutes), 2.0) << input << ": expected " << row.Text("ut") << " UT (JD " << row.Text("ut_jd")
                                       << "), got JD " << std::to_string(DateTimeToJulianDay(got)) << ", error "
                                       << minutes << " min";
  }
  largest.Print("Sun event", "min");
}

TEST(ReferenceAgreement, MoonIlluminatedFractionWithinOnePoint) {
  const ReferenceTable table = Reference("moon_illumination.csv");
  ASSERT_FALSE(table.Rows.empty());
  LargestError largest;
  for (const auto& fields : table.Rows) {
    const ReferenceRow row{table, fields};
    const JulianDay jd = row.Number("ut_jd");
    const double expected = row.Number("illuminated_percent");
    const double got = MoonEphemeris(jd).IlluminatedFraction * 100.0;
    const std::string input = PlaceOf(row) + ", " + row.Text("local_time") + " local, UT JD " + row.Text("ut_jd");
    largest.Note(got - expected, input);
    EXPECT_NEAR(got, expected, 1.0) << input << ": expected " << expected << " %, got " << got << " %";
  }
  largest.Print("illuminated fraction", "percentage points");
}

// The year calendar's text of each reference kind.
const std::map<std::string, std::string> kCalendarTexts = {
    {"march_equinox", "Frühlingsanfang"}, {"june_solstice", "Sommeranfang"},
    {"september_equinox", "Herbstanfang"}, {"december_solstice", "Winteranfang"},
    {"new_moon", "Neumond"},              {"first_quarter", "Zunehmender Halbmond"},
    {"full_moon", "Vollmond"},            {"last_quarter", "Abnehmender Halbmond"},
};

TEST(ReferenceAgreement, CalendarSeasonsAndPhasesWithinTwoMinutesOfUt) {
  const ReferenceTable table = Reference("phases_seasons.csv");
  ASSERT_FALSE(table.Rows.empty());
  std::map<std::pair<int, double>, std::optional<yearcal::YearCalendar>> calendars;
  LargestError largest;
  for (const auto& fields : table.Rows) {
    const ReferenceRow row{table, fields};
    const int year = std::stoi(row.Text("year"));
    const double zone = row.Number("zone");
    auto& calendar = calendars[{year, zone}];
    if (!calendar) calendar = yearcal::BuildYearCalendar(year, zone);
    ASSERT_TRUE(calendar.has_value()) << year;
    const std::string text = kCalendarTexts.at(row.Text("kind"));
    const JulianDay expected = row.Number("ut_jd");
    const std::string input = text + " " + std::to_string(year) + ", calendar of " + PlaceOf(row);
    // The listed event of that kind nearest the reference instant, in UT as the calendar shows it.
    std::optional<double> got;
    for (const yearcal::CalendarEntry& e : calendar->entries) {
      const double ut = e.instant - calendar->deltaTDays;
      if (e.text == text && (!got || std::fabs(ut - expected) < std::fabs(*got - expected))) got = ut;
    }
    if (!got || std::fabs(*got - expected) > 1.0) {
      ADD_FAILURE() << input << ": expected " << row.Text("ut") << " UT, not listed in the year";
      continue;
    }
    const double minutes = (*got - expected) * kMinutesPerDay;
    largest.Note(minutes, input);
    EXPECT_LE(std::fabs(minutes), 2.0) << input << ": expected " << row.Text("ut") << " UT (JD " << row.Text("ut_jd")
                                       << "), got JD " << std::to_string(*got) << ", error " << minutes << " min";
  }
  largest.Print("season or phase", "min");
}

TEST(ReferenceAgreement, CoreNewMoonWithinTwoMinutesOfUt) {
  const ReferenceTable table = Reference("phases_seasons.csv");
  LargestError largest;
  int checked = 0;
  for (const auto& fields : table.Rows) {
    const ReferenceRow row{table, fields};
    if (row.Text("kind") != "new_moon") continue;
    ++checked;
    const JulianDay expected = row.Number("ut_jd");
    // The core gives dynamical time; the user reads UT.
    const JulianDay tt = DateTimeToJulianDay(NewMoonNear(JulianDayToDateTime(expected)));
    const JulianDay got = tt - DeltaTSeconds(tt) / 86400.0;
    const double minutes = (got - expected) * kMinutesPerDay;
    const std::string input = "new moon near " + row.Text("ut") + " UT";
    largest.Note(minutes, input);
    EXPECT_LE(std::fabs(minutes), 2.0) << input << ": expected JD " << row.Text("ut_jd") << ", got JD "
                                       << std::to_string(got) << ", error " << minutes << " min";
  }
  EXPECT_GT(checked, 40);
  largest.Print("new moon", "min");
}

}  // namespace
}  // namespace zenitra
