#pragma once
// The state of the sky map that the drawing, the settings file and the animation share: the shown
// moment (local clock time of the place), the display switches and the two name modes.
#include <cstdint>

#include "core/local_moment.h"

namespace zenitra {

/// The years the shown moment may take: those of the main window's date field.
inline constexpr int kFirstYear = 1;
inline constexpr int kLastYear = 9999;

/// The shown moment: local calendar date and clock time of the place. With the summer-time switch
/// on and summer time in force the clock time is summer time.
struct ShownMoment {
  int Year = 2000;
  int Month = 1;
  int Day = 1;
  int Hour = 0;
  int Minute = 0;
  int Second = 0;
  friend bool operator==(const ShownMoment&, const ShownMoment&) = default;
};

/// The clock reading of a moment of the place.
[[nodiscard]] inline ShownMoment ClockOf(const LocalMoment& m) {
  return ShownMoment{m.Year, m.Month, m.Day, m.Hour, m.Minute, m.Second};
}

/// Every display switch of the main window, one per boolean key of the settings file, and the two
/// name modes (0 none, 1..3 as the drawing describes; other values draw nothing).
struct DisplaySwitches {
  bool Ecliptic = false;        ///< "Ekliptik"
  bool Equator = false;         ///< "Äquator"
  bool Grid = false;            ///< "Ksystem"
  bool Meridian = false;        ///< "Meridian"
  bool AltitudeLines = false;   ///< "Höhen"
  bool Moon = false;            ///< "Mond"
  bool SummerTime = false;      ///< "Sommerzeit"
  bool Horizon = false;         ///< "Horizont": the horizon panorama
  std::uint8_t StarNames = 0;   ///< "Sterne"
  std::uint8_t ConstellationNames = 0;  ///< "Sternbilder"
  bool ConstellationLines = false;      ///< "Linien"
  bool Boundaries = false;      ///< "SGrenzen"
  bool WhiteStars = false;      ///< "WSterne"
  bool StarInformation = false; ///< "Anzeige"
  bool Zodiac = false;          ///< "Tierkreis"
  bool Jupiter = false;         ///< "Jupiter": Galilean moons panel
  bool Venus = false;           ///< "Venus": Venus phase panel
  friend bool operator==(const DisplaySwitches&, const DisplaySwitches&) = default;
};

}  // namespace zenitra
