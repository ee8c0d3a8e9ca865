#pragma once
// Helpers of the year calendar tests (computation and window alike): a zone's calendar, its
// entries by text, and instants in UT.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calendars/year_calendar.h"

namespace zenitra::testing {

inline constexpr double kCalendarMinute = 1.0 / 1440.0;  // days

/// The calendar of `year` for zone `zone` without summer-time lines, "," as decimal separator.
inline yearcal::YearCalendar CalendarOfZone(int year, double zone) {
  auto calendar = yearcal::BuildYearCalendar(year, zone, ",");
  EXPECT_TRUE(calendar.has_value()) << "year " << year;
  return calendar.value_or(yearcal::YearCalendar{});
}

inline std::vector<yearcal::CalendarEntry> EntriesStartingWith(const yearcal::YearCalendar& c,
                                                               const std::string& head) {
  std::vector<yearcal::CalendarEntry> found;
  for (const auto& e : c.entries) {
    if (e.text.rfind(head, 0) == 0) found.push_back(e);
  }
  return found;
}

/// Universal time of a computed (TT) entry.
inline double UniversalTime(const yearcal::YearCalendar& c, const yearcal::CalendarEntry& e) {
  return e.instant - c.deltaTDays;
}

inline double Utc(int year, int month, int day, int hour, int minute, int second = 0) {
  return yearcal::CalendarToJulianDay(year, month, day, hour, minute, second, 0.0);
}

}  // namespace zenitra::testing
