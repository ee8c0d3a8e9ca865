#include "calendars/calendar_export.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace zenitra::yearcal {

namespace {

constexpr std::string_view kCrLf = "\r\n";
// RFC 5545, 3.1: lines SHOULD NOT be longer than 75 octets, excluding the line break.
constexpr std::size_t kIcsLineOctets = 75;

std::string TwoDigits(int n) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02d", n);
  return buffer;
}

std::string DateText(int year, int month, int day) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", year, month, day);
  return buffer;
}

// "YYYYMMDDTHHMMSSZ", the UTC form of RFC 5545, 3.3.5.
std::string IcsUtcText(const CalendarTime& t) {
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%04d%02d%02dT%02d%02d%02dZ", t.year, t.month, t.day, t.hour, t.minute,
                t.second);
  return buffer;
}

std::string IsoUtcText(const CalendarTime& t) {
  return DateText(t.year, t.month, t.day) + "T" + TwoDigits(t.hour) + ":" + TwoDigits(t.minute) + ":" +
         TwoDigits(t.second) + "Z";
}

// The time of day as the list shows it: to the nearest second, a time that rounds to 24:00:00
// stays 23:59:59 of its day.
std::string TimeOfDayText(double dayFraction) {
  double seconds = std::round(dayFraction * 86400.0);
  if (!(seconds >= 0.0)) seconds = 0.0;
  if (seconds > 86399.0) seconds = 86399.0;
  const int s = static_cast<int>(seconds);
  return TwoDigits(s / 3600) + ":" + TwoDigits(s / 60 % 60) + ":" + TwoDigits(s % 60);
}

JulianDay UniversalTime(const YearCalendar& calendar, const CalendarEntry& entry) {
  return entry.instant - calendar.deltaTDays;
}

// The words of a text before its number, as lower-case ASCII joined by '-': German umlauts and ß
// are spelt out, anything else that is not a letter or digit separates words.
std::string KindOf(std::string_view text) {
  const std::size_t cut = text.find_first_of("=:");
  text = text.substr(0, cut);
  static constexpr std::pair<std::string_view, std::string_view> kSpelt[] = {
      {"ä", "ae"}, {"ö", "oe"}, {"ü", "ue"}, {"Ä", "ae"}, {"Ö", "oe"}, {"Ü", "ue"}, {"ß", "ss"}};
  std::string kind;
  bool gap = false;
  for (std::size_t i = 0; i < text.size();) {
    std::string_view piece;
    std::size_t length = 1;
    for (const auto& [from, to] : kSpelt) {
      if (text.substr(i, from.size()) == from) {
        piece = to;
        length = from.size();
        break;
      }
    }
    const char c = text[i];
    const bool alnum = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    if (piece.empty() && alnum) piece = std::string_view(&text[i], 1);
    if (piece.empty()) {
      gap = true;
    } else {
      if (gap && !kind.empty()) kind += '-';
      gap = false;
      for (const char p : piece) kind += (p >= 'A' && p <= 'Z') ? static_cast<char>(p - 'A' + 'a') : p;
    }
    i += length;
  }
  return kind;
}

}  // namespace

std::optional<CalendarTime> GregorianOf(JulianDay jd) {
  if (!std::isfinite(jd) || std::fabs(jd) > 1e9) return std::nullopt;
  double dayNumber = std::floor(jd + 0.5);
  double seconds = std::round((jd + 0.5 - dayNumber) * 86400.0);
  if (seconds >= 86400.0) {
    dayNumber += 1.0;
    seconds -= 86400.0;
  }
  // Richards' algorithm (E. G. Richards, "Mapping Time", 1998, ch. 25) for the Gregorian calendar,
  // shifted by 400-year cycles so that its integer divisions see positive numbers only.
  constexpr long long kCycleDays = 146097;
  long long j = static_cast<long long>(dayNumber);
  long long cycles = 0;
  if (j < 0) {
    cycles = (-j) / kCycleDays + 1;
    j += cycles * kCycleDays;
  }
  const long long f = j + 1401 + (((4 * j + 274277) / 146097) * 3) / 4 - 38;
  const long long e = 4 * f + 3;
  const long long g = e % 1461 / 4;
  const long long h = 5 * g + 2;
  CalendarTime t;
  t.day = static_cast<int>(h % 153 / 5 + 1);
  t.month = static_cast<int>((h / 153 + 2) % 12 + 1);
  t.year = static_cast<int>(e / 1461 - 4716 + (12 + 2 - t.month) / 12 - cycles * 400);
  const int s = static_cast<int>(seconds);
  t.hour = s / 3600;
  t.minute = s / 60 % 60;
  t.second = s % 60;
  return t;
}

std::string EntryValue(std::string_view text) {
  const std::size_t mark = text.find_last_of("=:");
  if (mark == std::string_view::npos) return {};
  std::string number(text.substr(mark + 1));
  while (!number.empty() && number.front() == ' ') number.erase(0, 1);
  if (number.size() >= 2 && number.compare(number.size() - 2, 2, "°") == 0) number.resize(number.size() - 2);
  for (char& c : number) {
    if (c == ',') c = '.';
  }
  if (number.empty()) return {};
  char* end = nullptr;
  (void)std::strtod(number.c_str(), &end);
  if (end != number.c_str() + number.size()) return {};
  return number;
}

