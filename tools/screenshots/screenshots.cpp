// Pictures of every window into a folder, for the documentation: the main window, the Sun, Moon,
// planet and ephemeris windows, the moon phase calendar, the year calendar, the day-night map and
// the orbits window. Run headless at scale 1 and 2:
//   QT_QPA_PLATFORM=offscreen build/tools/zenitra_screenshots docs/screenshots/scale1
//   QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=2 build/tools/zenitra_screenshots docs/screenshots/scale2
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <cstdio>

#include "calendar_windows/day_night_window.h"
#include "calendar_windows/moon_calendar_window.h"
#include "calendar_windows/year_calendar_window.h"
#include "planet_windows/orbits_window.h"
#include "ui/catalogue.h"
#include "app/tfhimmel.h"
#include "info_windows/information_windows.h"
#include "info_windows/tephem.h"
#include "info_windows/tumond.h"
#include "info_windows/tuplanet.h"
#include "info_windows/tusonne.h"

namespace {

void Save(QWidget& w, const QString& folder, const QString& name) {
  w.show();
  QApplication::processEvents();
  const QString path = folder + QLatin1Char('/') + name + QStringLiteral(".png");
  if (!w.grab().save(path)) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: zenitra_screenshots FOLDER\n");
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(folder);
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  QTemporaryDir settings;
  using namespace zenitra;
  Tfhimmel main(LoadCatalogue(), settings.path());
  main.ShowMessage = [](const QString&) {};
  Save(main, folder, QStringLiteral("main"));
  const InfoWindowMoment moment = main.ShownInfoMoment();
  InformationWindows& info = main.Information();
  info.ShowSun(moment);
  Save(info.Sun(), folder, QStringLiteral("sun"));
  info.ShowMoon(moment);
  Save(info.Moon(), folder, QStringLiteral("moon"));
  info.ShowEphemeris(moment);
  Save(info.Ephemeris(), folder, QStringLiteral("ephemeris"));
  info.RunModal = [&](Tuplanet& w) { Save(w, folder, QStringLiteral("planet")); };
  info.OpenPlanet(QStringLiteral("Jupiter"), moment);
  Tfmoon moonCalendar;
  Save(moonCalendar, folder, QStringLiteral("moon_calendar"));
  Tukalender yearCalendar(main.View().Place);
  yearCalendar.show();
  yearCalendar.YearEdit()->setText(QStringLiteral("2026"));
  yearCalendar.Button1Click();
  Save(yearCalendar, folder, QStringLiteral("year_calendar"));
  Tftag dayNight(main.frameGeometry().width(), main.frameGeometry().height());
  Save(dayNight, folder, QStringLiteral("day_night"));
  Tzastro37 orbits(main.frameGeometry().width(), main.frameGeometry().height());
  Save(orbits, folder, QStringLiteral("orbits"));
  return 0;
}
