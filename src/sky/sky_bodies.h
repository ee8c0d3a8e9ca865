#pragma once
// The Sun, the Moon and the planets on the sky map (drawn after the constellation names) and the
// two panels over the sky: the Galilean moons of Jupiter and the phase of Venus. The placement of
// every body and the geometry of both panels are plain functions that tests call without drawing;
// the Draw functions only paint what they return.
#include <QColor>
#include <QImage>
#include <QLocale>
#include <QPoint>
#include <QPointF>
#include <QString>
#include <array>
#include <optional>
#include <string_view>

#include "core/shared_types.h"
#include "planets/galilean_moons.h"
#include "planets/physical_ephemeris.h"
#include "planets/planet_position.h"
#include "sky/position_registers.h"
#include "sky/projection.h"
#include "ui/sky_state.h"

namespace zenitra {

class SkyCanvas;

/// The planets drawn on the map, in drawing order (Neptun is not drawn).
inline constexpr std::array<std::string_view, 6> kMapPlanets = {"Merkur", "Venus",  "Mars",
                                                                "Jupiter", "Saturn", "Uranus"};

/// A body picture: its resource number and where its top-left corner lies relative to the body's
/// pixel (Sun 1160 at (-8, -9); planets 1171..1177 at (-4, -4), Saturn 1176 at (-9, -4); Moon
/// phases 1460..1467 at (-7, -7)).
struct BodyPicture {
  int Number = 0;
  int Dx = 0;
  int Dy = 0;
};
/// The picture of a planet by its German name; nullopt for the Earth, Neptun and other names.
[[nodiscard]] std::optional<BodyPicture> MapPlanetPicture(std::string_view name);
/// The body bitmap of a resource number with black transparent, loaded once per program
/// (a null image for a number without a bitmap).
[[nodiscard]] const QImage& CachedSkyBitmap(int number);

/// Right ascension and declination in radians, as the map places a body.
struct SkyPlace {
  double AlphaRad = 0.0;
  double DeltaRad = 0.0;
};
/// A planet from the split fields of its record: alpha = (hours + minutes / 60) pi / 12,
/// delta = (degrees + minutes / 60) pi / 180.
[[nodiscard]] SkyPlace PlanetSkyPlace(const PlanetEphemeris& ephemeris);
/// The Sun from the Earth's heliocentric longitude L (degrees): lambda = (L + 180) pi / 180, not
/// reduced, stands in for the right ascension; delta = 0.4092797095926703 sin lambda (an
/// amplitude of 23.45 degrees).
[[nodiscard]] SkyPlace SunSkyPlace(double earthLongitudeDeg);

/// Phase step of the Moon: k = round((alpha - lambdaSun) 4 / pi), halves to even, with
/// lambdaSun = (L + 180) pi / 180 less 2 pi when above 2 pi. alpha is the Moon's right ascension
/// in radians. Non-finite input gives a k outside -8..8.
[[nodiscard]] int MoonPhaseStep(double moonAlphaRad, double earthLongitudeDeg);
/// Picture number 1460 + index for a phase step: index k + 8 for k = -8..-1, k for 0..7, 0 for 8;
/// nullopt (no picture) for any other k.
[[nodiscard]] std::optional<int> MoonPhasePicture(int k);

/// Draws the six planets, the Sun and, when `moonOn`, the Moon at the frame's moment, each with its
/// picture and name in the canvas's current font, and registers each visible body in `bodies`.
void DrawSolarSystemBodies(SkyCanvas& canvas, const ProjectionFrame& frame, const Location& place, bool moonOn,
                           ScreenPoint& point, PositionRegister& bodies);

// ---- Galilean moons panel ----------------------------------------------------------------------

/// The panel is drawn only for the shown years 1900 to 2100 inclusive.
[[nodiscard]] bool GalileanPanelShown(int year);
/// A moon of the panel: name, colour and pixel (px, py), depth pz = round(25 - 5.5 Z).
struct GalileanMoonMark {
  QString Name;
  QColor Colour;
  int Px = 0;
  int Py = 0;
  int Pz = 0;
  bool Hidden = false;  ///< behind Jupiter: pz <= 25 and 151 <= px <= 169
};
/// Whether a moon at column px with depth pz is hidden behind Jupiter's picture.
[[nodiscard]] bool HiddenBehindJupiter(int px, int pz);
/// The four moons Io, Europa, Ganymed, Kallisto: px = round(160 - 5.5 X), py = round(25 + 6 Y),
/// pz = round(25 - 5.5 Z) (halves to even).
[[nodiscard]] std::array<GalileanMoonMark, 4> GalileanMoonMarks(const std::array<MoonOffset, 4>& moons);
/// Draws the panel in the top left corner (1, 1)-(320, 60): Jupiter's picture at (152, 21), the
/// moons and the legend.
void DrawGalileanMoonsPanel(SkyCanvas& canvas, const std::array<MoonOffset, 4>& moons);

// ---- Venus phase panel -------------------------------------------------------------------------

/// A circle in panel pixels.
struct PanelCircle {
  QPointF Centre;
  double Radius = 0.0;
};
/// The circle through three points: centre from the perpendicular bisectors, radius by the sine
/// rule |a / sin A / 2| (0 when sin A = 0). nullopt when the points are collinear or the circle is
/// too large to draw (radius beyond 1e6 pixels).
[[nodiscard]] std::optional<PanelCircle> CircleThroughPoints(QPointF p1, QPointF p2, QPointF p3);

/// Geometry of the Venus disc for a bright-limb position angle p and a phase angle i (degrees) and
/// a diameter d (arc seconds, drawn as d pixels of radius), in the frame centred at (100, 110)
/// (the disc itself is drawn 15 pixels further left).
struct VenusPhaseGeometry {
  double IlluminatedFraction = 1.0;  ///< k = (1 + cos i) / 2
  double S = 0.0;                    ///< 2 d (0.5 - k), or 2 d 0.01 when |k - 0.5| < 0.002
  QPointF P1, P2, P3, P4;            ///< diameter ends at chi = p - 90, terminator point, limb at chi + 90
  bool DarkPartDrawn = false;        ///< k < 0.96
  std::optional<PanelCircle> Terminator;  ///< circle through P1, P2, P3 (when the dark part is drawn)
};
[[nodiscard]] VenusPhaseGeometry VenusPhaseGeometryOf(double brightLimbDeg, double phaseAngleDeg,
                                                      double diameterArcsec);

/// A number with grouping and a fixed number of decimals in the locale's format (the "%.2n" and
/// "%.1n" conversions): 1234.5 with 2 decimals in German is "1.234,50".
[[nodiscard]] QString GroupedNumber(double value, int decimals, const QLocale& locale);
/// The four texts of the panel: "Venusscheibe", "Durchmesser d\"", "Helligkeit m mag",
/// "Beleuchteter Teil 100k".
[[nodiscard]] std::array<QString, 4> VenusPanelTexts(const PhysicalData& venus, const QLocale& locale);

/// Fills the 4-connected area of colour `target` that contains `seed` with `replacement`; nothing
/// when the seed lies outside the image or has another colour. Returns the number of pixels filled.
int FloodFill(QImage& image, QPoint seed, QRgb target, QRgb replacement);

/// The panel as a 160 x 250 picture: disc, dark part, texts and white frame.
[[nodiscard]] QImage VenusPhasePanel(const PhysicalData& venus, const QLocale& locale);

/// Draws both panels as the switches say: the Galilean moons (years 1900..2100) and the Venus phase
/// at the top right corner. `locale` formats the numbers of the Venus panel.
void DrawSkyPanels(SkyCanvas& canvas, const ProjectionFrame& frame, const ShownMoment& moment,
                   const DisplaySwitches& switches, const QLocale& locale);

/// Panel colours.
namespace panel_colours {
inline const QColor VenusDisc{255, 255, 0};
inline const QColor Io{255, 255, 0};
inline const QColor Europa{255, 255, 255};
inline const QColor Ganymed{0, 208, 255};
inline const QColor Kallisto{255, 0, 255};
}  // namespace panel_colours

}  // namespace zenitra
