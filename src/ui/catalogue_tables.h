#pragma once
// The catalogue tables made at build time from resources/catalogue by tools/embed_catalogue.cpp,
// which also checks them; read by LoadCatalogue and LoadCatalogueLines.
#include <cstddef>
#include <cstdint>

#include "ui/catalogue.h"

namespace zenitra::catalogue_tables {

/// The lines of one catalogue file, decoded to UTF-16 and laid end to end: line i is
/// Text[Ends[i - 1], Ends[i]) (0 for Ends[-1]).
struct Lines {
  const char* Name;  ///< the file's name in upper case
  const char16_t* Text;
  const std::uint32_t* Ends;
  std::size_t Count;
};
extern const Lines kStar5, kStar1, kStar2, kStar3, kStar0, kOrt, kOrte;

/// STAR0 parsed, record 1 first.
extern const CatalogueStar kStars[];
extern const std::size_t kStarCount;
/// STAR1 and STAR2 parsed.
extern const CataloguePoint kFigures[];
extern const std::size_t kFigureCount;
extern const CataloguePoint kBoundaries[];
extern const std::size_t kBoundaryCount;

}  // namespace zenitra::catalogue_tables
