// The Sun, the Moon and the planets on the sky map and the two panels: placement, registers, the
// Moon's phase picture, the Galilean moons panel and the Venus phase panel, checked by pixels.
#include "sky/sky_bodies.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <cmath>
#include <numbers>

#include "core/moon_position.h"
#include "planets/planet_position.h"
#include "sky/sky_renderer.h"

namespace zenitra {
namespace {

constexpr double kRad = std::numbers::pi / 180.0;
constexpr int kW = 1054;
constexpr int kH = 664;

SkyView ChemnitzAt(const ShownMoment& m) {
  SkyView v;
  v.Place = Location{"Chemnitz, D", 50.836667, 12.854444, 1.0, "Europe/Berlin"};
  v.Moment = m;
  return v;
}

ProjectionFrame FrameOf(const SkyView& v) {
  return MakeProjectionFrame(kW, kH, v.Moment, v.Place, v.CentreAzimuth, v.Switches.SummerTime);
}

QImage Draw(const SkyView& v, PositionRegisters& registers) {
  return RenderSky(kW, kH, v, Catalogue{}, {}, registers, {});
}

std::optional<QString> RegisterLine(const PositionRegisters& r, const QString& name) {
  for (const QString& line : r.BodyPositionList.Lines()) {
    if (line.section(u'\t', 2) == name) return line;
  }
  return std::nullopt;
}

QPoint LinePoint(const QString& line) { return {line.section(u'\t', 0, 0).toInt(), line.section(u'\t', 1, 1).toInt()}; }

bool SameRgb(QRgb a, QRgb b) { return (a & 0xFFFFFFu) == (b & 0xFFFFFFu); }

// Pixels of anti-aliased text in colour c: bright enough and with the channels of c scaled.
int CountTinted(const QImage& image, const QRect& r, const QColor& c) {
  int n = 0;
  const QRect box = r.intersected(image.rect());
  for (int y = box.top(); y <= box.bottom(); ++y) {
    for (int x = box.left(); x <= box.right(); ++x) {
      const QColor p(image.pixel(x, y));
      const int scale = p.value();
      if (scale < 100) continue;
      const auto close = [&](int got, int want) { return std::abs(got * 255 - want * scale) <= 40 * scale; };
      n += close(p.red(), c.red()) && close(p.green(), c.green()) && close(p.blue(), c.blue()) ? 1 : 0;
    }
  }
  return n;
}

int CountColour(const QImage& image, const QRect& r, QRgb colour) {
  int n = 0;
  const QRect box = r.intersected(image.rect());
  for (int y = box.top(); y <= box.bottom(); ++y) {
    for (int x = box.left(); x <= box.right(); ++x) n += SameRgb(image.pixel(x, y), colour) ? 1 : 0;
  }
  return n;
}

// ---- planets, Sun and Moon on the map ---------------------------------------------------------

TEST(BodiesOnTheMap, PlanetsAreRegisteredWhereTheyAreProjectedAndNotWhenBehindTheViewer) {
  // 2025-01-03 22:00 CET: Jupiter (opposition 2024-12-07) stands near the meridian.
  SkyView v = ChemnitzAt({2025, 1, 3, 22, 0, 0});
  const ProjectionFrame frame = FrameOf(v);
  const PlanetPlace jupiter = ComputePlanet("Jupiter", frame.Moment, 50.836667, 12.854444, 1.0);
  const SkyPlace sky = PlanetSkyPlace(jupiter.Ephemeris);
  ScreenPoint p;
  ASSERT_TRUE(ProjectToScreen(frame, sky.AlphaRad, sky.DeltaRad, p));
  ASSERT_LT(std::abs(p.X - frame.CentreX), kW / 4) << "precondition: Jupiter near the south";
  PositionRegisters registers;
  (void)Draw(v, registers);
  EXPECT_EQ(RegisterLine(registers, QStringLiteral("Jupiter")).value_or(QString()),
            QStringLiteral("%1\t%2\tJupiter").arg(p.X).arg(p.Y));

  // Facing north the planet lies behind the viewer: no picture, no line, nothing to click.
  v.CentreAzimuth = 180;
  ASSERT_FALSE(ProjectToScreen(FrameOf(v), sky.AlphaRad, sky.DeltaRad, p));
  (void)Draw(v, registers);
  EXPECT_FALSE(RegisterLine(registers, QStringLiteral("Jupiter")).has_value());
  for (const QString& line : registers.BodyPositionList.Lines()) {
    EXPECT_NE(line.section(u'\t', 2), QStringLiteral("Neptun")) << "Neptun is never drawn";
  }
}

TEST(BodiesOnTheMap, RegisterFollowsTheDrawingOrder) {
  // 2025-01-03 17:30 CET: Venus, Saturn, Jupiter and Uranus are up, the Moon near Venus.
  SkyView v = ChemnitzAt({2025, 1, 3, 17, 30, 0});
  v.Switches.Moon = true;
  PositionRegisters registers;
  (void)Draw(v, registers);
  QStringList names;
  for (const QString& line : registers.BodyPositionList.Lines()) names << line.section(u'\t', 2);
  EXPECT_EQ(names, (QStringList{QStringLiteral("Venus"), QStringLiteral("Jupiter"), QStringLiteral("Saturn"),
                                QStringLiteral("Uranus"), QStringLiteral("Mond")}));
  // Without the switch the Moon is neither drawn nor registered.
  v.Switches.Moon = false;
  (void)Draw(v, registers);
  EXPECT_FALSE(RegisterLine(registers, QStringLiteral("Mond")).has_value());
}

TEST(BodiesOnTheMap, SaturnPictureIsCentredOnItsPixelWithItsRing) {
  SkyView v = ChemnitzAt({2025, 1, 3, 17, 30, 0});
  PositionRegisters registers;
  const QImage image = Draw(v, registers);
  const std::optional<QString> line = RegisterLine(registers, QStringLiteral("Saturn"));
  ASSERT_TRUE(line.has_value());
  const QPoint p = LinePoint(*line);
  const QImage& picture = CachedSkyBitmap(1176);
  ASSERT_EQ(picture.size(), QSize(18, 8));
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 18; ++x) {
      const QRgb want = picture.pixel(x, y);
      if (qAlpha(want) != 255) continue;
      EXPECT_TRUE(SameRgb(image.pixel(p.x() - 9 + x, p.y() - 4 + y), want)) << "picture pixel " << x << "," << y;
    }
  }
}

