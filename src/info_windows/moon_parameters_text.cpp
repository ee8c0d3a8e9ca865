#include "info_windows/moon_parameters_text.h"

#include <cmath>

#include "core/degree_math.h"
#include "core/lunar_phases.h"
#include "core/moon_events.h"
#include "core/moon_position.h"
#include "info_windows/info_text_format.h"

namespace zenitra {

namespace {

// P = 716946800 / distance: the Moon's apparent diameter in seconds of arc for a distance in km.
constexpr double kDiameterConstant = 716946800.0;
constexpr double kEarthRadiusKm = 6378.0;

QString PhaseDate(const QLocale& locale, JulianDay w) { return ShortDateText(locale, JulianDayToDateTime(w)); }

QString ApsisText(const QLocale& locale, DateTimeValue t) {
  return QStringLiteral("UT ") + HourMinuteText(t) + QStringLiteral(" ") + DayMonthNameYearText(locale, t);
}

}  // namespace

double WindowMoonAge(const InfoWindowMoment& m) { return MoonAgeDays(m.DynamicalDateTime()); }

QString MoonDiameterText(const QLocale& locale, double p) {
  return FormatFixed(locale, p / 3600.0, 3) + QStringLiteral("° = %1'").arg(TruncToInt(p / 60.0)) +
         FormatFixed(locale, Frac(p / 60.0) * 60.0, 1) + QStringLiteral("\"");
}

QString MoonParametersText(const InfoWindowMoment& m, const Location& place, const QLocale& locale) {
  const JulianDay jd = m.UniversalJulianDay();
  const DateTimeValue tt = m.DynamicalDateTime();
  const double z = m.ClockOffsetHours();
  const std::array<JulianDay, 5> w = WindowLunationPhases(DateTimeToJulianDay(tt));
  const double a = DateTimeToJulianDay(tt) - w[0];
  // Place, distance and phase at the moment itself (dynamical time).
  const MoonEphemerisValue moon = MoonEphemeris(DateTimeToJulianDay(tt));
  const double delta = moon.DistanceKm;
  const double p = kDiameterConstant / delta;
  const double ageHours = (a - std::floor(a)) * 24.0;
  const long long ageMinutes = std::llround((ageHours - std::floor(ageHours)) * 60.0);
  const std::optional<std::int64_t> number = LunationNumber(JulianDayToDateTime(w[0]) + 1.0);
  const double sidereal =
      LocalSiderealHours(m.UniversalMidnightJulianDay(), m.UniversalHours(), place.LongitudeDeg);
  const CivilDate date{m.Year, m.Month, m.Day};

  QStringList lines;
  lines << QStringLiteral("Datum\t\t") + ShortDateText(locale, date);
  lines << QStringLiteral("Julianisches Datum\t") + FormatFixed(locale, jd, 5) + QStringLiteral(" JD");
  lines << QStringLiteral("Weltzeit\t\t") + LongTimeText(locale, JulianDayToDateTime(jd));
  lines << QStringLiteral("Lokale Zeit\t") + ShortDateText(locale, date) + QStringLiteral(" ; ") +
               LongTimeText(locale, m.Hour, m.Minute, m.Second);
  // Only the time of day is shown: the sidereal hours as a fraction of day 0.
  lines << QStringLiteral("Sternzeit\t\t") + LongTimeText(locale, DateTimeValue(sidereal / 24.0));
  // Whole days, hours and minutes; 60 rounded minutes carry into the hour.
  long long days = static_cast<long long>(std::floor(a));
  long long hours = static_cast<long long>(std::floor(ageHours));
  long long minutes = ageMinutes;
  if (minutes >= 60) {
    minutes -= 60;
    if (++hours >= 24) {
      hours -= 24;
      ++days;
    }
  }
  lines << QStringLiteral("Mondalter\t%1 d %2 h %3 min").arg(days).arg(hours).arg(minutes);
  lines << QStringLiteral("Erdentfernung\t") + FormatFixed(locale, delta, 1) + QStringLiteral(" km");
  lines << QStringLiteral("\t\t") + FormatFixed(locale, delta / kEarthRadiusKm, 2) + QStringLiteral(" Erdradien");
  lines << QStringLiteral("Beleuchteter Teil\t") + FormatFixed(locale, moon.IlluminatedFraction * 100.0, 2) +
               QStringLiteral(" %");
  lines << QStringLiteral("Monddurchmesser\t") + MoonDiameterText(locale, p);
  lines << QString();
  lines << QStringLiteral("Neumond\t\t") + PhaseDate(locale, w[0]);
  lines << QStringLiteral("Lunation\t\t") + (number ? QString::number(*number) : QString());
  lines << QStringLiteral("Erste Viertel\t") + PhaseDate(locale, w[1]);
  lines << QStringLiteral("Vollmond\t\t") + PhaseDate(locale, w[2]);
  lines << QStringLiteral("Letztes Viertel\t") + PhaseDate(locale, w[3]);
  lines << QStringLiteral("Neumond\t\t") + PhaseDate(locale, w[4]);
  lines << QStringLiteral("Perigäum\t\t") + ApsisText(locale, NextPerigee(tt));
  lines << QStringLiteral("Apogäum\t\t") + ApsisText(locale, NextApogee(tt));
  // Rising, culmination and setting within the local day, in UT and on the moment's clock.
  const MoonDayEvents e = MoonRiseTransitSet(m.LocalMidnightJulianDay(), place.LatitudeDeg, place.LongitudeDeg);
  if (e.Rise != NoEvent || e.Set != NoEvent) {
    const auto event = [&](const QString& title, double v, const QString& none) {
      if (v == NoEvent) {
        lines << title + none;
        return;
      }
      const DateTimeValue ut = JulianDayToDateTime(v);
      lines << title + QStringLiteral("UT ") + HourMinuteText(ut) + QStringLiteral(" Uhr");
      lines << QStringLiteral("\t\t") + HourMinuteText(ut + z / 24.0) + QStringLiteral(" Uhr, lokale Zeit");
    };
    event(QStringLiteral("Aufgangszeit\t"), e.Rise, QStringLiteral("kein Aufgang an diesem Tag"));
    event(QStringLiteral("Kulmination\t"), e.Transit, QStringLiteral("keine Kulmination an diesem Tag"));
    event(QStringLiteral("Untergangszeit\t"), e.Set, QStringLiteral("kein Untergang an diesem Tag"));
  }
  return lines.join(kCrLf) + kCrLf;
}

QStringList MoonFactLines() {
  return {QStringLiteral("Entfernung 384401 km = 60,33 rE"),
          QStringLiteral("Radius 1738 km = 0,2725 rE"),
          QStringLiteral("Abplattung 1 / 1700"),
          QStringLiteral("Volumen 2,2·10^10 km³ = 0,02 VE"),
          QStringLiteral("Masse 7,347·10^22 kg = 1/81 mE"),
          QStringLiteral("Dichte 3,341 g/cm³"),
          QStringLiteral("Fallbeschleunigung 0,165 g"),
          QStringLiteral("Bahnneigung 5°8'43\""),
          QStringLiteral("Bahnexzentrizität 0,0549"),
          QStringLiteral("Umlaufgeschwindigkeit 1,02 km/s")};
}

}  // namespace zenitra
