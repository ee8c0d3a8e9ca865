// The Moon window's text: line structure, today's date, the percent sign, the diameter line, the
// age rule, the lunation's phases and number, perigee and apogee, and a Moon that neither rises
// nor sets.
#include "windows/moon_parameters_text.h"

#include <gtest/gtest.h>

#include "support/qstring_printer.h"

#include <QRegularExpression>
#include <QTime>

#include "core/lunar_phases.h"
#include "core/moon_position.h"
#include "core/time_scales.h"

namespace zenitra {
namespace {

const QLocale kGerman(QLocale::German);
const Location kChemnitz{"Chemnitz, D", 50.836667, 12.854444, 1.0, "Europe/Berlin"};
const Location kLongyearbyen{"Longyearbyen, N", 78.22, 15.65, 1.0, "Europe/Berlin"};
const QDate kToday(2001, 2, 3);

InfoWindowMoment At(int y, int mo, int d, int h = 12, int mi = 0, int s = 0, double zone = 1.0) {
  return InfoWindowMoment{zone, d, mo, y, h, mi, s};
}

QStringList Lines(const QString& text) {
  QStringList lines = text.split(QStringLiteral("\r\n"));
  lines.removeLast();  // after the last CR LF
  return lines;
}

TEST(MoonParametersText, HasTwentyFiveLinesEachEndedByCrLf) {
  const QString text = MoonParametersText(At(2024, 3, 31), kChemnitz, kToday, kGerman);
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

TEST(MoonParametersText, LineFourShowsTheComputersDateNotTheMoment) {
  const QStringList lines = Lines(MoonParametersText(At(2024, 3, 31, 21, 5, 9), kChemnitz, kToday, kGerman));
  EXPECT_EQ(lines[3], QStringLiteral("Lokale Zeit\t03.02.2001 ; 21:05:09"));
  EXPECT_EQ(lines[0], QStringLiteral("Datum\t\t31.03.2024"));
}

TEST(MoonParametersText, IlluminatedPartEndsWithASinglePercentSign) {
  const QStringList lines = Lines(MoonParametersText(At(2024, 3, 31), kChemnitz, kToday, kGerman));
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
  const QStringList lines = Lines(MoonParametersText(At(1992, 4, 12, 0, 0, 0, 0.0), kChemnitz, kToday, kGerman));
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
  // 1977-02-10 selects k = -283 (the month minus 2 rule): the new moon of 1977 February 18,
  // 3h37m TD (Meeus, ex. 49.a); Brown's lunation number is k + 953 = 670. The quarters follow
  // (first quarter 1977-02-26, full moon 1977-03-05, last quarter 1977-03-12, new moon 1977-03-19).
  const QStringList lines = Lines(MoonParametersText(At(1977, 2, 10), kChemnitz, kToday, kGerman));
  EXPECT_EQ(lines[11], QStringLiteral("Neumond\t\t18.02.1977"));
  EXPECT_EQ(lines[12], QStringLiteral("Lunation\t\t670"));
  EXPECT_EQ(lines[13], QStringLiteral("Erste Viertel\t26.02.1977"));
  EXPECT_EQ(lines[14], QStringLiteral("Vollmond\t\t05.03.1977"));
  EXPECT_EQ(lines[15], QStringLiteral("Letztes Viertel\t12.03.1977"));
  EXPECT_EQ(lines[16], QStringLiteral("Neumond\t\t19.03.1977"));
}

TEST(MoonParametersText, ApogeeOfMeeusWorkedExample) {
  // Meeus, ex. 50.a: apogee 1988 October 7 at 20h30m TD.
  const QStringList lines = Lines(MoonParametersText(At(1988, 10, 1), kChemnitz, kToday, kGerman));
  const QRegularExpressionMatch m =
      QRegularExpression(QStringLiteral("^Apogäum\\t\\tUT (\\d\\d:\\d\\d) 7\\.Oktober 1988$")).match(lines[18]);
  ASSERT_TRUE(m.hasMatch()) << lines[18].toStdString();
  EXPECT_NEAR(QTime(20, 30).secsTo(QTime::fromString(m.captured(1), QStringLiteral("HH:mm"))), 0, 180);
}

TEST(MoonParametersText, AgeComesFromThePreviousLunationEarlyInTheMonth) {
  // Over five years of days the age is never negative, and whenever the lunation of the month
  // minus 2 starts after the moment, the age is counted from the one of the month minus 3.
  int earlier = 0;
  for (int day = 0; day < 5 * 365; day += 1) {
    const CivilDate c = DateOfDateTime(EncodeDate(2020, 1, 1) + day);
    const InfoWindowMoment m = At(c.year, c.month, c.day, 6);
    const double age = WindowMoonAge(m);
    EXPECT_GE(age, 0.0) << c.year << "-" << c.month << "-" << c.day;
    EXPECT_LT(age, 2 * SynodicMonth) << c.year << "-" << c.month << "-" << c.day;
    const double jd = ZoneMidnightJulianDay(c.year, c.month, c.day, 1.0) + 6.0 / 24.0;
    if (WindowPhaseInstant(c.day, c.month - 2, c.year, PhaseKind::NewMoon) > jd + 1.0 / 24.0) {
      ++earlier;
      const double fromEarlier = jd - WindowPhaseInstant(c.day, c.month - 3, c.year, PhaseKind::NewMoon) + 1.0 / 24.0;
      EXPECT_NEAR(age, fromEarlier, 1e-6) << c.year << "-" << c.month << "-" << c.day;
    }
  }
  EXPECT_GT(earlier, 0) << "no day in five years took the earlier lunation";
}

TEST(MoonParametersText, RisesAndSetsEveryDayAtMiddleLatitudes) {
  // Chemnitz, every day of 2024 (the year of the major lunar standstill, declinations up to
  // 28.7 degrees): tan 51 tan 28.7 < 1, so the Moon always rises and sets; the corrected
  // culmination stays near the day.
  int days = 0;
  for (int d = 0; d < 366; ++d) {
    const JulianDay jdU = JulianDayOfDate(2024, 1, 1) + d;
    const std::optional<MoonEvents> e = MoonRiseTransitSet(jdU, kChemnitz.LatitudeDeg, kChemnitz.LongitudeDeg);
    if (!e) continue;
    ++days;
    EXPECT_GT(e->Transit, -0.1) << "day " << d;
    EXPECT_LT(e->Transit, 1.2) << "day " << d;
  }
  EXPECT_EQ(days, 366) << "the Moon rises and sets every day at 51 degrees north";
}

TEST(MoonParametersText, EndsAfterTheApogeeWhenTheMoonNeitherRisesNorSets) {
  // At 78 degrees north the Moon stays up or down for days around its greatest declinations.
  int found = 0;
  for (int d = 0; d < 60 && found < 2; ++d) {
    const CivilDate c = DateOfDateTime(EncodeDate(2025, 1, 1) + d);
    const JulianDay jdU = ZoneMidnightJulianDay(c.year, c.month, c.day, 1.0) + 1.0 / 24.0;
    if (MoonRiseTransitSet(jdU, kLongyearbyen.LatitudeDeg, kLongyearbyen.LongitudeDeg)) continue;
    ++found;
    const QString text = MoonParametersText(At(c.year, c.month, c.day), kLongyearbyen, kToday, kGerman);
    const QStringList lines = Lines(text);
    ASSERT_EQ(lines.size(), 19) << text.toStdString();
    EXPECT_TRUE(lines.last().startsWith(QStringLiteral("Apogäum\t\tUT "))) << lines.last().toStdString();
    EXPECT_TRUE(text.endsWith(QStringLiteral("\r\n")));
  }
  EXPECT_EQ(found, 2) << "no circumpolar or never-rising Moon at 78 N in early 2025";
}

}  // namespace
}  // namespace zenitra
