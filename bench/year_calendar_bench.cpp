// One press of "Anzeigen" in the year calendar: every event of a year collected, sorted and turned
// into list lines, without and with the list box.
#include <benchmark/benchmark.h>

#include <QListWidget>
#include <QLocale>

#include "calendars/year_calendar.h"
#include "calendar_windows/year_calendar_window.h"
#include "ui/vector_state.h"

namespace {

void BM_YearCalendarEntries(benchmark::State& state) {
  zenitra::ResetVectorStateAfterPainting();  // as the program does after painting (see vector_state.h)
  for (auto _ : state) {
    auto calendar = zenitra::yearcal::BuildYearCalendar(2024, 1.0, ",");
    benchmark::DoNotOptimize(calendar);
  }
}
BENCHMARK(BM_YearCalendarEntries);

void BM_YearCalendarButton(benchmark::State& state) {
  zenitra::Tukalender window(zenitra::Location{"Chemnitz, D", 50.83, 12.92, 1.0, "Europe/Berlin"});
  for (auto _ : state) {
    window.Button1Click();
    benchmark::DoNotOptimize(window.List()->count());
  }
}
BENCHMARK(BM_YearCalendarButton)->Unit(benchmark::kMillisecond);

}  // namespace
