#pragma once
// Time scales and the civil calendar of the astronomical core.
//
// Years here are ASTRONOMICAL: year 0 exists and -1 is 2 BC. The calendar is Julian before
// 1582-10-15 and Gregorian from then on; 1582-10-05 .. 1582-10-14 do not exist.
// (The year calendar's own arithmetic, which has no year 0, lives in calendars/calendar_arithmetic.h
// in namespace zenitra::yearcal.)
//
// Sources: J. Meeus, Astronomical Algorithms, 2nd ed., ch. 7 (Julian Day), ch. 12 (sidereal time).
#include <compare>
#include <cstdint>
#include <iosfwd>
#include <optional>

#include "core/conversion_error.h"

namespace zenitra {

/// Julian Day: days since -4712-01-01 12:00 (Julian calendar).
using JulianDay = double;

/// Days since 1899-12-30 00:00; the fraction is the time of day. The clock (UT or local) is
/// stated where a value is used.
///
/// A type of its own so that it cannot be passed where a Julian Day is expected, nor the reverse:
/// the two counts differ by 2415018.5 days, and a mix-up compiled silently while both were plain
/// doubles. Construction from a number is explicit; DateTimeToJulianDay and JulianDayToDateTime
/// convert between the two. A number of days may be added or subtracted, and the difference of two
/// values is a number of days.
struct DateTimeValue {
  double Days = 0.0;

  constexpr DateTimeValue() = default;
  constexpr explicit DateTimeValue(double days) : Days(days) {}

  constexpr DateTimeValue& operator+=(double days) {
    Days += days;
    return *this;
  }
  constexpr DateTimeValue& operator-=(double days) {
    Days -= days;
    return *this;
  }
  friend constexpr DateTimeValue operator+(DateTimeValue t, double days) { return DateTimeValue(t.Days + days); }
  friend constexpr DateTimeValue operator-(DateTimeValue t, double days) { return DateTimeValue(t.Days - days); }
  /// Days from b to a.
  friend constexpr double operator-(DateTimeValue a, DateTimeValue b) { return a.Days - b.Days; }
  friend constexpr auto operator<=>(const DateTimeValue&, const DateTimeValue&) = default;
};

/// Writes the day count (for diagnostics and test messages).
std::ostream& operator<<(std::ostream& out, DateTimeValue t);

/// A civil date: astronomical year, month 1..12, day 1..31.
struct CivilDate {
  int year = 0;
  int month = 0;
  int day = 0;
  friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

/// The constants of the core, computed once at the first call (in this order: offset, J2000Date,
/// Epoch1999, LunationEpoch) and never changed afterwards.
struct StartupConstants {
  double JulianDayOffset;      ///< 2415018.5: JulianDay = DateTimeValue + offset
  DateTimeValue J2000Date;     ///< 2000-01-01 0h = 36526
  DateTimeValue Epoch1999;     ///< 1999-01-01 0h = 36161
  DateTimeValue LunationEpoch; ///< 1923-01-17 0h = 8418
};
[[nodiscard]] const StartupConstants& Startup();

/// JulianDay of the Gregorian switch, 1582-10-15 0h.
inline constexpr JulianDay CalendarSwitchJD = 2299160.5;

/// The platform's date encoding: DateTimeValue of 0h of a proleptic Gregorian date. A day outside
/// its month counts on from the first (day 0 is the last day of the previous month); throws
/// ConversionError for a month outside 1..12.
[[nodiscard]] DateTimeValue EncodeDate(int year, int month, int day);

[[nodiscard]] JulianDay DateTimeToJulianDay(DateTimeValue t);
[[nodiscard]] DateTimeValue JulianDayToDateTime(JulianDay j);

/// JulianDay of 0h of a Julian-calendar date. Throws ConversionError for an invalid date.
[[nodiscard]] JulianDay JulianDayOfJulianDate(int year, int month, int day);
/// JulianDay of 0h of a Gregorian-calendar date. Throws ConversionError for an invalid date.
[[nodiscard]] JulianDay JulianDayOfGregorianDate(int year, int month, int day);
/// JulianDay of 0h of a civil date (Julian before the switch, Gregorian after). Throws
/// ConversionError for an invalid date, including 1582-10-05 .. 1582-10-14.
[[nodiscard]] JulianDay JulianDayOfDate(int year, int month, int day);

/// Julian-calendar date of a Julian Day; nothing for j < 0. Throws ConversionError for a
/// non-finite or astronomically huge j (beyond the years an int can hold).
[[nodiscard]] std::optional<CivilDate> JulianDateOfJulianDay(JulianDay j);
/// Gregorian-calendar date of a Julian Day. Throws ConversionError for j < 0, non-finite or huge j.
[[nodiscard]] CivilDate GregorianDateOfJulianDay(JulianDay j);
/// Civil date of a Julian Day. Throws ConversionError for j < 0, non-finite or huge j.
[[nodiscard]] CivilDate DateOfJulianDay(JulianDay j);

[[nodiscard]] DateTimeValue DateTimeOfDate(int year, int month, int day);
[[nodiscard]] CivilDate DateOfDateTime(DateTimeValue t);

/// x reduced to [0, 360); NaN for a non-finite x.
[[nodiscard]] double NormalizeDegrees(double x);
/// Sine, cosine and tangent of an angle in degrees, reduced with NormalizeDegrees first (the form
/// used by the Sun and Moon series).
[[nodiscard]] double SinDegNormalized(double x);
[[nodiscard]] double CosDegNormalized(double x);
[[nodiscard]] double TanDeg(double x);

/// JulianDay (UT) of local 0h of a civil date in a zone (hours east of Greenwich). No validation.
[[nodiscard]] JulianDay ZoneMidnightJulianDay(int year, int month, int day, double zoneHours);

/// Local mean sidereal time in hours, [0, 24], from the Julian Day of 0h UT, the universal time in
/// hours and the longitude (degrees, east positive). NaN when an input or the result is not finite.
[[nodiscard]] double LocalSiderealHours(JulianDay jd0, double utHours, double longitudeDeg);
/// The sky map's and the ephemeris table's form of the local sidereal time, hours in [0, 24]
/// (with the quadratic term). NaN when an input is not finite or the quadratic term overflows.
[[nodiscard]] double SiderealTimeHours(JulianDay jd0, double utHours, double longitudeDeg);

/// Day of the year, 1..366. A day outside its month counts on (day 0 of March is the last day of
/// February). Throws ConversionError for a month outside 1..12 or a count beyond the int range.
[[nodiscard]] int DayNumber(int day, int month, int year);
/// Gregorian leap-year rule.
[[nodiscard]] bool IsLeapYear(int year);
/// The Sun window's daylight-saving rule (EU, from 1980): the whole last Sunday of March is summer
/// time, the whole last Sunday of October standard time.
[[nodiscard]] bool IsSummerTime(int day, int month, int year);
/// Delta T in seconds by a parabola around 1810.
[[nodiscard]] double DeltaTParabola(JulianDay j);

}  // namespace zenitra