std::vector<ExportRow> ExportRows(const YearCalendar& calendar, double zoneHours) {
  std::vector<ExportRow> rows;
  for (const CalendarEntry& entry : calendar.entries) {
    const auto line = CalendarLineOf(entry, calendar.deltaTDays, zoneHours);
    const auto utc = GregorianOf(UniversalTime(calendar, entry));
    if (!line || !utc) continue;
    const bool dateOnly = !line->dayFraction;
    const JulianDay local =
        dateOnly ? entry.shownDate + 0.5 : UniversalTime(calendar, entry) + zoneHours / 24.0;
    const auto date = JulianDayToDate(local);
    if (!date) continue;
    ExportRow row;
    row.date = DateText(date->year, date->month, static_cast<int>(std::floor(date->day)));
    if (!dateOnly) row.localTime = TimeOfDayText(*line->dayFraction);
    row.utc = IsoUtcText(*utc);
    row.event = entry.text;
    row.value = EntryValue(entry.text);
    rows.push_back(std::move(row));
  }
  return rows;
}

std::string CsvField(std::string_view field) {
  if (field.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(field);
  std::string quoted = "\"";
  for (const char c : field) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

std::string CalendarCsv(const YearCalendar& calendar, double zoneHours) {
  std::string csv = "Datum,Zonenzeit,UTC,Ereignis,Wert";
  csv += kCrLf;
  for (const ExportRow& row : ExportRows(calendar, zoneHours)) {
    csv += CsvField(row.date) + "," + CsvField(row.localTime) + "," + CsvField(row.utc) + "," + CsvField(row.event) +
           "," + CsvField(row.value);
    csv += kCrLf;
  }
  return csv;
}

std::string EscapeIcsText(std::string_view text) {
  std::string escaped;
  for (const char c : text) {
    if (c == '\\' || c == ';' || c == ',') {
      escaped += '\\';
      escaped += c;
    } else if (c == '\n') {
      escaped += "\\n";
    } else if (c != '\r') {
      escaped += c;
    }
  }
  return escaped;
}

std::string FoldIcsLine(std::string_view line) {
  std::string folded;
  std::size_t budget = kIcsLineOctets;
  std::size_t used = 0;
  for (std::size_t i = 0; i < line.size();) {
    // The whole UTF-8 character: its lead byte and the continuation bytes 10xxxxxx.
    std::size_t length = 1;
    while (i + length < line.size() && (static_cast<unsigned char>(line[i + length]) & 0xC0) == 0x80) ++length;
    if (used + length > budget) {
      folded += kCrLf;
      folded += ' ';
      budget = kIcsLineOctets - 1;  // the leading space counts
      used = 0;
    }
    folded.append(line.substr(i, length));
    used += length;
    i += length;
  }
  folded += kCrLf;
  return folded;
}

std::string EventUid(const YearCalendar& calendar, const CalendarEntry& entry) {
  const auto utc = GregorianOf(UniversalTime(calendar, entry));
  std::string uid = utc ? IcsUtcText(*utc) : std::string("0");
  uid += "-" + KindOf(entry.text) + "-" + std::to_string(calendar.year) + "@zenitra";
  return uid;
}

IcsExport CalendarIcs(const YearCalendar& calendar, const IcsHeader& header) {
  std::string ics;
  const auto add = [&ics](std::string_view line) { ics += FoldIcsLine(line); };
  add("BEGIN:VCALENDAR");
  add("VERSION:2.0");
  add("PRODID:-//Zenitra//Astronomischer Jahreskalender//DE");
  add("CALSCALE:GREGORIAN");
  add("METHOD:PUBLISH");
  add("X-WR-CALNAME:" + EscapeIcsText("Astronomischer Jahreskalender " + std::to_string(calendar.year) + " – " +
                                      header.placeName));
  const std::string stamp = IcsUtcText(header.stamp);
  for (const CalendarEntry& entry : calendar.entries) {
    const auto utc = GregorianOf(UniversalTime(calendar, entry));
    if (!utc || utc->year < 1 || utc->year > 9999) {
      return {{}, "iCalendar kennt nur die Jahre 1 bis 9999; das Jahr " + std::to_string(calendar.year) +
                      " lässt sich nur als CSV oder Text ausgeben."};
    }
    add("BEGIN:VEVENT");
    add("UID:" + EventUid(calendar, entry));
    add("DTSTAMP:" + stamp);
    add("DTSTART:" + IcsUtcText(*utc));
    add("SUMMARY:" + EscapeIcsText(entry.text));
    // An instant, not an appointment: it keeps the user's time free.
    add("TRANSP:TRANSPARENT");
    add("END:VEVENT");
  }
  add("END:VCALENDAR");
  return {std::move(ics), {}};
}

}  // namespace zenitra::yearcal
