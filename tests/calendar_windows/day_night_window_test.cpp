// The day-night map window, drawn headless into images.
#include "calendar_windows/day_night_window.h"

#include <gtest/gtest.h>

#include "support/pixel_difference.h"

#include <QApplication>

#include <QCheckBox>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

namespace zenitra {
namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kNight = 0xFFF0F0F0;
constexpr QRgb kSilver = 0xFFC0C0C0;
const QSize kMap(720, 320);  // 2 px per degree both ways

QDateTime Clock2025() { return QDateTime(QDate(2025, 6, 21), QTime(13, 0)); }
QDateTime Clock2023() { return QDateTime(QDate(2023, 2, 28), QTime(23, 58)); }

QPoint At(double lat, double lon) {
  const MapPixel p = ProjectToMap(lat, lon, kMap.width(), kMap.height());
  return QPoint(p.X, p.Y);
}

void SetMoment(Tftag& w, const char* day, const char* month, const char* hour, const char* minute) {
  w.E15->setText(QString::fromLatin1(day));
  w.E16->setText(QString::fromLatin1(month));
  w.Edit3->setText(QString::fromLatin1(hour));
  w.Edit4->setText(QString::fromLatin1(minute));
}

TEST(Tftag, OpensWithTheMainWindowSizeTheClockAndTheDefaultOptions) {
  Tftag w(900, 600, &Clock2025);
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Tag- und Nachgrenze"));
  EXPECT_EQ(w.size(), QSize(900, 600));
  EXPECT_EQ(w.E15->text(), QStringLiteral("21"));
  EXPECT_EQ(w.E16->text(), QStringLiteral("6"));
  EXPECT_EQ(w.Edit3->text(), QStringLiteral("13"));
  EXPECT_EQ(w.Edit4->text(), QStringLiteral("0"));
  EXPECT_TRUE(w.CB1->isChecked());
  EXPECT_TRUE(w.CB2->isChecked());
  EXPECT_FALSE(w.CB8->isChecked());
  EXPECT_TRUE(w.Cb13->isChecked());
  EXPECT_TRUE(w.RB1->isChecked());
  EXPECT_FALSE(w.Timer1->isActive());
  EXPECT_FALSE(w.Timer2->isActive());
  EXPECT_EQ(w.Timer1->interval(), 20);
  EXPECT_EQ(w.Timer2->interval(), 10000);
}

TEST(Tftag, InJuneTheSouthIsShadedAndTheNorthPoleLit) {
  Tftag w(900, 600, &Clock2025);
  w.CB1->setChecked(false);
  w.CB2->setChecked(false);
  w.Cb13->setChecked(false);
  w.Cb13Click();
  const QImage img = w.RenderMap(kMap);
  ASSERT_EQ(img.size(), kMap);
  // 13:00 CET = 12 UT: day over the Gulf of Guinea, night over the Pacific at 180 degrees; there
  // the terminator is at +66.6 degrees, and north of it (and at the pole) the Sun shines.
  EXPECT_EQ(img.pixel(At(0, 0)), kWhite);
  EXPECT_EQ(img.pixel(At(0, -179)), kNight);
  EXPECT_EQ(img.pixel(At(-40, 170)), kNight);
  EXPECT_EQ(img.pixel(At(78, -179)), kWhite);
}

// The paint box composes the map straight on the window: on the screen straight into the
// window's backing store, in grab() through the painter of a picture. Both show what RenderMap
// returns.
TEST(Tftag, PaintBoxShowsTheRenderedMap) {
  Tftag w(900, 600, &Clock2025);
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  QApplication::processEvents();
  const QImage rendered = w.RenderMap(w.pb2->size());
  const QRect area(w.pb2->mapTo(&w, QPoint(0, 0)), w.pb2->size());
  const QImage screen = w.screen()->grabWindow(w.winId()).toImage().copy(area);
  for (const auto& [path, shown] : {std::pair{"grab", w.pb2->grab().toImage()}, std::pair{"screen", screen}}) {
    const QImage pixels = shown.convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(pixels.size(), rendered.size()) << path;
    int night = 0;
    for (int y = 0; y < rendered.height(); ++y) {
      for (int x = 0; x < rendered.width(); ++x) night += rendered.pixel(x, y) == kNight;
    }
    EXPECT_GT(night, 1000) << "the night side is drawn";
    EXPECT_EQ(testing::DifferingPixels(pixels, rendered).Count, 0)
        << path << ": pixels of " << pixels.width() << " x " << pixels.height();
  }
}

TEST(Tftag, InDecemberTheArcticIsShaded) {
  Tftag w(900, 600, &Clock2025);
  SetMoment(w, "21", "12", "13", "0");
  w.CB2->setChecked(false);
  w.Cb13->setChecked(false);
  w.Cb13Click();
  const QImage img = w.RenderMap(kMap);
  EXPECT_EQ(img.pixel(At(0, 0)), kWhite);
  EXPECT_EQ(img.pixel(At(78, -179)), kNight);
  EXPECT_EQ(img.pixel(At(-78, -179)), kWhite);
}

TEST(Tftag, TheSunSymbolMarksTheSubsolarPoint) {
  Tftag w(900, 600, &Clock2025);
  w.CB1->setChecked(false);
  w.Cb13->setChecked(false);
  w.Cb13Click();
  const QImage with = w.RenderMap(kMap);
  w.CB2->setChecked(false);
  const QImage without = w.RenderMap(kMap);
  const QPoint sun = At(23.44, 0);
  int changedNear = 0;
  int changedElsewhere = 0;
  for (int y = 0; y < kMap.height(); ++y) {
    for (int x = 0; x < kMap.width(); ++x) {
      if (with.pixel(x, y) == without.pixel(x, y)) continue;
      const bool inBox = x >= sun.x() - 5 && x < sun.x() + 16 && y >= sun.y() - 5 && y < sun.y() + 15;
      (inBox ? changedNear : changedElsewhere) += 1;
    }
  }
  EXPECT_GT(changedNear, 50) << "sun at " << sun.x() << "," << sun.y();
  EXPECT_EQ(changedElsewhere, 0);
}

TEST(Tftag, TheGraticuleDrawsSilverLinesAndRedLabels) {
  Tftag w(900, 600, &Clock2025);
  w.CB2->setChecked(false);
  const QImage img = w.RenderMap(kMap);
  // Meridian -150 over the open Pacific (night there, and silver AND F0F0F0 stays silver).
  EXPECT_EQ(img.pixel(At(10, -150)), kSilver);
  EXPECT_EQ(img.pixel(At(-30, -130)), kSilver);  // parallel -30
  int red = 0;
  for (int y = kMap.height() - 25; y < kMap.height(); ++y) {
    for (int x = At(0, -150).x() + 2; x < At(0, -150).x() + 40; ++x) {
      const QColor c = img.pixelColor(x, y);
      if (c.red() > 150 && c.green() < 100 && c.blue() < 100) ++red;
    }
  }
  EXPECT_GT(red, 5) << "label -150° missing";
  w.Cb13->setChecked(false);
  w.Cb13Click();
  const QImage plain = w.RenderMap(kMap);
  EXPECT_NE(plain.pixel(At(10, -150)), kSilver);
}

TEST(Tftag, DrawsTheCoastlinesOfTheErdeResource) {
  const std::vector<CoastPoint> coast = LoadCoastline();
  ASSERT_GT(coast.size(), 2000u);
  for (const CoastPoint& c : coast) {
    EXPECT_GE(c.LatitudeDeg, -90.0);
    EXPECT_LE(c.LatitudeDeg, 90.0);
    EXPECT_GT(c.LongitudeDeg, -180.0 - 1e-9);
    EXPECT_LE(c.LongitudeDeg, 180.0);
  }
  const QImage map = DrawDayNightBaseMap(kMap, false, coast);
  int blue = 0;
  for (int y = 0; y < kMap.height(); ++y) {
    for (int x = 0; x < kMap.width(); ++x) {
      if (map.pixel(x, y) == 0xFF0000FF) ++blue;
    }
  }
  EXPECT_GT(blue, 1000);
  // The map keeps the coastline as its pixels, found in a one-bit picture: it must paint exactly
  // the pixels of the polylines drawn with a blue pen of one pixel, also at sizes whose rows end
  // inside a byte.
  for (const QSize size : {kMap, QSize(901, 447), QSize(37, 19)}) {
    QImage expected(size, QImage::Format_RGB32);
    expected.fill(Qt::white);
    {
      QPainter p(&expected);
      p.setPen(QPen(Qt::blue, 0));
      for (const auto& line : CoastlinePolylines(coast, size.width(), size.height())) {
        QPolygon poly;
        for (const MapPixel& q : line) poly << QPoint(q.X, q.Y);
        p.drawPolyline(poly);
      }
    }
    const testing::PixelDifference d = testing::DifferingPixels(DrawDayNightBaseMap(size, false, coast), expected);
    EXPECT_EQ(d.Count, 0) << size.width() << " x " << size.height() << ", first at " << d.First.x() << ", " << d.First.y();
  }
  // No segment runs across the map: the line at 0 deg latitude in mid-Pacific stays white.
  for (int lon = -175; lon <= -100; ++lon) EXPECT_EQ(map.pixel(At(-5, lon)), kWhite) << "input lon " << lon;
}

TEST(ComposeDayNightMap, AndsTheWorkBitmapIntoTheMap) {
  QImage map(10, 10, QImage::Format_RGB32);
  map.fill(QColor(0x80, 0x40, 0xFF));
  QImage work(111, 111, QImage::Format_RGB32);
  work.fill(Qt::white);
  work.setPixel(52, 53, kNight);
  work.setPixel(55, 55, 0xFF000000);
  const QImage out = ComposeDayNightMap(map, work);
  EXPECT_EQ(out.pixel(0, 0), 0xFF8040FFu);
  EXPECT_EQ(out.pixel(2, 3), 0xFF8040F0u);
  EXPECT_EQ(out.pixel(5, 5), 0xFF000000u);
}

TEST(PaintNightSide, MatchesTheWorkBitmapAndedOverTheMapPixelForPixel) {
  const QImage map = DrawDayNightBaseMap(kMap, true, LoadCoastline());
  // A symbol with opaque, half-transparent and clear pixels, as a GIF with transparency gives.
  QImage symbol(11, 11, QImage::Format_ARGB32);
  symbol.fill(Qt::transparent);
  for (int y = 0; y < 11; ++y) {
    for (int x = 0; x < 11; ++x) {
      const int r2 = (x - 5) * (x - 5) + (y - 5) * (y - 5);
      if (r2 <= 9) symbol.setPixel(x, y, 0xFFFFD000);
      else if (r2 <= 25) symbol.setPixel(x, y, 0x80FF8000);
    }
  }
  // Solstices, equinoxes and a sun at the map's edge (subsolar point near 180 degrees).
  const struct {
    int Day, Month, Hour, Minute;
  } moments[] = {{21, 6, 13, 0}, {21, 12, 3, 30}, {20, 3, 12, 0}, {23, 9, 0, 2}, {5, 1, 23, 59}};
  for (const auto& m : moments) {
    const std::optional<DayNightSun> sun = DayNightSunModel(m.Day, m.Month, 2025, m.Hour, m.Minute, false);
    ASSERT_TRUE(sun.has_value());
    const NightPolygon night = BuildNightPolygon(*sun, kMap.width(), kMap.height());
    for (const QImage* sunSymbol : std::initializer_list<const QImage*>{nullptr, &symbol}) {
      const QImage expected = ComposeDayNightMap(map, DrawNightWorkBitmap(kMap, night, sunSymbol));
      // Painted as on the window, where the dialog's layout margin lies around the map: the
      // painter's device reaches beyond the map, so Qt clips no outline at the map's edge.
      constexpr int kMargin = 9;
      QImage window(kMap + QSize(2 * kMargin, 2 * kMargin), QImage::Format_RGB32);
      window.fill(Qt::gray);
      QPainter painter(&window);
      painter.translate(kMargin, kMargin);
      painter.setClipRect(QRect(QPoint(0, 0), kMap));
      PaintDayNightMap(painter, map, nullptr);
      PaintNightSide(painter, kMap, night, sunSymbol);
      painter.end();
      const QImage got = window.copy(QRect(QPoint(kMargin, kMargin), kMap));
      const auto [differing, first] = testing::DifferingPixels(got, expected);
      EXPECT_EQ(differing, 0) << "input " << m.Day << "." << m.Month << ". " << m.Hour << ":" << m.Minute
                              << (sunSymbol ? " with" : " without") << " the sun symbol; first at " << first.x()
                              << "," << first.y() << " got " << std::hex << got.pixel(first) << " expected "
                              << expected.pixel(first);
    }
  }
}

TEST(Tftag, NonNumericFieldsCountAsZero) {
  Tftag w(900, 600, &Clock2025);
  SetMoment(w, "x", "3", "", "zz");
  const auto sun = w.CurrentSun();
  ASSERT_TRUE(sun.has_value());
  EXPECT_EQ(sun->DayOfYear, 59);
  EXPECT_EQ(sun->Minute, 0);
  // A month field of 0 counts the day from the year's start, and the night side is drawn: at noon
  // on the 1st (15° E) the equator at 179° W lies in the night, darkened from white to F0F0F0.
  SetMoment(w, "1", "abc", "12", "0");
  ASSERT_TRUE(w.CurrentSun().has_value());
  EXPECT_EQ(w.CurrentSun()->DayOfYear, 1);
  w.CB2->setChecked(false);
  w.Cb13->setChecked(false);
  w.Cb13Click();
  EXPECT_EQ(w.RenderMap(kMap).pixel(At(0, -179)), 0xFFF0F0F0u);
}

TEST(Tftag, SimulationTogglesTheTimerAndStopsFollowingTheClock) {
  Tftag w(900, 600, &Clock2025);
  w.CB8->setChecked(true);
  EXPECT_TRUE(w.Timer2->isActive());
  w.d15Click();
  EXPECT_TRUE(w.Timer1->isActive());
  EXPECT_FALSE(w.CB8->isChecked());
  EXPECT_FALSE(w.Timer2->isActive());
  EXPECT_EQ(w.d15->text(), QStringLiteral("Stopp"));
  w.d15Click();
  EXPECT_FALSE(w.Timer1->isActive());
  EXPECT_EQ(w.d15->text(), QStringLiteral("Simulation"));
}

TEST(Tftag, ATickStepsTheFieldsInTheCurrentYear) {
  Tftag w(900, 600, &Clock2023);  // 2023: not a leap year
  w.Timer1Timer();                 // 28.2. 23:58 + 2 min
  EXPECT_EQ(w.E15->text(), QStringLiteral("1"));
  EXPECT_EQ(w.E16->text(), QStringLiteral("3"));
  EXPECT_EQ(w.Edit3->text(), QStringLiteral("0"));
  EXPECT_EQ(w.Edit4->text(), QStringLiteral("0"));
  w.RB2->setChecked(true);
  SetMoment(w, "28", "2", "12", "0");
  w.Timer1Timer();
  EXPECT_EQ(w.E15->text(), QStringLiteral("1"));
  EXPECT_EQ(w.E16->text(), QStringLiteral("3"));
  EXPECT_EQ(w.Edit3->text(), QStringLiteral("12"));
}

TEST(Tftag, CurrentTimeButtonResetsTheFields) {
  Tftag w(900, 600, &Clock2025);
  SetMoment(w, "1", "1", "1", "1");
  w.D21Click();
  EXPECT_EQ(w.E15->text(), QStringLiteral("21"));
  EXPECT_EQ(w.Edit3->text(), QStringLiteral("13"));
}

TEST(Tftag, ClosingReleasesTheMapAndStopsTheTimers) {
  Tftag w(900, 600, &Clock2025);
  w.show();
  (void)w.RenderMap(kMap);
  EXPECT_TRUE(w.HasCachedCoastline());
  w.d15Click();
  w.close();
  EXPECT_FALSE(w.HasCachedCoastline());
  EXPECT_FALSE(w.Timer1->isActive());
}

}  // namespace
}  // namespace zenitra
