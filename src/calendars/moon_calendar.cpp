#include "calendars/moon_calendar.h"

#include <cmath>
#include <cstdint>

#include "core/moon_position.h"
#include "core/time_scales.h"

namespace zenitra {

int MonthLength(bool leap, int month) {
  switch (month) {
    case 2:
      return leap ? 29 : 28;
    case 4:
    case 6:
    case 9:
    case 11:
      return 30;
    default:
      return (month >= 1 && month <= 12) ? 31 : 0;
  }
}

std::string MonthName(int month) {
  static const char* const names[] = {"Januar", "Februar", "M\u00e4rz",     "April",   "Mai",      "Juni",
                                      "Juli",   "August",  "September", "Oktober", "November", "Dezember"};
  if (month < 1 || month > 12) return {};
  return names[month - 1];
}

std::string WeekdayName(int column) {
  static const char* const names[] = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
  if (column < 0 || column > 6) return {};
  return names[column];
}

int DayOfWeek(int year, int month, int day) {
  // DateTimeValue 0 is Saturday 1899-12-30; the count is whole days for a date.
  const auto t = static_cast<std::int64_t>(EncodeDate(year, month, day).Days);
  const std::int64_t r = ((t % 7) + 7) % 7;  // 0 Saturday, 1 Sunday, ...
  return static_cast<int>((r + 6) % 7) + 1;
}

int FirstDayCell(int year, int month, int day) {
  // Day 1 falls on the column DayOfWeek(date) - day (mod 7); the first two columns of the
  // first row stay empty.
  int o = ((DayOfWeek(year, month, day) - day % 7) % 7 + 7) % 7;
  if (o <= 1) o += 7;
  return o;
}

GridCell DayGridCell(int firstCell, int day) {
  const int c = firstCell + day - 1;
  return GridCell{c / 7, c % 7};
}

int MoonPhasePictureIndex(double ageDays) {
  if (!std::isfinite(ageDays)) return 0;
  // 28 / 29.530589: pictures per day of the mean synodic month.
  double x = std::trunc(ageDays * 0.9481693710883993);
  x = std::fmod(x, static_cast<double>(MoonPhasePictureCount));  // also keeps huge ages castable
  auto i = static_cast<int>(x);
  if (i < 0) i += MoonPhasePictureCount;
  if (i >= MoonPhasePictureCount) i -= MoonPhasePictureCount;
  return i;
}

std::vector<int> PhasePicturesOfAges(const std::vector<double>& agesDays) {
  std::vector<int> pictures;
  pictures.reserve(agesDays.size());
  int previous = -1;
  for (double age : agesDays) {
    int i = MoonPhasePictureIndex(age);
    if (i == 0 && previous == 0) i = 1;  // never two new-moon pictures on consecutive days
    pictures.push_back(i);
    previous = i;
  }
  return pictures;
}

std::vector<int> MonthPhasePictures(int year, int month) {
  const int days = MonthLength(IsLeapYear(year), month);
  std::vector<double> ages;
  ages.reserve(static_cast<std::size_t>(days));
  for (int k = 1; k <= days; ++k) ages.push_back(MoonAge(EncodeDate(year, month, k) + 0.5));
  return PhasePicturesOfAges(ages);
}

PixelRect StripPictureRect(int index) {
  const int left = 18 + 86 * (index % 7);
  const int top = 14 + 79 * (index / 7);
  return PixelRect{left, top, left + MoonPhasePictureSize, top + MoonPhasePictureSize};
}

MoonCalendarLayout MakeMoonCalendarLayout(int width, int height) {
  MoonCalendarLayout l;
  l.columnWidth = width / 8;
  l.margin = l.columnWidth / 2;
  l.rowHeight = (height - 40) / 7;
  return l;
}

PixelRect MoonCalendarLayout::TitleBand(int width) const { return PixelRect{margin, 24, width - margin, 60}; }

PixelRect MoonCalendarLayout::WeekdayBand(int width) const { return PixelRect{margin, 61, width - margin, 97}; }

PixelRect MoonCalendarLayout::Cell(int column, int row) const {
  return PixelRect{margin + column * columnWidth, 98 + row * rowHeight, margin + (column + 1) * columnWidth + 1,
                   98 + (row + 1) * rowHeight + 1};
}

std::array<int, 2> MoonCalendarLayout::TitleOrigin() const { return {margin + 10, 27}; }

std::array<int, 2> MoonCalendarLayout::WeekdayCentre(int column) const { return {(column + 1) * columnWidth, 64}; }

std::array<int, 2> MoonCalendarLayout::DayNumberOrigin(GridCell cell) const {
  return {margin + columnWidth * cell.column + 3, 98 + rowHeight * cell.row + 3};
}

PixelRect MoonCalendarLayout::PhasePictureRect(GridCell cell) const {
  const int left = margin + columnWidth * (cell.column + 1) - 60;
  const int top = rowHeight * cell.row + 118;
  return PixelRect{left, top, left + MoonPhasePictureSize, top + MoonPhasePictureSize};
}

}  // namespace zenitra
