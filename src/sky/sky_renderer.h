#pragma once
// The drawing of the sky map ("malen"): every layer in its order, onto an image (the window's
// backing store, or a picture of its own that the window copies in one piece). The geometry of each layer (label texts and positions,
// sampled polylines, rows of the altitude lines, direction letters, status text) is computed by
// the plain functions below, which tests call without drawing.
#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QLine>
#include <QPainter>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "core/shared_types.h"
#include "ui/canvas.h"
#include "ui/fonts.h"
#include "ui/catalogue.h"
#include "sky/position_registers.h"
#include "sky/projection.h"
#include "ui/sky_state.h"

namespace zenitra {

/// What the map shows: moment, place, view direction and switches.
struct SkyView {
  ShownMoment Moment;
  Location Place;
  int CentreAzimuth = 0;  ///< degrees, -180..180, from south positive towards west
  DisplaySwitches Switches;
  bool TimeRunsBackwards = false;  ///< the animation's direction, shown in the status line
};

/// The horizon panorama: landscape in colour on pure white, and its mask (white where the
/// landscape is, black where the sky shows); 2000 x 160 pixels each, Format_RGB32.
struct SkyPictures {
  QImage Landscape;  ///< "s36s"
  QImage Mask;       ///< "s37s"
};

struct SkyGeometry;

/// Extension points of the drawing: after the solar-system bodies (step 13), after the two panels
/// (step 19), and step 20 (the visible information windows receive the shown moment).
struct SkyLayerHooks {
  std::function<void(SkyCanvas&, const ProjectionFrame&, ScreenPoint&, PositionRegister& bodies)> Bodies;
  std::function<void(SkyCanvas&, const ProjectionFrame&)> Panels;
  std::function<void(const InfoWindowMoment&)> InformationWindows;
};

/// Draws every layer of the sky map into `canvas` (its size is the drawing area). Clears and fills
/// StarPositionList while star information is on, and BodyPositionList with the visible Sun, Moon
/// and planets. The numbers of the Venus panel follow the default QLocale.
void malen(QImage& canvas, const SkyView& view, const Catalogue& catalogue, const SkyGeometry& geometry,
           const SkyPictures& pictures, PositionRegisters& registers, const SkyLayerHooks& hooks = {});
/// The same, converting the catalogue's points for this one drawing.
void malen(QImage& canvas, const SkyView& view, const Catalogue& catalogue, const SkyPictures& pictures,
           PositionRegisters& registers, const SkyLayerHooks& hooks = {});

/// A new width x height image (96 dpi, Format_RGB32) with the map drawn into it.
[[nodiscard]] QImage RenderSky(int width, int height, const SkyView& view, const Catalogue& catalogue,
                               const SkyPictures& pictures, PositionRegisters& registers,
                               const SkyLayerHooks& hooks = {});
[[nodiscard]] QImage RenderSky(int width, int height, const SkyView& view, const Catalogue& catalogue,
                               const SkyGeometry& geometry, const SkyPictures& pictures,
                               PositionRegisters& registers, const SkyLayerHooks& hooks = {});

// ---- geometry and texts of the layers ----------------------------------------------------------

/// Colour of a spectral class index 1..8 (O B A F G K M S); white for any other index.
[[nodiscard]] QColor SpectralClassColour(int classIndex);
/// Radius of a star dot: round((19 - m) / 10), halves to even; > 1 draws a disc, else one pixel.
[[nodiscard]] int StarDotRadius(double magnitude);
/// Whether the star names mode labels a star of this magnitude (mode 1: m < 2.5, 2: m < 3.5,
/// 3: every drawn star, anything else: none).
[[nodiscard]] bool StarNameShown(int mode, double magnitude);
/// The label of a full star name: the text after the first comma (at most 250 characters), only
/// when it starts with an upper-case letter A..Z.
[[nodiscard]] std::optional<QString> StarLabel(const QString& fullName);

/// One point of a line layer: right ascension and declination in radians; a separator lifts the pen.
struct SkyPoint {
  bool Separator = false;
  double SinAlpha = 0.0;  ///< sin and cos of the right ascension and declination, all a drawing
  double CosAlpha = 1.0;  ///< needs of the point (40 bytes a point; some 11,000 are kept)
  double SinDelta = 0.0;
  double CosDelta = 1.0;
};
/// A point at right ascension `alphaRad`, declination `deltaRad`.
[[nodiscard]] SkyPoint MakeSkyPoint(double alphaRad, double deltaRad);
/// The points of STAR1 or STAR2 (two lines a point); (0, 0) or an unreadable point is a separator.
[[nodiscard]] std::vector<SkyPoint> CatalogueLinePoints(const QStringList& lines);
/// The same for points already parsed (a point at (0, 0) is a separator).
[[nodiscard]] std::vector<SkyPoint> CatalogueLinePoints(const std::vector<CataloguePoint>& points);
/// Ecliptic: lambda = -10, -7, ..., 368 degrees (127 points), delta = 0.4014257279586958 sin lambda.
[[nodiscard]] std::vector<SkyPoint> EclipticPoints();
/// Coordinate grid: five declination circles (92 points each) then six hour circles (74 points).
[[nodiscard]] std::vector<std::vector<SkyPoint>> GridLines();
/// Celestial equator: alpha = 0, 4, ..., 360 degrees (91 points).
[[nodiscard]] std::vector<SkyPoint> EquatorPoints();
/// Position of zodiac sign i (0 Aries .. 11 Pisces) and its German name.
[[nodiscard]] SkyPoint ZodiacPoint(int sign);
[[nodiscard]] QString ZodiacName(int sign);
[[nodiscard]] QString ZodiacSymbol(int sign);

/// The polyline rule: projects the points in order and reports each pen movement to the canvas.
void DrawPolyline(SkyCanvas& canvas, const ProjectionFrame& frame, const std::vector<SkyPoint>& points,
                  ScreenPoint& point, bool ofDate = false);

/// One constellation label of STAR5: position and the three names.
struct ConstellationLabel {
  QString Latin;
  QString German;
  QString Abbreviation;
  double Alpha = 0.0;
  double Delta = 0.0;
};
[[nodiscard]] std::vector<ConstellationLabel> ConstellationLabels(const QStringList& star5Lines);
/// The text a constellation names mode shows: 1 German, 2 Latin, 3 abbreviation, otherwise none.
[[nodiscard]] std::optional<QString> ConstellationLabelText(const ConstellationLabel& label, int mode);

/// The fixed points of every layer, converted from the catalogue text once: figures, boundaries,
/// constellation labels, ecliptic, equator, grid and the stars' declinations.
struct SkyGeometry {
  std::vector<SkyPoint> Figures;
  std::vector<SkyPoint> Boundaries;
  std::vector<SkyPoint> Ecliptic;
  std::vector<SkyPoint> Equator;
  std::vector<std::vector<SkyPoint>> Grid;
  std::vector<ConstellationLabel> Labels;
  std::vector<SkyPoint> Stars;  ///< parallel to Catalogue::Stars
};
[[nodiscard]] SkyGeometry PrepareSkyGeometry(const Catalogue& catalogue);


/// Row of altitude line i = 1..5 (altitude 15 i degrees) and its label "15i°  ".
[[nodiscard]] int AltitudeLineRow(int height, int i);
[[nodiscard]] QString AltitudeLineLabel(int i);

/// Summer hours of the shown clock time by the place's own rules; 0 with the summer-time switch off.
[[nodiscard]] double ShownSummerHours(const SkyView& view);

/// Status line: place name, ", ", the date "dd.mm.yyyy" and the time "hh:mm:ss" of the shown
/// moment, and " Sommerzeit" when the switch is on and the place keeps summer time then.
[[nodiscard]] QString StatusLineText(const SkyView& view);

/// A direction letter and its left edge; Drawn is false when it lies outside (-20, W + 20).
struct DirectionLetter {
  QString Letter;
  int X = 0;
  bool Drawn = false;
};
/// The letters S, W, N, O for a drawing area of the given width and centre azimuth;
/// `letterWidth` gives the width of a letter in the 12-point font.
[[nodiscard]] std::vector<DirectionLetter> DirectionLetters(int width, int centreAzimuth,
                                                            const std::function<int(const QString&)>& letterWidth);

/// Colours of the layers.
namespace sky_colours {
inline const QColor Boundaries{0, 0, 255};
inline const QColor Figures{255, 0, 0};
inline const QColor Ecliptic{255, 255, 0};
inline const QColor Zodiac{0, 0, 255};
inline const QColor Grid{0, 0, 128};
inline const QColor Equator{0, 0, 160};
inline const QColor ConstellationNames{255, 255, 0};
inline const QColor MeridianAndAltitude{128, 128, 128};
inline const QColor Ground{240, 240, 240};
}  // namespace sky_colours

}  // namespace zenitra
