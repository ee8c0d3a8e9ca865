// The year calendar's export: the .ics is read back with libical (the reader of common calendar
// programs), the CSV with an RFC 4180 reader, and both are compared with the calendar's list.
#include <gtest/gtest.h>
#include <libical/ical.h>

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "calendars/calendar_export.h"
#include "calendars/year_calendar.h"
#include "calendar_windows/year_calendar_window.h"
#include "core/shared_types.h"
#include "ui/time_zone.h"

namespace zenitra::yearcal {
namespace {

Location Chemnitz() { return {"Chemnitz, D", 50.833, 12.917, 1.0, "Europe/Berlin"}; }
Location NewYork() { return {"New York, USA", 40.749979, -73.980017, -5.0, "America/New_York"}; }

YearCalendar CalendarOf(const Location& place, int year) {
  const auto calendar = BuildYearCalendar(year, place.ZoneHours, ",", SummerTimeChanges(place, year));
  EXPECT_TRUE(calendar.has_value()) << place.Name << " " << year;
  return calendar.value_or(YearCalendar{});
}

// Seconds since 1970 of a UTC date and time (proleptic Gregorian), by the days-from-civil count.
long long UnixSeconds(int y, int m, int d, int hh, int mm, int ss) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const long long yoe = y - era * 400;
  const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  const long long days = era * 146097 + doe - 719468;
  return days * 86400 + hh * 3600 + mm * 60 + ss;
}

struct ParsedEvent {
  std::string uid;
  std::string summary;
  long long startUtc = 0;
  bool startIsUtc = false;
};

std::vector<ParsedEvent> ParseIcs(const std::string& text) {
  std::vector<ParsedEvent> events;
  icalcomponent* calendar = icalparser_parse_string(text.c_str());
  EXPECT_NE(calendar, nullptr) << "libical could not parse the file";
  if (!calendar) return events;
  EXPECT_EQ(icalcomponent_isa(calendar), ICAL_VCALENDAR_COMPONENT);
  for (icalcomponent* e = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); e;
       e = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
    const icaltimetype start = icalcomponent_get_dtstart(e);
    ParsedEvent p;
    p.uid = icalcomponent_get_uid(e) ? icalcomponent_get_uid(e) : "";
    p.summary = icalcomponent_get_summary(e) ? icalcomponent_get_summary(e) : "";
    p.startIsUtc = icaltime_is_utc(start) != 0;
    p.startUtc = UnixSeconds(start.year, start.month, start.day, start.hour, start.minute, start.second);
    events.push_back(p);
  }
  icalcomponent_free(calendar);
  return events;
}

const IcsHeader kHeader{"Chemnitz, D", CalendarTime{2026, 12, 8, 14, 0, 0}};

// Every entry is one VEVENT with its own UID, the summary as the list shows it and its instant in
// UTC: the list's zone time minus the zone, for a place east (+1) and west (-5) of Greenwich.
TEST(CalendarExport, IcsHasOneUtcEventPerListLineInBothZones) {
  for (const Location& place : {Chemnitz(), NewYork()}) {
    const YearCalendar calendar = CalendarOf(place, 2026);
    const IcsExport ics = CalendarIcs(calendar, {place.Name, kHeader.stamp});
    ASSERT_TRUE(ics.error.empty()) << ics.error;
    const std::vector<ParsedEvent> events = ParseIcs(ics.text);
    const QStringList lines = YearCalendarLines(calendar, place.ZoneHours, QLocale(QLocale::German));
    const std::vector<ExportRow> rows = ExportRows(calendar, place.ZoneHours);
    ASSERT_EQ(events.size(), calendar.entries.size()) << place.Name;
    ASSERT_EQ(static_cast<qsizetype>(events.size()), lines.size()) << place.Name;
    ASSERT_EQ(events.size(), rows.size()) << place.Name;
    std::vector<std::string> uids;
    for (std::size_t i = 0; i < events.size(); ++i) {
      const ParsedEvent& e = events[i];
      EXPECT_TRUE(e.startIsUtc) << place.Name << " " << e.summary;
      EXPECT_EQ(e.summary, calendar.entries[i].text) << place.Name;
      EXPECT_TRUE(lines[static_cast<qsizetype>(i)].endsWith(QString::fromStdString(e.summary)))
          << lines[static_cast<qsizetype>(i)].toStdString();
      uids.push_back(e.uid);
      const ExportRow& row = rows[i];
      if (row.localTime.empty()) continue;  // a summer-time line names its date only
      // The list's zone date and time, minus the zone, is the event's UTC instant.
      int y = 0, mo = 0, d = 0, hh = 0, mm = 0, ss = 0;
      ASSERT_EQ(std::sscanf(row.date.c_str(), "%d-%d-%d", &y, &mo, &d), 3);
      ASSERT_EQ(std::sscanf(row.localTime.c_str(), "%d:%d:%d", &hh, &mm, &ss), 3);
      const long long fromList =
          UnixSeconds(y, mo, d, hh, mm, ss) - static_cast<long long>(std::lround(place.ZoneHours * 3600.0));
      EXPECT_LE(std::llabs(e.startUtc - fromList), 1)
          << place.Name << " " << e.summary << " list " << row.date << " " << row.localTime;
    }
    std::sort(uids.begin(), uids.end());
    EXPECT_EQ(std::adjacent_find(uids.begin(), uids.end()), uids.end()) << "UIDs repeat for " << place.Name;
  }
}

