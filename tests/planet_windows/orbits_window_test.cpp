// The planet orbits window, headless: the drawn picture (background, scale bar and label, Sun,
// orbits, colours, planet bitmaps at their heliocentric longitude) and the controls (check list,
// scale buttons, animation).
#include "planet_windows/orbits_window.h"

#include <QDateEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include "support/pixel_difference.h"

#include <cmath>

#include "core/time_scales.h"
#include "planets/orbits.h"
#include "planets/planet_position.h"

namespace zenitra {
namespace {

const QSize kSize(600, 500);

class GermanLocale : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = QLocale();
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  }
  void TearDown() override { QLocale::setDefault(saved_); }
  QLocale saved_;
};

bool IsBlack(const QImage& image, int x, int y) { return (image.pixel(x, y) & 0xFFFFFF) == 0; }

bool AnyNonBlackNear(const QImage& image, int x, int y, int radius) {
  for (int dy = -radius; dy <= radius; ++dy)
    for (int dx = -radius; dx <= radius; ++dx)
      if (image.rect().contains(x + dx, y + dy) && !IsBlack(image, x + dx, y + dy)) return true;
  return false;
}

using OrbitsPicture = GermanLocale;

TEST_F(OrbitsPicture, NothingTickedDrawsOnlyBackgroundScaleBarAndSun) {
  const QImage picture = DrawOrbitsPicture(kSize, {}, QDate(2024, 6, 1), 50.0);
  const int xc = kSize.width() / 2, yc = kSize.height() / 2;
  int outside = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const bool bar = y < 30 && x < 150;
      const bool sun = x >= xc - 10 && x < xc + 11 && y >= yc - 10 && y < yc + 10;
      if (!bar && !sun && !IsBlack(picture, x, y)) ++outside;
    }
  }
  EXPECT_EQ(outside, 0);
  EXPECT_EQ(picture.pixel(10, 10) & 0xFFFFFF, 0xFFFFFFu);  // bar from (10, 10) ...
  EXPECT_EQ(picture.pixel(60, 10) & 0xFFFFFF, 0xFFFFFFu);  // ... to (60, 10): 50 pixels
  EXPECT_TRUE(IsBlack(picture, 62, 10));
  EXPECT_TRUE(AnyNonBlackNear(picture, xc, yc, 3)) << "the Sun";
}

