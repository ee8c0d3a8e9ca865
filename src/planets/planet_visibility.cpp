#include "planets/planet_visibility.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "core/angle_units.h"
#include "planets/planet_position.h"

namespace zenitra {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// "while x > 24 subtract 24; while x < 0 add 24": x ends in [0, 24]. Huge values are first brought
// near the range with fmod so that the loops run at most once; ordinary values take the loops.
double WrapHoursClosed(double x) {
  if (!std::isfinite(x)) return kNaN;
  if (std::fabs(x) > 240.0) {
    const double r = std::fmod(x, 24.0);
    x = (x > 0.0 && r == 0.0) ? 24.0 : r;
  }
  while (x > 24.0) x -= 24.0;
  while (x < 0.0) x += 24.0;
  return x;
}

// A clock time in [0, 24): "while t < 0 add 24", and a time of 24 h or more (possible for zones
// east of +12 h) goes back by whole days as well.
double WrapClockHours(double t) {
  if (!std::isfinite(t)) return kNaN;
  if (t < 0.0 || t >= 24.0) {
    t = std::fmod(t, 24.0);
    if (t < 0.0) t += 24.0;
    if (t >= 24.0) t = 0.0;  // a tiny negative remainder plus 24 can round to 24
  }
  return t;
}

std::string Printf(const char* format, double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, format, value);
  return buffer;
}

}  // namespace

double PlanetMagnitude(std::string_view name, double alphaDeg, double deltaDeg, double t, double earthSunAu,
                       double distanceAu, double radiusAu) {
  const std::string_view planet = CanonicalPlanetName(name);
  if (planet == "Erde") return 0.0;
  const double R = earthSunAu;
  const double D = distanceAu;
  const double r = radiusAu;
  const double p = r * D > 0.0 ? 5.0 * std::log10(r * D) : 0.0;
  // Phase angle (degrees); the cosine is clamped against rounding just beyond +-1.
  const double i =
      r * D != 0.0 ? std::acos(std::clamp((D * D + r * r - R * R) / (2.0 * D * r), -1.0, 1.0)) * kRadToDeg : 0.0;
  if (planet == "Merkur") return p - 0.003 + 0.01815 * i + 0.0001023 * i * i;
  if (planet == "Mars") return p - 1.3 + 0.01486 * i;
  if (planet == "Jupiter") return p - 8.93;
  if (planet == "Saturn") {
    // Tilt of the ring plane towards the Earth from the pole of Saturn.
    const double d0 = (83.52 + 0.425 * t) * kDegToRad;
    const double a0 = (40.66 + 4.319 * t) * kDegToRad;
    const double a = alphaDeg * kDegToRad;
    const double d = deltaDeg * kDegToRad;
    const double sinB = -std::sin(d0) * std::sin(d) - std::cos(d0) * std::cos(d) * std::cos(a0 - a);
    return p - 8.68 + 0.044 * i - 2.6 * std::fabs(sinB) + 1.25 * sinB * sinB;
  }
  if (planet == "Uranus") return p - 6.85;
  if (planet == "Neptun") return p - 7.05;
  return p - 4.0 + 0.01322 * i + 0.0000004247 * i * i * i;  // Venus
}

double MagnitudeForRecord(double magnitude) { return magnitude < 0.0 ? magnitude - 0.05 : magnitude; }

RiseSet PlanetRiseSet(double alphaDeg, double deltaDeg, double jd, double latitudeDeg, double longitudeDeg,
                      double zoneHours) {
  const double Q = std::tan(latitudeDeg * kDegToRad) * std::tan(deltaDeg * kDegToRad);
  if (std::fabs(Q) > 1.0) {
    const double marker = latitudeDeg * deltaDeg < 0.0 ? PlanetNeverRises : PlanetNeverSets;
    return {marker, marker};
  }
  // Q = tan(phi) tan(delta) is minus the cosine of the semi-diurnal arc, so h = 12 h minus the arc;
  // the 12 h are taken off again in the last step.
  const double h = std::acos(Q) * 12.0 / kPi;
  const auto clockTime = [&](double X) {
    if (X > 24.0) X -= 24.0;
    if (X < 0.0) X += 24.0;
    X = X - 6.697374558 - 0.06570982442 * (jd - 2451545.0);
    X = WrapHoursClosed(X);
    return WrapClockHours(X / 1.002737909 - 12.0 + zoneHours);
  };
  const double base = (alphaDeg - longitudeDeg) / 15.0;
  return {clockTime(h + base), clockTime(-h + base)};
}

