// The settings file "zenitra.ini": keys, defaults, encoding, damaged files and atomic writing.
#include "app/settings.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QTemporaryDir>

namespace zenitra {
namespace {

SettingsValues EverythingSet() {
  SettingsValues v;
  v.Place = QStringLiteral("Zürich, CH");
  v.Simulation = 57;
  v.Azimuth = -135;
  v.Left = 12;
  v.Top = -40;
  DisplaySwitches& s = v.Switches;
  s.Ecliptic = s.Equator = s.Grid = s.Meridian = s.AltitudeLines = s.Moon = s.SummerTime = s.Horizon = true;
  s.StarNames = 2;
  s.ConstellationNames = 3;
  s.ConstellationLines = s.Boundaries = s.WhiteStars = s.StarInformation = s.Zodiac = s.Jupiter = s.Venus = true;
  return v;
}

TEST(SettingsFile, HasTwentyTwoKeysInTableOrder) {
  const QStringList keys = SettingsKeys();
  ASSERT_EQ(keys.size(), 22);
  EXPECT_EQ(keys.join(u','),
            QStringLiteral("Ort,Simulation,Azimut,Links,Oben,Ekliptik,Äquator,Ksystem,Meridian,Höhen,Mond,"
                           "Sommerzeit,Horizont,Sterne,Sternbilder,Linien,SGrenzen,WSterne,Anzeige,Tierkreis,"
                           "Jupiter,Venus"));
}

TEST(SettingsFile, RoundTripKeepsAllTwentyTwoKeys) {
  const SettingsValues v = EverythingSet();
  EXPECT_EQ(ParseSettings(SerializeSettings(v)), v);
  // Each switch on its own, so that no two keys are mixed up.
  for (int i = 5; i < 22; ++i) {
    SettingsValues one;
    const QString key = SettingsKeys()[i];
    ASSERT_TRUE(SetSettingsKey(one, key, QStringLiteral("1"))) << key.toStdString();
    const SettingsValues back = ParseSettings(SerializeSettings(one));
    EXPECT_EQ(back, one) << "key " << key.toStdString();
    EXPECT_FALSE(back == SettingsValues{}) << "key " << key.toStdString();
  }
}

TEST(SettingsFile, WrittenBytesAreWindows1252WithCrLf) {
  SettingsValues v;
  v.Place = QStringLiteral("Chemnitz, D");
  v.Simulation = 80;
  const QByteArray bytes = SerializeSettings(v);
  const QByteArray expected =
      "[Zenitra]\r\nOrt=Chemnitz, D\r\nSimulation=80\r\nAzimut=0\r\nLinks=0\r\nOben=0\r\nEkliptik=0\r\n"
      "\xC4quator=0\r\nKsystem=0\r\nMeridian=0\r\nH\xF6hen=0\r\nMond=0\r\nSommerzeit=0\r\nHorizont=0\r\n"
      "Sterne=0\r\nSternbilder=0\r\nLinien=0\r\nSGrenzen=0\r\nWSterne=0\r\nAnzeige=0\r\nTierkreis=0\r\n"
      "Jupiter=0\r\nVenus=0\r\n";
  EXPECT_EQ(bytes, expected);
  EXPECT_EQ(static_cast<unsigned char>(bytes[bytes.indexOf("quator=") - 1]), 0xC4);
}

TEST(SettingsFile, EmptyFileGivesDefaults) {
  const SettingsValues v = ParseSettings(QByteArray());
  EXPECT_TRUE(v.Place.isEmpty());
  EXPECT_EQ(v.Simulation, 2);  // applied: interval 100 - 2 = 98 ms
  EXPECT_TRUE(SimulationApplies(v.Simulation));
  EXPECT_EQ(v.Azimuth, 0);
  EXPECT_EQ(v.Left, 0);
  EXPECT_EQ(v.Top, 0);
  EXPECT_EQ(v.Switches, DisplaySwitches{});
}

TEST(SettingsFile, SimulationOf100IsIgnoredAnd99Accepted) {
  EXPECT_EQ(ParseSettings("[Zenitra]\r\nSimulation=100\r\n").Simulation, 100);
  EXPECT_FALSE(SimulationApplies(100));
  EXPECT_TRUE(SimulationApplies(99));
  EXPECT_FALSE(SimulationApplies(0));
  EXPECT_TRUE(SimulationApplies(1));
  EXPECT_FALSE(AzimuthApplies(181));
  EXPECT_TRUE(AzimuthApplies(-180));
}

TEST(SettingsFile, StarNamesModeSevenIsKept) {
  EXPECT_EQ(ParseSettings("[Zenitra]\nSterne=7\n").Switches.StarNames, 7);
  // Kept as a byte: the low eight bits.
  EXPECT_EQ(ParseSettings("[Zenitra]\nSterne=259\n").Switches.StarNames, 3);
}

TEST(SettingsFile, KeysAndSectionIgnoreLetterCaseAndFirstOccurrenceWins) {
  const SettingsValues v = ParseSettings("[zenitra]\r\n  linien = 1 \r\nLINIEN=0\r\n\xC4QUATOR=5\r\nOrt=Berlin, D\r\n");
  EXPECT_TRUE(v.Switches.ConstellationLines);
  EXPECT_TRUE(v.Switches.Equator);
  EXPECT_EQ(v.Place, QStringLiteral("Berlin, D"));
}

TEST(SettingsFile, DamagedFilesGiveDefaults) {
  const QByteArray garbage[] = {
      QByteArray("this is not an ini file\n=\n==\n[\n]\nLinien\n"),
      QByteArray("Linien=1\nSimulation=50\n"),  // no section
      QByteArray("[Andere]\nLinien=1\n"),
      QByteArray("[Zenitra]\nSimulation=99999999999999999999\nAzimut=1e5\nLinien=ja\nLinks=0x10\n"),
      QByteArray("[Zenitra]\nSimulation=-\nOben=+\n"),
      QByteArray("\x00\x01\xFF\xFE[Zenitra\x00]\n\x80\x81=\x9F\n", 20),
  };
  for (const QByteArray& bytes : garbage) {
    EXPECT_EQ(ParseSettings(bytes), SettingsValues{}) << "input " << bytes.toHex().toStdString();
  }
  QByteArray binary(200000, '\0');
  for (int i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>((i * 7919) % 251);
  EXPECT_EQ(ParseSettings(binary).Simulation, 2);
}

TEST(SettingsFile, SetKeyAcceptsFileNamesAndRejectsUnknownKeysAndText) {
  SettingsValues v;
  EXPECT_TRUE(SetSettingsKey(v, QStringLiteral("Linien"), QStringLiteral("1")));
  EXPECT_TRUE(SetSettingsKey(v, QStringLiteral("Sterne"), QStringLiteral("3")));
  EXPECT_TRUE(v.Switches.ConstellationLines);
  EXPECT_EQ(v.Switches.StarNames, 3);
  EXPECT_FALSE(SetSettingsKey(v, QStringLiteral("Farbe"), QStringLiteral("1")));
  EXPECT_FALSE(SetSettingsKey(v, QStringLiteral("Linien"), QStringLiteral("an")));
}

TEST(SettingsFile, Windows1252RoundTripOfEveryByte) {
  QByteArray all;
  for (int b = 0; b < 256; ++b) all.append(static_cast<char>(b));
  EXPECT_EQ(EncodeWindows1252(DecodeWindows1252(all)), all);
  EXPECT_EQ(DecodeWindows1252("\x80\xE4"), QStringLiteral("€ä"));
  EXPECT_EQ(EncodeWindows1252(QStringLiteral("Ω")), QByteArray("?"));
}

TEST(SettingsFile, HandWrittenUtf8IsReadAsUtf8AndWindows1252StaysWindows1252) {
  const struct {
    QByteArray bytes;
    QString place;
  } rows[] = {
      {"[Zenitra]\r\nOrt=K\xF6ln, D\r\n", QStringLiteral("Köln, D")},              // Windows-1252
      {"[Zenitra]\nOrt=K\xC3\xB6ln, D\n", QStringLiteral("Köln, D")},               // UTF-8
      {"\xEF\xBB\xBF[Zenitra]\nOrt=K\xC3\xB6ln, D\n", QStringLiteral("Köln, D")},   // UTF-8 with mark
      {"[Zenitra]\nOrt=\xC5\x81\xC3\xB3" "d\xC5\xBA\n", QStringLiteral("Łódź")},      // not in the code page
      // Not valid UTF-8 as a whole (a lone 0xF6), so every byte is Windows-1252.
      {"[Zenitra]\nOrt=K\xC3\xB6ln \xF6\n", QStringLiteral("KÃ¶ln ö")},
      {"[Zenitra]\nOrt=\xC0\xAF\n", QStringLiteral("À¯")},  // overlong UTF-8 form: not UTF-8
  };
  for (const auto& row : rows) {
    const SettingsValues v = ParseSettings(row.bytes);
    EXPECT_EQ(v.Place, row.place) << "input " << row.bytes.toHex().toStdString();
    // Written back, the place survives (in Windows-1252 where it fits the code page).
    EXPECT_EQ(ParseSettings(SerializeSettings(v, row.bytes)).Place, row.place) << row.bytes.toHex().toStdString();
  }
  EXPECT_TRUE(SerializeSettings(ParseSettings(rows[1].bytes), rows[1].bytes).contains("\r\nOrt=K\xF6ln, D\r\n"));
}

TEST(SettingsFile, EveryPlaceTextSurvivesTheRoundTrip) {
  // Ends that reading would trim or unquote are quoted; texts outside Windows-1252, and the rare
  // Windows-1252 text whose bytes are valid UTF-8 too, make the file UTF-8.
  for (const QString& place : {QStringLiteral(" Köln "), QStringLiteral("\"Bonn\""), QStringLiteral("'x'"),
                               QStringLiteral("\""), QStringLiteral("Łódź"), QStringLiteral("Ã¶"),
                               QStringLiteral("a\rb"), QStringLiteral("\t"), QStringLiteral("€ 1;2=3 [x]")}) {
    SettingsValues v = EverythingSet();
    v.Place = place;
    EXPECT_EQ(ParseSettings(SerializeSettings(v)).Place, place) << place.toStdString();
  }
  // A line feed would end the line; it becomes a space.
  SettingsValues v;
  v.Place = QStringLiteral("Berlin\nLinien=1");
  const SettingsValues back = ParseSettings(SerializeSettings(v));
  EXPECT_EQ(back.Place, QStringLiteral("Berlin Linien=1"));
  EXPECT_FALSE(back.Switches.ConstellationLines);
}

TEST(SettingsFile, ForeignKeysSectionsAndCommentsSurviveARewrite) {
  const QByteArray previous =
      "; written by hand\r\n"
      "[Fenster]\r\nLinien=7\r\nBreite=800\r\n"
      "[Zenitra]\r\nLinien=1\r\nFarbe=rot\r\n; mein Kommentar\r\nSterne=x\r\n"
      "[Andere]\r\nOrt=Paris\r\n";
  SettingsValues v;
  v.Place = QStringLiteral("Chemnitz, D");
  const QByteArray bytes = SerializeSettings(v, previous);
  const QByteArray own = SerializeSettings(v);
  const QByteArray expected = "; written by hand\r\n[Fenster]\r\nLinien=7\r\nBreite=800\r\n" + own +
                              "Farbe=rot\r\n; mein Kommentar\r\n[Andere]\r\nOrt=Paris\r\n";
  EXPECT_EQ(bytes, expected) << bytes.toStdString();
  EXPECT_EQ(ParseSettings(bytes), v);
  // Without a section of its own the file gets one at the end; nothing foreign is doubled.
  EXPECT_EQ(SerializeSettings(v, "[Andere]\nx=1\n"), "[Andere]\r\nx=1\r\n" + own);
  EXPECT_EQ(SerializeSettings(v, bytes), bytes);
}

TEST(SettingsFile, StaleTemporaryFilesOfAKilledWriteAreRemoved) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = SettingsFilePath(dir.path());
  ASSERT_FALSE(WriteSettingsFile(path, EverythingSet()).has_value());
  const QStringList stale = {QStringLiteral("zenitra.ini.AbC123"), QStringLiteral("zenitra.ini.zzzzzz")};
  const QStringList kept = {QStringLiteral("zenitra.ini.bak"), QStringLiteral("zenitra.ini.1234567"),
                            QStringLiteral("other.ini.AbC123"), QStringLiteral("zenitra.ini.ab-123")};
  for (const QString& name : stale + kept) {
    QFile f(dir.filePath(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << name.toStdString();
  }
  EXPECT_EQ(RemoveStaleSettingsFiles(path), 2);
  QStringList expected = kept;
  expected << QStringLiteral("zenitra.ini");
  expected.sort();
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files, QDir::Name), expected);
  EXPECT_EQ(ReadSettingsFile(path), EverythingSet());
}

TEST(SettingsFile, WriteThenReadInTemporaryFolder) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = SettingsFilePath(dir.path() + QStringLiteral("/sub"));
  EXPECT_TRUE(path.endsWith(QStringLiteral("/sub/zenitra.ini")));
  EXPECT_FALSE(ReadSettingsFile(path).has_value());
  const SettingsValues v = EverythingSet();
  EXPECT_FALSE(WriteSettingsFile(path, v).has_value());
  const std::optional<SettingsValues> back = ReadSettingsFile(path);
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(*back, v);
  // Overwriting leaves no temporary file behind and keeps a key added by hand.
  {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::Append));
    f.write("Farbe=rot\r\n");
  }
  EXPECT_FALSE(WriteSettingsFile(path, SettingsValues{}).has_value());
  QFile written(path);
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  EXPECT_EQ(written.readAll(), SerializeSettings(SettingsValues{}) + "Farbe=rot\r\n");
  EXPECT_EQ(QDir(dir.path() + QStringLiteral("/sub")).entryList(QDir::Files), QStringList{QStringLiteral("zenitra.ini")});
}

TEST(SettingsFile, UnwritableFolderGivesAMessageAndKeepsTheOldFile) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = SettingsFilePath(dir.path());
  ASSERT_FALSE(WriteSettingsFile(path, EverythingSet()).has_value());
  QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
  const bool rootCanWriteAnyway = QFile(dir.path() + QStringLiteral("/probe")).open(QIODevice::WriteOnly);
  if (!rootCanWriteAnyway) {
    const std::optional<QString> error = WriteSettingsFile(path, SettingsValues{});
    ASSERT_TRUE(error.has_value());
    EXPECT_TRUE(error->contains(QStringLiteral("Einstellungen"))) << error->toStdString();
    EXPECT_EQ(ReadSettingsFile(path), EverythingSet());
  }
  QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  // A path whose folder cannot exist (a file stands in its place) fails for every user.
  const QString blocked = SettingsFilePath(path);
  const std::optional<QString> error = WriteSettingsFile(blocked, SettingsValues{});
  ASSERT_TRUE(error.has_value());
  EXPECT_TRUE(error->contains(QStringLiteral("Einstellungen"))) << error->toStdString();
}

}  // namespace
}  // namespace zenitra
