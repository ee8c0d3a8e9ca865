#include "core/lunar_phases.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

#include "core/angle_units.h"
#include "core/lunar_phase_series.h"
#include "core/moon_position.h"

namespace zenitra {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// ---- Phases (Meeus, ch. 49) ---------------------------------------------------------------

// Mean arguments of lunation k, degrees; E from the given Julian centuries tau.
struct LunationArguments {
  long double jde0, M, Mp, F, Om, E, k, T;
};

namespace series = lunar_phase_series;

long double MeanValue(series::MeanRow row, long double k, long double T2, long double T3, long double T4) {
  const auto& c = series::kMeanRows[row];
  return c[0] + c[1] * k + c[2] * T2 + c[3] * T3 + c[4] * T4;
}

LunationArguments MeanLunation(long double k, long double tau) {
  const long double T = k / 1236.85L;
  const long double T2 = T * T, T3 = T2 * T, T4 = T3 * T;
  LunationArguments a;
  a.k = k;
  a.T = T;
  a.jde0 = MeanValue(series::kMeanPhase, k, T2, T3, T4);
  a.M = MeanValue(series::kSunAnomaly, k, T2, T3, T4);
  a.Mp = MeanValue(series::kMoonAnomaly, k, T2, T3, T4);
  a.F = MeanValue(series::kLatitudeArgument, k, T2, T3, T4);
  a.Om = MeanValue(series::kNodeLongitude, k, T2, T3, T4);
  a.E = 1.0L - 0.002516L * tau - 0.0000074L * tau * tau;
  return a;
}

// The periodic terms of one kind of phase: its coefficient column and its powers of E.
template <typename Sin>
long double PhaseTermsSum(double series::PeriodicTerm::*coefficient, std::int8_t series::PeriodicTerm::*ePower,
                          const LunationArguments& a, Sin sin) {
  long double sum = 0.0L;
  for (const series::PeriodicTerm& x : series::kPeriodicTerms) {
    if (x.*coefficient == 0.0) continue;
    const long double e = x.*ePower == 2 ? a.E * a.E : x.*ePower == 1 ? a.E : 1.0L;
    sum += x.*coefficient * e * sin(a.Mp * x.mp + a.M * x.m + a.F * x.f + a.Om * x.om);
  }
  return sum;
}

// The additional correction W of the quarters (added for the first, subtracted for the last).
template <typename Cos>
long double QuarterW(const LunationArguments& a, Cos cos) {
  return 0.00306L - 0.00038L * a.E * cos(a.M) + 0.00026L * cos(a.Mp) - 0.00002L * cos(a.Mp - a.M) +
         0.00002L * cos(a.Mp + a.M) + 0.00002L * cos(2.0L * a.F);
}

template <typename Sin>
long double PlanetaryCorrection(const LunationArguments& a, Sin sin) {
  long double sum = 0.0L;
  for (std::size_t i = 0; i < series::kPlanetaryTerms.size(); ++i) {
    const series::PlanetaryTerm& x = series::kPlanetaryTerms[i];
    long double arg = x.a0 + x.rate * a.k;
    if (i == 0) arg -= 0.009173L * a.T * a.T;
    sum += x.amplitude * sin(arg);
  }
  return sum;
}

// The instant of a phase of lunation k: mean instant plus the corrections of its kind.
template <typename Sin, typename Cos>
long double PhaseInstant(const LunationArguments& a, PhaseKind kind, Sin sin, Cos cos) {
  using Term = series::PeriodicTerm;
  long double jde = a.jde0;
  switch (kind) {
    case PhaseKind::NewMoon:
    case PhaseKind::NextNewMoon: jde += PhaseTermsSum(&Term::newMoon, &Term::ePower, a, sin); break;
    case PhaseKind::FullMoon: jde += PhaseTermsSum(&Term::fullMoon, &Term::ePower, a, sin); break;
    case PhaseKind::FirstQuarter: jde += PhaseTermsSum(&Term::quarter, &Term::ePowerQuarter, a, sin) + QuarterW(a, cos); break;
    case PhaseKind::LastQuarter: jde += PhaseTermsSum(&Term::quarter, &Term::ePowerQuarter, a, sin) - QuarterW(a, cos); break;
  }
  return jde + PlanetaryCorrection(a, sin);
}

// Sine and cosine of degrees converted without reduction (the window form) or after reduction
// with NormalizeDegrees (everything else).
auto SinRaw = [](long double deg) { return static_cast<long double>(std::sin(static_cast<double>(deg) * kDegToRad)); };
auto CosRaw = [](long double deg) { return static_cast<long double>(std::cos(static_cast<double>(deg) * kDegToRad)); };
auto SinNorm = [](long double deg) { return static_cast<long double>(SinDegNormalized(static_cast<double>(deg))); };
auto CosNorm = [](long double deg) { return static_cast<long double>(CosDegNormalized(static_cast<double>(deg))); };

// ---- Perigee and apogee (Meeus, ch. 50) ---------------------------------------------------

// One periodic term: multipliers of D, F, M, and the coefficient a * 1e-4 + b * 1e-5 * T days.
struct ApsisTerm {
  std::int8_t d, f, m;
  std::int32_t a, b;
};

constexpr ApsisTerm kApogeeTerms[32] = {
    {2, 0, 0, 4392, 0}, {4, 0, 0, 684, 0},   {0, 0, 1, 456, -11}, {2, 0, -1, 426, -11}, {0, 2, 0, 212, 0},
    {1, 0, 0, -189, 0}, {6, 0, 0, 144, 0},   {4, 0, -1, 113, 0},  {2, 2, 0, 47, 0},     {1, 0, 1, 36, 0},
    {8, 0, 0, 35, 0},   {6, 0, -1, 34, 0},   {2, -2, 0, -34, 0},  {2, 0, -2, 22, 0},    {3, 0, 0, -17, 0},
    {4, 2, 0, 13, 0},   {8, 0, -1, 11, 0},   {4, 0, -2, 10, 0},   {10, 0, 0, 9, 0},     {3, 0, 1, 7, 0},
    {0, 0, 2, 6, 0},    {2, 0, 1, 5, 0},     {2, 0, 2, 5, 0},     {6, 2, 0, 4, 0},      {6, 0, -2, 4, 0},
    {10, 0, -1, 4, 0},  {5, 0, 0, -4, 0},    {4, -2, 0, -4, 0},   {0, 2, 1, 3, 0},      {12, 0, 0, 3, 0},
    {2, 2, -1, 3, 0},   {1, 0, -1, -3, 0},
};

constexpr ApsisTerm kPerigeeTerms[60] = {
    {2, 0, 0, -16769, 0}, {4, 0, 0, 4589, 0},   {6, 0, 0, -1856, 0},  {8, 0, 0, 883, 0},    {2, 0, -1, -773, 19},
    {0, 0, 1, 502, -13},  {10, 0, 0, -460, 0},  {4, 0, -1, 422, -11}, {6, 0, -1, -256, 0},  {12, 0, 0, 253, 0},
    {1, 0, 0, 237, 0},    {8, 0, -1, 162, 0},   {14, 0, 0, -145, 0},  {0, 2, 0, 129, 0},    {3, 0, 0, -112, 0},
    {10, 0, -1, -104, 0}, {16, 0, 0, 86, 0},    {12, 0, -1, 69, 0},   {5, 0, 0, 66, 0},     {2, 2, 0, -53, 0},
    {18, 0, 0, -52, 0},   {14, 0, -1, -46, 0},  {7, 0, 0, -41, 0},    {2, 0, 1, 40, 0},     {20, 0, 0, 32, 0},
    {1, 0, 1, -32, 0},    {16, 0, -1, 31, 0},   {4, 0, 1, -29, 0},    {2, 0, -2, -27, 0},   {4, 0, -2, 24, 0},
    {6, 0, -2, -21, 0},   {22, 0, 0, -21, 0},   {18, 0, -1, -21, 0},  {6, 0, 1, 19, 0},     {11, 0, 0, -18, 0},
    {8, 0, 1, -14, 0},    {4, -2, 0, -14, 0},   {6, 2, 0, -14, 0},    {3, 0, 1, 14, 0},     {5, 0, 1, -14, 0},
    {13, 0, 0, 13, 0},    {20, 0, -1, 13, 0},   {3, 0, 2, 11, 0},     {4, 2, -2, -11, 0},   {1, 0, 2, -10, 0},
    {22, 0, -1, -9, 0},   {0, 4, 0, -8, 0},     {6, -2, 0, 8, 0},     {2, -2, 1, 8, 0},     {0, 0, 2, 7, 0},
    {0, 2, -1, 7, 0},     {2, 4, 0, 7, 0},      {0, 2, -2, -6, 0},    {2, -2, 2, -6, 0},    {24, 0, 0, 6, 0},
    {4, -4, 0, 5, 0},     {9, 0, 0, 27, 0},     {4, 2, 0, 27, 0},     {2, 0, 2, 5, 0},      {1, 0, -1, -4, 0},
};

// Steps a search start by `step` days until the found instant is at or after t. The searches
// need two or three steps; the bound only matters for absurd inputs, where a step is below the
// resolution of t.
template <typename Find>
DateTimeValue StepForward(DateTimeValue t, double step, Find find) {
  if (!std::isfinite(t.Days)) return DateTimeValue(kNaN);
  DateTimeValue a = t - step;
  for (int i = 0; i < 16; ++i) {
    const DateTimeValue r = find(a);
    if (r >= t) return r;
    a += step;
  }
  return DateTimeValue(kNaN);
}

}  // namespace

