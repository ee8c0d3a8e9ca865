#pragma once
// Summer time of a place.
#include "core/shared_types.h"

namespace zenitra {

/// Hours the place's legal clock is ahead of its standard time at a local clock moment.
[[nodiscard]] double SummerHours(const Location& place, int year, int month, int day, int hour, int minute,
                                 int second);

/// The summer hour in force at noon of a local date.
[[nodiscard]] inline double SummerHoursOfDay(const Location& place, int year, int month, int day) {
  return SummerHours(place, year, month, day, 12, 0, 0);
}

}  // namespace zenitra
