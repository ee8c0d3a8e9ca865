// The planet information window: fact sheets, the ephemeris text and the window itself.
#include "info_windows/planet_information_text.h"

#include <gtest/gtest.h>

#include "support/qstring_printer.h"

#include <QRegularExpression>

#include "planets/planet_position.h"
#include "info_windows/info_window_widgets.h"
#include "info_windows/tuplanet.h"

namespace zenitra {
namespace {

const QLocale kGerman(QLocale::German);
const Location kChemnitz{"Chemnitz, D", 50.836667, 12.854444, 1.0, "Europe/Berlin"};

InfoWindowMoment At(int y, int mo, int d, int h = 12, int mi = 0, double zone = 1.0) {
  return InfoWindowMoment{y, mo, d, h, mi, 0, zone, 0.0};
}

TEST(PlanetFactSheet, RunsToTheNextSectionAndEndsWithALineBreak) {
  const QString merkur = FactSheetText(QStringLiteral("Merkur"));
  EXPECT_TRUE(merkur.startsWith(QStringLiteral("Sonnenabstand 57,909 Mill. km = 0,387 AE\r\n")));
  EXPECT_TRUE(merkur.endsWith(QStringLiteral("Oberflächentemperatur 350 °C (Tag)\r\n")));
  EXPECT_EQ(merkur.count(QStringLiteral("\r\n")), 11);
  EXPECT_FALSE(merkur.contains(u'['));
  // The last section stops at the closing "[".
  EXPECT_TRUE(FactSheetText(QStringLiteral("Uranus")).endsWith(QStringLiteral("Oberflächentemperatur -193 °C\r\n")));
  EXPECT_EQ(FactSheetText(QStringLiteral("Uranus")).count(QStringLiteral("\r\n")), 11);
  EXPECT_TRUE(FactSheetText(QStringLiteral("Neptun")).isEmpty());
  EXPECT_TRUE(FactSheetText(QStringLiteral("Erde")).isEmpty());
}

TEST(PlanetFactSheet, InclinationsCarryTheArcSecondSign) {
  EXPECT_TRUE(FactSheetText(QStringLiteral("Mars")).contains(QStringLiteral("Bahnneigung 1°50'59\",4\r\n")));
  EXPECT_TRUE(FactSheetText(QStringLiteral("Venus")).contains(QStringLiteral("Masse 4,87·10^24 kg = 0,815 der Erde\r\n")));
  EXPECT_EQ(PlanetFactSheets().last(), QStringLiteral("["));
  EXPECT_EQ(PlanetFactSheets().filter(QRegularExpression(QStringLiteral("^\\[."))).size(), 6);
}

TEST(PlanetEphemerisText, NineLinesWithTheTwoLatitudeForms) {
  const QString text = PlanetEphemerisText(QStringLiteral("Jupiter"), At(2024, 3, 31), kChemnitz, kGerman);
  EXPECT_FALSE(text.endsWith(QStringLiteral("\r\n")));
  const QStringList lines = text.split(QStringLiteral("\r\n"));
  ASSERT_EQ(lines.size(), 9) << text.toStdString();
  EXPECT_TRUE(lines[0].contains(QRegularExpression(
      QStringLiteral("^heliozentrische Koordinaten: Länge = \\d+,\\d\\d°, Breite = -?\\d+,\\d\\d°$"))))
      << lines[0].toStdString();
  EXPECT_TRUE(lines[4].contains(QRegularExpression(
      QStringLiteral("^geozentrische Koordinaten: Länge = \\d+,\\d\\d°, Breite -?\\d+,\\d\\d°$"))))
      << lines[4].toStdString();
  EXPECT_TRUE(lines[1].contains(QRegularExpression(QStringLiteral("^Radiusvektor \\d+,\\d\\d AE$"))));
  EXPECT_TRUE(lines[2].contains(QRegularExpression(QStringLiteral("^Entfernung \\d+,\\d\\d AE$"))));
  EXPECT_TRUE(lines[3].contains(QRegularExpression(QStringLiteral("^Lichtlaufzeit \\d+ min \\d+ s$"))));
  EXPECT_TRUE(lines[5].contains(
      QRegularExpression(QStringLiteral("^Äquatorkoordinaten: RE = \\d+h \\d+,\\d min, DE = -?\\d+° \\d+,\\d'$"))))
      << lines[5].toStdString();
  EXPECT_TRUE(lines[6].contains(QRegularExpression(QStringLiteral("^Durchmesser \\d+,\\d\\d\"$"))));
  EXPECT_TRUE(lines[7].contains(QRegularExpression(QStringLiteral("^visuelle Helligkeit -?\\d+,\\d\\dm$"))));
  EXPECT_TRUE(lines[8].contains(QRegularExpression(QStringLiteral("^Aufgangszeit \\d+h\\d+m / Untergangszeit \\d+h\\d+m$"))))
      << lines[8].toStdString();
}

TEST(PlanetEphemerisText, LightTimeFollowsTheDistance) {
  // Light time = distance * 149597870 km / 299792.458 km/s; the distance is shown to 0.005 AU.
  for (const char* name : {"Merkur", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptun"}) {
    for (int month = 1; month <= 12; ++month) {
      const QStringList lines =
          PlanetEphemerisText(QString::fromLatin1(name), At(2023, month, 15), kChemnitz, kGerman).split(QStringLiteral("\r\n"));
      const double au = QString(lines[2]).remove(QStringLiteral("Entfernung ")).remove(QStringLiteral(" AE")).replace(u',', u'.').toDouble();
      const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("(\\d+) min (\\d+) s")).match(lines[3]);
      ASSERT_TRUE(m.hasMatch()) << lines[3].toStdString();
      const double seconds = m.captured(1).toInt() * 60 + m.captured(2).toInt();
      EXPECT_NEAR(seconds, au * 149597870.0 / 299792.458, 0.005 * 499.0 + 0.5) << name << " month " << month;
    }
  }
}

TEST(PlanetEphemerisText, NeverRisingPlanetIsUnsichtbarBothTimes) {
  // Far north in winter a planet south of the equator by more than the colatitude never rises.
  const Location north{"Nord", 80.0, 15.0, 1.0, ""};
  int found = 0;
  for (int month = 1; month <= 12; ++month) {
    for (const char* name : {"Merkur", "Venus", "Mars", "Jupiter", "Saturn", "Uranus"}) {
      const InfoWindowMoment m = At(2024, month, 1);
      const PlanetPlace p = ComputePlanet(name, m.UniversalJulianDay(), north.LatitudeDeg, north.LongitudeDeg, 1.0);
      if (p.Rise != PlanetNeverRises) continue;
      ++found;
      const QString text = PlanetEphemerisText(QString::fromLatin1(name), m, north, kGerman);
      EXPECT_TRUE(text.endsWith(QStringLiteral("\r\nAufgangszeit unsichtbar / Untergangszeit unsichtbar"))) << text.toStdString();
    }
  }
  EXPECT_GT(found, 0) << "no planet stayed below the horizon at 80 N in 2024";
}

TEST(DeclinationText, SignComesFromTheMinutes) {
  const DegreesMinutes half = SplitDeclination(-0.5);
  PlanetEphemeris e;
  e.DeclinationDegrees = half.Degrees;
  e.DeclinationMinutes = half.Minutes;
  EXPECT_EQ(DeclinationText(kGerman, e), QStringLiteral("-0° 30,0'"));
  e.DeclinationDegrees = -12;
  e.DeclinationMinutes = -5.04;
  EXPECT_EQ(DeclinationText(kGerman, e), QStringLiteral("-12° 5,0'"));
  e.DeclinationDegrees = 0;
  e.DeclinationMinutes = 30;
  EXPECT_EQ(DeclinationText(kGerman, e), QStringLiteral("0° 30,0'"));
}

TEST(TuplanetWindow, ShowsPictureNameFactsAndEphemeris) {
  Tuplanet w(QStringLiteral("Saturn"), At(2024, 3, 31), kChemnitz, nullptr, kGerman);
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Planeteninformationen"));
  EXPECT_EQ(w.size(), QSize(426, 302));
  EXPECT_TRUE(w.isModal());
  EXPECT_EQ(w.NameLabel->text(), QStringLiteral("Saturn"));
  EXPECT_EQ(w.NameLabel->pos(), QPoint(42, 136));
  ASSERT_FALSE(w.Image1->pixmap().isNull());
  EXPECT_EQ(w.Image1->pos(), QPoint(12, 12));
  EXPECT_NEAR(w.Image1->width(), 105, 10);
  EXPECT_EQ(TextBoxText(w.FactSheet), FactSheetText(QStringLiteral("Saturn")));
  EXPECT_EQ(TextBoxText(w.Ephemeris), PlanetEphemerisText(QStringLiteral("Saturn"), At(2024, 3, 31), kChemnitz, kGerman));
  EXPECT_EQ(w.FactSheet->geometry(), QRect(136, 12, 281, 161));
  EXPECT_EQ(w.Ephemeris->geometry(), QRect(12, 172, 413, 121));
}

TEST(TuplanetWindow, NeptuneHasNoPictureAndNoFacts) {
  Tuplanet w(QStringLiteral("Neptun"), At(2024, 3, 31), kChemnitz, nullptr, kGerman);
  EXPECT_TRUE(w.Image1->pixmap().isNull());
  EXPECT_TRUE(w.FactSheet->toPlainText().isEmpty());
  EXPECT_FALSE(w.Ephemeris->toPlainText().isEmpty());
}

}  // namespace
}  // namespace zenitra
