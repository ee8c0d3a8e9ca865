// The Sun window's text: line structure, summer hour, polar days and nights, "Sonnenzeit", the
// equation of time, distance and diameter.
#include "info_windows/sun_parameters_text.h"

#include <gtest/gtest.h>

#include "support/qstring_printer.h"

#include <QRegularExpression>
#include <QTime>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

#include <tuple>

#include "core/sun_position.h"
#include "core/time_scales.h"
#include "info_windows/info_text_format.h"

namespace zenitra {
namespace {

const QLocale kGerman(QLocale::German);
const Location kChemnitz{"Chemnitz, D", 50.836667, 12.854444, 1.0, "Europe/Berlin"};
const Location kLongyearbyen{"Longyearbyen, N", 78.22, 15.65, 1.0, "Arctic/Longyearbyen"};

InfoWindowMoment At(int y, int mo, int d, int h = 12, int mi = 0, int s = 0, double zone = 1.0) {
  return InfoWindowMoment{y, mo, d, h, mi, s, zone, 0.0};
}

QStringList Lines(const QString& text) { return text.split(QStringLiteral("\r\n")); }

// The clock times leave out the zone name of the locale's long time format ("t", "tttt") with the
// blanks around it, in every locale Qt knows; the reference is that rule as a regular expression.
TEST(LongTimePattern, LeavesOutTheZoneNameInEveryLocale) {
  const QRegularExpression zone(QStringLiteral("\\s*t+\\s*"));
  int withZone = 0;
  for (const QLocale& locale : QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory)) {
    const QString format = locale.timeFormat(QLocale::LongFormat);
    withZone += format.contains(u't');
    QString expected = format;
    expected = expected.remove(zone).trimmed();
    if (expected.isEmpty()) expected = QStringLiteral("HH:mm:ss");
    EXPECT_EQ(LongTimePattern(locale), expected) << locale.name().toStdString() << ": \"" << format.toStdString() << '"';
  }
  EXPECT_GT(withZone, 100) << "locales whose long time format names the zone";
}

// Every number of the windows goes through FormatFixed: its digits must be printf's "%.*f" (the
// exact binary value, ties to even) for magnitudes from 1e-12 to 1e300, both signs, exact ties and
// negative zero, with the locale's decimal point.
TEST(FormatFixed, WritesPrintfsDigitsWithTheLocalesDecimalPoint) {
  std::vector<double> values = {0.0, -0.0, 0.5, 1.5, 2.5, -2.5, 0.125, 0.375, 1e-12, 123456.7890123, 1e22, 1e300};
  std::uint64_t state = 0x9e3779b97f4a7c15u;  // a fixed sequence: the same values in every run
  for (int i = 0; i < 2000; ++i) {
    state = state * 6364136223846793005u + 1442695040888963407u;
    const double mantissa = static_cast<double>(state >> 11) / 9007199254740992.0;  // [0, 1)
    values.push_back((i % 2 ? -1.0 : 1.0) * mantissa * std::pow(10.0, i % 15 - 5));
  }
  for (const double value : values) {
    for (const int decimals : {-1, 0, 1, 2, 3, 5, 8, 12}) {
      char buffer[1024];
      std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
      const QString expected = QString::fromLatin1(buffer).replace(u'.', u',');
      EXPECT_EQ(FormatFixed(kGerman, value, decimals), expected) << "value " << buffer << ", decimals " << decimals;
    }
  }
}

// The clock time of an event line ("Sonnenaufgang\t06:45:58  ZZ"), or an invalid time.
QTime EventTime(const QString& line) {
  const qsizetype tab = line.indexOf(u'\t');
  return QTime::fromString(line.mid(tab + 1).section(u' ', 0, 0), QStringLiteral("HH:mm:ss"));
}

TEST(SunParametersText, HasSeventeenTabAlignedLinesWithoutALineBreakAtTheEnd) {
  const QString text = SunParametersText(At(2024, 6, 21), kChemnitz, kGerman);
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

TEST(SunParametersText, PlaceHourAngleAndSolarTimeAreThoseOfTheMomentWhereverTheSunStands) {
  // Chemnitz, 2026-12-08 20:00 CET, the Sun 36 degrees below the horizon (the map draws only the
  // upper half). astronomy-engine 2.1.19: declination -22.775, right ascension 17.0370 h, hour
  // angle 7.99033 h = 119.855 degrees, so true solar time 19.9903 h; azimuth from south 97.926,
  // altitude -36.154 (geocentric, no refraction).
  const QStringList lines = Lines(SunParametersText(At(2026, 12, 8, 20), kChemnitz, kGerman));
  EXPECT_EQ(lines[3], QStringLiteral("Deklination\t-22,77°"));  // -22.775 rounds either way
  EXPECT_EQ(lines[4], QStringLiteral("Rektaszension\t17h2min"));
  EXPECT_EQ(lines[6], QStringLiteral("Stundenwinkel\t119,85°"));
  const auto degrees = [](const QString& line) {
    return line.section(u'\t', -1).remove(QStringLiteral("°")).replace(u',', u'.').toDouble();
  };
  EXPECT_NEAR(degrees(lines[7]), 97.926, 0.02) << lines[7].toStdString();
  EXPECT_NEAR(degrees(lines[8]), -36.154, 0.02) << lines[8].toStdString();
  EXPECT_EQ(lines[10], QStringLiteral("Sonnenzeit\t19 h 59 min"));
  // The hour angle stays in (-180, 180] over a whole day, and the solar time never reads 60 min.
  for (int minute = 0; minute < 1440; minute += 7) {
    const QStringList l = Lines(SunParametersText(At(2024, 9, 20, minute / 60, minute % 60), kChemnitz, kGerman));
    const double h = l[6].section(u'\t', 1).remove(QStringLiteral("°")).replace(u',', u'.').toDouble();
    EXPECT_TRUE(h > -180.0 && h <= 180.0) << l[6].toStdString();
    EXPECT_TRUE(l[10].contains(QRegularExpression(QStringLiteral("^Sonnenzeit\\t([01]?\\d|2[0-3]) h [1-5]?\\d min$"))))
        << l[10].toStdString();
  }
}

TEST(SunParametersText, AddsTheSummerHourOnTheLastSundayOfMarchButNotTheDayBefore) {
  const QStringList sunday = Lines(SunParametersText(At(2024, 3, 31), kChemnitz, kGerman));
  const QStringList saturday = Lines(SunParametersText(At(2024, 3, 30), kChemnitz, kGerman));
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
  const QStringList y1979 = Lines(SunParametersText(At(1979, 7, 1), kChemnitz, kGerman));
  const QStringList y1980 = Lines(SunParametersText(At(1980, 7, 1), kChemnitz, kGerman));
  for (int i = 14; i < 17; ++i) {
    const int minutes = EventTime(y1979[i]).secsTo(EventTime(y1980[i])) / 60;
    EXPECT_NEAR(minutes, 60, 1) << y1979[i].toStdString() << " -> " << y1980[i].toStdString();
  }
}

TEST(SunParametersText, CulminationLiesBetweenSunriseAndSunsetAtLocalMeanNoon) {
  // Mean noon at 12.854 degrees east in zone +1 is 12:08:34; the equation of time on 21 June is
  // -1.7 min, so the Sun culminates near 12:10:20 CET = 13:10:20 CEST.
  const QStringList lines = Lines(SunParametersText(At(2024, 6, 21), kChemnitz, kGerman));
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

TEST(SunParametersText, PolarDayAndPolarNightHaveNoRisingOrSetting) {
  for (const InfoWindowMoment& m : {At(2024, 6, 21), At(2024, 12, 21)}) {
    const QStringList lines = Lines(SunParametersText(m, kLongyearbyen, kGerman));
    EXPECT_EQ(lines[14], QStringLiteral("Sonnenaufgang\tkein Aufgang")) << m.Month;
    EXPECT_EQ(lines[15], QStringLiteral("Sonnenuntergang\tkein Untergang")) << m.Month;
  }
  // The midnight sun still culminates (about 13:00 CEST at 15.65 deg east); the polar night
  // Sun stays below the horizon.
  EXPECT_TRUE(Lines(SunParametersText(At(2024, 6, 21), kLongyearbyen, kGerman))[16].startsWith(QStringLiteral("Kulmination\t12:")));
  EXPECT_EQ(Lines(SunParametersText(At(2024, 12, 21), kLongyearbyen, kGerman))[16],
            QStringLiteral("Kulmination\tkeine Kulmination"));
}

TEST(SunParametersText, SolarClockCarriesRoundedMinutesIntoTheHour) {
  for (const auto& [hours, h, m] : {std::tuple{23.99, 23, 59}, std::tuple{23.9999, 0, 0}, std::tuple{12.5, 12, 30},
                                    std::tuple{5.9999, 6, 0}, std::tuple{-0.25, 23, 45}}) {
    const SolarClock c = SolarClockOf(hours);
    EXPECT_EQ(c.Hours, h) << hours;
    EXPECT_EQ(c.Minutes, m) << hours;
  }
}

TEST(SunParametersText, EquationOfTimeOnTheFirstOfJanuary) {
  // Astronomical Almanac: about -3.2 min at 0 h UT on 1 January 2025 (the sundial is behind).
  const QStringList lines = Lines(SunParametersText(At(2025, 1, 1, 1, 0, 0), kChemnitz, kGerman));
  EXPECT_TRUE(lines[9].startsWith(QStringLiteral("Zeitgleichung\t-3,"))) << lines[9].toStdString();
}

TEST(SunParametersText, DistanceAndDiameterAtPerihelion2024) {
  // Perihelion 2024 January 3, 0.98331 AU (Astronomical Almanac 2024); the Sun's diameter then is
  // 32'32" (semidiameter 16'16").
  const QStringList lines = Lines(SunParametersText(At(2024, 1, 3, 1, 0, 0), kChemnitz, kGerman));
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
  EXPECT_THROW((void)SunParametersText(At(2024, 13, 1), kChemnitz, kGerman), ConversionError);
}

}  // namespace
}  // namespace zenitra
