// The sky drawing into an off-screen image: stars, labels, line layers, ground, status line and
// direction letters, checked by pixels on a small in-memory catalogue.
#include "sky/sky_renderer.h"

#include <gtest/gtest.h>

#include "support/pixel_difference.h"

#include <limits>
#include <numbers>

#include "sky/panorama.h"
#include "ui/gif_picture.h"

namespace zenitra {
namespace {

constexpr double kRad = std::numbers::pi / 180.0;
constexpr int kW = 1054;
constexpr int kH = 664;

SkyView BaseView() {
  SkyView v;
  v.Place = Location{"Chemnitz, D", 50.836667, 12.854444, 1.0, "Europe/Berlin"};
  v.Moment = ShownMoment{2024, 12, 24, 22, 0, 0};
  v.CentreAzimuth = 0;
  return v;
}

double Theta(const SkyView& v) { return MakeProjectionFrame(kW, kH, v.Moment, v.Place, v.CentreAzimuth, false).Theta; }

// A star on the meridian at the given altitude above the southern horizon, at an hour-angle offset.
CatalogueStar StarAt(const SkyView& v, double hourAngleDeg, double altitudeDeg, double magnitude, int cls) {
  const double delta = (altitudeDeg - 90.0 + v.Place.LatitudeDeg) * kRad;
  const CataloguePlace p = CataloguePlaceAt(MakeProjectionFrame(kW, kH, v.Moment, v.Place, v.CentreAzimuth, false),
                                            hourAngleDeg * kRad, delta);
  return CatalogueStar{p.AlphaRad, p.DeltaRad, magnitude, static_cast<std::uint8_t>(cls)};
}

ScreenPoint Where(const SkyView& v, const CatalogueStar& s) {
  ScreenPoint p;
  EXPECT_TRUE(ProjectToScreen(MakeProjectionFrame(kW, kH, v.Moment, v.Place, v.CentreAzimuth, false),
                              s.RightAscension, s.Declination, p));
  return p;
}

QColor At(const QImage& image, int x, int y) { return QColor(image.pixel(x, y)); }

int CountNonBlack(const QImage& image, const QRect& r) {
  int n = 0;
  for (int y = std::max(0, r.top()); y <= std::min(image.height() - 1, r.bottom()); ++y) {
    for (int x = std::max(0, r.left()); x <= std::min(image.width() - 1, r.right()); ++x) {
      if ((image.pixel(x, y) & 0xFFFFFFu) != 0) ++n;
    }
  }
  return n;
}

// Pixels whose colour is dominated by the channels of `c` (anti-aliased text blends with black).
int CountTinted(const QImage& image, const QColor& c) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor p(image.pixel(x, y));
      if (p.value() < 80) continue;
      const auto close = [](int got, int want, int scale) { return std::abs(got * 255 - want * scale) <= 60 * scale; };
      const int scale = p.value();
      n += close(p.red(), c.red(), scale) && close(p.green(), c.green(), scale) && close(p.blue(), c.blue(), scale) ? 1 : 0;
    }
  }
  return n;
}

int CountColour(const QImage& image, const QColor& c) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) n += QColor(image.pixel(x, y)) == c ? 1 : 0;
  }
  return n;
}

QImage Draw(const SkyView& v, const Catalogue& c, PositionRegisters* registers = nullptr,
            const SkyPictures& pictures = {}) {
  PositionRegisters local;
  return RenderSky(kW, kH, v, c, pictures, registers ? *registers : local);
}

