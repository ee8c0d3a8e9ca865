#include "core/vsop87.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

#include "core/generated/vsop87d_earth_terms.h"

namespace zenitra {
namespace {

constexpr long double kPi = 3.1415926535897932385L;
constexpr long double kDaysPerMillennium = 365250.0L;
constexpr long double kTermScale = 1e-8L;  // the stored amplitudes are the published ones times 10^8

// No VSOP87 series of any body has this many terms; the summation never walks further, whatever
// a derived class returns.
constexpr int kMaxTermsPerSeries = 100000;

long double DegToRad(long double deg) { return deg / 180.0L * kPi; }

VSOPTerm Fetch(const vsop87d_earth::Series* series, int powers, int index, int power) {
  if (power < 0 || power >= powers) return {};
  const vsop87d_earth::Series& s = series[power];
  if (index < 0 || index >= s.count) return {};
  return s.terms[index];
}

struct SinCos {
  double sin, cos;
};

// Sine and cosine of x (radians) at once, for the many phases of a series: x less the nearest
// multiple n of pi/2, with pi/2 split in two 26-bit parts and a remainder (Cody & Waite), so that
// n (pi/2) is subtracted exactly for |n| < 2^27; then the minimax polynomials of fdlibm's
// __kernel_sin and __kernel_cos (Sun Microsystems, 1993) on [-pi/4, pi/4]. Absolute error about
// 2e-16 for |x| up to 1e8, where the series need at most 3e6; four times faster than std::sin
// and std::cos of the same argument, which this loop did not get merged.
SinCos SinCosOf(double x) {
  constexpr double kTwoOverPi = 0.63661977236758134308;
  constexpr double kHalfPi1 = 0x1.921fb58000000p+0;    // pi/2 to 26 bits
  constexpr double kHalfPi2 = -0x1.dde9740000000p-27;  // the next 26 bits
  constexpr double kHalfPi3 = 0x1.1a62633145c07p-54;   // the rest
  // Rounds to the nearest whole number, halves to even, for |value| < 2^51.
  constexpr double kRound = 6755399441055744.0;  // 1.5 * 2^52
  const double n = (x * kTwoOverPi + kRound) - kRound;
  const double r = ((x - n * kHalfPi1) - n * kHalfPi2) - n * kHalfPi3;
  // The polynomials in z = r^2 by Estrin's scheme (pairs, then pairs of pairs), which shortens the
  // chain of dependent operations that bounds the speed of the series loop.
  const double z = r * r;
  const double z2 = z * z;
  const double z4 = z2 * z2;
  const double sinPoly = (-1.66666666666666324348e-01 + z * 8.33333333332248946124e-03) +
                         z2 * (-1.98412698298579493134e-04 + z * 2.75573137070700676789e-06) +
                         z4 * (-2.50507602534068634195e-08 + z * 1.58969099521155010221e-10);
  const double cosPoly = (4.16666666666666019037e-02 + z * -1.38888888888741095749e-03) +
                         z2 * (2.48015872894767294178e-05 + z * -2.75573143513906633035e-07) +
                         z4 * (2.08757232129817482790e-09 + z * -1.13596475577881948265e-11);
  const double sinR = r + r * z * sinPoly;
  const double cosR = 1.0 - (0.5 * z - z2 * cosPoly);
  // Quadrant n mod 4: (sin, cos) = (s, c), (c, -s), (-s, -c), (-c, s), chosen on the bits rather
  // than by branches, which the random quadrants of successive terms would mispredict.
  const auto q = static_cast<std::uint64_t>(static_cast<std::int64_t>(n));
  const std::uint64_t swap = 0 - (q & 1);  // all ones in odd quadrants
  const auto sinBits = std::bit_cast<std::uint64_t>(sinR);
  const auto cosBits = std::bit_cast<std::uint64_t>(cosR);
  SinCos out;
  out.sin = std::bit_cast<double>(((sinBits & ~swap) | (cosBits & swap)) ^ ((q & 2) << 62));
  out.cos = std::bit_cast<double>(((cosBits & ~swap) | (sinBits & swap)) ^ (((q + 1) & 2) << 62));
  return out;
}

}  // namespace

long double TVSOP::Millennia() const {
  return (static_cast<long double>(date_.Days) - Startup().J2000Date.Days - 0.5L) / kDaysPerMillennium;
}

// Sums every power of t and forms the polynomial
// ((((S5 t + S4) t + S3) t + S2) t + S1) t + S0, scaled by 10^-8.
// Each series is walked until its terminating all-zero term. (Stopping at the first term whose
// contribution happens to be zero would cut a series short when a cosine is exactly 0, and would
// never stop for a NaN date, whose contributions are all NaN.)
long double TVSOP::SumSeries(TermFunction term) const {
  const long double t = Millennia();
  constexpr int kPowers = 6;
  long double sums[kPowers] = {};
  for (int power = 0; power < kPowers; ++power) {
    long double s = 0.0L;
    for (int i = 0; i < kMaxTermsPerSeries; ++i) {
      const VSOPTerm x = (this->*term)(i, power);
      if (x.A == 0.0L && x.B == 0.0L && x.C == 0.0L) break;
      // The argument is formed in extended precision; its cosine in double precision is exact
      // to far below the 1e-8 precision of the series and many times faster than cosl.
      s += x.A * std::cos(static_cast<double>(x.B + x.C * t));
    }
    sums[power] = s;
  }
  long double value = sums[kPowers - 1];
  for (int power = kPowers - 2; power >= 0; --power) value = value * t + sums[power];
  return value * kTermScale;
}

long double TVSOP::Longitude() const { return SumSeries(&TVSOP::LongitudeTerm); }
long double TVSOP::Latitude() const { return SumSeries(&TVSOP::LatitudeTerm); }
long double TVSOP::Radius() const { return SumSeries(&TVSOP::RadiusTerm); }

void TVSOP::ToFK5(long double& longitudeRad, long double& latitudeRad) const {
  const long double T = 10.0L * Millennia();  // Julian centuries
  const long double lp = longitudeRad + DegToRad(T * (-1.397L - 0.00031L * T));
  const long double c = std::cos(lp);
  const long double s = std::sin(lp);
  longitudeRad += DegToRad((-0.09033L + 0.03916L * (c + s) * std::tan(latitudeRad)) / 3600.0L);
  latitudeRad += DegToRad(0.03916L / 3600.0L) * (c - s);
}

VSOPTerm TVSOPEarth::LongitudeTerm(int index, int power) const {
  return Fetch(vsop87d_earth::kLongitude, vsop87d_earth::kLongitudePowers, index, power);
}
VSOPTerm TVSOPEarth::LatitudeTerm(int index, int power) const {
  return Fetch(vsop87d_earth::kLatitude, vsop87d_earth::kLatitudePowers, index, power);
}
VSOPTerm TVSOPEarth::RadiusTerm(int index, int power) const {
  return Fetch(vsop87d_earth::kRadius, vsop87d_earth::kRadiusPowers, index, power);
}

int TVSOPEarth::TermCount(char coordinate, int power) {
  const vsop87d_earth::Series* series = nullptr;
  int powers = 0;
  switch (coordinate) {
    case 'L': series = vsop87d_earth::kLongitude; powers = vsop87d_earth::kLongitudePowers; break;
    case 'B': series = vsop87d_earth::kLatitude; powers = vsop87d_earth::kLatitudePowers; break;
    case 'R': series = vsop87d_earth::kRadius; powers = vsop87d_earth::kRadiusPowers; break;
    default: return 0;
  }
  return power >= 0 && power < powers ? series[power].count : 0;
}

HeliocentricPosition EarthHeliocentric(DateTimeValue date) {
  TVSOPEarth earth;  // lives for this call only; released on every path
  earth.SetDate(date);
  const long double r = earth.Radius();
  long double l = earth.Longitude();
  long double b = earth.Latitude();
  earth.ToFK5(l, b);
  HeliocentricPosition p;
  p.LongitudeDeg = NormalizeDegrees(static_cast<double>(l * 180.0L / kPi));
  p.LatitudeDeg = static_cast<double>(b * 180.0L / kPi);
  p.RadiusAu = static_cast<double>(r);
  return p;
}

double EarthRadiusAu(DateTimeValue date) {
  // The sum of TVSOP::SumSeries, term for term in the same order and precision, read straight
  // from the table: the apsis searches evaluate it often, and fetching each term through a
  // virtual call took a third of the time.
  TVSOPEarth earth;
  earth.SetDate(date);
  const long double t = earth.Millennia();
  long double value = 0.0L;
  for (int power = vsop87d_earth::kRadiusPowers - 1; power >= 0; --power) {
    const vsop87d_earth::Series& series = vsop87d_earth::kRadius[power];
    long double s = 0.0L;
    for (int i = 0; i < series.count; ++i) {
      const VSOPTerm& x = series.terms[i];
      s += x.A * std::cos(static_cast<double>(x.B + x.C * t));
    }
    value = power == vsop87d_earth::kRadiusPowers - 1 ? s : value * t + s;
  }
  return static_cast<double>(value * kTermScale);
}

RadiusRates EarthRadiusRates(DateTimeValue date, int leadingTerms) {
  TVSOPEarth earth;
  earth.SetDate(date);
  const double t = static_cast<double>(earth.Millennia());
  // R = sum over p of t^p S_p(t); its derivatives by the product rule, with the binomial weights
  // 1; 1 1; 1 2 1; 1 3 3 1 of the derivatives of t^p and S_p.
  double r0 = 0.0, r1 = 0.0, r2 = 0.0, r3 = 0.0;
  double tp = 1.0;  // t^p
  double d1 = 0.0;  // d(t^p)/dt = p t^(p-1)
  double d2 = 0.0;  // p (p-1) t^(p-2)
  double d3 = 0.0;  // p (p-1) (p-2) t^(p-3)
  for (int power = 0; power < vsop87d_earth::kRadiusPowers; ++power) {
    const vsop87d_earth::Series& series = vsop87d_earth::kRadius[power];
    const int count = leadingTerms < series.count ? std::max(leadingTerms, 0) : series.count;
    double s0 = 0.0, s1 = 0.0, s2 = 0.0, s3 = 0.0;
    for (int i = 0; i < count; ++i) {
      const VSOPTerm& x = series.terms[i];
      const double a = static_cast<double>(x.A);
      const double c = static_cast<double>(x.C);
      const SinCos phase = SinCosOf(static_cast<double>(x.B) + c * t);
      const double ac = a * c;
      const double ac2 = ac * c;
      s0 += a * phase.cos;
      s1 -= ac * phase.sin;
      s2 -= ac2 * phase.cos;
      s3 += ac2 * c * phase.sin;
    }
    r0 += tp * s0;
    r1 += tp * s1 + d1 * s0;
    r2 += tp * s2 + 2.0 * d1 * s1 + d2 * s0;
    r3 += tp * s3 + 3.0 * d1 * s2 + 3.0 * d2 * s1 + d3 * s0;
    // From t^p to t^(p+1): d^k t^(p+1) = t d^k t^p + k d^(k-1) t^p.
    d3 = t * d3 + 3.0 * d2;
    d2 = t * d2 + 2.0 * d1;
    d1 = t * d1 + tp;
    tp *= t;
  }
  constexpr double kScale = static_cast<double>(kTermScale);
  constexpr double kDays = static_cast<double>(kDaysPerMillennium);
  RadiusRates rates;
  rates.RadiusAu = r0 * kScale;
  rates.PerDay = r1 * kScale / kDays;
  rates.PerDay2 = r2 * kScale / (kDays * kDays);
  rates.PerDay3 = r3 * kScale / (kDays * kDays * kDays);
  return rates;
}

}  // namespace zenitra
