// Body pictures: every embedded picture present with its size, the black transparent colour,
// the Moon phases lit on the correct side, JPEG decoding through libjpeg (colours that look like
// the bodies; damaged data refused without a crash), the moon phase strip.
#include "ui/body_pictures.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QRandomGenerator>

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace zenitra {
namespace {

struct Size {
  int number;
  int width;
  int height;
};

// Sizes as the sky map and the orbits window draw them.
const Size kSkySizes[] = {{1160, 17, 17}, {1171, 8, 8},   {1172, 8, 8},   {1174, 8, 8},
                          {1175, 8, 8},   {1176, 18, 8},  {1177, 8, 8},   {1460, 15, 15},
                          {1461, 15, 15}, {1462, 15, 15}, {1463, 15, 15}, {1464, 15, 15},
                          {1465, 15, 15}, {1466, 15, 15}, {1467, 15, 15}};
const Size kOrbitSizes[] = {{1158, 21, 20}, {1171, 8, 8}, {1172, 8, 8},  {1173, 8, 8},
                            {1174, 8, 8},   {1175, 8, 8}, {1176, 18, 8}, {1177, 8, 8},
                            {1178, 8, 8}};

QByteArray ReadResource(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

bool Opaque(const QImage& image, int x, int y) { return qAlpha(image.pixel(x, y)) == 255; }

int Brightness(QRgb c) { return (qRed(c) + qGreen(c) + qBlue(c)) / 3; }

// ---- presence and sizes --------------------------------------------------------------------

TEST(BodyPictures, EveryPictureIsEmbeddedUnderThePicturesPrefix) {
  // The test program links zenitra_ui without calling Q_INIT_RESOURCE: finding these proves the
  // resources are initialised for any program that links the static library.
  const char* const files[] = {"1158.png", "1160.png", "1171.png", "1172.png", "1173.png",
                               "1174.png", "1175.png", "1176.png", "1177.png", "1178.png",
                               "1460.png", "1461.png", "1462.png", "1463.png", "1464.png",
                               "1465.png", "1466.png", "1467.png", "s3.gif",   "PL10.jpg",
                               "PL9.jpg",  "pl1.jpg",  "pl2.jpg",  "pl4.jpg",  "pl5.jpg",
                               "pl6.jpg",  "pl7.jpg"};
  for (const char* file : files) {
    const QString path = QStringLiteral(":/pictures/") + QLatin1String(file);
    EXPECT_TRUE(QFile::exists(path)) << "missing resource " << path.toStdString();
  }
}

TEST(BodyPictures, SkyBitmapsHaveTheirDrawingSizes) {
  for (const Size& s : kSkySizes) {
    const std::optional<QImage> image = SkyBitmap(s.number);
    ASSERT_TRUE(image.has_value()) << "input " << s.number;
    EXPECT_EQ(image->width(), s.width) << "input " << s.number;
    EXPECT_EQ(image->height(), s.height) << "input " << s.number;
  }
}

TEST(BodyPictures, OrbitBitmapsHaveTheirDrawingSizes) {
  for (const Size& s : kOrbitSizes) {
    const std::optional<QImage> image = OrbitBitmap(s.number);
    ASSERT_TRUE(image.has_value()) << "input " << s.number;
    EXPECT_EQ(image->width(), s.width) << "input " << s.number;
    EXPECT_EQ(image->height(), s.height) << "input " << s.number;
  }
}

TEST(BodyPictures, UnknownNumbersHaveNoBitmap) {
  // 1173 (Erde) and 1178 (Neptun) belong to the orbits window only; 1158 is the orbits Sun.
  for (int number : {0, -1, 1158, 1159, 1161, 1170, 1173, 1178, 1179, 1459, 1468, 99999}) {
    EXPECT_FALSE(SkyBitmap(number).has_value()) << "input " << number;
  }
  for (int number : {0, 1160, 1157, 1170, 1179, 1460}) {
    EXPECT_FALSE(OrbitBitmap(number).has_value()) << "input " << number;
  }
}

TEST(BodyPictures, InformationPicturesHaveTheirSizes) {
  const struct {
    const char* name;
    int side;
  } pictures[] = {{"PL10", 117}, {"PL9", 117}, {"pl1", 105}, {"pl2", 105},
                  {"pl4", 105},  {"pl5", 105}, {"pl6", 105}, {"pl7", 105}};
  for (const auto& p : pictures) {
    const std::optional<QImage> image = InformationPicture(QString::fromLatin1(p.name));
    ASSERT_TRUE(image.has_value()) << "input " << p.name;
    EXPECT_EQ(image->width(), p.side) << "input " << p.name;
    EXPECT_EQ(image->height(), p.side) << "input " << p.name;
  }
}

TEST(BodyPictures, InformationPictureNamesIgnoreCaseAndRejectOthers) {
  EXPECT_TRUE(InformationPicture(QStringLiteral("pl10")).has_value());
  EXPECT_TRUE(InformationPicture(QStringLiteral("PL4")).has_value());
  for (const char* name : {"pl3", "pl8", "pl0", "PL11", "", "pl", "s3", "1160", "pl4.jpg"}) {
    EXPECT_FALSE(InformationPicture(QString::fromLatin1(name)).has_value()) << "input " << name;
  }
}

TEST(BodyPictures, PlanetNamesMapToTheirPictures) {
  const struct {
    const char* planet;
    const char* picture;
  } map[] = {{"Merkur", "pl1"}, {"Venus", "pl2"},  {"Mars", "pl4"},
             {"Jupiter", "pl5"}, {"Saturn", "pl6"}, {"Uranus", "pl7"}};
  for (const auto& m : map) {
    const std::optional<QString> name = PlanetPictureName(QString::fromUtf8(m.planet));
    ASSERT_TRUE(name.has_value()) << "input " << m.planet;
    EXPECT_EQ(name->toStdString(), m.picture) << "input " << m.planet;
    const std::optional<QImage> picture = PlanetPicture(QString::fromUtf8(m.planet));
    ASSERT_TRUE(picture.has_value()) << "input " << m.planet;
    EXPECT_EQ(picture->size(), QSize(105, 105)) << "input " << m.planet;
  }
  for (const char* planet : {"Erde", "Neptun", "Pluto", "Sonne", "Mond", "merkur", "MARS", ""}) {
    EXPECT_FALSE(PlanetPictureName(QString::fromUtf8(planet)).has_value()) << "input " << planet;
    EXPECT_FALSE(PlanetPicture(QString::fromUtf8(planet)).has_value()) << "input " << planet;
  }
}

// ---- the black transparent colour ----------------------------------------------------------

TEST(BodyPictureMask, BlackIsTransparentAndEveryOtherPixelOpaque) {
  std::vector<int> numbers;
  for (const Size& s : kSkySizes) numbers.push_back(s.number);
  numbers.push_back(1158);
  numbers.push_back(1173);
  numbers.push_back(1178);
  for (int number : numbers) {
    QImage raw;
    ASSERT_TRUE(raw.load(QStringLiteral(":/pictures/%1.png").arg(number), "PNG")) << number;
    const std::optional<QImage> masked = number == 1173 || number == 1178 || number == 1158
                                             ? OrbitBitmap(number)
                                             : SkyBitmap(number);
    ASSERT_TRUE(masked.has_value()) << "input " << number;
    ASSERT_TRUE(masked->hasAlphaChannel()) << "input " << number;
    int transparent = 0;
    int opaque = 0;
    for (int y = 0; y < raw.height(); ++y) {
      for (int x = 0; x < raw.width(); ++x) {
        const bool black = (raw.pixel(x, y) & 0xFFFFFF) == 0;
        const int alpha = qAlpha(masked->pixel(x, y));
        EXPECT_EQ(alpha, black ? 0 : 255) << "input " << number << " pixel " << x << "," << y;
        (black ? transparent : opaque)++;
      }
    }
    // A picture on a transparent background: both kinds must occur.
    EXPECT_GT(transparent, 0) << "input " << number;
    EXPECT_GT(opaque, 0) << "input " << number;
  }
}

TEST(BodyPictureMask, DrawingLeavesTheSkyVisibleAroundTheBody) {
  // Draw Jupiter onto a blue sky: the corners keep the sky, the centre shows the planet.
  const std::optional<QImage> jupiter = SkyBitmap(1175);
  ASSERT_TRUE(jupiter.has_value());
  QImage sky(8, 8, QImage::Format_RGB32);
  sky.fill(qRgb(0, 0, 90));
  {
    QPainter painter(&sky);
    painter.drawImage(0, 0, *jupiter);
  }
  EXPECT_EQ(sky.pixel(0, 0), qRgb(0, 0, 90));
  EXPECT_EQ(sky.pixel(7, 7), qRgb(0, 0, 90));
  EXPECT_NE(sky.pixel(4, 4), qRgb(0, 0, 90));
  EXPECT_GT(Brightness(sky.pixel(4, 4)), 80);
}

TEST(BodyPictureMask, MaskingMakesOnlyPureBlackTransparent) {
  QImage image(3, 1, QImage::Format_RGB32);
  image.setPixel(0, 0, qRgb(0, 0, 0));
  image.setPixel(1, 0, qRgb(0, 0, 1));
  image.setPixel(2, 0, qRgb(255, 255, 255));
  const QImage masked = WithBlackTransparent(image);
  EXPECT_EQ(qAlpha(masked.pixel(0, 0)), 0);
  EXPECT_EQ(qAlpha(masked.pixel(1, 0)), 255);
  EXPECT_EQ(masked.pixel(1, 0), qRgba(0, 0, 1, 255));
  EXPECT_EQ(masked.pixel(2, 0), qRgba(255, 255, 255, 255));
}

TEST(BodyPictures, SunBitmapsAreYellowWithRays) {
  for (const auto& [image, centre] : {std::pair{SkyBitmap(1160), QPoint(8, 8)},
                                      std::pair{OrbitBitmap(1158), QPoint(10, 10)}}) {
    ASSERT_TRUE(image.has_value());
    const QRgb c = image->pixel(centre);
    EXPECT_EQ(qRed(c), 255);
    EXPECT_GT(qGreen(c), 180);
    EXPECT_LT(qBlue(c), 128);
    // Rays reach the top edge and the left edge in the middle; the corners stay transparent.
    EXPECT_TRUE(Opaque(*image, centre.x(), 0));
    EXPECT_TRUE(Opaque(*image, 0, centre.y()));
    EXPECT_FALSE(Opaque(*image, 0, 0));
    EXPECT_FALSE(Opaque(*image, centre.x() - 1, 0));
  }
}

TEST(BodyPictures, SaturnBitmapShowsTheRingBesideTheGlobe) {
  const std::optional<QImage> saturn = SkyBitmap(1176);
  ASSERT_TRUE(saturn.has_value());
  // Globe in the middle, ring ends at both sides of the middle row, a gap between them.
  EXPECT_TRUE(Opaque(*saturn, 9, 4));
  EXPECT_TRUE(Opaque(*saturn, 1, 4));
  EXPECT_TRUE(Opaque(*saturn, 16, 4));
  EXPECT_FALSE(Opaque(*saturn, 0, 0));
  EXPECT_FALSE(Opaque(*saturn, 17, 7));
}

// ---- the Moon phases -----------------------------------------------------------------------

// Pixels of the inner disc (off the rim): distance from the centre pixel (7, 7) below 6.
bool Inner(int x, int y) { return std::hypot(x - 7, y - 7) < 6.0; }
bool Lit(const QImage& image, int x, int y) {
  return Opaque(image, x, y) && Brightness(image.pixel(x, y)) >= 150;
}

QImage Phase(int index) {
  const std::optional<QImage> image = SkyBitmap(1460 + index);
  return image ? *image : QImage();
}

TEST(MoonPhaseBitmaps, AllHaveAWhiteRim) {
  for (int i = 0; i < 8; ++i) {
    const QImage image = Phase(i);
    ASSERT_FALSE(image.isNull()) << "phase " << i;
    for (const QPoint p : {QPoint(7, 0), QPoint(7, 14), QPoint(0, 7), QPoint(14, 7)}) {
      EXPECT_EQ(image.pixel(p), qRgba(255, 255, 255, 255))
          << "phase " << i << " pixel " << p.x() << "," << p.y();
    }
    EXPECT_FALSE(Opaque(image, 0, 0)) << "phase " << i;
    EXPECT_FALSE(Opaque(image, 14, 14)) << "phase " << i;
  }
}

TEST(MoonPhaseBitmaps, NewMoonShowsOnlyTheRim) {
  const QImage image = Phase(0);
  for (int y = 0; y < 15; ++y) {
    for (int x = 0; x < 15; ++x) {
      if (Inner(x, y)) {
        EXPECT_FALSE(Opaque(image, x, y)) << "pixel " << x << "," << y;
      }
    }
  }
}

TEST(MoonPhaseBitmaps, FullMoonIsLitEverywhere) {
  const QImage image = Phase(4);
  for (int y = 0; y < 15; ++y) {
    for (int x = 0; x < 15; ++x) {
      if (Inner(x, y)) {
        EXPECT_TRUE(Lit(image, x, y)) << "pixel " << x << "," << y;
      }
    }
  }
}

TEST(MoonPhaseBitmaps, FirstQuarterIsLitOnTheRightAndLastQuarterOnTheLeft) {
  const QImage first = Phase(2);
  const QImage last = Phase(6);
  for (int y = 0; y < 15; ++y) {
    for (int x = 0; x < 15; ++x) {
      if (!Inner(x, y) || x == 7) continue;
      EXPECT_EQ(Lit(first, x, y), x > 7) << "phase 2 pixel " << x << "," << y;
      EXPECT_EQ(Lit(last, x, y), x < 7) << "phase 6 pixel " << x << "," << y;
    }
  }
}

TEST(MoonPhaseBitmaps, WaxingPhasesAreLitOnTheRightWaningOnTheLeft) {
  for (int i = 1; i <= 7; ++i) {
    if (i == 4) continue;
    const QImage image = Phase(i);
    int litLeft = 0;
    int litRight = 0;
    for (int y = 0; y < 15; ++y) {
      for (int x = 0; x < 15; ++x) {
        if (!Inner(x, y) || !Lit(image, x, y)) continue;
        (x < 7 ? litLeft : litRight) += (x == 7 ? 0 : 1);
      }
    }
    if (i < 4) {
      EXPECT_GT(litRight, litLeft) << "phase " << i;
    } else {
      EXPECT_GT(litLeft, litRight) << "phase " << i;
    }
  }
}

TEST(MoonPhaseBitmaps, LitAreaGrowsToFullAndWaningMirrorsWaxing) {
  auto litMask = [](const QImage& image) {
    std::vector<bool> mask;
    for (int y = 0; y < 15; ++y)
      for (int x = 0; x < 15; ++x) mask.push_back(Inner(x, y) && Lit(image, x, y));
    return mask;
  };
  auto count = [](const std::vector<bool>& m) { return std::count(m.begin(), m.end(), true); };
  std::vector<std::vector<bool>> masks;
  for (int i = 0; i < 8; ++i) masks.push_back(litMask(Phase(i)));
  for (int i = 0; i < 4; ++i) {
    EXPECT_LT(count(masks[i]), count(masks[i + 1])) << "phases " << i << " and " << i + 1;
  }
  for (int k = 1; k <= 3; ++k) {
    // Phase 8 - k is phase k seen in a mirror: the lit side changes, the area does not.
    for (int y = 0; y < 15; ++y) {
      for (int x = 0; x < 15; ++x) {
        EXPECT_EQ(masks[k][y * 15 + x], masks[8 - k][y * 15 + (14 - x)])
            << "phases " << k << " and " << 8 - k << " pixel " << x << "," << y;
      }
    }
  }
}

// ---- JPEG decoding -------------------------------------------------------------------------

struct MeanColour {
  double r = 0, g = 0, b = 0;
  int count = 0;
};

// Mean colour of the pixels brighter than the black background within a rectangle.
MeanColour MeanOfBody(const QImage& image, QRect area) {
  MeanColour m;
  area = area.intersected(image.rect());
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      const QRgb c = image.pixel(x, y);
      if (qRed(c) + qGreen(c) + qBlue(c) < 60) continue;
      m.r += qRed(c);
      m.g += qGreen(c);
      m.b += qBlue(c);
      ++m.count;
    }
  }
  if (m.count > 0) {
    m.r /= m.count;
    m.g /= m.count;
    m.b /= m.count;
  }
  return m;
}

TEST(JpegDecoding, MarsIsReddish) {
  const std::optional<QImage> mars = InformationPicture(QStringLiteral("pl4"));
  ASSERT_TRUE(mars.has_value());
  const MeanColour m = MeanOfBody(*mars, mars->rect());
  ASSERT_GT(m.count, 5000);  // a disc of radius 50 pixels covers about 7850
  EXPECT_GT(m.r, 1.4 * m.g) << "mean RGB " << m.r << " " << m.g << " " << m.b;
  EXPECT_GT(m.r, 1.8 * m.b) << "mean RGB " << m.r << " " << m.g << " " << m.b;
}

TEST(JpegDecoding, SunIsYellowOrange) {
  const std::optional<QImage> sun = InformationPicture(QStringLiteral("PL10"));
  ASSERT_TRUE(sun.has_value());
  const MeanColour m = MeanOfBody(*sun, sun->rect());
  ASSERT_GT(m.count, 9000);  // disc of radius 55.5 pixels: about 9700
  EXPECT_GT(m.r, 180) << "mean RGB " << m.r << " " << m.g << " " << m.b;
  EXPECT_GT(m.g, 0.6 * m.r) << "mean RGB " << m.r << " " << m.g << " " << m.b;
  EXPECT_LT(m.g, m.r) << "mean RGB " << m.r << " " << m.g << " " << m.b;
  EXPECT_LT(m.b, 0.4 * m.g) << "mean RGB " << m.r << " " << m.g << " " << m.b;
  // Limb darkening: the centre is brighter than a point near the limb.
  EXPECT_GT(Brightness(sun->pixel(58, 58)), Brightness(sun->pixel(58, 8)) + 20);
}

TEST(JpegDecoding, MoonIsGreyWithDarkerMariaInTheNorth) {
  const std::optional<QImage> moon = InformationPicture(QStringLiteral("PL9"));
  ASSERT_TRUE(moon.has_value());
  const MeanColour all = MeanOfBody(*moon, moon->rect());
  ASSERT_GT(all.count, 9000);
  EXPECT_NEAR(all.r, all.g, 10.0) << "mean RGB " << all.r << " " << all.g << " " << all.b;
  EXPECT_NEAR(all.g, all.b, 10.0) << "mean RGB " << all.r << " " << all.g << " " << all.b;
  // The full Moon's northern half holds Mare Imbrium, Serenitatis and Procellarum; the south
  // is bright highland.
  const MeanColour north = MeanOfBody(*moon, QRect(30, 20, 57, 30));
  const MeanColour south = MeanOfBody(*moon, QRect(30, 75, 57, 25));
  const double northGrey = (north.r + north.g + north.b) / 3;
  const double southGrey = (south.r + south.g + south.b) / 3;
  EXPECT_LT(northGrey, 0.85 * southGrey) << "north " << northGrey << " south " << southGrey;
}

TEST(JpegDecoding, JupiterShowsBands) {
  const std::optional<QImage> jupiter = InformationPicture(QStringLiteral("pl5"));
  ASSERT_TRUE(jupiter.has_value());
  // Brightness of the central part by rows and by columns: bands make rows differ far more.
  std::vector<double> rows(65, 0.0), columns(35, 0.0);
  for (int y = 20; y < 85; ++y) {
    for (int x = 35; x < 70; ++x) {
      const double v = Brightness(jupiter->pixel(x, y));
      rows[y - 20] += v / 35;
      columns[x - 35] += v / 65;
    }
  }
  auto spread = [](const std::vector<double>& v) {
    double mean = 0, sq = 0;
    for (double x : v) mean += x / v.size();
    for (double x : v) sq += (x - mean) * (x - mean) / v.size();
    return std::sqrt(sq);
  };
  EXPECT_GT(spread(rows), 1.5 * spread(columns))
      << "row spread " << spread(rows) << " column spread " << spread(columns);
}

TEST(JpegDecoding, SaturnHasRingsBeyondTheGlobeWithAGap) {
  const std::optional<QImage> saturn = InformationPicture(QStringLiteral("pl6"));
  ASSERT_TRUE(saturn.has_value());
  // Middle row (y = 52): globe of radius ~22 around x = 52, gap to ~27, rings out to ~51.
  const int y = 52;
  EXPECT_GT(Brightness(saturn->pixel(52, y)), 120);
  EXPECT_GT(Brightness(saturn->pixel(12, y)), 40);
  EXPECT_GT(Brightness(saturn->pixel(92, y)), 15);
  EXPECT_LT(Brightness(saturn->pixel(27, y)), 15);
  EXPECT_LT(Brightness(saturn->pixel(78, y)), 15);
  // Above the globe and the rings: black sky.
  EXPECT_LT(Brightness(saturn->pixel(52, 5)), 15);
}

TEST(JpegDecoding, AgreesWithQtsOwnJpegReader) {
  if (!QImageReader::supportedImageFormats().contains("jpeg")) {
    GTEST_SKIP() << "Qt has no JPEG plugin here";
  }
  for (const char* name : {"PL10", "PL9", "pl1", "pl2", "pl4", "pl5", "pl6", "pl7"}) {
    const QString path = QStringLiteral(":/pictures/%1.jpg").arg(QLatin1String(name));
    const std::optional<QImage> ours = DecodeJpeg(ReadResource(path));
    QImage qt;
    ASSERT_TRUE(qt.load(path, "JPEG")) << name;
    ASSERT_TRUE(ours.has_value()) << name;
    ASSERT_EQ(ours->size(), qt.size()) << name;
    int worst = 0;
    for (int y = 0; y < qt.height(); ++y) {
      for (int x = 0; x < qt.width(); ++x) {
        const QRgb a = ours->pixel(x, y);
        const QRgb b = qt.pixel(x, y);
        worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                          std::abs(qBlue(a) - qBlue(b))});
      }
    }
    // Same codec; up to 2 levels for a different IDCT or upsampling choice.
    EXPECT_LE(worst, 2) << "input " << name;
  }
}

