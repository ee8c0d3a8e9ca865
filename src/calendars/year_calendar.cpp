#include "calendars/year_calendar.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <numeric>
#include <utility>

#include "calendars/planet_phenomena.h"
#include "calendars/year_phenomena.h"
#include "core/delta_t.h"
#include "core/lunar_phases.h"
#include "core/sun_position.h"
#include "core/time_scales.h"

namespace zenitra::yearcal {

namespace {

// More than any year yields; the loops below stop long before (a year has about 50 Moon phases,
// 14 perigees, at most 7 eclipses), this only keeps a broken series from running away.
constexpr int kLoopGuard = 200;
// Room for a year's entries from the start: about 110 events and a few summer-time lines.
constexpr std::size_t kTypicalEntries = 128;

constexpr std::array<const char*, 4> kSeasonTexts = {"Frühlingsanfang", "Sommeranfang", "Herbstanfang",
                                                      "Winteranfang"};
constexpr std::array<const char*, 4> kPhaseTexts = {"Neumond", "Zunehmender Halbmond", "Vollmond",
                                                     "Abnehmender Halbmond"};
constexpr std::array<const char*, 7> kWeekdays = {"Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"};

class EntryTable {
 public:
  EntryTable() { entries_.reserve(kTypicalEntries); }
  void Add(JulianDay instant, std::string_view text, int timeShown) {
    entries_.push_back(CalendarEntry{instant, CutCalendarText(text), timeShown, 0.0});
  }
  std::vector<CalendarEntry>& Entries() { return entries_; }

