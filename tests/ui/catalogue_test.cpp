// Catalogue resources: structure of every embedded file, reference stars and places, and the
// loader's behaviour on damaged streams.
#include "ui/catalogue.h"

#include <zlib.h>

#include <QFile>
#include <QSet>
#include <QTimeZone>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <random>

namespace zenitra {
namespace {

constexpr double kRadToDeg = 180.0 / std::numbers::pi;

QByteArray Deflate(const QByteArray& text, int level = Z_BEST_COMPRESSION) {
  uLongf size = compressBound(static_cast<uLong>(text.size()));
  QByteArray out(static_cast<qsizetype>(size), Qt::Uninitialized);
  EXPECT_EQ(compress2(reinterpret_cast<Bytef*>(out.data()), &size,
                      reinterpret_cast<const Bytef*>(text.constData()),
                      static_cast<uLong>(text.size()), level),
            Z_OK);
  out.resize(static_cast<qsizetype>(size));
  return out;
}

QByteArray RawResource(const QString& name) {
  QFile file(QStringLiteral(":/catalogue/") + name);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

const Catalogue& Loaded() {
  static const Catalogue catalogue = LoadCatalogue();
  return catalogue;
}

double Number(const QString& text) {
  bool ok = false;
  const double value = text.toDouble(&ok);
  EXPECT_TRUE(ok) << "not a number: " << text.toStdString();
  return value;
}

// Angular distance in degrees between two positions given in radians.
double SeparationDeg(double ra1, double dec1, double ra2, double dec2) {
  const double c = std::sin(dec1) * std::sin(dec2) +
                   std::cos(dec1) * std::cos(dec2) * std::cos(ra1 - ra2);
  return std::acos(std::clamp(c, -1.0, 1.0)) * kRadToDeg;
}

// ---- Embedding ------------------------------------------------------------------------------

TEST(CatalogueEmbedding, EveryResourceIsAZlibStreamWithBestCompressionHeader) {
  for (const char* name : {"STAR6", "ERDE"}) {
    const QByteArray raw = RawResource(QString::fromLatin1(name));
    ASSERT_GE(raw.size(), 2) << "resource " << name << " is missing";
    EXPECT_EQ(static_cast<unsigned char>(raw[0]), 0x78) << "resource " << name;
    EXPECT_EQ(static_cast<unsigned char>(raw[1]), 0xDA) << "resource " << name;
  }
}

QByteArray CommittedText(const char* name) {
  QFile file(QStringLiteral(ZENITRA_SOURCE_DIR "/resources/catalogue/") + QString::fromLatin1(name));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << "missing " << file.fileName().toStdString();
  return file.readAll();
}

TEST(CatalogueEmbedding, EmbeddedStreamsInflateToTheCommittedTextFiles) {
  for (const char* name : {"STAR6", "ERDE"}) {
    const QByteArray text = CommittedText(name);
    EXPECT_EQ(InflateCatalogue(RawResource(QString::fromLatin1(name)), QString::fromLatin1(name)),
              text)
        << name;
  }
}

TEST(CatalogueEmbedding, BuildTimeTablesHoldTheCommittedTextFilesLineForLine) {
  for (const char* name : {"STAR0", "STAR1", "STAR2", "STAR3", "STAR5", "ORT", "ORTE"}) {
    const QStringList lines = LoadCatalogueLines(QString::fromLatin1(name));
    const QStringList expected = SplitCatalogueLines(CommittedText(name));
    ASSERT_EQ(lines.size(), expected.size()) << name;
    for (qsizetype i = 0; i < lines.size(); ++i) {
      ASSERT_EQ(lines[i], expected[i]) << name << " line " << i + 1;
    }
  }
  // The figure and boundary points are STAR1 and STAR2 as numbers, to the last bit.
  for (const auto& [name, points] : {std::pair{"STAR1", &Loaded().Figures}, std::pair{"STAR2", &Loaded().Boundaries}}) {
    const QStringList text = SplitCatalogueLines(CommittedText(name));
    ASSERT_EQ(2 * points->size(), static_cast<std::size_t>(text.size())) << name;
    for (std::size_t p = 0; p < points->size(); ++p) {
      const qsizetype line = 2 * static_cast<qsizetype>(p);
      ASSERT_EQ((*points)[p].Alpha, Number(text[line])) << name << " line " << line + 1;
      ASSERT_EQ((*points)[p].Delta, Number(text[line + 1])) << name << " line " << line + 2;
    }
  }
  // The star table is STAR0 as the program's own parser reads it, to the last bit.
  const std::vector<CatalogueStar> parsed = BuildStarTable(SplitCatalogueLines(CommittedText("STAR0")));
  const auto& stars = Loaded().Stars;
  ASSERT_EQ(stars.size(), parsed.size());
  for (std::size_t k = 0; k < stars.size(); ++k) {
    EXPECT_EQ(stars[k].RightAscension, parsed[k].RightAscension) << "record " << k + 1;
    EXPECT_EQ(stars[k].Declination, parsed[k].Declination) << "record " << k + 1;
    EXPECT_EQ(stars[k].Magnitude, parsed[k].Magnitude) << "record " << k + 1;
    EXPECT_EQ(stars[k].SpectralClass, parsed[k].SpectralClass) << "record " << k + 1;
  }
}

TEST(CatalogueEmbedding, EveryCatalogueFileEndsEachLineWithCrLf) {
  for (const char* name : {"STAR0", "STAR1", "STAR2", "STAR3", "STAR5", "STAR6", "ORT", "ORTE", "ERDE"}) {
    const QByteArray text = CommittedText(name);
    EXPECT_TRUE(text.endsWith("\r\n")) << name;
    EXPECT_EQ(text.count("\n"), text.count("\r\n")) << name << ": every line ends with CR LF";
  }
}

TEST(CatalogueEmbedding, NamesAreLookedUpWithoutRegardToCase) {
  EXPECT_EQ(LoadCatalogueLines(QStringLiteral("star5")), LoadCatalogueLines(QStringLiteral("STAR5")));
  EXPECT_EQ(LoadCatalogueLines(QStringLiteral("Orte")).size(), 3448);
}

// ---- Structure and counts -------------------------------------------------------------------

TEST(CatalogueStructure, StarTableHoldsTheBrightest1739StarsBrightestFirst) {
  const auto& stars = Loaded().Stars;
  ASSERT_EQ(stars.size(), 1739u);
  EXPECT_EQ(LoadCatalogueLines(QStringLiteral("STAR0")).size(), 4 * 1739);
  for (std::size_t k = 0; k < stars.size(); ++k) {
    EXPECT_GE(stars[k].RightAscension, 0.0) << "record " << k + 1;
    EXPECT_LT(stars[k].RightAscension, 2.0 * std::numbers::pi) << "record " << k + 1;
    EXPECT_LE(std::abs(stars[k].Declination), std::numbers::pi / 2.0) << "record " << k + 1;
    EXPECT_GE(stars[k].SpectralClass, 1) << "record " << k + 1;
    EXPECT_LE(stars[k].SpectralClass, 8) << "record " << k + 1;
    if (k > 0) {
      EXPECT_GE(stars[k].Magnitude, stars[k - 1].Magnitude) << "record " << k + 1;
    }
    // No placeholder star at the origin of the coordinates (the Sun is drawn as a body).
    EXPECT_FALSE(stars[k].RightAscension == 0.0 && stars[k].Declination == 0.0) << "record " << k + 1;
  }
  EXPECT_LT(stars.back().Magnitude, 6.0);
}

TEST(CatalogueStructure, StarNamesAreParallelUniqueAndStartWithAConstellation) {
  const auto& c = Loaded();
  ASSERT_EQ(c.StarNames.size(), 1739);
  QSet<QString> abbreviations;
  for (qsizetype i = 2; i < c.Constellations.size(); i += 5) abbreviations.insert(c.Constellations[i]);
  EXPECT_EQ(abbreviations.size(), 88);  // Serpens has two records
  QSet<QString> seen;
  for (const QString& name : c.StarNames) {
    EXPECT_TRUE(abbreviations.contains(name.left(3)) && name.mid(3, 1) == QStringLiteral(" "))
        << "name " << name.toStdString();
    EXPECT_FALSE(seen.contains(name)) << "repeated name " << name.toStdString();
    EXPECT_NE(name, QStringLiteral("Sonne"));
    seen.insert(name);
  }
}

TEST(CatalogueStructure, ConstellationsAre89RecordsOfFiveLines) {
  const QStringList& lines = Loaded().Constellations;
  ASSERT_EQ(lines.size(), 89 * 5);
  for (qsizetype r = 0; r < 89; ++r) {
    EXPECT_FALSE(lines[5 * r].isEmpty()) << "record " << r;
    EXPECT_FALSE(lines[5 * r + 1].isEmpty()) << "record " << r;
    EXPECT_EQ(lines[5 * r + 2].size(), 3) << "record " << r;
    const double ra = Number(lines[5 * r + 3]);
    const double dec = Number(lines[5 * r + 4]);
    EXPECT_TRUE(ra >= 0.0 && ra < 2.0 * std::numbers::pi) << "record " << r << " ra " << ra;
    EXPECT_LE(std::abs(dec), std::numbers::pi / 2.0) << "record " << r;
  }
  EXPECT_EQ(lines.mid(0, 3), (QStringList{"Andromeda", "Andromeda", "And"}));
}

// Figures and boundaries: pairs of lines, every polyline closed by a (0, 0) separator.
void ExpectPolylines(const std::vector<CataloguePoint>& line, const char* name, double maxStepDeg) {
  ASSERT_GE(line.size(), 2u) << name;
  int separators = 0;
  int points = 0;
  bool open = false;
  double prevRa = 0.0;
  double prevDec = 0.0;
  double worstStep = 0.0;
  for (std::size_t p = 0; p < line.size(); ++p) {
    const double ra = line[p].Alpha;
    const double dec = line[p].Delta;
    if (ra == 0.0 && dec == 0.0) {
      EXPECT_TRUE(open) << name << ": empty polyline before point " << p;
      ++separators;
      open = false;
      continue;
    }
    EXPECT_TRUE(ra >= 0.0 && ra < 2.0 * std::numbers::pi) << name << " point " << p;
    EXPECT_LE(std::abs(dec), std::numbers::pi / 2.0) << name << " point " << p;
    if (open) worstStep = std::max(worstStep, SeparationDeg(prevRa, prevDec, ra, dec));
    prevRa = ra;
    prevDec = dec;
    open = true;
    ++points;
  }
  EXPECT_FALSE(open) << name << " must end with a separator";
  EXPECT_GT(separators, 80) << name;
  EXPECT_GT(points, 2 * separators) << name;
  EXPECT_LE(worstStep, maxStepDeg) << name << ": longest step " << worstStep << " degrees";
}

TEST(CatalogueStructure, FiguresArePolylinesEndedBySeparators) {
  // Figure lines join stars; the longest (in Eridanus, Hydra) stay well below 40 degrees.
  ExpectPolylines(Loaded().Figures, "STAR1", 40.0);
}

TEST(CatalogueStructure, NoBoundaryStepIsLongerThanOneDegree) {
  ExpectPolylines(Loaded().Boundaries, "STAR2", 1.0);
}

TEST(CatalogueStructure, StarInformationHasOneNineLineRecordPerStar) {
  const QStringList star6 = LoadCatalogueLines(QStringLiteral("STAR6"));
  ASSERT_EQ(star6.size(), 9 * 1739);
  for (qsizetype r = 0; r < star6.size(); r += 9) {
    const QString& key = star6[r];
    for (int f = 1; f <= 8; ++f) EXPECT_LE(star6[r + f].size(), 10) << key.toStdString();
    EXPECT_LE(star6[r + 8].size(), 2) << key.toStdString();
    const double hours = Number(star6[r + 1]);
    EXPECT_TRUE(hours >= 0.0 && hours < 24.0) << key.toStdString();
    EXPECT_LE(std::abs(Number(star6[r + 2])), 90.0) << key.toStdString();
    // Absolute magnitude and distance are both known or both absent; they are absent exactly
    // when the parallax is missing or below 1 mas.
    const bool noParallax = star6[r + 4] == QStringLiteral("-10000") || Number(star6[r + 4]) < 1.0;
    EXPECT_EQ(star6[r + 5] == QStringLiteral("-10000"), noParallax) << key.toStdString();
    EXPECT_EQ(star6[r + 7] == QStringLiteral("-10000"), noParallax) << key.toStdString();
    if (!noParallax) {
      // r = 1000 / parallax parsecs, 1 pc = 3.2615638 ly (rounded to 0.1 ly).
      EXPECT_NEAR(Number(star6[r + 7]), 3261.5638 / Number(star6[r + 4]), 0.051)
          << key.toStdString();
    }
  }
}

TEST(CatalogueStructure, EveryStarNameFindsItsOwnInformationRecord) {
  // The information box takes the first key that begins with the clicked name; for "UMa 8" that
  // must be "UMa 8" itself, not "UMa 80".
  const QStringList star6 = LoadCatalogueLines(QStringLiteral("STAR6"));
  for (const QString& name : Loaded().StarNames) {
    const auto record = FindStarInformation(star6, name);
    ASSERT_TRUE(record.has_value()) << "name " << name.toStdString();
    EXPECT_EQ(record->Key, name);
  }
  EXPECT_FALSE(FindStarInformation(star6, QStringLiteral("Cet UV A")).has_value());
}

TEST(CatalogueStructure, PlacesAre3448ParallelRecords) {
  const auto& c = Loaded();
  ASSERT_EQ(c.Places.size(), 3448);
  ASSERT_EQ(c.PlaceNames.size(), 3448);
  QSet<QString> names;
  for (qsizetype i = 0; i < c.Places.size(); ++i) {
    const auto place = ParsePlaceRecord(c.Places[i]);
    ASSERT_TRUE(place.has_value()) << "ORT line " << i << ": " << c.Places[i].toStdString();
    EXPECT_EQ(QString::fromStdString(place->Name), c.PlaceNames[i]) << "line " << i;
    EXPECT_TRUE(c.PlaceNames[i].contains(QStringLiteral(", "))) << c.PlaceNames[i].toStdString();
    EXPECT_FALSE(names.contains(c.PlaceNames[i].toLower())) << c.PlaceNames[i].toStdString();
    names.insert(c.PlaceNames[i].toLower());
    // Standard-time offsets are whole, half or quarter hours.
    EXPECT_DOUBLE_EQ(std::fmod(place->ZoneHours * 4.0, 1.0), 0.0) << c.Places[i].toStdString();
    // Every place names a zone that the time-zone database knows, or it would lose its summer time.
    EXPECT_TRUE(QTimeZone::isTimeZoneIdAvailable(QByteArray::fromStdString(place->TimeZoneId)))
        << c.Places[i].toStdString();
  }
}

TEST(CatalogueStructure, CoastlinesAreWholeDegreeTriplesEndingWithZeroLine) {
  const QStringList lines = LoadCatalogueLines(QStringLiteral("ERDE"));
  ASSERT_GT(lines.size(), 2000);
  EXPECT_EQ(lines.back(), QStringLiteral("0 0 0"));
  int penUps = 0;
  for (qsizetype i = 0; i < lines.size(); ++i) {
    const QStringList f = lines[i].split(QLatin1Char(' '));
    ASSERT_EQ(f.size(), 3) << "line " << i << ": " << lines[i].toStdString();
    const double lat = Number(f[0]);
    const double lon = Number(f[1]);
    EXPECT_TRUE(lat >= -90.0 && lat <= 90.0 && lat == std::round(lat)) << "line " << i;
    EXPECT_TRUE(lon >= 0.0 && lon < 360.0 && lon == std::round(lon)) << "line " << i;
    if (f[2] == QStringLiteral("0")) ++penUps;
    if (i == 0) {
      EXPECT_EQ(f[2], QStringLiteral("0"));
    } else if (i + 1 < lines.size()) {
      EXPECT_NE(lines[i], lines[i - 1]) << "line " << i;
    }
  }
  EXPECT_GT(penUps, 50);
}

// ---- Reference values -----------------------------------------------------------------------

TEST(CatalogueReference, ChemnitzIsThePlaceAtIndex571) {
  const auto& c = Loaded();
  ASSERT_GT(c.Places.size(), 571);
  EXPECT_EQ(c.PlaceNames[571], QStringLiteral("Chemnitz, D"));
  const auto place = ParsePlaceRecord(c.Places[571]);
  ASSERT_TRUE(place.has_value());
  EXPECT_EQ(place->Name, "Chemnitz, D");
  EXPECT_NEAR(place->LatitudeDeg, 50.836667, 1e-6);
  EXPECT_NEAR(place->LongitudeDeg, 12.854444, 1e-6);
  EXPECT_EQ(place->ZoneHours, 1.0);
  EXPECT_EQ(place->TimeZoneId, "Europe/Berlin");
}

struct ReferenceStar {
  const char* Name;
  double RaDeg;   // J2000
  double DecDeg;  // J2000
  int ClassIndex;
  const char* SpectralClass;
};

TEST(CatalogueReference, SiriusAndVegaLieWithinOneHundredthDegreeOfTheirCataloguePlaces) {
  // Hipparcos J2000 positions (ESA 1997, SP-1200): Sirius 06h45m08.917s -16d42m58.02s, A1V;
  // Vega 18h36m56.336s +38d47m01.28s, A0V.
  const ReferenceStar references[] = {
      {"CMa Alpha,Sirius", 15.0 * (6 + 45 / 60.0 + 8.917 / 3600.0),
       -(16 + 42 / 60.0 + 58.02 / 3600.0), 3, "A1"},
      {"Lyr Alpha,Wega", 15.0 * (18 + 36 / 60.0 + 56.336 / 3600.0),
       38 + 47 / 60.0 + 1.28 / 3600.0, 3, "A0"},
  };
  const auto& c = Loaded();
  const QStringList star6 = LoadCatalogueLines(QStringLiteral("STAR6"));
  for (const auto& ref : references) {
    const qsizetype k = c.StarNames.indexOf(QString::fromUtf8(ref.Name));
    ASSERT_GE(k, 0) << ref.Name;
    const CatalogueStar& star = c.Stars[static_cast<std::size_t>(k)];
    const double error = SeparationDeg(star.RightAscension, star.Declination,
                                       ref.RaDeg / kRadToDeg, ref.DecDeg / kRadToDeg);
    EXPECT_LT(error, 0.01) << ref.Name << ": off by " << error << " degrees";
    EXPECT_EQ(star.SpectralClass, ref.ClassIndex) << ref.Name;
    const auto info = FindStarInformation(star6, QString::fromUtf8(ref.Name));
    ASSERT_TRUE(info.has_value()) << ref.Name;
    EXPECT_EQ(info->Fields[7], QString::fromLatin1(ref.SpectralClass)) << ref.Name;
    EXPECT_NEAR(Number(info->Fields[0]) * 15.0, ref.RaDeg, 0.01) << ref.Name;
    EXPECT_NEAR(Number(info->Fields[1]), ref.DecDeg, 0.01) << ref.Name;
  }
  EXPECT_EQ(c.StarNames[0], QStringLiteral("CMa Alpha,Sirius"));
}

TEST(CatalogueReference, DrawableLabelsAreProperNamesInGermanForm) {
  const auto& names = Loaded().StarNames;
  for (const char* expected : {"Ori Alpha,Beteigeuze", "CMi Alpha,Prokyon", "Boo Alpha,Arktur",
                               "UMi Alpha,Polarstern", "Cen Alpha2,Toliman"}) {
    EXPECT_TRUE(names.contains(QString::fromUtf8(expected))) << expected;
  }
  int labelled = 0;
  for (const QString& name : names) {
    const qsizetype comma = name.indexOf(QLatin1Char(','));
    if (comma < 0 || comma + 1 >= name.size()) continue;
    const QChar first = name[comma + 1];
    if (first >= QLatin1Char('A') && first <= QLatin1Char('Z')) ++labelled;
    // Catalogue numbers of stars without a designation are never drawn as labels.
    if (name.mid(3, 2) == QStringLiteral(" ,") && name.mid(comma + 1, 1) == QStringLiteral("(")) {
      EXPECT_TRUE(name.endsWith(QLatin1Char(')'))) << name.toStdString();
    }
  }
  EXPECT_GT(labelled, 400);
}

TEST(CatalogueReference, Windows1252TextDecodesUmlautsAndSpecialCharacters) {
  const QStringList lines =
      SplitCatalogueLines(QByteArray("F\xFC" "chschen\r\nD\xE4nemark\r\n\x80 \x96 \x9F\r\n"));
  EXPECT_EQ(lines, (QStringList{QStringLiteral("Füchschen"), QStringLiteral("Dänemark"),
                                QStringLiteral("€ – Ÿ")}));
  // And in the embedded constellation list: Vulpecula.
  const QStringList& star5 = Loaded().Constellations;
  const qsizetype vul = star5.indexOf(QStringLiteral("Vul"));
  ASSERT_GE(vul, 2);
  EXPECT_EQ(star5[vul - 1], QStringLiteral("Füchschen"));
}

// ---- Line splitting -------------------------------------------------------------------------

TEST(CatalogueLines, SplitsAtCrLfAndToleratesAMissingFinalLineEnd) {
  EXPECT_EQ(SplitCatalogueLines(QByteArray("a\r\nb\r\n")), (QStringList{"a", "b"}));
  EXPECT_EQ(SplitCatalogueLines(QByteArray("a\r\nb")), (QStringList{"a", "b"}));
  EXPECT_EQ(SplitCatalogueLines(QByteArray("a\r\n\r\nb\r\n")), (QStringList{"a", "", "b"}));
  EXPECT_TRUE(SplitCatalogueLines(QByteArray()).isEmpty());
}

TEST(CatalogueLines, InflateRestoresAnyDeflatedText) {
  std::mt19937 random(1875);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> length(0, 20000);
  for (int round = 0; round < 200; ++round) {
    QByteArray text(length(random), Qt::Uninitialized);
    for (auto& ch : text) ch = static_cast<char>(round % 2 ? byte(random) : 'a' + byte(random) % 4);
    const QByteArray stream = Deflate(text, round % 10);
    EXPECT_EQ(InflateCatalogue(stream, QStringLiteral("TEST")), text)
        << "round " << round << ", " << text.size() << " bytes";
  }
}

// ---- Bad input ------------------------------------------------------------------------------

void ExpectDamaged(const QByteArray& stream, const char* what) {
  try {
    (void)InflateCatalogue(stream, QStringLiteral("star2"));
    ADD_FAILURE() << what << ": no error";
  } catch (const CatalogueError& e) {
    EXPECT_EQ(e.Message(), QStringLiteral("Die Katalogdatei STAR2 fehlt oder ist beschädigt."))
        << what;
  }
}

TEST(CatalogueBadInput, TruncatedStreamsAreReportedNamingTheResource) {
  const QByteArray stream = RawResource(QStringLiteral("STAR6"));
  ASSERT_GT(stream.size(), 1000);
  for (qsizetype cut : {qsizetype{0}, qsizetype{1}, qsizetype{2}, qsizetype{100},
                        stream.size() / 2, stream.size() - 5, stream.size() - 1}) {
    ExpectDamaged(stream.left(cut), ("cut to " + std::to_string(cut) + " bytes").c_str());
  }
}

TEST(CatalogueBadInput, CorruptStreamsAreReportedNamingTheResource) {
  const QByteArray stream = RawResource(QStringLiteral("STAR6"));
  ExpectDamaged(QByteArray("not a zlib stream at all"), "plain text");
  QByteArray header = stream;
  header[1] = static_cast<char>(header[1] ^ 0x01);  // header check bits no longer match
  ExpectDamaged(header, "bad header");
  QByteArray checksum = stream;
  checksum[checksum.size() - 1] = static_cast<char>(checksum[checksum.size() - 1] ^ 0x55);
  ExpectDamaged(checksum, "bad Adler-32");
  ExpectDamaged(stream + QByteArray("xyz"), "trailing bytes");
  std::mt19937 random(2000);
  std::uniform_int_distribution<qsizetype> where(2, stream.size() - 5);
  int detected = 0;
  for (int round = 0; round < 50; ++round) {
    QByteArray damaged = stream;
    const qsizetype at = where(random);
    damaged[at] = static_cast<char>(damaged[at] ^ 0xA5);
    try {
      (void)InflateCatalogue(damaged, QStringLiteral("STAR2"));
    } catch (const CatalogueError&) {
      ++detected;
    }
  }
  // The Adler-32 check catches every damaged body that still inflates.
  EXPECT_EQ(detected, 50);
}

TEST(CatalogueBadInput, MissingResourceIsReportedNamingIt) {
  try {
    (void)LoadCatalogueLines(QStringLiteral("star9"));
    ADD_FAILURE() << "no error for a missing resource";
  } catch (const CatalogueError& e) {
    EXPECT_EQ(e.Message(), QStringLiteral("Die Katalogdatei STAR9 fehlt oder ist beschädigt."));
  }
}

TEST(CatalogueBadInput, MalformedStarRecordsAreRejected) {
  const QStringList good{"1.5", "-0.5", "2.1", "3"};
  EXPECT_EQ(BuildStarTable(good).size(), 1u);
  const QStringList bad[] = {
      {"1.5", "-0.5", "2.1"},          // incomplete record
      {"1.5", "x", "2.1", "3"},        // not a number
      {"1.5", "-0.5", "2.1", "9"},     // no such class
      {"7.0", "-0.5", "2.1", "3"},     // right ascension beyond 2 pi
      {"1.5", "nan", "2.1", "3"},      // not finite
      {"1.5", "-0.5", "2.1", "3.5"}};  // class not an integer
  for (const QStringList& lines : bad) {
    EXPECT_THROW((void)BuildStarTable(lines), CatalogueError) << lines.join(' ').toStdString();
  }
}

TEST(CatalogueBadInput, TheBuildRefusesACatalogueWithAFileOutOfStep) {
  // The build embeds the catalogue only when these checks pass; each faulty file is named.
  CatalogueTexts texts;
  texts.Star5 = LoadCatalogueLines(QStringLiteral("STAR5"));
  texts.Star1 = LoadCatalogueLines(QStringLiteral("STAR1"));
  texts.Star2 = LoadCatalogueLines(QStringLiteral("STAR2"));
  texts.Star3 = LoadCatalogueLines(QStringLiteral("STAR3"));
  texts.Star0 = LoadCatalogueLines(QStringLiteral("STAR0"));
  texts.Ort = LoadCatalogueLines(QStringLiteral("ORT"));
  texts.Orte = LoadCatalogueLines(QStringLiteral("ORTE"));
  ASSERT_EQ(CatalogueFromTexts(texts).Stars.size(), 1739u);
  const struct {
    QStringList CatalogueTexts::*File;
    const char* Name;
  } files[] = {{&CatalogueTexts::Star5, "STAR5"}, {&CatalogueTexts::Star1, "STAR1"},
               {&CatalogueTexts::Star2, "STAR2"}, {&CatalogueTexts::Star3, "STAR3"},
               {&CatalogueTexts::Star0, "STAR0"}, {&CatalogueTexts::Orte, "ORTE"}};
  for (const auto& file : files) {
    CatalogueTexts damaged = texts;
    (damaged.*file.File).removeLast();
    try {
      (void)CatalogueFromTexts(damaged);
      ADD_FAILURE() << file.Name << " one line short: no error";
    } catch (const CatalogueError& e) {
      EXPECT_EQ(e.Message(), CatalogueDamagedMessage(QString::fromLatin1(file.Name))) << file.Name;
    }
  }
  CatalogueTexts badPlace = texts;
  badPlace.Ort[7] = badPlace.Orte[7] + QStringLiteral("\t91\t0\t+1");  // latitude beyond the pole
  EXPECT_THROW((void)CatalogueFromTexts(badPlace), CatalogueError);
}

TEST(CatalogueBadInput, MalformedPlaceRecordsGiveNoPlace) {
  const auto plus = ParsePlaceRecord(QStringLiteral("Perth, AUS\t-31.95\t115.86\t+8"));
  ASSERT_TRUE(plus.has_value());
  EXPECT_EQ(plus->ZoneHours, 8.0);
  const auto half = ParsePlaceRecord(QStringLiteral("St. John's, CDN\t47.58\t-52.68\t-3.5"));
  ASSERT_TRUE(half.has_value());
  EXPECT_EQ(half->ZoneHours, -3.5);
  // The IANA zone name is an optional fifth field.
  EXPECT_EQ(half->TimeZoneId, "");
  const auto named = ParsePlaceRecord(QStringLiteral("Lord Howe Island, AUS\t-31.55\t159.08\t10.5\tAustralia/Lord_Howe"));
  ASSERT_TRUE(named.has_value());
  EXPECT_EQ(named->ZoneHours, 10.5);
  EXPECT_EQ(named->TimeZoneId, "Australia/Lord_Howe");
  for (const char* line : {"", "Chemnitz, D", "Chemnitz, D\t50.8\t12.9", "Chemnitz, D\t50.8\t12.9\t1\t",
                           "Chemnitz, D\t50.8\t12.9\t1\tEurope/Berlin\tx", "Chemnitz, D\t50.8\t12.9\t1\tEurope Berlin",
                           "Chemnitz, D\tfifty\t12.9\t1", "Chemnitz, D\t95\t12.9\t1",
                           "Chemnitz, D\t50.8\t12.9\tinf", "\t50.8\t12.9\t1"}) {
    EXPECT_FALSE(ParsePlaceRecord(QString::fromUtf8(line)).has_value()) << "line " << line;
  }
}

TEST(CatalogueBadInput, IncompleteInformationRecordAtTheEndIsNotRead) {
  const QStringList lines{"Ori Alpha,Beteigeuze", "5.9195", "7.4071", "1.5", "6.55", "-5.85",
                          "0.45", "497.9", "M1",  // complete record
                          "Ori Beta,Rigel", "5.24"};  // cut short
  EXPECT_TRUE(FindStarInformation(lines, QStringLiteral("Ori Alpha")).has_value());
  EXPECT_FALSE(FindStarInformation(lines, QStringLiteral("Ori Beta")).has_value());
}

}  // namespace
}  // namespace zenitra