TEST(JpegDecoding, EmptyOrGarbageDataGivesNoImage) {
  EXPECT_FALSE(DecodeJpeg(QByteArray()).has_value());
  EXPECT_FALSE(DecodeJpeg(QByteArray("not a jpeg at all")).has_value());
  EXPECT_FALSE(DecodeJpeg(QByteArray(1, '\xFF')).has_value());
  EXPECT_FALSE(DecodeJpeg(QByteArray("\xFF\xD8", 2)).has_value());
  EXPECT_FALSE(DecodeJpeg(ReadResource(QStringLiteral(":/pictures/1160.png"))).has_value());
  QRandomGenerator random(7);
  for (int i = 0; i < 50; ++i) {
    QByteArray noise(1 + static_cast<int>(random.bounded(4000u)), '\0');
    for (char& c : noise) c = static_cast<char>(random.bounded(256u));
    EXPECT_FALSE(DecodeJpeg(noise).has_value()) << "random data of " << noise.size() << " bytes";
  }
}

TEST(JpegDecoding, TruncatedDataGivesNoImage) {
  const QByteArray full = ReadResource(QStringLiteral(":/pictures/pl4.jpg"));
  ASSERT_GT(full.size(), 1000);
  ASSERT_TRUE(DecodeJpeg(full).has_value());
  // Every length from the header through the entropy-coded data, short of the final marker.
  for (int length = 1; length < full.size() - 2; length += 7) {
    EXPECT_FALSE(DecodeJpeg(full.left(length)).has_value())
        << "input pl4.jpg cut to " << length << " of " << full.size() << " bytes";
  }
}

