// Planet computations of one sky frame: the eight bodies of ComputePlanet (the Earth and seven
// planets, as the sky map and the ephemeris table ask for them) and the Venus disc.
#include <benchmark/benchmark.h>

#include "planets/galilean_moons.h"
#include "planets/physical_ephemeris.h"
#include "planets/planet_position.h"
#include "ui/vector_state.h"

namespace {

const char* const kBodies[] = {"Erde", "Merkur", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptun"};

void BM_ComputePlanetFrame(benchmark::State& state) {
  zenitra::ResetVectorStateAfterPainting();  // as the program does after painting (see vector_state.h)
  double jd = 2460300.5;
  zenitra::PlanetPlace place;
  for (auto _ : state) {
    for (const char* name : kBodies) {
      zenitra::ComputePlanet(name, jd, 52.52, 13.40, 1.0, place);
      benchmark::DoNotOptimize(place);
    }
    jd += 1.0 / 96.0;  // a 15-minute animation step
  }
}
BENCHMARK(BM_ComputePlanetFrame);

void BM_PhysicalEphemerisVenus(benchmark::State& state) {
  zenitra::ResetVectorStateAfterPainting();  // as the program does after painting (see vector_state.h)
  int hour = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(zenitra::PhysicalEphemeris(1, 20, 12, 2024, hour));
    hour = (hour + 1) % 24;
  }
}
BENCHMARK(BM_PhysicalEphemerisVenus);

void BM_GalileanMoons(benchmark::State& state) {
  zenitra::ResetVectorStateAfterPainting();  // as the program does after painting (see vector_state.h)
  double jd = 2460300.5;
  for (auto _ : state) {
    benchmark::DoNotOptimize(zenitra::GalileanMoons(jd));
    jd += 1.0 / 96.0;
  }
}
BENCHMARK(BM_GalileanMoons);

}  // namespace
