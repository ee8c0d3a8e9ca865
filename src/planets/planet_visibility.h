#pragma once
// What the ephemeris table and the planet information window show besides the coordinates:
// visual magnitude, rising and setting, altitude and azimuth, visibility, the zodiacal
// constellation, the light time, and the texts of rise times and angles (UTF-8).
//
// Sources: magnitudes after J. Meeus, Astronomical Algorithms, 2nd ed., ch. 41 (the older
// formulae of the Astronomical Almanac); rising and setting as a simple hour-angle estimate
// (ch. 15 without refraction or interpolation); horizontal coordinates ch. 13.
#include <optional>
#include <string>
#include <string_view>

namespace zenitra {

/// Visual magnitude of a planet. alphaDeg, deltaDeg: right ascension and declination (degrees);
/// t: Julian centuries since J2000; earthSunAu: the Earth's radius vector R; distanceAu: Earth-
/// planet Delta; radiusAu: Sun-planet r. "Erde" gives 0; unknown names are computed as "Venus".
[[nodiscard]] double PlanetMagnitude(std::string_view name, double alphaDeg, double deltaDeg, double t,
                                     double earthSunAu, double distanceAu, double radiusAu);

/// The magnitude as stored in the record: every negative value lowered by a further 0.05
/// (-4.40 becomes -4.45); zero and positive values unchanged.
[[nodiscard]] double MagnitudeForRecord(double magnitude);

/// Rise and set of a planet in local clock hours, [0, 24), or both PlanetNeverRises (-1) or both
/// PlanetNeverSets (-2). No refraction. NaN when an input is not finite.
struct RiseSet {
  double Rise = 0.0;
  double Set = 0.0;
};
/// alphaDeg, deltaDeg: the planet's place (degrees); jd: the moment (Julian Day, UT);
/// latitudeDeg north positive, longitudeDeg east positive, zoneHours = local clock minus UT.
[[nodiscard]] RiseSet PlanetRiseSet(double alphaDeg, double deltaDeg, double jd, double latitudeDeg,
                                    double longitudeDeg, double zoneHours);

/// Altitude and azimuth in degrees. The azimuth counts from the south point towards the west
/// (south 0, west 90, north 180, east 270), in [0, 360).
struct Horizontal {
  double AltitudeDeg = 0.0;  ///< [-90, 90]
  double AzimuthDeg = 0.0;   ///< [0, 360)
};
/// From the split right ascension (hours and minutes of time) and declination (degrees and arc
/// minutes, both parts carrying the sign), the local sidereal time (hours) and the latitude.
[[nodiscard]] Horizontal HorizontalPosition(double raHours, double raMinutes, double decDegrees,
                                            double decMinutes, double lstHours, double latitudeDeg);

/// "sichtbar" for an altitude >= 0, otherwise "unsichtbar" (no refraction or twilight).
[[nodiscard]] std::string VisibilityText(double altitudeDeg);

/// Zodiacal constellation of a key in units of 15 degrees (geocentric longitude / 15), as a
/// UTF-8 name such as "Fische" or "Schlangentr."; empty for keys outside [-864, 24.1) or NaN.
[[nodiscard]] std::string ZodiacConstellation(double key);

/// "5h23m" for a time t >= 0 in hours: whole minutes rounded and carried into the hour (5.9999
/// gives "6h0m", 23.9999 "0h0m"); "unsichtbar" for -1; "sichtbar" for any other negative value;
/// empty when t is not finite.
[[nodiscard]] std::string FormatRiseTime(double t);

/// Degrees and whole arc minutes such as "12°5'" or "-0°15'" (minutes truncated unless the seconds
/// round to 60; 60' carry into the degrees, so 12.99999 gives "13°0'"); empty when x is not finite.
[[nodiscard]] std::string FormatDegMin(double x);

/// Light time in whole seconds for a distance in AU (1 AU = 149597870 km, c = 299792.458 km/s),
/// rounded half to even; nothing for a negative, non-finite or absurdly large distance.
[[nodiscard]] std::optional<int> LightTimeSeconds(double distanceAu);
/// "%d min %d s" of a light time in seconds, e.g. "8 min 19 s".
[[nodiscard]] std::string FormatLightTime(int seconds);

}  // namespace zenitra
