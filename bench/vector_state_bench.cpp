// The cost of Qt's dirty AVX upper state for our computations: the Moon's low-precision place
// computed right after a QImage::fill, with and without clearing the state in between.
#include <QImage>
#include <benchmark/benchmark.h>

#include "core/moon_position.h"
#include "ui/vector_state.h"

namespace {

void MoonAfterFill(benchmark::State& state, bool clear) {
  QImage image(64, 64, QImage::Format_RGB32);
  double jd = 2460300.5;
  for (auto _ : state) {
    image.fill(Qt::black);
    if (clear) zenitra::ResetVectorStateAfterPainting();
    for (int i = 0; i < 20; ++i) benchmark::DoNotOptimize(zenitra::MoonLowPrecision(jd + i * 0.1));
    jd += 1.0;
  }
}

void BM_MoonAfterFill_StateLeftDirty(benchmark::State& state) { MoonAfterFill(state, false); }
void BM_MoonAfterFill_StateCleared(benchmark::State& state) { MoonAfterFill(state, true); }
BENCHMARK(BM_MoonAfterFill_StateLeftDirty);
BENCHMARK(BM_MoonAfterFill_StateCleared);

}  // namespace
