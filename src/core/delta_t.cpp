#include "core/delta_t.h"

#include <cmath>
#include <cstdint>

namespace zenitra {
namespace {

// Delta T in tenths of a second, 1620 to 1900 in steps of two years (Meeus, Astronomical
// Algorithms, table 10.A). Mended against the measured values (Espenak & Meeus 2006 fit within
// 0.4 s): 1878 read -10.1 s (a misprint for -4.7 s), and 1894 to 1898 held the values of two
// years later (-6.1, -4.7, -2.7 s for -6.4, -6.1, -4.7 s). The last entry (1900) meets the
// yearly table below to 0.02 s.
constexpr int kTwoYearTable[141] = {
    1240, 1150, 1060, 980, 910, 850, 790, 740, 700, 650,  // 1620
    620,  580,  550,  530, 500, 480, 460, 440, 420, 400,  // 1640
    370,  350,  330,  310, 280, 260, 240, 220, 200, 180,  // 1660
    160,  140,  130,  120, 110, 100, 90,  90,  90,  90,   // 1680
    90,   90,   90,   90,  100, 100, 100, 100, 100, 110,  // 1700
    110,  110,  110,  110, 110, 110, 110, 120, 120, 120,  // 1720
    120,  120,  130,  130, 130, 130, 140, 140, 140, 150,  // 1740
    150,  150,  150,  160, 160, 160, 160, 160, 170, 170,  // 1760
    170,  170,  170,  170, 170, 170, 160, 160, 150, 140,  // 1780
    137,  131,  127,  125, 125, 125, 125, 125, 125, 123,  // 1800
    120,  114,  106,  96,  86,  75,  66,  60,  57,  56,   // 1820
    57,   59,   62,   65,  68,  71,  73,  75,  77,  78,   // 1840
    79,   75,   64,   54,  29,  16,  -10, -27, -36, -47,  // 1860
    -52,  -55,  -56,  -58, -59, -62, -64, -64, -61, -47,  // 1880
    -27,                                                  // 1900
};
constexpr double kTwoYearTableFirst = 1620.0;

// Measured Delta T in hundredths of a second on 1 January of each year from 1900 to 2025: the
// U.S. Naval Observatory's historic and IERS-derived values (TT - UT1 = 32.184 s + (TAI - UTC)
// - (UT1 - UTC), IERS Bulletins A and B from 1962 on), as tabulated in The Astronomical Almanac.
// E.g. 2000 63.83 s, 2010 66.07 s, 2020 69.36 s, 2024 69.18 s. Through 2005 they agree with the
// Espenak & Meeus (2006) polynomials to 0.4 s.
constexpr int kYearlyTable[126] = {
    -272, -154, -2,   124,  264,  386,  537,  614,  775,  913,   // 1900
    1046, 1153, 1336, 1465, 1601, 1720, 1824, 1906, 2025, 2095,  // 1910
    2116, 2225, 2241, 2303, 2349, 2362, 2386, 2449, 2434, 2408,  // 1920
    2402, 2400, 2387, 2395, 2386, 2393, 2373, 2392, 2396, 2402,  // 1930
    2433, 2483, 2530, 2570, 2624, 2677, 2728, 2778, 2825, 2871,  // 1940
    2915, 2957, 2997, 3036, 3072, 3107, 3135, 3168, 3218, 3268,  // 1950
    3315, 3359, 3400, 3447, 3503, 3573, 3654, 3743, 3829, 3920,  // 1960
    4018, 4117, 4223, 4337, 4449, 4548, 4646, 4752, 4853, 4959,  // 1970
    5054, 5138, 5217, 5296, 5379, 5434, 5487, 5532, 5582, 5630,  // 1980
    5686, 5757, 5831, 5912, 5998, 6078, 6163, 6230, 6297, 6347,  // 1990
    6383, 6409, 6430, 6447, 6457, 6469, 6485, 6515, 6546, 6578,  // 2000
    6607, 6632, 6660, 6691, 6728, 6764, 6810, 6859, 6897, 6922,  // 2010
    6936, 6936, 6929, 6920, 6918, 6914,                          // 2020
};
constexpr double kYearlyTableFirst = 1900.0;
constexpr double kYearlyTableLast = 2025.0;

// Linear interpolation in a table of `scale`-th seconds that starts at `first` with `step` years.
template <std::size_t N>
double Interpolated(const int (&table)[N], double first, double step, double scale, double year) {
  auto i = static_cast<std::int64_t>(std::floor((year - first) / step));
  if (i < 0) i = 0;
  if (i > static_cast<std::int64_t>(N) - 2) i = static_cast<std::int64_t>(N) - 2;
  const double f = (year - first) / step - static_cast<double>(i);
  return (table[i] + f * (table[i + 1] - table[i])) / scale;
}

// Morrison & Stephenson (2004) long-term parabola, u in centuries from 1820.
double LongTermParabola(double year) {
  const double u = (year - 1820.0) / 100.0;
  return -20.0 + 32.0 * u * u;
}

// Espenak & Meeus (2006), "Five Millennium Canon of Solar Eclipses", NASA/TP-2006-214141: the
// extrapolations 2005-2050 and 2050-2150; from 2150 on the long-term parabola. The pieces join
// at 2050 and 2150 to 0.01 s.
double EspenakMeeus2005To2050(double year) {
  const double t = year - 2000.0;
  return 62.92 + 0.32217 * t + 0.005589 * t * t;
}
double EspenakMeeus2050To2150(double year) { return LongTermParabola(year) - 0.5628 * (2150.0 - year); }

// The polynomial of 948-1620 (Meeus, eq. 10.2), T centuries from J2000.
double Medieval(double t) { return 50.6 + 67.5 * t + 22.5 * t * t; }

}  // namespace

double DeltaTSeconds(JulianDay jd) {
  const double t = (jd - 2451545.0) / 36525.0;
  const double y = 100.0 * t + 2000.0;
  if (y >= 2150.0) return LongTermParabola(y);
  if (y >= 2050.0) return EspenakMeeus2050To2150(y);
  if (y > kYearlyTableLast) {
    // The extrapolation from 2005 runs 5.3 s above the measured value of 2025 (Earth's rotation
    // has not slowed as predicted); the difference fades out linearly until 2050, so Delta T
    // continues from the last measurement without a jump and joins the long-term formula.
    const double offset =
        kYearlyTable[125] / 100.0 - EspenakMeeus2005To2050(kYearlyTableLast);
    return EspenakMeeus2005To2050(y) + offset * (2050.0 - y) / (2050.0 - kYearlyTableLast);
  }
  if (y >= kYearlyTableFirst) return Interpolated(kYearlyTable, kYearlyTableFirst, 1.0, 100.0, y);
  if (y >= kTwoYearTableFirst) return Interpolated(kTwoYearTable, kTwoYearTableFirst, 2.0, 10.0, y);
  if (y >= 1600.0) {
    // The polynomial ends 5 s below the table's first value; from 1600 on the difference is
    // blended in linearly so that Delta T has no jump at 1620.
    const double t1620 = (kTwoYearTableFirst - 2000.0) / 100.0;
    const double gap = kTwoYearTable[0] / 10.0 - Medieval(t1620);
    return Medieval(t) + gap * (y - 1600.0) / 20.0;
  }
  if (y >= 948.0) return Medieval(t);
  return 2715.6 + 573.36 * t + 46.5 * t * t;
}

}  // namespace zenitra