namespace {

// The window form of a phase of lunation k0 (integer): unreduced sines, E from T.
JulianDay WindowPhaseOfLunation(long double k0, PhaseKind kind) {
  const long double k = k0 + 0.25L * static_cast<int>(kind);
  const LunationArguments a = MeanLunation(k, k / 1236.85L);
  return static_cast<double>(PhaseInstant(a, kind, SinRaw, CosRaw));
}

}  // namespace

JulianDay WindowPhaseInstant(int day, int month, int year, PhaseKind kind) {
  // Rounded down: before 2000 the product is negative, and rounding towards zero would take the
  // next lunation (the window then showed a negative Moon's age).
  const double k0 = std::floor((year + month / 12.0 + day / 365.0 - 2000.0 + 0.083333333333333333336) * 12.3685);
  return WindowPhaseOfLunation(k0, kind);
}

std::array<JulianDay, 5> WindowLunationPhases(JulianDay jde) {
  std::array<JulianDay, 5> phases;
  phases.fill(kNaN);
  // Beyond some 1e12 days a lunation is below the resolution of a double.
  if (!(std::fabs(jde) < 1e12)) return phases;
  // The mean lunation; the true new moon differs from the mean one by less than 15 hours, so one
  // step back or forward finds the lunation in progress.
  long double k = std::floor((jde - 2451550.09765) / SynodicMonth);
  for (int i = 0; i < 3 && WindowPhaseOfLunation(k, PhaseKind::NewMoon) > jde; ++i) k -= 1.0L;
  for (int i = 0; i < 3 && WindowPhaseOfLunation(k, PhaseKind::NextNewMoon) <= jde; ++i) k += 1.0L;
  for (int kind = 0; kind < 5; ++kind) phases[kind] = WindowPhaseOfLunation(k, static_cast<PhaseKind>(kind));
  return phases;
}

