#pragma once
// The moon phase calendar sheet of one month: which of the 28 phase pictures belongs to which
// day, where each day sits in the grid, and the pixel geometry of the sheet. Qt-free, so that
// the drawing window only paints what these functions return.
#include <array>
#include <string>
#include <vector>

namespace zenitra {

/// Number of phase pictures in the strip, from new moon (0) through the waxing and waning phases.
inline constexpr int MoonPhasePictureCount = 28;
/// Side of one phase picture in the strip, pixels.
inline constexpr int MoonPhasePictureSize = 52;
/// Size of the whole phase strip, pixels.
inline constexpr int MoonPhaseStripWidth = 602;
inline constexpr int MoonPhaseStripHeight = 315;

/// An axis-aligned pixel rectangle; right and bottom are exclusive as in a drawing call.
struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

/// Days in a month (1..12) of a year with or without 29 February; 0 for any other month.
[[nodiscard]] int MonthLength(bool leap, int month);
/// German month name, UTF-8, for month 1..12 ("Januar" ... "Dezember"); empty otherwise.
[[nodiscard]] std::string MonthName(int month);
/// German two-letter weekday name for a grid column 0..6, Sunday first ("So" ... "Sa");
/// empty otherwise.
[[nodiscard]] std::string WeekdayName(int column);
/// Day of the week of a proleptic Gregorian date: 1 Sunday ... 7 Saturday.
[[nodiscard]] int DayOfWeek(int year, int month, int day);

/// Grid cell of day 1 of the month of (year, month, day): row * 7 + column, column 0 = Sunday.
/// Months that begin on a Sunday or a Monday start in the second row, so the value is 2..8.
[[nodiscard]] int FirstDayCell(int year, int month, int day);

/// Row (0..5) and column (0..6, 0 = Sunday) of day k of a month whose day 1 is in `firstCell`.
struct GridCell {
  int row = 0;
  int column = 0;
  friend bool operator==(const GridCell&, const GridCell&) = default;
};
[[nodiscard]] GridCell DayGridCell(int firstCell, int day);

/// Index 0..27 of the phase picture for a Moon age in days: Trunc(age * 28 / 29.530589), wrapped
/// into 0..27. A non-finite age gives 0.
[[nodiscard]] int MoonPhasePictureIndex(double ageDays);

/// The phase picture of every day 1..MonthLength of a month, for the Moon's age at noon of each
/// day (the date's DateTimeValue plus 0.5, used directly as the time argument). Of two
/// consecutive days that both give the new moon, the second shows picture 1.
[[nodiscard]] std::vector<int> MonthPhasePictures(int year, int month);
/// The same rule applied to a sequence of daily Moon ages (days).
[[nodiscard]] std::vector<int> PhasePicturesOfAges(const std::vector<double>& agesDays);

/// Where phase picture 0..27 lies in the strip: 4 rows of 7, 52 x 52 pixels each.
[[nodiscard]] PixelRect StripPictureRect(int index);

/// Geometry of the calendar sheet for a drawing surface of width x height pixels.
struct MoonCalendarLayout {
  int columnWidth = 0;  ///< a = width div 8
  int margin = 0;       ///< m = a div 2
  int rowHeight = 0;    ///< r = (height - 40) div 7

  [[nodiscard]] PixelRect TitleBand(int width) const;    ///< light yellow band with month and year
  [[nodiscard]] PixelRect WeekdayBand(int width) const;  ///< white band with the weekday names
  /// Grid cell of column 0..6 and row 0..5, one pixel wider and higher so neighbours share edges.
  [[nodiscard]] PixelRect Cell(int column, int row) const;
  /// Top-left corner of the title text.
  [[nodiscard]] std::array<int, 2> TitleOrigin() const;
  /// x on which the weekday name of a column is centred, and the text's top.
  [[nodiscard]] std::array<int, 2> WeekdayCentre(int column) const;
  /// Top-left corner of the day number in a grid cell.
  [[nodiscard]] std::array<int, 2> DayNumberOrigin(GridCell cell) const;
  /// Destination of the phase picture in a grid cell (lower right part of the cell).
  [[nodiscard]] PixelRect PhasePictureRect(GridCell cell) const;
};
[[nodiscard]] MoonCalendarLayout MakeMoonCalendarLayout(int width, int height);

}  // namespace zenitra
