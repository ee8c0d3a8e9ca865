// The phenomena the year calendar gathers for one year: four seasons, about 50 Moon phases and the
// solar and lunar eclipses.
#include <benchmark/benchmark.h>

#include "calendars/year_phenomena.h"
#include "ui/vector_state.h"

namespace {

using namespace zenitra::yearcal;

void BM_PhenomenaOfAYear(benchmark::State& state) {
  zenitra::ResetVectorStateAfterPainting();  // as the program does after painting (see vector_state.h)
  const double start = YearStartJulianDay(2024) + 1.0;
  const double end = YearStartJulianDay(2025) + 1.0;
  for (auto _ : state) {
    double sum = 0.0;
    for (int s = 0; s < 4; ++s) sum += *SeasonStart(2024, s);
    for (int n = 295; n <= 309; ++n) {
      for (int phase = 0; phase < 4; ++phase) sum += *MoonPhaseInstant(n, phase);
    }
    for (double jd = start - 15.0; jd <= end;) {
      const auto e = NextSolarEclipse(jd);
      if (!e) break;
      jd = e->jde;
      sum += jd;
    }
    for (double jd = start - 15.0; jd <= end;) {
      const auto e = NextLunarEclipse(jd);
      if (!e) break;
      jd = e->jde;
      sum += jd;
    }
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_PhenomenaOfAYear);

}  // namespace
