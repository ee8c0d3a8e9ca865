// The Moon window's text: line structure, today's date, the percent sign, the diameter line, the
// age rule, the lunation's phases and number, perigee and apogee, and a Moon that neither rises
// nor sets.
#include "info_windows/moon_parameters_text.h"

#include <gtest/gtest.h>

#include "support/qstring_printer.h"

#include <QRegularExpression>
#include <QTime>

#include "core/lunar_phases.h"
#include "core/moon_events.h"
#include "core/moon_position.h"
#include "core/time_scales.h"

namespace zenitra {
namespace {

const QLocale kGerman(QLocale::German);
const Location kChemnitz{"Chemnitz, D", 50.836667, 12.854444, 1.0, "Europe/Berlin"};
const Location kLongyearbyen{"Longyearbyen, N", 78.22, 15.65, 1.0, "Europe/Berlin"};

InfoWindowMoment At(int y, int mo, int d, int h = 12, int mi = 0, int s = 0, double zone = 1.0) {
  return InfoWindowMoment{y, mo, d, h, mi, s, zone, 0.0};
}

QStringList Lines(const QString& text) {
  QStringList lines = text.split(QStringLiteral("\r\n"));
  lines.removeLast();  // after the last CR LF
  return lines;
}

TEST(MoonParametersText, HasTwentyFiveLinesEachEndedByCrLf) {
  const QString text = MoonParametersText(At(2024, 3, 31), kChemnitz, kGerman);
  EXPECT_TRUE(text.endsWith(QStringLiteral("\r\n")));
  const QStringList lines = Lines(text);
  ASSERT_EQ(lines.size(), 25) << text.toStdString();
  const char* const starts[] = {"Datum\t\t31.03.2024", "Julianisches Datum\t2460400,95833 JD", "Weltzeit\t\t11:00:00",
                                "Lokale Zeit\t", "Sternzeit\t\t", "Mondalter\t", "Erdentfernung\t", "\t\t",
                                "Beleuchteter Teil\t", "Monddurchmesser\t", "", "Neumond\t\t", "Lunation\t\t",
                                "Erste Viertel\t", "Vollmond\t\t", "Letztes Viertel\t", "Neumond\t\t", "Perigäum\t\tUT ",
                                "Apogäum\t\tUT ", "Aufgangszeit\tUT ", "\t\t", "Kulmination\tUT ", "\t\t",
                                "Untergangszeit\tUT ", "\t\t"};
  for (int i = 0; i < 25; ++i) {
    EXPECT_TRUE(lines[i].startsWith(QString::fromUtf8(starts[i]))) << "line " << i + 1 << ": " << lines[i].toStdString();
  }
  EXPECT_TRUE(lines[7].endsWith(QStringLiteral(" Erdradien")));
  EXPECT_TRUE(lines[10].isEmpty());
  for (int i : {19, 21, 23}) EXPECT_TRUE(lines[i].endsWith(QStringLiteral(" Uhr"))) << lines[i].toStdString();
  for (int i : {20, 22, 24}) {
    EXPECT_TRUE(lines[i].contains(QRegularExpression(QStringLiteral("^\\t\\t\\d\\d:\\d\\d Uhr, lokale Zeit$"))))
        << lines[i].toStdString();
  }
}

TEST(MoonParametersText, TimeLinesShowTheMomentAlsoBefore1900) {
  // 1800-06-01 12:00 at zone +1: JD 2378647.95833 (Meeus, ch. 7), 11:00 UT; the local line shows
  // the moment's own date. A negative day count since 1899-12-30 must not mirror the clock.
  const QStringList lines = Lines(MoonParametersText(At(1800, 6, 1, 12, 0, 0), kChemnitz, kGerman));
  EXPECT_EQ(lines[0], QStringLiteral("Datum\t\t01.06.1800"));
  EXPECT_EQ(lines[1], QStringLiteral("Julianisches Datum\t2378647,95833 JD"));
  EXPECT_EQ(lines[2], QStringLiteral("Weltzeit\t\t11:00:00"));
  EXPECT_EQ(lines[3], QStringLiteral("Lokale Zeit\t01.06.1800 ; 12:00:00"));
  // Before 2001: 1990-03-20 lies in the lunation of the new moon of 1990-02-25 (Astronomical
  // Almanac), age 23 d; the phase block lists that lunation.
  const QStringList l1990 = Lines(MoonParametersText(At(1990, 3, 20, 12, 0, 0), kChemnitz, kGerman));
  EXPECT_TRUE(l1990[5].startsWith(QStringLiteral("Mondalter\t23 d "))) << l1990[5].toStdString();
  EXPECT_EQ(l1990[11], QStringLiteral("Neumond\t\t25.02.1990"));
  EXPECT_EQ(l1990[16], QStringLiteral("Neumond\t\t26.03.1990"));
}

TEST(MoonParametersText, MoonAndSiderealTimeAreThoseOfTheMomentAtAnyZone) {
  // astronomy-engine 2.1.19 (tools/reference/local_day_reference.js): Adelaide (zone +9.5),
  // 1993-02-12 14:58 standard time: illuminated fraction 65.23 %. Tokyo (zone +9), 2024-03-10
  // 09:00 = 0 h UT: Greenwich apparent sidereal time 11.210748 h, plus 139.751407 deg / 15 gives
  // 20:31:39 local sidereal time (mean and apparent differ by under a second); moonrise at
  // 2460379.373343 (UT 20:57:37 of 9 March, local 05:57).
  const Location adelaide{"Adelaide, AUS", -34.934988, 138.600005, 9.5, "Australia/Adelaide"};
  const QStringList a = Lines(MoonParametersText(At(1993, 2, 12, 14, 58, 0, 9.5), adelaide, kGerman));
  const double percent =
      QString(a[8]).remove(QStringLiteral("Beleuchteter Teil\t")).remove(QStringLiteral(" %")).replace(u',', u'.').toDouble();
  EXPECT_NEAR(percent, 65.23, 1.0) << a[8].toStdString();
  const Location tokyo{"Tokyo, J", 35.685017, 139.751407, 9.0, "Asia/Tokyo"};
  const QStringList t = Lines(MoonParametersText(At(2024, 3, 10, 9, 0, 0, 9.0), tokyo, kGerman));
  const QTime sidereal = QTime::fromString(t[4].section(u'\t', -1), QStringLiteral("HH:mm:ss"));
  EXPECT_NEAR(QTime(20, 31, 39).secsTo(sidereal), 0, 2) << t[4].toStdString();
  EXPECT_EQ(t[19], QStringLiteral("Aufgangszeit\tUT 20:57 Uhr"));
  EXPECT_EQ(t[20], QStringLiteral("\t\t05:57 Uhr, lokale Zeit"));
}

TEST(MoonParametersText, IlluminatedPartEndsWithASinglePercentSign) {
  const QStringList lines = Lines(MoonParametersText(At(2024, 3, 31), kChemnitz, kGerman));
  EXPECT_TRUE(lines[8].contains(QRegularExpression(QStringLiteral("^Beleuchteter Teil\\t\\d{1,3},\\d\\d %$"))))
      << lines[8].toStdString();
}

TEST(MoonParametersText, DiameterLineInDegreesAndArcMinutes) {
  EXPECT_EQ(MoonDiameterText(kGerman, 1865.1), QStringLiteral("0,518° = 31'5,1\""));
  EXPECT_EQ(MoonDiameterText(QLocale::c(), 1865.1), QStringLiteral("0.518° = 31'5.1\""));
}

TEST(MoonParametersText, DistanceAndIlluminationOfMeeusWorkedExample) {
  // Meeus, Astronomical Algorithms, ex. 47.a and 48.a: 1992-04-12 0h TD, distance 368409.7 km;
  // with the phase angle from the elongation formula (48.4), i = 68.88 degrees and the
  // illuminated fraction 0.6802. Zone 0, so the window computes the Moon for this instant; the
  // shortened series of the window agree with the full one to some tens of kilometres.
  const QStringList lines = Lines(MoonParametersText(At(1992, 4, 12, 0, 0, 0, 0.0), kChemnitz, kGerman));
  bool ok = false;
  const double km = QString(lines[6]).remove(QStringLiteral("Erdentfernung\t")).remove(QStringLiteral(" km")).replace(u',', u'.').toDouble(&ok);
  ASSERT_TRUE(ok) << lines[6].toStdString();
  EXPECT_NEAR(km, 368409.7, 50.0) << lines[6].toStdString();
  const double percent =
      QString(lines[8]).remove(QStringLiteral("Beleuchteter Teil\t")).remove(QStringLiteral(" %")).replace(u',', u'.').toDouble(&ok);
  ASSERT_TRUE(ok) << lines[8].toStdString();
  EXPECT_NEAR(percent, 68.02, 0.05) << lines[8].toStdString();
  EXPECT_EQ(lines[1], QStringLiteral("Julianisches Datum\t2448724,50000 JD"));
}

TEST(MoonParametersText, PhaseDatesAndLunationOfMeeusWorkedExample) {
  // 1977-02-20 lies in lunation k = -283: the new moon of 1977 February 18, 3h37m TD (Meeus,
  // ex. 49.a); Brown's lunation number is k + 953 = 670. The quarters follow (first quarter
  // 1977-02-26, full moon 1977-03-05, last quarter 1977-03-12, new moon 1977-03-19).
  const QStringList lines = Lines(MoonParametersText(At(1977, 2, 20), kChemnitz, kGerman));
  EXPECT_EQ(lines[11], QStringLiteral("Neumond\t\t18.02.1977"));
  EXPECT_EQ(lines[12], QStringLiteral("Lunation\t\t670"));
  EXPECT_EQ(lines[13], QStringLiteral("Erste Viertel\t26.02.1977"));
  EXPECT_EQ(lines[14], QStringLiteral("Vollmond\t\t05.03.1977"));
  EXPECT_EQ(lines[15], QStringLiteral("Letztes Viertel\t12.03.1977"));
  EXPECT_EQ(lines[16], QStringLiteral("Neumond\t\t19.03.1977"));
}

TEST(MoonParametersText, ApogeeOfMeeusWorkedExample) {
  // Meeus, ex. 50.a: apogee 1988 October 7 at 20h30m TD.
  const QStringList lines = Lines(MoonParametersText(At(1988, 10, 1), kChemnitz, kGerman));
  const QRegularExpressionMatch m =
      QRegularExpression(QStringLiteral("^Apogäum\\t\\tUT (\\d\\d:\\d\\d) 7\\.Oktober 1988$")).match(lines[18]);
  ASSERT_TRUE(m.hasMatch()) << lines[18].toStdString();
  EXPECT_NEAR(QTime(20, 30).secsTo(QTime::fromString(m.captured(1), QStringLiteral("HH:mm"))), 0, 180);
}

TEST(MoonParametersText, EndsAfterTheApogeeWhenTheMoonNeitherRisesNorSets) {
  // At 78 degrees north the Moon stays up or down for days around its greatest declinations.
  int found = 0;
  for (int d = 0; d < 60 && found < 2; ++d) {
    const CivilDate c = DateOfDateTime(EncodeDate(2025, 1, 1) + d);
    const InfoWindowMoment m = At(c.year, c.month, c.day);
    const MoonDayEvents e = MoonRiseTransitSet(m.LocalMidnightJulianDay(), kLongyearbyen.LatitudeDeg, kLongyearbyen.LongitudeDeg);
    if (e.Rise != NoEvent || e.Set != NoEvent) continue;
    ++found;
    const QString text = MoonParametersText(m, kLongyearbyen, kGerman);
    const QStringList lines = Lines(text);
    ASSERT_EQ(lines.size(), 19) << text.toStdString();
    EXPECT_TRUE(lines.last().startsWith(QStringLiteral("Apogäum\t\tUT "))) << lines.last().toStdString();
    EXPECT_TRUE(text.endsWith(QStringLiteral("\r\n")));
  }
  EXPECT_EQ(found, 2) << "no circumpolar or never-rising Moon at 78 N in early 2025";
}

}  // namespace
}  // namespace zenitra
