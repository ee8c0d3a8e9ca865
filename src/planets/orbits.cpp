#include "planets/orbits.h"

#include "core/degree_math.h"
#include "core/time_scales.h"
#include "planets/planet_position.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace zenitra {

namespace {

double ParseNumber(const std::string& text) {
  double v = 0.0;
  std::from_chars(text.data(), text.data() + text.size(), v);  // decimal point, as stored
  return v;
}

// Rounds a pixel offset; callers pass bounded values, NaN gives 0.
int RoundPixel(double v) {
  if (!std::isfinite(v)) return 0;
  if (v > 1e8) return 100000000;
  if (v < -1e8) return -100000000;
  return static_cast<int>(std::lround(v));
}

// Reduce by 360 while above 360, in bounded time.
double ReduceWhileAbove360(double m) {
  if (m > 360.0) {
    m = std::fmod(m, 360.0);
    if (m == 0.0) m = 360.0;
  }
  return m;
}

}  // namespace

const std::vector<std::string>& OrbitListData() {
  static const std::vector<std::string> list = {
      "Erde", "103", "1", "0.016719", "0", "0",
      "Merkur", "77", "0.387", "0.2056", "0", "0",
      "Venus", "131", "0.7233", "0.0068", "0", "0",
      "Mars", "336", "1.52369", "0.0934", "0", "0",
      "Jupiter", "14", "5.2032", "0.0482", "0", "0",
      "Saturn", "93", "9.5210", "0.0550", "0", "0",
      "Uranus", "170", "19.162", "0.0472", "0", "0",
      "Neptun", "44", "30.029", "0.010", "0", "0",
      "Zwergplanet Pluto", "223", "39.354", "0.246", "1981.4125", "251.370",
      "Asteroid Ceres", "72.5898", "2.7654", "0.079138", "1999.9954", "5.0856",
      "Asteroid Vesta", "149.986", "2.3607", "0.0906", "1990.3589", "3.63",
      "Asteroid Davida", "339.207", "3.1728", "0.1783", "1990.3589", "5.689",
      "Asteroid Pallas", "309.724", "2.77111", "0.23359", "2000.1656", "4.613",
      "Asteroid Eros", "178.581472", "1.4584", "0.22292239", "1997.9614", "1.76123",
      "Asteroid Aten", "147.9", "0.967", "0.1892", "2002.345205", "0.9509",
      "Asteroid Hathor", "356.0", "0.832", "0.5252", "2002.345205", "0.7589",
      "Asteroid Icarus", "31.3", "1.078", "0.7672", "2002.345205", "1.1193",
      "Asteroid Apollo", "285.7", "1.471", "0.3807", "2002.345205", "1.7841",
  };
  return list;
}

std::vector<std::string> OrbitObjectNames() {
  const auto& list = OrbitListData();
  std::vector<std::string> names;
  for (std::size_t i = 0; i < list.size(); i += 6) {
    if (!list[i].empty() && list[i][0] == '[') break;
    names.push_back(list[i]);
  }
  return names;
}

std::optional<OrbitObject> FindOrbitObject(std::string_view name) {
  const auto& list = OrbitListData();
  for (std::size_t i = 0; i + 5 < list.size(); i += 6) {
    if (list[i] != name) continue;
    return OrbitObject{list[i], ParseNumber(list[i + 1]), ParseNumber(list[i + 2]), ParseNumber(list[i + 3]),
                       ParseNumber(list[i + 4]), ParseNumber(list[i + 5])};
  }
  return std::nullopt;
}

OrbitBodyKind KindOfOrbitBody(std::string_view name) {
  if (name.starts_with('Z')) return OrbitBodyKind::DwarfPlanet;
  if (name.starts_with('A')) return OrbitBodyKind::Asteroid;
  return OrbitBodyKind::Planet;
}

double SemiLatusRectum(const OrbitObject& o) {
  const double c = o.A * o.E;
  const double b = std::sqrt(o.A * o.A - c * c);
  return b * b / o.A;
}

PixelPoint OrbitPoint(const OrbitObject& o, double longitudeDeg, double scale, int xc, int yc) {
  const double rho = scale * SemiLatusRectum(o) / (o.E * CosDeg(longitudeDeg - o.Perihelion) + 1.0);
  return {xc + RoundPixel(CosDeg(longitudeDeg) * rho), yc - RoundPixel(SinDeg(longitudeDeg) * rho)};
}

std::array<PixelPoint, 181> OrbitPolyline(const OrbitObject& o, double scale, int xc, int yc) {
  std::array<PixelPoint, 181> points{};
  const double p = SemiLatusRectum(o);
  for (int k = 0; k < 181; ++k) {
    const double theta = 2.0 * k;
    const double rho = scale * p / (o.E * CosDeg(theta) + 1.0);
    points[static_cast<std::size_t>(k)] = {xc + RoundPixel(CosDeg(theta + o.Perihelion) * rho),
                                           yc - RoundPixel(SinDeg(theta + o.Perihelion) * rho)};
  }
  return points;
}

