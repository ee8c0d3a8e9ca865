#include "core/moon_events.h"

#include <cmath>

#include "core/degree_math.h"
#include "core/delta_t.h"
#include "core/lunar_phases.h"
#include "core/moon_position.h"
#include "core/solar_time.h"

namespace zenitra {

namespace {

// Three-point interpolation (Meeus, eq. 3.3) at the fraction n from the middle value.
double Interpolated(double n, double y1, double y2, double y3) {
  return y2 + n / 2.0 * (y3 - y1 + n * (y1 + y3 - 2.0 * y2));
}

// A day fraction inside [0, 1).
double DayFraction(double m) { return m - std::floor(m); }

}  // namespace

MoonDayEvents MoonRiseTransitSet(JulianDay dayStart, double phi, double lambdaE) {
  MoonDayEvents e;
  if (!std::isfinite(dayStart) || !std::isfinite(phi) || !std::isfinite(lambdaE)) return e;
  const double deltaTDays = DeltaTSeconds(dayStart) / 86400.0;
  const MoonEphemerisValue p1 = MoonEphemeris(dayStart - 1.0 + deltaTDays);
  const MoonEphemerisValue p2 = MoonEphemeris(dayStart + deltaTDays);
  const MoonEphemerisValue p3 = MoonEphemeris(dayStart + 1.0 + deltaTDays);
  // Right ascensions unwrapped around the middle one, so that 359 deg and 1 deg interpolate to 0.
  const double a2 = p2.RightAscension;
  const double a1 = a2 + SignedDegrees(p1.RightAscension - a2);
  const double a3 = a2 + SignedDegrees(p3.RightAscension - a2);
  const double d1 = p1.Declination, d2 = p2.Declination, d3 = p3.Declination;
  // Greenwich mean sidereal time at the start of the day, degrees.
  const JulianDay midnightUt = std::floor(dayStart - 0.5) + 0.5;
  const double theta0 = LocalSiderealHours(midnightUt, (dayStart - midnightUt) * 24.0, 0.0) * 15.0;
  const double parallax = ArcSinDeg(6378.14 / p2.DistanceKm);
  const double h0 = 0.7275 * parallax - 34.0 / 60.0;
  if (!std::isfinite(theta0) || !std::isfinite(h0)) return e;

  struct Local {
    double delta, H, h;
  };
  const auto at = [&](double m) {
    Local l{};
    const double alpha = Interpolated(m, a1, a2, a3);
    l.delta = Interpolated(m, d1, d2, d3);
    l.H = SignedDegrees(theta0 + 360.985647 * m + lambdaE - alpha);
    l.h = ArcSinDeg(SinDeg(phi) * SinDeg(l.delta) + CosDeg(phi) * CosDeg(l.delta) * CosDeg(l.H));
    return l;
  };
  const auto inDay = [&](double m) { return m >= 0.0 && m < 1.0 ? dayStart + m : NoEvent; };

  double m0 = DayFraction((a2 - lambdaE - theta0) / 360.0);
  for (int i = 0; i < 10; ++i) {
    const double dm = -at(m0).H / 360.0;
    m0 += dm;
    if (std::fabs(dm) < 1e-6) break;
  }
  e.Transit = inDay(m0);

  const double cosH0 = (SinDeg(h0) - SinDeg(phi) * SinDeg(d2)) / (CosDeg(phi) * CosDeg(d2));
  if (!(std::fabs(cosH0) <= 1.0)) return e;
  const double hh = ArcCosDeg(cosH0);
  const auto riseOrSet = [&](double m) {
    m = DayFraction(m);
    for (int i = 0; i < 10; ++i) {
      const Local l = at(m);
      const double denominator = 360.0 * CosDeg(l.delta) * CosDeg(phi) * SinDeg(l.H);
      if (!(std::fabs(denominator) > 1e-9)) break;
      const double dm = (l.h - h0) / denominator;
      m += dm;
      if (std::fabs(dm) < 1e-6) break;
    }
    return inDay(m);
  };
  e.Rise = riseOrSet(m0 - hh / 360.0);
  e.Set = riseOrSet(m0 + hh / 360.0);
  return e;
}

double MoonAgeDays(DateTimeValue t) { return DateTimeToJulianDay(t) - WindowLunationPhases(DateTimeToJulianDay(t))[0]; }

}  // namespace zenitra
