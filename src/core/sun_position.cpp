#include "core/sun_position.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "core/degree_math.h"
#include "core/delta_t.h"
#include "core/reduce_angle.h"
#include "core/vsop87.h"

namespace zenitra {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// One row of the IAU 1980 nutation series (Meeus, table 22.A): multipliers of D, M, M', F, Omega;
// a + b T/10 is the sine coefficient of delta psi, c + d T/10 the cosine coefficient of
// delta epsilon, both in units of 0.0001".
struct NutationRow {
  std::int8_t d, m, mp, f, om;
  std::int32_t a, b, c, dd;
};

constexpr NutationRow kNutationTable[31] = {
    {0, 0, 0, 0, 1, -171996, -1742, 92025, 89},
    {-2, 0, 0, 2, 2, -13187, -16, 5736, -31},
    {0, 0, 0, 2, 2, -2274, -2, 977, -5},
    {0, 0, 0, 0, 2, 2062, 2, -895, 5},
    {0, 1, 0, 0, 0, 1426, -34, 54, -1},
    {0, 0, 1, 0, 0, 712, 1, -7, 0},
    {-2, 1, 0, 2, 2, -517, 12, 224, -6},
    {0, 0, 0, 2, 1, -386, -4, 200, 0},
    {0, 0, 1, 2, 2, -301, 0, 129, -1},
    {-2, -1, 0, 2, 2, 217, -5, -95, 3},
    {-2, 0, 1, 0, 0, -158, 0, 0, 0},
    {-2, 0, 0, 2, 1, 129, 1, -70, 0},
    {0, 0, -1, 2, 2, 123, 0, -53, 0},
    {2, 0, 0, 0, 0, 63, 0, 0, 0},
    {0, 0, 1, 0, 1, 63, 1, -33, 0},
    {2, 0, -1, 2, 2, -59, 0, 26, 0},
    {0, 0, -1, 0, 1, -58, -1, 32, 0},
    {0, 0, 1, 2, 1, -51, 0, 27, 0},
    {-2, 0, 2, 0, 0, 48, 0, 0, 0},
    {0, 0, -2, 2, 1, 46, 0, -24, 0},
    {2, 0, 0, 2, 2, -38, 0, 16, 0},
    {0, 0, 2, 2, 2, -31, 0, 13, 0},
    {0, 0, 2, 0, 0, 29, 0, 0, 0},
    {-2, 0, 1, 2, 2, 29, 0, -12, 0},
    {0, 0, 0, 2, 0, 26, 0, 0, 0},
    {-2, 0, 0, 2, 0, -22, 0, 0, 0},
    {0, 0, -1, 2, 1, 21, 0, -10, 0},
    {0, 2, 0, 0, 0, 17, -1, 0, 0},
    {2, 0, -1, 0, 1, 16, 0, -8, 0},
    {-2, 2, 0, 2, 2, -16, 1, 7, 0},
    {0, 1, 0, 0, 1, -15, 0, 9, 0},
};

// Brings an angle difference of neighbouring tabulated values into [-100, 100] (a jump across
// 0/360 or +-180).
double BridgeJump(double x) {
  if (x > 100.0) return x - 360.0;
  if (x < -100.0) return x + 360.0;
  return x;
}

enum class SunEvent { Rise, Set, Transit };

// Meeus, ch. 15: the day begins at `dayStart` (UT, any instant, such as a local midnight); the
// Sun's places are taken a day apart at the dynamical time of dayStart - 1, dayStart and
// dayStart + 1, and the approximate time is corrected until the step falls below 0.1 s.
DateTimeValue SunEventTime(SunEvent event, double longitudeWestDeg, double latitudeDeg, DateTimeValue dayStart) {
  const DateTimeValue noEvent(NoEvent);
  const double h0 = event == SunEvent::Transit ? 0.0 : SunStandardAltitude;
  const DateTimeValue d = dayStart;
  if (!std::isfinite(d.Days)) return noEvent;
  const double deltaT = DeltaTSeconds(DateTimeToJulianDay(d)) / 86400.0;
  const double theta0 = ApparentSiderealTime(d);
  const BodyPosition p1 = SunPosition(d - 1.0 + deltaT);
  const BodyPosition p2 = SunPosition(d + deltaT);
  const BodyPosition p3 = SunPosition(d + 1.0 + deltaT);

  const double sinPhi = SinDegNormalized(latitudeDeg);
  const double cosPhi = CosDegNormalized(latitudeDeg);
  const double cosH0 = (SinDegNormalized(h0) - sinPhi * SinDegNormalized(p2.Declination)) /
                       (cosPhi * CosDegNormalized(p2.Declination));
  // Also catches NaN and the infinite quotient at the poles. Under the midnight sun (cos H0 < -1)
  // the Sun still culminates, in full view; in the polar night it stays below the horizon all day
  // and the window shows no culmination.
  const bool midnightSun = event == SunEvent::Transit && cosH0 < -1.0 && cosPhi > 1e-6;  // none at a pole
  if (!(cosH0 >= -1.0 && cosH0 <= 1.0) && !midnightSun) return noEvent;
  const double h0Angle = midnightSun ? 0.0 : ArcCosDeg(cosH0);

  const double m0Raw = (p2.RightAscension + longitudeWestDeg - theta0) / 360.0;
  double m = 0.0;
  switch (event) {
    case SunEvent::Transit: m = m0Raw; break;
    case SunEvent::Rise: m = m0Raw - h0Angle / 360.0; break;
    case SunEvent::Set: m = m0Raw + h0Angle / 360.0; break;
  }
  m -= std::floor(m);

  for (int i = 0; i < 4; ++i) {
    const double theta = theta0 + 360.985647 * m;
    const double alpha = Interpolate3(m, p1.RightAscension, p2.RightAscension, p3.RightAscension);
    const double delta = Interpolate3(m, p1.Declination, p2.Declination, p3.Declination);
    double hourAngle = NormalizeDegrees(theta - longitudeWestDeg - alpha);
    if (hourAngle > 180.0) hourAngle -= 360.0;
    double dm = 0.0;
    if (event == SunEvent::Transit) {
      dm = -hourAngle / 360.0;
    } else {
      const double sinH =
          sinPhi * SinDegNormalized(delta) + cosPhi * CosDegNormalized(delta) * CosDegNormalized(hourAngle);
      const double h = ArcSinDeg(std::clamp(sinH, -1.0, 1.0));
      dm = (h - h0) / (360.0 * CosDegNormalized(delta) * cosPhi * SinDegNormalized(hourAngle));
    }
    m += dm;
    if (!(std::fabs(dm) >= 1e-6)) break;
  }
  const DateTimeValue result = d + m;
  // A grazing Sun (hour angle 0 or 180 at the event) leaves no defined instant.
  return std::isfinite(result.Days) ? result : noEvent;
}

// Leading terms of each power's radius series in the first step below: their extreme lies within
// 0.04 days of the full series' one (every apsis of 4713 BC to AD 9999).
constexpr int kApsisLeadingTerms = 60;
// Meeus' instant is within 1.2 days of the extreme from 4713 BC to AD 9999; the refinement moves
// it by this much at most, so that an apsis is known to lie after a limit from Meeus' instant
// alone (NextEarthApsis).
constexpr double kMaxApsisShiftDays = 1.5;

// One step towards the extreme of the radius vector, where dR/dt = 0: the root of the Taylor
// polynomial dR/dt + R'' x + R''' x^2 / 2 in Halley's form, x = -R' / (R'' + R''' x_N / 2) with
// the Newton step x_N = -R' / R''. Its error is of order x^3 times the fourth derivative over the
// second.
double ApsisStep(const RadiusRates& r) {
  if (!(std::fabs(r.PerDay2) > 0.0)) return 0.0;
  const double newton = -r.PerDay / r.PerDay2;
  const double step = -r.PerDay / (r.PerDay2 + 0.5 * r.PerDay3 * newton);
  return std::isfinite(step) ? step : newton;
}

// The extreme of the VSOP87 Sun-Earth distance near Meeus' instant `start`: one step on the
// leading terms of the series, which lands within 0.04 days, then one on the full series, which
// lands within 0.02 s of its extreme (the largest difference from steps repeated until they
// vanish, every apsis of 4713 BC to AD 9999). The distance is so flat at its extreme that the
// former method, parabolas through distances a day and 0.05 days apart, was up to 10 s off.
DateTimeValue RefinedEarthApsis(DateTimeValue start) {
  if (!std::isfinite(start.Days)) return start;
  auto bounded = [start](DateTimeValue t) {
    return DateTimeValue(std::clamp(t.Days, start.Days - kMaxApsisShiftDays, start.Days + kMaxApsisShiftDays));
  };
  const DateTimeValue t = bounded(start + ApsisStep(EarthRadiusRates(start, kApsisLeadingTerms)));
  return bounded(t + ApsisStep(EarthRadiusRates(t)));
}

// Meeus' instant of the apsis of cycle k (half cycles for the aphelion) with his corrections for
// the Moon (ch. 38, Earth); still hours off the true extreme.
DateTimeValue CorrectedEarthApsis(bool aphelion, double k) {
  long double jde = 2451547.507L + 365.2596358L * k + 0.0000000158L * k * k;
  const double a1 = 328.41 + 132.788585 * k, a2 = 316.13 + 584.903153 * k, a3 = 346.20 + 450.380738 * k;
  const double a4 = 136.95 + 659.306737 * k, a5 = 249.52 + 329.653368 * k;
  if (aphelion) {
    jde += -1.352 * SinDegNormalized(a1) + 0.061 * SinDegNormalized(a2) + 0.062 * SinDegNormalized(a3) +
           0.029 * SinDegNormalized(a4) + 0.031 * SinDegNormalized(a5);
  } else {
    jde += 1.278 * SinDegNormalized(a1) - 0.055 * SinDegNormalized(a2) - 0.091 * SinDegNormalized(a3) -
           0.056 * SinDegNormalized(a4) - 0.045 * SinDegNormalized(a5);
  }
  return JulianDayToDateTime(static_cast<double>(jde));
}

double ApsisCycle(bool aphelion, DateTimeValue t) {
  double k = std::nearbyint(((t - Startup().J2000Date) / 365.25 - 0.01) * 0.99997);
  return aphelion ? k + 0.5 : k;
}

// Steps from a year before t in whole cycles until the corrected apsis lies a day or more before
// t no longer, then refines; a refined instant before t moves on to the next cycle. A corrected
// instant more than the largest shift of the refinement after `until` is not refined: its apsis
// lies after `until` too. The bound only matters for absurd inputs, where a year is below the resolution of t.
DateTimeValue NextEarthApsis(bool aphelion, DateTimeValue t, DateTimeValue until) {
  if (!std::isfinite(t.Days) || std::fabs(t.Days) > 1e9) return DateTimeValue(kNaN);
  double k = ApsisCycle(aphelion, t - 365.25);
  for (int i = 0; i < 8; ++i, k += 1.0) {
    const DateTimeValue corrected = CorrectedEarthApsis(aphelion, k);
    if (corrected < t - 2.0) continue;
    if (corrected > until + kMaxApsisShiftDays) return DateTimeValue(kNaN);
    const DateTimeValue r = RefinedEarthApsis(corrected);
    if (r >= t) return r;
  }
  return DateTimeValue(kNaN);
}

}  // namespace