TEST(JpegDecoding, DamagedHeadersGiveNoImage) {
  const QByteArray full = ReadResource(QStringLiteral(":/pictures/pl5.jpg"));
  ASSERT_TRUE(DecodeJpeg(full).has_value());
  QByteArray noStart = full;
  noStart[1] = '\x00';  // SOI marker FF D8 destroyed
  EXPECT_FALSE(DecodeJpeg(noStart).has_value());

  // Zero width in the frame header (SOF0: FF C0, length, precision, height, width).
  const int sof = full.indexOf(QByteArray("\xFF\xC0", 2));
  ASSERT_GT(sof, 0);
  QByteArray zeroWidth = full;
  zeroWidth[sof + 7] = '\0';
  zeroWidth[sof + 8] = '\0';
  EXPECT_FALSE(DecodeJpeg(zeroWidth).has_value());

  // The quantisation tables cut out: libjpeg stops at the first scan ("table not defined").
  // (Missing Huffman tables would not do: libjpeg falls back to the standard ones.)
  const int dqt = full.indexOf(QByteArray("\xFF\xDB", 2));
  ASSERT_GT(dqt, 0);
  const QByteArray noTables = full.left(dqt) + full.mid(sof);
  ASSERT_GT(sof, dqt);
  EXPECT_FALSE(DecodeJpeg(noTables).has_value());
}

