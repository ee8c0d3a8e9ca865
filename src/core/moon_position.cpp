#include "core/moon_position.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "core/angle_units.h"
#include "core/degree_math.h"
#include "core/reduce_angle.h"
#include "core/sun_position.h"

namespace zenitra {
namespace {

constexpr long double kPi = 3.1415926535897932385L;

// Periodic terms for the Moon's longitude (sine, 1e-6 degree) and distance (cosine, 1e-3 km):
// multipliers of D, M, M', F. Meeus, table 47.A.
struct LongitudeDistanceRow {
  std::int8_t d, m, mp, f;
  std::int32_t sigmaL, sigmaR;
};
constexpr LongitudeDistanceRow LunarSeriesLR[60] = {
    {0, 0, 1, 0, 6288774, -20905355}, {2, 0, -1, 0, 1274027, -3699111}, {2, 0, 0, 0, 658314, -2955968},
    {0, 0, 2, 0, 213618, -569925},    {0, 1, 0, 0, -185116, 48888},     {0, 0, 0, 2, -114332, -3149},
    {2, 0, -2, 0, 58793, 246158},     {2, -1, -1, 0, 57066, -152138},   {2, 0, 1, 0, 53322, -170733},
    {2, -1, 0, 0, 45758, -204586},    {0, 1, -1, 0, -40923, -129620},   {1, 0, 0, 0, -34720, 108743},
    {0, 1, 1, 0, -30383, 104755},     {2, 0, 0, -2, 15327, 10321},      {0, 0, 1, 2, -12528, 0},
    {0, 0, 1, -2, 10980, 79661},      {4, 0, -1, 0, 10675, -34782},     {0, 0, 3, 0, 10034, -23210},
    {4, 0, -2, 0, 8548, -21636},      {2, 1, -1, 0, -7888, 24208},      {2, 1, 0, 0, -6766, 30824},
    {1, 0, -1, 0, -5163, -8379},      {1, 1, 0, 0, 4987, -16675},       {2, -1, 1, 0, 4036, -12831},
    {2, 0, 2, 0, 3994, -10445},       {4, 0, 0, 0, 3861, -11650},       {2, 0, -3, 0, 3665, 14403},
    {0, 1, -2, 0, -2689, -7003},      {2, 0, -1, 2, -2602, 0},          {2, -1, -2, 0, 2390, 10056},
    {1, 0, 1, 0, -2348, 6322},        {2, -2, 0, 0, 2236, -9884},       {0, 1, 2, 0, -2120, 5751},
    {0, 2, 0, 0, -2069, 0},           {2, -2, -1, 0, 2048, -4950},      {2, 0, 1, -2, -1773, 4130},
    {2, 0, 0, 2, -1595, 0},           {4, -1, -1, 0, 1215, -3958},      {0, 0, 2, 2, -1110, 0},
    {3, 0, -1, 0, -892, 3258},        {2, 1, 1, 0, -810, 2616},         {4, -1, -2, 0, 759, -1897},
    {0, 2, -1, 0, -713, -2117},       {2, 2, -1, 0, -700, 2354},        {2, 1, -2, 0, 691, 0},
    {2, -1, 0, -2, 596, 0},           {4, 0, 1, 0, 549, -1423},         {0, 0, 4, 0, 537, -1117},
    {4, -1, 0, 0, 520, -1571},        {1, 0, -2, 0, -487, -1739},       {2, 1, 0, -2, -399, 0},
    {0, 0, 2, -2, -381, -4421},       {1, 1, 1, 0, 351, 0},             {3, 0, -2, 0, -340, 0},
    {4, 0, -3, 0, 330, 0},            {2, -1, 2, 0, 327, 0},            {0, 2, 1, 0, -323, 1165},
    {1, 1, -1, 0, 299, 0},            {2, 0, 3, 0, 294, 0},             {2, 0, -1, -2, 0, 8752},
};

// Periodic terms for the Moon's latitude (sine, 1e-6 degree). Meeus, table 47.B.
struct LatitudeRow {
  std::int8_t d, m, mp, f;
  std::int32_t sigmaB;
};
constexpr LatitudeRow LunarSeriesB[60] = {
    {0, 0, 0, 1, 5128122}, {0, 0, 1, 1, 280602}, {0, 0, 1, -1, 277693}, {2, 0, 0, -1, 173237},
    {2, 0, -1, 1, 55413},  {2, 0, -1, -1, 46271}, {2, 0, 0, 1, 32573},  {0, 0, 2, 1, 17198},
    {2, 0, 1, -1, 9266},   {0, 0, 2, -1, 8822},  {2, -1, 0, -1, 8216},  {2, 0, -2, -1, 4324},
    {2, 0, 1, 1, 4200},    {2, 1, 0, -1, -3359}, {2, -1, -1, 1, 2463},  {2, -1, 0, 1, 2211},
    {2, -1, -1, -1, 2065}, {0, 1, -1, -1, -1870}, {4, 0, -1, -1, 1828}, {0, 1, 0, 1, -1794},
    {0, 0, 0, 3, -1749},   {0, 1, -1, 1, -1565}, {1, 0, 0, 1, -1491},   {0, 1, 1, 1, -1475},
    {0, 1, 1, -1, -1410},  {0, 1, 0, -1, -1344}, {1, 0, 0, -1, -1335},  {0, 0, 3, 1, 1107},
    {4, 0, 0, -1, 1021},   {4, 0, -1, 1, 833},   {0, 0, 1, -3, 777},    {4, 0, -2, 1, 671},
    {2, 0, 0, -3, 607},    {2, 0, 2, -1, 596},   {2, -1, 1, -1, 491},   {2, 0, -2, 1, -451},
    {0, 0, 3, -1, 439},    {2, 0, 2, 1, 422},    {2, 0, -3, -1, 421},   {2, 1, -1, 1, -366},
    {2, 1, 0, 1, -351},    {4, 0, 0, 1, 331},    {2, -1, 1, 1, 315},    {2, -2, 0, -1, 302},
    {0, 0, 1, 3, -283},    {2, 1, 1, -1, -229},  {1, 1, 0, -1, 223},    {1, 1, 0, 1, 223},
    {0, 1, -2, -1, -220},  {2, 1, -1, -1, -220}, {1, 0, 1, 1, -185},    {2, -1, -2, -1, 181},
    {0, 1, 2, 1, -177},    {4, 0, -2, -1, 176},  {4, -1, -1, -1, 166},  {1, 0, 1, -1, -164},
    {4, 0, 1, -1, 132},    {1, 0, -1, -1, -119}, {4, -1, 0, -1, 115},   {2, -2, 0, 1, 107},
};

// Fundamental arguments of the lunar theory, degrees (Meeus, eqs. 47.1 to 47.6).
struct LunarArguments {
  long double T, Lp, D, M, Mp, F, A1, A2, A3, E;
};

LunarArguments Arguments(long double T) {
  const long double T2 = T * T, T3 = T2 * T, T4 = T3 * T;
  LunarArguments a;
  a.T = T;
  a.Lp = 218.3164591L + 481267.88134236L * T - 0.0013268L * T2 + T3 / 538841.0L - T4 / 65194000.0L;
  a.D = 297.8502042L + 445267.1115168L * T - 0.00163L * T2 + T3 / 545868.0L - T4 / 113065000.0L;
  a.M = 357.5291092L + 35999.0502909L * T - 0.0001536L * T2 + T3 / 24490000.0L;
  a.Mp = 134.9634114L + 477198.8676313L * T + 0.008997L * T2 + T3 / 69699.0L - T4 / 14712000.0L;
  a.F = 93.2720993L + 483202.0175273L * T - 0.0034029L * T2 - T3 / 3526000.0L + T4 / 863310000.0L;
  a.A1 = 119.75L + 131.849L * T;
  a.A2 = 53.09L + 479264.29L * T;
  a.A3 = 313.45L + 481266.484L * T;
  a.E = 1.0L - 0.002516L * T - 0.0000074L * T2;
  return a;
}

// The arguments of MoonEphemeris and MoonLowPrecision: each reduced into [0, 360].
LunarArguments ReducedArguments(JulianDay jd) {
  LunarArguments a = Arguments((static_cast<long double>(jd) - 2451545.0L) / 36525.0L);
  for (long double* x : {&a.Lp, &a.D, &a.M, &a.Mp, &a.F, &a.A1, &a.A2, &a.A3}) {
    *x = ReduceInto360(static_cast<double>(*x));
  }
  return a;
}

// E factor of a term by its multiplier of the Sun's mean anomaly.
long double EccentricityFactor(int mMultiplier, long double E) {
  const int m = mMultiplier < 0 ? -mMultiplier : mMultiplier;
  return m == 1 ? E : m == 2 ? E * E : 1.0L;
}

// Sine and cosine of unreduced degrees, converted to radians with the 20-digit constant.
double SinRaw(long double deg) { return std::sin(static_cast<double>(deg) * kDegToRad); }
double CosRaw(long double deg) { return std::cos(static_cast<double>(deg) * kDegToRad); }

long double RowArgument(const LunarArguments& a, int d, int m, int mp, int f) {
  return a.D * d + a.M * m + a.Mp * mp + a.F * f;
}

// The additive terms of the longitude (Venus, Jupiter, flattening of the Earth) and latitude.
template <typename Sin>
long double AdditiveLongitude(const LunarArguments& a, Sin sin) {
  return 3958.0L * sin(a.A1) + 1962.0L * sin(a.Lp - a.F) + 318.0L * sin(a.A2);
}
template <typename Sin>
long double AdditiveLatitude(const LunarArguments& a, Sin sin) {
  return -2235.0L * sin(a.Lp) + 382.0L * sin(a.A3) + 175.0L * sin(a.A1 - a.F) + 175.0L * sin(a.A1 + a.F) +
         127.0L * sin(a.Lp - a.Mp) - 115.0L * sin(a.Lp + a.Mp);
}

// Right ascension in [0, 360] and declination from ecliptic coordinates, degrees (the form of
// the Moon window and the sky map: arctan of the quotient, quadrant from cos lambda).
void EclipticToEquatorialRaw(long double lambda, long double beta, double sinEps, double cosEps, double& alpha,
                             double& delta) {
  const double sinL = SinRaw(lambda);
  const double cosL = CosRaw(lambda);
  const double tanB = std::tan(static_cast<double>(beta) * kDegToRad);
  double a = std::atan((sinL * cosEps - tanB * sinEps) / cosL) * 180.0 / static_cast<double>(kPi);
  if (cosL < 0.0) a += 180.0;
  alpha = ReduceInto360(a);
  const double s = SinRaw(beta) * cosEps + CosRaw(beta) * sinEps * sinL;
  delta = std::asin(std::clamp(s, -1.0, 1.0)) * 180.0 / static_cast<double>(kPi);
}

// Illuminated fraction from the phase angle (Meeus, eqs. 48.4 and 48.1).
double IlluminatedFraction(const LunarArguments& a) {
  const long double i = 180.0L - a.D - 6.289L * SinRaw(a.Mp) + 2.1L * SinRaw(a.M) - 1.274L * SinRaw(2.0L * a.D - a.Mp) -
                        0.658L * SinRaw(2.0L * a.D) - 0.214L * SinRaw(2.0L * a.Mp) - 0.11L * SinRaw(a.D);
  return std::clamp((1.0 + CosRaw(i)) / 2.0, 0.0, 1.0);
}

}  // namespace

BodyPosition MoonPosition(DateTimeValue t) {
  const LunarArguments a = Arguments((static_cast<long double>(DateTimeToJulianDay(t)) - 2451545.0L) / 36525.0L);
  auto sinDeg = [](long double x) { return static_cast<long double>(SinDegNormalized(static_cast<double>(x))); };
  auto cosDeg = [](long double x) { return static_cast<long double>(CosDegNormalized(static_cast<double>(x))); };
  long double sl = 0.0L, sr = 0.0L, sb = 0.0L;
  for (const LongitudeDistanceRow& row : LunarSeriesLR) {
    const long double arg = RowArgument(a, row.d, row.m, row.mp, row.f);
    const long double e = EccentricityFactor(row.m, a.E);
    if (row.sigmaL != 0) sl += row.sigmaL * e * sinDeg(arg);
    if (row.sigmaR != 0) sr += row.sigmaR * e * cosDeg(arg);
  }
  for (const LatitudeRow& row : LunarSeriesB) {
    sb += row.sigmaB * EccentricityFactor(row.m, a.E) * sinDeg(RowArgument(a, row.d, row.m, row.mp, row.f));
  }
  sl += AdditiveLongitude(a, sinDeg);
  sb += AdditiveLatitude(a, sinDeg);

  BodyPosition p;
  p.Longitude = static_cast<double>(a.Lp + sl / 1000000.0L);
  p.Latitude = static_cast<double>(sb / 1000000.0L);
  p.DistanceKm = static_cast<double>(385000.56L + sr / 1000.0L);
  ApparentEquatorial(p, t);
  return p;
}

double MoonAge(DateTimeValue t) {
  const double elongation = NormalizeDegrees(MoonPosition(t).Longitude - SunPosition(t).Longitude);
  const double age = elongation / 360.0 * SynodicMonth;
  // An elongation a rounding step below 360 must not round up to a whole month.
  return std::min(age, std::nextafter(SynodicMonth, 0.0));
}

MoonEphemerisValue MoonEphemeris(JulianDay jd) {
  const LunarArguments a = ReducedArguments(jd);
  auto sinRaw = [](long double x) { return static_cast<long double>(SinRaw(x)); };
  long double sl = 0.0L, sr = 0.0L, sb = 0.0L;
  for (int i = 0; i < 60; ++i) {
    const LongitudeDistanceRow& row = LunarSeriesLR[i];
    const long double arg = RowArgument(a, row.d, row.m, row.mp, row.f);
    const long double e = EccentricityFactor(row.m, a.E);
    if (i < 42) sl += row.sigmaL * e * SinRaw(arg);
    sr += row.sigmaR * e * CosRaw(arg);
  }
  for (int i = 0; i < 47; ++i) {
    const LatitudeRow& row = LunarSeriesB[i];
    sb += row.sigmaB * EccentricityFactor(row.m, a.E) * SinRaw(RowArgument(a, row.d, row.m, row.mp, row.f));
  }
  sl += AdditiveLongitude(a, sinRaw);
  sb += AdditiveLatitude(a, sinRaw);

  const ShortNutationValue n = ShortNutation(jd);
  const long double T = a.T;
  const long double lambda = a.Lp + sl / 1000000.0L + n.DeltaPsiArcsec / 3600.0L;
  const long double beta = sb / 1000000.0L;
  const long double eps =
      (84381.448L - 46.815L * T - 0.00059L * T * T + 0.001813L * T * T * T + n.DeltaEpsilonArcsec) / 3600.0L;

  MoonEphemerisValue v;
  EclipticToEquatorialRaw(lambda, beta, SinRaw(eps), CosRaw(eps), v.RightAscension, v.Declination);
  v.IlluminatedFraction = IlluminatedFraction(a);
  v.DistanceKm = static_cast<double>(385000.56L + sr / 1000.0L);
  v.ApparentLongitude = static_cast<double>(lambda);
  const long double T2 = T * T, T3 = T2 * T, T4 = T3 * T;
  v.NodeLongitude = ReduceInto360(
      static_cast<double>(125.04455L - 1934.1361849L * T + 0.0020762L * T2 + T3 / 467410.0L - T4 / 60616000.0L));
  v.PerigeeLongitude = ReduceInto360(
      static_cast<double>(83.353243L + 4069.0137111L * T - 0.0103238L * T2 - T3 / 80053.0L + T4 / 18999000.0L));
  return v;
}

MoonLowPrecisionValue MoonLowPrecision(JulianDay jd) {
  const LunarArguments a = ReducedArguments(jd);
  auto sinRaw = [](long double x) { return static_cast<long double>(SinRaw(x)); };
  long double sl = 0.0L, sb = 0.0L;
  for (int i = 0; i < 12; ++i) {
    const LongitudeDistanceRow& row = LunarSeriesLR[i];
    sl += row.sigmaL * SinRaw(RowArgument(a, row.d, row.m, row.mp, row.f));
  }
  for (int i = 0; i < 24; ++i) {
    const LatitudeRow& row = LunarSeriesB[i];
    sb += row.sigmaB * SinRaw(RowArgument(a, row.d, row.m, row.mp, row.f));
  }
  sl += AdditiveLongitude(a, sinRaw);
  sb += AdditiveLatitude(a, sinRaw);
  const long double lambda = a.Lp + sl / 1000000.0L;
  const long double beta = sb / 1000000.0L;

  constexpr double kCosEps = 0.917472974841104;  // obliquity 23.4392911 degrees (J2000)
  constexpr double kSinEps = 0.397798115174287;
  MoonLowPrecisionValue v;
  EclipticToEquatorialRaw(lambda, beta, kSinEps, kCosEps, v.RightAscension, v.Declination);
  v.IlluminatedFraction = IlluminatedFraction(a);
  return v;
}

}  // namespace zenitra
