// Memory: the peak resident set (VmHWM) of a process that starts Zenitra as the program does and
// opens every window at once (Sun, Moon, ephemeris, a planet, moon phase calendar, orbits, year
// calendar, day-night map), each painted, beside that of a process showing an empty QMainWindow.
// Both run as fresh processes of this program on the offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QMainWindow>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>

#include "calendar_windows/day_night_window.h"
#include "calendar_windows/moon_calendar_window.h"
#include "calendar_windows/year_calendar_window.h"
#include "core/time_scales.h"
#include "planet_windows/orbits_window.h"
#include "ui/catalogue.h"
#include "ui/fonts.h"
#include "app/tfhimmel.h"

namespace {

// VmHWM of /proc/self/status in MB; 0 where the file is not there.
double PeakResidentMegabytes() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return 0.0;
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
  }
  return 0.0;
}

double ChildPeakMegabytes(const QString& which) {
  QProcess child;
  child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--memory-child=") + which});
  child.waitForFinished(120000);
  return child.readAllStandardOutput().trimmed().toDouble();
}

void BM_PeakMemoryWithEveryWindowOpenVersusEmptyMainWindow(benchmark::State& state) {
  double zenitra = 0.0;
  double empty = 0.0;
  for (auto _ : state) {
    zenitra = ChildPeakMegabytes(QStringLiteral("zenitra"));
    empty = ChildPeakMegabytes(QStringLiteral("empty"));
  }
  state.counters["zenitra_mb"] = zenitra;
  state.counters["empty_mb"] = empty;
  state.counters["ratio"] = empty > 0.0 ? zenitra / empty : 0.0;
}
BENCHMARK(BM_PeakMemoryWithEveryWindowOpenVersusEmptyMainWindow)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

// The child process: prints its peak resident set in MB after showing and painting its windows.
int RunMemoryChild(int argc, char** argv, const char* which) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  const bool zenitraWindows = std::strcmp(which, "zenitra") == 0;
  if (zenitraWindows) zenitra::StartReadingFontConfiguration();  // as the program starts
  QApplication app(argc, argv);
  const auto settle = [] {
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
  };
  if (zenitraWindows) {
    (void)zenitra::Startup();
    QTemporaryDir settings;
    zenitra::Tfhimmel window(zenitra::LoadCatalogue(), settings.path());
    window.show();
    settle();
    const zenitra::InfoWindowMoment moment = window.ShownInfoMoment();
    window.Information().ShowSun(moment);
    window.Information().ShowMoon(moment);
    window.Information().ShowEphemeris(moment);
    zenitra::Tuplanet planet(QStringLiteral("Saturn"), moment, window.View().Place, &window);
    planet.show();
    zenitra::Tfmoon moonCalendar(&window);
    moonCalendar.show();
    const QSize outer = window.frameGeometry().size();
    zenitra::Tzastro37 orbits(outer.width(), outer.height(), &window);
    orbits.show();
    zenitra::Tukalender yearCalendar(window.View().Place, &window);
    yearCalendar.show();
    zenitra::Tftag dayNight(outer.width(), outer.height(), &QDateTime::currentDateTime, &window);
    dayNight.show();
    settle();
    std::printf("%.2f\n", PeakResidentMegabytes());
    return 0;
  }
  QMainWindow window;
  window.resize(1070, 751);
  window.show();
  settle();
  std::printf("%.2f\n", PeakResidentMegabytes());
  return 0;
}