 private:
  std::vector<CalendarEntry> entries_;
};

// The clock changes as the place's rules give them. A line without a time names a day, so it is
// sorted at the place's midnight (standard time) at the beginning of that day: before every event of
// the day and after every event of the day before, in any zone. The instant is kept in Terrestrial
// Time, like the phenomena it is sorted among; the line shows the place's date of the change.
void AddSummerTime(EntryTable& table, const std::vector<SummerTimeChange>& changes, double zoneHours,
                   double deltaTDays) {
  for (const SummerTimeChange& c : changes) {
    const JulianDay date = CalendarToJulianDay(c.year, c.month, c.day, 0, 0, 0, 0.0);
    if (date < 0.0 || !std::isfinite(c.instantUt)) continue;
    table.Add(date - zoneHours / 24.0 + deltaTDays, c.begins ? "Beginn Sommerzeit" : "Ende Sommerzeit", -1);
    table.Entries().back().shownDate = date;
  }
}

// Universal time of a computed (TT) instant, through the Delta T of that instant, so that an
// event near the seam of two years belongs to exactly one of them.
JulianDay UniversalTimeOf(JulianDay jde) { return jde - DeltaTSeconds(jde) / 86400.0; }

// Whether a computed (TT) instant belongs to the year and whether it lies after it, from one Delta T.
struct PlaceInYear {
  bool within = false;
  bool after = false;
};
PlaceInYear PlaceOf(const YearCalendar& range, JulianDay jde) {
  const JulianDay ut = UniversalTimeOf(jde);
  return {IsWithinYear(range, ut), ut > range.end};
}

// Searches start this many days before local midnight of 1 January: more than Delta T (two days
// in 4713 BC) plus the zone, so that an event early on 1 January is never skipped.
constexpr double kSearchLeadDays = 3.0;

// The next lunar apsis search starts this many days after the last apsis found: less than the
// 24.6 days between two perigees (or apogees), and more than half the mean month of 27.55 days
// plus the 6.6 days by which an apsis may precede its mean instant (4713 BC to AD 9999), so that
// the search takes the next apsis's month at once rather than first finding the last one again.
constexpr double kLunarApsisGapDays = 22.0;

// Every event of a search for "the first event at or after t" (perigee, apogee, perihelion,
// aphelion) that falls within the year's local range. The search continues `gapDays` after each
// one found, less than the shortest interval between two events of the kind: the next search then
// starts in the next event's cycle and need not first find the last one again.
template <typename Next>
void AddSearchedEvents(EntryTable& table, const YearCalendar& range, Next next, double gapDays,
                       std::string_view text) {
  DateTimeValue t = JulianDayToDateTime(range.start - kSearchLeadDays);
  for (int guard = 0; guard < kLoopGuard; ++guard) {
    const DateTimeValue found = next(t);
    if (!std::isfinite(found.Days)) return;
    const JulianDay jde = DateTimeToJulianDay(found);
    const PlaceInYear place = PlaceOf(range, jde);
    if (place.after) return;
    if (place.within) table.Add(jde, text, 4);
    t = found + gapDays;
  }
}

std::string SolarEclipseText(const SolarEclipse& e, std::string_view decimalSeparator) {
  static constexpr std::array<const char*, 5> kCentral = {
      "Totale Sonnenfinsternis", "Ringförmige Sonnenfinsternis", "Ringförmig-totale Sonnenfinsternis",
      "Nichtzentrale totale Sonnenfinsternis", "Nichtzentrale ringförmige Sonnenfinsternis"};
  if (e.kind >= 1 && e.kind <= 5) return kCentral[static_cast<std::size_t>(e.kind - 1)];
  return "Partielle Sonnenfinsternis, maximale Größe = " +
         FixedNumberText(e.magnitude.value_or(0.0), 3, decimalSeparator);
}

std::string LunarEclipseText(const LunarEclipse& e, std::string_view decimalSeparator) {
  const char* head = e.kind == 1   ? "Totale Mondfinsternis, Größe = "
                     : e.kind == 6 ? "Partielle Mondfinsternis, Größe = "
                                   : "Halbschattenfinsternis des Mondes, Größe = ";
  return head + FixedNumberText(e.magnitude, 2, decimalSeparator);
}

// The eclipse searches skip the lunations up to 0.03 lunation after their start, and a lunar
// eclipse search moreover looks at full moons only from half a lunation on: started 15 days before
// the year, it passed over a full moon early on 1 January (the total lunar eclipse of 2048-01-01
// 06:52 UT was in neither 2047 nor 2048). A start one lunation and a half earlier sees every
// eclipse of the year.
constexpr double kEclipseSearchLeadDays = 45.0;

template <typename Eclipse, typename Next, typename Text>
void AddEclipses(EntryTable& table, const YearCalendar& range, Next next, Text text) {
  JulianDay jd = range.start - kEclipseSearchLeadDays;
  for (int guard = 0; guard < kLoopGuard; ++guard) {
    const std::optional<Eclipse> e = next(jd);
    if (!e || !(e->jde > jd)) return;  // no progress: a broken series must not loop
    jd = e->jde;
    const PlaceInYear place = PlaceOf(range, jd);
    if (place.within) table.Add(jd, text(*e), 2);
    if (place.after) return;
  }
}

const char* PlanetName(PlanetNumber planet) {
  switch (planet) {
    case 1: return "Merkur";
    case 2: return "Venus";
    case 4: return "Mars";
    case 5: return "Jupiter";
    case 6: return "Saturn";
    case 7: return "Uranus";
    case 8: return "Neptun";
    default: return "";
  }
}

std::string PlanetEventText(PlanetNumber planet, PlanetEvent event) {
  const bool inner = planet <= 2;
  const char* what = inner ? (event == 0 ? " in unterer Konjunktion zur Sonne" : " in oberer Konjunktion zur Sonne")
                           : (event == 0 ? " in Opposition zur Sonne" : " in Konjunktion zur Sonne");
  return std::string(PlanetName(planet)) + what;
}

// Steps the cycles of one phenomenon from one cycle before the year's first until past the end.
template <typename Instant, typename Add>
void StepCycles(const YearCalendar& range, int firstCycle, Instant instant, Add add) {
  int k = firstCycle;
  for (int guard = 0; guard < kLoopGuard; ++guard, ++k) {
    const auto found = instant(k);
    if (!found) return;
    const PlaceInYear place = PlaceOf(range, found->first);
    if (place.within) add(found->first, found->second);
    if (place.after) return;
  }
}

// Conjunctions and oppositions of every planet, then the greatest elongations of Mercury and Venus.
void AddPlanetaryPhenomena(EntryTable& table, const YearCalendar& range, std::string_view decimalSeparator) {
  for (const PlanetNumber planet : {1, 2, 4, 5, 6, 7, 8}) {
    for (const PlanetEvent event : {0, 1}) {
      const auto cycle = PlanetEventCycle(AstronomicalYear(range.year), planet, event);
      if (!cycle) continue;
      const std::string text = PlanetEventText(planet, event);
      StepCycles(
          range, *cycle - 1,
          [planet, event](int k) -> std::optional<std::pair<JulianDay, double>> {
            const auto jd = PlanetEventInstant(planet, event, k);
            if (!jd) return std::nullopt;
            return std::pair{*jd, 0.0};
          },
          [&](JulianDay jd, double) { table.Add(jd, text, 0); });
    }
  }
  for (const PlanetNumber planet : {1, 2}) {
    const auto cycle = PlanetEventCycle(AstronomicalYear(range.year), planet, 0);
    if (!cycle) continue;
    for (const ElongationSide side : {0, 1}) {
      const std::string head = std::string(PlanetName(planet)) + (side == 0 ? " in größter östlicher Elongation :"
                                                                            : " in größter westlicher Elongation :");
      StepCycles(
          range, *cycle - 1,
          [planet, side](int k) -> std::optional<std::pair<JulianDay, double>> {
            const auto e = GreatestElongation(planet, side, k);
            if (!e) return std::nullopt;
            return std::pair{e->jde, e->elongationDeg};
          },
          [&](JulianDay jd, double angle) {
            table.Add(jd, head + FixedNumberText(angle, 1, decimalSeparator) + "°", 0);
          });
    }
  }
}

void AddMoonPhases(EntryTable& table, const YearCalendar& range) {
  // The quarter-lunation index from the range itself, one lunation before its start: the mean
  // phases follow the Julian Day, while a count by years drifts from the Julian calendar by a day
  // every 135 years and started after the first phases of January before about 1000 BC.
  const double first = FloorValue((range.start - 2451550.09765) / 29.530588853 * 4.0) - 4.0;
  // IsCalendarYear keeps |first| far below the int range.
  const int n = static_cast<int>(first);
  int phase = ((n % 4) + 4) % 4;
  int lunation = (n - phase) / 4;
  for (int guard = 0; guard < kLoopGuard; ++guard) {
    const std::optional<JulianDay> jd = MoonPhaseInstant(lunation, phase);
    if (!jd) return;
    const PlaceInYear place = PlaceOf(range, *jd);
    if (place.within) table.Add(*jd, kPhaseTexts[static_cast<std::size_t>(phase)], 2);
    if (place.after) return;
    if (++phase == 4) {
      phase = 0;
      ++lunation;
    }
  }
}

}  // namespace

// From the first year whose days all have a Julian Day >= 0 (and so a weekday) to the last year of
// the platform's four-digit dates; far outside, Delta T grows to days and the series mean nothing.
bool IsWithinYear(const YearCalendar& calendar, JulianDay jd) { return calendar.start < jd && jd < calendar.end; }

bool IsEventOfYear(const YearCalendar& calendar, JulianDay jde) { return IsWithinYear(calendar, UniversalTimeOf(jde)); }

bool IsCalendarYear(int year) { return year != 0 && year >= -4712 && year <= 9999; }

std::string CutCalendarText(std::string_view text) {
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    // A byte that is not a UTF-8 continuation byte starts a new character.
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
      if (characters == kCalendarTextLength) return std::string(text.substr(0, i));
      ++characters;
    }
  }
  return std::string(text);
}

