#pragma once
// The state of the sky map that the drawing, the settings file and the animation share: the shown
// moment (local clock time of the place), the display switches and the two name modes.
#include <array>
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

/// Every display switch of the main window and the two name modes (0 none, 1..3 as the drawing
/// describes; other values draw nothing). Settings keys and menu captions: kDisplaySwitchTable.
struct DisplaySwitches {
  bool Ecliptic = false;
  bool Equator = false;
  bool Grid = false;
  bool Meridian = false;
  bool AltitudeLines = false;
  bool Moon = false;
  bool SummerTime = false;
  bool Horizon = false;  ///< the horizon panorama
  std::uint8_t StarNames = 0;
  std::uint8_t ConstellationNames = 0;
  bool ConstellationLines = false;
  bool Boundaries = false;
  bool WhiteStars = false;
  bool StarInformation = false;
  bool Zodiac = false;
  bool Jupiter = false;  ///< the Galilean moons panel
  bool Venus = false;    ///< the Venus phase panel
  friend bool operator==(const DisplaySwitches&, const DisplaySwitches&) = default;
};

/// The name-mode cycles of "Sternnamen" and "Sternbildnamen": 0, 1, 2, 3, 0. They part only for a
/// stored mode above 3 (the settings file keeps any byte): the star names go on modulo 4 (7 gives
/// 0, 5 gives 2), the constellation names return to 0.
[[nodiscard]] constexpr std::uint8_t NextStarNameMode(std::uint8_t mode) {
  return static_cast<std::uint8_t>((mode + 1) % 4);
}
[[nodiscard]] constexpr std::uint8_t NextConstellationNameMode(std::uint8_t mode) {
  return static_cast<std::uint8_t>(mode + 1 > 3 ? 0 : mode + 1);
}

/// The menu that holds a switch.
enum class SwitchMenu : std::uint8_t { Display, MoreInformation };

/// One display switch: its member, its key in the settings file and its menu caption. An on/off
/// switch has Flag; a name mode has Mode and the cycle its menu item and button step through.
struct DisplaySwitchEntry {
  bool DisplaySwitches::*Flag = nullptr;
  std::uint8_t DisplaySwitches::*Mode = nullptr;
  std::uint8_t (*NextMode)(std::uint8_t) = nullptr;
  const char16_t* Key = nullptr;
  const char16_t* Caption = nullptr;
  SwitchMenu Menu = SwitchMenu::Display;
  bool SeparatorBefore = false;  ///< a separator line above the item in its menu
};

/// The display switches in the order of the settings file and of their menus.
inline constexpr std::array<DisplaySwitchEntry, 17> kDisplaySwitchTable = {{
    {.Flag = &DisplaySwitches::Ecliptic, .Key = u"Ekliptik", .Caption = u"Ekliptik"},
    {.Flag = &DisplaySwitches::Equator, .Key = u"Äquator", .Caption = u"Himmelsäquator"},
    {.Flag = &DisplaySwitches::Grid, .Key = u"Ksystem", .Caption = u"Koordinatennetz"},
    {.Flag = &DisplaySwitches::Meridian, .Key = u"Meridian", .Caption = u"Meridian"},
    {.Flag = &DisplaySwitches::AltitudeLines, .Key = u"Höhen", .Caption = u"Höhenlinien"},
    {.Flag = &DisplaySwitches::Moon, .Key = u"Mond", .Caption = u"Mond", .SeparatorBefore = true},
    {.Flag = &DisplaySwitches::SummerTime, .Key = u"Sommerzeit", .Caption = u"Sommerzeit berücksichtigen"},
    {.Flag = &DisplaySwitches::Horizon, .Key = u"Horizont", .Caption = u"Abbildung des Horizonts"},
    {.Mode = &DisplaySwitches::StarNames, .NextMode = NextStarNameMode, .Key = u"Sterne", .Caption = u"Sternnamen",
     .SeparatorBefore = true},
    {.Mode = &DisplaySwitches::ConstellationNames, .NextMode = NextConstellationNameMode, .Key = u"Sternbilder",
     .Caption = u"Sternbildnamen"},
    {.Flag = &DisplaySwitches::ConstellationLines, .Key = u"Linien", .Caption = u"Sternbildlinien"},
    {.Flag = &DisplaySwitches::Boundaries, .Key = u"SGrenzen", .Caption = u"Sternbildgrenzen"},
    {.Flag = &DisplaySwitches::WhiteStars, .Key = u"WSterne", .Caption = u"weiße Sterne"},
    {.Flag = &DisplaySwitches::StarInformation, .Key = u"Anzeige", .Caption = u"Sterninformationen anzeigen"},
    {.Flag = &DisplaySwitches::Zodiac, .Key = u"Tierkreis", .Caption = u"Tierkreiszeichen"},
    {.Flag = &DisplaySwitches::Jupiter, .Key = u"Jupiter", .Caption = u"Galileische Jupitermonde",
     .Menu = SwitchMenu::MoreInformation},
    {.Flag = &DisplaySwitches::Venus, .Key = u"Venus", .Caption = u"Venusphase", .Menu = SwitchMenu::MoreInformation},
}};

/// The table entry of a name mode (&DisplaySwitches::StarNames or ::ConstellationNames).
[[nodiscard]] constexpr const DisplaySwitchEntry& DisplaySwitchOf(std::uint8_t DisplaySwitches::*mode) {
  for (const DisplaySwitchEntry& e : kDisplaySwitchTable) {
    if (e.Mode == mode) return e;
  }
  return kDisplaySwitchTable.front();
}

/// Whether the menu item of a switch is checked: a name mode counts as on when not 0.
[[nodiscard]] constexpr bool SwitchIsOn(const DisplaySwitches& s, const DisplaySwitchEntry& e) {
  return e.Flag ? s.*(e.Flag) : s.*(e.Mode) != 0;
}

}  // namespace zenitra
