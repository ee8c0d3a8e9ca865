// Measures the program against the reference tables of tools/accuracy/reference.js and writes the
// error budget docs/accuracy.md.
//
//   zenitra_accuracy <folder of the reference tables> <output markdown file>
//
// Every value of the program comes through zenitra_side.h; errors are program minus reference, the
// tables give the median and the largest absolute error with the worst case spelled out.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <numbers>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/reference_table.h"
#include "zenitra_side.h"

namespace {

using namespace accuracy;

// ---- reading the tables ----------------------------------------------------------------------

using Table = zenitra::testing::ReferenceTable;
Table ReadTable(const std::string& folder, const std::string& name) {
  return zenitra::testing::ReadReferenceTable(folder, name);
}

using Row = zenitra::testing::ReferenceRow;
Place PlaceOf(const Row& row) {
  return Place{row.Text("place"), row.Number("latitude"), row.Number("longitude"), row.Number("zone")};
}

// "YYYY-MM-DD" or "YYYY-MM-DDThh:mm:ss".
LocalTime ParseLocal(const std::string& s) {
  LocalTime t;
  std::sscanf(s.c_str(), "%d-%d-%dT%d:%d:%d", &t.Year, &t.Month, &t.Day, &t.Hour, &t.Minute, &t.Second);
  return t;
}

// ---- formatting --------------------------------------------------------------------------------

std::string Fmt(const char* pattern, double v) {
  char b[64];
  std::snprintf(b, sizeof b, pattern, v);
  return b;
}

// A Julian Day as a Gregorian UT date and time (every year measured here is after 1582).
std::string UtText(double jd) {
  const double z0 = std::floor(jd + 0.5);
  double f = jd + 0.5 - z0;
  long long z = static_cast<long long>(z0);
  long long secs = std::llround(f * 86400.0);
  if (secs >= 86400) {
    secs -= 86400;
    ++z;
  }
  const long long alpha = static_cast<long long>(std::floor((z - 1867216.25) / 36524.25));
  const long long a = z + 1 + alpha - alpha / 4;
  const long long b = a + 1524;
  const long long c = static_cast<long long>(std::floor((b - 122.1) / 365.25));
  const long long d = static_cast<long long>(std::floor(365.25 * c));
  const long long e = static_cast<long long>(std::floor((b - d) / 30.6001));
  const long long day = b - d - static_cast<long long>(std::floor(30.6001 * e));
  const long long month = e < 14 ? e - 1 : e - 13;
  const long long year = month > 2 ? c - 4716 : c - 4715;
  char buf[128];
  std::snprintf(buf, sizeof buf, "%04lld-%02lld-%02lld %02lld:%02lld:%02lld UT", year, month, day, secs / 3600,
                secs / 60 % 60, secs % 60);
  return buf;
}

std::string EventText(const EventJd& e) { return e ? UtText(*e) : std::string("no event"); }

std::string PlaceText(const Place& p) {
  std::ostringstream o;
  o << p.Name << " (" << Fmt("%.3f", p.LatitudeDeg) << ", " << Fmt("%.3f", p.LongitudeDeg) << ", zone "
    << Fmt("%+g", p.ZoneHours) << ")";
  return o.str();
}

std::string EpochOf(int year) { return year >= 1900 ? "1900–2100" : std::to_string(year); }

// ---- statistics ----------------------------------------------------------------------------------

struct Case {
  double Error = 0.0;  // in the unit of the statistic, signed
  std::string Input, Expected, Got;
};

struct Statistic {
  std::vector<Case> Cases;
  int Other = 0;  // cases counted apart (see the table's note)
  std::string OtherExample;
  void Add(Case c) { Cases.push_back(std::move(c)); }
  [[nodiscard]] double Median() const {
    if (Cases.empty()) return std::nan("");
    std::vector<double> v;
    for (const Case& c : Cases) v.push_back(std::fabs(c.Error));
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0;
  }
  [[nodiscard]] const Case* Worst() const {
    const Case* w = nullptr;
    for (const Case& c : Cases) {
      if (!w || std::fabs(c.Error) > std::fabs(w->Error)) w = &c;
    }
    return w;
  }
};

// Ordered statistics: (row label, epoch) -> statistic, in the order first seen.
struct Group {
  std::vector<std::pair<std::string, std::string>> Order;
  std::map<std::pair<std::string, std::string>, Statistic> Stats;
  Statistic& operator()(const std::string& label, const std::string& epoch) {
    const auto key = std::make_pair(label, epoch);
    if (!Stats.contains(key)) Order.push_back(key);
    return Stats[key];
  }
};

std::string Cell(double v, const std::string& unit, int decimals) {
  if (std::isnan(v)) return "–";
  return Fmt(("%." + std::to_string(decimals) + "f").c_str(), v) + " " + unit;
}

void WriteGroup(std::ostream& out, Group g, const std::string& quantityTitle, const std::string& unit,
                int decimals, const std::string& otherTitle,
                const std::function<std::string(const std::string&)>& methodOf) {
  // The sampled years first, then the spot checks; labels in the order first seen.
  std::stable_sort(g.Order.begin(), g.Order.end(),
                   [](const auto& a, const auto& b) { return (a.second == "1900–2100") > (b.second == "1900–2100"); });
  out << "| " << quantityTitle << " | Years | Cases | Median | Largest |" << (otherTitle.empty() ? "" : " " + otherTitle + " |")
      << " Method |\n|---|---|---|---|---|" << (otherTitle.empty() ? "" : "---|") << "---|\n";
  for (const auto& key : g.Order) {
    const Statistic& s = g.Stats.at(key);
    const Case* w = s.Worst();
    out << "| " << key.first << " | " << key.second << " | " << s.Cases.size() << " | " << Cell(s.Median(), unit, decimals)
        << " | " << (w ? Cell(std::fabs(w->Error), unit, decimals) : "–") << " |";
    if (!otherTitle.empty()) out << " " << s.Other << " |";
    out << " " << methodOf(key.first) << " |\n";
  }
  out << "\nWorst case per row (input; expected; got):\n\n";
  for (const auto& key : g.Order) {
    const Statistic& s = g.Stats.at(key);
    if (const Case* w = s.Worst()) {
      out << "- " << key.first << ", " << key.second << ": " << w->Input << "; expected " << w->Expected << "; got "
          << w->Got << " (error " << Fmt(("%+." + std::to_string(decimals) + "f").c_str(), w->Error) << " " << unit
          << ")\n";
    }
    if (s.Other > 0 && !s.OtherExample.empty()) {
      out << "- " << key.first << ", " << key.second << ", " << otherTitle << ", e.g.: " << s.OtherExample << "\n";
    }
  }
  out << "\n";
}

// Rows of the summary at the top of the page: one quantity, both epochs, merged over the labels
// of a group that `take` accepts.
std::vector<std::string> gSummary;
void Summarize(const std::string& title, const Group& g, const std::string& unit, int decimals,
               const std::function<bool(const std::string&)>& take = [](const std::string&) { return true; }) {
  std::string row = "| " + title + " |";
  for (const std::string epoch : {"1900–2100", "1600"}) {
    Statistic merged;
    for (const auto& [key, s] : g.Stats) {
      if (key.second != epoch || !take(key.first)) continue;
      merged.Cases.insert(merged.Cases.end(), s.Cases.begin(), s.Cases.end());
    }
    const Case* w = merged.Worst();
    row += " " + std::to_string(merged.Cases.size()) + " | " + Cell(merged.Median(), unit, decimals) + " | " +
           (w ? Cell(std::fabs(w->Error), unit, decimals) : "–") + " |";
  }
  gSummary.push_back(row);
}

void WriteProvenance(std::ostream& out, const Table& t) {
  out << "Reference `tools/accuracy/data/" << t.Name << "`: ";
  for (std::size_t i = 0; i < t.Comments.size() && i < 2; ++i) out << t.Comments[i] << " ";
  out << "\n\n";
}

// ---- the quantities ------------------------------------------------------------------------------

const char* const kEventKinds[] = {"rise", "transit", "set"};
EventJd Pick(const DayEvents& e, const std::string& kind) {
  return kind == "rise" ? e.Rise : kind == "set" ? e.Set : e.Transit;
}
std::string EventName(const std::string& body, const std::string& kind) {
  return body + (kind == "rise" ? "rise" : kind == "set" ? "set" : " culmination");
}
EventJd ReferenceEvent(const Row& row) {
  EventJd e;
  if (!row.Empty("ut_jd")) e = row.Number("ut_jd");
  return e;
}

void SunEvents(std::ostream& out, const Table& t, const Methods& m) {
  Group shown, core;
  for (const auto& r : t.Rows) {
    const Row row{t, r};
    const Place p = PlaceOf(row);
    const LocalTime date = ParseLocal(row.Text("local_date"));
    const std::string kind = row.Text("event");
    const std::string epoch = EpochOf(date.Year);
    const std::string label = EventName("Sun", kind);
    const std::string input = label + ", " + PlaceText(p) + ", local date " + row.Text("local_date");
    const EventJd ref = ReferenceEvent(row);

    // As the Sun window: the clock time shown for the local date (whole days between the event the
    // program finds and the reference's are left aside and counted).
    const EventJd got = Pick(SunEventsOfLocalDate(p, date.Year, date.Month, date.Day), kind);
    Statistic& s = shown(label + " (Sun window, local date)", epoch);
    if (ref && got) {
      const double d = *got - *ref;
      const double days = std::round(d);
      if (days != 0.0) {
        ++s.Other;
        if (s.OtherExample.empty()) s.OtherExample = input + ": expected " + UtText(*ref) + ", got " + UtText(*got);
      }
      s.Add(Case{(d - days) * 86400.0, input, UtText(*ref), UtText(*got)});
    } else if (ref.has_value() != got.has_value()) {
      s.Add(Case{ref ? 86400.0 : -86400.0, input, EventText(ref), EventText(got)});
    }
    // The core function for the UT day in which the reference event falls.
    if (ref) {
      const double dayStart = std::floor(*ref - 0.5) + 0.5;
      const EventJd g = Pick(SunEventsOfUtDay(p, dayStart), kind);
      Statistic& c = core(label + " (core, UT day of the event)", epoch);
      if (g) c.Add(Case{(*g - *ref) * 86400.0, input, UtText(*ref), UtText(*g)});
      else c.Add(Case{86400.0, input, UtText(*ref), "no event"});
    }
  }
  out << "## Sun: rising, culmination and setting\n\n";
  WriteProvenance(out, t);
  out << "Error of the UT instant. The first rows compare what the Sun window computes for the shown local date; "
         "the window shows only the clock time, so an event of a neighbouring date counts with its clock-time "
         "difference and is also counted in the column \"other date\". A missing or surplus event counts as one day "
         "(86400 s). The last rows call the core functions for the UT day in which the reference event falls.\n\n";
  Summarize("Sunrise, culmination, sunset: Sun window, clock time of the local date", shown, "s", 1);
  Summarize("Sunrise, culmination, sunset: core, UT day of the event", core, "s", 1);
  WriteGroup(out, shown, "Event", "s", 1, "other date", [&](const std::string&) { return m.SunEvents; });
  WriteGroup(out, core, "Event", "s", 1, "", [&](const std::string&) { return m.SunEvents; });
}

void MoonEvents(std::ostream& out, const Table& t, const Methods& m) {
  Group g;
  for (const auto& r : t.Rows) {
    const Row row{t, r};
    const Place p = PlaceOf(row);
    const LocalTime date = ParseLocal(row.Text("local_date"));
    const std::string kind = row.Text("event");
    const EventJd ref = ReferenceEvent(row);
    const EventJd got = Pick(MoonEventsOfLocalDate(p, date.Year, date.Month, date.Day), kind);
    const std::string input = EventName("Moon", kind) + ", " + PlaceText(p) + ", UT day of local date " + row.Text("local_date");
    Statistic& s = g(EventName("Moon", kind), EpochOf(date.Year));
    if (ref && got) {
      const double minutes = (*got - *ref) * 1440.0;
      if (std::fabs(minutes) > 180.0) {
        ++s.Other;
        if (s.OtherExample.empty()) s.OtherExample = input + ": expected " + UtText(*ref) + ", got " + UtText(*got);
        continue;
      }
      s.Add(Case{minutes, input, UtText(*ref), UtText(*got)});
    } else if (ref.has_value() != got.has_value()) {
      // The Moon skips one rising and one setting a month; the window then prints nothing (or
      // prints a time although there is no event that UT day).
      ++s.Other;
      if (s.OtherExample.empty()) {
        s.OtherExample = input + ": expected " + EventText(ref) + ", got " + EventText(got);
      }
    }
  }
  out << "## Moon: rising, culmination and setting\n\n";
  WriteProvenance(out, t);
  out << "Error of the UT instant that the Moon window lists for the UT day beginning at 0h UT of the shown date. "
         "Cases where the program's instant is more than 3 hours from the reference (an event of another day), or "
         "where only one side has an event that day, are not in the statistics but counted under \"apart\".\n\n";
  Summarize("Moonrise, culmination, moonset (UT, same day)", g, "min", 2);
  WriteGroup(out, g, "Event", "min", 2, "apart", [&](const std::string&) { return m.MoonEvents; });
}

void MoonDiskTable(std::ostream& out, const Table& t, const Methods& m) {
  Group fraction, distance;
  for (const auto& r : t.Rows) {
    const Row row{t, r};
    const Place p = PlaceOf(row);
    const LocalTime lt = ParseLocal(row.Text("local_time"));
    const double jd = row.Number("ut_jd");
    const double refK = row.Number("illuminated_percent");
    const double refD = row.Number("distance_km");
    const std::string epoch = EpochOf(lt.Year);
    const std::string input = PlaceText(p) + ", " + row.Text("local_time") + " local = " + UtText(jd);
    const MoonDisk shown = MoonDiskShown(p, lt);
    const MoonDisk core = MoonDiskAt(jd);
    fraction("Illuminated fraction, Moon window", epoch)
        .Add(Case{shown.IlluminatedPercent - refK, input, Fmt("%.2f %%", refK), Fmt("%.2f %%", shown.IlluminatedPercent)});
    fraction("Illuminated fraction, core at the UT instant", epoch)
        .Add(Case{core.IlluminatedPercent - refK, input, Fmt("%.2f %%", refK), Fmt("%.2f %%", core.IlluminatedPercent)});
    distance("Distance, Moon window", epoch)
        .Add(Case{shown.DistanceKm - refD, input, Fmt("%.1f km", refD), Fmt("%.1f km", shown.DistanceKm)});
    distance("Distance, core at the UT instant", epoch)
        .Add(Case{core.DistanceKm - refD, input, Fmt("%.1f km", refD), Fmt("%.1f km", core.DistanceKm)});
  }
  out << "## Moon: illuminated fraction and distance\n\n";
  WriteProvenance(out, t);
  out << "The Moon window's values are read from its text at the local standard time; the core's from the Moon "
         "series at the UT instant. Fraction in percentage points, distance centre to centre in km.\n\n";
  const auto window = [](const std::string& l) { return l.find("window") != std::string::npos; };
  const auto coreOnly = [](const std::string& l) { return l.find("core") != std::string::npos; };
  Summarize("Moon's illuminated fraction: Moon window", fraction, "pp", 2, window);
  Summarize("Moon's illuminated fraction: core at the UT instant", fraction, "pp", 2, coreOnly);
  Summarize("Moon's distance: Moon window", distance, "km", 1, window);
  WriteGroup(out, fraction, "Quantity", "pp", 2, "", [&](const std::string&) { return m.MoonDisk; });
  WriteGroup(out, distance, "Quantity", "km", 1, "", [&](const std::string&) { return m.MoonDisk; });
}

// Angular separation of two equatorial places, arc seconds.
double SeparationArcsec(double ra1, double dec1, double ra2, double dec2) {
  constexpr double r = std::numbers::pi / 180.0;
  const double c = std::sin(dec1 * r) * std::sin(dec2 * r) + std::cos(dec1 * r) * std::cos(dec2 * r) * std::cos((ra1 - ra2) * r);
  return std::acos(std::clamp(c, -1.0, 1.0)) / r * 3600.0;
}

void Planets(std::ostream& out, const Table& t, const Methods& m) {
  Group ofDate, j2000, onMap;
  for (const auto& r : t.Rows) {
    const Row row{t, r};
    const double jd = row.Number("ut_jd");
    const std::string name = row.Text("planet");
    const Equatorial got = PlanetPlace(name, jd);
    const std::string epoch = EpochOf(std::stoi(row.Text("ut").substr(0, 4)));
    const std::string input = name + ", " + UtText(jd);
    const auto text = [](double ra, double dec) { return "RA " + Fmt("%.4f", ra) + "°, Dec " + Fmt("%+.4f", dec) + "°"; };
    const double ra1 = row.Number("ra_of_date_deg"), de1 = row.Number("dec_of_date_deg");
    const double ra2 = row.Number("ra_j2000_deg"), de2 = row.Number("dec_j2000_deg");
    const std::string gotText = text(got.RightAscensionDeg, got.DeclinationDeg);
    ofDate(name + ", apparent of date", epoch)
        .Add(Case{SeparationArcsec(got.RightAscensionDeg, got.DeclinationDeg, ra1, de1), input, text(ra1, de1), gotText});
    const Equatorial map = PlanetPlaceOnMap(name, jd);
    onMap(name + ", on the map, apparent of date", epoch)
        .Add(Case{SeparationArcsec(map.RightAscensionDeg, map.DeclinationDeg, ra1, de1), input, text(ra1, de1),
                  text(map.RightAscensionDeg, map.DeclinationDeg)});
    j2000(name + ", geometric J2000", epoch)
        .Add(Case{SeparationArcsec(got.RightAscensionDeg, got.DeclinationDeg, ra2, de2), input, text(ra2, de2), gotText});
  }
  out << "## Planets: geocentric right ascension and declination\n\n";
  WriteProvenance(out, t);
  out << "Angular distance between the program's place (ephemeris table, planet window, map) and the reference, in "
         "arc seconds. \"Apparent of date\" is what the sky shows at that moment (light time, aberration, "
         "precession and nutation); \"geometric J2000\" is the frame the program's method is referred to.\n\n";
  Summarize("Planets on the sky map (precessed) against the sky of the moment", onMap, "\"", 0);
  Summarize("Planets' places in the tables (J2000) against the sky of the moment", ofDate, "\"", 0);
  Summarize("Planets' places against geometric J2000", j2000, "\"", 0);
  WriteGroup(out, onMap, "Planet", "\"", 0, "", [&](const std::string&) { return m.Planets; });
  WriteGroup(out, ofDate, "Planet", "\"", 0, "", [&](const std::string&) { return m.Planets; });
  WriteGroup(out, j2000, "Planet", "\"", 0, "", [&](const std::string&) { return m.Planets; });
}

std::string ZoneBand(double zone) {
  if (zone <= -6) return "zones −10 to −6";
  if (zone < 0) return "zones −5 to −1";
  if (zone <= 3) return "zones 0 to +3";
  if (zone < 8) return "zones +3.5 to +7";
  return "zones +8 to +12";
}

void Stars(std::ostream& out, const Table& t, const Methods& m) {
  Group sky, catalogue;
  for (const double zone : {-10.0, -5.0, 0.0, 5.0, 10.0}) {  // rows in the order of the zones
    for (Group* g : {&sky, &catalogue}) (*g)(ZoneBand(zone), "1900–2100");
  }
  for (const auto& r : t.Rows) {
    const Row row{t, r};
    const Place p = PlaceOf(row);
    const LocalTime lt = ParseLocal(row.Text("local_time"));
    const double az = row.Number("azimuth_deg");
    // Face the nearest of south, west, north and east, so the star lies on the map's half of the sky.
    double centre = std::round(az / 90.0) * 90.0 + 0.0;
    if (centre < 0) centre += 360.0;
    if (centre >= 360.0) centre -= 360.0;
    const Pixel got = StarPixel(p, lt, row.Number("ra_j2000_rad"), row.Number("dec_j2000_rad"), centre);
    const std::string input = "star " + row.Text("star_index") + " of STAR0, " + PlaceText(p) + ", " + row.Text("local_time") +
                              " local, facing " + Fmt("%.0f", centre) + "°";
    const std::string epoch = EpochOf(lt.Year);
    const auto add = [&](Statistic& s, const Pixel& ref) {
      if (!got.Visible) {
        ++s.Other;
        return;
      }
      s.Add(Case{std::hypot(got.X - ref.X, got.Y - ref.Y), input,
                 "(" + Fmt("%.1f", ref.X) + ", " + Fmt("%.1f", ref.Y) + ")",
                 "(" + Fmt("%.0f", got.X) + ", " + Fmt("%.0f", got.Y) + ")"});
    };
    add(sky(ZoneBand(p.ZoneHours), epoch), MapPixelOf(az, row.Number("altitude_deg"), centre));
    add(catalogue(ZoneBand(p.ZoneHours), epoch),
        MapPixelOf(row.Number("azimuth_catalogue_deg"), row.Number("altitude_catalogue_deg"), centre));
  }
  out << "## Stars: pixels on the 1054 × 664 map\n\n";
  WriteProvenance(out, t);
  out << "A reference place is turned into a pixel by the map's own linear formulas, x = cx + (A − centre "
         "azimuth)·cx/90 and y = (H − 28) − 2.4/π·h·H, without rounding; the error is the distance to the pixel "
         "the map draws (whole pixels, so up to 0.7 px is rounding). Bright stars (magnitude below 1.6) between 1° "
         "and 70° altitude, the map facing the nearest of south, west, north and east. The first table compares "
         "with the sky of the moment (precession and nutation applied to the catalogue's J2000 place, no "
         "refraction); the second with the catalogue place taken as it is, which isolates the sidereal time and "
         "the projection from the precession the map leaves out.\n\n";
  Summarize("Star pixels against the sky of the moment", sky, "px", 2);
  Summarize("Star pixels against the catalogue place (no precession)", catalogue, "px", 2);
  out << "### Against the sky of the moment\n\n";
  WriteGroup(out, sky, "Zones", "px", 2, "not drawn", [&](const std::string&) { return m.Stars; });
  out << "### Against the catalogue place (no precession)\n\n";
  WriteGroup(out, catalogue, "Zones", "px", 2, "not drawn", [&](const std::string&) { return m.Stars; });
}

// ---- the year calendar -------------------------------------------------------------------------

struct KindGroup {
  std::string Label;
  std::set<std::string> Kinds;
  double WindowDays;  // largest distance at which a program event still counts as the same event
  std::string Method;
};

void Calendar(std::ostream& out, const Table& t, const Methods& m) {
  const std::vector<KindGroup> groups = {
      {"Equinoxes and solstices", {"march_equinox", "june_solstice", "september_equinox", "december_solstice"}, 1.0, m.Seasons},
      {"Moon phases", {"new_moon", "first_quarter", "full_moon", "last_quarter"}, 1.0, m.Phases},
      {"Lunar perigee and apogee", {"perigee", "apogee"}, 1.5, m.Apsides},
      {"Perihelion and aphelion", {"perihelion", "aphelion"}, 5.0, m.EarthApsides},
      {"Solar eclipses (greatest eclipse)", {"solar_eclipse"}, 1.0, m.Eclipses},
      {"Lunar eclipses (greatest eclipse)", {"lunar_eclipse"}, 1.0, m.Eclipses},
      {"Conjunctions and oppositions", {"inferior_conjunction", "superior_conjunction", "opposition", "conjunction"}, 5.0, m.PlanetEvents},
      {"Greatest elongations", {"elongation_east", "elongation_west"}, 5.0, m.PlanetEvents},
  };
  const auto groupOf = [&](const std::string& kind) -> const KindGroup* {
    for (const KindGroup& g : groups) {
      if (g.Kinds.contains(kind)) return &g;
    }
    return nullptr;
  };
  Group ut, tt;
  std::map<std::pair<std::string, std::string>, int> missing, extra;
  std::map<std::pair<std::string, std::string>, std::string> missingExample;
  struct DeltaTRow {
    int Year;
    double Program, Reference;
  };
  std::vector<DeltaTRow> deltaT;

  // Rows grouped by year (one place per year).
  std::map<int, std::vector<const std::vector<std::string>*>> byYear;
  for (const auto& r : t.Rows) byYear[std::stoi(r.at(t.Column("year")))].push_back(&r);
  for (const auto& [year, rows] : byYear) {
    const Row first{t, *rows.front()};
    const Place p = PlaceOf(first);
    const std::string epoch = EpochOf(year);
    const double start = LocalMidnightJd(year, 1, 1, p.ZoneHours);
    const double end = LocalMidnightJd(year + 1, 1, 1, p.ZoneHours);
    std::vector<CalendarEvent> program = YearCalendarEvents(year, p.ZoneHours);
    std::vector<bool> used(program.size(), false);
    for (const auto* r : rows) {
      const Row row{t, *r};
      const double refUt = row.Number("ut_jd");
      const double refTt = row.Number("tt_jd");
      if (refUt < start || refUt >= end) continue;  // not an event of the local year
      const std::string kind = row.Text("kind");
      const std::string body = row.Text("body");
      const KindGroup* g = groupOf(kind);
      if (!g) continue;
      std::ptrdiff_t best = -1;
      for (std::size_t i = 0; i < program.size(); ++i) {
        if (used[i] || program[i].Kind != kind || program[i].Body != body) continue;
        if (std::fabs(program[i].UtJd - refUt) > g->WindowDays) continue;
        if (best < 0 || std::fabs(program[i].UtJd - refUt) < std::fabs(program[best].UtJd - refUt)) best = static_cast<std::ptrdiff_t>(i);
      }
      const std::string what = kind + (body.empty() ? "" : " " + body);
      const std::string input = what + ", year " + std::to_string(year) + ", " + PlaceText(p);
      const auto key = std::make_pair(g->Label, epoch);
      if (best < 0) {
        ++missing[key];
        if (!missingExample.contains(key)) missingExample[key] = input + ": expected " + UtText(refUt);
        continue;
      }
      used[best] = true;
      const CalendarEvent& e = program[best];
      ut(g->Label, epoch).Add(Case{(e.UtJd - refUt) * 1440.0, input, UtText(refUt), UtText(e.UtJd) + " (\"" + e.Text + "\")"});
      tt(g->Label, epoch).Add(Case{(e.TtJd - refTt) * 1440.0, input, Fmt("TT JD %.5f", refTt), Fmt("TT JD %.5f", e.TtJd)});
    }
    for (std::size_t i = 0; i < program.size(); ++i) {
      if (used[i]) continue;
      if (const KindGroup* g = groupOf(program[i].Kind)) ++extra[{g->Label, epoch}];
    }
    deltaT.push_back({year, ProgramDeltaTSeconds((start + end) / 2.0),
                      (first.Number("tt_jd") - first.Number("ut_jd")) * 86400.0});
  }
  for (const auto& key : ut.Order) {
    ut.Stats[key].Other = missing[key];
    tt.Stats[key].Other = extra[key];
  }

  out << "## Year calendar\n\n";
  WriteProvenance(out, t);
  out << "Each sampled year is computed for one random place (its zone decides which events belong to the local "
         "year). A reference event whose local date lies in the year is paired with the calendar's event of the "
         "same kind (and planet) nearest in time; \"missing\" counts reference events the calendar does not list "
         "(within 1 day, 1.5 days for the Moon's apsides and 5 days for the Earth's apsides and the planets). "
         "The first table is the error of what the calendar shows (its instant minus the year's Delta T, in UT); "
         "the second the error of the series alone (Terrestrial Time on both sides), whose \"extra\" column "
         "counts calendar events without a reference partner.\n\n";
  const auto methodOf = [&](const std::string& label) {
    for (const KindGroup& g : groups) {
      if (g.Label == label) return g.Method;
    }
    return std::string();
  };
  for (const KindGroup& kg : groups) {
    Summarize("Year calendar: " + kg.Label + " (UT shown)", ut, "min", 2,
              [&](const std::string& l) { return l == kg.Label; });
  }
  out << "### Shown time (UT)\n\n";
  WriteGroup(out, ut, "Events", "min", 2, "missing", methodOf);
  for (const auto& [key, text] : missingExample) out << "- missing, " << key.first << ", " << key.second << ", e.g.: " << text << "\n";
  out << "\n### Series alone (TT)\n\n";
  WriteGroup(out, tt, "Events", "min", 2, "extra", methodOf);

  out << "### Delta T of the calendar year\n\n"
      << "The calendar converts with one Delta T per year (" << m.DeltaT
      << "). The reference is astronomy-engine's Delta T (Espenak and Meeus polynomials; after 2005 an "
         "extrapolation, not a measurement).\n\n| Year | Program | Reference | Difference |\n|---|---|---|---|\n";
  for (const DeltaTRow& d : deltaT) {
    out << "| " << d.Year << " | " << Fmt("%.1f s", d.Program) << " | " << Fmt("%.1f s", d.Reference) << " | "
        << Fmt("%+.1f s", d.Program - d.Reference) << " |\n";
  }
  out << "\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: zenitra_accuracy <reference folder> <output.md>\n";
    return 2;
  }
  try {
    const std::string folder = argv[1];
    const Methods methods = MethodTexts();
    std::ostringstream body;
    Calendar(body, ReadTable(folder, "calendar.csv"), methods);
    SunEvents(body, ReadTable(folder, "sun_events.csv"), methods);
    MoonEvents(body, ReadTable(folder, "moon_events.csv"), methods);
    MoonDiskTable(body, ReadTable(folder, "moon_disk.csv"), methods);
    Planets(body, ReadTable(folder, "planets.csv"), methods);
    Stars(body, ReadTable(folder, "stars.csv"), methods);

    std::ofstream out(argv[2]);
    out << "# Accuracy of Zenitra's numbers\n\n"
        << "This page is generated by `tools/accuracy` (see its README): the program's values are compared with "
           "the independent ephemeris library astronomy-engine 2.1.19 over random places of the program's place list "
           "(every zone from −10 to +12 equally often, both hemispheres) and random moments from 1900 to 2100, with a "
           "smaller sample in 1600. Errors are the program minus the reference; each table gives the number of "
           "cases, the median and the largest absolute error, and the worst case so that it can be reproduced. "
           "Local times are standard times of the place's zone (summer time off).\n\n"
        << "Sun: " << methods.Sun << ".\n\n"
        << "## Summary\n\n"
        << "Absolute errors; the sections below split them by event, planet or zone, name the method and give the "
           "worst cases.\n\n"
        << "| Quantity | Cases 1900–2100 | Median | Largest | Cases 1600 | Median | Largest |\n"
        << "|---|---|---|---|---|---|---|\n";
    for (const std::string& row : gSummary) out << row << "\n";
    out << "\n" << body.str();
    if (!out) throw std::runtime_error(std::string("cannot write ") + argv[2]);
  } catch (const std::exception& e) {
    std::cerr << "zenitra_accuracy: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