std::string FixedNumberText(double value, int decimals, std::string_view decimalSeparator) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  std::string s(buffer);
  if (const auto point = s.find('.'); point != std::string::npos) s.replace(point, 1, decimalSeparator);
  return s;
}

void SortCalendarEntries(std::vector<CalendarEntry>& entries) {
  // When every instant differs, only one order is sorted, and the exchanges below reach that same
  // order; a library sort of the indices finds it in n log n steps rather than n^2 exchanges of
  // entries. Ties, where the exchanges decide the order, and NaN, which the library sort must not
  // be given, take the exchanges themselves.
  const bool comparable = std::none_of(entries.begin(), entries.end(),
                                       [](const CalendarEntry& e) { return std::isnan(e.instant); });
  std::vector<std::size_t> order(comparable ? entries.size() : 0);
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::sort(order.begin(), order.end(),
            [&entries](std::size_t a, std::size_t b) { return entries[a].instant < entries[b].instant; });
  const auto tie = std::adjacent_find(order.begin(), order.end(), [&entries](std::size_t a, std::size_t b) {
    return entries[a].instant == entries[b].instant;
  });
  if (comparable && tie == order.end()) {
    std::vector<CalendarEntry> sorted;
    sorted.reserve(entries.size());
    for (const std::size_t i : order) sorted.push_back(std::move(entries[i]));
    entries = std::move(sorted);
    return;
  }
  for (std::size_t i = 0; i + 1 < entries.size(); ++i) {
    for (std::size_t j = i + 1; j < entries.size(); ++j) {
      if (entries[j].instant < entries[i].instant) std::swap(entries[i], entries[j]);
    }
  }
}

