#include "sky/projection.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "core/degree_math.h"
#include "core/time_scales.h"
#include "ui/time_zone.h"

namespace zenitra {

int RoundHalfEven(double value) {
  // Adding and removing 1.5 * 2^52 leaves the nearest integer, halves to even, in the default
  // rounding mode (exact for |value| < 2^51); cheaper than a library call per pixel.
  // Outside the int range the result saturates (and NaN gives 0) instead of overflowing.
  constexpr double kMagic = 6755399441055744.0;
  if (std::fabs(value) < 2147483647.0) {
    volatile double shifted = value + kMagic;  // volatile: the sum must be rounded to double here
    return static_cast<int>(shifted - kMagic);
  }
  if (std::isnan(value)) return 0;
  return value > 0 ? std::numeric_limits<int>::max() : std::numeric_limits<int>::min();
}

LocalMoment SkyMoment(const ShownMoment& m, const Location& place, bool summerTimeSwitch) {
  LocalMoment r{m.Year, m.Month, m.Day, m.Hour, m.Minute, m.Second, place.ZoneHours, 0.0};
  if (summerTimeSwitch) r.SummerHours = SummerHours(place, m.Year, m.Month, m.Day, m.Hour, m.Minute, m.Second);
  return r;
}

double SkySiderealAngle(const LocalMoment& m, const Location& place) {
  // Sidereal time from 0 h UT of the universal date and the hours since then: a local midnight
  // in place of 0 h UT would turn the sky by the zone times 9.86 s.
  const double s = SiderealTimeHours(m.UniversalMidnightJulianDay(), m.UniversalHours(), place.LongitudeDeg);
  return s / 12.0 * std::numbers::pi;
}

double SkySiderealAngle(const ShownMoment& m, const Location& place, bool summerTimeSwitch) {
  return SkySiderealAngle(SkyMoment(m, place, summerTimeSwitch), place);
}

ProjectionFrame MakeProjectionFrame(int width, int height, const ShownMoment& m, const Location& place,
                                    double centreAzimuthDeg, bool summerTimeSwitch) {
  ProjectionFrame f;
  f.Width = width;
  f.Height = height;
  f.CentreX = width / 2;
  f.CentreY = height / 2;
  f.Scale = f.CentreX / 90.0;
  const double phi = place.LatitudeDeg * std::numbers::pi / 180.0;
  f.CosLatitude = std::cos(phi);
  f.SinLatitude = std::sin(phi);
  const LocalMoment moment = SkyMoment(m, place, summerTimeSwitch);
  f.Moment = moment.UniversalJulianDay();
  f.CentreAzimuth = centreAzimuthDeg;
  SetSkyTurn(f, SkySiderealAngle(moment, place), (f.Moment - 2451545.0) / 36525.0);
  return f;
}

CataloguePlace CataloguePlaceAt(const ProjectionFrame& f, double h, double delta) {
  const double l[3] = {std::cos(delta) * std::cos(h), std::cos(delta) * std::sin(h), std::sin(delta)};
  // The rows are orthonormal: the transposed matrix turns back.
  double v[3];
  for (int c = 0; c < 3; ++c) v[c] = f.Catalogue[c] * l[0] + f.Catalogue[3 + c] * l[1] + f.Catalogue[6 + c] * l[2];
  double alpha = std::atan2(v[1], v[0]);
  if (alpha < 0.0) alpha += 2.0 * std::numbers::pi;
  return {alpha, std::asin(std::clamp(v[2], -1.0, 1.0))};
}

void SetSkyTurn(ProjectionFrame& f, double thetaRad, double centuriesSinceJ2000) {
  f.Theta = thetaRad;
  f.SinTheta = std::sin(thetaRad);
  f.CosTheta = std::cos(thetaRad);
  // Hour angle t = Theta - alpha: x = cos(delta) cos t, y = cos(delta) sin t, z = sin(delta).
  f.OfDate = {f.CosTheta, f.SinTheta, 0.0, f.SinTheta, -f.CosTheta, 0.0, 0.0, 0.0, 1.0};
  const Matrix33 p = std::isfinite(centuriesSinceJ2000) ? PrecessionMatrix(0.0, centuriesSinceJ2000)
                                                        : Matrix33{1, 0, 0, 0, 1, 0, 0, 0, 1};
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) {
      f.Catalogue[3 * r + c] = f.OfDate[3 * r] * p[c] + f.OfDate[3 * r + 1] * p[3 + c] + f.OfDate[3 * r + 2] * p[6 + c];
    }
  }
}

