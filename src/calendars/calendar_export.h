#pragma once
// The year calendar written for other programs: iCalendar (RFC 5545) for calendar programs and
// CSV (RFC 4180) for spreadsheets. Both are built from the entries of BuildYearCalendar, so the
// times are exactly those of the list: universal time = instant - the calendar's Delta T, zone
// time = universal time + zone.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendars/year_calendar.h"

namespace zenitra::yearcal {

/// One entry of the calendar as the export writes it.
struct ExportRow {
  std::string date;       ///< the zone date as the list shows it, "YYYY-MM-DD" (historical year, Julian before 1582)
  std::string localTime;  ///< zone standard time "HH:MM:SS"; empty for a date-only entry
  std::string utc;        ///< "YYYY-MM-DDTHH:MM:SSZ", proleptic Gregorian as ISO 8601 counts
  std::string event;      ///< the German text as shown
  std::string value;      ///< magnitude or elongation in degrees, decimal point; empty where there is none
};

/// The rows of every entry that has a date, in the calendar's order.
[[nodiscard]] std::vector<ExportRow> ExportRows(const YearCalendar& calendar, double zoneHours);

/// The number an entry's text ends with (eclipse magnitude "Größe = 0,95", elongation ":18,2°"),
/// with a decimal point; empty when the text ends with none.
[[nodiscard]] std::string EntryValue(std::string_view text);

/// A field quoted as RFC 4180 asks: in double quotes when it holds a comma, a quote or a line
/// break, with each quote doubled.
[[nodiscard]] std::string CsvField(std::string_view field);

/// The CSV file: a header line "Datum,Zonenzeit,UTC,Ereignis,Wert", then one line per row, each
/// ended by CR LF.
[[nodiscard]] std::string CalendarCsv(const YearCalendar& calendar, double zoneHours);

/// What the iCalendar file names besides the events.
struct IcsHeader {
  std::string placeName;  ///< shown in the calendar's name
  CalendarTime stamp;     ///< DTSTAMP: the moment of the export, UTC (the caller reads the clock)
};

/// TEXT escaped for iCalendar: backslash, semicolon and comma get a backslash, a line break
/// becomes "\n".
[[nodiscard]] std::string EscapeIcsText(std::string_view text);

/// A content line folded after every 75 octets (never inside a UTF-8 character), each piece
/// ended by CR LF and each continuation begun with one space.
[[nodiscard]] std::string FoldIcsLine(std::string_view line);

/// A stable identifier of an entry: its UTC instant, a kind taken from its text (the words before
/// any number, in lower-case ASCII) and the calendar's year, e.g.
/// "20260320T144600Z-fruehlingsanfang-2026@zenitra".
[[nodiscard]] std::string EventUid(const YearCalendar& calendar, const CalendarEntry& entry);

/// The iCalendar file, or why there is none.
struct IcsExport {
  std::string text;   ///< the file; empty when `error` is set
  std::string error;  ///< German message; empty when the file was made
};

/// The iCalendar file: one VEVENT per entry with DTSTART in UTC. Or a German message when an
/// instant lies outside the years 1 .. 9999, which iCalendar cannot write.
[[nodiscard]] IcsExport CalendarIcs(const YearCalendar& calendar, const IcsHeader& header);

/// Proleptic Gregorian date and time (UTC, to the second) of a Julian Day, year counted
/// astronomically; nothing for a non-finite or huge jd.
[[nodiscard]] std::optional<CalendarTime> GregorianOf(JulianDay jd);

}  // namespace zenitra::yearcal
