// Benchmark entry point: the program's application on the offscreen platform, so drawing benchmarks have
// fonts, then Google Benchmark's usual command line.
#include <benchmark/benchmark.h>

#include <cstring>

#include "ui/application.h"

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
  zenitra::Application app(argc, argv);  // as the program: the vector state is reset after each event
  ::benchmark::Initialize(&argc, argv);
  if (::benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  ::benchmark::RunSpecifiedBenchmarks();
  ::benchmark::Shutdown();
  return 0;
}