TEST(StarDots, MagnitudeDecidesBetweenPixelAndDot) {
  EXPECT_EQ(StarDotRadius(4.0), 2);   // (19 - 4) / 10 = 1.5 rounds to even 2
  EXPECT_EQ(StarDotRadius(4.99), 1);
  EXPECT_EQ(StarDotRadius(-1.43), 2);
  EXPECT_EQ(StarDotRadius(std::nan("")), 0);

  const SkyView v = BaseView();
  Catalogue c;
  c.Stars = {StarAt(v, -20, 30, 4.99, 5), StarAt(v, 0, 30, 4.0, 3), StarAt(v, 20, 30, 5.0, 7)};
  c.StarNames = {QStringLiteral("Ori 1"), QStringLiteral("Ori 2"), QStringLiteral("Ori 3")};
  const QImage image = Draw(v, c);
  const ScreenPoint faint = Where(v, c.Stars[0]);
  EXPECT_EQ(At(image, faint.X, faint.Y), SpectralClassColour(5));
  for (auto [dx, dy] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}}) {
    EXPECT_EQ(At(image, faint.X + dx, faint.Y + dy), QColor(Qt::black)) << "offset " << dx << "," << dy;
  }
  const ScreenPoint bright = Where(v, c.Stars[1]);
  EXPECT_EQ(bright.X, kW / 2);
  for (auto [dx, dy] : {std::pair{0, 0}, {-2, 0}, {-1, 0}, {1, 0}, {0, -2}, {0, 1}, {-1, -1}}) {
    EXPECT_EQ(At(image, bright.X + dx, bright.Y + dy), SpectralClassColour(3)) << "offset " << dx << "," << dy;
  }
  for (auto [dx, dy] : {std::pair{3, 0}, {-3, 0}, {0, 3}, {0, -3}}) {
    EXPECT_EQ(At(image, bright.X + dx, bright.Y + dy), QColor(Qt::black)) << "offset " << dx << "," << dy;
  }
  // Magnitude 5.0 is not drawn at all.
  const ScreenPoint none = Where(v, c.Stars[2]);
  EXPECT_EQ(CountNonBlack(image, QRect(none.X - 3, none.Y - 3, 7, 7)), 0);
}

TEST(StarDots, WhiteStarModeDrawsEveryStarWhite) {
  SkyView v = BaseView();
  v.Switches.WhiteStars = true;
  Catalogue c;
  c.Stars = {StarAt(v, 0, 30, 1.0, 7)};
  c.StarNames = {QStringLiteral("Sco Alpha,Antares")};
  const QImage image = Draw(v, c);
  const ScreenPoint p = Where(v, c.Stars[0]);
  EXPECT_EQ(At(image, p.X, p.Y), QColor(Qt::white));
}

TEST(StarLabels, TextAfterTheCommaStartingWithACapital) {
  EXPECT_EQ(StarLabel(QStringLiteral("Cen Alpha,Toliman")), QStringLiteral("Toliman"));
  EXPECT_EQ(StarLabel(QStringLiteral("Cen ,(1)")), std::nullopt);
  EXPECT_EQ(StarLabel(QStringLiteral("CMi ,+5 1668")), std::nullopt);
  EXPECT_EQ(StarLabel(QStringLiteral("Ind Epsilon")), std::nullopt);
  EXPECT_EQ(StarLabel(QStringLiteral("Ori ,Rigel,A")), QStringLiteral("Rigel,A"));
  EXPECT_EQ(StarLabel(QStringLiteral("X ,") + QString(300, u'Q'))->size(), 250);
  EXPECT_FALSE(StarNameShown(1, 2.5));
  EXPECT_TRUE(StarNameShown(2, 2.5));
  EXPECT_TRUE(StarNameShown(1, 2.49));
  EXPECT_FALSE(StarNameShown(2, 3.5));
  EXPECT_TRUE(StarNameShown(3, 4.99));
  EXPECT_FALSE(StarNameShown(0, -1.0));
  EXPECT_FALSE(StarNameShown(7, -1.0));
}