namespace {

// Projects a unit vector (from sin and cos of right ascension and declination) with the rows of
// one of the frame's turns.
bool ProjectWithRows(const ProjectionFrame& f, const std::array<double, 9>& m, double sinAlpha, double cosAlpha,
                     double sinDelta, double cosDelta, ScreenPoint& point) {
  if (!std::isfinite(sinAlpha) || !std::isfinite(cosAlpha) || !std::isfinite(sinDelta) ||
      !std::isfinite(cosDelta) || !std::isfinite(m[0]) || !std::isfinite(m[1])) {
    return false;
  }
  const double vx = cosDelta * cosAlpha, vy = cosDelta * sinAlpha, vz = sinDelta;
  const double x = m[0] * vx + m[1] * vy + m[2] * vz;  // cos(delta) cos t
  const double y = m[3] * vx + m[4] * vy + m[5] * vz;  // cos(delta) sin t
  const double z = m[6] * vx + m[7] * vy + m[8] * vz;  // sin(delta)
  const double sinH = f.SinLatitude * z + f.CosLatitude * x;
  if (!(std::fabs(sinH) <= 1.0)) return false;
  const double cosH = std::sqrt(1.0 - sinH * sinH);  // cos of the altitude, which lies in [-90, 90]
  const double sinA = y / cosH;
  if (!(std::fabs(sinA) <= 1.0)) return false;
  const double c = f.SinLatitude * x - f.CosLatitude * z;
  const double asinDeg = std::asin(sinA) * 180.0 / std::numbers::pi;
  const double azimuth = c > 0.0 ? asinDeg : 180.0 - asinDeg;
  double a = azimuth - f.CentreAzimuth;
  if (a > 180.0) a -= 360.0;
  if (a < -180.0) a += 360.0;
  const double xs = a * f.Scale + f.CentreX;
  // A centre azimuth far outside -180..180 could put xs beyond the int range; such a point is off
  // the map anyway.
  if (!(std::fabs(xs) < 1e9)) return false;
  point.X = RoundHalfEven(xs);
  if (point.X <= -10 || point.X >= f.Width + 10) return false;
  point.Y = AltitudeRow(f.Height, std::asin(sinH));
  return point.Y > -10 && point.Y < f.Height + 10;
}

}  // namespace

bool ProjectToScreen(const ProjectionFrame& f, double alpha, double delta, ScreenPoint& point) {
  if (!std::isfinite(alpha) || !std::isfinite(delta)) return false;
  return ProjectToScreen(f, std::sin(alpha), std::cos(alpha), std::sin(delta), std::cos(delta), point);
}

bool ProjectToScreen(const ProjectionFrame& f, double sinAlpha, double cosAlpha, double sinDelta, double cosDelta,
                     ScreenPoint& point) {
  return ProjectWithRows(f, f.Catalogue, sinAlpha, cosAlpha, sinDelta, cosDelta, point);
}

bool ProjectOfDateToScreen(const ProjectionFrame& f, double alpha, double delta, ScreenPoint& point) {
  if (!std::isfinite(alpha) || !std::isfinite(delta)) return false;
  return ProjectOfDateToScreen(f, std::sin(alpha), std::cos(alpha), std::sin(delta), std::cos(delta), point);
}

bool ProjectOfDateToScreen(const ProjectionFrame& f, double sinAlpha, double cosAlpha, double sinDelta,
                           double cosDelta, ScreenPoint& point) {
  return ProjectWithRows(f, f.OfDate, sinAlpha, cosAlpha, sinDelta, cosDelta, point);
}

int AltitudeRow(int height, double altitudeRad) {
  return RoundHalfEven((height - kHorizonOffset) - kAltitudeScale * altitudeRad * height);
}

}  // namespace zenitra
