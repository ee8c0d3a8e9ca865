// One animation tick of the main window with the ephemeris, Moon and Sun windows open: the moment
// advances, the map is redrawn at the designed size and the three windows recompute and repaint
// their texts. Also the same tick without the windows, and the three refreshes alone.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include "ui/catalogue.h"
#include "app/tfhimmel.h"

namespace {

struct MainWindowFixture {
  QTemporaryDir dir;
  std::unique_ptr<zenitra::Tfhimmel> window;

  explicit MainWindowFixture(bool windowsOpen) {
    window = std::make_unique<zenitra::Tfhimmel>(zenitra::LoadCatalogue(), dir.path());
    window->ShowMessage = [](const QString&) {};
    window->show();
    // The drawing area at its designed size, 1054 x 664.
    window->resize(window->size() + (QSize(1054, 664) - window->PB1->size()));
    window->DE1->setDate(QDate(2024, 12, 24));
    window->cb2->setCurrentIndex(22 * 12);
    window->MenuAction(QStringLiteral("Mond"))->trigger();
    if (windowsOpen) {
      window->MenuAction(QStringLiteral("Ephemeridentabelle"))->trigger();
      window->MenuAction(QStringLiteral("Mondparameter"))->trigger();
      window->MenuAction(QStringLiteral("Sonnenparameter"))->trigger();
    }
    QApplication::processEvents();
    window->CB1->setCurrentIndex(2);  // "1 Minute"
    window->StartStop();
    window->Timer1->stop();  // the benchmark drives the ticks
  }
};

void Tick(benchmark::State& state, bool windowsOpen) {
  MainWindowFixture f(windowsOpen);
  state.counters["width"] = f.window->PB1->width();
  state.counters["height"] = f.window->PB1->height();
  for (auto _ : state) {
    f.window->Timer1Timer();        // advances the moment and asks for a repaint
    QApplication::processEvents();  // paints the map (malen, then step 20) and the windows
  }
  state.counters["ephemeris_day"] = f.window->Information().Ephemeris().Moment.Day;
}

void BM_AnimationTickWithEphemerisMoonAndSunWindows(benchmark::State& state) { Tick(state, true); }
BENCHMARK(BM_AnimationTickWithEphemerisMoonAndSunWindows)->Unit(benchmark::kMillisecond);

void BM_AnimationTickWithoutWindows(benchmark::State& state) { Tick(state, false); }
BENCHMARK(BM_AnimationTickWithoutWindows)->Unit(benchmark::kMillisecond);

void BM_ThreeWindowRefreshes(benchmark::State& state) {
  MainWindowFixture f(true);
  zenitra::InfoWindowMoment m = f.window->ShownInfoMoment();
  for (auto _ : state) {
    m.Minute = (m.Minute + 1) % 60;
    f.window->Information().RefreshVisible(m);
  }
}
BENCHMARK(BM_ThreeWindowRefreshes)->Unit(benchmark::kMillisecond);

}  // namespace