TEST(StarLabels, DrawnByStarNamesModeInTheClassColour) {
  SkyView v = BaseView();
  Catalogue c;
  c.Stars = {StarAt(v, -25, 25, 0.5, 2), StarAt(v, 0, 25, 2.5, 7), StarAt(v, 25, 25, 0.5, 5)};
  c.StarNames = {QStringLiteral("Cen Alpha,Toliman"), QStringLiteral("Ori Beta,Rigel"), QStringLiteral("Cen ,(1)")};
  const auto labelPixels = [&](const QImage& image, int k) {
    const ScreenPoint p = Where(v, c.Stars[static_cast<std::size_t>(k)]);
    return CountNonBlack(image, QRect(p.X + 4, p.Y + 2, 60, 14));
  };
  const int expected[5][3] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {1, 1, 0}, {0, 0, 0}};
  const int modes[5] = {0, 1, 2, 3, 7};
  for (int i = 0; i < 5; ++i) {
    v.Switches.StarNames = static_cast<std::uint8_t>(modes[i]);
    const QImage image = Draw(v, c);
    for (int k = 0; k < 3; ++k) {
      if (expected[i][k]) {
        EXPECT_GT(labelPixels(image, k), 20) << "mode " << modes[i] << " star " << k;
      } else {
        EXPECT_EQ(labelPixels(image, k), 0) << "mode " << modes[i] << " star " << k;
      }
    }
  }
  // The label of the red star is red even in white-star mode.
  v.Switches.StarNames = 3;
  v.Switches.WhiteStars = true;
  const QImage image = Draw(v, c);
  const ScreenPoint p = Where(v, c.Stars[1]);
  EXPECT_GT(CountTinted(image.copy(p.X + 2, p.Y + 2, 60, 14), SpectralClassColour(7)), 5);
}

TEST(StarRegister, RecordsEveryDrawnStarWhileStarInformationIsOn) {
  SkyView v = BaseView();
  Catalogue c;
  c.Stars = {StarAt(v, 0, 30, 1.0, 3), StarAt(v, 180, 30, 1.0, 3), StarAt(v, 10, 20, 6.0, 3)};
  c.StarNames = {QStringLiteral("Ori Alpha,Beteigeuze"), QStringLiteral("UMa Alpha,Dubhe"), QStringLiteral("Ori 9")};
  PositionRegisters registers;
  registers.StarPositionList.Add(QStringLiteral("1\t1\told"));
  registers.BodyPositionList.Add(QStringLiteral("1\t1\tSonne"));
  (void)Draw(v, c, &registers);
  EXPECT_EQ(registers.StarPositionList.Lines().size(), 1) << "switch off: the register keeps the old line";
  EXPECT_FALSE(registers.BodyPositionList.Lines().contains(QStringLiteral("1\t1\tSonne")))
      << "the body register is cleared before the bodies are drawn";
  v.Switches.StarInformation = true;
  (void)Draw(v, c, &registers);
  const ScreenPoint p = Where(v, c.Stars[0]);
  ASSERT_EQ(registers.StarPositionList.Lines().size(), 1);
  EXPECT_EQ(registers.StarPositionList.Lines()[0],
            QStringLiteral("%1\t%2\tOri Alpha,Beteigeuze").arg(p.X).arg(p.Y));
}

TEST(Registers, CursorRules) {
  PositionRegister r;
  EXPECT_TRUE(r.AtEnd());
  EXPECT_EQ(r.Next(), QString());
  r.Add(3, 4, QStringLiteral("Mond"));
  r.Add(QStringLiteral("5\t6\tSonne"));
  EXPECT_TRUE(r.AtEnd());
  EXPECT_EQ(r.Next(), QString());
  r.SetCursor(0);
  EXPECT_EQ(r.Next(), QStringLiteral("3\t4\tMond"));
  EXPECT_EQ(r.Next(), QStringLiteral("5\t6\tSonne"));
  EXPECT_TRUE(r.AtEnd());
  r.Clear();
  EXPECT_EQ(r.Cursor(), 0);
  EXPECT_TRUE(r.Lines().isEmpty());
  r.Add(-7, std::numeric_limits<int>::min(), QStringLiteral("Sirius"));  // the longest numbers
  r.SetCursor(0);
  EXPECT_EQ(r.Next(), QStringLiteral("-7\t-2147483648\tSirius"));
}