Horizontal HorizontalPosition(double raHours, double raMinutes, double decDegrees, double decMinutes,
                              double lstHours, double latitudeDeg) {
  const double alpha = (raHours + raMinutes / 60.0) * kPi / 12.0;
  const double delta = (decDegrees + decMinutes / 60.0) * kPi / 180.0;
  const double phi = latitudeDeg * kDegToRad;
  double H = lstHours * kPi / 12.0 - alpha;
  if (H < 0.0) H += 2.0 * kPi;
  const double sinAlt = std::sin(phi) * std::sin(delta) + std::cos(phi) * std::cos(delta) * std::cos(H);
  Horizontal out;
  out.AltitudeDeg = std::asin(std::clamp(sinAlt, -1.0, 1.0)) * kRadToDeg;
  // sin A and cos A share the positive factor 1/cos(h); the two-argument arc tangent of the
  // numerators gives the quadrant of "arcsin(sA) if cA > 0, else 180 - arcsin(sA)" and stays
  // defined at the zenith and when rounding pushes sA beyond +-1.
  const double sA = std::sin(H) * std::cos(delta);
  const double cA = std::sin(phi) * std::cos(delta) * std::cos(H) - std::cos(phi) * std::sin(delta);
  double A = std::atan2(sA, cA) * kRadToDeg;
  if (A < 0.0) A += 360.0;
  if (A >= 360.0) A = 0.0;
  out.AzimuthDeg = A;
  return out;
}

std::string VisibilityText(double altitudeDeg) { return altitudeDeg >= 0.0 ? "sichtbar" : "unsichtbar"; }

std::string ZodiacConstellation(double key) {
  // Lower bounds in units of 15 degrees; the last bound only ends the search from above.
  struct Band {
    double lower;
    const char* name;
  };
  static constexpr Band kZodiacBands[15] = {
      {-864.0, "Fische"},       {1.783333, "Widder"},   {3.35, "Stier"},         {5.966667, "Zwillinge"},
      {7.933333, "Krebs"},      {9.333333, "Löwe"},     {11.6, "Jungfrau"},      {14.3, "Waage"},
      {15.966667, "Skorpion"},  {16.366667, "Schlangentr."}, {17.716667, "Schütze"}, {20.05, "Steinbock"},
      {21.95, "Wassermann"},    {23.416667, "Fische"},  {24.1, ""},
  };
  int k = 14;
  while (k >= 0 && key < kZodiacBands[k].lower) --k;
  if (k < 0 || !(key >= kZodiacBands[k].lower)) return {};  // below -864, or NaN
  return kZodiacBands[k].name;
}

std::string FormatRiseTime(double t) {
  if (!std::isfinite(t)) return {};
  if (t >= 0.0) {
    // Whole minutes, rounded and carried into the hour (23 h 59.7 min reads 0h0m, not 23h60m).
    const long long minutes = std::llround(t * 60.0) % 1440;
    return std::to_string(minutes / 60) + "h" + std::to_string(minutes % 60) + "m";
  }
  return t == PlanetNeverRises ? "unsichtbar" : "sichtbar";
}

std::string FormatDegMin(double x) {
  if (!std::isfinite(x)) return {};
  const bool negative = x < 0.0;
  x = std::fabs(x);
  const double d = std::trunc(x);
  const double minutes = std::fabs(x - d) * 60.0;
  double m = std::trunc(minutes);
  const double s = std::fabs(minutes - m) * 60.0;
  if (std::nearbyint(s) == 60.0) m += 1.0;
  double dd = d;
  if (m >= 60.0) {  // 59' 59.7" carries into the degree
    m -= 60.0;
    dd += 1.0;
  }
  return (negative ? "-" : "") + Printf("%.0f", dd) + "°" + Printf("%.0f", m) + "'";
}

std::optional<int> LightTimeSeconds(double distanceAu) {
  const double seconds = distanceAu * 149597870.0 / 299792.458;
  if (!(seconds >= 0.0) || seconds > 1e9) return std::nullopt;
  return static_cast<int>(std::nearbyint(seconds));
}

std::string FormatLightTime(int seconds) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%d min %d s", seconds / 60, seconds % 60);
  return buffer;
}

}  // namespace zenitra
