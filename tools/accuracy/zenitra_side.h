#pragma once
// The program's side of the accuracy measurement: every value is computed here, through the same
// functions and with the same arguments that the program's windows and map use. When those
// functions change, this file (and its .cpp) is the only place of the measurement to adapt.
#include <optional>
#include <string>
#include <vector>

#include "ui/sky_state.h"

namespace accuracy {

struct Place {
  std::string Name;
  double LatitudeDeg = 0.0;   ///< north positive
  double LongitudeDeg = 0.0;  ///< east positive
  double ZoneHours = 0.0;     ///< local standard time minus UT
};

/// A local standard clock time of a place (no summer time): the map's clock reading.
using LocalTime = zenitra::ShownMoment;

/// Julian Day (UT) of an event; nothing when it does not happen.
using EventJd = std::optional<double>;

struct DayEvents {
  EventJd Rise;
  EventJd Transit;
  EventJd Set;
};

/// Sunrise, culmination and sunset as the Sun window computes them for a local date.
[[nodiscard]] DayEvents SunEventsOfLocalDate(const Place& place, int year, int month, int day);
/// The core's sunrise, culmination and sunset of the UT day that begins at dayStartJd (0h UT).
[[nodiscard]] DayEvents SunEventsOfUtDay(const Place& place, double dayStartJd);

/// Moonrise, culmination and moonset as the Moon window computes them for a local date (the
/// window lists them in UT).
[[nodiscard]] DayEvents MoonEventsOfLocalDate(const Place& place, int year, int month, int day);

/// Illuminated fraction (percent) and distance (km) as the Moon window shows them at a local time.
struct MoonDisk {
  double IlluminatedPercent = 0.0;
  double DistanceKm = 0.0;
};
[[nodiscard]] MoonDisk MoonDiskShown(const Place& place, const LocalTime& time);
/// The core's illuminated fraction (percent) and distance at a UT instant.
[[nodiscard]] MoonDisk MoonDiskAt(double utJd);

/// Geocentric right ascension and declination (degrees) of a planet ("Merkur" ... "Neptun") as the
/// ephemeris table and the map compute them at a UT instant.
struct Equatorial {
  double RightAscensionDeg = 0.0;
  double DeclinationDeg = 0.0;
};
[[nodiscard]] Equatorial PlanetPlace(const std::string& name, double utJd);
/// The same place as the sky map draws it: precessed from J2000 to the moment.
[[nodiscard]] Equatorial PlanetPlaceOnMap(const std::string& name, double utJd);

/// The sky map's drawing area as designed and where it puts a point.
inline constexpr int kMapWidth = 1054;
inline constexpr int kMapHeight = 664;
struct Pixel {
  bool Visible = false;
  double X = 0.0;
  double Y = 0.0;
};
/// The pixel of a catalogue star (J2000 right ascension and declination in radians) on the map at a
/// local standard time, facing centreAzimuthDeg (from south, positive west), summer time off.
[[nodiscard]] Pixel StarPixel(const Place& place, const LocalTime& time, double raRad, double decRad,
                              double centreAzimuthDeg);
/// The exact (unrounded) pixel of a horizontal place by the map's linear formulas: x = cx + (A - centre)
/// cx / 90, y = (H - 28) - 2.4/pi h H.
[[nodiscard]] Pixel MapPixelOf(double azimuthDeg, double altitudeDeg, double centreAzimuthDeg);

/// One event of the year calendar, with the calendar's own instant (TT) and its UT (TT - Delta T of
/// the year), and a kind key as in tools/accuracy/data/calendar.csv.
struct CalendarEvent {
  std::string Kind;  ///< "march_equinox", "new_moon", "perigee", "solar_eclipse", "opposition", ...
  std::string Body;  ///< planet name for planetary events, else empty
  double TtJd = 0.0;
  double UtJd = 0.0;
  std::string Text;  ///< the calendar's line text
};
/// Every event of the year calendar of a historical year for a place in the given zone.
[[nodiscard]] std::vector<CalendarEvent> YearCalendarEvents(int year, double zoneHours);

/// Delta T (seconds) the program uses at a UT instant.
[[nodiscard]] double ProgramDeltaTSeconds(double utJd);

/// Julian Day (UT) of local midnight beginning a civil date in a zone, by the program's calendar.
[[nodiscard]] double LocalMidnightJd(int year, int month, int day, double zoneHours);

/// Short descriptions of the methods behind each quantity, for the report.
struct Methods {
  std::string Sun, SunEvents, MoonEvents, MoonDisk, Planets, Stars, Seasons, Phases, Apsides, EarthApsides,
      Eclipses, PlanetEvents, DeltaT;
};
[[nodiscard]] Methods MethodTexts();

}  // namespace accuracy
