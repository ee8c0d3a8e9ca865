// The Sun and Moon computations behind the Sun window, the Moon window and the sky map.
#include <benchmark/benchmark.h>

#include "core/moon_position.h"
#include "core/sun_position.h"
#include "core/vsop87.h"
#include "ui/vector_state.h"

namespace {

void BM_EarthHeliocentric(benchmark::State& state) {
  zenitra::ResetVectorStateAfterPainting();  // as the program does after painting (see vector_state.h)
  zenitra::DateTimeValue t(45464.5);
  for (auto _ : state) {
    benchmark::DoNotOptimize(zenitra::EarthHeliocentric(t));
    t += 0.37;
  }
}
BENCHMARK(BM_EarthHeliocentric);

// One refresh of the Sun window: distance, diameter, rising, setting and culmination, that is
// eleven evaluations of the Earth's series (Berlin, 2024-06-21).
void BM_SunWindowRefresh(benchmark::State& state) {
  zenitra::ResetVectorStateAfterPainting();  // as the program does after painting (see vector_state.h)
  const zenitra::DateTimeValue day(45464.0);
  for (auto _ : state) {
    benchmark::DoNotOptimize(zenitra::SunDistanceAU(day + 0.5));
    benchmark::DoNotOptimize(zenitra::SunDiameterArcsec(day + 0.5));
    benchmark::DoNotOptimize(zenitra::SunRise(-13.40, 52.52, day));
    benchmark::DoNotOptimize(zenitra::SunSet(-13.40, 52.52, day));
    benchmark::DoNotOptimize(zenitra::SunTransit(-13.40, 52.52, day));
  }
}
BENCHMARK(BM_SunWindowRefresh)->Unit(benchmark::kMicrosecond);

void BM_MoonEphemeris(benchmark::State& state) {
  zenitra::ResetVectorStateAfterPainting();  // as the program does after painting (see vector_state.h)
  double jd = 2460482.5;
  for (auto _ : state) {
    benchmark::DoNotOptimize(zenitra::MoonEphemeris(jd));
    jd += 0.013;
  }
}
BENCHMARK(BM_MoonEphemeris);

void BM_MoonLowPrecision(benchmark::State& state) {
  zenitra::ResetVectorStateAfterPainting();  // as the program does after painting (see vector_state.h)
  double jd = 2460482.5;
  for (auto _ : state) {
    benchmark::DoNotOptimize(zenitra::MoonLowPrecision(jd));
    jd += 0.013;
  }
}
BENCHMARK(BM_MoonLowPrecision);

}  // namespace
