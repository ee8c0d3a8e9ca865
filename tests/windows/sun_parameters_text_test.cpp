// The Sun window's text: line structure, summer hour, polar days and nights, "Sonnenzeit", the
// equation of time, distance and diameter.
#include "windows/sun_parameters_text.h"

#include <gtest/gtest.h>

#include "support/qstring_printer.h"

#include <QRegularExpression>
#include <QTime>
#include <cmath>

#include "core/sun_position.h"
#include "core/time_scales.h"
#include "windows/info_text_format.h"

namespace zenitra {
namespace {

const QLocale kGerman(QLocale::German);
const Location kChemnitz{"Chemnitz, D", 50.836667, 12.854444, 1.0};
const Location kLongyearbyen{"Longyearbyen, N", 78.22, 15.65, 1.0};

InfoWindowMoment At(int y, int mo, int d, int h = 12, int mi = 0, int s = 0, double zone = 1.0) {
  return InfoWindowMoment{zone, d, mo, y, h, mi, s};
}

QStringList Lines(const QString& text) { return text.split(QStringLiteral("\r\n")); }

// The clock time of an event line ("Sonnenaufgang\t06:45:58  ZZ"), or an invalid time.
QTime EventTime(const QString& line) {
  const qsizetype tab = line.indexOf(u'\t');
  return QTime::fromString(line.mid(tab + 1).section(u' ', 0, 0), QStringLiteral("HH:mm:ss"));
}

TEST(SunParametersText, HasSeventeenTabAlignedLinesWithoutALineBreakAtTheEnd) {
  const QString text = SunParametersText(At(2024, 6, 21), kChemnitz, SunDisplayState{}, kGerman);
  EXPECT_FALSE(text.endsWith(QStringLiteral("\r\n")));
  EXPECT_FALSE(text.contains(QRegularExpression(QStringLiteral("[^\\r]\\n")))) << "bare line feed in " << text.toStdString();
  const QStringList lines = Lines(text);
  ASSERT_EQ(lines.size(), 17) << text.toStdString();
  const char* const starts[] = {"Datum\t\t21.6.2024", "Tagesnummer\t173", "Zeit\t\t12:00:00", "Deklination\t",
                                "Rektaszension\t",     "Sternbild\t\t",     "Stundenwinkel\t",  "Azimut\t\t",
                                "Höhe\t\t",            "Zeitgleichung\t",   "Sonnenzeit\t",     "Erdabstand\t",
                                "Durchmesser\t",       "",                  "Sonnenaufgang\t",  "Sonnenuntergang\t",
                                "Kulmination\t"};
  for (int i = 0; i < 17; ++i) {
    EXPECT_TRUE(lines[i].startsWith(QString::fromUtf8(starts[i]))) << "line " << i + 1 << ": " << lines[i].toStdString();
  }
  EXPECT_TRUE(lines[13].isEmpty());
  // Every event line: a long time, one blank from the format, then " ZZ".
  for (int i = 14; i < 17; ++i) {
    EXPECT_TRUE(lines[i].contains(QRegularExpression(QStringLiteral("\\t\\d\\d:\\d\\d:\\d\\d  ZZ$")))) << lines[i].toStdString();
  }
}

TEST(SunParametersText, ShowsTheDrawnPlaceOfTheSunAsItIs) {
  // lambda = 90 degrees: right ascension 6 h, declination 23.45 degrees as the map computes it.
  SunDisplayState sun;
  sun.RightAscensionRad = (90.0 + 360.0) * M_PI / 180.0;  // the map does not reduce it
  sun.DeclinationRad = 0.4092797095926703;
  sun.AzimuthDeg = -12.345;
  sun.AltitudeRad = 0.5;
  const QStringList lines = Lines(SunParametersText(At(2024, 6, 21), kChemnitz, sun, kGerman));
  EXPECT_EQ(lines[3], QStringLiteral("Deklination\t23,45°"));
  EXPECT_EQ(lines[4], QStringLiteral("Rektaszension\t6h0min"));
  EXPECT_EQ(lines[5], QStringLiteral("Sternbild\t\tZwillinge"));
  EXPECT_EQ(lines[7], QStringLiteral("Azimut\t\t-12,35°"));  // -12.345 is stored as -12.3450000000000006
  EXPECT_EQ(lines[8], QStringLiteral("Höhe\t\t28,65°"));
}

TEST(SunParametersText, AddsTheSummerHourOnTheLastSundayOfMarchButNotTheDayBefore) {
  const QStringList sunday = Lines(SunParametersText(At(2024, 3, 31), kChemnitz, SunDisplayState{}, kGerman));
  const QStringList saturday = Lines(SunParametersText(At(2024, 3, 30), kChemnitz, SunDisplayState{}, kGerman));
  for (int i = 14; i < 17; ++i) {
    const QTime a = EventTime(saturday[i]);
    const QTime b = EventTime(sunday[i]);
    ASSERT_TRUE(a.isValid() && b.isValid()) << saturday[i].toStdString() << " / " << sunday[i].toStdString();
    // One hour later by the clock, less the day's own change of at most two minutes.
    const int minutes = a.secsTo(b) / 60;
    EXPECT_GE(minutes, 57) << saturday[i].toStdString() << " -> " << sunday[i].toStdString();
    EXPECT_LE(minutes, 61) << saturday[i].toStdString() << " -> " << sunday[i].toStdString();
  }
}

TEST(SunParametersText, NoSummerHourBefore1980) {
  // 1 July: summer time from 1980 on, standard time in 1979.
  const QStringList y1979 = Lines(SunParametersText(At(1979, 7, 1), kChemnitz, SunDisplayState{}, kGerman));
  const QStringList y1980 = Lines(SunParametersText(At(1980, 7, 1), kChemnitz, SunDisplayState{}, kGerman));
  for (int i = 14; i < 17; ++i) {
    const int minutes = EventTime(y1979[i]).secsTo(EventTime(y1980[i])) / 60;
    EXPECT_NEAR(minutes, 60, 1) << y1979[i].toStdString() << " -> " << y1980[i].toStdString();
  }
}

TEST(SunParametersText, CulminationLiesBetweenSunriseAndSunsetAtLocalMeanNoon) {
  // Mean noon at 12.854 degrees east in zone +1 is 12:08:34; the equation of time on 21 June is
  // -1.7 min (Spencer), so the Sun culminates near 12:10:20 CET = 13:10:20 CEST.
  const QStringList lines = Lines(SunParametersText(At(2024, 6, 21), kChemnitz, SunDisplayState{}, kGerman));
  const QTime rise = EventTime(lines[14]);
  const QTime set = EventTime(lines[15]);
  const QTime transit = EventTime(lines[16]);
  EXPECT_NEAR(QTime(13, 10, 20).secsTo(transit), 0, 120) << lines[16].toStdString();
  // The middle of the day's light is the culmination within two minutes (refraction and the
  // Sun's motion make the day slightly unsymmetric).
  const int middle = rise.msecsSinceStartOfDay() / 2000 + set.msecsSinceStartOfDay() / 2000;
  EXPECT_NEAR(middle, transit.msecsSinceStartOfDay() / 1000, 120)
      << lines[14].toStdString() << " " << lines[15].toStdString() << " " << lines[16].toStdString();
}

TEST(SunParametersText, PolarDayAndPolarNightHaveNoEvents) {
  for (const InfoWindowMoment& m : {At(2024, 6, 21), At(2024, 12, 21)}) {
    const QStringList lines = Lines(SunParametersText(m, kLongyearbyen, SunDisplayState{}, kGerman));
    EXPECT_EQ(lines[14], QStringLiteral("Sonnenaufgang\tkein Aufgang")) << m.Month;
    EXPECT_EQ(lines[15], QStringLiteral("Sonnenuntergang\tkein Untergang")) << m.Month;
    EXPECT_EQ(lines[16], QStringLiteral("Kulmination\tkeine Kulmination")) << m.Month;
  }
}

TEST(SunParametersText, SolarClockCanShowTwentyFourHoursAndMinusOneMinute) {
  const SolarClock c = SolarClockOf(23.99);
  EXPECT_EQ(c.Hours, 24);
  EXPECT_EQ(c.Minutes, -1);
  const SolarClock d = SolarClockOf(12.5);
  EXPECT_EQ(d.Hours, 12);
  EXPECT_EQ(d.Minutes, 30);
  // Some minute of a day puts the sidereal time just below 24 h: the window then shows it so.
  bool seen = false;
  for (int minute = 0; minute < 1440 && !seen; ++minute) {
    const QStringList lines =
        Lines(SunParametersText(At(2024, 9, 20, minute / 60, minute % 60), kChemnitz, SunDisplayState{}, kGerman));
    seen = lines[10] == QStringLiteral("Sonnenzeit\t24 h -1 min");
  }
  EXPECT_TRUE(seen) << "no minute of 2024-09-20 shows \"Sonnenzeit\t24 h -1 min\"";
}

TEST(SunParametersText, EquationOfTimeOnTheFirstOfJanuary) {
  // B = 0: (0.000075 + 0.001868 - 0.014615) * 229.2 = -2.904 min.
  EXPECT_DOUBLE_EQ(EquationOfTimeMinutes(1), -2.90);
  const QStringList lines = Lines(SunParametersText(At(2025, 1, 1), kChemnitz, SunDisplayState{}, kGerman));
  EXPECT_EQ(lines[9], QStringLiteral("Zeitgleichung\t-2,90 min"));
  // With 0.030277 for Spencer's sin B coefficient 0.032077 the extremes come out a little smaller
  // than the true +16.4 and -14.2 min: 16.02 min on 3 November (n = 307) and -13.98 min on
  // 14 February (n = 45), evaluated independently in double precision.
  EXPECT_NEAR(EquationOfTimeMinutes(307), 16.02, 0.005);
  EXPECT_NEAR(EquationOfTimeMinutes(45), -13.98, 0.005);
  for (int n = 1; n <= 366; ++n) {
    EXPECT_LE(std::abs(EquationOfTimeMinutes(n)), 16.05) << "day " << n;
  }
}

TEST(SunParametersText, DistanceAndDiameterAtPerihelion2024) {
  // Perihelion 2024 January 3, 0.98331 AU (Astronomical Almanac 2024); the Sun's diameter then is
  // 32'32" (semidiameter 16'16").
  const QStringList lines = Lines(SunParametersText(At(2024, 1, 3, 1, 0, 0), kChemnitz, SunDisplayState{}, kGerman));
  bool ok = false;
  const double km = lines[11].section(u'\t', 1).section(u' ', 0, 0).toDouble(&ok);
  ASSERT_TRUE(ok) << lines[11].toStdString();
  EXPECT_NEAR(km, 0.98331 * 149597870.0, 20000.0) << lines[11].toStdString();
  EXPECT_TRUE(lines[12].startsWith(QStringLiteral("Durchmesser\t32' 3"))) << lines[12].toStdString();
  EXPECT_TRUE(lines[12].endsWith(u'"')) << lines[12].toStdString();
}

TEST(SunParametersText, ZodiacNamesFollowTheBoundsInHours) {
  EXPECT_EQ(SunZodiacName(0.0), QStringLiteral("Fische"));
  EXPECT_EQ(SunZodiacName(1.783333), QStringLiteral("Widder"));
  EXPECT_EQ(SunZodiacName(16.4), QStringLiteral("Schlangenträger"));
  EXPECT_EQ(SunZodiacName(23.5), QStringLiteral("Fische"));
  EXPECT_EQ(SunZodiacName(24.0), QStringLiteral("Fische"));
}

TEST(SunParametersText, RefusesAMonthOutsideTheYear) {
  EXPECT_THROW((void)SunParametersText(At(2024, 13, 1), kChemnitz, SunDisplayState{}, kGerman), ConversionError);
}

}  // namespace
}  // namespace zenitra
