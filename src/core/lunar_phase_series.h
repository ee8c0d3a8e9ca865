#pragma once
// The principal phases of the Moon after J. Meeus, "Astronomical Algorithms" (1991), ch. 47
// (2nd ed. 1998, ch. 49): the mean lunation, the periodic terms of new moon, full moon and the
// quarters, and the fourteen planetary arguments. One table serves the Moon windows
// (core/lunar_phases.cpp) and the year calendar (calendars/year_phenomena.cpp) alike;
// tests/calendars/year_phenomena_test.cpp checks that the two agree.
#include <array>
#include <cstddef>
#include <cstdint>

namespace zenitra::lunar_phase_series {

/// Rows of the mean lunation: c0 + c1 k + c2 T^2 + c3 T^3 + c4 T^4, with k the lunation number
/// (0 at the new moon of 6 January 2000; quarters at k + 0.25, ...) and T = k / 1236.85.
enum MeanRow : std::size_t { kMeanPhase, kSunAnomaly, kMoonAnomaly, kLatitudeArgument, kNodeLongitude };
/// Mean phase JDE in days; M, M', F and the longitude of the ascending node Omega in degrees.
/// The first edition's coefficients (the T^2 coefficient of M is -0.0000218).
inline constexpr std::array<std::array<long double, 5>, 5> kMeanRows = {{
    {2451550.09765L, 29.530588853L, 0.0001337L, -0.00000015L, 0.00000000073L},
    {2.5534L, 29.10535669L, -0.0000218L, -0.00000011L, 0.0L},
    {201.5643L, 385.81693528L, 0.0107438L, 0.00001239L, -0.000000058L},
    {160.7108L, 390.67050274L, -0.0016341L, -0.00000227L, 0.000000011L},
    {124.7746L, -1.5637558L, 0.0020691L, 0.00000215L, 0.0L},
}};

/// One periodic term: coefficient (days) times E^power times the sine of
/// m M + mp M' + f F + om Omega.
struct PeriodicTerm {
  std::int8_t m, mp, f, om;
  std::int8_t ePower;         ///< power of E in the new-moon and full-moon terms
  std::int8_t ePowerQuarter;  ///< power of E in the quarter terms
  double newMoon, fullMoon, quarter;
};
/// The terms in the order of the new-moon series; the last row belongs to the quarters only.
inline constexpr std::array<PeriodicTerm, 26> kPeriodicTerms = {{
    {0, 1, 0, 0, 0, 0, -0.40720, -0.40614, -0.62801},
    {1, 0, 0, 0, 1, 1, 0.17241, 0.17302, 0.17172},
    {0, 2, 0, 0, 0, 0, 0.01608, 0.01614, 0.00862},
    {0, 0, 2, 0, 0, 0, 0.01039, 0.01043, 0.00804},
    {-1, 1, 0, 0, 1, 1, 0.00739, 0.00734, 0.00454},
    {1, 1, 0, 0, 1, 1, -0.00514, -0.00515, -0.01183},
    {2, 0, 0, 0, 2, 2, 0.00208, 0.00209, 0.00204},
    {0, 1, -2, 0, 0, 0, -0.00111, -0.00111, -0.00180},
    {0, 1, 2, 0, 0, 0, -0.00057, -0.00057, -0.00070},
    {1, 2, 0, 0, 1, 1, 0.00056, 0.00056, 0.00027},
    {0, 3, 0, 0, 0, 0, -0.00042, -0.00042, -0.00040},
    {1, 0, 2, 0, 1, 1, 0.00042, 0.00042, 0.00032},
    {1, 0, -2, 0, 1, 1, 0.00038, 0.00038, 0.00032},
    {-1, 2, 0, 0, 1, 1, -0.00024, -0.00024, -0.00034},
    {0, 0, 0, 1, 0, 0, -0.00017, -0.00017, -0.00017},
    {2, 1, 0, 0, 0, 2, -0.00007, -0.00007, -0.00028},
    {0, 2, -2, 0, 0, 0, 0.00004, 0.00004, 0.00002},
    {3, 0, 0, 0, 0, 0, 0.00004, 0.00004, 0.00003},
    {1, 1, -2, 0, 0, 0, 0.00003, 0.00003, 0.00003},
    {0, 2, 2, 0, 0, 0, 0.00003, 0.00003, 0.00004},
    {1, 1, 2, 0, 0, 0, -0.00003, -0.00003, -0.00004},
    {-1, 1, 2, 0, 0, 0, 0.00003, 0.00003, 0.00002},
    {-1, 1, -2, 0, 0, 0, -0.00002, -0.00002, -0.00005},
    {1, 3, 0, 0, 0, 0, -0.00002, -0.00002, -0.00002},
    {0, 4, 0, 0, 0, 0, 0.00002, 0.00002, 0.0},
    {-2, 1, 0, 0, 0, 0, 0.0, 0.0, 0.00004},
}};

/// Planetary argument A = a0 + rate k (degrees; A1 also - 0.009173 T^2) and its amplitude (days).
struct PlanetaryTerm {
  double a0, rate, amplitude;
};
inline constexpr std::array<PlanetaryTerm, 14> kPlanetaryTerms = {{
    {299.77, 0.107408, 0.000325},  {251.88, 0.016321, 0.000165},  {251.83, 26.651886, 0.000164},
    {349.42, 36.412478, 0.000126}, {84.66, 18.206239, 0.000110},  {141.74, 53.303771, 0.000062},
    {207.14, 2.453732, 0.000060},  {154.84, 7.30686, 0.000056},   {34.52, 27.261239, 0.000047},
    {207.19, 0.121824, 0.000042},  {291.34, 1.844379, 0.000040},  {161.72, 24.198154, 0.000037},
    {239.56, 25.513099, 0.000035}, {331.55, 3.592518, 0.000023},
}};

}  // namespace zenitra::lunar_phase_series
