#include "ui/catalogue.h"

#include <zlib.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <numbers>

namespace zenitra {

namespace {

// No catalogue inflates to more than a few hundred kilobytes; the cap keeps a damaged or hostile
// stream from claiming unbounded memory.
constexpr qsizetype kMaxInflatedBytes = 16 * 1024 * 1024;

constexpr int kConstellationCount = 89;
constexpr int kConstellationLines = 5;
constexpr int kStarLines = 4;

// Windows-1252 bytes 0x80..0x9F; the five unassigned ones keep their C1 code points.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString DecodeWindows1252(const char* data, qsizetype size) {
  QString text(size, Qt::Uninitialized);
  QChar* out = text.data();
  for (qsizetype i = 0; i < size; ++i) {
    const auto byte = static_cast<unsigned char>(data[i]);
    out[i] = (byte >= 0x80 && byte < 0xA0) ? QChar(kWindows1252High[byte - 0x80]) : QChar(byte);
  }
  return text;
}

[[noreturn]] void ThrowDamaged(const QString& resourceName) {
  throw CatalogueError(CatalogueDamagedMessage(resourceName));
}

void RequireRecords(const QStringList& lines, qsizetype linesPerRecord, const QString& name) {
  if (lines.isEmpty() || lines.size() % linesPerRecord != 0) ThrowDamaged(name);
}

// STAR1 and STAR2: pairs of numbers (radians), (0, 0) being a separator.
std::vector<CataloguePoint> ParsePointList(const QStringList& lines, const QString& name) {
  RequireRecords(lines, 2, name);
  std::vector<CataloguePoint> points;
  points.reserve(static_cast<std::size_t>(lines.size() / 2));
  for (qsizetype i = 0; i < lines.size(); i += 2) {
    const auto alpha = ParseCatalogueNumber(lines[i]);
    const auto delta = ParseCatalogueNumber(lines[i + 1]);
    if (!alpha || !delta) ThrowDamaged(name);
    points.push_back({*alpha, *delta});
  }
  return points;
}

}  // namespace

