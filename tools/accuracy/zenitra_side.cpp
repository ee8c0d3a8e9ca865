// The program's side of the accuracy measurement (see zenitra_side.h). Every call below mirrors
// what a window or the map does with the same inputs; keep it so when those callers change.
#include "zenitra_side.h"

#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <cmath>
#include <numbers>
#include <string_view>

#include "calendars/year_calendar.h"
#include "core/degree_math.h"
#include "core/delta_t.h"
#include "core/local_moment.h"
#include "core/moon_events.h"
#include "core/moon_position.h"
#include "core/sun_position.h"
#include "core/time_scales.h"
#include "planets/planet_position.h"
#include "sky/projection.h"
#include "ui/sky_state.h"
#include "info_windows/moon_parameters_text.h"

namespace accuracy {

namespace {

zenitra::Location LocationOf(const Place& p) {
  // No zone name: the measurement runs on standard time.
  return zenitra::Location{p.Name, p.LatitudeDeg, p.LongitudeDeg, p.ZoneHours, ""};
}

EventJd SunEventJd(zenitra::DateTimeValue t) {
  if (t.Days == zenitra::NoEvent) return std::nullopt;
  return zenitra::DateTimeToJulianDay(t);
}

DayEvents SunEventsOfDay(const Place& place, zenitra::DateTimeValue day) {
  const double west = -place.LongitudeDeg;
  DayEvents e;
  e.Rise = SunEventJd(zenitra::SunRise(west, place.LatitudeDeg, day));
  e.Transit = SunEventJd(zenitra::SunTransit(west, place.LatitudeDeg, day));
  e.Set = SunEventJd(zenitra::SunSet(west, place.LatitudeDeg, day));
  return e;
}

// The number after `title` on the line that begins with it, decimal comma or point.
double NumberOnLine(const QString& text, const QString& title) {
  for (const QString& line : text.split(QStringLiteral("\r\n"))) {
    if (!line.startsWith(title)) continue;
    QString number;
    for (const QChar c : line.mid(title.size())) {
      if (c.isDigit() || c == u'-') number += c;
      else if (c == u',' || c == u'.') number += u'.';
      else if (!number.isEmpty() && c != u'\t') break;
    }
    return number.toDouble();
  }
  return std::nan("");
}

}  // namespace

DayEvents SunEventsOfLocalDate(const Place& place, int year, int month, int day) {
  // The Sun window: the events of the local day, from local midnight.
  return SunEventsOfDay(place, zenitra::JulianDayToDateTime(LocalMidnightJd(year, month, day, place.ZoneHours)));
}

DayEvents SunEventsOfUtDay(const Place& place, double dayStartJd) {
  return SunEventsOfDay(place, zenitra::JulianDayToDateTime(dayStartJd));
}

DayEvents MoonEventsOfLocalDate(const Place& place, int year, int month, int day) {
  // The Moon window: the events of the local day, from local midnight.
  const zenitra::MoonDayEvents m =
      zenitra::MoonRiseTransitSet(LocalMidnightJd(year, month, day, place.ZoneHours), place.LatitudeDeg, place.LongitudeDeg);
  const auto jd = [](double v) { return v == zenitra::NoEvent ? EventJd{} : EventJd{v}; };
  return DayEvents{jd(m.Rise), jd(m.Transit), jd(m.Set)};
}

MoonDisk MoonDiskShown(const Place& place, const LocalTime& t) {
  const zenitra::InfoWindowMoment moment{t.Year, t.Month, t.Day, t.Hour, t.Minute, t.Second, place.ZoneHours, 0.0};
  const QString text = zenitra::MoonParametersText(moment, LocationOf(place), QLocale(QLocale::German, QLocale::Germany));
  return MoonDisk{NumberOnLine(text, QStringLiteral("Beleuchteter Teil")),
                  NumberOnLine(text, QStringLiteral("Erdentfernung"))};
}

MoonDisk MoonDiskAt(double utJd) {
  const zenitra::MoonEphemerisValue m = zenitra::MoonEphemeris(utJd);
  return MoonDisk{m.IlluminatedFraction * 100.0, m.DistanceKm};
}

Equatorial PlanetPlace(const std::string& name, double utJd) {
  const zenitra::PlanetPlace p = zenitra::ComputePlanet(name, utJd, 0.0, 0.0, 0.0);
  return Equatorial{p.RightAscensionDeg, p.DeclinationDeg};
}

Equatorial PlanetPlaceOnMap(const std::string& name, double utJd) {
  const Equatorial e = PlanetPlace(name, utJd);
  constexpr double r = std::numbers::pi / 180.0;
  const zenitra::Vec3 v{std::cos(e.DeclinationDeg * r) * std::cos(e.RightAscensionDeg * r),
                        std::cos(e.DeclinationDeg * r) * std::sin(e.RightAscensionDeg * r), std::sin(e.DeclinationDeg * r)};
  const zenitra::Vec3 d = zenitra::MatrixTimesVector(zenitra::PrecessionMatrix(0.0, (utJd - 2451545.0) / 36525.0), v);
  double ra = std::atan2(d.y, d.x) / r;
  if (ra < 0.0) ra += 360.0;
  return Equatorial{ra, std::asin(d.z) / r};
}

Pixel StarPixel(const Place& place, const LocalTime& t, double raRad, double decRad, double centreAzimuthDeg) {
  const zenitra::ShownMoment moment{t.Year, t.Month, t.Day, t.Hour, t.Minute, t.Second};
  const zenitra::ProjectionFrame frame =
      zenitra::MakeProjectionFrame(kMapWidth, kMapHeight, moment, LocationOf(place), centreAzimuthDeg, false);
  zenitra::ScreenPoint point;
  const bool visible = zenitra::ProjectToScreen(frame, raRad, decRad, point);
  return Pixel{visible, static_cast<double>(point.X), static_cast<double>(point.Y)};
}

Pixel MapPixelOf(double azimuthDeg, double altitudeDeg, double centreAzimuthDeg) {
  const int cx = kMapWidth / 2;
  double a = azimuthDeg - centreAzimuthDeg;
  if (a > 180.0) a -= 360.0;
  if (a < -180.0) a += 360.0;
  Pixel p;
  p.X = cx + a * cx / 90.0;
  p.Y = (kMapHeight - zenitra::kHorizonOffset) -
        zenitra::kAltitudeScale * altitudeDeg * std::numbers::pi / 180.0 * kMapHeight;
  p.Visible = p.X > -10 && p.X < kMapWidth + 10 && p.Y > -10 && p.Y < kMapHeight + 10;
  return p;
}

namespace {

struct KindOfText {
  std::string_view Text;
  std::string_view Kind;
};
constexpr KindOfText kExactTexts[] = {
    {"Frühlingsanfang", "march_equinox"}, {"Sommeranfang", "june_solstice"},
    {"Herbstanfang", "september_equinox"}, {"Winteranfang", "december_solstice"},
    {"Neumond", "new_moon"},              {"Zunehmender Halbmond", "first_quarter"},
    {"Vollmond", "full_moon"},            {"Abnehmender Halbmond", "last_quarter"},
    {"Mond im Perigäum", "perigee"},      {"Mond im Apogäum", "apogee"},
    {"Erde im Perihel", "perihelion"},    {"Erde im Aphel", "aphelion"},
};
constexpr KindOfText kPlanetTexts[] = {
    {" in unterer Konjunktion zur Sonne", "inferior_conjunction"},
    {" in oberer Konjunktion zur Sonne", "superior_conjunction"},
    {" in Opposition zur Sonne", "opposition"},
    {" in Konjunktion zur Sonne", "conjunction"},
    {" in größter östlicher Elongation", "elongation_east"},
    {" in größter westlicher Elongation", "elongation_west"},
};
constexpr std::string_view kPlanetNames[] = {"Merkur", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptun"};

// Kind key and planet of a calendar text; empty kind for the summer-time lines.
std::pair<std::string, std::string> KindOf(const std::string& text) {
  for (const KindOfText& k : kExactTexts) {
    if (text == k.Text) return {std::string(k.Kind), {}};
  }
  if (text.find("Sonnenfinsternis") != std::string::npos) return {"solar_eclipse", {}};
  if (text.find("Mondfinsternis") != std::string::npos || text.find("finsternis des Mondes") != std::string::npos) {
    return {"lunar_eclipse", {}};
  }
  for (const std::string_view planet : kPlanetNames) {
    if (!text.starts_with(planet)) continue;
    for (const KindOfText& k : kPlanetTexts) {
      if (text.compare(planet.size(), k.Text.size(), k.Text) == 0) return {std::string(k.Kind), std::string(planet)};
    }
  }
  return {};
}

}  // namespace

std::vector<CalendarEvent> YearCalendarEvents(int year, double zoneHours) {
  std::vector<CalendarEvent> out;
  const auto calendar = zenitra::yearcal::BuildYearCalendar(year, zoneHours);
  if (!calendar) return out;
  for (const zenitra::yearcal::CalendarEntry& e : calendar->entries) {
    auto [kind, body] = KindOf(e.text);
    if (kind.empty()) continue;
    out.push_back(CalendarEvent{kind, body, e.instant, e.instant - calendar->deltaTDays, e.text});
  }
  return out;
}

double ProgramDeltaTSeconds(double utJd) { return zenitra::DeltaTSeconds(utJd); }

double LocalMidnightJd(int year, int month, int day, double zoneHours) {
  return zenitra::LocalMoment{year, month, day, 0, 0, 0, zoneHours, 0.0}.LocalMidnightJulianDay();
}

Methods MethodTexts() {
  Methods m;
  m.Sun = "VSOP87D Earth (all terms), FK5 correction, aberration 20.4898\"/R, IAU 1980 nutation (31 rows)";
  m.SunEvents = "Meeus ch. 15 on the Sun above at dynamical time (Delta T), h0 = -0.8333 deg, corrections "
                "repeated to 0.1 s, for the local day";
  m.MoonEvents = "Meeus ch. 15 with h0 = 0.7275 pi - 34' (pi the horizontal parallax), right ascension "
                 "interpolated across 0 h, corrections repeated to 0.1 s, for the local day; Moon from Meeus ch. 47 "
                 "(42/60/47 terms, 4-term nutation) at dynamical time";
  m.MoonDisk = "Meeus ch. 47 series (42 longitude, 60 distance, 47 latitude terms); illuminated fraction from the "
               "phase angle of Meeus ch. 48 (eq. 48.4); at the moment's dynamical time (UT + Delta T)";
  m.Planets = "mean orbital elements linear in time (Meeus ch. 31, table 31.A) with a Kepler iteration, short "
              "correction series for Jupiter to Neptune, linear precession to J2000; no light time, aberration "
              "or nutation";
  m.Stars = "catalogue places J2000 (no precession, nutation or aberration), local mean sidereal time, "
            "linear azimuth/altitude map";
  m.Seasons = "Meeus ch. 27 (mean instant plus 24 periodic terms)";
  m.Phases = "Meeus ch. 49 (mean lunation plus periodic and planetary terms)";
  m.Apsides = "Meeus ch. 50 (instants only, 60 perigee and 32 apogee terms)";
  m.EarthApsides = "Meeus ch. 38 with the corrections for the Moon, refined to the extreme of the VSOP87 distance";
  m.Eclipses = "Meeus ch. 54 (greatest eclipse from the syzygy series)";
  m.PlanetEvents = "Meeus ch. 36 (mean instant plus a short series in the planet's mean anomaly)";
  m.DeltaT = "Meeus table 10.A 1620-1900, measured yearly values 1900-2025, Espenak & Meeus (2006) and "
             "Morrison & Stephenson after, joined without a jump; polynomials before 1620";
  return m;
}

}  // namespace accuracy
