// The planetary phenomena the year calendar gathers for one year: conjunctions and oppositions of
// all planets and the greatest elongations of Mercury and Venus, stepping the cycles through 2024.
#include <benchmark/benchmark.h>

#include "calendars/planet_phenomena.h"

namespace {

using namespace zenitra::yearcal;

void BM_PlanetPhenomenaOfAYear(benchmark::State& state) {
  const double end = YearStartJulianDay(2025) + 1.0;
  for (auto _ : state) {
    double sum = 0.0;
    for (const int planet : {1, 2, 4, 5, 6, 7, 8}) {
      for (int event = 0; event <= 1; ++event) {
        const int k0 = *PlanetEventCycle(2024, planet, event) - 1;
        for (int k = k0; k < k0 + 8; ++k) {  // Mercury has at most four of a kind a year
          const double jde = *PlanetEventInstant(planet, event, k);
          if (jde > end) break;
          sum += jde;
          if (planet <= 2 && event == 0) {
            for (int side = 0; side <= 1; ++side) sum += GreatestElongation(planet, side, k)->elongationDeg;
          }
        }
      }
    }
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_PlanetPhenomenaOfAYear);

}  // namespace
