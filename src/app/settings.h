#pragma once
// The settings file "zenitra.ini": one section "Zenitra" with 22 keys, lines key=value, written in
// the Windows-1252 code page with CR LF line ends. Reading and writing are plain functions over
// bytes and paths so that they work without a display; the main window applies what they return.
// A file edited by hand may be UTF-8 and may hold keys and sections of its own: both are read
// correctly and the foreign lines survive every rewrite.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

#include "ui/sky_state.h"

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

/// Parses the bytes of a settings file (DecodeSettingsText). Lines outside the section "Zenitra", lines
/// without '=', unknown keys and values that are not decimal integers within the int range are
/// ignored, so every damaged file still gives a complete set of values (defaults where needed).
/// Keys and the section name are compared without regard to letter case; the first occurrence of
/// a key wins. "Sterne" and "Sternbilder" are kept as bytes (the low 8 bits of the number).
[[nodiscard]] SettingsValues ParseSettings(const QByteArray& fileBytes);
/// The complete file: "[Zenitra]" and the 22 keys in order, CR LF line ends, EncodeSettingsText.
/// Every line of `previousFile` that is not one of the 22 keys in a "Zenitra" section is kept in
/// its place: comments, unknown keys (after the 22) and other sections. A place text whose ends
/// would be trimmed or unquoted on reading is written in double quotes; a line feed in it becomes
/// a space, since it would end the line.
[[nodiscard]] QByteArray SerializeSettings(const SettingsValues& values, const QByteArray& previousFile = {});

/// The text of settings bytes: UTF-8 when the bytes are valid UTF-8 and use more than ASCII (a
/// Windows-1252 file with umlauts is never valid UTF-8; a UTF-8 byte order mark is dropped),
/// Windows-1252 otherwise.
[[nodiscard]] QString DecodeSettingsText(const QByteArray& bytes);
/// Windows-1252 when that keeps every character and reads back as Windows-1252; otherwise UTF-8
/// with a byte order mark (a character outside the code page, or a rare text like "Ã¶" whose
/// Windows-1252 bytes would also be valid UTF-8).
[[nodiscard]] QByteArray EncodeSettingsText(const QString& text);

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
/// the write keeps the previous settings. Keeps the foreign lines of the existing file (its first
/// 4 MiB). Creates the folder if needed. Returns an error text (German) or nothing on success.
[[nodiscard]] std::optional<QString> WriteSettingsFile(const QString& path, const SettingsValues& values);
/// Removes the temporary files "zenitra.ini.XXXXXX" (six letters or digits) that a write killed
/// before its rename leaves next to `path`. Called once at start-up; returns how many were removed.
int RemoveStaleSettingsFiles(const QString& path);

/// Windows-1252 conversions; characters without a code become '?'.
[[nodiscard]] QByteArray EncodeWindows1252(const QString& text);
[[nodiscard]] QString DecodeWindows1252(const QByteArray& bytes);

}  // namespace zenitra