TEST(BodiesOnTheMap, SunIsDrawnAtItsAzimuthAndAltitude) {
  // 2025-06-21 13:00 CET: the Sun stands high in the south.
  const SkyView v = ChemnitzAt({2025, 6, 21, 13, 0, 0});
  PositionRegisters registers;
  (void)Draw(v, registers);
  const std::optional<QString> line = RegisterLine(registers, QStringLiteral("Sonne"));
  ASSERT_TRUE(line.has_value());
  const QPoint p = LinePoint(*line);
  const ProjectionFrame f = FrameOf(v);
  // The pixel read back through the projection's scales: azimuth from the centre column, altitude
  // from the horizon row (28 px above the bottom, 0.763943726841098 x height per radian).
  const double azimuthDeg = f.CentreAzimuth + (p.x() - f.CentreX) / f.Scale;
  const double altitudeDeg = (p.y() - kH + 28) / (-0.763943726841098 * kH) / kRad;
  // Against the sky: an hour after true noon near midsummer the Sun stands about 60 degrees high,
  // some 20 degrees west of south (tolerance: the map's whole pixels and its ecliptic longitude
  // used as right ascension).
  EXPECT_NEAR(altitudeDeg, 60.5, 1.5) << "pixel " << p.x() << "," << p.y();
  EXPECT_GT(azimuthDeg, 10.0) << "pixel " << p.x() << "," << p.y();
  EXPECT_LT(azimuthDeg, 35.0) << "pixel " << p.x() << "," << p.y();
}