TEST(GroundBand, BottomRowsAreLightGreyOutlinedWithTheCurrentPen) {
  SkyView v = BaseView();
  v.Switches.Meridian = true;  // the last pen before the ground is the grey of the meridian
  Catalogue c;
  const QImage image = Draw(v, c);
  for (int y = kH - 25; y < kH; ++y) EXPECT_EQ(At(image, 3, y), sky_colours::Ground) << "row " << y;
  EXPECT_EQ(At(image, 3, kH - 26), sky_colours::MeridianAndAltitude);
  EXPECT_EQ(At(image, 3, kH - 27), QColor(Qt::black));
  // A star just below the horizon line is hidden by the band.
  Catalogue below;
  below.Stars = {StarAt(v, 5, -1.0, 1.0, 3)};  // away from the letters and the status text
  below.StarNames = {QStringLiteral("Ori 1")};
  const ScreenPoint p = Where(v, below.Stars[0]);
  ASSERT_GT(p.Y, kH - 26);
  EXPECT_EQ(At(Draw(v, below), p.X, p.Y), sky_colours::Ground);
}

TEST(GroundBand, PanoramaShowsTheLandscapeOverTheSky) {
  SkyView v = BaseView();
  v.Switches.Horizon = true;
  const SkyPictures pictures = LoadHorizonPictures();
  ASSERT_EQ(pictures.Landscape.size(), QSize(2000, 160));
  ASSERT_EQ(pictures.Mask.size(), QSize(2000, 160));
  const QImage image = Draw(v, Catalogue{}, nullptr, pictures);
  int ground = 0, sky = 0;
  for (int x = 0; x < kW; ++x) {
    for (int y = 0; y < 160; ++y) {
      const bool land = (pictures.Mask.pixel(x, y) & 0xFFFFFFu) == 0xFFFFFFu;
      const QRgb drawn = image.pixel(x, kH - 160 + y) & 0xFFFFFFu;
      if (land) {
        ground += drawn == (pictures.Landscape.pixel(x, y) & 0xFFFFFFu) ? 1 : 0;
      } else if (y < 100) {
        sky += drawn == 0 ? 1 : 0;  // sky rows above the status line stay black
      }
    }
  }
  EXPECT_GT(ground, 40000);
  EXPECT_GT(sky, 40000);
  // Every column has ground at the horizon line and below it.
  for (int x = 0; x < 2000; x += 7) {
    EXPECT_EQ(pictures.Mask.pixel(x, 160 - 28) & 0xFFFFFFu, 0xFFFFFFu) << "column " << x;
    EXPECT_EQ(pictures.Mask.pixel(x, 0) & 0xFFFFFFu, 0u) << "column " << x;
  }
  // The mask is clean: pure black or pure white, and white exactly where the landscape is not white.
  for (int y = 0; y < 160; y += 3) {
    for (int x = 0; x < 2000; x += 3) {
      const QRgb m = pictures.Mask.pixel(x, y) & 0xFFFFFFu;
      ASSERT_TRUE(m == 0 || m == 0xFFFFFFu);
      EXPECT_EQ(m == 0xFFFFFFu, (pictures.Landscape.pixel(x, y) & 0xFFFFFFu) != 0xFFFFFFu) << x << "," << y;
    }
  }
}

TEST(Gif, UnreadableDataGivesANullImage) {
  EXPECT_TRUE(DecodeGif(QByteArray()).isNull());
  EXPECT_TRUE(DecodeGif(QByteArray("GIF89a\x10\x00", 8)).isNull());
  EXPECT_TRUE(DecodeGif(QByteArray(1000, 'x')).isNull());
  EXPECT_TRUE(LoadGifResource(QStringLiteral("nonexistent")).isNull());
}

