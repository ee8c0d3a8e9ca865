#pragma once
// Small records shared by the computations and the windows.
#include <string>

#include "core/local_moment.h"

namespace zenitra {

/// Marker for a rising, setting or culmination of the Sun or the Moon that does not happen.
inline constexpr double NoEvent = -1000001.0;

/// The observer's place as listed in the place box.
struct Location {
  std::string Name;          ///< "Town, XX" as in the place list (UTF-8)
  double LatitudeDeg = 0.0;  ///< north positive
  double LongitudeDeg = 0.0; ///< east positive
  double ZoneHours = 0.0;    ///< local standard time minus universal time
  /// IANA time-zone name ("Europe/Berlin") whose rules give the place's summer time; empty when
  /// unknown, and then the place keeps standard time all year.
  std::string TimeZoneId;
};

/// The moment handed by the main window to an information window before it refreshes: the local
/// clock time shown by the main window, with the zone and summer hour of the place.
using InfoWindowMoment = LocalMoment;

/// Apparent geocentric place of the Sun or the Moon.
struct BodyPosition {
  double Longitude = 0.0;       ///< ecliptic, degrees
  double Latitude = 0.0;        ///< ecliptic, degrees
  double DistanceKm = 0.0;
  double RightAscension = 0.0;  ///< degrees
  double Declination = 0.0;     ///< degrees
};

}  // namespace zenitra
