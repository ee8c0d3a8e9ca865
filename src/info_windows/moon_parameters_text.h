#pragma once
// The text of the Moon parameters window: time scales, sidereal time, the Moon's age, distance,
// illuminated fraction and diameter, the phases of the lunation with its number, the next perigee
// and apogee, and moonrise, culmination and moonset.
#include <QLocale>
#include <QString>
#include <QStringList>
#include <optional>

#include "core/shared_types.h"
#include "core/time_scales.h"

namespace zenitra {

/// The whole text of the Moon window; every line, the last one included, ends with CR LF.
/// `moment`: the main window's local clock time, zone and summer hour; `place`: latitude and
/// longitude (east positive). The Moon's place, distance, phase and age are those of the moment
/// itself (dynamical time); the phase block is the lunation in progress; rising, culmination and
/// setting are those of the local day.
[[nodiscard]] QString MoonParametersText(const InfoWindowMoment& moment, const Location& place, const QLocale& locale);

/// The Moon's age in days at the moment: from the new moon of the lunation in progress.
[[nodiscard]] double WindowMoonAge(const InfoWindowMoment& moment);

/// The diameter line's value: "%.3f° = %d'%.1f\"" of P seconds of arc.
[[nodiscard]] QString MoonDiameterText(const QLocale& locale, double diameterArcsec);

/// The fixed lines of the fact box beside the Moon's picture.
[[nodiscard]] QStringList MoonFactLines();

}  // namespace zenitra