TEST(JpegDecoding, FlippedBitsNeverCrashAndKeepTheSize) {
  // Damage inside the entropy-coded data is not always detectable; whatever libjpeg makes of
  // it, the decoder returns either nothing or an image of the declared size.
  const QByteArray full = ReadResource(QStringLiteral(":/pictures/pl7.jpg"));
  const int scan = full.indexOf(QByteArray("\xFF\xDA", 2));
  ASSERT_GT(scan, 0);
  QRandomGenerator random(11);
  int refused = 0;
  for (int i = 0; i < 200; ++i) {
    QByteArray damaged = full;
    const int flips = 1 + static_cast<int>(random.bounded(8u));
    for (int f = 0; f < flips; ++f) {
      const int at = scan + 20 + static_cast<int>(random.bounded(static_cast<quint32>(full.size() - scan - 22)));
      damaged[at] = static_cast<char>(damaged[at] ^ (1 << random.bounded(8u)));
    }
    const std::optional<QImage> image = DecodeJpeg(damaged);
    if (!image) {
      ++refused;
      continue;
    }
    EXPECT_EQ(image->size(), QSize(105, 105)) << "damaged copy " << i;
  }
  // Some of the damage breaks the Huffman codes and is noticed (a libjpeg warning is refused).
  EXPECT_GT(refused, 0);
}

