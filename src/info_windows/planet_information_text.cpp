#include "info_windows/planet_information_text.h"

#include <cmath>

#include "core/time_scales.h"
#include "planets/planet_visibility.h"
#include "info_windows/info_text_format.h"

namespace zenitra {

const QStringList& PlanetFactSheets() {
  static const QStringList sheets = {
      QStringLiteral("[Merkur"),
      QStringLiteral("Sonnenabstand 57,909 Mill. km = 0,387 AE"),
      QStringLiteral("Umlaufzeit 87,969 d = 0,2408467 a"),
      QStringLiteral("Rotationsperiode 58,646225 d"),
      QStringLiteral("Bahngeschwindigkeit 47,87 km/s"),
      QStringLiteral("Bahnneigung 7°00'15\",5"),
      QStringLiteral("Bahnexzentrizität 0,20563069"),
      QStringLiteral("Radius 2439 km = 0,383 RErde"),
      QStringLiteral("Masse 3,30·10^26 g = 0,055 der Erde"),
      QStringLiteral("Dichte 5,43 g/cm³"),
      QStringLiteral("Schwerebeschleunigung 0,378 g"),
      QStringLiteral("Oberflächentemperatur 350 °C (Tag)"),
      QStringLiteral("[Venus"),
      QStringLiteral("Sonnenabstand 108,2 Millionen km = 0,723 AE"),
      QStringLiteral("Umlaufzeit 224,701 d"),
      QStringLiteral("Rotationsperiode 243,16 d"),
      QStringLiteral("Bahngeschwindigkeit 35,02 km/s"),
      QStringLiteral("Bahnneigung 3°23'39\",8"),
      QStringLiteral("Bahnexzentrizität 0,007"),
      QStringLiteral("Durchmesser 12104 km"),
      QStringLiteral("Masse 4,87·10^24 kg = 0,815 der Erde"),
      QStringLiteral("Dichte 5,25 g/cm³"),
      QStringLiteral("Schwerebeschleunigung 0,905 g"),
      QStringLiteral("Oberflächentemperatur 480 °C (Tag)"),
      QStringLiteral("[Mars"),
      QStringLiteral("Sonnenabstand 227,94 Millionen km = 1,524 AE"),
      QStringLiteral("Umlaufzeit 686,98 d"),
      QStringLiteral("Rotationsperiode 24h 37 min 23s"),
      QStringLiteral("Bahngeschwindigkeit 24,13 km/s"),
      QStringLiteral("Bahnneigung 1°50'59\",4"),
      QStringLiteral("Bahnexzentrizität 0,093"),
      QStringLiteral("Radius 6794 km"),
      QStringLiteral("Masse 6,421·10^26 g = 0,107 der Erde"),
      QStringLiteral("Dichte 3,94 g/cm³"),
      QStringLiteral("Schwerebeschleunigung 0,379 g"),
      QStringLiteral("Oberflächentemperatur -23 °C"),
      QStringLiteral("[Jupiter"),
      QStringLiteral("Sonnenabstand 778 Millionen km = 5,203 AE"),
      QStringLiteral("Umlaufzeit 11 Jahre 321 Tage"),
      QStringLiteral("Rotationsperiode 9h 56min"),
      QStringLiteral("Bahngeschwindigkeit 13,06 km/s"),
      QStringLiteral("Bahnneigung 1°18'15\",8"),
      QStringLiteral("Bahnexzentrizität 0,048"),
      QStringLiteral("Durchmesser 143800 km"),
      QStringLiteral("Masse 318fache Erdmasse"),
      QStringLiteral("Dichte 1,33 g/cm³"),
      QStringLiteral("Schwerebeschleunigung 2,529 g"),
      QStringLiteral("Oberflächentemperatur -128 °C"),
      QStringLiteral("[Saturn"),
      QStringLiteral("Sonnenabstand 1427 Millionen km = 9,539 AE"),
      QStringLiteral("Umlaufzeit 29,46 Jahre"),
      QStringLiteral("Rotationsperiode 10h 39min"),
      QStringLiteral("Bahngeschwindigkeit 9,66 km/s"),
      QStringLiteral("Bahnneigung 2°29'21\",6"),
      QStringLiteral("Bahnexzentrizität 0,056"),
      QStringLiteral("Durchmesser 120660 km"),
      QStringLiteral("Masse 95,2fache Erdmasse"),
      QStringLiteral("Dichte 0,71 g/cm³"),
      QStringLiteral("Schwerebeschleunigung 1,066 g"),
      QStringLiteral("Oberflächentemperatur -180 °C"),
      QStringLiteral("[Uranus"),
      QStringLiteral("Sonnenabstand 2871 Millionen km = 19,19 AE"),
      QStringLiteral("Umlaufzeit 84,01 Jahre"),
      QStringLiteral("Rotationsperiode 17h 149min"),
      QStringLiteral("Bahngeschwindigkeit 6,81 km/s"),
      QStringLiteral("Bahnneigung 0,774°"),
      QStringLiteral("Bahnexzentrizität 0,046"),
      QStringLiteral("Durchmesser 51118 km"),
      QStringLiteral("Masse 14,5fache Erdmasse"),
      QStringLiteral("Dichte 1,29 g/cm³"),
      QStringLiteral("Schwerebeschleunigung 0,903 g"),
      QStringLiteral("Oberflächentemperatur -193 °C"),
      QStringLiteral("["),
  };
  return sheets;
}

QString FactSheetText(const QString& planetName) {
  const QStringList& lines = PlanetFactSheets();
  const qsizetype start = lines.indexOf(QStringLiteral("[") + planetName);
  if (start < 0) return {};
  QString text;
  for (qsizetype i = start + 1; i < lines.size() && !lines[i].startsWith(u'['); ++i) text += lines[i] + kCrLf;
  return text;
}

QString DegreesText(const QLocale& locale, double degrees) { return FormatFixed(locale, degrees, 2) + QStringLiteral("°"); }

QString AuText(const QLocale& locale, double au) { return FormatFixed(locale, au, 2) + QStringLiteral(" AE"); }

QString LightTimeText(double distanceAu) {
  const std::optional<int> seconds = LightTimeSeconds(distanceAu);
  return seconds ? QString::fromStdString(FormatLightTime(*seconds)) : QString();
}

QString RightAscensionText(const QLocale& locale, const PlanetEphemeris& e) {
  // Tenths of a minute, rounded once and carried: 23 h 59.97 min reads "0h 0,0", not "23h 60,0".
  const double hours = e.RightAscensionHours + e.RightAscensionMinutes / 60.0;
  if (!std::isfinite(hours)) return FormatFixed(locale, hours, 0) + QStringLiteral("h ");
  const long long tenths = ((std::llround(hours * 600.0) % 14400) + 14400) % 14400;
  return QString::number(tenths / 600) + QStringLiteral("h ") + FormatFixed(locale, (tenths % 600) / 10.0, 1);
}

QString DeclinationText(const QLocale& locale, const PlanetEphemeris& e) {
  // Tenths of an arc minute, rounded once and carried into the degree.
  const double degrees = e.DeclinationDegrees + e.DeclinationMinutes / 60.0;
  if (!std::isfinite(degrees)) return FormatFixed(locale, degrees, 0) + QStringLiteral("°");
  const long long tenths = std::llround(std::fabs(degrees) * 600.0);
  const QString sign = degrees < 0.0 && tenths != 0 ? QStringLiteral("-") : QString();
  return sign + QString::number(tenths / 600) + QStringLiteral("° ") + FormatFixed(locale, (tenths % 600) / 10.0, 1) +
         QStringLiteral("'");
}

QString DiameterText(const QLocale& locale, double arcsec) { return FormatFixed(locale, arcsec, 2) + QStringLiteral("\""); }

QString MagnitudeText(const QLocale& locale, double magnitude) { return FormatFixed(locale, magnitude, 2) + QStringLiteral("m"); }

QString PlanetEphemerisText(const QString& planetName, const InfoWindowMoment& moment, const Location& place,
                            const QLocale& locale) {
  const PlanetPlace p = ComputePlanet(planetName.toStdString(), moment.UniversalJulianDay(), place.LatitudeDeg,
                                      place.LongitudeDeg, place.ZoneHours);
  const PlanetEphemeris& e = p.Ephemeris;
  QStringList lines;
  lines << QStringLiteral("heliozentrische Koordinaten: Länge = ") + DegreesText(locale, e.HeliocentricLongitude) +
               QStringLiteral(", Breite = ") + DegreesText(locale, e.HeliocentricLatitude);
  lines << QStringLiteral("Radiusvektor ") + AuText(locale, e.RadiusVector);
  lines << QStringLiteral("Entfernung ") + AuText(locale, e.Distance);
  lines << QStringLiteral("Lichtlaufzeit ") + LightTimeText(e.Distance);
  lines << QStringLiteral("geozentrische Koordinaten: Länge = ") + DegreesText(locale, e.GeocentricLongitude) +
               QStringLiteral(", Breite ") + DegreesText(locale, e.GeocentricLatitude);
  lines << QStringLiteral("Äquatorkoordinaten: RE = ") + RightAscensionText(locale, e) + QStringLiteral(" min, DE = ") +
               DeclinationText(locale, e);
  lines << QStringLiteral("Durchmesser ") + DiameterText(locale, e.ApparentDiameter);
  lines << QStringLiteral("visuelle Helligkeit ") + MagnitudeText(locale, e.Magnitude);
  lines << QStringLiteral("Aufgangszeit ") + QString::fromStdString(FormatRiseTime(p.Rise)) +
               QStringLiteral(" / Untergangszeit ") + QString::fromStdString(FormatRiseTime(p.Set));
  return lines.join(kCrLf);
}

}  // namespace zenitra
