// Start-up: from starting the process to the first painted main window, for Zenitra (settings in
// an empty folder, the catalogue loaded, the window shown) and for an empty QMainWindow of the
// same size, each in a fresh process of this program on the offscreen platform, alternately in one
// run. The ratio Zenitra / empty window is the figure to watch.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QMainWindow>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <cstring>

#include "core/time_scales.h"
#include "ui/catalogue.h"
#include "ui/fonts.h"
#include "app/tfhimmel.h"

namespace {

// Ends the program as soon as the watched widget has painted once.
class QuitAfterPaint : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    return QObject::eventFilter(watched, event);
  }
};

double ChildMilliseconds(const QString& which) {
  QElapsedTimer clock;
  clock.start();
  QProcess child;
  child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--startup-child=") + which});
  child.waitForFinished(60000);
  return static_cast<double>(clock.nsecsElapsed()) * 1e-6;
}

void BM_StartUpToFirstPaintVersusEmptyMainWindow(benchmark::State& state) {
  double zenitra = 0.0;
  double empty = 0.0;
  for (auto _ : state) {
    const double z = ChildMilliseconds(QStringLiteral("zenitra"));
    empty += ChildMilliseconds(QStringLiteral("empty"));
    zenitra += z;
    state.SetIterationTime(z * 1e-3);
  }
  state.counters["empty_ms"] = empty / static_cast<double>(state.iterations());
  state.counters["zenitra_ms"] = zenitra / static_cast<double>(state.iterations());
  state.counters["ratio"] = zenitra / empty;
}
BENCHMARK(BM_StartUpToFirstPaintVersusEmptyMainWindow)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

}  // namespace

// The child process: "zenitra" starts as the program does; "empty" shows a bare QMainWindow.
int RunStartUpChild(int argc, char** argv, const char* which) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  const bool zenitraWindow = std::strcmp(which, "zenitra") == 0;
  if (zenitraWindow) zenitra::StartReadingFontConfiguration();  // as the program starts
  QApplication app(argc, argv);
  QuitAfterPaint quit;
  if (zenitraWindow) {
    (void)zenitra::Startup();
    QTemporaryDir settings;
    zenitra::Tfhimmel window(zenitra::LoadCatalogue(), settings.path());
    window.PB1->installEventFilter(&quit);
    window.show();
    return QApplication::exec();
  }
  QMainWindow window;
  window.resize(1070, 751);
  window.installEventFilter(&quit);
  window.show();
  return QApplication::exec();
}