NutationValue Nutation(DateTimeValue t) {
  const double T = (DateTimeToJulianDay(t) - 2451545.0) / 36525.0;
  const double T2 = T * T;
  const double T3 = T2 * T;
  const double D = NormalizeDegrees(297.85036 + 445267.11148 * T - 0.0019142 * T2 + T3 / 189474.0);
  const double M = NormalizeDegrees(357.52772 + 35999.05034 * T - 0.0001603 * T2 - T3 / 300000.0);
  const double Mp = NormalizeDegrees(134.96298 + 477198.867398 * T + 0.0086972 * T2 + T3 / 56250.0);
  const double F = NormalizeDegrees(93.27191 + 483202.017538 * T - 0.0036825 * T2 + T3 / 327270.0);
  const double Om = NormalizeDegrees(125.04452 - 1934.136261 * T + 0.0020708 * T2 + T3 / 450000.0);
  long double dpsi = 0.0L;
  long double deps = 0.0L;
  for (const NutationRow& row : kNutationTable) {
    const double arg = D * row.d + M * row.m + Mp * row.mp + F * row.f + Om * row.om;
    dpsi += SinDegNormalized(arg) * (row.a + 0.1 * row.b * T);
    deps += CosDegNormalized(arg) * (row.c + 0.1 * row.dd * T);
  }
  const double eps0 = 84381.448 - 46.815 * T - 0.00059 * T2 + 0.001813 * T3;  // seconds of arc
  NutationValue n;
  n.DeltaPsiDeg = static_cast<double>(dpsi * 0.0001L / 3600.0L);
  n.ObliquityDeg = static_cast<double>((eps0 + deps * 0.0001L) / 3600.0L);
  return n;
}

