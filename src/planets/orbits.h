#pragma once
// Geometry of the planet orbits picture: the orbits of the planets, of Pluto and of nine
// asteroids seen from the north pole of the ecliptic, the Sun in the middle. Ecliptic longitude
// 0 degrees points to the right of the picture, 90 degrees upwards. Pixel values are whole
// pixels; every coordinate is rounded from a bounded value.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zenitra {

/// The element list of the orbits window as texts, six entries per object: name, longitude of
/// perihelion (degrees), semi-major axis (AE), eccentricity, epoch (decimal year), period
/// (years). Planets carry 0 for epoch and period.
[[nodiscard]] const std::vector<std::string>& OrbitListData();

/// Elements of one object of the list, parsed from its texts.
struct OrbitObject {
  std::string Name;
  double Perihelion = 0.0;  ///< longitude of perihelion, degrees
  double A = 0.0;           ///< semi-major axis, AE
  double E = 0.0;           ///< eccentricity
  double Epoch = 0.0;       ///< decimal year (Pluto and asteroids only)
  double Period = 0.0;      ///< years (Pluto and asteroids only)
};

/// The names of the check list: every sixth entry of OrbitListData from the first on, stopping
/// at the end of the list or at an entry that begins with "[".
[[nodiscard]] std::vector<std::string> OrbitObjectNames();

/// The object of that name (compared exactly), or nullopt.
[[nodiscard]] std::optional<OrbitObject> FindOrbitObject(std::string_view name);

struct PixelPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

/// Kind of body, from the first letter of its name: "Z..." Pluto, "A..." an asteroid,
/// anything else a planet.
enum class OrbitBodyKind { Planet, DwarfPlanet, Asteroid };
[[nodiscard]] OrbitBodyKind KindOfOrbitBody(std::string_view name);

/// The semi-latus rectum p = b^2 / a (AE) of an orbit.
[[nodiscard]] double SemiLatusRectum(const OrbitObject& o);

/// The point of an orbit at true longitude `longitudeDeg` (degrees), at `scale` pixels per AE
/// about the centre (xc, yc): rho = scale p / (e cos(L - perihelion) + 1).
[[nodiscard]] PixelPoint OrbitPoint(const OrbitObject& o, double longitudeDeg, double scale, int xc, int yc);

/// The orbit polyline: 181 points for true anomaly 0, 2, ... 360 degrees.
[[nodiscard]] std::array<PixelPoint, 181> OrbitPolyline(const OrbitObject& o, double scale, int xc, int yc);

/// Julian Day of an epoch given as a decimal year: year = whole part; with f the fraction and
/// q = f 365.25 / 30, month = round(q), day = round(frac(q) 30); 0 h UT of that date.
/// A non-finite or absurd epoch (beyond +-100000 years) gives nullopt.
[[nodiscard]] std::optional<double> EpochJulianDay(double epoch);

/// Where a body stands in the picture on the Julian Day `jd`:
/// planets by their heliocentric longitude, Pluto by a uniform motion in longitude from its
/// epoch, an asteroid by a uniform motion seen from the empty focus. nullopt for an object
/// whose epoch or period cannot be used, or for a non-finite jd.
[[nodiscard]] std::optional<PixelPoint> BodyPixel(const OrbitObject& o, double jd, double scale, int xc, int yc);

/// Scale bar of the picture: length in pixels and the value of the label in AE.
struct ScaleBarLayout {
  int Length = 50;
  bool WholeNumber = false;  ///< label "%d AE" with Value, else "%.2n AE"
  double Value = 1.0;
};
[[nodiscard]] ScaleBarLayout ScaleBar(double scale);

/// Scale changes of the three buttons (pixels per AE).
inline constexpr double kOrbitScaleDefault = 50.0;
inline constexpr double kOrbitScaleMaximum = 500.0;
/// Reducing has no practical lower limit; this floor only keeps 50 / scale finite.
inline constexpr double kOrbitScaleMinimum = 1e-6;
[[nodiscard]] double EnlargedScale(double scale);
[[nodiscard]] double ReducedScale(double scale);

/// Orbit colour for the n-th drawn object (n counted from 0): red-green-blue of
/// white, blue, red, green, cyan, magenta, yellow, repeating.
struct OrbitRgb {
  int R, G, B;
};
[[nodiscard]] OrbitRgb OrbitColour(int n);

/// The label drawn beside a body: the name, for Pluto from its 13th character on ("Pluto"), for
/// an asteroid from its 10th on (without "Asteroid ").
[[nodiscard]] std::string OrbitBodyLabel(std::string_view name);

/// Resource number of the orbit bitmap of a planet (1171 ... 1178), or 0 for other names.
[[nodiscard]] int OrbitBitmapNumber(std::string_view planet);

}  // namespace zenitra
