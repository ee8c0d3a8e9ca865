#include "info_windows/sun_parameters_text.h"

#include <cmath>
#include <numbers>

#include "core/solar_time.h"
#include "core/sun_position.h"
#include "core/time_scales.h"
#include "ui/time_zone.h"
#include "info_windows/info_text_format.h"

namespace zenitra {

namespace {

// Lower bounds (hours of right ascension) of the zodiac names; the last bound can never be reached.
constexpr double kZodiacBounds[] = {1.783333, 3.35,      5.966667, 7.933333, 9.333333, 11.6,      14.3,
                                    15.966667, 16.366667, 17.716667, 20.05,   21.95,   23.416667, 24.1};
const char16_t* const kZodiacNames[] = {u"Widder",   u"Stier",           u"Zwillinge", u"Krebs",     u"Löwe",
                                        u"Jungfrau", u"Waage",           u"Skorpion",  u"Schlangenträger",
                                        u"Schütze",  u"Steinbock",       u"Wassermann", u"Fische",   u"Fische"};

// The text of a rising, setting or culmination: the local clock time and " ZZ", or the marker text.
QString EventText(const QLocale& locale, DateTimeValue event, double zoneHours, const QString& none) {
  if (event.Days == NoEvent || !std::isfinite(event.Days)) return none;
  return LongTimeText(locale, event + zoneHours / 24.0) + QStringLiteral(" ") + QStringLiteral(" ZZ");
}

}  // namespace

QString SunZodiacName(double r) {
  int found = -1;
  for (int i = 0; i < 14; ++i) {
    if (r >= kZodiacBounds[i]) found = i;
  }
  return QString::fromUtf16(found < 0 ? u"Fische" : kZodiacNames[found]);
}

SolarClock SolarClockOf(double hours) {
  // Whole minutes, rounded, carried into the hour and wrapped at 24 h.
  const long long minutes = std::llround(std::fmod(hours, 24.0) * 60.0);
  const long long wrapped = ((minutes % 1440) + 1440) % 1440;
  return SolarClock{static_cast<int>(wrapped / 60), static_cast<int>(wrapped % 60)};
}

int DayOfYear(const LocalMoment& m) {
  // From the calendar itself, so that Julian-calendar leap years (1500) count right.
  return static_cast<int>(JulianDayOfDate(m.Year, m.Month, m.Day) - JulianDayOfDate(m.Year, 1, 1)) + 1;
}

QString HoursMinutesText(double hours, const QString& hourUnit, const QString& minuteUnit) {
  const SolarClock c = SolarClockOf(hours);
  return QStringLiteral("%1%2%3%4").arg(c.Hours).arg(hourUnit).arg(c.Minutes).arg(minuteUnit);
}

namespace {

// Rising, setting and culmination of the local day, shown on the place's legal clock: standard
// time plus the summer hours in force at each event.
QStringList SunDayEventLines(const InfoWindowMoment& m, const Location& place, const QLocale& locale) {
  const auto legal = [&](DateTimeValue event) {
    return event.Days == NoEvent ? event : event + SummerHoursAt(place, DateTimeToJulianDay(event)) / 24.0;
  };
  const DateTimeValue dayStart = JulianDayToDateTime(m.LocalMidnightJulianDay());
  const double west = -place.LongitudeDeg;
  const double lat = place.LatitudeDeg;
  return {QStringLiteral("Sonnenaufgang\t") +
              EventText(locale, legal(SunRise(west, lat, dayStart)), place.ZoneHours, QStringLiteral("kein Aufgang")),
          QStringLiteral("Sonnenuntergang\t") +
              EventText(locale, legal(SunSet(west, lat, dayStart)), place.ZoneHours, QStringLiteral("kein Untergang")),
          QStringLiteral("Kulmination\t") + EventText(locale, legal(SunTransit(west, lat, dayStart)), place.ZoneHours,
                                                      QStringLiteral("keine Kulmination"))};
}

}  // namespace

const QStringList& SunDayEventCache::Lines(const InfoWindowMoment& m, const Location& place, const QLocale& locale) {
  const double dayStart = m.LocalMidnightJulianDay();
  const bool same = valid_ && dayStart == dayStart_ && place.LatitudeDeg == place_.LatitudeDeg &&
                    place.LongitudeDeg == place_.LongitudeDeg && place.ZoneHours == place_.ZoneHours &&
                    place.TimeZoneId == place_.TimeZoneId && locale.name() == localeName_;
  if (!same) {
    valid_ = false;  // stays invalid when the computation throws
    lines_ = SunDayEventLines(m, place, locale);
    dayStart_ = dayStart;
    place_ = place;
    localeName_ = locale.name();
    valid_ = true;
  }
  return lines_;
}

QString SunParametersText(const InfoWindowMoment& m, const Location& place, const QLocale& locale,
                          SunDayEventCache* cache) {
  const int n = DayOfYear(m);
  const SunLocalValues sun = SunAt(m, place.LatitudeDeg, place.LongitudeDeg);
  // Right ascension in hours, [0, 24).
  const double r = NormalizeDegrees(sun.Place.RightAscension) / 15.0;
  const double distanceKm = sun.Place.DistanceKm;
  const double diameter = RoundHalfEvenValue(SunDiameterArcsec(sun.Place));
  const int a = TruncToInt(diameter);

  QStringList lines;
  lines << QStringLiteral("Datum\t\t%1.%2.%3").arg(m.Day).arg(m.Month).arg(m.Year);
  lines << QStringLiteral("Tagesnummer\t%1").arg(n);
  lines << QStringLiteral("Zeit\t\t") + LongTimeText(locale, m.Hour, m.Minute, m.Second);
  lines << QStringLiteral("Deklination\t") + FormatFixed(locale, sun.Place.Declination, 2) + QStringLiteral("°");
  lines << QStringLiteral("Rektaszension\t") + HoursMinutesText(r, QStringLiteral("h"), QStringLiteral("min"));
  lines << QStringLiteral("Sternbild\t\t") + SunZodiacName(r);
  lines << QStringLiteral("Stundenwinkel\t") + FormatFixed(locale, sun.HourAngleDeg, 2) + QStringLiteral("°");
  lines << QStringLiteral("Azimut\t\t") + FormatFixed(locale, sun.AzimuthDeg, 2) + QStringLiteral("°");
  lines << QStringLiteral("Höhe\t\t") + FormatFixed(locale, sun.AltitudeDeg, 2) + QStringLiteral("°");
  lines << QStringLiteral("Zeitgleichung\t") + FormatFixed(locale, sun.EquationOfTimeMinutes, 2) + QStringLiteral(" min");
  lines << QStringLiteral("Sonnenzeit\t") + HoursMinutesText(sun.TrueSolarHours, QStringLiteral(" h "), QStringLiteral(" min"));
  lines << QStringLiteral("Erdabstand\t") + FormatFixed(locale, distanceKm, 0) + QStringLiteral(" km");
  lines << QStringLiteral("Durchmesser\t%1' %2\"").arg(a / 60).arg(a % 60);
  lines << QString();

  lines << (cache ? cache->Lines(m, place, locale) : SunDayEventLines(m, place, locale));
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
