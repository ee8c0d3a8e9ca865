// Julian Day conversions: the calendar functions every window calls on each refresh.
#include <benchmark/benchmark.h>

#include "calendars/calendar_arithmetic.h"
#include "core/time_scales.h"
#include "ui/vector_state.h"

namespace {

void BM_JulianDayOfDate(benchmark::State& state) {
  zenitra::ResetVectorStateAfterPainting();  // as the program does after painting (see vector_state.h)
  int day = 1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(zenitra::JulianDayOfDate(2024, 6, day));
    day = day % 28 + 1;
  }
}
BENCHMARK(BM_JulianDayOfDate);

void BM_DateOfJulianDay(benchmark::State& state) {
  zenitra::ResetVectorStateAfterPainting();  // as the program does after painting (see vector_state.h)
  double j = 2451544.5;
  for (auto _ : state) {
    benchmark::DoNotOptimize(zenitra::DateOfJulianDay(j));
    j += 1.0;
    if (j > 2500000.0) j = 2451544.5;
  }
}
BENCHMARK(BM_DateOfJulianDay);

void BM_CalendarToJulianDay(benchmark::State& state) {
  zenitra::ResetVectorStateAfterPainting();  // as the program does after painting (see vector_state.h)
  int day = 1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(zenitra::yearcal::CalendarToJulianDay(2024, 6, day, 12, 30, 0, 1.0));
    day = day % 28 + 1;
  }
}
BENCHMARK(BM_CalendarToJulianDay);

void BM_SiderealTimeHours(benchmark::State& state) {
  zenitra::ResetVectorStateAfterPainting();  // as the program does after painting (see vector_state.h)
  double ut = 0.0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(zenitra::SiderealTimeHours(2460300.5, ut, 12.92));
    ut = ut < 23.0 ? ut + 0.25 : 0.0;
  }
}
BENCHMARK(BM_SiderealTimeHours);

}  // namespace
