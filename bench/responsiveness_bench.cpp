// The main window animating at speed 100 (a 1 ms timer) with every layer, the Moon, both panels
// and all names on: how long an input event waits before the event loop delivers it, and how many
// drawings are made meanwhile. The event stands for a menu click or a mouse move of a drag.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTemporaryDir>

#include "sky/catalogue.h"
#include "sky/settings.h"
#include "sky/tfhimmel.h"

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

void BM_InputLatencyWhileAnimatingAtSpeed100(benchmark::State& state) {
  QTemporaryDir folder;
  zenitra::SettingsValues settings;
  settings.Place = QStringLiteral("Chemnitz, D");
  settings.Simulation = 99;  // the largest speed the file keeps; the spin box goes to 100 below
  zenitra::DisplaySwitches& s = settings.Switches;
  s.Ecliptic = s.Equator = s.Grid = s.Meridian = s.AltitudeLines = s.Moon = s.Horizon = true;
  s.ConstellationLines = s.Boundaries = s.StarInformation = s.Zodiac = s.Jupiter = s.Venus = true;
  s.StarNames = 3;
  s.ConstellationNames = 1;
  (void)zenitra::WriteSettingsFile(zenitra::SettingsFilePath(folder.path()), settings);

  zenitra::Tfhimmel window(zenitra::LoadCatalogue(), folder.path());
  window.ShowMessage = [](const QString&) {};
  qint64 drawings = 0;
  window.LayerHooks.Panels = [&drawings](zenitra::SkyCanvas&, const zenitra::ProjectionFrame&) { ++drawings; };
  window.resize(1070, 751);
  window.show();
  window.FormActivate();
  window.RxSpinEdit1->setValue(100);
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

}  // namespace
