// The sky drawing with every layer on, all names and the panorama, against the floor of filling
// and copying an image of the same size (what any drawing of the window must at least do).
#include <benchmark/benchmark.h>

#include <QPainter>

#include "sky/catalogue.h"
#include "sky/panorama.h"
#include "sky/sky_renderer.h"

namespace {

const zenitra::Catalogue& Data() {
  static const zenitra::Catalogue catalogue = zenitra::LoadCatalogue();
  return catalogue;
}

zenitra::SkyView EverythingOn() {
  zenitra::SkyView v;
  v.Place = zenitra::Location{"Chemnitz, D", 50.836667, 12.854444, 1.0};
  v.Moment = zenitra::ShownMoment{2024, 12, 24, 22, 0, 0};
  zenitra::DisplaySwitches& s = v.Switches;
  s.Ecliptic = s.Equator = s.Grid = s.Meridian = s.AltitudeLines = s.Moon = s.Horizon = true;
  s.ConstellationLines = s.Boundaries = s.StarInformation = s.Zodiac = true;
  s.StarNames = 3;
  s.ConstellationNames = 1;
  return v;
}

void BM_Malen(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0));
  const int h = static_cast<int>(state.range(1));
  const zenitra::SkyView view = EverythingOn();
  const zenitra::SkyPictures pictures = zenitra::LoadHorizonPictures();
  const zenitra::SkyGeometry geometry = zenitra::PrepareSkyGeometry(Data());
  zenitra::PositionRegisters registers;
  QImage target(w, h, QImage::Format_RGB32);
  for (auto _ : state) {
    // As the window does: a new image, the drawing, one copy to the surface.
    QImage image = zenitra::RenderSky(w, h, view, Data(), geometry, pictures, registers);
    QPainter p(&target);
    p.drawImage(0, 0, image);
    benchmark::DoNotOptimize(target.constBits());
  }
}
BENCHMARK(BM_Malen)->Args({1054, 664})->Args({1920, 1080})->Unit(benchmark::kMillisecond);

void BM_Floor(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0));
  const int h = static_cast<int>(state.range(1));
  QImage target(w, h, QImage::Format_RGB32);
  for (auto _ : state) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&target);
    p.drawImage(0, 0, image);
    benchmark::DoNotOptimize(target.constBits());
  }
}
BENCHMARK(BM_Floor)->Args({1054, 664})->Args({1920, 1080})->Unit(benchmark::kMillisecond);

}  // namespace
