#include "planets/galilean_moons.h"

#include <cmath>

#include "core/degree_math.h"

namespace zenitra {

MoonOffset MoonOffsetOf(double radius, double uDeg, double deDeg) {
  return {radius * SinDeg(uDeg), -radius * CosDeg(uDeg) * SinDeg(deDeg), radius * CosDeg(uDeg)};
}

std::array<MoonOffset, 4> GalileanMoons(double jd) {
  const double d = jd - 2451545.0;
  const double V = 172.74 + 0.00111588 * d;
  const double M = 357.529 + 0.9856003 * d;
  const double N = 20.02 + 0.0830853 * d + 0.329 * SinDeg(V);
  const double J = 66.115 + 0.9025179 * d - 0.329 * SinDeg(V);
  const double A = 1.915 * SinDeg(M) + 0.02 * SinDeg(2.0 * M);
  const double B = 5.555 * SinDeg(N) + 0.168 * SinDeg(2.0 * N);
  const double K = J + A - B;
  const double R = 1.00014 - 0.01671 * CosDeg(M) - 0.00014 * CosDeg(2.0 * M);  // Sun-Earth, AU
  const double r = 5.20872 - 0.25208 * CosDeg(N) - 0.00611 * CosDeg(2.0 * N);   // Sun-Jupiter, AU
  const double delta = std::sqrt(std::fabs(r * r + R * R - 2.0 * R * r * CosDeg(K)));  // Earth-Jupiter, AU
  // Phase angle of Jupiter; the sine is clamped against rounding just beyond +-1.
  double sinPsi = R * SinDeg(K) / delta;
  sinPsi = sinPsi > 1.0 ? 1.0 : (sinPsi < -1.0 ? -1.0 : sinPsi);
  const double psi = std::asin(sinPsi) * 57.29577951308232;
  const double lambda = 34.35 + 0.083091 * d + 0.329 * SinDeg(V) + B;
  const double DE = 3.12 * SinDeg(lambda + 42.8) - 2.22 * SinDeg(psi) * CosDeg(lambda + 22.0) -
                    1.3 * (r - delta) / delta * SinDeg(lambda - 100.5);

  const double dl = d - delta / 173.0;  // light time
  double u1 = 163.8067 + 203.4058643 * dl + psi - B;
  double u2 = 358.4108 + 101.2916334 * dl + psi - B;
  double u3 = 5.7129 + 50.2345179 * dl + psi - B;
  double u4 = 224.8151 + 21.4879801 * dl + psi - B;
  const double G = 331.18 + 50.310482 * dl;
  const double H = 87.4 + 21.569231 * dl;

  // Corrections, all from the uncorrected arguments.
  const double c1 = 0.473 * SinDeg(2.0 * (u1 - u2));
  const double c2 = 1.065 * SinDeg(2.0 * (u2 - u3));
  const double c3 = 0.165 * SinDeg(G);
  const double c4 = 0.841 * SinDeg(H);
  u1 += c1;
  u2 += c2;
  u3 += c3;
  u4 += c4;

  // Radii (Jupiter radii) from the corrected arguments.
  const double r1 = 5.9073 - 0.0244 * CosDeg(2.0 * (u1 - u2));
  const double r2 = 9.3991 - 0.0882 * CosDeg(2.0 * (u2 - u3));
  const double r3 = 14.9924 - 0.0216 * CosDeg(G);
  const double r4 = 26.3699 - 0.1935 * CosDeg(H);

  return {MoonOffsetOf(r1, u1, DE), MoonOffsetOf(r2, u2, DE), MoonOffsetOf(r3, u3, DE), MoonOffsetOf(r4, u4, DE)};
}

}  // namespace zenitra
