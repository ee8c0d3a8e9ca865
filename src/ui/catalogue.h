#pragma once
// The catalogue of the sky map, from the Windows-1252 text files with CR LF line ends in
// resources/catalogue (NAME one of STAR0 STAR1 STAR2 STAR3 STAR5 STAR6 ORT ORTE ERDE; looked up
// without regard to case). The files the main window keeps (STAR0 STAR1 STAR2 STAR3 STAR5 ORT ORTE)
// are checked and converted to UTF-16 tables at build time (tools/embed_catalogue.cpp), so start-up
// neither inflates nor parses them; STAR6 and ERDE, read only when their windows ask, are embedded
// as zlib-compressed Qt resources (":/catalogue/<NAME>").
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <vector>

#include "core/shared_types.h"

namespace zenitra {

/// A catalogue resource is missing or corrupt. The message is German and names the resource.
class CatalogueError : public std::runtime_error {
 public:
  explicit CatalogueError(const QString& message) : std::runtime_error(message.toStdString()) {}
  [[nodiscard]] QString Message() const { return QString::fromStdString(what()); }
};

/// A decimal number with '.' as separator and an optional '-' or '+' sign, nothing else around
/// it; empty otherwise or when not finite. Parsed with std::from_chars: independent of the locale
/// and far quicker than QLocale.
[[nodiscard]] std::optional<double> ParseCatalogueNumber(QStringView text);

/// Inflates a zlib stream (RFC 1950). Throws CatalogueError naming `resourceName` when the stream
/// is truncated or corrupt.
[[nodiscard]] QByteArray InflateCatalogue(const QByteArray& zlibStream, const QString& resourceName);
/// Splits inflated Windows-1252 text at CR LF (a missing final CR LF is tolerated) into lines.
[[nodiscard]] QStringList SplitCatalogueLines(const QByteArray& windows1252Text);
/// The lines of a catalogue file: those of the build-time tables as they are (no copy), the others
/// from the embedded resource, inflated and split. Throws CatalogueError.
[[nodiscard]] QStringList LoadCatalogueLines(const QString& resourceName);

/// One star of STAR0.
struct CatalogueStar {
  double RightAscension = 0.0;  ///< radians, [0, 2 pi)
  double Declination = 0.0;     ///< radians
  double Magnitude = 0.0;       ///< apparent visual magnitude
  std::uint8_t SpectralClass = 0;  ///< 1 O, 2 B, 3 A, 4 F, 5 G, 6 K, 7 M, 8 S
};
/// The star table from the lines of STAR0 (4 lines a record); element 0 is record 1.
/// Throws CatalogueError naming STAR0 when the line count is not a multiple of 4, a number does
/// not parse, a position is out of range or a class index is outside 1..8.
[[nodiscard]] std::vector<CatalogueStar> BuildStarTable(const QStringList& star0Lines);

/// One point of a figure or boundary line (STAR1, STAR2), radians; (0, 0) ends a polyline.
struct CataloguePoint {
  double Alpha = 0.0;  ///< right ascension
  double Delta = 0.0;  ///< declination
};

/// Everything the sky map keeps for the life of the program.
struct Catalogue {
  std::vector<CatalogueStar> Stars;        ///< STAR0, parsed
  std::vector<CataloguePoint> Figures;     ///< STAR1, parsed
  std::vector<CataloguePoint> Boundaries;  ///< STAR2, parsed
  QStringList StarNames;                   ///< STAR3, parallel to Stars
  QStringList Constellations;              ///< STAR5
  QStringList Places;                      ///< ORT
  QStringList PlaceNames;                  ///< ORTE
};
/// The lines of the catalogues the main window keeps, as read from their files.
struct CatalogueTexts {
  QStringList Star5, Star1, Star2, Star3, Star0, Ort, Orte;
};
/// Parses the catalogues the main window keeps and checks their structure (in the order STAR5,
/// STAR1, STAR2, STAR3, STAR0, ORT, ORTE): record sizes, 89 constellations, STAR3 parallel to
/// STAR0, every ORT line a place, ORTE equal to the first field of ORT. Throws CatalogueError
/// naming the first faulty file. The build runs it on the committed files before it embeds them.
[[nodiscard]] Catalogue CatalogueFromTexts(const CatalogueTexts& texts);
/// The catalogues the main window keeps, from the tables checked at build time: no inflating, no
/// parsing, the texts not copied.
[[nodiscard]] Catalogue LoadCatalogue();

/// The message of a CatalogueError for the resource `resourceName` (shown in upper case).
[[nodiscard]] QString CatalogueDamagedMessage(const QString& resourceName);

/// One ORT line: name, tab, latitude (degrees, north positive), tab, longitude (degrees, east
/// positive), tab, zone (hours, "+8" and "-4.5" accepted), and optionally tab and the IANA zone
/// name ("Europe/Berlin"; Location::TimeZoneId stays empty without it). Empty when the line is
/// malformed, a value is not finite or out of range (|latitude| > 90, |longitude| > 180,
/// |zone| > 14), or the zone name is empty or holds a character no zone name has.
[[nodiscard]] std::optional<Location> ParsePlaceRecord(const QString& ortLine);

/// One STAR6 record: the key and the eight fields (right ascension in hours, declination in
/// degrees, two spare numbers, absolute magnitude, apparent magnitude, distance in light years,
/// spectral class), each field cut to its first 10 characters.
struct StarInformationRecord {
  QString Key;
  std::array<QString, 8> Fields;
};
/// The first STAR6 record (9 lines each) whose key begins with `starName`; empty if none does.
/// An incomplete record at the end is never read.
[[nodiscard]] std::optional<StarInformationRecord> FindStarInformation(
    const QStringList& star6Lines, const QString& starName);

}  // namespace zenitra
