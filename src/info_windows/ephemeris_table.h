#pragma once
// The contents of the ephemeris table: one column per planet from Merkur to Neptun, one row per
// quantity, for a local moment and a place.
#include <QLocale>
#include <QString>
#include <QStringList>
#include <array>

#include "core/shared_types.h"

namespace zenitra {

inline constexpr int kEphemerisRows = 18;
inline constexpr int kEphemerisColumns = 8;

/// The planets of columns 1..7.
[[nodiscard]] const QStringList& EphemerisPlanets();
/// The row titles of rows 1..17 ("helioz.Länge" ... "Sichtbarkeit"); index 0 is empty.
[[nodiscard]] const QStringList& EphemerisRowTitles();

/// Every cell of the table, [row][column]: row 0 the planet names, column 0 the row titles, the
/// cell (0, 0) empty. The Earth, computed first, is not in the table: its heliocentric longitude
/// ("%.2f°") is EarthLabel, the text of the window's invisible label.
struct EphemerisTable {
  std::array<std::array<QString, kEphemerisColumns>, kEphemerisRows> Cells;
  QString EarthLabel;
};

/// The table for a local moment (date, clock time and zone of the main window) and a place
/// (latitude, longitude east positive, zone).
[[nodiscard]] EphemerisTable BuildEphemerisTable(const InfoWindowMoment& moment, const Location& place,
                                                 const QLocale& locale);

/// The table as text: 18 rows of 8 cells separated by tabs, each row ending with a line feed.
[[nodiscard]] QString EphemerisTableText(const EphemerisTable& table);

}  // namespace zenitra
