#pragma once
// The shown moment: the local civil date and clock time of a place, with its zone and the summer
// hour in force, and the one place where it is turned into the time scales of the computations.
//
// Every Julian Day the windows, the map and the commands need comes from here; nobody adds a zone
// to a day count by hand. The date is a civil date of the core's calendar (astronomical years,
// Julian calendar before 1582-10-15, Gregorian from then on).
#include "core/time_scales.h"

namespace zenitra {

struct LocalMoment {
  int Year = 2000;  ///< astronomical year
  int Month = 1;    ///< 1..12
  int Day = 1;
  int Hour = 0;     ///< local clock time, 0..23
  int Minute = 0;
  int Second = 0;
  double ZoneHours = 0.0;    ///< local standard time minus universal time
  double SummerHours = 0.0;  ///< how far the clock is ahead of standard time (0, or 1 in summer)

  friend bool operator==(const LocalMoment&, const LocalMoment&) = default;

  /// Hours the clock is ahead of universal time: zone plus summer hour.
  [[nodiscard]] double ClockOffsetHours() const { return ZoneHours + SummerHours; }
  /// Seconds since the local midnight of the clock.
  [[nodiscard]] double SecondsOfDay() const { return Hour * 3600.0 + Minute * 60.0 + Second; }

  /// Julian Day of the local date and clock time read as if it were universal time (the local
  /// clock's own day count). Throws ConversionError for a date the calendar refuses.
  [[nodiscard]] JulianDay ClockJulianDay() const;
  /// Julian Day (UT) of the moment.
  [[nodiscard]] JulianDay UniversalJulianDay() const;
  /// Julian Day of 0 h UT of the universal date of the moment (always ends in .5), and the
  /// universal time in hours since then, in [0, 24): the pair sidereal time is formed from.
  [[nodiscard]] JulianDay UniversalMidnightJulianDay() const;
  [[nodiscard]] double UniversalHours() const;
  /// Julian Day (UT) of 0 h of the local date on the moment's clock.
  [[nodiscard]] JulianDay LocalMidnightJulianDay() const;
  /// Julian Day in dynamical time (TT = UT + Delta T) of the moment.
  [[nodiscard]] JulianDay DynamicalJulianDay() const;

  /// The same instants as days since 1899-12-30 (the argument of the Sun, Moon and phase series).
  [[nodiscard]] DateTimeValue UniversalDateTime() const { return JulianDayToDateTime(UniversalJulianDay()); }
  [[nodiscard]] DateTimeValue DynamicalDateTime() const { return JulianDayToDateTime(DynamicalJulianDay()); }

  /// The moment shifted by a number of days on its own clock (the zone and summer hour stay).
  /// Whole seconds, rounded to the nearest. Throws ConversionError when the result leaves the
  /// years the calendar converts.
  [[nodiscard]] LocalMoment ShiftedByDays(double days) const;
};

/// The local clock moment of a universal instant jd (UT) on a clock offsetHours ahead of UT, with
/// the given zone and summer hour recorded (offsetHours = zone + summer). Whole seconds, rounded to
/// the nearest. Throws ConversionError for a negative, non-finite or huge jd.
[[nodiscard]] LocalMoment LocalMomentOfUniversal(JulianDay jd, double zoneHours, double summerHours);

/// A civil date and time of day (hours, minutes, seconds) of a Julian Day read on a clock: the day
/// from 0 h of the date, the fraction floored so that dates before 1900 or before the epoch of any
/// day count come out right. Throws ConversionError for a negative, non-finite or huge jd.
struct CivilDateTime {
  CivilDate Date;
  int Hour = 0;
  int Minute = 0;
  int Second = 0;
};
[[nodiscard]] CivilDateTime CivilDateTimeOf(JulianDay clockJd);

}  // namespace zenitra