TEST_F(OrbitsPicture, ScaleBarLabelsUseTheDecimalComma) {
  EXPECT_EQ(ScaleBarLabel(50.0), QStringLiteral("1,00 AE"));
  EXPECT_EQ(ScaleBarLabel(100.0), QStringLiteral("0,50 AE"));
  EXPECT_EQ(ScaleBarLabel(12.5), QStringLiteral("4 AE"));
  // At scale 12.5 the bar stays 50 pixels long.
  const QImage picture = DrawOrbitsPicture(kSize, {}, QDate(2024, 6, 1), 12.5);
  EXPECT_EQ(picture.pixel(60, 10) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_TRUE(IsBlack(picture, 62, 10));
}

// The orbit colour follows the position among the ticked entries: Mars alone is white, Mars
// after the Earth is blue.
TEST_F(OrbitsPicture, OrbitColourDependsOnlyOnThePositionAmongTickedEntries) {
  const OrbitObject mars = FindOrbitObject("Mars").value();
  const QDate date(2024, 6, 1);
  const int xc = kSize.width() / 2, yc = kSize.height() / 2;
  const auto orbit = OrbitPolyline(mars, 100.0, xc, yc);
  const PixelPoint body = BodyPixel(mars, JulianDayOfDate(2024, 6, 1), 100.0, xc, yc).value();
  // An orbit vertex far from the planet's bitmap and label.
  PixelPoint probe = orbit[0];
  for (const PixelPoint& p : orbit) {
    if (std::hypot(p.X - body.X, p.Y - body.Y) > 60 && p.Y > 40) {
      probe = p;
      break;
    }
  }
  // The label under the planet is white whatever the orbit colour.
  int whiteInLabel = 0;
  const QImage labelled = DrawOrbitsPicture(kSize, {"Erde", "Mars"}, date, 100.0);
  for (int y = body.Y + 5; y < body.Y + 16; ++y)
    for (int x = body.X - 6; x < body.X + 20; ++x)
      whiteInLabel += (labelled.pixel(x, y) & 0xFFFFFF) == 0xFFFFFFu ? 1 : 0;
  EXPECT_GT(whiteInLabel, 5) << "label of Mars at (" << body.X - 6 << ", " << body.Y + 4 << ")";
  const QImage alone = DrawOrbitsPicture(kSize, {"Mars"}, date, 100.0);
  EXPECT_EQ(alone.pixel(probe.X, probe.Y) & 0xFFFFFF, 0xFFFFFFu) << probe.X << ", " << probe.Y;
  const QImage second = DrawOrbitsPicture(kSize, {"Erde", "Mars"}, date, 100.0);
  EXPECT_EQ(second.pixel(probe.X, probe.Y) & 0xFFFFFF, 0x0000FFu) << probe.X << ", " << probe.Y;
}

// The planet's bitmap is drawn centred where its heliocentric longitude points; the direction of
// the drawn bitmap's centre agrees with the longitude within the pixel rounding.
TEST_F(OrbitsPicture, PlanetBitmapsStandInTheDirectionOfTheirHeliocentricLongitude) {
  const QDate date(2026, 12, 8);
  const double jd = JulianDayOfDate(2026, 12, 8);
  const int xc = kSize.width() / 2, yc = kSize.height() / 2;
  for (const char* name : {"Merkur", "Venus", "Erde", "Mars"}) {
    const QImage picture = DrawOrbitsPicture(kSize, {QString::fromLatin1(name)}, date, 150.0);
    const double longitude = HeliocentricLongitude(name, jd);
    const double r = 150.0 * FindOrbitObject(name)->A;
    // Search the bitmap: non-orbit-coloured pixels within 12 pixels of the expected point.
    const int ex = xc + static_cast<int>(std::lround(std::cos(longitude * M_PI / 180.0) * r));
    const int ey = yc - static_cast<int>(std::lround(std::sin(longitude * M_PI / 180.0) * r));
    double sx = 0, sy = 0;
    int count = 0;
    for (int y = ey - 12; y <= ey + 12; ++y)
      for (int x = ex - 12; x <= ex + 12; ++x)
        if (picture.rect().contains(x, y) && y < ey + 4 && !IsBlack(picture, x, y) &&
            (picture.pixel(x, y) & 0xFFFFFF) != 0xFFFFFFu) {
          sx += x;
          sy += y;
          ++count;
        }
    ASSERT_GT(count, 3) << name << " no bitmap near (" << ex << ", " << ey << ")";
    const double angle = std::atan2(yc - sy / count, sx / count - xc) * 180.0 / M_PI;
    const double tolerance = 3.0 / r * 180.0 / M_PI;  // three pixels along the orbit
    EXPECT_NEAR(std::remainder(angle - longitude, 360.0), 0.0, tolerance)
        << name << " expected " << longitude << " got " << angle;
  }
}

TEST_F(OrbitsPicture, AsteroidsAreFilledCirclesInTheirOrbitColour) {
  const QDate date(2026, 12, 8);
  const QImage picture = DrawOrbitsPicture(kSize, {"Asteroid Ceres", "Asteroid Vesta"}, date, 20.0);
  const double jd = JulianDayOfDate(2026, 12, 8);
  const int xc = kSize.width() / 2, yc = kSize.height() / 2;
  const PixelPoint ceres = BodyPixel(FindOrbitObject("Asteroid Ceres").value(), jd, 20.0, xc, yc).value();
  // Filled circle in the first colour (white) about the body.
  EXPECT_EQ(picture.pixel(ceres.X, ceres.Y) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(picture.pixel(ceres.X + 2, ceres.Y - 2) & 0xFFFFFF, 0xFFFFFFu);
  const PixelPoint vesta = BodyPixel(FindOrbitObject("Asteroid Vesta").value(), jd, 20.0, xc, yc).value();
  EXPECT_EQ(picture.pixel(vesta.X, vesta.Y) & 0xFFFFFF, 0x0000FFu) << "second ticked: blue";
  EXPECT_EQ(picture.pixel(vesta.X - 2, vesta.Y - 2) & 0xFFFFFF, 0x0000FFu);
}

TEST(Tzastro37, TakesTheSizeAndStartsWithDefaults) {
  Tzastro37 w(800, 600, nullptr, [] { return QDate(2031, 7, 14); });
  EXPECT_EQ(w.size(), QSize(800, 600));
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Planetenbahnen"));
  EXPECT_DOUBLE_EQ(w.Scale(), 50.0);
  EXPECT_EQ(w.DE1()->date(), QDate(2031, 7, 14)) << "the computer's date";
  EXPECT_EQ(w.DE1()->minimumDate(), QDate(1, 1, 1)) << "October 1582 and earlier reachable";
  EXPECT_EQ(w.DE1()->displayFormat(), QStringLiteral("dd.MM.yyyy"));
  EXPECT_EQ(w.S1()->value(), 1);
  EXPECT_EQ(w.S1()->minimum(), -30);
  EXPECT_EQ(w.S1()->maximum(), 30);
  EXPECT_FALSE(w.Timer1()->isActive());
  EXPECT_EQ(w.Timer1()->interval(), 50);
}

TEST(Tzastro37, FirstActivationBuildsTheSortedListAndLaterOnesKeepTheTicks) {
  Tzastro37 w(800, 600);
  w.FormActivate();
  ASSERT_EQ(w.CB1()->count(), 18);
  EXPECT_EQ(w.CB1()->item(0)->text(), QStringLiteral("Asteroid Apollo"));
  EXPECT_EQ(w.CB1()->item(17)->text(), QStringLiteral("Zwergplanet Pluto"));
  w.CB1()->item(10)->setCheckState(Qt::Checked);
  EXPECT_EQ(w.TickedNames().size(), 1);
  w.FormActivate();
  EXPECT_EQ(w.TickedNames(), QStringList{w.CB1()->item(10)->text()});
  EXPECT_EQ(w.CB1()->count(), 18);
}

TEST(Tzastro37, ScaleButtonsEnlargeResetAndReduce) {
  Tzastro37 w(800, 600);
  w.Enlarge()->click();
  EXPECT_NEAR(w.Scale(), 50.0 * std::sqrt(2.0), 1e-9);
  for (int i = 0; i < 10; ++i) w.Enlarge()->click();
  EXPECT_DOUBLE_EQ(w.Scale(), 500.0);
  w.Reset()->click();
  EXPECT_DOUBLE_EQ(w.Scale(), 50.0);
  w.Reduce()->click();
  w.Reduce()->click();
  EXPECT_NEAR(w.Scale(), 25.0, 1e-9);
}

TEST(Tzastro37, SimulationRunsForwardBackwardOrStands) {
  Tzastro37 w(800, 600);
  w.Simulation()->click();
  EXPECT_TRUE(w.Timer1()->isActive());
  EXPECT_EQ(w.Simulation()->text(), QStringLiteral("Stopp !!!"));
  w.Simulation()->click();
  EXPECT_FALSE(w.Timer1()->isActive());
  EXPECT_EQ(w.Simulation()->text(), QStringLiteral("Simulation"));

  const QDate start(2020, 2, 27);
  w.DE1()->setDate(start);
  w.Timer1Timer();
  EXPECT_EQ(w.DE1()->date(), QDate(2020, 2, 28));
  w.S1()->setValue(-3);
  w.Timer1Timer();
  EXPECT_EQ(w.DE1()->date(), QDate(2020, 2, 25));
  w.S1()->setValue(0);
  w.Timer1Timer();
  EXPECT_EQ(w.DE1()->date(), QDate(2020, 2, 25));
}

TEST(Tzastro37, ShowingRepaintsAndTickingAnEntryDrawsItsOrbit) {
  Tzastro37 w(800, 600);
  w.show();  // activation: the list is built and the picture drawn at the surface's size
  ASSERT_EQ(w.CB1()->count(), 18);
  EXPECT_EQ(w.Picture().size(), w.PB1()->size());
  EXPECT_GT(w.PB1()->width(), 400);
  const QImage empty = w.Picture();
  const QList<QListWidgetItem*> earth = w.CB1()->findItems(QStringLiteral("Erde"), Qt::MatchExactly);
  ASSERT_EQ(earth.size(), 1);
  earth.front()->setCheckState(Qt::Checked);  // the click repaints
  EXPECT_EQ(w.TickedNames(), QStringList{QStringLiteral("Erde")});
  EXPECT_NE(w.Picture(), empty);
  // The Earth's orbit (first colour, white) at one AE, 50 pixels, to the right of the Sun.
  const OrbitObject erde = FindOrbitObject("Erde").value();
  const auto orbit = OrbitPolyline(erde, 50.0, w.PB1()->width() / 2, w.PB1()->height() / 2);
  int white = 0;
  for (const PixelPoint& p : orbit) white += (w.Picture().pixel(p.X, p.Y) & 0xFFFFFF) == 0xFFFFFFu ? 1 : 0;
  EXPECT_GT(white, 150) << "of 181 orbit vertices";
  // The surface is painted straight, with the window's own pen and font around it: it shows
  // that picture, pixel for pixel.
  const QImage shown = w.PB1()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QImage picture = w.Picture();
  ASSERT_EQ(shown.size(), picture.size());
  EXPECT_EQ(testing::DifferingPixels(shown, picture).Count, 0) << "pixels of " << shown.width() << " x "
                                                               << shown.height();
  w.close();
}

}  // namespace
}  // namespace zenitra
