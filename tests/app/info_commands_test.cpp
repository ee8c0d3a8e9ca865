// The headless commands: argument checking and the texts, which are the windows' texts.
#include "app/info_commands.h"

#include <gtest/gtest.h>

#include "support/qstring_printer.h"
#include "sky/sky_renderer.h"
#include "info_windows/ephemeris_table.h"
#include "info_windows/moon_parameters_text.h"
#include "info_windows/planet_information_text.h"
#include "info_windows/sun_parameters_text.h"

namespace zenitra {
namespace {

const QLocale kGerman(QLocale::German);

Catalogue TwoPlaces() {
  Catalogue c;
  c.PlaceNames << QStringLiteral("Chemnitz, D") << QStringLiteral("Longyearbyen, N");
  c.Places << QStringLiteral("Chemnitz, D\t50.836667\t12.854444\t1\tEurope/Berlin")
           << QStringLiteral("Longyearbyen, N\t78.22\t15.65\t+1\tArctic/Longyearbyen");
  return c;
}

InformationOptions Parsed(const QStringList& args) {
  const auto parsed = ParseInformationArguments(args);
  if (const QString* error = std::get_if<QString>(&parsed)) {
    ADD_FAILURE() << "refused " << args.join(u' ').toStdString() << ": " << error->toStdString();
    return {};
  }
  return std::get<InformationOptions>(parsed);
}

QString ErrorOf(const QStringList& args) {
  const auto parsed = ParseInformationArguments(args);
  const QString* error = std::get_if<QString>(&parsed);
  return error ? *error : QString();
}

TEST(InformationCommands, ParsesPlaceTimeAndPlanet) {
  const InformationOptions o = Parsed({QStringLiteral("planet"), QStringLiteral("Mars"), QStringLiteral("--place"),
                                       QStringLiteral("Longyearbyen, N"), QStringLiteral("--at"),
                                       QStringLiteral("2024-03-31T21:05:09")});
  EXPECT_EQ(o.Command, QStringLiteral("planet"));
  EXPECT_EQ(o.Planet, QStringLiteral("Mars"));
  EXPECT_EQ(o.Place, QStringLiteral("Longyearbyen, N"));
  ASSERT_TRUE(o.At.has_value());
  EXPECT_EQ(*o.At, (ShownMoment{2024, 3, 31, 21, 5, 9}));
  EXPECT_FALSE(Parsed({QStringLiteral("sun")}).At.has_value());
}

TEST(InformationCommands, RefusesBadArgumentsWithAMessage) {
  EXPECT_TRUE(ErrorOf({QStringLiteral("sun"), QStringLiteral("--azimuth"), QStringLiteral("5")}).contains(QStringLiteral("--azimuth")));
  EXPECT_FALSE(ErrorOf({QStringLiteral("moon"), QStringLiteral("--at"), QStringLiteral("2024-02-30T00:00")}).isEmpty());
  EXPECT_FALSE(ErrorOf({QStringLiteral("moon"), QStringLiteral("--at"), QStringLiteral("2024-13-01T00:00")}).isEmpty());
  EXPECT_FALSE(ErrorOf({QStringLiteral("moon"), QStringLiteral("--at"), QStringLiteral("2024-00-10T00:00")}).isEmpty());
  // An option without its value is named (the "-o" passed on inside must never appear).
  for (const QStringList& args : {QStringList{QStringLiteral("sun"), QStringLiteral("--at")}, QStringList{QStringLiteral("moon"), QStringLiteral("--place"), QStringLiteral("X"), QStringLiteral("--at")}, QStringList{QStringLiteral("planet"), QStringLiteral("Mars"), QStringLiteral("--at"), QStringLiteral("--place"), QStringLiteral("X")}}) {
    const QString error = ErrorOf(args);
    EXPECT_TRUE(error.contains(QStringLiteral("\"--at\"")) && !error.contains(QStringLiteral("\"-o\"")))
        << args.join(u' ').toStdString() << " gave " << error.toStdString();
  }
  EXPECT_TRUE(ErrorOf({QStringLiteral("sun"), QStringLiteral("--place"), QStringLiteral("--at"), QStringLiteral("2024-01-01T00:00")}).contains(QStringLiteral("\"--place\"")));
  EXPECT_TRUE(ErrorOf({QStringLiteral("planet")}).contains(QStringLiteral("Merkur")));
  EXPECT_TRUE(ErrorOf({QStringLiteral("planet"), QStringLiteral("Pluto")}).contains(QStringLiteral("Pluto")));
  EXPECT_FALSE(ErrorOf({QStringLiteral("planet"), QStringLiteral("Erde")}).isEmpty());
}

TEST(InformationCommands, UnknownPlaceExitsWithTwo) {
  QString outText, errText;
  QTextStream out(&outText), err(&errText);
  InformationOptions o = Parsed({QStringLiteral("sun"), QStringLiteral("--place"), QStringLiteral("Atlantis")});
  EXPECT_EQ(RunInformationCommand(o, TwoPlaces(), out, err), 2);
  err.flush();
  EXPECT_TRUE(errText.contains(QStringLiteral("Atlantis")));
  EXPECT_TRUE(outText.isEmpty());
}

TEST(InformationCommands, PrintTheWindowTextsWithLineFeeds) {
  const InfoWindowMoment m{2024, 3, 31, 21, 5, 9, 1.0, 1.0};
  const Location chemnitz{"Chemnitz, D", 50.836667, 12.854444, 1.0, "Europe/Berlin"};
  const QStringList at = {QStringLiteral("--at"), QStringLiteral("2024-03-31T21:05:09")};
  const auto text = [&](const QStringList& args) {
    return InformationText(Parsed(args + at), TwoPlaces(), kGerman).Text;
  };
  const auto lf = [](QString s) { return s.replace(QStringLiteral("\r\n"), QStringLiteral("\n")); };
  EXPECT_EQ(text({QStringLiteral("moon")}), lf(MoonParametersText(m, chemnitz, kGerman)));
  EXPECT_EQ(text({QStringLiteral("ephemeris")}), EphemerisTableText(BuildEphemerisTable(m, chemnitz, kGerman)));
  EXPECT_EQ(text({QStringLiteral("planet"), QStringLiteral("Venus")}),
            lf(FactSheetText(QStringLiteral("Venus")) + PlanetEphemerisText(QStringLiteral("Venus"), m, chemnitz, kGerman)) +
                u'\n');
  EXPECT_EQ(text({QStringLiteral("sun")}), lf(SunParametersText(m, chemnitz, kGerman)) + u'\n');
}

TEST(InformationCommands, SunAzimuthAndAltitudeAreThoseOfTheMomentWhereverTheSunStands) {
  // Geocentric azimuth (from south, westwards) and altitude of the Sun's centre from
  // astronomy-engine 2.1.19 (Equator of date + Horizon without refraction), Chemnitz; the second
  // moment has the Sun far below the horizon, where the map draws nothing.
  struct Row {
    const char* at;
    double azimuth, altitude;
  };
  for (const Row& r : {Row{"2024-03-20T12:09", -2.236, 39.275}, Row{"2026-12-08T20:00", 97.926, -36.154}}) {
    const QString text =
        InformationText(Parsed({QStringLiteral("sun"), QStringLiteral("--at"), QString::fromUtf8(r.at)}), TwoPlaces(), kGerman)
            .Text;
    const QStringList lines = text.split(u'\n');
    ASSERT_GE(lines.size(), 9) << text.toStdString();
    const double azimuth = lines[7].section(u'\t', -1).remove(QStringLiteral("°")).replace(u',', u'.').toDouble();
    const double altitude = lines[8].section(u'\t', -1).remove(QStringLiteral("°")).replace(u',', u'.').toDouble();
    EXPECT_NEAR(azimuth, r.azimuth, 0.02) << r.at << ": " << lines[7].toStdString();  // degrees
    EXPECT_NEAR(altitude, r.altitude, 0.02) << r.at << ": " << lines[8].toStdString();
  }
}

}  // namespace
}  // namespace zenitra
