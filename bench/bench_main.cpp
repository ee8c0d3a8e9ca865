// Benchmark entry point: a QApplication on the offscreen platform, so drawing benchmarks have
// fonts, then Google Benchmark's usual command line.
#include <QApplication>
#include <benchmark/benchmark.h>

#include "sky/vector_state.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  zenitra::ClearUpperVectorState();  // starting Qt leaves the AVX upper halves dirty
  ::benchmark::Initialize(&argc, argv);
  if (::benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  ::benchmark::RunSpecifiedBenchmarks();
  ::benchmark::Shutdown();
  return 0;
}
