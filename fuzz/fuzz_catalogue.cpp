// Fuzz target: the catalogue inflater and line parsers. The bytes are tried as a zlib stream and,
// inflated or not, as catalogue text; every parser must either answer or throw CatalogueError.
#include <cstdint>

#include "ui/catalogue.h"

namespace {

void ParseLines(const QStringList& lines) {
  using namespace zenitra;
  try {
    (void)BuildStarTable(lines);
  } catch (const CatalogueError&) {
  }
  for (const QString& line : lines) (void)ParsePlaceRecord(line);
  (void)FindStarInformation(lines, lines.isEmpty() ? QString() : lines.front());
  (void)FindStarInformation(lines, QStringLiteral("Ori Alpha"));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zenitra;
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  try {
    ParseLines(SplitCatalogueLines(InflateCatalogue(bytes, QStringLiteral("STAR0"))));
  } catch (const CatalogueError&) {
  }
  ParseLines(SplitCatalogueLines(bytes));
  return 0;
}