TEST(StatusLine, PlaceDateTimeAndSummerTime) {
  SkyView v = BaseView();
  EXPECT_EQ(StatusLineText(v), QStringLiteral("Chemnitz, D, 24.12.2024 22:00:00"));
  v.Moment = ShownMoment{2024, 7, 4, 5, 6, 7};
  EXPECT_EQ(StatusLineText(v), QStringLiteral("Chemnitz, D, 04.07.2024 05:06:07")) << "switch off";
  v.Switches.SummerTime = true;
  EXPECT_EQ(StatusLineText(v), QStringLiteral("Chemnitz, D, 04.07.2024 05:06:07 Sommerzeit"));
  v.TimeRunsBackwards = true;
  EXPECT_EQ(StatusLineText(v), QStringLiteral("Chemnitz, D, 04.07.2024 05:06:07 Sommerzeit \u25C0 Zeitlauf rückwärts"));
  v.TimeRunsBackwards = false;
  EXPECT_EQ(ShownSummerHours(v), 1.0);
  v.Moment = ShownMoment{987, 7, 4, 5, 6, 7};  // long before any summer time
  EXPECT_EQ(StatusLineText(v), QStringLiteral("Chemnitz, D, 04.07.987 05:06:07"));
  v.Moment = ShownMoment{2024, 12, 24, 22, 0, 0};
  EXPECT_EQ(StatusLineText(v), QStringLiteral("Chemnitz, D, 24.12.2024 22:00:00"));
  // The place's own rules: summer time in Sydney's January, none in its July.
  v.Place = Location{"Sydney, AUS", -33.92, 151.19, 10.0, "Australia/Sydney"};
  v.Moment = ShownMoment{2024, 1, 15, 21, 0, 0};
  EXPECT_EQ(ShownSummerHours(v), 1.0);
  v.Moment = ShownMoment{2024, 7, 15, 21, 0, 0};
  EXPECT_EQ(ShownSummerHours(v), 0.0);
  EXPECT_EQ(StatusLineText(v), QStringLiteral("Sydney, AUS, 15.07.2024 21:00:00"));
  v = BaseView();
  const QImage image = Draw(v, Catalogue{});
  int dark = 0;
  for (int y = kH - 20; y < kH - 6; ++y) {
    for (int x = 50; x < 300; ++x) dark += QColor(image.pixel(x, y)).lightness() < 100 ? 1 : 0;
  }
  EXPECT_GT(dark, 100) << "black status text on the grey band";
}

TEST(DirectionLetters, PositionsForTheFourCentreAzimuths) {
  const auto width10 = [](const QString&) { return 10; };
  struct Case {
    int centre;
    int s, w, n, o;  // expected x, or -1 when not drawn
  };
  // cx = 527, (cx - 16) = 511 pixels per 90 degrees, minus half the letter width.
  const Case cases[] = {{0, 522, 1033, -1, 11}, {-90, 1033, -1, 11, 522}, {90, 11, 522, 1033, -1},
                        {180, -1, 11, 522, 1033}};
  for (const Case& k : cases) {
    const std::vector<DirectionLetter> letters = DirectionLetters(kW, k.centre, width10);
    ASSERT_EQ(letters.size(), 4u);
    const int expected[4] = {k.s, k.w, k.n, k.o};
    const char* names[4] = {"S", "W", "N", "O"};
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(letters[static_cast<std::size_t>(i)].Letter, QString::fromLatin1(names[i]));
      EXPECT_EQ(letters[static_cast<std::size_t>(i)].Drawn, expected[i] >= 0) << "centre " << k.centre << " " << names[i];
      if (expected[i] >= 0) {
        EXPECT_EQ(letters[static_cast<std::size_t>(i)].X, expected[i]) << "centre " << k.centre << " " << names[i];
      }
    }
  }
  // Drawn: the letter at the centre appears in black on the band.
  SkyView v = BaseView();
  v.CentreAzimuth = -90;
  const QImage image = Draw(v, Catalogue{});
  int dark = 0;
  for (int y = kH - 22; y < kH - 4; ++y) {
    for (int x = 515; x < 540; ++x) dark += QColor(image.pixel(x, y)).lightness() < 100 ? 1 : 0;
  }
  EXPECT_GT(dark, 10);
}

TEST(LineLayers, SampledPointCounts) {
  EXPECT_EQ(EclipticPoints().size(), 127u);
  EXPECT_EQ(EquatorPoints().size(), 91u);
  const auto grid = GridLines();
  ASSERT_EQ(grid.size(), 11u);
  EXPECT_EQ(grid[0].size(), 92u);
  EXPECT_EQ(grid[5].size(), 74u);
  EXPECT_NEAR(grid[5].back().SinDelta, std::sin(363.0 * kRad), 1e-12);  // the hour circle runs on to 363 degrees
  EXPECT_NEAR(grid[5].back().CosDelta, std::cos(363.0 * kRad), 1e-12);
  const QStringList lines = {QStringLiteral("1.0"), QStringLiteral("0.5"), QStringLiteral("0"), QStringLiteral("0"),
                             QStringLiteral("x"), QStringLiteral("0.2"), QStringLiteral("2")};
  const std::vector<SkyPoint> points = CatalogueLinePoints(lines);
  ASSERT_EQ(points.size(), 3u);
  EXPECT_FALSE(points[0].Separator);
  EXPECT_TRUE(points[1].Separator);
  EXPECT_TRUE(points[2].Separator);
}

