// The moon phase calendar's window: the drawn sheet and the window's date handling.
#include "calendars/moon_calendar.h"
#include "calendar_windows/moon_calendar_window.h"
#include "app/tfhimmel.h"
#include "ui/body_pictures.h"
#include "ui/gif_picture.h"
#include "support/qstring_printer.h"
#include "support/small_catalogue.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QTest>
#include <QTemporaryDir>
#include <QTimer>

#include "core/moon_position.h"
#include "core/time_scales.h"

namespace zenitra {
namespace {

// ---- drawing ----

class MoonCalendarSheet : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { strip_ = new QImage(LoadMoonPhaseStrip()); }
  static void TearDownTestSuite() { delete strip_; }
  static QImage* strip_;
};
QImage* MoonCalendarSheet::strip_ = nullptr;

int CountColour(const QImage& image, const PixelRect& r, QRgb colour) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) n += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
  }
  return n;
}

TEST_F(MoonCalendarSheet, StripHasTheStatedSizeAndTheGifsColours) {
  ASSERT_FALSE(strip_->isNull());
  EXPECT_EQ(strip_->size(), QSize(MoonPhaseStripWidth, MoonPhaseStripHeight));
  // Kept with a palette: every pixel must still have the colour the GIF gives it.
  EXPECT_EQ(strip_->convertToFormat(QImage::Format_RGB32), DecodeGif(MoonPhaseStripGif()));
}

TEST_F(MoonCalendarSheet, BandsAndGridAtDesignSize) {
  const QImage s = DrawMoonCalendarSheet(*strip_, QDate(2024, 10, 15), QSize(784, 578));
  EXPECT_EQ(s.pixel(700, 40) & 0xFFFFFF, 0xFFFFA0U);  // title band, right of the text
  EXPECT_EQ(s.pixel(49, 40) & 0xFFFFFF, 0x000000U);   // its black outline
  EXPECT_EQ(s.pixel(20, 40) & 0xFFFFFF, 0xFFFFFFU);   // margin
  EXPECT_EQ(s.pixel(49, 98) & 0xFFFFFF, 0x808080U);   // grid corners
  EXPECT_EQ(s.pixel(735, 554) & 0xFFFFFF, 0x808080U);
  EXPECT_EQ(s.pixel(736, 300) & 0xFFFFFF, 0xFFFFFFU);
  EXPECT_EQ(s.pixel(400, 555) & 0xFFFFFF, 0xFFFFFFU);
  EXPECT_EQ(s.pixel(60, 110) & 0xFFFFFF, 0x000000U);  // empty cell (Sunday, row 0) is black
  // Title text (black) drawn on the yellow band; weekday names on the white band.
  EXPECT_GT(CountColour(s, PixelRect{55, 25, 300, 59}, 0x000000), 50);
  EXPECT_GT(CountColour(s, PixelRect{80, 62, 120, 96}, 0x000000), 20);  // "So" around x = 98
}

TEST_F(MoonCalendarSheet, EveryDayShowsItsPhasePictureFromTheStrip) {
  const QDate date(2024, 1, 20);
  const QImage s = DrawMoonCalendarSheet(*strip_, date, QSize(784, 578));
  const MoonCalendarLayout l = MakeMoonCalendarLayout(784, 578);
  const std::vector<int> pictures = MonthPhasePictures(2024, 1);
  const int first = FirstDayCell(2024, 1, 20);
  for (int k = 1; k <= 31; ++k) {
    const PixelRect to = l.PhasePictureRect(DayGridCell(first, k));
    const PixelRect from = StripPictureRect(pictures[static_cast<std::size_t>(k - 1)]);
    const QImage drawn = s.copy(to.left, to.top, 52, 52).convertToFormat(QImage::Format_RGB32);
    const QImage expected = strip_->copy(from.left, from.top, 52, 52).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(drawn, expected) << "input day " << k << " picture " << pictures[static_cast<std::size_t>(k - 1)];
  }
  // The full moon day (25th, picture 13) is much brighter than the new moon day (11th).
  auto brightness = [&](int day) {
    const PixelRect r = l.PhasePictureRect(DayGridCell(first, day));
    long sum = 0;
    for (int y = r.top; y < r.bottom; ++y) {
      for (int x = r.left; x < r.right; ++x) sum += qGray(s.pixel(x, y));
    }
    return sum;
  };
  EXPECT_GT(brightness(25), 3 * brightness(11) + 1000);
}

TEST_F(MoonCalendarSheet, LeapFebruaryShowsTwentyNineDays) {
  const MoonCalendarLayout l = MakeMoonCalendarLayout(784, 578);
  // Day 29 of February 2024 (month begins Thursday) sits in row 4, column 4; in 2023 that cell
  // stays empty. Day numbers are light grey on the black cell.
  const GridCell cell = DayGridCell(FirstDayCell(2024, 2, 1), 29);
  ASSERT_EQ(cell, (GridCell{4, 4}));
  const auto o = l.DayNumberOrigin(cell);
  const PixelRect numberArea{o[0], o[1], o[0] + 45, o[1] + 28};
  const QImage leap = DrawMoonCalendarSheet(*strip_, QDate(2024, 2, 10), QSize(784, 578));
  const QImage common = DrawMoonCalendarSheet(*strip_, QDate(2023, 2, 10), QSize(784, 578));
  EXPECT_GT(CountColour(leap, numberArea, 0xF0F0F0), 20);
  const GridCell cell2023 = DayGridCell(FirstDayCell(2023, 2, 1), 29);
  const auto o2 = l.DayNumberOrigin(cell2023);
  EXPECT_EQ(CountColour(common, PixelRect{o2[0], o2[1], o2[0] + 45, o2[1] + 28}, 0xF0F0F0), 0);
}