// ---- the moon phase strip ------------------------------------------------------------------

struct GifBuffer {
  const QByteArray* data;
  int offset;
};

int ReadGifBytes(GifFileType* gif, GifByteType* out, int size) {
  auto* buffer = static_cast<GifBuffer*>(gif->UserData);
  const int n = std::min(size, static_cast<int>(buffer->data->size()) - buffer->offset);
  if (n <= 0) return 0;
  std::memcpy(out, buffer->data->constData() + buffer->offset, static_cast<size_t>(n));
  buffer->offset += n;
  return n;
}

// Decodes the strip with giflib into grey levels (the strip's palette is grey).
std::optional<QImage> DecodeStrip(const QByteArray& data) {
  GifBuffer buffer{&data, 0};
  int error = 0;
  GifFileType* gif = DGifOpen(&buffer, ReadGifBytes, &error);
  if (gif == nullptr) return std::nullopt;
  if (DGifSlurp(gif) != GIF_OK || gif->ImageCount < 1 || gif->SColorMap == nullptr) {
    DGifCloseFile(gif, &error);
    return std::nullopt;
  }
  const SavedImage& frame = gif->SavedImages[0];
  QImage image(gif->SWidth, gif->SHeight, QImage::Format_RGB32);
  for (int y = 0; y < frame.ImageDesc.Height; ++y) {
    for (int x = 0; x < frame.ImageDesc.Width; ++x) {
      const GifColorType c = gif->SColorMap->Colors[frame.RasterBits[y * frame.ImageDesc.Width + x]];
      image.setPixel(x, y, qRgb(c.Red, c.Green, c.Blue));
    }
  }
  DGifCloseFile(gif, &error);
  return image;
}

