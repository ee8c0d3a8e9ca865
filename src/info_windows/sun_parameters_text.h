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
/// `moment`: the main window's local clock time, zone and summer hour; `place`: latitude,
/// longitude (east positive), zone and time-zone name of the place. Everything is computed for the
/// moment itself: the Sun's apparent place at dynamical time, hour angle, azimuth and altitude
/// from the apparent sidereal time, the equation of time and true solar time ("Sonnenzeit"), and
/// rising, setting and culmination of the local day on the place's legal clock.
/// Throws ConversionError for a date the calendar refuses.
/// `cache`, when given, keeps the rising, setting and culmination lines of the last local day and
/// place, which a window refreshing on every animation frame would otherwise compute again.
class SunDayEventCache;
[[nodiscard]] QString SunParametersText(const InfoWindowMoment& moment, const Location& place, const QLocale& locale,
                                        SunDayEventCache* cache = nullptr);

/// The three event lines of one local day and place (each event evaluates the Earth series three
/// times); the text is the same for every moment of that day.
class SunDayEventCache {
 public:
  /// The lines "Sonnenaufgang", "Sonnenuntergang", "Kulmination" for the day of `moment`.
  [[nodiscard]] const QStringList& Lines(const InfoWindowMoment& moment, const Location& place, const QLocale& locale);

 private:
  bool valid_ = false;
  double dayStart_ = 0.0;
  Location place_;
  QString localeName_;
  QStringList lines_;
};

/// The zodiac name of a right ascension in hours ("Fische" below 1.783333 h).
[[nodiscard]] QString SunZodiacName(double rightAscensionHours);

/// Hours and minutes of a time of day in hours: whole minutes rounded to the nearest and carried
/// into the hour, wrapped into 0 h 0 min .. 23 h 59 min ("Sonnenzeit" and the right ascension).
struct SolarClock {
  int Hours = 0;
  int Minutes = 0;
};
[[nodiscard]] SolarClock SolarClockOf(double hours);

/// The fixed lines of the fact box beside the Sun's picture.
[[nodiscard]] QStringList SunFactLines();

}  // namespace zenitra
