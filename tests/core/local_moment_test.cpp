// The shown moment and what hangs on it: the conversions of a local clock moment into the time
// scales, and the Sun and the Moon of a local day at places from zone -10 to +12, in both
// hemispheres, from 1600 to 2100, against an independent ephemeris.
#include "core/local_moment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>

#include "core/delta_t.h"
#include "core/moon_events.h"
#include "core/moon_position.h"
#include "core/solar_time.h"
#include "core/sun_position.h"

namespace zenitra {
namespace {

TEST(LocalMoment, ConvertsTheClockTimeOfAZoneIntoUniversalTime) {
  // 2024-03-10 09:00 in Tokyo (zone +9) is 2024-03-10 00:00 UT, JD 2460379.5 (Meeus, ch. 7).
  const LocalMoment tokyo{2024, 3, 10, 9, 0, 0, 9.0, 0.0};
  EXPECT_DOUBLE_EQ(tokyo.UniversalJulianDay(), 2460379.5);
  EXPECT_DOUBLE_EQ(tokyo.LocalMidnightJulianDay(), 2460379.5 - 9.0 / 24.0);
  EXPECT_DOUBLE_EQ(tokyo.UniversalMidnightJulianDay(), 2460379.5);
  EXPECT_DOUBLE_EQ(tokyo.UniversalHours(), 0.0);
  // Summer time: 2024-07-01 14:00 CEST in Berlin is 12:00 UT.
  const LocalMoment berlin{2024, 7, 1, 14, 0, 0, 1.0, 1.0};
  EXPECT_NEAR(berlin.UniversalJulianDay(), 2460493.0, 1e-9);
  EXPECT_NEAR(berlin.UniversalHours(), 12.0, 1e-6);
  // Honolulu (zone -10), 2100-08-02 00:10 is 2100-08-02 10:10 UT: 0 h UT of the same date.
  const LocalMoment honolulu{2100, 8, 2, 0, 10, 0, -10.0, 0.0};
  EXPECT_NEAR(honolulu.UniversalMidnightJulianDay(), 2488282.5, 1e-9);
  EXPECT_NEAR(honolulu.UniversalHours(), 10.0 + 10.0 / 60.0, 1e-6);
  // Before 1900 (a negative day count since 1899-12-30) nothing is mirrored around midnight:
  // 1800-06-01 12:00 at zone +1 is JD 2378647.95833, 11:00 UT.
  const LocalMoment old{1800, 6, 1, 12, 0, 0, 1.0, 0.0};
  EXPECT_NEAR(old.UniversalJulianDay(), 2378647.958333, 1e-6);
  EXPECT_NEAR(old.UniversalHours(), 11.0, 1e-6);
  EXPECT_NEAR(old.UniversalDateTime().Days, 2378647.958333 - 2415018.5, 1e-6);
  // Dynamical time adds Delta T.
  EXPECT_NEAR((tokyo.DynamicalJulianDay() - tokyo.UniversalJulianDay()) * 86400.0, DeltaTSeconds(2460379.5), 1e-3);
  // The Julian calendar before 1582-10-15: 1500-02-29 exists.
  EXPECT_NO_THROW((void)LocalMoment({1500, 2, 29, 0, 0, 0, 0.0, 0.0}).UniversalJulianDay());
  EXPECT_THROW((void)LocalMoment({1582, 10, 10, 0, 0, 0, 0.0, 0.0}).UniversalJulianDay(), ConversionError);
}

TEST(LocalMoment, RoundTripsThroughUniversalTimeOverA400YearCycle) {
  // Every 7th hour of 1600..2000 and at zones from -10 to +12 with and without a summer hour:
  // local -> UT -> local gives the moment back, and the universal hours lie in [0, 24).
  std::mt19937 random(1600);
  std::uniform_real_distribution<double> zone(-10.0, 12.0);
  const double first = JulianDayOfDate(1600, 1, 1);
  for (double jd = first; jd < first + 146097.0; jd += 7.0 / 24.0 + 0.0001) {
    const double z = std::round(zone(random) * 4.0) / 4.0;
    const double s = std::fmod(jd, 2.0) < 1.0 ? 0.0 : 1.0;
    const LocalMoment m = LocalMomentOfUniversal(jd, z, s);
    const LocalMoment back = LocalMomentOfUniversal(m.UniversalJulianDay(), z, s);
    ASSERT_EQ(back, m) << "jd " << jd << " zone " << z;
    ASSERT_NEAR(m.UniversalJulianDay(), jd, 0.501 / 86400.0) << "jd " << jd << " zone " << z;
    const double h = m.UniversalHours();
    ASSERT_TRUE(h >= 0.0 && h < 24.0) << "jd " << jd << " universal hours " << h;
  }
}

TEST(LocalMoment, ShiftsOnItsOwnClockAcrossDaysAndTheCalendarSwitch) {
  const LocalMoment m{1582, 10, 4, 23, 59, 30, 1.0, 0.0};
  EXPECT_EQ(m.ShiftedByDays(60.0 / 86400.0), (LocalMoment{1582, 10, 15, 0, 0, 30, 1.0, 0.0}));
  EXPECT_EQ(LocalMoment({1, 1, 1, 0, 0, 15, 0.0, 0.0}).ShiftedByDays(-15.0 / 86400.0),
            (LocalMoment{1, 1, 1, 0, 0, 0, 0.0, 0.0}));
  EXPECT_THROW((void)m.ShiftedByDays(1e12), ConversionError);
  EXPECT_THROW((void)m.ShiftedByDays(std::nan("")), ConversionError);
}

// The Sun and the Moon for a place and a local day (standard time), from astronomy-engine 2.1.19
// (tools/reference/local_day_reference.js): Moon illuminated fraction (percent) and distance (km)
// at the moment; rising, culmination and setting within the local day as Julian Days (UT), -1 for
// none. Rising and setting refer to the upper limb with standard refraction.
struct LocalDayCase {
  const char* place;
  int year, month, day, hour, minute;
  double illuminatedPercent, distanceKm;
  double moonRise, moonTransit, moonSet, sunRise, sunTransit, sunSet;
};
struct Place {
  const char* name;
  double latitude, longitude, zone;
};
constexpr Place kPlaces[] = {
    {"Chemnitz, D", 50.836667, 12.854444, 1},       {"Tokyo, J", 35.685017, 139.751407, 9},
    {"Adelaide, AUS", -34.934988, 138.600005, 9.5}, {"Auckland, NZ", -36.850013, 174.764981, 12},
    {"Honolulu, USA", 21.306876, -157.857998, -10}, {"Anchorage, USA", 61.21997, -149.900215, -9},
    {"Quito, EC", -0.214988, -78.500051, -5},       {"Santiago, RCH", -33.450014, -70.667041, -4},
    {"Cape Town, ZA", -33.920011, 18.434988, 2}};
constexpr LocalDayCase kLocalDays[] = {
    {"Chemnitz, D", 1600, 1, 1, 12, 0, 99.18, 385021, 2305448.174327, 2305447.481340, 2305447.831315, 2305447.800245, 2305447.967262, 2305448.134402},
    {"Chemnitz, D", 2026, 12, 8, 20, 0, 0.22, 404302, 2461382.786673, 2461382.936799, 2461383.084350, 2461382.789924, 2461382.958638, 2461383.127194},
    {"Tokyo, J", 2024, 3, 10, 9, 0, 0.28, 356972, 2460379.373343, 2460379.612074, 2460379.857987, 2460379.374173, 2460379.618896, 2460379.864002},
    {"Adelaide, AUS", 1993, 2, 12, 14, 58, 65.23, 372537, 2449031.035161, 2449030.294074, 2449030.586658, 2449030.344475, 2449030.624895, 2449030.904921},
    {"Auckland, NZ", 2100, 6, 15, 22, 30, 50.50, 372384, 2488234.512450, 2488234.761979, -1, 2488234.313914, 2488234.514961, 2488234.715963},
    {"Honolulu, USA", 1900, 1, 20, 5, 0, 80.15, 405344, 2415040.859335, 2415040.081811, 2415040.335356, 2415040.216434, 2415040.446350, 2415040.676386},
    {"Anchorage, USA", 2024, 12, 21, 13, 0, 59.70, 400772, -1, 2460666.130391, 2460666.413917, 2460666.301788, 2460666.415347, 2460666.528914},
    {"Quito, EC", 1600, 9, 23, 18, 45, 97.87, 359708, 2305714.499192, 2305713.720583, 2305713.979214, 2305713.960270, 2305714.212520, 2305714.464772},
    {"Santiago, RCH", 2100, 1, 5, 3, 15, 30.63, 371198, 2488073.714607, 2488074.007320, 2488074.306934, 2488073.902487, 2488074.200001, 2488074.497357},
    {"Cape Town, ZA", 1900, 7, 1, 7, 30, 17.05, 401058, 2415201.852097, 2415202.095415, 2415202.342887, 2415201.744488, 2415201.951228, 2415202.158029},
    {"Tokyo, J", 1900, 11, 30, 23, 50, 60.12, 369967, 2415353.625929, 2415353.879926, -1, 2415353.396346, 2415353.603867, 2415353.811224},
    {"Honolulu, USA", 2100, 8, 2, 0, 10, 13.62, 393793, 2488283.036637, 2488283.330850, 2488283.624476, 2488283.170598, 2488283.442932, 2488283.715093},
};

const Place& PlaceNamed(const std::string& name) {
  return *std::find_if(std::begin(kPlaces), std::end(kPlaces), [&](const Place& p) { return name == p.name; });
}

// Compares an event (Julian Day UT or NoEvent) with the reference (or -1); returns the error in
// minutes, and fails when one exists without the other.
double EventErrorMinutes(double got, double expected, const std::string& what) {
  if (expected < 0.0) {
    EXPECT_EQ(got, NoEvent) << what << ": expected no event, got JD " << got;
    return 0.0;
  }
  EXPECT_NE(got, NoEvent) << what << ": expected JD " << expected << ", got none";
  return got == NoEvent ? 0.0 : std::fabs(got - expected) * 1440.0;
}

TEST(LocalDay, SunAndMoonAgreeWithAnIndependentEphemerisFromZoneMinus10ToPlus12) {
  double worstIllumination = 0.0, worstDistance = 0.0, worstMoonEvent = 0.0, worstSunEvent = 0.0;
  for (const LocalDayCase& c : kLocalDays) {
    const Place& p = PlaceNamed(c.place);
    const LocalMoment m{c.year, c.month, c.day, c.hour, c.minute, 0, p.zone, 0.0};
    const std::string where = std::string(c.place) + " " + std::to_string(c.year) + "-" + std::to_string(c.month) +
                              "-" + std::to_string(c.day) + " " + std::to_string(c.hour) + ":" + std::to_string(c.minute);
    // Illuminated fraction within 1 percentage point, distance within 20 km (the window's
    // shortened series).
    const MoonEphemerisValue moon = MoonEphemeris(m.DynamicalJulianDay());
    const double illumination = std::fabs(moon.IlluminatedFraction * 100.0 - c.illuminatedPercent);
    EXPECT_LE(illumination, 1.0) << where << ": expected " << c.illuminatedPercent << " %, got "
                                 << moon.IlluminatedFraction * 100.0;
    EXPECT_NEAR(moon.DistanceKm, c.distanceKm, 20.0) << where;
    worstIllumination = std::max(worstIllumination, illumination);
    worstDistance = std::max(worstDistance, std::fabs(moon.DistanceKm - c.distanceKm));

    // Moon events of the local day within 3 minutes.
    const MoonDayEvents e = MoonRiseTransitSet(m.LocalMidnightJulianDay(), p.latitude, p.longitude);
    for (const auto& [got, expected, name] : {std::tuple{e.Rise, c.moonRise, "moonrise"},
                                              std::tuple{e.Transit, c.moonTransit, "moon culmination"},
                                              std::tuple{e.Set, c.moonSet, "moonset"}}) {
      const double error = EventErrorMinutes(got, expected, where + " " + name);
      EXPECT_LE(error, 3.0) << where << " " << name << ": expected JD " << expected << ", got " << got;
      worstMoonEvent = std::max(worstMoonEvent, error);
    }
    // Sun events of the local day within 2 minutes.
    const DateTimeValue dayStart = JulianDayToDateTime(m.LocalMidnightJulianDay());
    const double west = -p.longitude;
    for (const auto& [got, expected, name] :
         {std::tuple{SunRise(west, p.latitude, dayStart), c.sunRise, "sunrise"},
          std::tuple{SunTransit(west, p.latitude, dayStart), c.sunTransit, "sun culmination"},
          std::tuple{SunSet(west, p.latitude, dayStart), c.sunSet, "sunset"}}) {
      const double jd = got.Days == NoEvent ? NoEvent : DateTimeToJulianDay(got);
      const double error = EventErrorMinutes(jd, expected, where + " " + name);
      EXPECT_LE(error, 2.0) << where << " " << name << ": expected JD " << expected << ", got " << jd;
      worstSunEvent = std::max(worstSunEvent, error);
    }
  }
  std::cout << "largest errors: illumination " << worstIllumination << " points, distance " << worstDistance
            << " km, Moon events " << worstMoonEvent << " min, Sun events " << worstSunEvent << " min\n";
}

TEST(EquationOfTime, AgreesWithMeeusAndAnIndependentEphemerisFrom1600To2100) {
  // Meeus, Astronomical Algorithms, 2nd ed., example 28.b: 1992 October 13.0 TD, +13m 42.6s.
  EXPECT_NEAR(EquationOfTimeMinutes(JulianDayToDateTime(2448908.5)), 13.710, 0.01);
  // Apparent minus mean solar time at Greenwich from astronomy-engine 2.1.19 (hour angle of the
  // Sun), minutes; tolerance 0.05 min = 3 s.
  struct Row {
    LocalMoment at;
    double minutes;
  };
  for (const Row& r : {Row{{2025, 1, 1, 0, 0, 0, 0.0, 0.0}, -3.443}, Row{{2024, 11, 3, 12, 0, 0, 0.0, 0.0}, 16.450},
                       Row{{1600, 2, 11, 12, 0, 0, 0.0, 0.0}, -15.015}, Row{{2100, 7, 26, 12, 0, 0, 0.0, 0.0}, -6.708}}) {
    const SunLocalValues sun = SunAt(r.at, 0.0, 0.0);
    EXPECT_NEAR(sun.EquationOfTimeMinutes, r.minutes, 0.05) << r.at.Year << "-" << r.at.Month << "-" << r.at.Day;
    // True solar time is mean solar time plus the equation of time.
    const double mean = r.at.UniversalHours();
    EXPECT_NEAR(std::remainder(sun.TrueSolarHours - mean - r.minutes / 60.0, 24.0), 0.0, 0.05 / 60.0);
  }
}

TEST(LocalDay, MoonAgeRisesThroughEachLunation) {
  // Every 13 hours over 1600, 1900, 1990 and 2100 the age is below the longest lunation (29.9 d)
  // and grows with the moment except where a new moon starts the count again.
  for (const int year : {1600, 1900, 1990, 2100}) {
    const LocalMoment start{year, 1, 1, 0, 0, 0, 0.0, 0.0};
    double previous = 0.0;
    for (double h = 0.0; h < 366.0 * 24.0; h += 13.0) {
      const DateTimeValue t = JulianDayToDateTime(start.DynamicalJulianDay() + h / 24.0);
      const double age = MoonAgeDays(t);
      ASSERT_TRUE(age >= 0.0 && age < 29.9) << "year " << year << " hour " << h << " age " << age;
      if (h > 0.0 && age >= 13.0 / 24.0) {
        ASSERT_NEAR(age - previous, 13.0 / 24.0, 1e-6) << "year " << year << " hour " << h;
      }
      previous = age;
    }
  }
}

}  // namespace
}  // namespace zenitra
