#pragma once
// The catalogue resources of the sky map: zlib-compressed Windows-1252 text with CR LF line ends,
// embedded in the program (":/catalogue/<NAME>", NAME one of STAR0 STAR1 STAR2 STAR3 STAR5 STAR6
// ORT ORTE ERDE; looked up without regard to case).
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace zenitra {

/// A catalogue resource is missing or corrupt. The message is German and names the resource.
class CatalogueError : public std::runtime_error {
 public:
  explicit CatalogueError(const QString& message) : std::runtime_error(message.toStdString()) {}
  [[nodiscard]] QString Message() const { return QString::fromStdString(what()); }
};

/// Inflates a zlib stream (RFC 1950). Throws CatalogueError naming `resourceName` when the stream
/// is truncated or corrupt.
[[nodiscard]] QByteArray InflateCatalogue(const QByteArray& zlibStream, const QString& resourceName);
/// Splits inflated Windows-1252 text at CR LF (a missing final CR LF is tolerated) into lines.
[[nodiscard]] QStringList SplitCatalogueLines(const QByteArray& windows1252Text);
/// Finds the embedded resource, inflates it and splits it into lines. Throws CatalogueError.
[[nodiscard]] QStringList LoadCatalogueLines(const QString& resourceName);

/// One star of STAR0.
struct CatalogueStar {
  double RightAscension = 0.0;  ///< radians, [0, 2 pi)
  double Declination = 0.0;     ///< radians
  double Magnitude = 0.0;       ///< apparent visual magnitude
  std::uint8_t SpectralClass = 0;  ///< 1 O, 2 B, 3 A, 4 F, 5 G, 6 K, 7 M, 8 S
};
/// The star table from the lines of STAR0 (4 lines a record); element 0 is record 1.
[[nodiscard]] std::vector<CatalogueStar> BuildStarTable(const QStringList& star0Lines);

/// Everything the sky map keeps for the life of the program.
struct Catalogue {
  std::vector<CatalogueStar> Stars;  ///< STAR0, parsed
  QStringList Figures;               ///< STAR1
  QStringList Boundaries;            ///< STAR2
  QStringList StarNames;             ///< STAR3, parallel to Stars
  QStringList Constellations;        ///< STAR5
  QStringList Places;                ///< ORT
  QStringList PlaceNames;            ///< ORTE
};
/// Loads and parses every catalogue the main window keeps. Throws CatalogueError.
[[nodiscard]] Catalogue LoadCatalogue();

}  // namespace zenitra