TEST(LineLayers, EachSwitchDrawsItsColour) {
  SkyView v = BaseView();
  v.Moment = ShownMoment{2024, 3, 20, 20, 0, 0};
  Catalogue c;
  const double t = Theta(v);
  // A figure line and a boundary line across the southern sky.
  c.Figures = {{t - 0.3, 0.0}, {t + 0.3, 0.0}};
  c.Boundaries = {{t - 0.3, 0.3}, {t + 0.3, 0.3}};
  c.Constellations = {QStringLiteral("Orion"), QStringLiteral("Orion"), QStringLiteral("Ori"), QString::number(t),
                      QString::number(0.5)};
  struct Layer {
    bool DisplaySwitches::*flag;
    QColor colour;
  };
  const Layer layers[] = {{&DisplaySwitches::ConstellationLines, sky_colours::Figures},
                          {&DisplaySwitches::Boundaries, sky_colours::Boundaries},
                          {&DisplaySwitches::Ecliptic, sky_colours::Ecliptic},
                          {&DisplaySwitches::Grid, sky_colours::Grid},
                          {&DisplaySwitches::Equator, sky_colours::Equator},
                          {&DisplaySwitches::Meridian, sky_colours::MeridianAndAltitude},
                          {&DisplaySwitches::AltitudeLines, sky_colours::MeridianAndAltitude}};
  for (const Layer& layer : layers) {
    // Without the switch only the odd pixel of a body picture may share the layer's colour.
    const int off = CountColour(Draw(v, c).copy(0, 0, kW, kH - 27), layer.colour);
    EXPECT_LT(off, 10);
    SkyView on = v;
    on.Switches.*layer.flag = true;
    EXPECT_GT(CountColour(Draw(on, c).copy(0, 0, kW, kH - 27), layer.colour), off + 100);
  }
  // Meridian: the centre column; altitude lines: the rows of 15..75 degrees.
  v.Switches.Meridian = true;
  v.Switches.AltitudeLines = true;
  const QImage image = Draw(v, c);
  EXPECT_EQ(At(image, kW / 2, 5), sky_colours::MeridianAndAltitude);
  for (int i = 1; i <= 4; ++i) {  // 75 degrees lies above the top edge (about 72 degrees)
    const int y = AltitudeLineRow(kH, i);
    EXPECT_EQ(At(image, 2, y), sky_colours::MeridianAndAltitude) << "altitude line " << i;
  }
  EXPECT_EQ(AltitudeLineRow(kH, 1), 503);  // 636 - pi/12 * 0.763943726841098 * 664 = 503.20
  EXPECT_LT(AltitudeLineRow(kH, 5), 0);
  EXPECT_EQ(AltitudeLineLabel(2), QStringLiteral("30°  "));
  // Constellation names in yellow, and zodiac names only while the constellation names are off.
  v.Switches = {};
  v.Switches.ConstellationNames = 1;
  EXPECT_GT(CountTinted(Draw(v, c).copy(0, 0, kW, kH - 27), sky_colours::ConstellationNames), 10);
  const ConstellationLabel label = ConstellationLabels(c.Constellations).at(0);
  EXPECT_EQ(ConstellationLabelText(label, 3), QStringLiteral("Ori"));
  EXPECT_EQ(ConstellationLabelText(label, 4), std::nullopt);
}

