#include "windows/moon_parameters_text.h"

#include <cmath>

#include "core/degree_math.h"
#include "core/lunar_phases.h"
#include "core/moon_position.h"
#include "windows/info_text_format.h"

namespace zenitra {

namespace {

// P = 716946800 / distance: the Moon's apparent diameter in seconds of arc for a distance in km.
constexpr double kDiameterConstant = 716946800.0;
constexpr double kEarthRadiusKm = 6378.0;

// Local midnight of the date in UT, and 0h UT of the date.
struct MoonDays {
  DateTimeValue tL;  // the local moment
  JulianDay jd0;     // local midnight, UT
  JulianDay jdU;     // 0h UT of the date
  JulianDay J;       // the moment, UT
};

MoonDays DaysOf(const InfoWindowMoment& m) {
  MoonDays d{};
  d.tL = EncodeDate(m.Year, m.Month, m.Day) + m.Hour / 24.0 + m.Minute / 1440.0 + m.Second / 86400.0;
  d.jd0 = ZoneMidnightJulianDay(m.Year, m.Month, m.Day, m.Zone);
  d.jdU = d.jd0 + m.Zone / 24.0;
  d.J = d.jd0 + Frac(d.tL);
  return d;
}

QString PhaseDate(const QLocale& locale, JulianDay w) { return ShortDateText(locale, JulianDayToDateTime(w)); }

QString ApsisText(const QLocale& locale, DateTimeValue t) {
  return QStringLiteral("UT ") + HourMinuteText(t) + QStringLiteral(" ") + DayMonthNameYearText(locale, t);
}

// A right ascension or declination interpolated from three values a day apart (no bridging of 360).
double Interpolated(double n, double y1, double y2, double y3) { return y2 + n / 2.0 * (y3 - y1 + n * (y1 + y3 - 2.0 * y2)); }

}  // namespace

std::optional<MoonEvents> MoonRiseTransitSet(JulianDay jdU, double phi, double lambdaE) {
  const double theta0 = LocalSiderealHours(jdU, 0.0, 0.0) * 15.0;
  const MoonEphemerisValue p1 = MoonEphemeris(jdU - 1.0);
  const MoonEphemerisValue p2 = MoonEphemeris(jdU);
  const MoonEphemerisValue p3 = MoonEphemeris(jdU + 1.0);
  const double sinH = SinDeg(6378.14 / p3.DistanceKm);
  const double cosH0 = (sinH - SinDeg(phi) * SinDeg(p2.Declination)) / (CosDeg(phi) * CosDeg(p2.Declination));
  if (!(std::fabs(cosH0) <= 1.0) || !std::isfinite(theta0)) return std::nullopt;
  const double h0 = ArcCosDeg(cosH0);  // [0, 180]
  double m0 = (p2.RightAscension - lambdaE - theta0) / 360.0;
  double m1 = m0 - h0 / 360.0;
  double m2 = m0 + h0 / 360.0;
  for (double* m : {&m0, &m1, &m2}) {
    if (*m < 0.0) *m += 1.0;
  }
  const double deltaT = DeltaTParabola(jdU);
  struct Local {
    double alpha, delta, H, h;
  };
  const auto at = [&](double m) {
    const double n = m + deltaT / 86400.0;
    const double theta = theta0 + 360.985647 * m;
    Local l{};
    l.alpha = Interpolated(n, p1.RightAscension, p2.RightAscension, p3.RightAscension);
    l.delta = Interpolated(n, p1.Declination, p2.Declination, p3.Declination);
    l.H = theta + lambdaE - l.alpha;
    l.h = ArcSinDeg(SinDeg(phi) * SinDeg(l.delta) + CosDeg(phi) * CosDeg(l.delta) * CosDeg(l.H));
    return l;
  };
  const Local c = at(m0);
  double hReduced = std::fmod(c.H, 360.0);  // to (-180, 180]
  if (hReduced > 180.0) hReduced -= 360.0;
  if (hReduced <= -180.0) hReduced += 360.0;
  MoonEvents e;
  e.Transit = m0 - hReduced / 360.0;
  const auto corrected = [&](double m) {
    const Local l = at(m);
    return m + (l.h - 0.125) / (360.0 * CosDeg(l.delta) * CosDeg(phi) * SinDeg(l.H));
  };
  e.Rise = corrected(m1);
  e.Set = corrected(m2);
  return e;
}

double WindowMoonAge(const InfoWindowMoment& m) {
  const MoonDays d = DaysOf(m);
  double a = d.jd0 + (m.Hour + m.Minute / 60.0 + m.Second / 3600.0) / 24.0 -
             WindowPhaseInstant(m.Day, m.Month - 2, m.Year, PhaseKind::NewMoon) + m.Zone / 24.0;
  if (a < 0.0) {
    a = d.jd0 + Frac(d.tL) - WindowPhaseInstant(m.Day, m.Month - 3, m.Year, PhaseKind::NewMoon) + m.Zone / 24.0;
  }
  return a;
}

QString MoonDiameterText(const QLocale& locale, double p) {
  return FormatFixed(locale, p / 3600.0, 3) + QStringLiteral("° = %1'").arg(TruncToInt(p / 60.0)) +
         FormatFixed(locale, Frac(p / 60.0) * 60.0, 1) + QStringLiteral("\"");
}

QString MoonParametersText(const InfoWindowMoment& m, const Location& place, const QDate& today,
                           const QLocale& locale) {
  const MoonDays d = DaysOf(m);
  const double z = m.Zone;
  JulianDay w[5];
  for (int k = 0; k < 5; ++k) w[k] = WindowPhaseInstant(m.Day, m.Month - 2, m.Year, static_cast<PhaseKind>(k));
  const double a = WindowMoonAge(m);
  const MoonEphemerisValue moon = MoonEphemeris(d.J - z / 24.0);
  const double delta = moon.DistanceKm;
  const double p = kDiameterConstant / delta;
  const double ageHours = Frac(a) * 24.0;
  const std::optional<std::int64_t> lunation = LunationNumber(JulianDayToDateTime(w[0]) + 1.0);

  QStringList lines;
  lines << QStringLiteral("Datum\t\t") + ShortDateText(locale, d.tL);
  lines << QStringLiteral("Julianisches Datum\t") + FormatFixed(locale, d.J, 5) + QStringLiteral(" JD");
  lines << QStringLiteral("Weltzeit\t\t") + LongTimeText(locale, d.tL - z / 24.0);
  lines << QStringLiteral("Lokale Zeit\t") + ShortDateText(locale, today) + QStringLiteral(" ; ") +
               LongTimeText(locale, d.tL);
  lines << QStringLiteral("Sternzeit\t\t") +
               LongTimeText(locale, LocalSiderealHours(d.jd0, Frac(d.tL) * 24.0 - z, place.LongitudeDeg) / 24.0);
  lines << QStringLiteral("Mondalter\t%1 d %2 h %3 min")
               .arg(TruncToInt(a))
               .arg(TruncToInt(ageHours))
               .arg(FormatFixed(locale, Frac(ageHours) * 60.0, 0));
  lines << QStringLiteral("Erdentfernung\t") + FormatFixed(locale, delta, 1) + QStringLiteral(" km");
  lines << QStringLiteral("\t\t") + FormatFixed(locale, delta / kEarthRadiusKm, 2) + QStringLiteral(" Erdradien");
  lines << QStringLiteral("Beleuchteter Teil\t") + FormatFixed(locale, moon.IlluminatedFraction * 100.0, 2) +
               QStringLiteral(" %");
  lines << QStringLiteral("Monddurchmesser\t") + MoonDiameterText(locale, p);
  lines << QString();
  lines << QStringLiteral("Neumond\t\t") + PhaseDate(locale, w[0]);
  lines << QStringLiteral("Lunation\t\t") + (lunation ? QString::number(*lunation) : QString());
  lines << QStringLiteral("Erste Viertel\t") + PhaseDate(locale, w[1]);
  lines << QStringLiteral("Vollmond\t\t") + PhaseDate(locale, w[2]);
  lines << QStringLiteral("Letztes Viertel\t") + PhaseDate(locale, w[3]);
  lines << QStringLiteral("Neumond\t\t") + PhaseDate(locale, w[4]);
  lines << QStringLiteral("Perigäum\t\t") + ApsisText(locale, NextPerigee(d.tL));
  lines << QStringLiteral("Apogäum\t\t") + ApsisText(locale, NextApogee(d.tL));
  if (const std::optional<MoonEvents> e = MoonRiseTransitSet(d.jdU, place.LatitudeDeg, place.LongitudeDeg)) {
    const auto event = [&](const QString& title, double v) {
      lines << title + QStringLiteral("UT ") + HourMinuteText(v) + QStringLiteral(" Uhr");
      lines << QStringLiteral("\t\t") + HourMinuteText(v + z / 24.0) + QStringLiteral(" Uhr, lokale Zeit");
    };
    event(QStringLiteral("Aufgangszeit\t"), e->Rise);
    event(QStringLiteral("Kulmination\t"), e->Transit);
    event(QStringLiteral("Untergangszeit\t"), e->Set);
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
