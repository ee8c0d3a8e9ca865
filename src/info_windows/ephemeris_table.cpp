#include "info_windows/ephemeris_table.h"

#include "core/time_scales.h"
#include "planets/planet_position.h"
#include "planets/planet_visibility.h"
#include "info_windows/info_text_format.h"
#include "info_windows/planet_information_text.h"

namespace zenitra {

const QStringList& EphemerisPlanets() {
  static const QStringList names = {QStringLiteral("Merkur"), QStringLiteral("Venus"),  QStringLiteral("Mars"),
                                    QStringLiteral("Jupiter"), QStringLiteral("Saturn"), QStringLiteral("Uranus"),
                                    QStringLiteral("Neptun")};
  return names;
}

const QStringList& EphemerisRowTitles() {
  static const QStringList titles = {
      QString(),
      QStringLiteral("helioz.Länge"),  QStringLiteral("helioz.Breite"),  QStringLiteral("Radiusvektor"),
      QStringLiteral("Entfernung a"),  QStringLiteral("Lichtlaufzeit"),  QStringLiteral("geoz.Länge"),
      QStringLiteral("geoz.Breite"),   QStringLiteral("Rektaszension"),  QStringLiteral("Deklination"),
      QStringLiteral("Durchmesser"),   QStringLiteral("vis.Helligkeit"), QStringLiteral("Aufgangszeit"),
      QStringLiteral("Untergangszeit"), QStringLiteral("Sternbild"),     QStringLiteral("Azimut"),
      QStringLiteral("Höhe"),          QStringLiteral("Sichtbarkeit")};
  return titles;
}

EphemerisTable BuildEphemerisTable(const InfoWindowMoment& m, const Location& place, const QLocale& locale) {
  EphemerisTable t;
  for (int c = 1; c < kEphemerisColumns; ++c) t.Cells[0][c] = EphemerisPlanets()[c - 1];
  for (int r = 1; r < kEphemerisRows; ++r) t.Cells[r][0] = EphemerisRowTitles()[r];

  const double jd = m.UniversalJulianDay();
  const double lst = SiderealTimeHours(m.UniversalMidnightJulianDay(), m.UniversalHours(), place.LongitudeDeg);

  // The Earth first: it feeds only the invisible label.
  const PlanetPlace earth = ComputePlanet("Erde", jd, place.LatitudeDeg, place.LongitudeDeg, place.ZoneHours);
  t.EarthLabel = DegreesText(locale, earth.Ephemeris.HeliocentricLongitude);

  for (int c = 1; c < kEphemerisColumns; ++c) {
    const PlanetPlace p = ComputePlanet(EphemerisPlanets()[c - 1].toStdString(), jd, place.LatitudeDeg,
                                        place.LongitudeDeg, place.ZoneHours);
    const PlanetEphemeris& e = p.Ephemeris;
    t.Cells[1][c] = DegreesText(locale, e.HeliocentricLongitude);
    t.Cells[2][c] = DegreesText(locale, e.HeliocentricLatitude);
    t.Cells[3][c] = AuText(locale, e.RadiusVector);
    t.Cells[4][c] = AuText(locale, e.Distance);
    t.Cells[5][c] = LightTimeText(e.Distance);
    t.Cells[6][c] = DegreesText(locale, e.GeocentricLongitude);
    t.Cells[7][c] = DegreesText(locale, e.GeocentricLatitude);
    t.Cells[8][c] = RightAscensionText(locale, e);
    t.Cells[9][c] = DeclinationText(locale, e);
    t.Cells[10][c] = DiameterText(locale, e.ApparentDiameter);
    t.Cells[11][c] = MagnitudeText(locale, e.Magnitude);
    t.Cells[12][c] = QString::fromStdString(FormatRiseTime(p.Rise));
    t.Cells[13][c] = QString::fromStdString(FormatRiseTime(p.Set));
    t.Cells[14][c] = QString::fromStdString(ZodiacConstellation(e.GeocentricLongitude / 15.0));
    const Horizontal h = HorizontalPosition(e.RightAscensionHours, e.RightAscensionMinutes, e.DeclinationDegrees,
                                            e.DeclinationMinutes, lst, place.LatitudeDeg);
    t.Cells[16][c] = QString::fromStdString(FormatDegMin(h.AltitudeDeg));
    t.Cells[17][c] = QString::fromStdString(VisibilityText(h.AltitudeDeg));
    t.Cells[15][c] = QString::fromStdString(FormatDegMin(h.AzimuthDeg));
  }
  return t;
}

QString EphemerisTableText(const EphemerisTable& table) {
  QString text;
  for (const auto& row : table.Cells) {
    QStringList cells(row.begin(), row.end());
    text += cells.join(u'\t') + u'\n';
  }
  return text;
}

}  // namespace zenitra
