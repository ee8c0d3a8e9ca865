#include "calendars/planet_phenomena.h"

#include <array>
#include <climits>
#include <cmath>
#include <cstddef>

#include "core/angle_units.h"

namespace zenitra::yearcal {
namespace {

constexpr int kMaxHarmonics = 5;
constexpr double kJ2000 = 2451545.0;
constexpr double kMaxDaysFromJ2000 = 1e9;  // beyond this the series mean nothing: refused
constexpr std::size_t kMaxRows = 2 * kMaxHarmonics + 1;

using Quad = std::array<double, 3>;

// Mean instants (Meeus, ch. 36): A per event (JDE), B mean synodic period (days), M0 per event
// and M1 (degrees).
struct MeanRow {
  std::array<double, 2> a;
  double b;
  std::array<double, 2> m0;
  double m1;
};
// Index p - 1 with p = planet for Mercury and Venus and p = planet - 1 for Mars to Neptune.
constexpr std::array<MeanRow, 7> kMean = {{
    {{2451612.023, 2451554.084}, 115.8774771, {63.5867, 6.4822}, 114.2088742},
    {{2451996.706, 2451704.746}, 583.921361, {82.7311, 154.9745}, 215.513058},
    {{2452097.382, 2451707.414}, 779.936104, {181.9573, 157.6047}, 48.705244},
    {{2451870.628, 2451671.186}, 398.884046, {318.4681, 121.898}, 33.140229},
    {{2451870.17, 2451681.124}, 378.091904, {318.0172, 131.6934}, 12.647487},
    {{2451764.317, 2451579.489}, 369.656035, {213.6884, 31.5219}, 4.333093},
    {{2451753.122, 2451569.379}, 367.486703, {202.6544, 21.5569}, 2.194998},
}};

// A correction series: n harmonics, rows constant, sin 1M, cos 1M, ..., sin nM, cos nM; each row
// two quadratics in T (one per event, or time and elongation for the elongations).
struct Series {
  int harmonics;
  std::array<std::array<Quad, 2>, kMaxRows> rows;
};

// Conjunctions and oppositions (Meeus, ch. 36), values in days; columns event 0, event 1.
constexpr std::array<Series, 7> kEventSeries = {{
    {5,
     {{{{{0.0545, 0.0002, 0}, {-0.0548, -0.0002, 0}}},
       {{{-6.2008, 0.0074, 0.00003}, {7.3894, -0.01, -0.00003}}},
       {{{-3.275, -0.0197, 0.00001}, {3.22, 0.0197, -0.00001}}},
       {{{0.4737, -0.0052, -0.00001}, {0.8383, -0.0064, -0.00001}}},
       {{{0.8111, 0.0033, -0.00002}, {0.9666, 0.0039, -0.00003}}},
       {{{0.0037, 0.0018, 0}, {0.077, -0.0026, 0}}},
       {{{-0.1768, 0, 0.00001}, {0.2758, 0.0002, -0.00002}}},
       {{{-0.0211, -0.0004, 0}, {-0.0128, -0.0008, 0}}},
       {{{0.0326, -0.0003, 0}, {0.0734, -0.0004, -0.00001}}},
       {{{0.0083, 0.0001, 0}, {-0.0122, -0.0002, 0}}},
       {{{-0.004, 0.0001, 0}, {0.0173, -0.0002, 0}}}}}},
    {3,
     {{{{{-0.0096, 0.0002, -0.00001}, {0.0099, -0.0002, -0.00001}}},
       {{{2.0009, -0.0033, -0.00001}, {4.1991, -0.0121, -0.00003}}},
       {{{0.598, -0.0104, 0.00001}, {-0.6095, 0.0102, -0.00002}}},
       {{{0.0967, -0.0018, -0.00003}, {0.25, -0.0028, -0.00003}}},
       {{{0.0913, 0.0009, -0.00002}, {0.0063, 0.0025, -0.00002}}},
       {{{0.0046, -0.0002, 0}, {0.0232, -0.0005, -0.00001}}},
       {{{0.0079, 0.0001, 0}, {0.0031, 0.0004, 0}}}}}},
    {5,
     {{{{{-0.3088, 0, 0.00002}, {0.3102, -0.0001, 0.00001}}},
       {{{-17.6965, 0.0363, 0.00005}, {9.7273, -0.0156, 0.00001}}},
       {{{18.3131, 0.0467, -0.00006}, {-18.3195, -0.0467, 0.00009}}},
       {{{-0.2162, -0.0198, -0.00001}, {-1.6488, -0.0133, 0.00001}}},
       {{{-4.5028, -0.0019, 0.00007}, {-2.6117, -0.002, 0.00004}}},
       {{{0.8987, 0.0058, -0.00002}, {-0.6827, -0.0026, 0.00001}}},
       {{{0.7666, -0.005, -0.00003}, {0.0281, 0.0035, 0.00001}}},
       {{{-0.3636, -0.0001, 0.00002}, {-0.0823, 0.0006, 0.00001}}},
       {{{0.0402, 0.0032, 0}, {0.1584, 0.0013, 0}}},
       {{{0.0737, -0.0008, 0}, {0.027, 0.0005, 0}}},
       {{{-0.098, -0.0011, 0}, {0.0433, 0, 0}}}}}},
    {3,
     {{{{{-0.1029, 0, -0.00009}, {0.1027, 0.0002, -0.00009}}},
       {{{-1.9658, -0.0056, 0.00007}, {-2.2637, 0.0163, -0.00003}}},
       {{{6.1537, 0.021, -0.00006}, {-6.154, -0.021, 0.00008}}},
       {{{-0.2081, -0.0013, 0}, {-0.2021, -0.0017, 0.00001}}},
       {{{-0.1116, -0.001, 0}, {0.131, -0.0008, 0}}},
       {{{0.0074, 0.0001, 0}, {0.0086, 0, 0}}},
       {{{-0.0097, -0.0001, 0}, {0.0087, 0.0002, 0}}}}}},
    {3,
     {{{{{-0.0209, 0.0006, 0.00023}, {0.0172, -0.0006, 0.00023}}},
       {{{4.5795, -0.0312, -0.00017}, {-8.5885, 0.0411, 0.0002}}},
       {{{1.1462, -0.0351, 0.00011}, {-1.147, 0.0352, -0.00011}}},
       {{{0.0985, -0.0015, 0}, {0.3331, -0.0034, -0.00001}}},
       {{{0.0733, -0.0031, 0.00001}, {0.1145, -0.0045, 0.00002}}},
       {{{0.0025, -0.0001, 0}, {-0.0169, 0.0002, 0}}},
       {{{0.005, -0.0002, 0}, {-0.0109, 0.0004, 0}}}}}},
    {3,
     {{{{{0.0844, -0.0006, 0}, {-0.0859, 0.0003, 0}}},
       {{{-0.1048, 0.0246, 0}, {-3.8179, -0.0148, 0.00003}}},
       {{{-5.1221, 0.0104, 0.00003}, {5.1228, -0.0105, -0.00002}}},
       {{{-0.1428, 0.0005, 0}, {-0.0803, 0.0011, 0}}},
       {{{-0.0148, -0.0013, 0}, {-0.1905, -0.0006, 0}}},
       {{{0, 0, 0}, {0.0088, 0.0001, 0}}},
       {{{0.0055, 0, 0}, {0, 0, 0}}}}}},
    {2,
     {{{{{-0.014, 0, 0.00001}, {0.0168, 0, 0}}},
       {{{-1.3486, 0.001, 0.00001}, {-2.5606, 0.0088, 0.00002}}},
       {{{0.8597, 0.0037, 0}, {-0.8611, -0.0037, 0.00002}}},
       {{{-0.0082, -0.0002, 0.00001}, {0.0118, -0.0004, 0.00001}}},
       {{{0.0037, -0.0003, 0}, {0.0307, -0.0003, 0}}}}}},
}};

// Greatest elongations (Meeus, ch. 36); index [planet - 1][side]; columns time (days),
// elongation (degrees).
constexpr std::array<std::array<Series, 2>, 2> kElongationSeries = {{
    {{{5,
       {{{{{-21.6101, 0.0002, 0}, {22.4697, 0, 0}}},
         {{{-1.9803, -0.006, 0.00001}, {-4.2666, 0.0054, 0.00002}}},
         {{{1.4151, -0.0072, -0.00001}, {-1.8537, -0.0137, 0}}},
         {{{0.5528, -0.0005, -0.00001}, {0.3598, 0.0008, -0.00001}}},
         {{{0.2905, 0.0034, 0.00001}, {-0.068, 0.0026, 0}}},
         {{{-0.1121, -0.0001, 0.00001}, {-0.0524, -0.0003, 0}}},
         {{{-0.0098, -0.0015, 0}, {0.0052, -0.0006, 0}}},
         {{{0.0192, 0, 0}, {0.0107, 0.0001, 0}}},
         {{{0.0111, 0.0004, 0}, {-0.0013, 0.0001, 0}}},
         {{{-0.0061, 0, 0}, {-0.0021, 0, 0}}},
         {{{-0.0032, -0.0001, 0}, {0.0003, 0, 0}}}}}},
      {5,
       {{{{{21.6249, -0.0002, 0}, {22.4143, -0.0001, 0}}},
         {{{0.1306, 0.0065, 0}, {4.3651, -0.0048, -0.00002}}},
         {{{-2.7661, -0.0011, 0.00001}, {2.3787, 0.0121, -0.00001}}},
         {{{0.2438, -0.0024, -0.00001}, {0.2674, 0.0022, 0}}},
         {{{0.5767, 0.0023, 0}, {-0.3873, 0.0008, 0.00001}}},
         {{{0.1041, 0, 0}, {-0.0369, -0.0001, 0}}},
         {{{-0.0184, 0.0007, 0}, {0.0017, -0.0001, 0}}},
         {{{-0.0051, -0.0001, 0}, {0.0059, 0, 0}}},
         {{{0.0048, 0.0001, 0}, {0.0061, 0.0001, 0}}},
         {{{0.0026, 0, 0}, {0.0007, 0, 0}}},
         {{{0.0037, 0, 0}, {-0.0011, 0, 0}}}}}}}},
    {{{3,
       {{{{{-70.76, 0.0002, -0.00001}, {46.3173, 0.0001, 0}}},
         {{{1.0282, -0.001, -0.00001}, {0.6916, -0.0024, 0}}},
         {{{0.2761, -0.006, 0}, {0.6676, -0.0045, 0}}},
         {{{-0.0438, -0.0023, 0.00002}, {0.0309, -0.0002, 0}}},
         {{{0.166, -0.0037, -0.00004}, {0.0036, -0.0001, 0}}},
         {{{0.0036, 0.0001, 0}, {0, 0, 0}}},
         {{{-0.0011, 0, 0.00001}, {0, 0, 0}}}}}},
      {3,
       {{{{{70.7462, 0, -0.00001}, {46.3245, 0, 0}}},
         {{{1.1218, -0.0025, -0.00001}, {-0.5366, -0.0003, 0.00001}}},
         {{{0.4538, -0.0066, 0}, {0.3097, 0.0016, -0.00001}}},
         {{{0.132, 0.002, -0.00003}, {-0.0163, 0, 0}}},
         {{{-0.0702, 0.0022, 0.00004}, {-0.0075, 0.0001, 0}}},
         {{{0.0062, -0.0001, 0}, {0, 0, 0}}},
         {{{0.0015, 0, -0.00001}, {0, 0, 0}}}}}}}},
}};

/// Table index (0..6) of a planet number, nothing for the Earth or an unknown number.
std::optional<std::size_t> TableIndex(PlanetNumber planet) {
  if (planet == 1 || planet == 2) return static_cast<std::size_t>(planet - 1);
  if (planet >= 4 && planet <= 8) return static_cast<std::size_t>(planet - 2);
  return std::nullopt;
}

struct MeanValues {
  JulianDay jde0;
  double mRad;  // not reduced
  double t;
};
MeanValues Mean(std::size_t p, int event, int k) {
  const MeanRow& row = kMean[p];
  const auto e = static_cast<std::size_t>(event);
  const double kd = static_cast<double>(k);
  const JulianDay jde0 = row.a[e] + kd * row.b;
  return {jde0, (row.m0[e] + kd * row.m1) * kDegToRad, CenturiesSinceJ2000(jde0)};
}

/// Constant row + sum of sine and cosine rows times sin jM, cos jM, with the quadratics of column.
double SumSeries(const Series& series, std::size_t column, double mRad, double t) {
  std::array<double, kMaxHarmonics + 1> s{};
  std::array<double, kMaxHarmonics + 1> c{};
  SinCosMultiples(series.harmonics, mRad, s, c);
  double sum = Quadratic(series.rows[0][column], t);
  for (int j = 1; j <= series.harmonics; ++j) {
    const auto i = static_cast<std::size_t>(j);
    sum += Quadratic(series.rows[2 * i - 1][column], t) * s[i] + Quadratic(series.rows[2 * i][column], t) * c[i];
  }
  return sum;
}

double Angle(double a, double b, double t) { return (a + b * t) * kDegToRad; }

/// The additional terms of the outer planets (Meeus, ch. 36), the same for both events.
double ExtraTerms(PlanetNumber planet, double t) {
  switch (planet) {
    case 5: {
      const double a = Angle(82.74, 40.76, t);
      return std::sin(a) * Quadratic({0, 0.0144, -0.00008}, t) +
             std::cos(a) * Quadratic({0.3642, -0.0019, -0.00029}, t);
    }
    case 6: {
      const double a = Angle(82.74, 40.76, t);
      const double b = Angle(29.86, 1181.36, t);
      const double c = Angle(14.13, 590.68, t);
      const double d = Angle(220.02, 1262.87, t);
      double sum = std::sin(a) * Quadratic({0, -0.0337, 0.00018}, t);
      sum += std::cos(a) * Quadratic({-0.851, 0.0044, 0.00068}, t);
      sum += std::sin(b) * Quadratic({0, -0.0064, 0.00004}, t);
      sum += std::cos(b) * Quadratic({0.2397, -0.0012, -0.00008}, t);
      sum += std::sin(c) * Quadratic({0, -0.001, 0}, t);
      sum += std::cos(c) * Quadratic({0.1245, 0.0006, 0}, t);
      sum += std::sin(d) * Quadratic({0, 0.0024, -0.00003}, t);
      sum += std::cos(d) * Quadratic({0.0477, -0.0005, -0.00006}, t);
      return sum;
    }
    case 7:
      return 0.885 * std::cos(Angle(207.83, 8.51, t)) + 0.2153 * std::cos(Angle(108.84, 419.96, t));
    case 8:
      return -0.5964 * std::cos(Angle(207.83, 8.51, t)) + 0.0728 * std::cos(Angle(276.74, 209.98, t));
    default:
      return 0.0;
  }
}

}  // namespace

std::optional<int> PlanetEventCycle(int year, PlanetNumber planet, PlanetEvent event) {
  const auto p = TableIndex(planet);
  if (!p || (event != 0 && event != 1)) return std::nullopt;
  const MeanRow& row = kMean[*p];
  const double k = std::trunc((365.2425 * year + 1721060.0 - row.a[static_cast<std::size_t>(event)]) / row.b);
  // The range test also keeps the conversion below defined.
  if (!(k >= static_cast<double>(INT_MIN) && k <= static_cast<double>(INT_MAX))) return std::nullopt;
  return static_cast<int>(k);
}

std::optional<JulianDay> PlanetEventInstant(PlanetNumber planet, PlanetEvent event, int k) {
  const auto p = TableIndex(planet);
  if (!p || (event != 0 && event != 1)) return std::nullopt;
  const MeanValues mean = Mean(*p, event, k);
  if (std::abs(mean.jde0 - kJ2000) > kMaxDaysFromJ2000) return std::nullopt;
  return mean.jde0 + SumSeries(kEventSeries[*p], static_cast<std::size_t>(event), mean.mRad, mean.t) +
         ExtraTerms(planet, mean.t);
}

std::optional<ElongationInstant> GreatestElongation(PlanetNumber planet, ElongationSide side, int k) {
  if ((planet != 1 && planet != 2) || (side != 0 && side != 1)) return std::nullopt;
  const auto p = static_cast<std::size_t>(planet - 1);
  const MeanValues mean = Mean(p, 0, k);
  if (std::abs(mean.jde0 - kJ2000) > kMaxDaysFromJ2000) return std::nullopt;
  const Series& series = kElongationSeries[p][static_cast<std::size_t>(side)];
  return ElongationInstant{mean.jde0 + SumSeries(series, 0, mean.mRad, mean.t),
                           SumSeries(series, 1, mean.mRad, mean.t)};
}

}  // namespace zenitra::yearcal