TEST(BodiesOnTheMap, SunBelowTheHorizonIsNotRegistered) {
  const SkyView v = ChemnitzAt({2025, 1, 3, 23, 0, 0});
  PositionRegisters registers;
  (void)Draw(v, registers);
  EXPECT_FALSE(RegisterLine(registers, QStringLiteral("Sonne")).has_value());
  // The place the map gives the Sun at that moment, 2025-01-03 22:00 UT: right ascension 18h 57m =
  // 284.3 deg, declination -22.8 deg (Astronomical Almanac 2025, C6).
  PlanetPlace earth;
  ComputePlanet("Erde", FrameOf(v).Moment, 50.836667, 12.854444, 1.0, earth);
  const SkyPlace sun = SunSkyPlace(earth.Ephemeris.HeliocentricLongitude);
  EXPECT_NEAR(sun.AlphaRad / kRad, 284.3, 0.4);
  EXPECT_NEAR(sun.DeltaRad / kRad, -22.7, 0.5);
}

TEST(SunPlacement, EclipticLongitudeBecomesRightAscensionAndDeclination) {
  // Earth at heliocentric 270 degrees: the Sun at the solstice, right ascension 6 h, declination
  // the obliquity 23.4392911 degrees (J2000).
  const SkyPlace s = SunSkyPlace(270.0);
  EXPECT_NEAR(s.DeltaRad / kRad, 23.4392911, 1e-9);
  EXPECT_NEAR(s.AlphaRad, 90.0 * kRad, 1e-12);
  EXPECT_NEAR(SunSkyPlace(0.0).DeltaRad, 0.0, 1e-12);
  // Ecliptic longitude 45 degrees: alpha = atan2(cos eps sin 45, cos 45) = 42.536 deg, delta = 16.336
  // deg (Meeus, eq. 13.3 and 13.4): not the longitude itself (up to 2.5 deg apart).
  EXPECT_NEAR(SunSkyPlace(225.0).AlphaRad / kRad, 42.5358, 1e-3);
  EXPECT_NEAR(SunSkyPlace(225.0).DeltaRad / kRad, 16.3361, 1e-3);
}

TEST(MoonPhase, PictureForEveryStepFromMinus8To8) {
  // Index k + 8 for k = -8..-1, k for 0..7, and 0 again for 8: a full turn of 45-degree steps.
  const int expected[17] = {1460, 1461, 1462, 1463, 1464, 1465, 1466, 1467,  // k = -8 .. -1
                            1460, 1461, 1462, 1463, 1464, 1465, 1466, 1467,  // k = 0 .. 7
                            1460};                                           // k = 8
  for (int k = -8; k <= 8; ++k) {
    EXPECT_EQ(MoonPhasePicture(k), std::optional<int>(expected[k + 8])) << "k " << k;
  }
  EXPECT_EQ(MoonPhasePicture(4), 1464) << "full";
  EXPECT_FALSE(MoonPhasePicture(9).has_value());
  EXPECT_FALSE(MoonPhasePicture(-9).has_value());
}

TEST(MoonPhase, StepIsTheElongationInUnitsOf45Degrees) {
  // Earth at 100 degrees: the Sun at 280 degrees. The Moon 4 x 45 degrees east of it is full.
  const double sun = 280.0 * kRad;
  EXPECT_EQ(MoonPhaseStep(sun + 4 * 45.0 * kRad - 2 * std::numbers::pi, 100.0), -4);
  EXPECT_EQ(MoonPhaseStep(sun - 180.0 * kRad, 100.0), -4);
  EXPECT_EQ(MoonPhaseStep(sun, 100.0), 0);
  // The Sun's longitude is brought below 2 pi once: Earth at 190 degrees gives the Sun at 10.
  EXPECT_EQ(MoonPhaseStep((10.0 + 180.0) * kRad, 190.0), 4);
  EXPECT_EQ(MoonPhaseStep((10.0 + 22.4) * kRad, 190.0), 0);
  EXPECT_EQ(MoonPhaseStep((10.0 + 22.6) * kRad, 190.0), 1);
  // Every right ascension in [0, 2 pi] against every Sun longitude gives a step with a picture.
  for (int a = 0; a <= 360; a += 3) {
    for (int l = 0; l < 360; l += 7) {
      const int k = MoonPhaseStep(a * kRad, l);
      EXPECT_TRUE(MoonPhasePicture(k).has_value()) << "alpha " << a << " L " << l << " k " << k;
    }
  }
  EXPECT_FALSE(MoonPhasePicture(MoonPhaseStep(std::nan(""), 0.0)).has_value());
}