std::optional<double> EpochJulianDay(double epoch) {
  if (!std::isfinite(epoch) || std::fabs(epoch) > 100000.0) return std::nullopt;
  const double whole = std::trunc(epoch);
  const double q = (epoch - whole) * 365.25 / 30.0;
  const int month = static_cast<int>(std::lround(q));
  const int day = static_cast<int>(std::lround((q - std::trunc(q)) * 30.0));
  // The epoch of the elements is a date, not a place's clock: 0 h UT. ZoneMidnightJulianDay does
  // not validate, so month 0 or 13 and day 0 count on into the neighbouring month or year.
  return ZoneMidnightJulianDay(static_cast<int>(whole), month, day, 0.0);
}

std::optional<PixelPoint> BodyPixel(const OrbitObject& o, double jd, double scale, int xc, int yc) {
  if (!std::isfinite(jd)) return std::nullopt;
  const OrbitBodyKind kind = KindOfOrbitBody(o.Name);
  if (kind == OrbitBodyKind::Planet) return OrbitPoint(o, HeliocentricLongitude(o.Name, jd), scale, xc, yc);
  const std::optional<double> jdEpoch = EpochJulianDay(o.Epoch);
  if (!jdEpoch || !(o.Period != 0.0) || !std::isfinite(o.Period)) return std::nullopt;
  const double motion = (jd - *jdEpoch) * 360.0 / 365.25 / o.Period;
  if (kind == OrbitBodyKind::DwarfPlanet) {
    return OrbitPoint(o, ReduceWhileAbove360(motion + o.Perihelion), scale, xc, yc);
  }
  // Asteroid: the point opposite the uniformly moving one through the centre of the ellipse, so
  // that the body moves uniformly as seen from the empty focus.
  const double p = SemiLatusRectum(o);
  const double rp = scale * p / (1.0 + o.E);
  const double ra = scale * p / (1.0 - o.E);
  const PixelPoint peri{xc + RoundPixel(CosDeg(o.Perihelion) * rp), yc - RoundPixel(SinDeg(o.Perihelion) * rp)};
  const PixelPoint aph{xc + RoundPixel(CosDeg(o.Perihelion + 180.0) * ra),
                       yc - RoundPixel(SinDeg(o.Perihelion + 180.0) * ra)};
  const PixelPoint centre{(peri.X + aph.X) / 2, (peri.Y + aph.Y) / 2};  // truncation towards zero
  const PixelPoint q = OrbitPoint(o, ReduceWhileAbove360(motion + o.Perihelion + 180.0), scale, xc, yc);
  return PixelPoint{2 * centre.X - q.X, 2 * centre.Y - q.Y};
}

ScaleBarLayout ScaleBar(double scale) {
  const double k = std::round(50.0 / scale);
  if (std::isfinite(k) && k > 3.0 && k < 1e12) {
    return {RoundPixel(k * scale), true, k};
  }
  return {50, false, 50.0 / scale};
}

double EnlargedScale(double scale) {
  const double s = scale * std::sqrt(2.0);
  return s > kOrbitScaleMaximum ? kOrbitScaleMaximum : s;
}

double ReducedScale(double scale) {
  const double s = scale / std::sqrt(2.0);
  return s < kOrbitScaleMinimum ? kOrbitScaleMinimum : s;
}

OrbitRgb OrbitColour(int n) {
  static constexpr OrbitRgb kColours[7] = {{255, 255, 255}, {0, 0, 255},   {255, 0, 0},  {0, 255, 0},
                                           {0, 255, 255},   {255, 0, 255}, {255, 255, 0}};
  const int i = ((n % 7) + 7) % 7;
  return kColours[i];
}

std::string OrbitBodyLabel(std::string_view name) {
  std::size_t skip = 0;
  switch (KindOfOrbitBody(name)) {
    case OrbitBodyKind::Planet: break;
    case OrbitBodyKind::DwarfPlanet: skip = 12; break;
    case OrbitBodyKind::Asteroid: skip = 9; break;
  }
  return std::string(name.substr(std::min(skip, name.size())));
}

int OrbitBitmapNumber(std::string_view planet) {
  static constexpr std::string_view kNames[] = {"Merkur", "Venus",  "Erde",   "Mars",
                                                "Jupiter", "Saturn", "Uranus", "Neptun"};
  for (int i = 0; i < 8; ++i) {
    if (kNames[i] == planet) return 1171 + i;
  }
  return 0;
}

}  // namespace zenitra
