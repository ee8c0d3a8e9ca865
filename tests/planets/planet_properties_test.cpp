// Laws that hold for every moment from 1800 to 2200 and every latitude: ranges of the places,
// consistency of the split coordinates, rise and set times or markers, horizontal coordinates.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "core/time_scales.h"
#include "planets/planet_position.h"
#include "planets/planet_visibility.h"

namespace zenitra {
namespace {

const char* const kPlanets[] = {"Merkur", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptun"};

TEST(PlanetProperties, PlacesRiseSetAndHorizontalCoordinatesStayInRange) {
  std::mt19937_64 rng(20260101);
  std::uniform_real_distribution<double> jdDist(2378496.5, 2524593.5);  // 1800-01-01 .. 2200-01-01
  std::uniform_real_distribution<double> latDist(-89.0, 89.0);
  std::uniform_real_distribution<double> lonDist(-180.0, 180.0);
  std::uniform_int_distribution<int> zoneDist(-12, 14);
  for (int k = 0; k < 3000; ++k) {
    const double jd = jdDist(rng);
    const double lat = latDist(rng);
    const double lon = lonDist(rng);
    const double zone = zoneDist(rng);
    for (const char* name : kPlanets) {
      const PlanetPlace p = ComputePlanet(name, jd, lat, lon, zone);
      const PlanetEphemeris& e = p.Ephemeris;
      const auto where = [&] {
        return ::testing::Message() << name << " jd " << jd << " lat " << lat << " lon " << lon << " zone " << zone;
      };
      ASSERT_GE(p.RightAscensionDeg, 0.0) << where();
      ASSERT_LT(p.RightAscensionDeg, 360.0) << where();
      ASSERT_GE(p.DeclinationDeg, -90.0) << where();
      ASSERT_LE(p.DeclinationDeg, 90.0) << where();
      ASSERT_GE(e.HeliocentricLongitude, 0.0) << where();
      ASSERT_LE(e.HeliocentricLongitude, 360.0) << where();
      ASSERT_GE(e.GeocentricLongitude, 0.0) << where();
      ASSERT_LT(e.GeocentricLongitude, 360.0) << where();
      ASSERT_LE(std::fabs(e.GeocentricLatitude), 90.0) << where();
      ASSERT_GT(e.Distance, 0.0) << where();
      ASSERT_GT(e.RadiusVector, 0.0) << where();
      ASSERT_TRUE(std::isfinite(e.Magnitude)) << where();
      ASSERT_TRUE(std::isfinite(e.ApparentDiameter)) << where();

      // The split parts give back the angles.
      ASSERT_EQ(e.RightAscensionHours, std::trunc(e.RightAscensionHours)) << where();
      ASSERT_GE(e.RightAscensionHours, 0.0) << where();
      ASSERT_LE(e.RightAscensionHours, 23.0) << where();
      ASSERT_GE(e.RightAscensionMinutes, 0.0) << where();
      ASSERT_LT(e.RightAscensionMinutes, 60.0) << where();
      ASSERT_NEAR((e.RightAscensionHours + e.RightAscensionMinutes / 60.0) * 15.0, p.RightAscensionDeg, 1e-9)
          << where();
      ASSERT_EQ(e.DeclinationDegrees, std::trunc(p.DeclinationDeg)) << where();
      ASSERT_LT(std::fabs(e.DeclinationMinutes), 60.0) << where();
      ASSERT_FALSE(e.DeclinationMinutes * p.DeclinationDeg < 0.0) << where();
      ASSERT_NEAR(e.DeclinationDegrees + e.DeclinationMinutes / 60.0, p.DeclinationDeg, 1e-9) << where();

      // Rise and set: both clock times, or both the same marker.
      if (p.Rise < 0.0) {
        ASSERT_TRUE(p.Rise == PlanetNeverRises || p.Rise == PlanetNeverSets) << where() << " rise " << p.Rise;
        ASSERT_EQ(p.Set, p.Rise) << where();
      } else {
        ASSERT_LT(p.Rise, 24.0) << where();
        ASSERT_GE(p.Set, 0.0) << where();
        ASSERT_LT(p.Set, 24.0) << where();
      }

      // Horizontal coordinates as the ephemeris table forms them.
      const double jd0 = std::floor(jd - 0.5) + 0.5;
      const double lst = SiderealTimeHours(jd0, (jd - jd0) * 24.0, lon);
      const Horizontal h = HorizontalPosition(e.RightAscensionHours, e.RightAscensionMinutes, e.DeclinationDegrees,
                                              e.DeclinationMinutes, lst, lat);
      ASSERT_GE(h.AltitudeDeg, -90.0) << where();
      ASSERT_LE(h.AltitudeDeg, 90.0) << where();
      ASSERT_GE(h.AzimuthDeg, 0.0) << where();
      ASSERT_LT(h.AzimuthDeg, 360.0) << where();
      // Never rising means always below the horizon, never setting always above.
      if (p.Rise == PlanetNeverRises) {
        ASSERT_LT(h.AltitudeDeg, 1e-6) << where();
      }
      if (p.Rise == PlanetNeverSets) {
        ASSERT_GT(h.AltitudeDeg, -1e-6) << where();
      }
    }
  }
}

TEST(PlanetProperties, HeliocentricLongitudeIsFieldOneBeforeItsReduction) {
  std::mt19937_64 rng(7);
  std::uniform_real_distribution<double> jdDist(2378496.5, 2524593.5);
  for (int k = 0; k < 2000; ++k) {
    const double jd = jdDist(rng);
    for (const char* name : {"Merkur", "Venus", "Erde", "Mars", "Jupiter", "Saturn", "Uranus", "Neptun"}) {
      const double l = HeliocentricLongitude(name, jd);
      const double field1 = ComputePlanet(name, jd, 0, 0, 0).Ephemeris.HeliocentricLongitude;
      const double reduced = l < 0.0 ? l + 360.0 : (l > 360.0 ? l - 360.0 : l);
      ASSERT_EQ(field1, reduced) << name << " jd " << jd;
    }
  }
}

TEST(PlanetProperties, PlanetsMoveSmoothlyFromDayToDay) {
  // Geocentric motion per day: at most about 2.2 deg for Mercury near inferior conjunction.
  for (const char* name : kPlanets) {
    PlanetPlace prev = ComputePlanet(name, 2440000.5, 0, 0, 0);
    for (double jd = 2440001.5; jd < 2440001.5 + 3 * 365; jd += 1.0) {
      const PlanetPlace p = ComputePlanet(name, jd, 0, 0, 0);
      const double d = std::remainder(p.Ephemeris.GeocentricLongitude - prev.Ephemeris.GeocentricLongitude, 360.0);
      ASSERT_LT(std::fabs(d), 2.5) << name << " jd " << jd;
      prev = p;
    }
  }
}

}  // namespace
}  // namespace zenitra
