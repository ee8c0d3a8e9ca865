// Benchmark entry point: a QApplication on the offscreen platform, so drawing benchmarks have
// fonts, then Google Benchmark's usual command line.
#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstring>

#include "sky/vector_state.h"

// startup_bench.cpp: a child process that starts a window and ends after its first painting.
int RunStartUpChild(int argc, char** argv, const char* which);
// memory_bench.cpp: a child process that opens every window and prints its peak resident set.
int RunMemoryChild(int argc, char** argv, const char* which);

int main(int argc, char** argv) {
  constexpr char kChild[] = "--startup-child=";
  if (argc == 2 && std::strncmp(argv[1], kChild, sizeof kChild - 1) == 0) {
    return RunStartUpChild(argc, argv, argv[1] + sizeof kChild - 1);
  }
  constexpr char kMemoryChild[] = "--memory-child=";
  if (argc == 2 && std::strncmp(argv[1], kMemoryChild, sizeof kMemoryChild - 1) == 0) {
    return RunMemoryChild(argc, argv, argv[1] + sizeof kMemoryChild - 1);
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  zenitra::ClearUpperVectorState();  // starting Qt leaves the AVX upper halves dirty
  ::benchmark::Initialize(&argc, argv);
  if (::benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  ::benchmark::RunSpecifiedBenchmarks();
  ::benchmark::Shutdown();
  return 0;
}
