#pragma once
// The settings file "zenitra.ini": one section "Zenitra" with 22 keys, lines key=value, written in
// the Windows-1252 code page with CR LF line ends. Reading and writing are plain functions over
// bytes and paths so that they work without a display; the main window applies what they return.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

#include "sky/sky_state.h"

namespace zenitra {

/// The values of the 22 keys as read (each with its default when absent or not a number) or as
/// about to be written.
struct SettingsValues {
  QString Place;       ///< "Ort": the place text as shown in the place box; empty = none stored
  int Simulation = 2;  ///< "Simulation": animation speed; applied only within 1..99
  int Azimuth = 0;     ///< "Azimut": azimuth at the centre; applied only within -180..180
  int Left = 0;        ///< "Links": left edge of the main window
  int Top = 0;         ///< "Oben": top edge of the main window
  DisplaySwitches Switches;
  friend bool operator==(const SettingsValues&, const SettingsValues&) = default;
};

/// The section name and the 22 keys in the order they are written.
inline constexpr const char* kSettingsSection = "Zenitra";
[[nodiscard]] QStringList SettingsKeys();

/// Parses the bytes of a settings file (Windows-1252). Lines outside the section "Zenitra", lines
/// without '=', unknown keys and values that are not decimal integers within the int range are
/// ignored, so every damaged file still gives a complete set of values (defaults where needed).
/// Keys and the section name are compared without regard to letter case; the first occurrence of
/// a key wins. "Sterne" and "Sternbilder" are kept as bytes (the low 8 bits of the number).
[[nodiscard]] SettingsValues ParseSettings(const QByteArray& fileBytes);
/// The complete file: "[Zenitra]" and the 22 keys in order, CR LF line ends, Windows-1252.
[[nodiscard]] QByteArray SerializeSettings(const SettingsValues& values);

/// Sets one key from its text form, as the file would ("Linien=1", "Sterne=3", "Ort=Berlin, D").
/// Returns false for an unknown key or a value that is not a decimal integer.
[[nodiscard]] bool SetSettingsKey(SettingsValues& values, const QString& key, const QString& value);

/// Whether a stored value is applied to the speed control / the azimuth control.
[[nodiscard]] constexpr bool SimulationApplies(int speed) { return speed >= 1 && speed <= 99; }
[[nodiscard]] constexpr bool AzimuthApplies(int azimuth) { return azimuth >= -180 && azimuth <= 180; }

/// The per-user configuration folder (QStandardPaths; ~/.config on Linux).
[[nodiscard]] QString DefaultSettingsFolder();
/// folder + separator + "zenitra.ini".
[[nodiscard]] QString SettingsFilePath(const QString& folder);

/// Reads and parses the file; nothing when it does not exist or cannot be opened. At most the first
/// 4 MiB are read, so a huge file cannot exhaust memory.
[[nodiscard]] std::optional<SettingsValues> ReadSettingsFile(const QString& path);
/// Writes the file atomically (a temporary file renamed over the old one), so a crash or kill during
/// the write keeps the previous settings. Creates the folder if needed. Returns an error text
/// (German) or nothing on success.
[[nodiscard]] std::optional<QString> WriteSettingsFile(const QString& path, const SettingsValues& values);

/// Windows-1252 conversions; characters without a code become '?'.
[[nodiscard]] QByteArray EncodeWindows1252(const QString& text);
[[nodiscard]] QString DecodeWindows1252(const QByteArray& bytes);

}  // namespace zenitra