DateTimeValue NewMoonNear(DateTimeValue t) {
  const long double tau = (static_cast<long double>(t.Days) - Startup().J2000Date.Days) / 36525.0L;
  const long double k = std::nearbyint(tau * 1236.85L);
  const LunationArguments a = MeanLunation(k, tau);
  return JulianDayToDateTime(static_cast<double>(PhaseInstant(a, PhaseKind::NewMoon, SinNorm, CosNorm)));
}

DateTimeValue PreviousNewMoon(DateTimeValue t) {
  if (!std::isfinite(t.Days)) return DateTimeValue(kNaN);
  // The first candidate is the new moon nearest t + 28 days; each step goes back 28 days, that is
  // one lunation or none. Three steps suffice; the bound guards absurd inputs.
  DateTimeValue b = t + 28.0;
  for (int i = 0; i < 16; ++i) {
    const DateTimeValue r = NewMoonNear(b);
    if (r <= t) return r;
    b -= 28.0;
  }
  return DateTimeValue(kNaN);
}

std::optional<std::int64_t> LunationNumber(DateTimeValue t) {
  const double n = std::nearbyint((PreviousNewMoon(t) - Startup().LunationEpoch) / SynodicMonth) + 1.0;
  if (!(std::fabs(n) < 9e15)) return std::nullopt;  // also NaN
  return static_cast<std::int64_t>(n);
}

