// The information text of a clicked star and its sexagesimal numbers.
#include "sky/star_information.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "ui/catalogue.h"

namespace zenitra {
namespace {

// One STAR6 record: key, right ascension (h), declination (deg), two spare numbers, M, m, r, class.
QStringList Record(const QString& key, const QString& ra, const QString& dec, const QString& absolute,
                   const QString& apparent, const QString& distance, const QString& spectral) {
  return {key, ra, dec, QStringLiteral("-10000"), QStringLiteral("-10000"), absolute, apparent, distance, spectral};
}

// Two STAR5 records: Latin name, German name, abbreviation, label position.
const QStringList kConstellations = {QStringLiteral("Ursa Major"), QStringLiteral("Großer Bär"), QStringLiteral("UMa"),
                                     QStringLiteral("2.9"),        QStringLiteral("0.98"),       QStringLiteral("Orion"),
                                     QStringLiteral("Orion"),      QStringLiteral("Ori"),        QStringLiteral("1.5"),
                                     QStringLiteral("0.1")};

TEST(StarInformationText, StarWithoutARecordGivesOnlyItsName) {
  const QStringList star6 = Record(QStringLiteral("UMa 80"), QStringLiteral("13.4"), QStringLiteral("55"),
                                   QStringLiteral("2.5"), QStringLiteral("4.0"), QStringLiteral("81.7"),
                                   QStringLiteral("A5"));
  EXPECT_EQ(StarInformationText(QStringLiteral("Cet UV A"), star6, kConstellations), QStringLiteral("Cet UV A"));
  // A key that only begins with the name still counts, as the catalogue's prefix rule says.
  EXPECT_TRUE(StarInformationText(QStringLiteral("UMa 8"), star6, kConstellations).contains(QStringLiteral("SKL = A5")));
}

TEST(StarInformationText, FullRecordWithGermanConstellationName) {
  const QStringList star6 = Record(QStringLiteral("UMa Alpha,Dubhe"), QStringLiteral("11.0621"),
                                   QStringLiteral("61.751"), QStringLiteral("-1.08"), QStringLiteral("1.81"),
                                   QStringLiteral("123.1"), QStringLiteral("K0"));
  EXPECT_EQ(StarInformationText(QStringLiteral("UMa Alpha,Dubhe"), star6, kConstellations),
            QStringLiteral("UMa Alpha,Dubhe\n\rSternbild: Großer Bär\n\rM = -1.08 mag\n\rm = 1.81 mag\n\r"
                           "r = 123.1 ly\n\rSKL = K0\n\ralpha = 11h3'44\"\n\rdelta = 61°45'4\""));
}

TEST(StarInformationText, AbsentMagnitudeAndDistanceAreLeftOut) {
  // "-10000" marks an unknown absolute magnitude and distance; m is always shown.
  const QStringList star6 = Record(QStringLiteral("Ori 9"), QStringLiteral("5.0"), QStringLiteral("-1.5"),
                                   QStringLiteral("-10000"), QStringLiteral("5.9"), QStringLiteral("-10000"),
                                   QString());
  EXPECT_EQ(StarInformationText(QStringLiteral("Ori 9"), star6, kConstellations),
            QStringLiteral("Ori 9\n\rSternbild: Orion\n\rm = 5.9 mag\n\rSKL = \n\ralpha = 5h0'0\"\n\r"
                           "delta = -1°30'0\""));
  // Only the exact text counts: "-10000.0" is shown.
  const QStringList other = Record(QStringLiteral("Ori 9"), QStringLiteral("5.0"), QStringLiteral("1"),
                                   QStringLiteral("-10000.0"), QStringLiteral("5.9"), QStringLiteral("-10000"),
                                   QStringLiteral("B2"));
  EXPECT_TRUE(StarInformationText(QStringLiteral("Ori 9"), other, kConstellations)
                  .contains(QStringLiteral("M = -10000.0 mag")));
}

TEST(StarInformationText, SunRecordHasNoConstellationLine) {
  // The record "Sonne": no STAR5 abbreviation equals "Son".
  const QStringList star6 = Record(QStringLiteral("Sonne"), QStringLiteral("0"), QStringLiteral("0"),
                                   QStringLiteral("4.72"), QStringLiteral("4.8"), QStringLiteral("0"),
                                   QStringLiteral("G2"));
  EXPECT_EQ(StarInformationText(QStringLiteral("Sonne"), star6, kConstellations),
            QStringLiteral("Sonne\n\rM = 4.72 mag\n\rm = 4.8 mag\n\rr = 0 ly\n\rSKL = G2\n\ralpha = 0h0'0\"\n\r"
                           "delta = 0°0'0\""));
}

TEST(StarInformationText, RealCatalogueRecordOfBetelgeuse) {
  const QStringList star5 = LoadCatalogueLines(QStringLiteral("STAR5"));
  const QString text = StarInformationText(QStringLiteral("Ori Alpha,Beteigeuze"), star5);
  EXPECT_TRUE(text.startsWith(QStringLiteral("Ori Alpha,Beteigeuze\n\rSternbild: Orion\n\r"))) << text.toStdString();
  // Hipparcos: alpha 5h55m10.3s, delta +7 24' 25" (J2000).
  EXPECT_TRUE(text.contains(QStringLiteral("alpha = 5h55'10\""))) << text.toStdString();
  EXPECT_TRUE(text.endsWith(QStringLiteral("delta = 7°24'26\""))) << text.toStdString();
}

TEST(SexagesimalText, WorkedExamples) {
  EXPECT_EQ(HoursText(1.2286), QStringLiteral("1h13'43\""));
  EXPECT_EQ(DegreesText(-0.5), QStringLiteral("-0°30'0\""));
  EXPECT_EQ(DegreesText(7.575), QStringLiteral("7°34'30\""));
  EXPECT_EQ(DegreesText(0.0), QStringLiteral("0°0'0\""));
  EXPECT_EQ(HoursText(23.999), QStringLiteral("23h59'56\""));
}

TEST(SexagesimalText, SixtySecondsCarryIntoMinutesAndDegrees) {
  // 1 degree 30 minutes 59.9999 seconds: the seconds round to 60 and become one more minute.
  EXPECT_EQ(DegreesText(1.0 + 30.0 / 60.0 + 59.9999 / 3600.0), QStringLiteral("1°31'0\""));
  // 0 degrees 59 minutes 59.9999 seconds: the carry reaches the degrees.
  EXPECT_EQ(DegreesText(59.0 / 60.0 + 59.9999 / 3600.0), QStringLiteral("1°0'0\""));
  EXPECT_EQ(HoursText(-(10.0 + 59.0 / 60.0 + 59.7 / 3600.0)), QStringLiteral("-11h0'0\""));
}

TEST(SexagesimalText, RoundTripsWithinHalfASecondAndKeepsItsFieldsBelowSixty) {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> value(-400.0, 400.0);
  for (int n = 0; n < 3000; ++n) {
    const double v = value(random);
    const QString text = DegreesText(v);
    const bool negative = text.startsWith(u'-');
    const QString body = negative ? text.mid(1) : text;
    const int deg = body.section(u'°', 0, 0).toInt();
    const int min = body.section(u'°', 1).section(u'\'', 0, 0).toInt();
    const int sec = body.section(u'\'', 1).chopped(1).toInt();
    ASSERT_TRUE(min >= 0 && min < 60 && sec >= 0 && sec < 60) << "input " << v << " got " << text.toStdString();
    EXPECT_EQ(negative, v < 0.0) << "input " << v;
    EXPECT_NEAR(deg + min / 60.0 + sec / 3600.0, std::fabs(v), 0.5 / 3600.0 + 1e-9)
        << "input " << v << " got " << text.toStdString();
  }
  EXPECT_EQ(DegreesText(std::nan("")), QStringLiteral("?"));
  EXPECT_EQ(HoursText(INFINITY), QStringLiteral("?"));
}

}  // namespace
}  // namespace zenitra
