#include "calendars/calendar_arithmetic.h"

#include "core/delta_t.h"
#include "core/sin_cos.h"

#include <cmath>
#include <cstdint>

namespace zenitra::yearcal {
namespace {

constexpr double kTwoPi = 6.283185307179586477;
constexpr double kLastJulianDay = 13689326.0;  // end of the range the calendar converts (year 32767)
constexpr double kMaxJulianDay = 1e11;          // beyond this no conversion is attempted

std::int64_t Trunc(double x) { return static_cast<std::int64_t>(std::trunc(x)); }



}  // namespace

double CenturiesSinceJ2000(JulianDay jd) { return (jd - 2451545.0) / 36525.0; }

double NormalizeRadians(double x) {
  double r = x - std::trunc(x / kTwoPi) * kTwoPi;
  if (r < 0.0) r += kTwoPi;
  return r;
}

double FloorValue(double x) {
  const double r = std::trunc(x);
  return (x < 0.0 && x != r) ? r - 1.0 : r;
}

void SinCosMultiples(int n, double xRad, std::span<double> s, std::span<double> c) {
  if (n < 1 || s.size() < static_cast<std::size_t>(n) + 1 || c.size() < static_cast<std::size_t>(n) + 1) return;
  const SinCos x = SinCosOf(xRad);
  const double sx = x.sin;
  const double cx = x.cos;
  s[1] = sx;
  c[1] = cx;
  for (int j = 2; j <= n; ++j) {
    s[j] = s[j - 1] * cx + c[j - 1] * sx;
    c[j] = c[j - 1] * cx - s[j - 1] * sx;
  }
}

double Quadratic(const std::array<double, 3>& row, double x) { return row[0] + x * (row[1] + x * row[2]); }

double Quartic(const std::array<double, 5>& row, double x) {
  return row[0] + row[1] * x + row[2] * x * x + row[3] * x * x * x + row[4] * x * x * x * x;
}

JulianDay CalendarToJulianDay(int year, int month, int day, int hour, int minute, int second, double zoneHours) {
  if (year == 0 || year < -4713) return -1.0;
  std::int64_t y = year < 0 ? year + 1 : year;
  std::int64_t m = month;
  const std::int64_t a = 10000 * y + 100 * m + day;
  if (m <= 2) {
    m += 12;
    y -= 1;
  }
  const std::int64_t b = static_cast<double>(a) <= 15821004.1
                             ? (y + 4716) / 4 - 1181            // Julian calendar
                             : y / 400 - y / 100 + y / 4;      // Gregorian calendar
  const double h = hour / 24.0 + minute / 1440.0 + second / 86400.0 - zoneHours / 24.0;
  const double midnight =
      static_cast<double>(365 * y + b) + 1720996.5 + static_cast<double>(Trunc(30.6001 * (m + 1))) + day;
  const double jd = midnight + h;
  const double ymd = static_cast<double>(y) + static_cast<double>(m) / 100.0 + day / 10000.0;
  if (ymd > 1582.1004 && ymd < 1582.10145) return -1.0;
  if (!(jd >= 0.0 && jd < kLastJulianDay)) return -1.0;
  // The date itself must survive the round trip (noon of it, so that 1 January 4713 BC, which
  // begins at JD -0.5, is still a date); the time and the zone may move the instant to another day.
  const auto back = JulianDayToCalendarTime(midnight + 0.5, 0.0);
  if (!back || back->year != year || back->month != month || back->day != day) return -1.0;
  return jd;
}

std::optional<CalendarTime> JulianDayToCalendarTime(JulianDay jd, double zoneHours) {
  if (!(jd >= 0.0 && jd < kLastJulianDay) || !std::isfinite(zoneHours) || std::fabs(zoneHours) > 1e6) {
    return std::nullopt;
  }
  const double d = jd + zoneHours / 24.0 + 0.5;
  double z = std::trunc(d);
  auto seconds = Trunc((d - z) * 86400.0 + 0.5);
  if (seconds >= 86400) {  // rounds up to midnight: the next day at 0:00:00, not 24:00:00
    seconds -= 86400;
    z += 1.0;
  }
  const std::int64_t Z = static_cast<std::int64_t>(z);
  std::int64_t B;
  if (Z >= 2299161) {
    const std::int64_t alpha = Trunc((static_cast<double>(Z) - 1867216.25) / 36524.25);
    B = Z + alpha - alpha / 4 + 1525;
  } else {
    B = Z + 1524;
  }
  const std::int64_t C = Trunc((static_cast<double>(B) - 122.1) / 365.25);
  const std::int64_t D = 365 * C + C / 4;
  const std::int64_t E = Trunc(static_cast<double>(B - D) / 30.6001);
  CalendarTime t;
  t.day = static_cast<int>(B - D - Trunc(30.6001 * static_cast<double>(E)));
  t.month = static_cast<int>(E - 1 - 12 * (E / 14));
  t.year = static_cast<int>(C - 4715 - (t.month + 7) / 10);
  if (t.year <= 0) t.year -= 1;
  // Split the whole seconds in integers: going through fractional hours can give 16:53:60.
  t.hour = static_cast<int>(seconds / 3600);
  t.minute = static_cast<int>(seconds % 3600 / 60);
  t.second = static_cast<int>(seconds % 60);
  return t;
}

std::optional<DateWithFraction> JulianDayToDate(JulianDay jd) {
  if (!std::isfinite(jd) || std::fabs(jd) > kMaxJulianDay) return std::nullopt;
  const std::int64_t Z = Trunc(jd + 0.5);
  const double F = jd + 0.5 - static_cast<double>(Z);
  std::int64_t A = Z;
  if (Z >= 2299161) {
    const std::int64_t alpha = Trunc((static_cast<double>(Z) - 1867216.25) / 36524.25);
    A = Z + alpha - alpha / 4 + 1;
  }
  const std::int64_t B = A + 1524;
  const std::int64_t C = Trunc((static_cast<double>(B) - 122.1) / 365.25);
  const std::int64_t D = Trunc(365.25 * static_cast<double>(C));
  const std::int64_t E = Trunc(static_cast<double>(B - D) / 30.6001);
  DateWithFraction r;
  r.day = static_cast<double>(B - D) - std::trunc(30.6001 * static_cast<double>(E)) + F;
  r.month = static_cast<int>(E > 13 ? E - 13 : E - 1);
  r.year = static_cast<int>(r.month < 3 ? C - 4715 : C - 4716);
  return r;
}

JulianDay YearStartJulianDay(int year) {
  const std::int64_t b = year <= 1582 ? 2 : (static_cast<std::int64_t>(year) - 1) / 100;
  // Floor, not truncation: before the year 1 truncation rounds up and gave 1 January for most years.
  return std::floor((static_cast<double>(year) - 1.0) * 365.25) - static_cast<double>(b) +
         static_cast<double>(b / 4) + 1721424.5;
}

int WeekdayOf(JulianDay jd) {
  if (!std::isfinite(jd) || std::fabs(jd) > kMaxJulianDay) return 0;
  const double a = FloorValue(jd + 0.5);
  return static_cast<int>(Trunc(a - std::trunc(a / 7.0) * 7.0)) + 1;
}

std::string ShortDateText(int year, int month, double day) {
  // Beyond +-2^62 the day is no date (and not representable as the integer printed).
  if (!(std::fabs(day) < 0x1p62)) return {};
  return std::to_string(static_cast<long long>(std::trunc(day))) + "." + std::to_string(month) + "." +
         std::to_string(year < 1 ? year : year % 100);
}

double DeltaT(double t) { return DeltaTSeconds(2451545.0 + 36525.0 * t); }

}  // namespace zenitra::yearcal
