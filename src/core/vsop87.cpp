#include "core/vsop87.h"

#include <algorithm>
#include <cmath>

#include "core/generated/vsop87d_earth_terms.h"
#include "core/sin_cos.h"

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

// Walks the first `count` terms A cos(B + C t) of one power's series two at a time, side by side
// in the halves of SSE2 registers (an odd last term pairs with the all-zero term), and hands
// `add` the amplitudes A, the rates C and the sines and cosines of the phases B + C t.
template <typename AddPair>
void ForEachTermPair(const vsop87d_earth::Series& series, int count, double t, AddPair add) {
  static constexpr VSOPTerm kNoTerm{};
  for (int i = 0; i < count; i += 2) {
    const VSOPTerm& x = series.terms[i];
    const VSOPTerm& y = i + 1 < count ? series.terms[i + 1] : kNoTerm;
    const Double2 a = {static_cast<double>(x.A), static_cast<double>(y.A)};
    const Double2 c = {static_cast<double>(x.C), static_cast<double>(y.C)};
    const Double2 b = {static_cast<double>(x.B), static_cast<double>(y.B)};
    Double2 sinPhase, cosPhase;
    SinCosOf2(b + c * t, sinPhase, cosPhase);
    add(a, c, sinPhase, cosPhase);
  }
}

// The series of one coordinate, sum over p of t^p S_p(t), scaled by 10^-8. In double precision,
// the phases B + C t and the longitude (some 40,000 rad 6700 years from 2000) are rounded in the
// twelfth digit: within 5e-11 rad of the extended-precision sums, ten millionths of an arc second.
double SumInDouble(const vsop87d_earth::Series* series, int powers, double t) {
  double value = 0.0;
  for (int power = powers - 1; power >= 0; --power) {
    Double2 sum{};
    ForEachTermPair(series[power], series[power].count, t,
                    [&](Double2 a, Double2, Double2, Double2 cosPhase) { sum += a * cosPhase; });
    value = value * t + (sum[0] + sum[1]);
  }
  return value * static_cast<double>(kTermScale);
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
  // The same sums as TVSOPEarth's in a third of the instructions (the Sun's window needs one at
  // every animation step).
  TVSOPEarth earth;
  earth.SetDate(date);
  const double t = static_cast<double>(earth.Millennia());
  const long double r = SumInDouble(vsop87d_earth::kRadius, vsop87d_earth::kRadiusPowers, t);
  long double l = SumInDouble(vsop87d_earth::kLongitude, vsop87d_earth::kLongitudePowers, t);
  long double b = SumInDouble(vsop87d_earth::kLatitude, vsop87d_earth::kLatitudePowers, t);
  earth.ToFK5(l, b);
  HeliocentricPosition p;
  p.LongitudeDeg = NormalizeDegrees(static_cast<double>(l * 180.0L / kPi));
  p.LatitudeDeg = static_cast<double>(b * 180.0L / kPi);
  p.RadiusAu = static_cast<double>(r);
  return p;
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
    Double2 s0{}, s1{}, s2{}, s3{};
    ForEachTermPair(series, count, t, [&](Double2 a, Double2 c, Double2 sinPhase, Double2 cosPhase) {
      const Double2 ac = a * c;
      const Double2 ac2 = ac * c;
      s0 += a * cosPhase;
      s1 -= ac * sinPhase;
      s2 -= ac2 * cosPhase;
      s3 += ac2 * c * sinPhase;
    });
    const double sum0 = s0[0] + s0[1], sum1 = s1[0] + s1[1], sum2 = s2[0] + s2[1], sum3 = s3[0] + s3[1];
    r0 += tp * sum0;
    r1 += tp * sum1 + d1 * sum0;
    r2 += tp * sum2 + 2.0 * d1 * sum1 + d2 * sum0;
    r3 += tp * sum3 + 3.0 * d1 * sum2 + 3.0 * d2 * sum1 + d3 * sum0;
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
