// Magnitude, rising and setting, horizontal coordinates, zodiac and the texts of the ephemeris.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "planets/planet_position.h"
#include "planets/planet_visibility.h"

namespace zenitra {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
const char* const kPlanets[] = {"Merkur", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptun"};

bool IsClockTime(double t) { return t >= 0.0 && t < 24.0; }

// ---- magnitude --------------------------------------------------------------------------------

TEST(PlanetMagnitude, NegativeMagnitudesAreStoredLoweredByFiveHundredths) {
  EXPECT_DOUBLE_EQ(MagnitudeForRecord(-0.01), -0.06);
  EXPECT_DOUBLE_EQ(MagnitudeForRecord(-4.40), -4.45);
  EXPECT_EQ(MagnitudeForRecord(0.0), 0.0);
  EXPECT_EQ(MagnitudeForRecord(0.73), 0.73);
}

TEST(PlanetMagnitude, RecordHoldsTheStoredFormOfTheComputedMagnitude) {
  const double jd = 2448976.5;
  const double t = (jd - 2451545.0) / 36525.0;
  const double earthSun = ComputePlanet("Erde", jd, 0.0, 0.0, 0.0).Ephemeris.RadiusVector;
  for (const char* name : kPlanets) {
    const PlanetPlace p = ComputePlanet(name, jd, 50.0, 10.0, 1.0);
    const double m = PlanetMagnitude(name, p.RightAscensionDeg, p.DeclinationDeg, t, earthSun,
                                     p.Ephemeris.Distance, p.Ephemeris.RadiusVector);
    EXPECT_EQ(p.Ephemeris.Magnitude, MagnitudeForRecord(m)) << name;
  }
  // Venus on 1992-12-20 0h TD: -3.8 by the older Astronomical Almanac formula used here (Meeus,
  // Astronomical Algorithms, 2nd ed., example 41.b, published to 0.1 mag).
  const PlanetPlace venus = ComputePlanet("Venus", jd, 0, 0, 0);
  const double m = PlanetMagnitude("Venus", venus.RightAscensionDeg, venus.DeclinationDeg, t, earthSun,
                                   venus.Ephemeris.Distance, venus.Ephemeris.RadiusVector);
  EXPECT_NEAR(m, -3.8, 0.05);
  std::printf("[ accuracy ] Meeus 41.b Venus magnitude %+.3f\n", m + 3.8);
}

TEST(PlanetMagnitude, EarthHasNoMagnitude) { EXPECT_EQ(PlanetMagnitude("Erde", 10, 10, 0, 1, 1, 1), 0.0); }

TEST(PlanetMagnitude, SaturnIsBrighterWithTheRingsOpen) {
  // Same distances and phase; the pole of Saturn is at about RA 40.66, Dec 83.52. A place on the
  // ring plane's great circle through the pole gives B = 0, a place 26 deg from it B = 26 deg.
  const double edgeOn = PlanetMagnitude("Saturn", 40.66 + 180.0, 6.48, 0.0, 1.0, 9.0, 9.5);
  const double open = PlanetMagnitude("Saturn", 40.66 + 180.0, 6.48 - 26.0, 0.0, 1.0, 9.0, 9.5);
  EXPECT_LT(open, edgeOn - 0.5);
}

// ---- rising and setting ------------------------------------------------------------------------

// Venus at Boston (42 deg 20' N, 71 deg 05' W) on 1988-03-20, with its Astronomical Almanac place
// of that day (RA 41.73129 deg, Dec 18.44092 deg): rising 12h25m UT, setting 2h55m UT (Meeus,
// Astronomical Algorithms, 2nd ed., example 15.a). This estimate has no refraction or
// semi-diameter (about 3.4 min here), no interpolation of the planet's motion (up to 2 min) and
// converts its 12 h offset as sidereal time (2 min): 10 minutes cover it.
TEST(PlanetRiseSet, MatchesWorkedExampleWithinTheEstimatesAccuracy) {
  const RiseSet rs = PlanetRiseSet(41.73129, 18.44092, 2447240.5, 42.3333, -71.0833, 0.0);
  EXPECT_NEAR(rs.Rise, 12.0 + 25.0 / 60.0, 10.0 / 60.0) << "got " << rs.Rise;
  EXPECT_NEAR(rs.Set, 2.0 + 55.0 / 60.0, 10.0 / 60.0) << "got " << rs.Set;
  std::printf("[ accuracy ] Meeus 15.a Venus rise %+.1f min, set %+.1f min\n", (rs.Rise - 12.0 - 25.0 / 60.0) * 60.0,
              (rs.Set - 2.0 - 55.0 / 60.0) * 60.0);
  // The zone shifts both times by whole hours of clock time.
  const RiseSet local = PlanetRiseSet(41.73129, 18.44092, 2447240.5, 42.3333, -71.0833, -5.0);
  EXPECT_NEAR(local.Rise, rs.Rise - 5.0, 1e-9);
  EXPECT_NEAR(local.Set, rs.Set - 5.0 + 24.0, 1e-9);
}

TEST(PlanetRiseSet, CircumpolarAndNeverRisingPlanetsGiveMarkers) {
  // Declination -18.9 deg: never rises at 80 N, never sets at 80 S.
  const RiseSet north = PlanetRiseSet(316.3, -18.9, 2448976.5, 80.0, 0.0, 0.0);
  EXPECT_EQ(north.Rise, PlanetNeverRises);
  EXPECT_EQ(north.Set, PlanetNeverRises);
  const RiseSet south = PlanetRiseSet(316.3, -18.9, 2448976.5, -80.0, 0.0, 0.0);
  EXPECT_EQ(south.Rise, PlanetNeverSets);
  EXPECT_EQ(south.Set, PlanetNeverSets);
  EXPECT_EQ(FormatRiseTime(north.Rise), "unsichtbar");
  EXPECT_EQ(FormatRiseTime(south.Rise), "sichtbar");
}

TEST(PlanetRiseSet, AtTheEquatorEveryPlanetRisesAndSetsTwelveSiderealHoursApart) {
  for (const char* name : kPlanets) {
    for (double jd = 2440000.5; jd < 2470000.0; jd += 1234.567) {
      const PlanetPlace p = ComputePlanet(name, jd, 0.0, 13.0, 1.0);
      ASSERT_TRUE(IsClockTime(p.Rise)) << name << " jd " << jd << " rise " << p.Rise;
      ASSERT_TRUE(IsClockTime(p.Set)) << name << " jd " << jd << " set " << p.Set;
      // 12 sidereal hours are 12 / 1.002737909 clock hours.
      const double gap = std::fmod(p.Rise - p.Set + 48.0, 24.0);
      const double expected = 12.0 / 1.002737909;
      EXPECT_NEAR(std::fmin(gap, 24.0 - gap), expected, 1e-9) << name << " jd " << jd;
    }
  }
}

TEST(PlanetRiseSet, PolesGiveMarkersAndNoNaN) {
  for (const double lat : {90.0, -90.0}) {
    for (const char* name : kPlanets) {
      for (double jd = 2400000.5; jd < 2500000.0; jd += 3456.7) {
        const PlanetPlace p = ComputePlanet(name, jd, lat, 0.0, 0.0);
        const PlanetEphemeris& e = p.Ephemeris;
        for (const double v : {e.HeliocentricLongitude, e.RadiusVector, e.Distance, e.GeocentricLongitude,
                               e.GeocentricLatitude, e.RightAscensionHours, e.RightAscensionMinutes,
                               e.DeclinationDegrees, e.DeclinationMinutes, e.ApparentDiameter, e.Magnitude,
                               e.HeliocentricLatitude, p.Rise, p.Set}) {
          ASSERT_FALSE(std::isnan(v)) << name << " jd " << jd << " latitude " << lat;
        }
        EXPECT_TRUE(p.Rise == PlanetNeverRises || p.Rise == PlanetNeverSets || IsClockTime(p.Rise))
            << name << " jd " << jd << " latitude " << lat << " rise " << p.Rise;
      }
    }
  }
}

TEST(PlanetRiseSet, HugeAndNonFiniteInputsTerminate) {
  for (const double jd : {1e15, -1e15, 1e300, -1e300}) {
    const PlanetPlace p = ComputePlanet("Mars", jd, 50.0, 10.0, 1.0);
    EXPECT_TRUE(p.Rise < 0.0 || IsClockTime(p.Rise)) << "jd " << jd << " rise " << p.Rise;
  }
  for (const double jd : {kNaN, kInf, -kInf}) {
    const PlanetPlace p = ComputePlanet("Jupiter", jd, 50.0, 10.0, 1.0);
    EXPECT_TRUE(std::isnan(p.Rise)) << "jd " << jd;
    EXPECT_TRUE(std::isnan(p.Set)) << "jd " << jd;
  }
  const RiseSet hugeZone = PlanetRiseSet(10.0, 5.0, 2451545.0, 50.0, 10.0, 1e300);
  EXPECT_TRUE(IsClockTime(hugeZone.Rise)) << hugeZone.Rise;
  EXPECT_TRUE(std::isnan(PlanetRiseSet(10.0, 5.0, 2451545.0, 50.0, 10.0, kInf).Rise));
  EXPECT_TRUE(std::isnan(PlanetRiseSet(10.0, 5.0, 2451545.0, 50.0, kNaN, 0.0).Rise));
  EXPECT_TRUE(std::isnan(PlanetRiseSet(kInf, 5.0, 2451545.0, 50.0, 0.0, 0.0).Set));
}

TEST(PlanetRiseSet, ZonesEastOfTwelveHoursStillGiveClockTimes) {
  for (double jd = 2451545.0; jd < 2451600.0; jd += 0.37) {
    const RiseSet rs = PlanetRiseSet(0.0, 0.0, jd, 0.0, 0.0, 14.0);
    EXPECT_TRUE(IsClockTime(rs.Rise)) << "jd " << jd << " rise " << rs.Rise;
    EXPECT_TRUE(IsClockTime(rs.Set)) << "jd " << jd << " set " << rs.Set;
  }
}

// ---- horizontal coordinates --------------------------------------------------------------------

// Venus from the US Naval Observatory (38 deg 55' 17" N) on 1987-04-10 19h21m UT: RA 23h09m16.641s,
// Dec -6 deg 43' 11.61", local hour angle 64.352133 deg; azimuth 68.0337 deg (from the south,
// towards the west), altitude 15.1249 deg (Meeus, Astronomical Algorithms, 2nd ed., example 13.b).
TEST(HorizontalPosition, MatchesWorkedExample) {
  const double alphaDeg = (23.0 + 9.0 / 60.0 + 16.641 / 3600.0) * 15.0;
  const double lst = (alphaDeg + 64.352133) / 15.0 - 24.0;
  const double latitude = 38.0 + 55.0 / 60.0 + 17.0 / 3600.0;
  const Horizontal h = HorizontalPosition(23.0, 9.0 + 16.641 / 60.0, -6.0, -(43.0 + 11.61 / 60.0), lst, latitude);
  EXPECT_NEAR(h.AzimuthDeg, 68.0337, 1e-4);
  EXPECT_NEAR(h.AltitudeDeg, 15.1249, 1e-4);
}

TEST(HorizontalPosition, AzimuthCountsFromSouthTowardsWest) {
  const double lat = 40.0;
  // On the meridian south of the zenith: azimuth 0; north of it (below the pole): 180.
  EXPECT_NEAR(HorizontalPosition(6, 0, 0, 0, 6.0, lat).AzimuthDeg, 0.0, 1e-9);
  EXPECT_NEAR(HorizontalPosition(6, 0, 60, 0, 18.0, lat).AzimuthDeg, 180.0, 1e-9);
  // Six hours after transit the equator point is due west; six hours before, due east.
  EXPECT_NEAR(HorizontalPosition(6, 0, 0, 0, 12.0, lat).AzimuthDeg, 90.0, 1e-9);
  EXPECT_NEAR(HorizontalPosition(6, 0, 0, 0, 0.0, lat).AzimuthDeg, 270.0, 1e-9);
}

TEST(HorizontalPosition, ZenithAndPolesGiveNoNaN) {
  const Horizontal zenith = HorizontalPosition(3, 0, 0, 0, 3.0, 0.0);
  EXPECT_NEAR(zenith.AltitudeDeg, 90.0, 1e-9);
  EXPECT_FALSE(std::isnan(zenith.AzimuthDeg));
  for (const double lat : {90.0, -90.0}) {
    for (double dec = -90.0; dec <= 90.0; dec += 15.0) {
      const Horizontal h = HorizontalPosition(5, 30, dec, 0, 17.2, lat);
      EXPECT_NEAR(h.AltitudeDeg, lat > 0 ? dec : -dec, 1e-6) << "dec " << dec << " lat " << lat;
      EXPECT_FALSE(std::isnan(h.AzimuthDeg)) << "dec " << dec << " lat " << lat;
    }
  }
}

TEST(Visibility, DependsOnlyOnTheSignOfTheAltitude) {
  EXPECT_EQ(VisibilityText(0.0), "sichtbar");
  EXPECT_EQ(VisibilityText(12.5), "sichtbar");
  EXPECT_EQ(VisibilityText(-0.01), "unsichtbar");
}

// ---- zodiac --------------------------------------------------------------------------------------

TEST(ZodiacConstellation, BandsAndBounds) {
  EXPECT_EQ(ZodiacConstellation(0.5), "Fische");  // through the bound -864
  EXPECT_EQ(ZodiacConstellation(23.5), "Fische");
  EXPECT_EQ(ZodiacConstellation(16.4), "Schlangentr.");
  EXPECT_EQ(ZodiacConstellation(1.783333), "Widder");
  EXPECT_EQ(ZodiacConstellation(1.783332), "Fische");
  EXPECT_EQ(ZodiacConstellation(9.4), "Löwe");
  EXPECT_EQ(ZodiacConstellation(18.0), "Schütze");
  EXPECT_EQ(ZodiacConstellation(23.416666), "Wassermann");
  EXPECT_EQ(ZodiacConstellation(0.0), "Fische");
  EXPECT_EQ(ZodiacConstellation(359.999 / 15.0), "Fische");
  // Outside the table: no name rather than a read beyond it.
  EXPECT_EQ(ZodiacConstellation(24.1), "");
  EXPECT_EQ(ZodiacConstellation(-900.0), "");
  EXPECT_EQ(ZodiacConstellation(kNaN), "");
}

TEST(ZodiacConstellation, NamesFollowTheEclipticInOrder) {
  const char* const order[] = {"Fische",   "Widder",   "Stier",        "Zwillinge", "Krebs",
                               "Löwe",     "Jungfrau", "Waage",        "Skorpion",  "Schlangentr.",
                               "Schütze",  "Steinbock", "Wassermann", "Fische"};
  int index = 0;
  for (double key = 0.0; key < 24.0; key += 0.01) {
    const std::string name = ZodiacConstellation(key);
    if (name != order[index]) {
      ++index;
      ASSERT_LT(index, 14) << "key " << key;
      EXPECT_EQ(name, order[index]) << "key " << key;
    }
  }
  EXPECT_EQ(index, 13);
}

// ---- texts ---------------------------------------------------------------------------------------

TEST(FormatRiseTime, HoursAndRoundedMinutes) {
  EXPECT_EQ(FormatRiseTime(5.0 + 23.0 / 60.0), "5h23m");
  EXPECT_EQ(FormatRiseTime(5.9999), "6h0m");  // rounded minutes carry into the hour
  EXPECT_EQ(FormatRiseTime(23.9999), "0h0m");
  EXPECT_EQ(FormatRiseTime(0.0), "0h0m");
  EXPECT_EQ(FormatRiseTime(23.5), "23h30m");
  EXPECT_EQ(FormatRiseTime(-1.0), "unsichtbar");
  EXPECT_EQ(FormatRiseTime(-2.0), "sichtbar");
  EXPECT_EQ(FormatRiseTime(-0.0), "0h0m");
  EXPECT_EQ(FormatRiseTime(kNaN), "");
}

TEST(FormatDegMin, DegreesAndWholeMinutes) {
  EXPECT_EQ(FormatDegMin(12.99999), "13°0'");  // 60' carry into the degrees
  EXPECT_EQ(FormatDegMin(-0.25), "-0°15'");
  EXPECT_EQ(FormatDegMin(68.0337), "68°2'");
  EXPECT_EQ(FormatDegMin(-12.0 - 4.9999 / 60.0), "-12°5'");  // 4'59.99" shows as 5'
  EXPECT_EQ(FormatDegMin(0.0), "0°0'");
  EXPECT_EQ(FormatDegMin(kInf), "");
}

// The light time for one astronomical unit is 499.004784 s (IAU 1976 system of constants).
TEST(LightTime, WholeSecondsAndText) {
  ASSERT_TRUE(LightTimeSeconds(1.0).has_value());
  EXPECT_EQ(*LightTimeSeconds(1.0), 499);
  EXPECT_EQ(FormatLightTime(*LightTimeSeconds(1.0)), "8 min 19 s");
  EXPECT_EQ(FormatLightTime(*LightTimeSeconds(30.0)), "249 min 30 s");
  EXPECT_EQ(*LightTimeSeconds(0.0), 0);
  EXPECT_FALSE(LightTimeSeconds(kNaN).has_value());
  EXPECT_FALSE(LightTimeSeconds(-1.0).has_value());
  EXPECT_FALSE(LightTimeSeconds(1e300).has_value());
}

}  // namespace
}  // namespace zenitra
