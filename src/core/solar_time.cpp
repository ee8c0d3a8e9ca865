#include "core/solar_time.h"

#include <algorithm>
#include <cmath>

#include "core/degree_math.h"
#include "core/sun_position.h"

namespace zenitra {

double SignedDegrees(double a) {
  if (!std::isfinite(a)) return a;
  double r = std::fmod(a, 360.0);
  if (r > 180.0) r -= 360.0;
  if (r <= -180.0) r += 360.0;
  return r;
}

double EquationOfTimeMinutes(DateTimeValue t) { return EquationOfTimeMinutes(t, SunPosition(t)); }

double EquationOfTimeMinutes(DateTimeValue t, const BodyPosition& sun) {
  const double tau = (DateTimeToJulianDay(t) - 2451545.0) / 365250.0;  // Julian millennia, TT
  // Mean longitude of the Sun referred to the mean equinox of the date (Meeus, eq. 28.2).
  const double l0 = 280.4664567 + tau * (360007.6982779 + tau * (0.03032028 + tau * (1.0 / 49931.0 +
                    tau * (-1.0 / 15300.0 - tau / 2000000.0))));
  const NutationValue n = Nutation(t);
  const double e = l0 - 0.0057183 - sun.RightAscension + n.DeltaPsiDeg * CosDeg(n.ObliquityDeg);
  return SignedDegrees(e) * 4.0;
}

HorizontalDeg EquatorialToHorizontal(double h, double delta, double phi) {
  // Meeus, eq. 13.5 and 13.6: azimuth from the south, westwards.
  const double sinAlt = SinDeg(phi) * SinDeg(delta) + CosDeg(phi) * CosDeg(delta) * CosDeg(h);
  HorizontalDeg r;
  r.AltitudeDeg = ArcSinDeg(std::clamp(sinAlt, -1.0, 1.0));
  r.AzimuthDeg = ArcTan2Deg(SinDeg(h), CosDeg(h) * SinDeg(phi) - TanDeg(delta) * CosDeg(phi));
  return r;
}

SunLocalValues SunAt(const LocalMoment& m, double phi, double lambdaE) {
  SunLocalValues v;
  const DateTimeValue ut = m.UniversalDateTime();
  const DateTimeValue tt = m.DynamicalDateTime();
  v.Place = SunPosition(tt);
  const double last = NormalizeDegrees(ApparentSiderealTime(ut) + lambdaE);
  v.SiderealHours = last / 15.0;
  v.HourAngleDeg = SignedDegrees(last - v.Place.RightAscension);
  const HorizontalDeg hz = EquatorialToHorizontal(v.HourAngleDeg, v.Place.Declination, phi);
  v.AzimuthDeg = hz.AzimuthDeg;
  v.AltitudeDeg = hz.AltitudeDeg;
  v.EquationOfTimeMinutes = EquationOfTimeMinutes(tt, v.Place);
  v.TrueSolarHours = NormalizeDegrees(v.HourAngleDeg + 180.0) / 15.0;
  return v;
}

}  // namespace zenitra
