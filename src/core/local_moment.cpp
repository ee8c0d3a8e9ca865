#include "core/local_moment.h"

#include <cmath>

#include "core/delta_t.h"

namespace zenitra {

JulianDay LocalMoment::ClockJulianDay() const {
  // A civil moment: the calendar functions would read month 13 as January of the next year.
  if (Month < 1 || Month > 12 || Hour < 0 || Hour > 23 || Minute < 0 || Minute > 59 || Second < 0 || Second > 59) {
    throw ConversionError();
  }
  return JulianDayOfDate(Year, Month, Day) + SecondsOfDay() / 86400.0;
}

JulianDay LocalMoment::UniversalJulianDay() const { return ClockJulianDay() - ClockOffsetHours() / 24.0; }

JulianDay LocalMoment::UniversalMidnightJulianDay() const {
  return std::floor(UniversalJulianDay() - 0.5) + 0.5;
}

double LocalMoment::UniversalHours() const {
  const JulianDay jd = UniversalJulianDay();
  return (jd - (std::floor(jd - 0.5) + 0.5)) * 24.0;
}

JulianDay LocalMoment::LocalMidnightJulianDay() const {
  return ClockJulianDay() - SecondsOfDay() / 86400.0 - ClockOffsetHours() / 24.0;
}

JulianDay LocalMoment::DynamicalJulianDay() const {
  const JulianDay jd = UniversalJulianDay();
  return jd + DeltaTSeconds(jd) / 86400.0;
}

CivilDateTime CivilDateTimeOf(JulianDay clockJd) {
  if (!std::isfinite(clockJd)) throw ConversionError();
  // Days counted from 0 h: the date of the floor, the time of day from the floored fraction, so
  // that the time of day never mirrors around midnight for day counts below zero.
  const double shifted = clockJd + 0.5;
  double day = std::floor(shifted);
  long long seconds = std::llround((shifted - day) * 86400.0);
  if (seconds >= 86400) {
    day += 1.0;
    seconds -= 86400;
  }
  CivilDateTime r;
  r.Date = DateOfJulianDay(day);  // noon of the date
  r.Hour = static_cast<int>(seconds / 3600);
  r.Minute = static_cast<int>(seconds / 60 % 60);
  r.Second = static_cast<int>(seconds % 60);
  return r;
}

LocalMoment LocalMomentOfUniversal(JulianDay jd, double zoneHours, double summerHours) {
  const CivilDateTime c = CivilDateTimeOf(jd + (zoneHours + summerHours) / 24.0);
  return LocalMoment{c.Date.year, c.Date.month, c.Date.day, c.Hour, c.Minute, c.Second, zoneHours, summerHours};
}

LocalMoment LocalMoment::ShiftedByDays(double days) const {
  const JulianDay shifted = ClockJulianDay() + days;
  if (!std::isfinite(shifted) || std::fabs(shifted) > 1e11) throw ConversionError();
  const CivilDateTime c = CivilDateTimeOf(shifted);
  return LocalMoment{c.Date.year, c.Date.month, c.Date.day, c.Hour, c.Minute, c.Second, ZoneHours, SummerHours};
}

}  // namespace zenitra
