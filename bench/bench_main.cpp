// Benchmark entry point: a QApplication on the offscreen platform, so drawing benchmarks have
// fonts, then Google Benchmark's usual command line.
#include <QApplication>
#include <benchmark/benchmark.h>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
#if defined(__x86_64__) || defined(__i386__)
  // Starting Qt leaves the upper halves of the AVX registers dirty; every later mix of SSE and
  // AVX code (the compiled computations against libm) then pays a transition penalty that made
  // the trigonometry-bound benchmarks ten times slower. Clear them once.
  if (__builtin_cpu_supports("avx")) asm volatile("vzeroupper");
#endif
  ::benchmark::Initialize(&argc, argv);
  if (::benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  ::benchmark::RunSpecifiedBenchmarks();
  ::benchmark::Shutdown();
  return 0;
}
