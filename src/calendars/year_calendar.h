#pragma once
// The events of the astronomical year calendar: every phenomenon of one year for one place, in
// time order, with its German text, and the conversion of each instant to the place's zone time.
//
// Years are historical (no year 0), as typed by the user. Instants of computed phenomena are in
// Terrestrial Time; one Delta T for the whole year turns them into universal time.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendars/calendar_arithmetic.h"

namespace zenitra::yearcal {

/// Longest text an entry keeps (characters, not bytes).
inline constexpr std::size_t kCalendarTextLength = 55;

/// One event of the year.
struct CalendarEntry {
  JulianDay instant = 0.0;  ///< JDE (Terrestrial Time)
  std::string text;         ///< UTF-8, at most kCalendarTextLength characters
  /// -1 = date only (summer time); 4 seasons, perihelion, aphelion, perigees and apogees; 2 eclipses
  /// and Moon phases; 0 planetary phenomena. Only the sign is read.
  int timeShown = 0;
  /// Date-only entries: Julian Day of 0h of the date they name (the place's date of a clock change).
  JulianDay shownDate = 0.0;
};

/// A change of the place's clock between standard and summer time, found by the user interface in
/// the time-zone database.
struct SummerTimeChange {
  JulianDay instantUt = 0.0;  ///< the instant of the change, universal time
  int year = 0;               ///< the place's calendar date when its clock changes
  int month = 0;
  int day = 0;
  bool begins = true;         ///< "Beginn Sommerzeit", else "Ende Sommerzeit"
  friend bool operator==(const SummerTimeChange&, const SummerTimeChange&) = default;
};

/// The collected events of one year, already sorted by instant.
struct YearCalendar {
  int year = 0;
  JulianDay start = 0.0;  ///< local midnight of 1 January, UT
  JulianDay end = 0.0;    ///< local midnight of 1 January of the next year, UT
  double deltaTDays = 0.0;
  std::vector<CalendarEntry> entries;
};

/// Years the calendar accepts: historical years from 4712 BC to 9999, without year 0.
[[nodiscard]] bool IsCalendarYear(int year);

/// Whether an instant lies strictly inside the calendar's range: an event exactly at the start or
/// the end is not listed.
[[nodiscard]] bool IsWithinYear(const YearCalendar& calendar, JulianDay jd);

/// Whether a computed instant (TT) belongs to the calendar's year: its universal time, through the
/// Delta T of that instant, lies within the range. Each event belongs to exactly one year.
[[nodiscard]] bool IsEventOfYear(const YearCalendar& calendar, JulianDay jde);

/// `text` cut to at most kCalendarTextLength UTF-8 characters.
[[nodiscard]] std::string CutCalendarText(std::string_view text);

/// A number in the fixed "%.<decimals>f" format with `decimalSeparator` for the point.
[[nodiscard]] std::string FixedNumberText(double value, int decimals, std::string_view decimalSeparator);

/// Sorts by instant, ascending, exchanging entry i with a later entry j whenever j's instant is
/// smaller (equal instants stay where they are).
void SortCalendarEntries(std::vector<CalendarEntry>& entries);

/// Every event of `year` for a place in zone `zoneHours` (local standard time minus UT), sorted.
/// `decimalSeparator` formats the magnitudes and elongation angles. The place's summer-time
/// changes of the year are given (none: no summer-time lines) and listed with their dates. Nothing
/// for a year outside IsCalendarYear or a zone that is not finite or beyond ±24 h.
[[nodiscard]] std::optional<YearCalendar> BuildYearCalendar(int year, double zoneHours,
                                                            std::string_view decimalSeparator = ",",
                                                            const std::vector<SummerTimeChange>& summerTimeChanges = {});

/// An entry converted to the place's zone time, ready to be written as one line.
struct CalendarLine {
  std::string weekdayAndDate;        ///< e.g. "Di 20.3.12"
  std::optional<double> dayFraction;  ///< local time of day as a fraction of a day; none = date only
  std::string text;
};
/// The line of an entry: local = instant - Delta T + zone. A date-only entry shows its shownDate
/// (the place's date of a summer-time change) in every zone. Nothing when the instant is too far
/// from the Julian Day count to be a date.
[[nodiscard]] std::optional<CalendarLine> CalendarLineOf(const CalendarEntry& entry, double deltaTDays,
                                                         double zoneHours);

/// "Mo", "Di", ... "So" for 1 Monday .. 7 Sunday; empty for anything else.
[[nodiscard]] std::string WeekdayAbbreviation(int weekday);

}  // namespace zenitra::yearcal