std::optional<double> ParseCatalogueNumber(QStringView text) {
  constexpr qsizetype kMaxLength = 64;
  if (text.isEmpty() || text.size() > kMaxLength) return std::nullopt;
  char buffer[kMaxLength] = {};
  qsizetype length = 0;
  for (const QChar ch : text) {
    if (ch.unicode() > 0x7F) return std::nullopt;
    buffer[length++] = static_cast<char>(ch.unicode());
  }
  const char* begin = buffer;
  const char* end = buffer + length;
  if (*begin == '+') {
    ++begin;
    if (begin == end || *begin == '-' || *begin == '+') return std::nullopt;
  }
  double value = 0.0;
  const auto [stop, error] = std::from_chars(begin, end, value, std::chars_format::fixed);
  if (error != std::errc() || stop != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

QString CatalogueDamagedMessage(const QString& resourceName) {
  return QStringLiteral("Die Katalogdatei %1 fehlt oder ist beschädigt.").arg(resourceName.toUpper());
}

QByteArray InflateCatalogue(const QByteArray& zlibStream, const QString& resourceName) {
  z_stream zs{};
  if (inflateInit(&zs) != Z_OK) ThrowDamaged(resourceName);
  zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(zlibStream.constData()));
  zs.avail_in = static_cast<uInt>(zlibStream.size());

  QByteArray text;
  text.resize(std::max<qsizetype>(4 * zlibStream.size(), 4096));
  int status = Z_OK;
  qsizetype produced = 0;
  while (status == Z_OK) {
    if (produced == text.size()) {
      if (text.size() >= kMaxInflatedBytes) break;
      text.resize(std::min(2 * text.size(), kMaxInflatedBytes));
    }
    zs.next_out = reinterpret_cast<Bytef*>(text.data() + produced);
    zs.avail_out = static_cast<uInt>(text.size() - produced);
    status = inflate(&zs, Z_NO_FLUSH);
    produced = text.size() - zs.avail_out;
    // Z_BUF_ERROR with input left means "no progress": the stream ended early (truncated).
    if (status == Z_BUF_ERROR && zs.avail_out != 0) break;
    if (status == Z_BUF_ERROR) status = Z_OK;
  }
  const bool complete = status == Z_STREAM_END && zs.avail_in == 0;
  inflateEnd(&zs);
  if (!complete) ThrowDamaged(resourceName);
  text.resize(produced);
  return text;
}

QStringList SplitCatalogueLines(const QByteArray& windows1252Text) {
  QStringList lines;
  const char* data = windows1252Text.constData();
  const qsizetype size = windows1252Text.size();
  qsizetype start = 0;
  while (start < size) {
    qsizetype end = start;
    while (end < size && data[end] != '\n') ++end;
    qsizetype length = end - start;
    if (length > 0 && data[end - 1] == '\r') --length;
    lines.append(DecodeWindows1252(data + start, length));
    start = end + 1;
  }
  return lines;
}

std::vector<CatalogueStar> BuildStarTable(const QStringList& star0Lines) {
  const QString name = QStringLiteral("STAR0");
  RequireRecords(star0Lines, kStarLines, name);
  std::vector<CatalogueStar> stars;
  stars.reserve(static_cast<std::size_t>(star0Lines.size() / kStarLines));
  for (qsizetype o = 0; o + kStarLines <= star0Lines.size(); o += kStarLines) {
    const auto ra = ParseCatalogueNumber(star0Lines[o]);
    const auto dec = ParseCatalogueNumber(star0Lines[o + 1]);
    const auto mag = ParseCatalogueNumber(star0Lines[o + 2]);
    const auto spectral = ParseCatalogueNumber(star0Lines[o + 3]);
    if (!ra || !dec || !mag || !spectral) ThrowDamaged(name);
    // The class index is checked as a double before it becomes an integer.
    if (*ra < 0.0 || *ra >= 2.0 * std::numbers::pi || std::abs(*dec) > std::numbers::pi / 2.0 ||
        *spectral < 1.0 || *spectral > 8.0 || *spectral != std::floor(*spectral)) {
      ThrowDamaged(name);
    }
    stars.push_back({*ra, *dec, *mag, static_cast<std::uint8_t>(*spectral)});
  }
  return stars;
}

namespace {
// An IANA zone name as the tz database writes them: ASCII letters, digits and "/_+-.", no blank.
bool IsTimeZoneName(QStringView name) {
  if (name.isEmpty() || name.size() > 64) return false;
  for (const QChar c : name) {
    const char16_t u = c.unicode();
    const bool ok = (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') || (u >= u'0' && u <= u'9') ||
                    u == u'/' || u == u'_' || u == u'+' || u == u'-' || u == u'.';
    if (!ok) return false;
  }
  return true;
}
}  // namespace

std::optional<Location> ParsePlaceRecord(const QString& ortLine) {
  const QStringView line(ortLine);
  const qsizetype tab1 = line.indexOf(QLatin1Char('\t'));
  const qsizetype tab2 = tab1 < 0 ? -1 : line.indexOf(QLatin1Char('\t'), tab1 + 1);
  const qsizetype tab3 = tab2 < 0 ? -1 : line.indexOf(QLatin1Char('\t'), tab2 + 1);
  if (tab1 <= 0 || tab3 < 0) return std::nullopt;
  // The optional fifth field is the IANA zone name; nothing may follow it.
  const qsizetype tab4 = line.indexOf(QLatin1Char('\t'), tab3 + 1);
  if (tab4 >= 0 && line.indexOf(QLatin1Char('\t'), tab4 + 1) >= 0) return std::nullopt;
  const auto latitude = ParseCatalogueNumber(line.mid(tab1 + 1, tab2 - tab1 - 1));
  const auto longitude = ParseCatalogueNumber(line.mid(tab2 + 1, tab3 - tab2 - 1));
  const auto zone = ParseCatalogueNumber(tab4 < 0 ? line.mid(tab3 + 1) : line.mid(tab3 + 1, tab4 - tab3 - 1));
  if (!latitude || !longitude || !zone) return std::nullopt;
  if (std::abs(*latitude) > 90.0 || std::abs(*longitude) > 180.0 || std::abs(*zone) > 14.0) {
    return std::nullopt;
  }
  Location place{line.left(tab1).toString().toStdString(), *latitude, *longitude, *zone, {}};
  if (tab4 >= 0) {
    const QStringView zoneName = line.mid(tab4 + 1);
    if (!IsTimeZoneName(zoneName)) return std::nullopt;
    place.TimeZoneId = zoneName.toString().toStdString();
  }
  return place;
}

std::optional<StarInformationRecord> FindStarInformation(const QStringList& star6Lines,
                                                         const QString& starName) {
  constexpr qsizetype kRecordLines = 9;
  constexpr qsizetype kFieldWidth = 10;
  for (qsizetype r = 0; r + kRecordLines <= star6Lines.size(); r += kRecordLines) {
    if (!star6Lines[r].startsWith(starName)) continue;
    StarInformationRecord record;
    record.Key = star6Lines[r];
    for (std::size_t f = 0; f < record.Fields.size(); ++f) {
      record.Fields[f] = star6Lines[r + 1 + static_cast<qsizetype>(f)].left(kFieldWidth);
    }
    return record;
  }
  return std::nullopt;
}

Catalogue CatalogueFromTexts(const CatalogueTexts& texts) {
  Catalogue c;
  c.Constellations = texts.Star5;
  if (c.Constellations.size() != kConstellationCount * kConstellationLines) {
    ThrowDamaged(QStringLiteral("STAR5"));
  }
  c.Figures = ParsePointList(texts.Star1, QStringLiteral("STAR1"));
  c.Boundaries = ParsePointList(texts.Star2, QStringLiteral("STAR2"));
  c.StarNames = texts.Star3;
  c.Stars = BuildStarTable(texts.Star0);
  if (static_cast<std::size_t>(c.StarNames.size()) != c.Stars.size()) {
    ThrowDamaged(QStringLiteral("STAR3"));
  }
  c.Places = texts.Ort;
  if (c.Places.isEmpty()) ThrowDamaged(QStringLiteral("ORT"));
  for (const QString& line : c.Places) {
    if (!ParsePlaceRecord(line)) ThrowDamaged(QStringLiteral("ORT"));
  }
  c.PlaceNames = texts.Orte;
  if (c.PlaceNames.size() != c.Places.size()) ThrowDamaged(QStringLiteral("ORTE"));
  for (qsizetype i = 0; i < c.Places.size(); ++i) {
    if (!c.Places[i].startsWith(c.PlaceNames[i] + QLatin1Char('\t'))) {
      ThrowDamaged(QStringLiteral("ORTE"));
    }
  }
  return c;
}

}  // namespace zenitra
