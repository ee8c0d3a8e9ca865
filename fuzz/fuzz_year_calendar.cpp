// Fuzz target: the year calendar for any year and any zone, with every line of it converted to the
// zone's time. Run with -timeout=2: one calendar must be done within two seconds.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "calendars/year_calendar.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zenitra::yearcal;
  FuzzedDataProvider in(data, size);
  // Most inputs pick a year the calendar accepts (4712 BC .. 9999) and a zone of the Earth; the
  // others take any int and any double, which must be refused or survived.
  const bool anyValue = in.ConsumeIntegralInRange<int>(0, 7) == 0;
  const int year = anyValue ? in.ConsumeIntegral<int>() : in.ConsumeIntegralInRange<int>(-4712, 9999);
  const double zone = anyValue ? in.ConsumeFloatingPoint<double>() : in.ConsumeFloatingPointInRange<double>(-14.0, 14.0);
  const std::string separator = in.ConsumeRandomLengthString(4);
  const auto calendar = BuildYearCalendar(year, zone, separator);
  if (!calendar) {
    if (IsCalendarYear(year) && std::isfinite(zone) && !anyValue) std::abort();
    return 0;
  }
  for (std::size_t i = 0; i < calendar->entries.size(); ++i) {
    const CalendarEntry& e = calendar->entries[i];
    if (!anyValue && i > 0 && e.instant < calendar->entries[i - 1].instant) std::abort();  // sorted
    (void)CalendarLineOf(e, calendar->deltaTDays, zone);
    (void)CalendarLineOf(e, in.ConsumeFloatingPoint<double>(), in.ConsumeFloatingPoint<double>());
  }
  return 0;
}
