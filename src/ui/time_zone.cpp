#include "ui/time_zone.h"

#include "core/time_scales.h"

namespace zenitra {

double SummerHours(const Location&, int year, int month, int day, int, int, int) {
  return IsSummerTime(day, month, year) ? 1.0 : 0.0;
}

}  // namespace zenitra
