#include "core/time_scales.h"

#include <cmath>
#include <limits>
#include <ostream>

namespace zenitra {
namespace {

constexpr double kPi = 3.1415926535897932385;

// Largest |JulianDay| the date conversions accept: about year 2.7e8, far inside what an int year
// and the 64-bit intermediate products can hold. Beyond it (or for NaN) the conversion fails.
constexpr double kMaxJulianDay = 1e11;

void CheckJulianDay(JulianDay j) {
  if (!(j >= 0.0) || j > kMaxJulianDay) throw ConversionError();
}

bool IsGregorianLeap(std::int64_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// Shifts January and February to months 13 and 14 of the previous year and checks the day.
struct ShiftedDate {
  std::int64_t y;
  std::int64_t m;
};
ShiftedDate ShiftAndCheck(int year, int month, int day, bool gregorian) {
  if (month < 1 || month > 12) throw ConversionError();  // 13 and 14 are not next year's Jan and Feb
  std::int64_t y = year;
  std::int64_t m = month;
  if (m < 3) {
    m += 12;
    y -= 1;
  }
  int last = 31;
  if (m == 4 || m == 6 || m == 9 || m == 11) {
    last = 30;
  } else if (m == 14) {
    const std::int64_t calendarYear = y + 1;
    const bool leap = gregorian ? IsGregorianLeap(calendarYear) : calendarYear % 4 == 0;
    last = leap ? 29 : 28;
  }
  if (day < 1 || day > last) throw ConversionError();
  return {y, m};
}

// Steps 5 and 6 of the Julian Day to date conversion, from B on (Meeus, ch. 7).
CivilDate DateFromB(std::int64_t b) {
  const auto c = static_cast<std::int64_t>(std::trunc((static_cast<double>(b) - 122.1) / 365.25));
  const auto e = static_cast<std::int64_t>(std::trunc(365.25 * static_cast<double>(c)));
  const auto f = static_cast<std::int64_t>(std::trunc(static_cast<double>(b - e) / 30.6001));
  CivilDate d;
  d.day = static_cast<int>(b - e - static_cast<std::int64_t>(std::trunc(30.6001 * static_cast<double>(f))));
  if (f > 13) {
    d.month = static_cast<int>(f - 13);
    d.year = static_cast<int>(c - 4715);
  } else {
    d.month = static_cast<int>(f - 1);
    d.year = static_cast<int>(c - 4716);
  }
  return d;
}

// Reduces a sidereal time in hours the way the original loops do ("while s < 0 add 24, while
// s > 24 subtract 24"), but first brings huge values near the range with fmod, so the loops run at
// most once. Ordinary values take exactly the loop path and keep their results.
double ReduceHours(double s) {
  if (!std::isfinite(s)) return std::numeric_limits<double>::quiet_NaN();
  if (std::fabs(s) > 240.0) {
    const double r = std::fmod(s, 24.0);
    s = (s > 0.0 && r == 0.0) ? 24.0 : r;  // positive multiples of 24 end on 24 like the loop
  }
  while (s < 0.0) s += 24.0;
  while (s > 24.0) s -= 24.0;
  return s;
}

// Days from 1970-01-01 of a proleptic Gregorian date (H. Hinnant, "chrono-compatible low-level
// date algorithms", days_from_civil).
std::int64_t DaysFromCivil(std::int64_t y, std::int64_t m, std::int64_t d) {
  y -= m <= 2 ? 1 : 0;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

}  // namespace

DateTimeValue EncodeDate(int year, int month, int day) {
  if (month < 1 || month > 12) throw ConversionError();
  // 1899-12-30 is day 0 of the DateTimeValue count; 1970-01-01 is day 25569.
  return DateTimeValue(static_cast<double>(DaysFromCivil(year, month, day) + 25569));
}

const StartupConstants& Startup() {
  static const StartupConstants constants = [] {
    StartupConstants c{};
    c.JulianDayOffset = 2451544.5 - EncodeDate(2000, 1, 1).Days;
    // The epochs go through the same conversion as every caller, so they share its rounding.
    auto dateTimeOf = [&c](int y, int m, int d) { return DateTimeValue(JulianDayOfDate(y, m, d) - c.JulianDayOffset); };
    c.J2000Date = dateTimeOf(2000, 1, 1);
    c.Epoch1999 = dateTimeOf(1999, 1, 1);
    c.LunationEpoch = EncodeDate(1923, 1, 17);
    return c;
  }();
  return constants;
}

std::ostream& operator<<(std::ostream& out, DateTimeValue t) { return out << t.Days; }

JulianDay DateTimeToJulianDay(DateTimeValue t) { return t.Days + Startup().JulianDayOffset; }
DateTimeValue JulianDayToDateTime(JulianDay j) { return DateTimeValue(j - Startup().JulianDayOffset); }

JulianDay JulianDayOfJulianDate(int year, int month, int day) {
  const ShiftedDate s = ShiftAndCheck(year, month, day, false);
  const auto a = static_cast<std::int64_t>(std::trunc(365.25 * static_cast<double>(s.y + 4716)));
  const auto b = static_cast<std::int64_t>(std::trunc(30.6001 * static_cast<double>(s.m + 1)));
  return static_cast<double>(a + b + day) - 1524.5;
}

JulianDay JulianDayOfGregorianDate(int year, int month, int day) {
  const ShiftedDate s = ShiftAndCheck(year, month, day, true);
  const std::int64_t a = s.y / 100;
  const std::int64_t b = 2 - a + a / 4;
  const auto p = static_cast<std::int64_t>(std::trunc(365.25 * static_cast<double>(s.y + 4716)));
  const auto q = static_cast<std::int64_t>(std::trunc(30.6001 * static_cast<double>(s.m + 1)));
  return static_cast<double>(p + q + day + b) - 1524.5;
}

JulianDay JulianDayOfDate(int year, int month, int day) {
  const JulianDay j = JulianDayOfJulianDate(year, month, day);
  if (CalendarSwitchJD > j) return j;
  const JulianDay g = JulianDayOfGregorianDate(year, month, day);
  if (CalendarSwitchJD > g) throw ConversionError();  // 1582-10-05 .. 1582-10-14
  return g;
}

std::optional<CivilDate> JulianDateOfJulianDay(JulianDay j) {
  if (j < 0.0) return std::nullopt;
  CheckJulianDay(j);
  const auto z = static_cast<std::int64_t>(std::trunc(j + 0.5));
  return DateFromB(z + 1524);
}

CivilDate GregorianDateOfJulianDay(JulianDay j) {
  CheckJulianDay(j);
  const auto z = static_cast<std::int64_t>(std::trunc(j + 0.5));
  const auto alpha = static_cast<std::int64_t>(std::trunc((static_cast<double>(z) - 1867216.25) / 36524.25));
  return DateFromB(z + alpha - alpha / 4 + 1525);
}

CivilDate DateOfJulianDay(JulianDay j) {
  CheckJulianDay(j);
  if (CalendarSwitchJD > j) return *JulianDateOfJulianDay(j);
  return GregorianDateOfJulianDay(j);
}

DateTimeValue DateTimeOfDate(int year, int month, int day) {
  return JulianDayToDateTime(JulianDayOfDate(year, month, day));
}

CivilDate DateOfDateTime(DateTimeValue t) { return DateOfJulianDay(DateTimeToJulianDay(t)); }

double NormalizeDegrees(double x) {
  if (!std::isfinite(x)) return std::numeric_limits<double>::quiet_NaN();
  double r;
  if (std::fabs(x) < 1e18) {
    // x - 360*Round(x/360), the product formed in 64-bit integers; Round halves to even.
    const auto k = static_cast<std::int64_t>(std::nearbyint(x / 360.0));
    r = x - static_cast<double>(k * 360);
  } else {
    r = std::fmod(x, 360.0);  // beyond 64-bit range; every such double is a whole number anyway
  }
  while (r < 0.0) r += 360.0;
  if (r >= 360.0) r = 0.0;  // a tiny negative remainder plus 360 can round up to 360 exactly
  return r;
}

double SinDegNormalized(double x) { return std::sin(NormalizeDegrees(x) / 180.0 * kPi); }
double CosDegNormalized(double x) { return std::cos(NormalizeDegrees(x) / 180.0 * kPi); }
double TanDeg(double x) { return std::tan(NormalizeDegrees(x) / 180.0 * kPi); }

JulianDay ZoneMidnightJulianDay(int year, int month, int day, double zoneHours) {
  const double yp = static_cast<double>(year) + 4711.0 + (month > 2 ? 1.0 : 0.0);
  const double mp = month > 2 ? month + 1.0 : month + 13.0;
  double c;
  if (static_cast<double>(year) * 10000.0 + month * 100.0 + day < 15821015.0) {
    c = -63.5;
  } else {
    const double f = std::trunc((yp + 88.0) / 100.0);
    c = std::trunc(f / 4.0) - f - 25.5;
  }
  return c + std::trunc(365.25 * yp) + std::trunc(30.6001 * mp) + day - zoneHours / 24.0;
}

double LocalSiderealHours(JulianDay jd0, double utHours, double longitudeDeg) {
  const double s = longitudeDeg / 15.0 + 6.697374558 + 0.06570982442 * (jd0 - 2451545.0) + 1.002737909 * utHours;
  return ReduceHours(s);
}

double SiderealTimeHours(JulianDay jd0, double utHours, double longitudeDeg) {
  const double d = jd0 - 2451545.0;
  const double s = 6.6973745583 + 0.06570982442 * d + 1.938587419e-14 * d * d + 1.00273790935 * utHours +
                   longitudeDeg / 15.0;
  return ReduceHours(s);
}

namespace {
constexpr int kMonthLengths[11] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30};  // January .. November
}

int DayNumber(int day, int month, int year) {
  if (month < 1 || month > 12) throw ConversionError();
  std::int64_t n = day;  // 64 bits: a day near INT_MAX must not overflow while the months are added
  for (int i = 0; i < month - 1; ++i) n += kMonthLengths[i];
  if (IsLeapYear(year) && month > 2) n += 1;
  if (n > std::numeric_limits<int>::max()) throw ConversionError();
  return static_cast<int>(n);
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

bool IsSummerTime(int day, int month, int year) {
  if (year < 1980) return false;
  if (month >= 4 && month <= 9) return true;
  if (month != 3 && month != 10) return false;
  const std::int64_t y = year;
  const std::int64_t w = (y + (y - 1) / 4 - (y - 1) / 100 + (y - 1) / 400) % 7;  // weekday of 1 January, 0 = Sunday
  int daysBefore = 0;
  for (int i = 0; i < month - 1; ++i) daysBefore += kMonthLengths[i];
  if (IsLeapYear(year)) daysBefore += 1;  // March and October both follow February
  int lastSunday = 31;
  while (lastSunday > 24 && (w + daysBefore + lastSunday - 1) % 7 != 0) --lastSunday;
  return month == 3 ? day >= lastSunday : day < lastSunday;
}

double DeltaTParabola(JulianDay j) {
  const double d = j - 2382148.0;
  return -15.0 + d * d / 41048480.0;
}

}  // namespace zenitra
