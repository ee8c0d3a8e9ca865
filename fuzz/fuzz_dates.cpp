// Fuzz target: the date and Julian Day functions of the core and of the year calendar with any
// int and any double, NaN and infinities included. Each function answers, refuses as documented
// (ConversionError, -1, nothing or an empty text) and never runs into undefined behaviour; a date
// that is accepted converts back to itself.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "calendars/calendar_arithmetic.h"
#include "core/time_scales.h"

namespace {

void Require(bool condition, const char* what, int y, int m, int d) {
  if (condition) return;
  std::fprintf(stderr, "%s: %d-%d-%d\n", what, y, m, d);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zenitra;
  FuzzedDataProvider in(data, size);
  const int year = in.ConsumeIntegral<int>();
  const int month = in.ConsumeIntegral<int>();
  const int day = in.ConsumeIntegral<int>();
  const int hour = in.ConsumeIntegral<int>();
  const int minute = in.ConsumeIntegral<int>();
  const int second = in.ConsumeIntegral<int>();
  const double x = in.ConsumeFloatingPoint<double>();
  const double zone = in.ConsumeFloatingPoint<double>();
  const double longitude = in.ConsumeFloatingPoint<double>();

  // Core calendar (astronomical years).
  try {
    const JulianDay j = JulianDayOfDate(year, month, day);
    const CivilDate back = DateOfJulianDay(j);
    Require(back == (CivilDate{year, month, day}), "JulianDayOfDate does not convert back", year, month, day);
  } catch (const ConversionError&) {
  }
  for (auto f : {&JulianDayOfJulianDate, &JulianDayOfGregorianDate}) {
    try {
      (void)f(year, month, day);
    } catch (const ConversionError&) {
    }
  }
  try {
    (void)EncodeDate(year, month, day);
    Require(month >= 1 && month <= 12, "EncodeDate accepted the month", year, month, day);
  } catch (const ConversionError&) {
  }
  try {
    (void)DayNumber(day, month, year);
  } catch (const ConversionError&) {
  }
  (void)IsSummerTime(day, month, year);
  (void)IsLeapYear(year);
  (void)ZoneMidnightJulianDay(year, month, day, zone);
  for (auto f : {&DateOfJulianDay, &GregorianDateOfJulianDay}) {
    try {
      (void)f(x);
    } catch (const ConversionError&) {
    }
  }
  try {
    (void)JulianDateOfJulianDay(x);
  } catch (const ConversionError&) {
  }
  try {
    (void)DateOfDateTime(DateTimeValue(x));
  } catch (const ConversionError&) {
  }
  (void)NormalizeDegrees(x);
  (void)SinDegNormalized(x);
  (void)TanDeg(x);
  (void)LocalSiderealHours(x, zone, longitude);
  (void)SiderealTimeHours(x, zone, longitude);
  (void)DeltaTParabola(x);

  // Year calendar (historical years, no year 0).
  namespace yc = yearcal;
  const JulianDay jd = yc::CalendarToJulianDay(year, month, day, hour, minute, second, zone);
  if (jd != -1.0) {
    // Whatever the time and zone, only a valid date is accepted: its noon in zone 0 is accepted too
    // and converts back to it.
    const JulianDay noon = yc::CalendarToJulianDay(year, month, day, 12, 0, 0, 0.0);
    const auto back = yc::JulianDayToCalendarTime(noon, 0.0);
    Require(noon != -1.0 && back && back->year == year && back->month == month && back->day == day,
            "CalendarToJulianDay accepted an invalid date", year, month, day);
  }
  (void)yc::JulianDayToCalendarTime(x, zone);
  if (const auto d = yc::JulianDayToDate(x)) (void)yc::ShortDateText(d->year, d->month, d->day);
  (void)yc::ShortDateText(year, month, x);
  (void)yc::YearStartJulianDay(year);
  (void)yc::WeekdayOf(x);
  (void)yc::DeltaT(x);
  (void)yc::NormalizeRadians(x);
  (void)yc::FloorValue(x);
  return 0;
}
