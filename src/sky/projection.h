#pragma once
// Projection of the sky onto the map: azimuth runs linearly across the width (180 degrees in all,
// cx/90 pixels per degree), altitude linearly upwards from a horizon line 28 pixels above the
// bottom edge (1.2 H pixels per 90 degrees). Azimuth is measured from south, positive towards west.
#include <array>

#include "core/shared_types.h"
#include "ui/sky_state.h"

namespace zenitra {

/// 2.4 / pi: pixels of altitude per radian and per pixel of height.
inline constexpr double kAltitudeScale = 0.763943726841098;
/// Height of the horizon line above the bottom edge, pixels.
inline constexpr int kHorizonOffset = 28;

/// Nearest integer, halves to the even neighbour. Saturates outside the int range; NaN gives 0.
[[nodiscard]] int RoundHalfEven(double value);

/// The frame computed at the start of every drawing and read by every layer.
struct ProjectionFrame {
  int Width = 0;             ///< W, pixels
  int Height = 0;            ///< H, pixels
  int CentreX = 0;           ///< W / 2, truncated
  int CentreY = 0;           ///< H / 2, truncated
  double Scale = 0.0;        ///< pixels per degree of azimuth, cx / 90
  double CosLatitude = 1.0;  ///< cos phi
  double SinLatitude = 0.0;  ///< sin phi
  double Moment = 0.0;       ///< JulianDay (UT) of the shown moment
  double Theta = 0.0;        ///< local sidereal angle, radians
  double SinTheta = 0.0;     ///< sin and cos of Theta
  double CosTheta = 1.0;
  double CentreAzimuth = 0.0;  ///< degrees
  /// Rows turning a unit vector of the catalogue's equator and equinox J2000 into the local frame
  /// (x towards the meridian's hour angle 0, y towards hour angle 90 deg west, z to the pole):
  /// the precession to the moment (Meeus, ch. 21, rigorous) followed by the turn by Theta. The
  /// stars of 1600 stand 5.6 degrees from their J2000 places.
  std::array<double, 9> Catalogue{1, 0, 0, 0, -1, 0, 0, 0, 1};
  /// The same rows for places referred to the equator and equinox of the moment (the Moon, the
  /// celestial equator and the coordinate grid): the turn by Theta alone.
  std::array<double, 9> OfDate{1, 0, 0, 0, -1, 0, 0, 0, 1};
};

/// The shown clock time as a moment of the place: with the summer-time switch on, the clock shows
/// the place's legal time (standard time plus the summer hour in force); otherwise standard time.
[[nodiscard]] LocalMoment SkyMoment(const ShownMoment& moment, const Location& place, bool summerTimeSwitch);

/// Local mean sidereal angle (radians) of a moment at the place.
[[nodiscard]] double SkySiderealAngle(const LocalMoment& moment, const Location& place);
/// The same for the shown clock time (see SkyMoment).
[[nodiscard]] double SkySiderealAngle(const ShownMoment& moment, const Location& place, bool summerTimeSwitch);

/// The frame for a drawing area of width x height pixels.
[[nodiscard]] ProjectionFrame MakeProjectionFrame(int width, int height, const ShownMoment& moment,
                                                  const Location& place, double centreAzimuthDeg,
                                                  bool summerTimeSwitch);

/// Sets the frame's sidereal angle and its two turns: Theta (radians) and the precession from
/// J2000 to the moment, given in Julian centuries since J2000.
void SetSkyTurn(ProjectionFrame& frame, double thetaRad, double centuriesSinceJ2000);

/// The catalogue place (right ascension and declination of J2000, radians) of the point that
/// stands at hour angle h (radians, west positive) and declination delta (radians, of the moment)
/// in the frame: the inverse of the frame's turns.
struct CataloguePlace {
  double AlphaRad = 0.0;
  double DeltaRad = 0.0;
};
[[nodiscard]] CataloguePlace CataloguePlaceAt(const ProjectionFrame& frame, double hourAngleRad, double deltaRad);

/// A pixel position that keeps its last values between projections: a projection that gives up
/// early leaves x and/or y as they were, and the line layers move the pen to whatever is left.
struct ScreenPoint {
  int X = 0;
  int Y = 0;
};

/// Projects right ascension and declination (radians, equator and equinox J2000) into the frame. Returns whether the point is
/// visible. x is stored unless the altitude or the azimuth cannot be formed; y is stored only when x
/// lies within (-10, W + 10). Non-finite input is never visible and changes nothing.
bool ProjectToScreen(const ProjectionFrame& frame, double alphaRad, double deltaRad, ScreenPoint& point);
/// The same with sin and cos of the right ascension and the declination computed beforehand (the
/// layers that draw fixed catalogue points keep them). The hour angle enters through the angle
/// addition theorems, cos h as sqrt(1 - sin^2 h), and the altitude's arc sine is taken only when x
/// lies on the map: the same values with fewer transcendental calls.
bool ProjectToScreen(const ProjectionFrame& frame, double sinAlpha, double cosAlpha, double sinDelta,
                     double cosDelta, ScreenPoint& point);
/// The same for a place referred to the equator and equinox of the moment (no precession).
bool ProjectOfDateToScreen(const ProjectionFrame& frame, double alphaRad, double deltaRad, ScreenPoint& point);
bool ProjectOfDateToScreen(const ProjectionFrame& frame, double sinAlpha, double cosAlpha, double sinDelta,
                           double cosDelta, ScreenPoint& point);

/// Pixel row of an altitude (radians): (H - 28) - 0.763943726841098 h H, rounded half to even.
[[nodiscard]] int AltitudeRow(int height, double altitudeRad);

}  // namespace zenitra
