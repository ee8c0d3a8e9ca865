// The catalogue as the program reads it: the tables checked at build time, and the zlib-compressed
// resources of the files read only on demand.
#include <QFile>
#include <array>

#include "ui/catalogue.h"
#include "ui/catalogue_tables.h"

namespace zenitra {

namespace {

// The lines point into the tables (QString::fromRawData): no copy, no allocation per line. Qt
// copies such a string only when it is changed or asked for a terminated buffer.
QStringList TableLines(const catalogue_tables::Lines& table) {
  QStringList lines;
  lines.reserve(static_cast<qsizetype>(table.Count));
  std::uint32_t start = 0;
  for (std::size_t i = 0; i < table.Count; ++i) {
    const std::uint32_t end = table.Ends[i];
    lines.append(QString::fromRawData(reinterpret_cast<const QChar*>(table.Text + start), end - start));
    start = end;
  }
  return lines;
}

const catalogue_tables::Lines* FindTable(const QString& name) {
  using namespace catalogue_tables;
  static constexpr std::array<const Lines*, 7> kTables = {&kStar5, &kStar1, &kStar2, &kStar3,
                                                          &kStar0, &kOrt,   &kOrte};
  for (const Lines* table : kTables) {
    if (name.compare(QLatin1String(table->Name), Qt::CaseInsensitive) == 0) return table;
  }
  return nullptr;
}

}  // namespace

QStringList LoadCatalogueLines(const QString& resourceName) {
  if (const catalogue_tables::Lines* table = FindTable(resourceName)) return TableLines(*table);
  QFile file(QStringLiteral(":/catalogue/") + resourceName.toUpper());
  if (!file.open(QIODevice::ReadOnly)) throw CatalogueError(CatalogueDamagedMessage(resourceName));
  const QByteArray stream = file.readAll();
  return SplitCatalogueLines(InflateCatalogue(stream, resourceName));
}

Catalogue LoadCatalogue() {
  using namespace catalogue_tables;
  Catalogue c;
  c.Constellations = TableLines(kStar5);
  c.Figures.assign(kFigures, kFigures + kFigureCount);
  c.Boundaries.assign(kBoundaries, kBoundaries + kBoundaryCount);
  c.StarNames = TableLines(kStar3);
  c.Stars.assign(kStars, kStars + kStarCount);
  c.Places = TableLines(kOrt);
  c.PlaceNames = TableLines(kOrte);
  return c;
}

}  // namespace zenitra
