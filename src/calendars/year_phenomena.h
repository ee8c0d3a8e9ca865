#pragma once
// Instants of the recurring phenomena of a year: equinoxes and solstices, the principal phases of the
// Moon, solar and lunar eclipses with kind and magnitude.
//
// Every instant returned is a Julian Day in Terrestrial Time (JDE); subtracting Delta T and adding the
// zone offset is the caller's business.
//
// Sources: J. Meeus, Astronomical Algorithms, ch. 27 (equinoxes and solstices), ch. 49 (phases of the
// Moon, with the mean-anomaly coefficients of the first edition), ch. 54 (eclipses).
#include <optional>

#include "calendars/calendar_arithmetic.h"

namespace zenitra::yearcal {

/// 1 total, 2 annular, 3 annular-total, 4 non-central total, 5 non-central annular, 6 partial.
using SolarEclipseKind = int;
/// 1 total, 6 partial (umbral), 7 penumbral.
using LunarEclipseKind = int;

/// JDE of an equinox or solstice of a year (historical numbering as typed; the series takes the
/// number as it is). season: 0 March equinox, 1 June solstice, 2 September equinox, 3 December
/// solstice; nothing for any other index.
[[nodiscard]] std::optional<JulianDay> SeasonStart(int year, int season);

/// One polynomial of the phase series, c0 + c1 k + T^2 (c2 + T (c3 + T c4)): row 0 the mean phase
/// JDE (days), rows 1..4 the Sun's mean anomaly M, the Moon's mean anomaly M', the Moon's argument of
/// latitude F and the longitude of the ascending node (degrees, not reduced). k lunations since the
/// new moon of 6 January 2000, T Julian centuries. Nothing for a row outside 0..4.
[[nodiscard]] std::optional<double> MoonPhaseArgument(int row, double t, double k);

/// JDE of a principal phase of lunation n (0 = the new moon of 6 January 2000). phase: 0 new moon,
/// 1 first quarter, 2 full moon, 3 last quarter; nothing for any other index.
[[nodiscard]] std::optional<JulianDay> MoonPhaseInstant(int n, int phase);

/// Core quantities of an eclipse at a syzygy.
struct EclipseCoreValues {
  JulianDay jde = 0.0;  ///< instant of greatest eclipse (mean syzygy when no eclipse is possible)
  double u = 0.0;       ///< radius of the umbral cone in the fundamental plane (Earth radii)
  double gamma = 2.0;   ///< |least distance of the shadow axis from the Earth's centre| (Earth radii)
};
/// k: an integer for a new moon, integer + 0.5 for a full moon. A lunation too far from a node
/// (|sin F| >= 0.36) gives the mean JDE, u = 0 and gamma = 2, which no eclipse test accepts.
[[nodiscard]] EclipseCoreValues EclipseCore(double k);

struct SolarEclipse {
  JulianDay jde = 0.0;  ///< greatest eclipse, TT
  SolarEclipseKind kind = 6;
  /// Greatest magnitude; present only for a partial eclipse (kind 6).
  std::optional<double> magnitude;
};
struct LunarEclipse {
  JulianDay jde = 0.0;  ///< greatest eclipse, TT
  LunarEclipseKind kind = 7;
  double magnitude = 0.0;  ///< umbral magnitude for kinds 1 and 6, penumbral for kind 7
};

/// The first solar eclipse whose lunation lies at least about 0.03 lunation after jd; calling again
/// with the returned JDE gives the next one. Nothing for a non-finite jd or one so far from J2000
/// (beyond 1e9 days) that the series mean nothing.
[[nodiscard]] std::optional<SolarEclipse> NextSolarEclipse(JulianDay jd);
/// As NextSolarEclipse, for lunar eclipses (penumbral ones included).
[[nodiscard]] std::optional<LunarEclipse> NextLunarEclipse(JulianDay jd);

}  // namespace zenitra::yearcal