double ApparentSiderealTime(DateTimeValue t) {
  const long double j = DateTimeToJulianDay(t);
  const long double d = j - 2451545.0L;
  const long double T = d / 36525.0L;
  const NutationValue n = Nutation(t);
  const long double theta = 280.46061837L + 360.98564736629L * d + T * T * (0.000387933L - T / 38710000.0L) +
                            n.DeltaPsiDeg * CosDegNormalized(n.ObliquityDeg);
  return NormalizeDegrees(static_cast<double>(theta));
}

void ApparentEquatorial(BodyPosition& p, DateTimeValue t) {
  const NutationValue n = Nutation(t);
  p.Longitude = NormalizeDegrees(p.Longitude + n.DeltaPsiDeg);
  const double sinL = SinDegNormalized(p.Longitude);
  const double cosL = CosDegNormalized(p.Longitude);
  const double sinE = SinDegNormalized(n.ObliquityDeg);
  const double cosE = CosDegNormalized(n.ObliquityDeg);
  const double sinB = SinDegNormalized(p.Latitude);
  const double cosB = CosDegNormalized(p.Latitude);
  p.RightAscension = ArcTan2Deg(sinL * cosE - TanDeg(p.Latitude) * sinE, cosL);
  p.Declination = ArcSinDeg(std::clamp(sinB * cosE + cosB * sinE * sinL, -1.0, 1.0));
}