TEST(MoonPhase, FullMoonIsDrawnWithPicture1464) {
  // Full Moon 2025-01-13 22:27 UT (USNO phases of the Moon): 23:27 CET, high in the south-east.
  SkyView v = ChemnitzAt({2025, 1, 13, 23, 27, 0});
  v.Switches.Moon = true;
  PositionRegisters registers;
  const QImage image = Draw(v, registers);
  const std::optional<QString> line = RegisterLine(registers, QStringLiteral("Mond"));
  ASSERT_TRUE(line.has_value());
  const QPoint p = LinePoint(*line);
  const ProjectionFrame f = FrameOf(v);
  PlanetPlace earth;
  ComputePlanet("Erde", f.Moment, 50.836667, 12.854444, 1.0, earth);
  // The Moon stands opposite the Sun: k = 4 or -4, both the full picture.
  EXPECT_EQ(std::abs(MoonPhaseStep(MoonLowPrecision(f.Moment).RightAscension * kRad,
                                   earth.Ephemeris.HeliocentricLongitude)),
            4);
  const QImage& full = CachedSkyBitmap(1464);
  ASSERT_EQ(full.size(), QSize(15, 15));
  int compared = 0;
  for (int y = 0; y < 15; ++y) {
    for (int x = 0; x < 15; ++x) {
      if (qAlpha(full.pixel(x, y)) != 255 || (x >= 11 && y >= 11)) continue;  // the label starts at +4, +4
      EXPECT_TRUE(SameRgb(image.pixel(p.x() - 7 + x, p.y() - 7 + y), full.pixel(x, y))) << x << "," << y;
      ++compared;
    }
  }
  EXPECT_GT(compared, 100);
}

// ---- Galilean moons panel ---------------------------------------------------------------------

QImage PanelImage() {
  QImage image(400, 80, QImage::Format_RGB32);
  image.setDotsPerMeterX(3780);
  image.setDotsPerMeterY(3780);
  image.fill(Qt::black);
  return image;
}

TEST(GalileanPanel, DrawnOnlyFrom1900To2100) {
  EXPECT_FALSE(GalileanPanelShown(1899));
  EXPECT_TRUE(GalileanPanelShown(1900));
  EXPECT_TRUE(GalileanPanelShown(2100));
  EXPECT_FALSE(GalileanPanelShown(2101));
  const QRgb white = QColor(Qt::white).rgb();
  for (const int year : {1899, 1900, 2100, 2101}) {
    SkyView v = ChemnitzAt({year, 6, 1, 12, 0, 0});
    v.Switches.Jupiter = true;
    PositionRegisters registers;
    const QImage image = Draw(v, registers);
    // The panel's white frame: row 1 from column 1 to 319.
    const int frame = CountColour(image, QRect(1, 1, 319, 1), white);
    if (year == 1899 || year == 2101) {
      EXPECT_LT(frame, 20) << "year " << year;
    } else {
      EXPECT_EQ(frame, 319) << "year " << year;
    }
  }
}

TEST(GalileanPanel, MoonHidesBehindJupiterOnlyWithinNinePixelsAndWhenBehind) {
  EXPECT_TRUE(HiddenBehindJupiter(151, 25));
  EXPECT_TRUE(HiddenBehindJupiter(169, 25));
  EXPECT_TRUE(HiddenBehindJupiter(160, -100));
  EXPECT_FALSE(HiddenBehindJupiter(150, 25));
  EXPECT_FALSE(HiddenBehindJupiter(170, 25));
  EXPECT_FALSE(HiddenBehindJupiter(160, 26)) << "in front of the planet";
  // X = -1.635 radii: px = round(168.99) = 169, hidden behind; X = -1.82: px = 170, beside it.
  const std::array<GalileanMoonMark, 4> marks =
      GalileanMoonMarks({MoonOffset{-1.635, 0, 1}, MoonOffset{-1.82, 0, 1}, MoonOffset{0, 0, -1}, MoonOffset{0, 0, 0}});
  EXPECT_EQ(marks[0].Px, 169);
  EXPECT_TRUE(marks[0].Hidden);
  EXPECT_EQ(marks[1].Px, 170);
  EXPECT_FALSE(marks[1].Hidden);
  EXPECT_EQ(marks[2].Pz, 30);
  EXPECT_FALSE(marks[2].Hidden) << "Z < 0: in front";
  EXPECT_EQ(marks[3].Pz, 25);
  EXPECT_TRUE(marks[3].Hidden) << "pz = 25 counts as behind";
  EXPECT_EQ(marks[0].Name, QStringLiteral("Io"));
  EXPECT_EQ(marks[3].Name, QStringLiteral("Kallisto"));
  EXPECT_EQ(marks[2].Colour, QColor(0, 208, 255));
}

