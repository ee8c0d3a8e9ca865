// The moon phase calendar's computations: grid placement of the days, the phase picture of each
// day and the sheet geometry.
#include "calendars/moon_calendar.h"

#include <gtest/gtest.h>

#include <cmath>

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

TEST(MoonCalendarGrid, DayOfWeekAgreesWithTheJulianDayCountForFourHundredYears) {
  // The Gregorian calendar repeats after 400 years; walk one cycle month by month. Reference: the
  // weekday of the Julian Day, (JD + 1.5) mod 7 with 0 = Sunday (Meeus, Astronomical Algorithms,
  // ch. 7), counted by the core's date functions, not by the calendar's own rule.
  for (int y = 1801; y <= 2200; ++y) {
    for (int m = 1; m <= 12; ++m) {
      const auto jd = static_cast<long long>(std::floor(JulianDayOfGregorianDate(y, m, 13) + 1.5));
      const int expected = static_cast<int>(jd % 7) + 1;  // 1 Sunday .. 7 Saturday
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

}  // namespace
}  // namespace zenitra