BodyPosition SunPosition(DateTimeValue t) {
  const HeliocentricPosition earth = EarthHeliocentric(t);
  long double lambda = earth.LongitudeDeg + 180.0L;
  long double beta = -earth.LatitudeDeg;
  // FK5 correction of the geocentric place (Meeus, eq. 32.3 / 25.9).
  const long double T = 10.0L * (DateTimeToJulianDay(t) - 2451545.0L) / 365250.0L;
  const double lambdaPrime = static_cast<double>(lambda + T * (-1.397L - 0.00031L * T));
  lambda -= 0.09033L / 3600.0L;
  beta += 0.03916L / 3600.0L * (CosDegNormalized(lambdaPrime) - SinDegNormalized(lambdaPrime));
  // Aberration.
  lambda -= 20.4898L / 3600.0L / earth.RadiusAu;

  BodyPosition p;
  p.Longitude = NormalizeDegrees(static_cast<double>(lambda));
  p.Latitude = static_cast<double>(beta);
  p.DistanceKm = earth.RadiusAu * SunKmPerAu;
  ApparentEquatorial(p, t);
  return p;
}

double SunDistanceAU(DateTimeValue t) { return SunPosition(t).DistanceKm / SunKmPerAu; }

double SunDiameterArcsec(DateTimeValue t) { return SunDiameterArcsec(SunPosition(t)); }

double SunDiameterArcsec(const BodyPosition& sun) { return 2.0 * 959.63 / (sun.DistanceKm / SunKmPerAu); }

double Interpolate3(double n, double y1, double y2, double y3) {
  const double a = BridgeJump(y2 - y1);
  const double b = BridgeJump(y3 - y2);
  return y2 + (n / 2.0) * (n * (b - a) + a + b);
}

DateTimeValue SunRise(double longitudeWestDeg, double latitudeDeg, DateTimeValue date) {
  return SunEventTime(SunEvent::Rise, longitudeWestDeg, latitudeDeg, date);
}
DateTimeValue SunSet(double longitudeWestDeg, double latitudeDeg, DateTimeValue date) {
  return SunEventTime(SunEvent::Set, longitudeWestDeg, latitudeDeg, date);
}
DateTimeValue SunTransit(double longitudeWestDeg, double latitudeDeg, DateTimeValue date) {
  return SunEventTime(SunEvent::Transit, longitudeWestDeg, latitudeDeg, date);
}

DateTimeValue NextPerihelion(DateTimeValue t, DateTimeValue until) { return NextEarthApsis(false, t, until); }
DateTimeValue NextAphelion(DateTimeValue t, DateTimeValue until) { return NextEarthApsis(true, t, until); }

ShortNutationValue ShortNutation(JulianDay jd) {
  const double T = (jd - 2451545.0) / 36525.0;
  const double L = ReduceInto360(280.4665 + 36000.7698 * T);
  const double Lp = ReduceInto360(218.3165 + 481267.8813 * T);
  const double Om = ReduceInto360(125.04452 - 1934.136261 * T + 0.0020708 * T * T + T * T * T / 450000.0);
  ShortNutationValue n;
  n.DeltaPsiArcsec = -17.2 * SinDegNormalized(Om) - 1.32 * SinDegNormalized(2.0 * L) -
                     0.23 * SinDegNormalized(2.0 * Lp) + 0.21 * SinDegNormalized(2.0 * Om);
  n.DeltaEpsilonArcsec = 9.2 * CosDegNormalized(Om) + 0.57 * CosDegNormalized(2.0 * L) +
                         0.10 * CosDegNormalized(2.0 * Lp) - 0.09 * CosDegNormalized(2.0 * Om);
  return n;
}

}  // namespace zenitra