std::optional<YearCalendar> BuildYearCalendar(int year, double zoneHours, std::string_view decimalSeparator,
                                              const std::vector<SummerTimeChange>& summerTimeChanges) {
  // A zone lies within a day of Greenwich; a larger offset would move the year out of the range
  // the phase and apsis counts are made for.
  if (!IsCalendarYear(year) || !std::isfinite(zoneHours) || std::fabs(zoneHours) > 24.0) return std::nullopt;
  YearCalendar calendar;
  calendar.year = year;
  // The series count years astronomically (1 BC is year 0, 500 BC is -499).
  const int astronomical = AstronomicalYear(year);
  calendar.start = YearStartJulianDay(astronomical) + 1.0 - zoneHours / 24.0;
  calendar.end = YearStartJulianDay(astronomical + 1) + 1.0 - zoneHours / 24.0;
  calendar.deltaTDays = DeltaT(CenturiesSinceJ2000((calendar.start + calendar.end) / 2.0)) / 86400.0;

  EntryTable table;
  AddSummerTime(table, summerTimeChanges, zoneHours, calendar.deltaTDays);

  // Perihelion, aphelion, perigees and apogees by their local date: the perihelion falls on 1 or
  // 2 January in some centuries, and in far zones an event of 31 December UT is local New Year.
  // Perihelia (and aphelia) follow each other after a year give or take two days; perigees (and
  // apogees) after 24.6 to 28.6 days.
  // The Earth's apsis searches are told where the year ends, so that they need not refine the
  // apsis of the next year only for it to be dropped: in TT, with 0.01 days to spare for the change
  // of Delta T between the end and an event days later (below a second even in 4713 BC).
  const DateTimeValue yearEnd = JulianDayToDateTime(calendar.end + DeltaTSeconds(calendar.end) / 86400.0 + 0.01);
  AddSearchedEvents(table, calendar, [yearEnd](DateTimeValue t) { return NextPerihelion(t, yearEnd); }, 180.0,
                    "Erde im Perihel");
  AddSearchedEvents(table, calendar, [yearEnd](DateTimeValue t) { return NextAphelion(t, yearEnd); }, 180.0,
                    "Erde im Aphel");
  AddSearchedEvents(table, calendar, NextPerigee, kLunarApsisGapDays, "Mond im Perigäum");
  AddSearchedEvents(table, calendar, NextApogee, kLunarApsisGapDays, "Mond im Apogäum");

  // The seasons of the neighbouring years too: in the Julian calendar of antiquity the December
  // solstice of a year falls in the next January.
  for (int y = astronomical - 1; y <= astronomical + 1; ++y) {
    for (int s = 0; s < 4; ++s) {
      const auto jd = SeasonStart(y, s);
      if (jd && IsEventOfYear(calendar, *jd)) table.Add(*jd, kSeasonTexts[static_cast<std::size_t>(s)], 4);
    }
  }

  AddEclipses<SolarEclipse>(table, calendar, NextSolarEclipse,
                            [decimalSeparator](const SolarEclipse& e) { return SolarEclipseText(e, decimalSeparator); });
  AddEclipses<LunarEclipse>(table, calendar, NextLunarEclipse,
                            [decimalSeparator](const LunarEclipse& e) { return LunarEclipseText(e, decimalSeparator); });

  AddPlanetaryPhenomena(table, calendar, decimalSeparator);
  AddMoonPhases(table, calendar);

  calendar.entries = std::move(table.Entries());
  SortCalendarEntries(calendar.entries);
  return calendar;
}

std::string WeekdayAbbreviation(int weekday) {
  if (weekday < 1 || weekday > 7) return {};
  return kWeekdays[static_cast<std::size_t>(weekday - 1)];
}

std::optional<CalendarLine> CalendarLineOf(const CalendarEntry& entry, double deltaTDays, double zoneHours) {
  const bool dateOnly = entry.timeShown < 0;
  // A date-only entry is the day it names, taken at its middle.
  const JulianDay local = dateOnly ? entry.shownDate + 0.5 : entry.instant - deltaTDays + zoneHours / 24.0;
  const auto date = JulianDayToDate(local);
  const int weekday = WeekdayOf(local);
  if (!date || weekday < 1 || weekday > 7) return std::nullopt;
  CalendarLine line;
  line.weekdayAndDate =
      WeekdayAbbreviation(weekday) + " " + ShortDateText(HistoricalYear(date->year), date->month, date->day);
  if (!dateOnly) line.dayFraction = date->day - std::floor(date->day);
  line.text = entry.text;
  return line;
}

}  // namespace zenitra::yearcal