TEST(GalileanPanel, DrawsVisibleMoonsInTheirColoursAndTheLegend) {
  QImage image = PanelImage();
  {
    QPainter painter(&image);
    SkyCanvas canvas(painter);
    // Io beside the disc, Europa far out, Ganymed in front of the disc, Kallisto behind it.
    DrawGalileanMoonsPanel(canvas, {MoonOffset{1.9, 0, 1}, MoonOffset{-20, 1, 1}, MoonOffset{0, 0, -5},
                                    MoonOffset{0, 0, 5}});
  }
  const QRgb io = panel_colours::Io.rgb(), ganymed = panel_colours::Ganymed.rgb(),
             kallisto = panel_colours::Kallisto.rgb(), europa = panel_colours::Europa.rgb();
  // Io at px = round(149.55) = 150: an 8-pixel disc with a black outline.
  EXPECT_GT(CountColour(image, QRect(146, 21, 8, 8), io), 20);
  EXPECT_TRUE(SameRgb(image.pixel(150, 25), io));
  // Europa at px = 270, py = 31.
  EXPECT_TRUE(SameRgb(image.pixel(270, 31), europa));
  // Ganymed stands in front of Jupiter's picture, Kallisto is hidden.
  EXPECT_GT(CountColour(image, QRect(156, 21, 8, 8), ganymed), 20);
  EXPECT_EQ(CountColour(image, QRect(0, 0, 400, 40), kallisto), 0);
  // The frame and the legend row: every name in its colour from x = 10 on.
  EXPECT_TRUE(SameRgb(image.pixel(1, 1), QColor(Qt::white).rgb()));
  EXPECT_TRUE(SameRgb(image.pixel(319, 59), QColor(Qt::white).rgb()));
  EXPECT_FALSE(SameRgb(image.pixel(320, 30), QColor(Qt::white).rgb()));
  EXPECT_GT(CountTinted(image, QRect(0, 42, 400, 14), panel_colours::Kallisto), 5);
  EXPECT_GT(CountTinted(image, QRect(0, 42, 400, 14), panel_colours::Ganymed), 5);
}

// ---- Venus phase panel ------------------------------------------------------------------------

PhysicalData Venus(double brightLimb, double phaseAngle, double diameter, double magnitude = -4.4) {
  PhysicalData d;
  d.BrightLimbAngleDeg = brightLimb;
  d.PhaseAngleDeg = phaseAngle;
  d.ApparentDiameterArcsec = diameter;
  d.Magnitude = magnitude;
  return d;
}

// Phase angle with the illuminated fraction k: k = (1 + cos i) / 2.
double PhaseAngleFor(double k) { return std::acos(2.0 * k - 1.0) / kRad; }

const QRgb kYellow = QColor(255, 255, 0).rgb();

