#include "windows/sun_parameters_text.h"

#include <cmath>
#include <numbers>

#include "core/sun_position.h"
#include "core/time_scales.h"
#include "windows/info_text_format.h"

namespace zenitra {

namespace {

constexpr double kKmPerAu = 149597870.0;

// Lower bounds (hours of right ascension) of the zodiac names; the last bound can never be reached.
constexpr double kZodiacBounds[] = {1.783333, 3.35,      5.966667, 7.933333, 9.333333, 11.6,      14.3,
                                    15.966667, 16.366667, 17.716667, 20.05,   21.95,   23.416667, 24.1};
const char16_t* const kZodiacNames[] = {u"Widder",   u"Stier",           u"Zwillinge", u"Krebs",     u"Löwe",
                                        u"Jungfrau", u"Waage",           u"Skorpion",  u"Schlangenträger",
                                        u"Schütze",  u"Steinbock",       u"Wassermann", u"Fische",   u"Fische"};

// The text of a rising, setting or culmination: the local clock time and " ZZ", or the marker text.
QString EventText(const QLocale& locale, double event, double zoneHours, const QString& none) {
  if (!(event >= -1000000.0)) return none;
  return LongTimeText(locale, event + zoneHours / 24.0) + QStringLiteral(" ") + QStringLiteral(" ZZ");
}

}  // namespace

double EquationOfTimeMinutes(int dayNumber) {
  const double b = (dayNumber * 360.0 - 360.0) / 365.0 * std::numbers::pi / 180.0;
  const double e = (0.000075 + 0.001868 * std::cos(b) - 0.030277 * std::sin(b) - 0.014615 * std::cos(2 * b) -
                    0.04089 * std::sin(2 * b)) *
                   229.2;
  return RoundHalfEvenValue(e * 100.0) / 100.0;
}

QString SunZodiacName(double r) {
  int found = -1;
  for (int i = 0; i < 14; ++i) {
    if (r >= kZodiacBounds[i]) found = i;
  }
  return QString::fromUtf16(found < 0 ? u"Fische" : kZodiacNames[found]);
}

SolarClock SolarClockOf(double s) {
  const double h = std::trunc(s * 1.001);
  return SolarClock{TruncToInt(h), TruncToInt(RoundHalfEvenValue((s - h) * 60.0))};
}

QString SunParametersText(const InfoWindowMoment& m, const Location& place, const SunDisplayState& sun,
                          const QLocale& locale) {
  const double z = place.ZoneHours;
  const int n = DayNumber(m.Day, m.Month, m.Year);
  const DateTimeValue date0 = EncodeDate(m.Year, m.Month, m.Day);
  const DateTimeValue tL = date0 + (m.Hour * 3600.0 + m.Minute * 60.0 + m.Second) / 86400.0;

  // Right ascension of the Sun in hours, brought below 24 by whole days.
  double r = sun.RightAscensionRad * 180.0 / std::numbers::pi / 15.0;
  if (r > 24.0) r -= 24.0 * (std::ceil(r / 24.0) - 1.0);
  // Local sidereal time from the rounded Julian Day of local midnight.
  const double jd0 = RoundHalfEvenValue(ZoneMidnightJulianDay(m.Year, m.Month, m.Day, z));
  const double ut = m.Hour + m.Minute / 60.0 + m.Second / 3600.0 - z;
  const double s = LocalSiderealHours(jd0, ut, place.LongitudeDeg);
  const SolarClock clock = SolarClockOf(s);
  const double diameter = RoundHalfEvenValue(SunDiameterArcsec(tL));
  const int a = TruncToInt(diameter);

  QStringList lines;
  lines << QStringLiteral("Datum\t\t%1.%2.%3").arg(m.Day).arg(m.Month).arg(m.Year);
  lines << QStringLiteral("Tagesnummer\t%1").arg(n);
  lines << QStringLiteral("Zeit\t\t") + LongTimeText(locale, m.Hour, m.Minute, m.Second);
  lines << QStringLiteral("Deklination\t") + FormatFixed(locale, sun.DeclinationRad * 180.0 / std::numbers::pi, 2) +
               QStringLiteral("°");
  lines << QStringLiteral("Rektaszension\t%1h%2min").arg(TruncToInt(r)).arg(FormatFixed(locale, Frac(r) * 60.0, 0));
  lines << QStringLiteral("Sternbild\t\t") + SunZodiacName(r);
  lines << QStringLiteral("Stundenwinkel\t") + FormatFixed(locale, (s - r) * 15.0, 2) + QStringLiteral("°");
  lines << QStringLiteral("Azimut\t\t") + FormatFixed(locale, sun.AzimuthDeg, 2) + QStringLiteral("°");
  lines << QStringLiteral("Höhe\t\t") + FormatFixed(locale, sun.AltitudeRad * 180.0 / std::numbers::pi, 2) +
               QStringLiteral("°");
  lines << QStringLiteral("Zeitgleichung\t") + FormatFixed(locale, EquationOfTimeMinutes(n), 2) + QStringLiteral(" min");
  lines << QStringLiteral("Sonnenzeit\t%1 h %2 min").arg(clock.Hours).arg(clock.Minutes);
  lines << QStringLiteral("Erdabstand\t") + FormatFixed(locale, SunDistanceAU(tL) * kKmPerAu, 0) + QStringLiteral(" km");
  lines << QStringLiteral("Durchmesser\t%1' %2\"").arg(a / 60).arg(a % 60);
  lines << QString();

  // The summer hour of the day is added to all three events.
  const double summer = IsSummerTime(m.Day, m.Month, m.Year) ? 1.0 / 24.0 : 0.0;
  const double west = -place.LongitudeDeg;
  const double lat = place.LatitudeDeg;
  const auto shifted = [summer](double e) { return e == NoEvent ? e : e + summer; };
  lines << QStringLiteral("Sonnenaufgang\t") +
               EventText(locale, shifted(SunRise(west, lat, date0)), z, QStringLiteral("kein Aufgang"));
  lines << QStringLiteral("Sonnenuntergang\t") +
               EventText(locale, shifted(SunSet(west, lat, date0)), z, QStringLiteral("kein Untergang"));
  lines << QStringLiteral("Kulmination\t") +
               EventText(locale, shifted(SunTransit(west, lat, date0)), z, QStringLiteral("keine Kulmination"));
  return lines.join(kCrLf);
}

QStringList SunFactLines() {
  return {QStringLiteral("Mittlerer Abstand  149597893 km"),
          QStringLiteral("Radius 695800 km = 109 RE"),
          QStringLiteral("Volumen 1,410·10^18 km³ "),
          QStringLiteral("Masse 1,985·10^30 kg"),
          QStringLiteral("Dichte 1,41 g/cm³"),
          QStringLiteral("Fallbeschleunigung 27,9 g"),
          QStringLiteral("Mittlere Helligkeit -26,8 mag"),
          QStringLiteral("Temperatur 5700 K"),
          QStringLiteral("absolute Helligkeit 4,83 mag"),
          QStringLiteral("Spektralklasse G2 "),
          QStringLiteral("Leuchtkraftklasse V"),
          QStringLiteral("Alter 4,5 Milliarden Jahre")};
}

}  // namespace zenitra