TEST_F(MoonCalendarSheet, SundayNumbersAreRed) {
  const MoonCalendarLayout l = MakeMoonCalendarLayout(784, 578);
  // 2024-09-01 is a Sunday: row 1, column 0.
  const auto o = l.DayNumberOrigin(GridCell{1, 0});
  const QImage s = DrawMoonCalendarSheet(*strip_, QDate(2024, 9, 1), QSize(784, 578));
  const PixelRect area{o[0], o[1], o[0] + 30, o[1] + 28};
  EXPECT_GT(CountColour(s, area, 0xFF0000), 10);
  EXPECT_EQ(CountColour(s, area, 0xF0F0F0), 0);
}

// ---- the window ----

TEST(Tfmoon, DesignSizeCaptionAndControls) {
  Tfmoon w;
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Mondphasenkalender"));
  EXPECT_EQ(w.size(), QSize(784, 605));
  EXPECT_EQ(w.PaintBox()->size(), QSize(784, 578));
  EXPECT_EQ(w.PaintBox()->pos(), QPoint(0, 27));
}

TEST(Tfmoon, ActivationLoadsTheStripAndResetsTheDateToToday) {
  const QDate today(2031, 7, 14);
  Tfmoon w(nullptr, [today] { return today; });
  w.DateEdit()->setDate(QDate(2001, 5, 5));
  QEvent activate(QEvent::WindowActivate);
  QApplication::sendEvent(&w, &activate);
  EXPECT_FALSE(w.PhaseStrip().isNull());
  EXPECT_EQ(w.DateEdit()->date(), today);
  w.DateEdit()->setDate(QDate(2024, 1, 20));
  QApplication::sendEvent(&w, &activate);  // each activation, not only the first
  EXPECT_EQ(w.DateEdit()->date(), today);
}

// The date field takes every supported year (not Qt's default minimum of 14 September 1752), shows
// four digits, and takes typed digits without a section being selected first; a three-digit year
// is taken as written.
TEST(Tfmoon, DateFieldTakesTypedDatesOfEveryYear) {
  Tfmoon w;
  w.show();
  QDateEdit* field = w.DateEdit();
  EXPECT_EQ(field->minimumDate(), QDate(1, 1, 1));
  EXPECT_EQ(field->maximumDate(), QDate(9999, 12, 31));
  const struct {
    const char* keys;
    QDate expected;
  } rows[] = {{"15101582", QDate(1582, 10, 15)}, {"15.10.1582", QDate(1582, 10, 15)},
              {"04.10.1582", QDate(1582, 10, 4)}, {"5.3.300", QDate(300, 3, 5)}, {"01.01.9999", QDate(9999, 1, 1)}};
  for (const auto& row : rows) {
    field->setDate(QDate(2026, 12, 8));
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Home);  // the cursor at the day, nothing selected
    QTest::keyClicks(field, QString::fromLatin1(row.keys));
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(field->date(), row.expected) << "typed " << row.keys << ", got "
                                           << field->date().toString(Qt::ISODate).toStdString();
  }
  field->setDate(QDate(300, 3, 5));
  EXPECT_EQ(field->text(), QStringLiteral("05.03.0300"));
  // Its calendar is made when it first drops down (a click on the arrow), with its title.
  EXPECT_EQ(field->findChild<QCalendarWidget*>(), nullptr);
  QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(field->width() - 6, field->height() / 2));
  const QCalendarWidget* calendar = field->findChild<QCalendarWidget*>();
  ASSERT_NE(calendar, nullptr);
  EXPECT_TRUE(calendar->isVisible());
  EXPECT_EQ(calendar->windowTitle(), QStringLiteral("Datumseingabe"));
}

TEST(Tfmoon, PaintBoxShowsTheSheetOfTheChosenDate) {
  Tfmoon w;
  w.FormActivate();
  w.DateEdit()->setDate(QDate(2024, 1, 20));
  const QImage shown = w.PaintBox()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QImage expected =
      DrawMoonCalendarSheet(LoadMoonPhaseStrip(), QDate(2024, 1, 20), QSize(784, 578)).convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(shown.size(), expected.size());
  EXPECT_EQ(shown, expected);
}

TEST(Tfmoon, MainWindowMenuOpensTheCalendarModally) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  Tfhimmel main(zenitra::testing::SmallCatalogue(), dir.path());
  main.show();
  QAction* entry = main.MenuAction(QStringLiteral("Mondphasenkalender"));
  ASSERT_NE(entry, nullptr);
  ASSERT_TRUE(entry->isEnabled());
  QString caption;
  int runs = 0;
  main.RunModal = [&](QDialog& w) {
    ++runs;
    caption = w.windowTitle();
    return int{QDialog::Rejected};
  };
  entry->trigger();  // returns when the calendar is closed
  EXPECT_EQ(runs, 1) << "the calendar runs as a modal window";
  EXPECT_EQ(caption, QStringLiteral("Mondphasenkalender"));
  EXPECT_EQ(main.findChildren<Tfmoon*>().size(), 0) << "the window is released when closed";
}

}  // namespace
}  // namespace zenitra
