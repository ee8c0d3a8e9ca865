// Planet computations of one sky frame: the eight bodies of ComputePlanet (the Earth and seven
// planets, as the sky map and the ephemeris table ask for them) and the Venus disc.
// Note: once a QGuiApplication exists (as in this program and in the sky map), the x86 upper
// vector registers are left dirty by Qt's initialisation and painting, and every SSE instruction
// of the computations runs several times slower until a vzeroupper. The figures here include
// that; the same code without Qt initialised runs about nine times faster.
#include <benchmark/benchmark.h>

#include "planets/galilean_moons.h"
#include "planets/physical_ephemeris.h"
#include "planets/planet_position.h"

namespace {

const char* const kBodies[] = {"Erde", "Merkur", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptun"};

void BM_ComputePlanetFrame(benchmark::State& state) {
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
  int hour = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(zenitra::PhysicalEphemeris(1, 20, 12, 2024, hour));
    hour = (hour + 1) % 24;
  }
}
BENCHMARK(BM_PhysicalEphemerisVenus);

void BM_GalileanMoons(benchmark::State& state) {
  double jd = 2460300.5;
  for (auto _ : state) {
    benchmark::DoNotOptimize(zenitra::GalileanMoons(jd));
    jd += 1.0 / 96.0;
  }
}
BENCHMARK(BM_GalileanMoons);

}  // namespace