TEST(VenusPanel, AlmostFullVenusShowsTheWholeDisc) {
  const int full = CountColour(VenusPhasePanel(Venus(90, 0, 20), QLocale::c()), QRect(0, 0, 160, 190), kYellow);
  // A disc of radius 20 pixels: pi r^2 = 1257 pixels (tolerance: its rim).
  EXPECT_NEAR(full, 1257, 80);
  for (const double k : {0.96, 0.97, 0.99}) {
    const QImage panel = VenusPhasePanel(Venus(90, PhaseAngleFor(k), 20), QLocale::c());
    EXPECT_EQ(CountColour(panel, QRect(0, 0, 160, 190), kYellow), full) << "k " << k;
    EXPECT_FALSE(VenusPhaseGeometryOf(90, PhaseAngleFor(k), 20).DarkPartDrawn);
  }
  EXPECT_LT(CountColour(VenusPhasePanel(Venus(90, PhaseAngleFor(0.95), 20), QLocale::c()), QRect(0, 0, 160, 190),
                        kYellow),
            full);
}

TEST(VenusPanel, GeometryPointsLieOnTheDiscAndTheTerminatorCircle) {
  const VenusPhaseGeometry g = VenusPhaseGeometryOf(30.0, 60.0, 25.0);
  EXPECT_NEAR(g.IlluminatedFraction, 0.75, 1e-12);
  EXPECT_NEAR(g.S, -12.5, 1e-12);
  for (const QPointF& p : {g.P1, g.P3, g.P4}) EXPECT_NEAR(std::hypot(p.x() - 100, p.y() - 110), 25.0, 1e-9);
  // P4 at the position angle itself, measured clockwise from the top of the panel.
  EXPECT_NEAR(g.P4.x(), 100 + 25 * std::sin(30 * kRad), 1e-9);
  EXPECT_NEAR(g.P4.y(), 110 - 25 * std::cos(30 * kRad), 1e-9);
  ASSERT_TRUE(g.Terminator.has_value());
  for (const QPointF& p : {g.P1, g.P2, g.P3}) {
    EXPECT_NEAR(std::hypot(p.x() - g.Terminator->Centre.x(), p.y() - g.Terminator->Centre.y()), g.Terminator->Radius,
                1e-9);
  }
  // Near half phase the terminator point keeps a distance of 2 d 0.01 from the centre.
  EXPECT_NEAR(VenusPhaseGeometryOf(0, PhaseAngleFor(0.501), 25).S, 0.5, 1e-12);
  EXPECT_FALSE(CircleThroughPoints({0, 0}, {1, 1}, {2, 2}).has_value()) << "collinear";
}

// The lit part as the panel's construction defines it: a disc point is dark when it lies on the
// same side of the terminator circle as the limb point P4.
int ExpectedLitPixels(const VenusPhaseGeometry& g, double d) {
  int n = 0;
  const auto inCircle = [&](double x, double y) {
    return std::hypot(x - g.Terminator->Centre.x(), y - g.Terminator->Centre.y()) < g.Terminator->Radius;
  };
  const bool p4Inside = inCircle(g.P4.x(), g.P4.y());
  for (int y = 0; y < 250; ++y) {
    for (int x = 0; x < 160; ++x) {
      if (std::hypot(x - 85.0, y - 110.0) >= d) continue;
      if (inCircle(x + 15.0, y) != p4Inside) ++n;
    }
  }
  return n;
}

TEST(VenusPanel, TerminatorSideFollowsTheBrightLimbAngle) {
  constexpr double d = 30.0;
  const QRect discArea(0, 0, 160, 190);
  for (int p = 0; p < 360; p += 15) {
    for (const double k : {0.05, 0.2, 0.35, 0.499, 0.5, 0.501, 0.6, 0.8, 0.93}) {
      const VenusPhaseGeometry g = VenusPhaseGeometryOf(p, PhaseAngleFor(k), d);
      ASSERT_TRUE(g.Terminator.has_value()) << "p " << p << " k " << k;
      const QImage panel = VenusPhasePanel(Venus(p, PhaseAngleFor(k), d), QLocale::c());
      // Centroid of the yellow pixels relative to the disc centre (85, 110).
      double sx = 0, sy = 0;
      int n = 0;
      for (int y = discArea.top(); y <= discArea.bottom(); ++y) {
        for (int x = discArea.left(); x <= discArea.right(); ++x) {
          if (!SameRgb(panel.pixel(x, y), kYellow)) continue;
          sx += x - 85.0;
          sy += y - 110.0;
          ++n;
        }
      }
      ASSERT_GT(n, 0) << "p " << p << " k " << k;
      // The dark part lies towards P4 (angle p clockwise from the top), the lit part opposite it.
      const double towardsP4 = (sx / n) * std::sin(p * kRad) - (sy / n) * std::cos(p * kRad);
      EXPECT_LT(towardsP4, -0.5) << "p " << p << " k " << k;  // pixels
      // The fills stay inside their part (a leak would darken or keep the whole disc): the yellow
      // area matches the construction to within its rim of about 2 pi d pixels.
      EXPECT_NEAR(n, ExpectedLitPixels(g, d), 2.0 * std::numbers::pi * d) << "p " << p << " k " << k;
    }
  }
}

