#include "calendars/year_phenomena.h"

#include <array>
#include <cmath>
#include <cstdlib>

#include "core/angle_units.h"
#include "core/lunar_phase_series.h"
#include "core/sin_cos.h"

namespace zenitra::yearcal {
namespace {

// Mean synodic month (days) and mean new moon of 6 January 2000 (JDE), from the mean lunation.
constexpr double kLunation = static_cast<double>(lunar_phase_series::kMeanRows[0][1]);
constexpr double kNewMoon2000 = static_cast<double>(lunar_phase_series::kMeanRows[0][0]);
constexpr double kMaxDaysFromJ2000 = 1e9;       // beyond this the eclipse search is not attempted
constexpr int kMaxEclipseLunations = 24;        // an eclipse season comes within about six lunations

// ---- Equinoxes and solstices (Meeus, ch. 27, tables 27.A, 27.B, 27.C) ----

// Years -1000 .. +1000, Y = year / 1000.
constexpr std::array<std::array<double, 5>, 4> kSeasonEarly = {{
    {1721139.29189, 365242.1374, 0.06134, 0.00111, -0.00071},
    {1721233.25401, 365241.72562, -0.05323, 0.00907, 0.00025},
    {1721325.70455, 365242.49558, -0.11677, -0.00297, 0.00074},
    {1721414.39987, 365242.88257, -0.00769, -0.00933, -0.00006},
}};
// Years +1000 .. +3000, Y = (year - 2000) / 1000.
constexpr std::array<std::array<double, 5>, 4> kSeasonLate = {{
    {2451623.80984, 365242.37404, 0.05169, -0.00411, -0.00057},
    {2451716.56767, 365241.62603, 0.00325, 0.00888, -0.0003},
    {2451810.21715, 365242.01767, -0.11575, 0.00337, 0.00078},
    {2451900.05952, 365242.74049, -0.06223, -0.00823, 0.00032},
}};

struct PeriodicTerm {
  double a;
  double bDeg;
  double cDeg;
};
constexpr std::array<PeriodicTerm, 24> kSeasonTerms = {{
    {485, 324.96, 1934.136},   {203, 337.23, 32964.467}, {199, 342.08, 20.186},
    {182, 27.85, 445267.112},  {156, 73.14, 45036.886},  {136, 171.52, 22518.443},
    {77, 222.54, 65928.934},   {74, 296.72, 3034.906},   {70, 243.58, 9037.513},
    {58, 119.81, 33718.147},   {52, 297.17, 150.678},    {50, 21.02, 2281.226},
    {45, 247.54, 29929.562},   {44, 325.15, 31555.956},  {29, 60.93, 4443.417},
    {18, 155.12, 67555.328},   {17, 288.79, 4562.452},   {16, 198.04, 62894.029},
    {14, 199.76, 31436.921},   {12, 95.39, 14577.848},   {12, 287.11, 31931.756},
    {12, 320.81, 34777.259},   {9, 227.73, 1222.114},    {8, 15.45, 16859.074},
}};

// ---- Principal phases of the Moon (Meeus, ch. 49) ----

namespace series = lunar_phase_series;

// The mean lunation row (core/lunar_phase_series.h) in double, by Horner's rule in T.
double PhaseRow(int row, double t, double k) {
  const auto& c = series::kMeanRows[static_cast<std::size_t>(row)];
  return static_cast<double>(c[0]) + static_cast<double>(c[1]) * k +
         t * t * (static_cast<double>(c[2]) + t * (static_cast<double>(c[3]) + t * static_cast<double>(c[4])));
}

// sin and cos of j x for j = 0..N.
template <int N>
struct Multiples {
  std::array<double, N + 1> s{};
  std::array<double, N + 1> c{};
  explicit Multiples(double xRad) {
    s[0] = 0.0;
    c[0] = 1.0;
    SinCosMultiples(N, xRad, s, c);
  }
};

// Adds the multiple j x (j may be negative) to the angle held as (sinA, cosA); j = 0 is skipped.
template <int N>
void AddMultiple(const Multiples<N>& x, int j, bool& started, double& sinA, double& cosA) {
  if (j == 0) return;
  const int n = std::abs(j);
  const double sj = j < 0 ? -x.s[static_cast<std::size_t>(n)] : x.s[static_cast<std::size_t>(n)];
  const double cj = x.c[static_cast<std::size_t>(n)];
  if (!started) {
    sinA = sj;
    cosA = cj;
    started = true;
    return;
  }
  const double s = sinA * cj + cosA * sj;
  cosA = cosA * cj - sinA * sj;
  sinA = s;
}

// Lunation number of the first syzygy at least about 0.03 lunation after jd.
double FirstLunationAfter(JulianDay jd) { return FloorValue((jd - kNewMoon2000) / kLunation + 1.03); }

bool SearchableInstant(JulianDay jd) {
  return std::isfinite(jd) && std::fabs(jd - 2451545.0) <= kMaxDaysFromJ2000;
}

}  // namespace

std::optional<JulianDay> SeasonStart(int year, int season) {
  if (season < 0 || season > 3) return std::nullopt;
  const auto index = static_cast<std::size_t>(season);
  const bool early = year < 1000;
  const double y = early ? year / 1000.0 : (year - 2000) / 1000.0;
  const double jde0 = Quartic(early ? kSeasonEarly[index] : kSeasonLate[index], y);
  const double t = CenturiesSinceJ2000(jde0);
  const double w = (35999.373 * t - 2.47) * kDegToRad;
  const double deltaLambda = 1.0 + 0.0334 * std::cos(w) + 0.0007 * std::cos(2.0 * w);
  double s = 0.0;
  for (const PeriodicTerm& term : kSeasonTerms) s += term.a * SinCosOf((term.bDeg + term.cDeg * t) * kDegToRad).cos;
  return jde0 + 0.00001 * s / deltaLambda;
}

std::optional<double> MoonPhaseArgument(int row, double t, double k) {
  if (row < 0 || row > 4) return std::nullopt;
  return PhaseRow(row, t, k);
}

std::optional<JulianDay> MoonPhaseInstant(int n, int phase) {
  if (phase < 0 || phase > 3) return std::nullopt;
  const double k = n + phase / 4.0;
  const double t = k / 1236.85;
  double jde = PhaseRow(0, t, k);
  const double m = NormalizeRadians(PhaseRow(1, t, k) * kDegToRad);
  const double mMoon = NormalizeRadians(PhaseRow(2, t, k) * kDegToRad);
  const double f = NormalizeRadians(PhaseRow(3, t, k) * kDegToRad);
  const double omega = NormalizeRadians(PhaseRow(4, t, k) * kDegToRad);
  // The node term first, for every phase alike.
  const series::PeriodicTerm& nodeTerm = series::kPeriodicTerms[14];
  static_assert(series::kPeriodicTerms[14].om == 1);
  jde += nodeTerm.newMoon * SinCosOf(omega).sin;

  const double e = 1.0 - 0.002516 * t - 0.0000074 * t * t;
  const Multiples<3> ms(m);
  const Multiples<4> mm(mMoon);
  const Multiples<2> fs(f);
  for (const series::PeriodicTerm& term : series::kPeriodicTerms) {
    if (term.om != 0) continue;  // the node term, above
    const double coefficient = phase == 0 ? term.newMoon : phase == 2 ? term.fullMoon : term.quarter;
    if (coefficient == 0.0) continue;
    bool started = false;
    double sinA = 0.0;
    double cosA = 1.0;
    AddMultiple(ms, term.m, started, sinA, cosA);
    AddMultiple(mm, term.mp, started, sinA, cosA);
    AddMultiple(fs, term.f, started, sinA, cosA);
    const int ePower = phase == 0 || phase == 2 ? term.ePower : term.ePowerQuarter;
    const double eFactor = ePower == 0 ? 1.0 : ePower == 1 ? e : e * e;
    jde += coefficient * eFactor * sinA;
  }

  if (phase == 1 || phase == 3) {
    // cos(M' -+ M) by the addition theorem from the multiples above.
    const double cosDifference = mm.c[1] * ms.c[1] + mm.s[1] * ms.s[1];
    const double cosSum = mm.c[1] * ms.c[1] - mm.s[1] * ms.s[1];
    const double w = 0.00306 - 0.00038 * e * ms.c[1] + 0.00026 * mm.c[1] - 0.00002 * cosDifference +
                     0.00002 * cosSum + 0.00002 * fs.c[2];
    jde += phase == 1 ? w : -w;
  }

  // The planetary terms two at a time.
  static_assert(series::kPlanetaryTerms.size() % 2 == 0);
  for (std::size_t i = 0; i < series::kPlanetaryTerms.size(); i += 2) {
    const series::PlanetaryTerm& x = series::kPlanetaryTerms[i];
    const series::PlanetaryTerm& y = series::kPlanetaryTerms[i + 1];
    Double2 aDeg = {x.a0 + x.rate * k, y.a0 + y.rate * k};
    if (i == 0) aDeg[0] -= 0.009173 * t * t;
    Double2 sinA, cosA;
    SinCosOf2(aDeg * kDegToRad, sinA, cosA);
    jde += x.amplitude * sinA[0];
    jde += y.amplitude * sinA[1];
  }
  return jde;
}

EclipseCoreValues EclipseCore(double k) {
  const double t0 = k / 1236.85;
  EclipseCoreValues out;
  out.jde = PhaseRow(series::kMeanPhase, t0, k);

  const double t = CenturiesSinceJ2000(out.jde);
  const double omega =
      NormalizeRadians(Quartic({125.044555, -1934.1361849, 0.0020762, 0.000002139449, 0.0000000164973}, t) * kDegToRad);
  const double m = NormalizeRadians(Quartic({357.5291092, 35999.0502909, -0.0001536, 0.00000004083299, 0.0}, t) * kDegToRad);
  const double mMoon = NormalizeRadians(
      Quartic({134.9634114, 477198.8676313, 0.008997, 0.00001434741, 0.0000000679717}, t) * kDegToRad);
  const double f = NormalizeRadians(
      Quartic({93.2720993, 483202.0175273, -0.0034029, 0.0000002836075, 0.00000000115833}, t) * kDegToRad);
  const double e = 1.0 - 0.002516 * t - 0.0000074 * t * t;

  if (!(std::fabs(std::sin(f)) < 0.36)) {  // too far from a node (or not a number): no eclipse
    out.u = 0.0;
    out.gamma = 2.0;
    return out;
  }

  const double f1 = f - 0.02665 * kDegToRad * std::sin(omega);
  const double a1 = (299.77 + 0.107408 * k - 0.009173 * t * t) * kDegToRad;

  out.jde += -0.4075 * std::sin(mMoon) + 0.1721 * e * std::sin(m) + 0.0161 * std::sin(2.0 * mMoon) -
             0.0097 * std::sin(2.0 * f1) + 0.0073 * e * std::sin(mMoon - m) - 0.0050 * e * std::sin(mMoon + m) -
             0.0023 * std::sin(mMoon - 2.0 * f1) + 0.0021 * e * std::sin(2.0 * m) +
             0.0012 * std::sin(mMoon + 2.0 * f1) + 0.0006 * e * std::sin(2.0 * mMoon + m) -
             0.0004 * std::sin(3.0 * mMoon) - 0.0003 * e * std::sin(m + 2.0 * f1) + 0.0003 * std::sin(a1) -
             0.0002 * e * std::sin(m - 2.0 * f1) - 0.0002 * e * std::sin(2.0 * mMoon - m) -
             0.0002 * std::sin(omega);

  const double p = 0.2070 * e * std::sin(m) + 0.0024 * e * std::sin(2.0 * m) - 0.0392 * std::sin(mMoon) +
                   0.0116 * std::sin(2.0 * mMoon) - 0.0073 * e * std::sin(mMoon + m) +
                   0.0067 * e * std::sin(mMoon - m) + 0.0118 * std::sin(2.0 * f1);
  const double q = 5.2207 - 0.0048 * e * std::cos(m) + 0.0020 * e * std::cos(2.0 * m) - 0.3299 * std::cos(mMoon) -
                   0.0060 * e * std::cos(mMoon + m) + 0.0041 * e * std::cos(mMoon - m);

  out.gamma = std::fabs((p * std::cos(f1) + q * std::sin(f1)) * (1.0 - 0.0048 * std::fabs(std::cos(f1))));
  out.u = 0.0059 + 0.0046 * e * std::cos(m) - 0.0182 * std::cos(mMoon) + 0.0004 * std::cos(2.0 * mMoon) -
          0.0005 * std::cos(mMoon + m);
  return out;
}

std::optional<SolarEclipse> NextSolarEclipse(JulianDay jd) {
  if (!SearchableInstant(jd)) return std::nullopt;
  double k = FirstLunationAfter(jd);
  for (int i = 0; i < kMaxEclipseLunations; ++i, k += 1.0) {
    const EclipseCoreValues c = EclipseCore(k);
    if (!(1.5433 + c.u > c.gamma)) continue;
    SolarEclipse result;
    result.jde = c.jde;
    if (c.gamma < 0.9972) {
      if (c.u < 0.0) {
        result.kind = 1;
      } else if (c.u > 0.0047) {
        result.kind = 2;
      } else {
        result.kind = c.u < 0.00464 * std::sqrt(1.0 - c.gamma * c.gamma) ? 3 : 2;
      }
    } else if (c.gamma < 0.9972 + std::fabs(c.u)) {
      result.kind = c.u > 0.0047 ? 5 : 4;
    } else {
      result.kind = 6;
      result.magnitude = (1.5433 + c.u - c.gamma) / (0.5461 + 2.0 * c.u);
    }
    return result;
  }
  return std::nullopt;
}

std::optional<LunarEclipse> NextLunarEclipse(JulianDay jd) {
  if (!SearchableInstant(jd)) return std::nullopt;
  double k = FirstLunationAfter(jd) + 0.5;
  for (int i = 0; i < kMaxEclipseLunations; ++i, k += 1.0) {
    const EclipseCoreValues c = EclipseCore(k);
    LunarEclipse result;
    result.jde = c.jde;
    result.kind = 1;
    result.magnitude = (1.0128 - c.u - c.gamma) / 0.545;
    if (result.magnitude < 0.0) {
      result.kind = 7;
      result.magnitude = (1.5573 + c.u - c.gamma) / 0.545;
    }
    if (!(result.magnitude > 0.0)) continue;
    if (result.kind == 1 && c.gamma >= 0.4678 - c.u) result.kind = 6;
    return result;
  }
  return std::nullopt;
}

}  // namespace zenitra::yearcal