// The seasons of 2026 against the U.S. Naval Observatory's table "Earth's Seasons and Apsides"
// (equinoxes and solstices to the minute, UT): 20 Mar 14:46, 21 Jun 08:24, 23 Sep 00:05,
// 21 Dec 20:50. The zone changes the shown date of the September equinox in New York.
TEST(CalendarExport, SeasonsOf2026AreAtTheUsnoInstantsInUtc) {
  struct Season {
    const char* text;
    long long utc;
  };
  const Season seasons[] = {{"Frühlingsanfang", UnixSeconds(2026, 3, 20, 14, 46, 0)},
                            {"Sommeranfang", UnixSeconds(2026, 6, 21, 8, 24, 0)},
                            {"Herbstanfang", UnixSeconds(2026, 9, 23, 0, 5, 0)},
                            {"Winteranfang", UnixSeconds(2026, 12, 21, 20, 50, 0)}};
  for (const Location& place : {Chemnitz(), NewYork()}) {
    const YearCalendar calendar = CalendarOf(place, 2026);
    const std::vector<ParsedEvent> events = ParseIcs(CalendarIcs(calendar, kHeader).text);
    for (const Season& s : seasons) {
      const auto found = std::find_if(events.begin(), events.end(), [&](const ParsedEvent& e) { return e.summary == s.text; });
      ASSERT_NE(found, events.end()) << place.Name << " " << s.text;
      EXPECT_LE(std::llabs(found->startUtc - s.utc), 60)  // the table's minute, plus rounding
          << place.Name << " " << s.text << " expected " << s.utc << " got " << found->startUtc;
    }
  }
  const std::vector<ExportRow> rows = ExportRows(CalendarOf(NewYork(), 2026), -5.0);
  const auto autumn = std::find_if(rows.begin(), rows.end(), [](const ExportRow& r) { return r.event == "Herbstanfang"; });
  ASSERT_NE(autumn, rows.end());
  EXPECT_EQ(autumn->date, "2026-09-22") << "19:05 New York standard time, 00:05 UT of the 23rd";
  EXPECT_EQ(autumn->utc.substr(0, 10), "2026-09-23");
}

// RFC 5545 3.1: no physical line longer than 75 octets, CR LF line ends, a continuation begins
// with a space, and no UTF-8 character is split.
TEST(CalendarExport, IcsLinesAreFoldedAt75OctetsWithoutSplittingCharacters) {
  const std::string summary(40, 'x');
  const std::string line = "SUMMARY:" + summary + "ÄÖÜäöüßÄÖÜäöüßÄÖÜäöüß;,\\";
  const std::string folded = FoldIcsLine(line);
  std::string unfolded;
  std::size_t start = 0;
  while (start < folded.size()) {
    const std::size_t end = folded.find("\r\n", start);
    ASSERT_NE(end, std::string::npos) << "a line without CR LF";
    const std::string physical = folded.substr(start, end - start);
    EXPECT_LE(physical.size(), 75u) << physical;
    ASSERT_FALSE(physical.empty());
    EXPECT_NE(static_cast<unsigned char>(physical[start == 0 ? 0 : 1]) & 0xC0, 0x80) << "split character";
    unfolded += start == 0 ? physical : physical.substr(1);
    if (start != 0) {
      EXPECT_EQ(physical[0], ' ');
    }
    start = end + 2;
  }
  EXPECT_EQ(unfolded, line);
  EXPECT_EQ(EscapeIcsText("a,b;c\\d"), "a\\,b\\;c\\\\d");
}

// An RFC 4180 reader: fields separated by commas, records by CR LF, quoted fields with doubled
// quotes.
std::vector<std::vector<std::string>> ReadCsv(const std::string& text) {
  std::vector<std::vector<std::string>> records(1);
  std::string field;
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        field += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      records.back().push_back(field);
      field.clear();
    } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      records.back().push_back(field);
      field.clear();
      records.emplace_back();
      ++i;
    } else {
      field += c;
    }
  }
  if (records.back().empty()) records.pop_back();
  return records;
}

// The CSV read back gives every row's fields unchanged, texts with commas included, and the
// values of the eclipses and elongations as numbers.
TEST(CalendarExport, CsvRoundTrips) {
  const YearCalendar calendar = CalendarOf(Chemnitz(), 2026);
  const std::vector<ExportRow> rows = ExportRows(calendar, 1.0);
  const auto records = ReadCsv(CalendarCsv(calendar, 1.0));
  ASSERT_EQ(records.size(), rows.size() + 1);
  EXPECT_EQ(records[0], (std::vector<std::string>{"Datum", "Zonenzeit", "UTC", "Ereignis", "Wert"}));
  int withComma = 0, withValue = 0;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const ExportRow& r = rows[i];
    EXPECT_EQ(records[i + 1], (std::vector<std::string>{r.date, r.localTime, r.utc, r.event, r.value})) << r.event;
    withComma += r.event.find(',') != std::string::npos;
    if (!r.value.empty()) {
      ++withValue;
      char* end = nullptr;
      (void)std::strtod(r.value.c_str(), &end);
      EXPECT_EQ(*end, '\0') << r.event << " value " << r.value;
    }
  }
  EXPECT_GT(withComma, 0) << "2026 has eclipses whose text holds a comma";
  EXPECT_GT(withValue, 0);
  EXPECT_EQ(EntryValue("Merkur in größter östlicher Elongation :18,2°"), "18.2");
  EXPECT_EQ(EntryValue("Partielle Mondfinsternis, Größe = 0,93"), "0.93");
  EXPECT_EQ(EntryValue("Vollmond"), "");
}

TEST(CalendarExport, IcsRefusesYearsItCannotWrite) {
  const auto calendar = BuildYearCalendar(-500, 1.0);
  ASSERT_TRUE(calendar.has_value());
  const IcsExport ics = CalendarIcs(*calendar, kHeader);
  EXPECT_TRUE(ics.text.empty());
  EXPECT_NE(ics.error.find("1 bis 9999"), std::string::npos) << ics.error;
}

}  // namespace
}  // namespace zenitra::yearcal
