// The sky drawing with every layer on, all names, the panorama, the Sun, the Moon, the planets and
// both panels, against the floor of filling and copying an image of the same size (what any
// drawing of the window must at least do).
#include <benchmark/benchmark.h>

#include <QPainter>

#include "ui/catalogue.h"
#include "sky/panorama.h"
#include "sky/sky_bodies.h"
#include "sky/sky_renderer.h"
#include "ui/vector_state.h"

namespace {

const zenitra::Catalogue& Data() {
  static const zenitra::Catalogue catalogue = zenitra::LoadCatalogue();
  return catalogue;
}

zenitra::SkyView EverythingOn() {
  zenitra::SkyView v;
  v.Place = zenitra::Location{"Chemnitz, D", 50.836667, 12.854444, 1.0, "Europe/Berlin"};
  v.Moment = zenitra::ShownMoment{2024, 12, 24, 22, 0, 0};
  zenitra::DisplaySwitches& s = v.Switches;
  s.Ecliptic = s.Equator = s.Grid = s.Meridian = s.AltitudeLines = s.Moon = s.Horizon = true;
  s.ConstellationLines = s.Boundaries = s.StarInformation = s.Zodiac = true;
  s.Jupiter = s.Venus = true;  // the Galilean moons and the Venus phase panels
  s.StarNames = 3;
  s.ConstellationNames = 1;
  return v;
}

// What a drawing of the map needs besides the picture.
struct MapInputs {
  zenitra::SkyView View = EverythingOn();
  zenitra::SkyPictures Pictures = zenitra::LoadHorizonPictures();
  zenitra::SkyGeometry Geometry = zenitra::PrepareSkyGeometry(Data());
  zenitra::PositionRegisters Registers;
};

void BM_Malen(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0));
  const int h = static_cast<int>(state.range(1));
  MapInputs in;
  QImage target(w, h, QImage::Format_RGB32);
  for (auto _ : state) {
    // A new image, the drawing, one copy to the surface.
    QImage image = zenitra::RenderSky(w, h, in.View, Data(), in.Geometry, in.Pictures, in.Registers);
    QPainter p(&target);
    p.drawImage(0, 0, image);
    benchmark::DoNotOptimize(target.constBits());
  }
}
BENCHMARK(BM_Malen)->Args({1054, 664})->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);

// As the map widget draws a frame: straight into its part of the window's backing store, which
// it keeps between frames (no picture of its own, no copy; the platform shows the store).
void BM_MalenIntoSurface(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0));
  const int h = static_cast<int>(state.range(1));
  MapInputs in;
  QImage surface(w, h, QImage::Format_RGB32);
  surface.setDotsPerMeterX(3780);
  surface.setDotsPerMeterY(3780);
  for (auto _ : state) {
    zenitra::malen(surface, in.View, Data(), in.Geometry, in.Pictures, in.Registers);
    benchmark::DoNotOptimize(surface.constBits());
  }
}
BENCHMARK(BM_MalenIntoSurface)->Args({1054, 664})->Args({3840, 2160})->Unit(benchmark::kMillisecond);

// The solar-system layers alone: planets, Sun and Moon with their pictures, then both panels.
void BM_BodiesAndPanels(benchmark::State& state) {
  const zenitra::SkyView view = EverythingOn();
  QImage image(1054, 664, QImage::Format_RGB32);
  image.setDotsPerMeterX(3780);
  image.setDotsPerMeterY(3780);
  image.fill(Qt::black);
  const zenitra::ProjectionFrame frame =
      zenitra::MakeProjectionFrame(1054, 664, view.Moment, view.Place, 0.0, false);
  zenitra::PositionRegister bodies;
  QPainter painter(&image);
  zenitra::SkyCanvas canvas(painter);
  zenitra::ResetVectorStateAfterPainting();
  for (auto _ : state) {
    zenitra::ScreenPoint point;
    bodies.Clear();
    zenitra::DrawSolarSystemBodies(canvas, frame, view.Place, true, point, bodies);
    benchmark::DoNotOptimize(bodies);
    zenitra::DrawSkyPanels(canvas, frame, view.Moment, view.Switches, QLocale());
  }
}
BENCHMARK(BM_BodiesAndPanels)->Unit(benchmark::kMicrosecond);

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
BENCHMARK(BM_Floor)->Args({1054, 664})->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);

}  // namespace