TEST(VenusPanel, TextsFollowTheLocalesNumberFormat) {
  const QLocale german(QLocale::German, QLocale::Germany);
  // k = (1 + cos 60) / 2 = 0.75.
  const std::array<QString, 4> t = VenusPanelTexts(Venus(0, 60, 1234.567, -4.4), german);
  EXPECT_EQ(t[0], QStringLiteral("Venusscheibe"));
  EXPECT_EQ(t[1], QStringLiteral("Durchmesser 1.234,57\""));
  EXPECT_EQ(t[2], QStringLiteral("Helligkeit -4,40 mag"));
  EXPECT_EQ(t[3], QStringLiteral("Beleuchteter Teil 75,0"));
  EXPECT_EQ(GroupedNumber(12.345, 2, QLocale::c()), QStringLiteral("12.35"));
  EXPECT_EQ(GroupedNumber(9.96, 1, german), QStringLiteral("10,0"));
  // The panel shows them at the left edge: some white text pixels in each row of text.
  const QImage panel = VenusPhasePanel(Venus(0, 60, 20), german);
  for (const int y : {10, 200, 215, 230}) {
    EXPECT_GT(CountTinted(panel, QRect(15, y, 140, 12), Qt::white), 5) << "row " << y;
  }
  EXPECT_TRUE(SameRgb(panel.pixel(1, 1), QColor(Qt::white).rgb()));
  EXPECT_TRUE(SameRgb(panel.pixel(158, 248), QColor(Qt::white).rgb()));
}

TEST(VenusPanel, StandsInTheTopRightCornerOfTheMap) {
  SkyView v = ChemnitzAt({2025, 1, 3, 17, 30, 0});
  v.Switches.Venus = true;
  PositionRegisters registers;
  const QImage image = Draw(v, registers);
  EXPECT_TRUE(SameRgb(image.pixel(kW - 159, 1), QColor(Qt::white).rgb()));
  EXPECT_TRUE(SameRgb(image.pixel(kW - 2, 248), QColor(Qt::white).rgb()));
  // Venus two weeks before its greatest eastern elongation: about half lit.
  EXPECT_GT(CountColour(image, QRect(kW - 160, 0, 160, 190), kYellow), 300);
}

TEST(FloodFill, FillsOnlyTheConnectedAreaOfTheTargetColour) {
  QImage image(20, 10, QImage::Format_RGB32);
  image.fill(kYellow);
  for (int y = 0; y < 10; ++y) image.setPixel(10, y, qRgb(0, 0, 0));  // a wall
  EXPECT_EQ(FloodFill(image, {2, 2}, kYellow, qRgb(0, 0, 0)), 100);
  EXPECT_TRUE(SameRgb(image.pixel(11, 5), kYellow));
  EXPECT_EQ(FloodFill(image, {2, 2}, kYellow, qRgb(0, 0, 0)), 0) << "seed no longer yellow";
  EXPECT_EQ(FloodFill(image, {-1, 2}, kYellow, qRgb(0, 0, 0)), 0);
  // A diagonal gap does not let a 4-connected fill through.
  QImage diagonal(3, 3, QImage::Format_RGB32);
  diagonal.fill(kYellow);
  diagonal.setPixel(1, 0, 0xFF000000);
  diagonal.setPixel(0, 1, 0xFF000000);
  EXPECT_EQ(FloodFill(diagonal, {0, 0}, kYellow, 0xFF000000), 1);
}

}  // namespace
}  // namespace zenitra