TEST(ZodiacSigns, SymbolsAndNamesInBlue) {
  EXPECT_EQ(ZodiacSymbol(0), QStringLiteral("♈"));
  EXPECT_EQ(ZodiacSymbol(11), QStringLiteral("♓"));
  EXPECT_EQ(ZodiacName(7), QStringLiteral("Skorpion"));
  const QFont font(ZodiacFontFamily(), 20);
  EXPECT_TRUE(QFontMetrics(font).inFontUcs4(0x2648)) << ZodiacFontFamily().toStdString();
  SkyView v = BaseView();
  v.Switches.Zodiac = true;
  const int withNames = CountTinted(Draw(v, Catalogue{}).copy(0, 0, kW, kH - 27), sky_colours::Zodiac);
  EXPECT_GT(withNames, 50);
  v.Switches.ConstellationNames = 2;
  const int withoutNames = CountTinted(Draw(v, Catalogue{}).copy(0, 0, kW, kH - 27), sky_colours::Zodiac);
  EXPECT_GT(withoutNames, 20);
  EXPECT_LT(withoutNames, withNames);
}

TEST(Hooks, AfterBodiesAfterPanelsAndInformationWindowsAreCalledInOrder) {
  const SkyView v = BaseView();
  QStringList calls;
  SkyLayerHooks hooks;
  hooks.Bodies = [&](SkyCanvas& canvas, const ProjectionFrame& f, ScreenPoint&, PositionRegister& bodies) {
    EXPECT_EQ(canvas.FontColour(), QColor(Qt::white));
    EXPECT_EQ(f.Width, kW);
    bodies.Add(1, 2, QStringLiteral("Sonne"));
    calls << QStringLiteral("bodies");
  };
  hooks.Panels = [&](SkyCanvas&, const ProjectionFrame&) { calls << QStringLiteral("panels"); };
  hooks.InformationWindows = [&](const InfoWindowMoment& m) {
    EXPECT_EQ(m.Year, 2024);
    EXPECT_EQ(m.Hour, 22);
    EXPECT_DOUBLE_EQ(m.ZoneHours, 1.0);
    calls << QStringLiteral("windows");
  };
  PositionRegisters registers;
  (void)RenderSky(kW, kH, v, Catalogue{}, {}, registers, hooks);
  EXPECT_EQ(calls, (QStringList{QStringLiteral("bodies"), QStringLiteral("panels"), QStringLiteral("windows")}));
  // The hook runs after the drawing's own bodies and can add to their register.
  ASSERT_FALSE(registers.BodyPositionList.Lines().isEmpty());
  EXPECT_EQ(registers.BodyPositionList.Lines().last(), QStringLiteral("1\t2\tSonne"));
}

TEST(LineLayers, WrittenPixelsEqualQtsDrawingOfTheWholeMap) {
  // The map with every layer drawn twice: into a Format_RGB32 picture, where the canvas writes the
  // lines and star dots itself, and into a Format_ARGB32 one, which Qt paints alone.
  const Catalogue catalogue = LoadCatalogue();
  const SkyPictures pictures = LoadHorizonPictures();
  for (const int azimuth : {-90, 0, 150}) {
    SkyView v = BaseView();
    v.CentreAzimuth = azimuth;
    DisplaySwitches& s = v.Switches;
    s.Ecliptic = s.Equator = s.Grid = s.Meridian = s.AltitudeLines = s.Moon = s.Zodiac = true;
    s.ConstellationLines = s.Boundaries = s.Jupiter = s.Venus = s.Horizon = true;
    s.StarNames = 3;
    s.ConstellationNames = 1;
    PositionRegisters registers;
    QImage written(kW, kH, QImage::Format_RGB32);
    QImage painted(kW, kH, QImage::Format_ARGB32);
    for (QImage* image : {&written, &painted}) {
      image->setDotsPerMeterX(3780);
      image->setDotsPerMeterY(3780);
      malen(*image, v, catalogue, pictures, registers);
    }
    painted = painted.convertToFormat(QImage::Format_RGB32);
    const testing::PixelDifference d = testing::DifferingPixels(written, painted);
    EXPECT_EQ(d.Count, 0) << "centre azimuth " << azimuth << ": first difference at " << d.First.x() << ","
                          << d.First.y();
  }
}

}  // namespace
}  // namespace zenitra
