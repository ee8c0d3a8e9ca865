#pragma once
// The texts of the planet information window: the fact sheet of a planet and its current
// ephemeris; and the number texts that this window and the ephemeris table share.
#include <QLocale>
#include <QString>
#include <QStringList>

#include "core/shared_types.h"
#include "planets/planet_position.h"

namespace zenitra {

/// The fact sheets: each planet's section starts with "[" and its name and runs to the next line
/// that starts with "["; the list ends with the line "[".
[[nodiscard]] const QStringList& PlanetFactSheets();
/// The lines of a planet's section, each followed by CR LF; empty for a name without a section.
[[nodiscard]] QString FactSheetText(const QString& planetName);

/// Texts of one planet's values, as the table and the information window show them.
[[nodiscard]] QString DegreesText(const QLocale& locale, double degrees);  ///< "%.2f°"
[[nodiscard]] QString AuText(const QLocale& locale, double au);            ///< "%.2f AE"
/// "%d min %d s" of the light time over a distance in AU; empty for an impossible distance.
[[nodiscard]] QString LightTimeText(double distanceAu);
/// Whole hours "%.0f", "h ", minutes "%.1f".
[[nodiscard]] QString RightAscensionText(const QLocale& locale, const PlanetEphemeris& e);
/// Whole degrees "%.0f" (with "-" put in front when the arc minutes are negative and the text does
/// not already start with "-"), "° ", the absolute arc minutes "%.1f" and "'".
[[nodiscard]] QString DeclinationText(const QLocale& locale, const PlanetEphemeris& e);
/// "%.2f" and the arc-second sign '"'.
[[nodiscard]] QString DiameterText(const QLocale& locale, double arcsec);
/// "%.2fm".
[[nodiscard]] QString MagnitudeText(const QLocale& locale, double magnitude);

/// The ephemeris text of the planet information window, nine lines joined by CR LF (no line break
/// after the last). `moment`: local clock time and zone; `place`: latitude, longitude (east
/// positive) and zone.
[[nodiscard]] QString PlanetEphemerisText(const QString& planetName, const InfoWindowMoment& moment,
                                          const Location& place, const QLocale& locale);

}  // namespace zenitra