namespace {

// Whether every multiplier of a table lies within the multiples ApsisOfIndex forms (D only
// positive ones).
template <std::size_t N>
constexpr bool MultipliersWithin(const ApsisTerm (&table)[N], int d, int f, int m) {
  for (const ApsisTerm& x : table) {
    if (x.d < 0 || x.d > d || x.f < -f || x.f > f || x.m < -m || x.m > m) return false;
  }
  return true;
}
constexpr int kMaxD = 24, kMaxF = 4, kMaxM = 2;
static_assert(MultipliersWithin(kPerigeeTerms, kMaxD, kMaxF, kMaxM) &&
              MultipliersWithin(kApogeeTerms, kMaxD, kMaxF, kMaxM));

// sin and cos of j x for j = -N..N (index j + N), by the angle-addition recurrence from sin x and
// cos x (the rounding grows by about one unit in the last place per multiple).
template <int N>
struct AngleMultiples {
  std::array<double, 2 * N + 1> sin{};
  std::array<double, 2 * N + 1> cos{};
  explicit AngleMultiples(long double deg) {
    // Whole turns removed in extended precision (a quotient rather than fmod, which is slow).
    const double x = static_cast<double>(deg - 360.0L * std::floor(deg / 360.0L)) * kDegToRad;
    const double s1 = std::sin(x), c1 = std::cos(x);
    double s = 0.0, c = 1.0;
    for (int j = 0; j <= N; ++j) {
      sin[static_cast<std::size_t>(N - j)] = -s;
      cos[static_cast<std::size_t>(N - j)] = c;
      sin[static_cast<std::size_t>(N + j)] = s;
      cos[static_cast<std::size_t>(N + j)] = c;
      const double next = s * c1 + c * s1;
      c = c * c1 - s * s1;
      s = next;
    }
  }
  [[nodiscard]] double Sin(int j) const { return sin[static_cast<std::size_t>(N + j)]; }
  [[nodiscard]] double Cos(int j) const { return cos[static_cast<std::size_t>(N + j)]; }
};

// The apsis of index k: a whole number for a perigee, and half more for an apogee. Each term's
// sine of d D + f F + m M comes from the multiples of D, F and M by angle addition, rather than
// from a sine of its own.
DateTimeValue ApsisOfIndex(bool apogee, long double k) {
  const long double T = k / 1325.55L;
  const long double T2 = T * T, T3 = T2 * T, T4 = T3 * T;
  const long double D = 171.9179L + 335.9106046L * k - 0.010025L * T2 - 0.00001156L * T3 + 0.000000055L * T4;
  const long double M = 347.3477L + 27.1577721L * k - 0.0008323L * T2 - 0.000001L * T3;
  const long double F = 316.6109L + 364.5287911L * k - 0.0125131L * T2 - 0.0000148L * T3;
  const long double jde0 = 2451534.6698L + 27.55454988L * k - 0.0006886L * T2 - 0.000001098L * T3 + 0.0000000052L * T4;
  const AngleMultiples<kMaxD> d(D);
  const AngleMultiples<kMaxF> f(F);
  const AngleMultiples<kMaxM> m(M);
  const double t = static_cast<double>(T);
  double sum = 0.0;
  auto add = [&](const ApsisTerm& x) {
    const double sinDF = d.Sin(x.d) * f.Cos(x.f) + d.Cos(x.d) * f.Sin(x.f);
    const double cosDF = d.Cos(x.d) * f.Cos(x.f) - d.Sin(x.d) * f.Sin(x.f);
    sum += (x.a * 1e-4 + x.b * 1e-5 * t) * (sinDF * m.Cos(x.m) + cosDF * m.Sin(x.m));
  };
  if (apogee) {
    for (const ApsisTerm& x : kApogeeTerms) add(x);
  } else {
    for (const ApsisTerm& x : kPerigeeTerms) add(x);
  }
  return JulianDayToDateTime(static_cast<double>(jde0 + sum));
}

// The index of the anomalistic month nearest t (the perigee's; an apogee adds one half).
long double ApsisIndexNear(bool apogee, DateTimeValue t) {
  const long double k = std::nearbyint(((t - Startup().Epoch1999) / 365.25 - 0.97) * 13.2555);
  return apogee ? k + 0.5L : k;
}

// LunarApsis takes the apsis whose mean instant is nearest the search start, and the mean
// anomalistic month is 365.25 / 13.2555 = 27.5546 days. A step of 28 days therefore skips one
// apsis about every 62 steps, and then the search answered with the apsis a month too late (1 %
// of all moments). Steps shorter than the month visit every apsis.
constexpr double kApsisSearchStepDays = 27.0;
// Within this many months of 2000 (about 6000 years) the direct search below holds.
constexpr double kDirectApsisSearchMonths = 80000.0;

// The first apsis at or after t. Take the index k whose mean instant JDE0 (linear part) is nearest
// t: t then lies within 13.8 days of it plus at most 2.8 days that the higher powers of T add
// within 6000 years, the periodic terms move an apsis by at most 2.9 days, and the month is 27.55
// days long. So the apsis before k's lies more than 8 days before t and the one after k's lies
// after t: k's apsis is the answer unless it lies before t, and then the next one is. That is one
// or two evaluations of the series rather than the three or more of stepping the search start by
// 27 days, which remains for dates farther away.
DateTimeValue NextLunarApsis(bool apogee, DateTimeValue t) {
  if (!std::isfinite(t.Days)) return DateTimeValue(kNaN);
  const double half = apogee ? 0.5 : 0.0;
  const double months = (DateTimeToJulianDay(t) - 2451534.6698) / 27.55454988 - half;
  if (std::fabs(months) <= kDirectApsisSearchMonths) {
    const long double k = std::nearbyint(months) + half;
    const DateTimeValue r = ApsisOfIndex(apogee, k);
    return r >= t ? r : ApsisOfIndex(apogee, k + 1.0L);
  }
  return StepForward(t, kApsisSearchStepDays, [apogee](DateTimeValue a) {
    return ApsisOfIndex(apogee, ApsisIndexNear(apogee, a));
  });
}

}  // namespace

DateTimeValue LunarApsis(bool apogee, DateTimeValue t) { return ApsisOfIndex(apogee, ApsisIndexNear(apogee, t)); }

DateTimeValue NextPerigee(DateTimeValue t) { return NextLunarApsis(false, t); }
DateTimeValue NextApogee(DateTimeValue t) { return NextLunarApsis(true, t); }

}  // namespace zenitra
