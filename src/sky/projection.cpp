#include "sky/projection.h"

#include <cmath>
#include <limits>
#include <numbers>

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
  f.Theta = SkySiderealAngle(moment, place);
  f.SinTheta = std::sin(f.Theta);
  f.CosTheta = std::cos(f.Theta);
  f.CentreAzimuth = centreAzimuthDeg;
  return f;
}

bool ProjectToScreen(const ProjectionFrame& f, double alpha, double delta, ScreenPoint& point) {
  if (!std::isfinite(alpha) || !std::isfinite(delta)) return false;
  return ProjectToScreen(f, std::sin(alpha), std::cos(alpha), std::sin(delta), std::cos(delta), point);
}

bool ProjectToScreen(const ProjectionFrame& f, double sinAlpha, double cosAlpha, double sinDelta, double cosDelta,
                     ScreenPoint& point) {
  if (!std::isfinite(sinAlpha) || !std::isfinite(cosAlpha) || !std::isfinite(sinDelta) ||
      !std::isfinite(cosDelta) || !std::isfinite(f.SinTheta) || !std::isfinite(f.CosTheta)) {
    return false;
  }
  // Hour angle t = theta - alpha.
  const double sinT = f.SinTheta * cosAlpha - f.CosTheta * sinAlpha;
  const double cosT = f.CosTheta * cosAlpha + f.SinTheta * sinAlpha;
  const double sinH = f.SinLatitude * sinDelta + f.CosLatitude * cosDelta * cosT;
  if (!(std::fabs(sinH) <= 1.0)) return false;
  const double cosH = std::sqrt(1.0 - sinH * sinH);  // cos of the altitude, which lies in [-90, 90]
  const double sinA = cosDelta * sinT / cosH;
  if (!(std::fabs(sinA) <= 1.0)) return false;
  const double c = f.SinLatitude * cosDelta * cosT - f.CosLatitude * sinDelta;
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

int AltitudeRow(int height, double altitudeRad) {
  return RoundHalfEven((height - kHorizonOffset) - kAltitudeScale * altitudeRad * height);
}

}  // namespace zenitra