double TileBrightness(const QImage& strip, int r, int fromX, int toX) {
  const int left = 18 + 86 * (r % 7);
  const int top = 14 + 79 * (r / 7);
  double sum = 0;
  int n = 0;
  for (int y = top; y < top + 52; ++y) {
    for (int x = left + fromX; x < left + toX; ++x) {
      sum += Brightness(strip.pixel(x, y));
      ++n;
    }
  }
  return sum / n;
}

TEST(MoonPhaseStrip, IsAGifOf28PhasesAtTheirPlaces) {
  const QByteArray data = MoonPhaseStripGif();
  ASSERT_TRUE(data.startsWith("GIF89a"));
  const std::optional<QImage> strip = DecodeStrip(data);
  ASSERT_TRUE(strip.has_value());
  ASSERT_EQ(strip->size(), QSize(602, 315));
  // Between the pictures the strip is black.
  for (const QPoint p : {QPoint(5, 5), QPoint(75, 40), QPoint(300, 70), QPoint(595, 310)}) {
    EXPECT_EQ(strip->pixel(p) & 0xFFFFFF, 0u) << "pixel " << p.x() << "," << p.y();
  }
  // New moon (0) dark; full moon (14) bright; first quarter (7) lit on the right, last quarter
  // (21) on the left.
  EXPECT_LT(TileBrightness(*strip, 0, 0, 52), 15.0);
  EXPECT_GT(TileBrightness(*strip, 14, 0, 52), 50.0);
  EXPECT_GT(TileBrightness(*strip, 7, 30, 52), 3 * TileBrightness(*strip, 7, 0, 22));
  EXPECT_GT(TileBrightness(*strip, 21, 0, 22), 3 * TileBrightness(*strip, 21, 30, 52));
  // The lit area grows from new to full moon.
  for (int r = 0; r < 14; ++r) {
    EXPECT_LT(TileBrightness(*strip, r, 0, 52), TileBrightness(*strip, r + 1, 0, 52)) << "picture " << r;
  }
}

}  // namespace
}  // namespace zenitra
