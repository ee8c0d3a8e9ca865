// The main window animating at speed 100 (a 1 ms timer) with every layer, the Moon, both panels
// and all names on: how long an input event waits before the event loop delivers it, and how many
// drawings are made meanwhile. The event stands for a menu click or a mouse move of a drag.
// Also the same window at top speed for 10 s of wall-clock time on the event loop: the share of one
// core the process used (user + system time over wall time), the drawings per second, and the
// simulated minutes per second (step "1 Minute") against the nominal one step per interval; the
// same 10 s with the animation stopped are the floor (an idle window).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <memory>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include "core/time_scales.h"
#include "ui/catalogue.h"
#include "app/settings.h"
#include "app/tfhimmel.h"

namespace {

// Receives the posted "input" events and notes when the last one arrived.
class InputProbe : public QObject {
 public:
  bool delivered = false;

 protected:
  bool event(QEvent* e) override {
    if (e->type() != QEvent::User) return QObject::event(e);
    delivered = true;
    return true;
  }
};

// The main window with every layer, the Moon, both panels and all names on, shown, at speed 100;
// `drawings` counts the drawings.
std::unique_ptr<zenitra::Tfhimmel> OpenEveryLayerWindow(const QTemporaryDir& folder, qint64& drawings) {
  zenitra::SettingsValues settings;
  settings.Place = QStringLiteral("Chemnitz, D");
  settings.Simulation = 99;  // the largest speed the file keeps; the spin box goes to 100 below
  zenitra::DisplaySwitches& s = settings.Switches;
  s.Ecliptic = s.Equator = s.Grid = s.Meridian = s.AltitudeLines = s.Moon = s.Horizon = true;
  s.ConstellationLines = s.Boundaries = s.StarInformation = s.Zodiac = s.Jupiter = s.Venus = true;
  s.StarNames = 3;
  s.ConstellationNames = 1;
  (void)zenitra::WriteSettingsFile(zenitra::SettingsFilePath(folder.path()), settings);

  auto window = std::make_unique<zenitra::Tfhimmel>(zenitra::LoadCatalogue(), folder.path());
  window->ShowMessage = [](const QString&) {};
  window->LayerHooks.Panels = [&drawings](zenitra::SkyCanvas&, const zenitra::ProjectionFrame&) { ++drawings; };
  window->resize(1070, 751);
  window->show();
  window->FormActivate();
  window->RxSpinEdit1->setValue(100);
  return window;
}

void BM_InputLatencyWhileAnimatingAtSpeed100(benchmark::State& state) {
  QTemporaryDir folder;
  qint64 drawings = 0;
  const std::unique_ptr<zenitra::Tfhimmel> owned = OpenEveryLayerWindow(folder, drawings);
  zenitra::Tfhimmel& window = *owned;
  window.StartStop();

  InputProbe probe;
  QElapsedTimer clock;
  QElapsedTimer total;
  total.start();
  qint64 turns = 0;
  for (auto _ : state) {
    probe.delivered = false;
    clock.start();
    QCoreApplication::postEvent(&probe, new QEvent(QEvent::User));
    while (!probe.delivered) {
      QCoreApplication::processEvents(QEventLoop::AllEvents);
      ++turns;
    }
    state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) * 1e-9);
  }
  window.StartStop();
  const double seconds = static_cast<double>(total.nsecsElapsed()) * 1e-9;
  state.counters["drawings_per_s"] = benchmark::Counter(static_cast<double>(drawings) / seconds);
  state.counters["loop_turns_per_s"] = benchmark::Counter(static_cast<double>(turns) / seconds);
}
BENCHMARK(BM_InputLatencyWhileAnimatingAtSpeed100)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec * 1e-6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Minutes since an arbitrary origin of a shown moment.
double MomentMinutes(const zenitra::ShownMoment& m) {
  return (zenitra::JulianDayOfDate(m.Year, m.Month, m.Day) * 24.0 + m.Hour) * 60.0 + m.Minute + m.Second / 60.0;
}

void RunTenSeconds(benchmark::State& state, bool animate) {
  QTemporaryDir folder;
  qint64 drawings = 0;
  const std::unique_ptr<zenitra::Tfhimmel> owned = OpenEveryLayerWindow(folder, drawings);
  zenitra::Tfhimmel& window = *owned;
  window.CB1->setCurrentIndex(2);  // "1 Minute"
  QCoreApplication::processEvents();

  qint64 wakes = 0;
  QObject::connect(window.Timer1, &QTimer::timeout, [&wakes] { ++wakes; });
  for (auto _ : state) {
    drawings = 0;
    wakes = 0;
    const double startMinutes = MomentMinutes(window.View().Moment);
    QEventLoop loop;
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    QElapsedTimer wall;
    const double cpu0 = CpuSeconds();
    wall.start();
    if (animate) window.StartStop();
    loop.exec();
    if (animate) window.StartStop();
    const double seconds = static_cast<double>(wall.nsecsElapsed()) * 1e-9;
    const double cpu = CpuSeconds() - cpu0;
    const double simulatedPerSecond = (MomentMinutes(window.View().Moment) - startMinutes) / seconds;
    state.SetIterationTime(seconds);
    state.counters["core_share"] = cpu / seconds;
    state.counters["drawings_per_s"] = static_cast<double>(drawings) / seconds;
    state.counters["timer_wakes_per_s"] = static_cast<double>(wakes) / seconds;
    state.counters["sim_min_per_s"] = simulatedPerSecond;
    state.counters["sim_vs_nominal"] = simulatedPerSecond / (1000.0 / window.StepIntervalMs());
  }
}

void BM_TopSpeedTenSecondsEveryLayer(benchmark::State& state) { RunTenSeconds(state, true); }
BENCHMARK(BM_TopSpeedTenSecondsEveryLayer)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

void BM_IdleTenSecondsEveryLayer(benchmark::State& state) { RunTenSeconds(state, false); }
BENCHMARK(BM_IdleTenSecondsEveryLayer)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
