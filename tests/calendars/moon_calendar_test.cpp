// The moon phase calendar: grid placement of the days, the phase picture of each day, the sheet
// geometry, the drawn sheet and the window's date handling.
#include "calendars/moon_calendar.h"
#include "calendars/moon_calendar_window.h"
#include "sky/tfhimmel.h"
#include "support/qstring_printer.h"
#include "support/small_catalogue.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDateEdit>
#include <QTest>
#include <QTemporaryDir>
#include <QTimer>

#include "core/moon_position.h"
#include "core/time_scales.h"

namespace zenitra {
namespace {

// ---- pure computations ----

TEST(MoonCalendarMonths, LengthsFollowTheGregorianLeapRule) {
  EXPECT_EQ(MonthLength(IsLeapYear(2024), 2), 29);
  EXPECT_EQ(MonthLength(IsLeapYear(2023), 2), 28);
  EXPECT_EQ(MonthLength(IsLeapYear(1900), 2), 28);
  EXPECT_EQ(MonthLength(IsLeapYear(2000), 2), 29);
  int total = 0;
  for (int m = 1; m <= 12; ++m) total += MonthLength(false, m);
  EXPECT_EQ(total, 365);
  EXPECT_EQ(MonthLength(false, 4), 30);
  EXPECT_EQ(MonthLength(false, 0), 0);
  EXPECT_EQ(MonthLength(true, 13), 0);
}

TEST(MoonCalendarMonths, NamesAreGerman) {
  EXPECT_EQ(MonthName(3), "M\u00e4rz");
  EXPECT_EQ(MonthName(12), "Dezember");
  EXPECT_EQ(MonthName(0), "");
  EXPECT_EQ(WeekdayName(0), "So");
  EXPECT_EQ(WeekdayName(6), "Sa");
  EXPECT_EQ(WeekdayName(7), "");
}

TEST(MoonCalendarGrid, DayOfWeekAgreesWithQtForFourHundredYears) {
  // The Gregorian calendar repeats after 400 years; walk one cycle month by month.
  for (int y = 1801; y <= 2200; ++y) {
    for (int m = 1; m <= 12; ++m) {
      const int expected = QDate(y, m, 13).dayOfWeek() % 7 + 1;  // Qt: 1 Monday .. 7 Sunday
      ASSERT_EQ(DayOfWeek(y, m, 13), expected) << "input " << y << "-" << m << "-13";
    }
  }
}

TEST(MoonCalendarGrid, MonthBeginningOnTuesdayStartsInFirstRowColumnTwo) {
  // 2024-10-01 was a Tuesday; any day of the month gives the same placement.
  for (int d = 1; d <= 31; ++d) {
    EXPECT_EQ(DayGridCell(FirstDayCell(2024, 10, d), 1), (GridCell{0, 2})) << "input day " << d;
  }
}

TEST(MoonCalendarGrid, MonthBeginningOnMondayOrSundayStartsInSecondRow) {
  EXPECT_EQ(DayGridCell(FirstDayCell(2024, 7, 15), 1), (GridCell{1, 1}));  // 2024-07-01 Monday
  EXPECT_EQ(DayGridCell(FirstDayCell(2024, 9, 30), 1), (GridCell{1, 0}));  // 2024-09-01 Sunday
}

TEST(MoonCalendarGrid, EveryDayOfEveryMonthFitsTheSixRowsInWeekdayOrder) {
  for (int y = 1990; y <= 2040; ++y) {
    for (int m = 1; m <= 12; ++m) {
      const int first = FirstDayCell(y, m, 1);
      for (int k = 1; k <= MonthLength(IsLeapYear(y), m); ++k) {
        const GridCell c = DayGridCell(first, k);
        ASSERT_LE(c.row, 5) << "input " << y << "-" << m << "-" << k;
        ASSERT_EQ(c.column + 1, DayOfWeek(y, m, k)) << "input " << y << "-" << m << "-" << k;
      }
    }
  }
}

TEST(MoonCalendarPhases, IndexGrowsWithAgeAndWraps) {
  EXPECT_EQ(MoonPhasePictureIndex(0.0), 0);
  EXPECT_EQ(MoonPhasePictureIndex(1.05), 0);   // 1.05 * 0.948 = 0.996
  EXPECT_EQ(MoonPhasePictureIndex(1.06), 1);   // 1.005
  EXPECT_EQ(MoonPhasePictureIndex(14.8), 14);  // just past half the synodic month
  EXPECT_EQ(MoonPhasePictureIndex(29.53), 27);
  EXPECT_EQ(MoonPhasePictureIndex(29.6), 0);   // 28.06 wraps
  EXPECT_EQ(MoonPhasePictureIndex(-0.5), 0);   // Trunc towards zero
  EXPECT_EQ(MoonPhasePictureIndex(-1.5), 27);  // -1 wraps to 27
  EXPECT_EQ(MoonPhasePictureIndex(std::nan("")), 0);
  EXPECT_EQ(MoonPhasePictureIndex(1e300), 0);
  int previous = 0;
  for (int s = 0; s < 2953; ++s) {
    const int i = MoonPhasePictureIndex(s * 0.01);
    ASSERT_GE(i, previous) << "input age " << s * 0.01;
    ASSERT_LE(i, 27) << "input age " << s * 0.01;
    previous = i;
  }
}

TEST(MoonCalendarPhases, SecondConsecutiveNewMoonDayShowsPictureOne) {
  EXPECT_EQ(PhasePicturesOfAges({28.9, 0.2, 1.0, 2.0}), (std::vector<int>{27, 0, 1, 1}));
  // The rule looks at the picture shown, so a third index-0 day would show 0 again.
  EXPECT_EQ(PhasePicturesOfAges({0.1, 0.5, 0.9}), (std::vector<int>{0, 1, 0}));
}

TEST(MoonCalendarPhases, JanuaryTwentyTwentyFourNewAndFullMoon) {
  // USNO phases of the Moon: new moon 2024-01-11 11:57 UT, full moon 2024-01-25 17:54 UT.
  const std::vector<int> pictures = MonthPhasePictures(2024, 1);
  ASSERT_EQ(pictures.size(), 31U);
  // Noon of the 11th is 3 minutes after the new moon: picture 0; noon of the 12th is 1.13 days
  // later: picture 1.
  EXPECT_EQ(pictures[10], 0) << "age " << MoonAge(EncodeDate(2024, 1, 11) + 0.5);
  EXPECT_EQ(pictures[11], 1) << "age " << MoonAge(EncodeDate(2024, 1, 12) + 0.5);
  // The day before, the elongation still lacks 1.6 degrees of 360 (age 28.42 days, computed from
  // the true longitudes, so not simply 29.53 - 1): picture 26, as 27 needs an age of 28.48 days.
  EXPECT_EQ(pictures[9], 26) << "age " << MoonAge(EncodeDate(2024, 1, 10) + 0.5);
  // Full moon day: the age at noon is 14.77 - 0.25 days, picture 13 (of 13 and 14, the full ones).
  EXPECT_EQ(pictures[24], 13) << "age " << MoonAge(EncodeDate(2024, 1, 25) + 0.5);
  EXPECT_EQ(pictures[25], 14) << "age " << MoonAge(EncodeDate(2024, 1, 26) + 0.5);
}

TEST(MoonCalendarPhases, SlowMoonGivesTwoNewMoonNoonsAndTheSecondShowsPictureOne) {
  // New moon 2004-07-17 11:24 UT (USNO); near apogee the elongation grows slowly, and noon of
  // the 18th is still less than 1.0547 days (one picture) after it.
  const double age18 = MoonAge(EncodeDate(2004, 7, 18) + 0.5);
  ASSERT_EQ(MoonPhasePictureIndex(MoonAge(EncodeDate(2004, 7, 17) + 0.5)), 0);
  ASSERT_EQ(MoonPhasePictureIndex(age18), 0) << "age " << age18;
  const std::vector<int> pictures = MonthPhasePictures(2004, 7);
  EXPECT_EQ(pictures[16], 0);
  EXPECT_EQ(pictures[17], 1) << "age " << age18;
}

TEST(MoonCalendarLayout, DesignSizeGeometry) {
  const MoonCalendarLayout l = MakeMoonCalendarLayout(784, 578);
  EXPECT_EQ(l.columnWidth, 98);
  EXPECT_EQ(l.margin, 49);
  EXPECT_EQ(l.rowHeight, 76);
  EXPECT_EQ(l.Cell(0, 0).left, 49);
  EXPECT_EQ(l.Cell(0, 0).top, 98);
  EXPECT_EQ(l.Cell(6, 5).right - 1, 735);  // last outline pixel
  EXPECT_EQ(l.Cell(6, 5).bottom - 1, 554);
  EXPECT_EQ(l.TitleBand(784), (PixelRect{49, 24, 735, 60}));
  EXPECT_EQ(l.WeekdayBand(784), (PixelRect{49, 61, 735, 97}));
  EXPECT_EQ(l.PhasePictureRect(GridCell{0, 0}), (PixelRect{87, 118, 139, 170}));
  EXPECT_EQ(StripPictureRect(0), (PixelRect{18, 14, 70, 66}));
  EXPECT_EQ(StripPictureRect(27), (PixelRect{534, 251, 586, 303}));
}

TEST(MoonCalendarLayout, PhasePictureStaysInsideItsCell) {
  const MoonCalendarLayout l = MakeMoonCalendarLayout(784, 578);
  for (int row = 0; row < 6; ++row) {
    for (int column = 0; column < 7; ++column) {
      const PixelRect cell = l.Cell(column, row);
      const PixelRect pic = l.PhasePictureRect(GridCell{row, column});
      // The picture is placed against the paint box, the cell 20 pixels lower in the sheet.
      EXPECT_GT(pic.left, cell.left) << "input cell " << row << "," << column;
      EXPECT_LT(pic.right, cell.right) << "input cell " << row << "," << column;
      EXPECT_GT(pic.top, cell.top) << "input cell " << row << "," << column;
      EXPECT_LT(pic.bottom, cell.bottom) << "input cell " << row << "," << column;
    }
  }
}

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

TEST_F(MoonCalendarSheet, StripHasTheStatedSize) {
  ASSERT_FALSE(strip_->isNull());
  EXPECT_EQ(strip_->size(), QSize(MoonPhaseStripWidth, MoonPhaseStripHeight));
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
  Tfmoon w;
  w.DateEdit()->setDate(QDate(2001, 5, 5));
  QEvent activate(QEvent::WindowActivate);
  QApplication::sendEvent(&w, &activate);
  EXPECT_FALSE(w.PhaseStrip().isNull());
  EXPECT_EQ(w.DateEdit()->date(), QDate::currentDate());
  w.DateEdit()->setDate(QDate(2024, 1, 20));
  QApplication::sendEvent(&w, &activate);  // each activation, not only the first
  EXPECT_EQ(w.DateEdit()->date(), QDate::currentDate());
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
  bool modal = false;
  QTimer::singleShot(0, [&] {
    if (QWidget* w = QApplication::activeModalWidget()) {
      caption = w->windowTitle();
      modal = w->isModal();
      w->close();
    }
  });
  entry->trigger();  // returns when the calendar is closed
  EXPECT_EQ(caption, QStringLiteral("Mondphasenkalender"));
  EXPECT_TRUE(modal);
  EXPECT_EQ(main.findChildren<Tfmoon*>().size(), 0) << "the window is released when closed";
}

}  // namespace
}  // namespace zenitra
