#pragma once
// The text of the Moon parameters window: time scales, sidereal time, the Moon's age, distance,
// illuminated fraction and diameter, the phases of the lunation with its number, the next perigee
// and apogee, and moonrise, culmination and moonset.
#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <optional>

#include "core/shared_types.h"
#include "core/time_scales.h"

namespace zenitra {

/// The whole text of the Moon window; every line, the last one included, ends with CR LF.
/// `moment`: the main window's local clock time and zone; `place`: latitude and longitude (east
/// positive); `today`: the computer's current date, shown in line 4 whatever the moment is.
[[nodiscard]] QString MoonParametersText(const InfoWindowMoment& moment, const Location& place,
                                         const QDate& today, const QLocale& locale);

/// Moonrise (Rise), culmination (Transit) and moonset (Set) of the UT day beginning at jdU, as
/// fractions of that day after one correction step (Meeus, Astronomical Algorithms, ch. 15, with
/// h0 = 0.125 degrees and the horizontal parallax from the distance). Nothing when the Moon neither
/// rises nor sets that day (|cos H0| > 1) or an input is not finite.
struct MoonEvents {
  double Rise = 0.0;
  double Transit = 0.0;
  double Set = 0.0;
};
[[nodiscard]] std::optional<MoonEvents> MoonRiseTransitSet(JulianDay jdU, double latitudeDeg,
                                                           double longitudeEastDeg);

/// The Moon's age in days by the window's rule: from the new moon of the lunation chosen with the
/// month minus 2, or, when that lies after the moment, from the one chosen with the month minus 3.
[[nodiscard]] double WindowMoonAge(const InfoWindowMoment& moment);

/// The diameter line's value: "%.3f° = %d'%.1f\"" of P seconds of arc.
[[nodiscard]] QString MoonDiameterText(const QLocale& locale, double diameterArcsec);

/// The fixed lines of the fact box beside the Moon's picture.
[[nodiscard]] QStringList MoonFactLines();

}  // namespace zenitra
