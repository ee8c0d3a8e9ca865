// Loading every catalogue at start-up: read the embedded streams, inflate, decode, split into
// lines and parse the star table (target: well under 20 ms together).
#include <benchmark/benchmark.h>

#include "ui/catalogue.h"

namespace {

void BM_LoadCatalogue(benchmark::State& state) {
  for (auto _ : state) {
    zenitra::Catalogue catalogue = zenitra::LoadCatalogue();
    benchmark::DoNotOptimize(catalogue.Stars.data());
  }
}
BENCHMARK(BM_LoadCatalogue)->Unit(benchmark::kMillisecond);

// Every resource, STAR6 and ERDE included, inflated and split once.
void BM_LoadEveryCatalogueResource(benchmark::State& state) {
  for (auto _ : state) {
    std::size_t lines = 0;
    for (const char* name :
         {"STAR0", "STAR1", "STAR2", "STAR3", "STAR5", "STAR6", "ORT", "ORTE", "ERDE"}) {
      lines += static_cast<std::size_t>(zenitra::LoadCatalogueLines(QString::fromLatin1(name)).size());
    }
    benchmark::DoNotOptimize(lines);
  }
}
BENCHMARK(BM_LoadEveryCatalogueResource)->Unit(benchmark::kMillisecond);

// One star information request: inflate STAR6 and search it.
void BM_StarInformationLookup(benchmark::State& state) {
  for (auto _ : state) {
    const QStringList star6 = zenitra::LoadCatalogueLines(QStringLiteral("STAR6"));
    auto record = zenitra::FindStarInformation(star6, QStringLiteral("Vul Alpha"));
    benchmark::DoNotOptimize(record);
  }
}
BENCHMARK(BM_StarInformationLookup)->Unit(benchmark::kMillisecond);

}  // namespace
