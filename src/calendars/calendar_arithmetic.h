#pragma once
// Calendar arithmetic, Delta T and series helpers of the year calendar and its phenomena.
//
// Years here are HISTORICAL, as typed by the user: there is NO year 0 and -n means n BC.
// (The core's calendar in core/time_scales.h counts astronomically, with a year 0.) To keep the two
// apart, everything here lives in namespace zenitra::yearcal.
//
// Sources: J. Meeus, Astronomical Algorithms, 2nd ed., ch. 7 (Julian Day), ch. 10 (Delta T
// table 1620-1990 and the polynomials of Morrison & Stephenson and of Meeus & Simons).
#include <array>
#include <optional>
#include <span>
#include <string>

#include "core/time_scales.h"

namespace zenitra::yearcal {

/// Julian Day (UT, or Terrestrial Time where it is called JDE): the core's type.
using zenitra::JulianDay;

/// Julian centuries of 36525 days since JD 2451545.0.
[[nodiscard]] double CenturiesSinceJ2000(JulianDay jd);
/// x reduced to [0, 2 pi).
[[nodiscard]] double NormalizeRadians(double x);
/// Largest integral value <= x.
[[nodiscard]] double FloorValue(double x);
/// s[j] = sin(j x), c[j] = cos(j x) for j = 1..n by the addition theorems; s[0] and c[0] are left
/// untouched. Both spans must hold at least n + 1 elements.
void SinCosMultiples(int n, double xRad, std::span<double> s, std::span<double> c);
/// c0 + x (c1 + x c2).
[[nodiscard]] double Quadratic(const std::array<double, 3>& row, double x);
/// c0 + c1 x + c2 x^2 + c3 x^3 + c4 x^4.
[[nodiscard]] double Quartic(const std::array<double, 5>& row, double x);

/// Julian Day (UT) of a civil date and time given in a zone (hours east); -1 for an invalid date:
/// year 0, a year before -4713, 1582-10-05 .. 14, a day that does not exist in its month.
[[nodiscard]] JulianDay CalendarToJulianDay(int year, int month, int day, int hour, int minute, int second,
                                            double zoneHours);

/// A civil date and time, historical year (no year 0).
struct CalendarTime {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
  friend bool operator==(const CalendarTime&, const CalendarTime&) = default;
};
/// Civil date and time in a zone of a Julian Day; nothing for jd < 0 or jd >= 13689326 (or NaN).
/// The time is rounded to the second; a time that rounds up to 24:00:00 is 0:00:00 of the next day.
[[nodiscard]] std::optional<CalendarTime> JulianDayToCalendarTime(JulianDay jd, double zoneHours);

/// A date with the fraction of the day in `day`. The year is Meeus' astronomical count (this
/// conversion has no BC shift); callers use it for the years of their own calendar page.
struct DateWithFraction {
  int year = 0;
  int month = 0;
  double day = 0.0;
};
/// Meeus' conversion of a Julian Day to a date with the day fraction; nothing for a non-finite jd
/// or |jd| > 1e11.
[[nodiscard]] std::optional<DateWithFraction> JulianDayToDate(JulianDay jd);
/// Julian Day of January 0.0 (0h of 31 December of the previous year) of an ASTRONOMICAL year.
[[nodiscard]] JulianDay YearStartJulianDay(int year);
/// The astronomical count of a historical year: 1 BC (-1) is year 0, 500 BC (-500) is -499.
[[nodiscard]] constexpr int AstronomicalYear(int historical) { return historical < 0 ? historical + 1 : historical; }
/// The historical count of an astronomical year (no year 0): year 0 is 1 BC (-1).
[[nodiscard]] constexpr int HistoricalYear(int astronomical) { return astronomical <= 0 ? astronomical - 1 : astronomical; }
/// 1 Monday .. 7 Sunday, for jd >= -0.5; 0 for a non-finite or huge jd.
[[nodiscard]] int WeekdayOf(JulianDay jd);
/// "d.m.yy" without leading zeros and with the (historical) year modulo 100: 5 March 2012 gives
/// "5.3.12". A year before 1 AD is written in full, "3.1.-500", as two digits would not tell it.
/// Empty for a non-finite day or one beyond 2^62.
[[nodiscard]] std::string ShortDateText(int year, int month, double day);
/// Delta T = TT - UT in seconds for t Julian centuries since J2000.
[[nodiscard]] double DeltaT(double t);

}  // namespace zenitra::yearcal
