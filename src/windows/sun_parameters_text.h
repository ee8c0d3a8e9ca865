#pragma once
// The text of the Sun parameters window: date, day number, time, the Sun's place as the sky map
// left it, hour angle, equation of time, local sidereal time as "Sonnenzeit", distance, diameter,
// and the times of sunrise, sunset and culmination.
#include <QLocale>
#include <QString>
#include <QStringList>

#include "core/shared_types.h"

namespace zenitra {

/// The whole text of the Sun window, lines joined by CR LF (none after the last line).
/// `moment`: the main window's local clock time; `place`: latitude, longitude (east positive) and
/// zone of the place; `sun`: what the last drawing of the sky left (shown as it is).
/// Throws ConversionError for a month outside 1..12.
[[nodiscard]] QString SunParametersText(const InfoWindowMoment& moment, const Location& place,
                                        const SunDisplayState& sun, const QLocale& locale);

/// Equation of time in minutes for day number n of the year, rounded to hundredths:
/// B = (360 n - 360)/365 degrees, E = (0.000075 + 0.001868 cos B - 0.030277 sin B
/// - 0.014615 cos 2B - 0.04089 sin 2B) * 229.2: Spencer's series (1971) with 0.030277 for his
/// sin B coefficient 0.032077, as the window has always shown it (extremes 16.02 and -13.98 min).
[[nodiscard]] double EquationOfTimeMinutes(int dayNumber);

/// The zodiac name of a right ascension in hours ("Fische" below 1.783333 h).
[[nodiscard]] QString SunZodiacName(double rightAscensionHours);

/// "Sonnenzeit": whole hours H = trunc(S * 1.001) and minutes round((S - H) * 60), halves to even.
struct SolarClock {
  int Hours = 0;
  int Minutes = 0;
};
[[nodiscard]] SolarClock SolarClockOf(double siderealHours);

/// The fixed lines of the fact box beside the Sun's picture.
[[nodiscard]] QStringList SunFactLines();

}  // namespace zenitra
