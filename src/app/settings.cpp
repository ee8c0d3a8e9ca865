#include "app/settings.h"

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringDecoder>
#include <array>
#include <cstdint>

namespace zenitra {

namespace {

// Code points of the bytes 0x80..0x9F in Windows-1252; 0 marks the five unassigned bytes, which
// decode to the C1 control of the same number (as the Windows converter does).
constexpr std::array<char16_t, 32> kHighBlock = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

constexpr qint64 kMaxReadBytes = 4 * 1024 * 1024;

// The keys in the order they are written: five of the window, then one per display switch in
// the order of kDisplaySwitchTable (FirstSwitch + its index).
enum class Key { Place, Simulation, Azimuth, Left, Top, FirstSwitch };
constexpr int kKeyCount = static_cast<int>(Key::FirstSwitch) + static_cast<int>(kDisplaySwitchTable.size());
static_assert(kKeyCount == 22);

const QStringList& KeyNames() {
  static const QStringList names = [] {
    QStringList list = {QStringLiteral("Ort"), QStringLiteral("Simulation"), QStringLiteral("Azimut"),
                        QStringLiteral("Links"), QStringLiteral("Oben")};
    for (const DisplaySwitchEntry& e : kDisplaySwitchTable) list.append(QString::fromUtf16(e.Key));
    return list;
  }();
  return names;
}

// The display switch a key sets, or nullptr for the keys of the window.
const DisplaySwitchEntry* SwitchOf(Key k) {
  const int i = static_cast<int>(k) - static_cast<int>(Key::FirstSwitch);
  return i >= 0 && i < static_cast<int>(kDisplaySwitchTable.size()) ? &kDisplaySwitchTable[static_cast<std::size_t>(i)]
                                                                     : nullptr;
}

bool* BoolField(SettingsValues& v, Key k) {
  const DisplaySwitchEntry* e = SwitchOf(k);
  return e && e->Flag ? &(v.Switches.*(e->Flag)) : nullptr;
}

int* IntField(SettingsValues& v, Key k) {
  switch (k) {
    case Key::Simulation: return &v.Simulation;
    case Key::Azimuth: return &v.Azimuth;
    case Key::Left: return &v.Left;
    case Key::Top: return &v.Top;
    default: return nullptr;
  }
}

std::uint8_t* ByteField(SettingsValues& v, Key k) {
  const DisplaySwitchEntry* e = SwitchOf(k);
  return e && e->Mode ? &(v.Switches.*(e->Mode)) : nullptr;
}

std::optional<Key> FindKey(const QString& name) {
  const QStringList& names = KeyNames();
  for (int i = 0; i < names.size(); ++i) {
    if (names[i].compare(name, Qt::CaseInsensitive) == 0) return static_cast<Key>(i);
  }
  return std::nullopt;
}

// A decimal integer within the int range, optionally signed; anything else is not a number.
std::optional<int> ParseInteger(const QString& text) {
  bool ok = false;
  const int value = text.toInt(&ok, 10);
  if (!ok) return std::nullopt;
  return value;
}

// Applies one key=value as the file reader does. Returns false when the value is not usable.
bool ApplyKey(SettingsValues& v, Key k, const QString& value) {
  if (k == Key::Place) {
    v.Place = value;
    return true;
  }
  const std::optional<int> n = ParseInteger(value);
  if (!n) return false;
  if (int* f = IntField(v, k)) {
    *f = *n;
  } else if (std::uint8_t* b = ByteField(v, k)) {
    *b = static_cast<std::uint8_t>(static_cast<unsigned>(*n) & 0xFFu);
  } else if (bool* flag = BoolField(v, k)) {
    *flag = *n != 0;
  } else {
    return false;
  }
  return true;
}

QString ValueText(const SettingsValues& values, Key k) {
  SettingsValues& v = const_cast<SettingsValues&>(values);  // the field getters only read here
  if (k == Key::Place) return values.Place;
  if (int* f = IntField(v, k)) return QString::number(*f);
  if (std::uint8_t* b = ByteField(v, k)) return QString::number(*b);
  if (bool* flag = BoolField(v, k)) return *flag ? QStringLiteral("1") : QStringLiteral("0");
  return {};
}

bool IsQuoted(const QString& value) {
  return value.size() >= 2 && ((value.front() == u'"' && value.back() == u'"') ||
                               (value.front() == u'\'' && value.back() == u'\''));
}

QString StripQuotes(QString value) {
  if (IsQuoted(value)) value = value.mid(1, value.size() - 2);
  return value;
}

// The place as written: quoted when reading would otherwise trim or unquote it.
QString PlaceText(QString place) {
  place.replace(u'\n', u' ');
  if (place != place.trimmed() || IsQuoted(place)) place = u'"' + place + u'"';
  return place;
}

// The name of a section header line "[name]" (trimmed), or nothing for any other line.
std::optional<QString> SectionName(const QString& trimmedLine) {
  if (!trimmedLine.startsWith(u'[')) return std::nullopt;
  const qsizetype close = trimmedLine.indexOf(u']');
  return (close > 0 ? trimmedLine.mid(1, close - 1) : trimmedLine.mid(1)).trimmed();
}

bool IsOwnSection(const QString& name) { return name.compare(QLatin1String(kSettingsSection), Qt::CaseInsensitive) == 0; }

// Whether a trimmed line of the own section sets one of the 22 keys (whatever its value).
bool IsKnownKeyLine(const QString& trimmedLine) {
  const qsizetype eq = trimmedLine.indexOf(u'=');
  return eq > 0 && FindKey(trimmedLine.left(eq).trimmed()).has_value();
}

// Valid UTF-8 (no overlong forms, surrogates or truncated sequences) with at least one byte >= 0x80.
bool IsNonAsciiUtf8(const QByteArray& bytes) {
  bool nonAscii = false;
  for (char c : bytes) nonAscii = nonAscii || static_cast<unsigned char>(c) >= 0x80;
  if (!nonAscii) return false;
  QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  (void)QString(decoder(bytes));
  return !decoder.hasError();
}

}  // namespace

QStringList SettingsKeys() { return KeyNames(); }

SettingsValues ParseSettings(const QByteArray& fileBytes) {
  SettingsValues result;
  std::array<bool, kKeyCount> seen{};
  const QString text = DecodeSettingsText(fileBytes);
  bool inSection = false;
  for (QStringView rawLine : QStringView(text).split(u'\n')) {
    const QString line = rawLine.trimmed().toString();
    if (line.isEmpty() || line.startsWith(u';')) continue;
    if (const std::optional<QString> name = SectionName(line)) {
      inSection = IsOwnSection(*name);
      continue;
    }
    if (!inSection) continue;
    const qsizetype eq = line.indexOf(u'=');
    if (eq <= 0) continue;
    const std::optional<Key> key = FindKey(line.left(eq).trimmed());
    if (!key) continue;
    const auto index = static_cast<std::size_t>(*key);
    if (seen[index]) continue;
    if (ApplyKey(result, *key, StripQuotes(line.mid(eq + 1).trimmed()))) seen[index] = true;
  }
  return result;
}

QByteArray SerializeSettings(const SettingsValues& values, const QByteArray& previousFile) {
  QString own = QStringLiteral("[%1]\r\n").arg(QLatin1String(kSettingsSection));
  const QStringList& names = KeyNames();
  for (int i = 0; i < names.size(); ++i) {
    const auto key = static_cast<Key>(i);
    own += names[i] + u'=' + (key == Key::Place ? PlaceText(values.Place) : ValueText(values, key)) +
           QStringLiteral("\r\n");
  }
  // The previous file line by line: the own block replaces the first own section header and the
  // 22 keys wherever they stand; everything else stays as it was.
  QString text;
  bool ownWritten = false;
  bool inOwnSection = false;
  QStringList lines = DecodeSettingsText(previousFile).split(u'\n');
  if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();  // after the final line end
  for (QString& line : lines) {
    if (line.endsWith(u'\r')) line.chop(1);
    const QString trimmed = line.trimmed();
    if (const std::optional<QString> name = SectionName(trimmed)) {
      inOwnSection = IsOwnSection(*name);
      if (inOwnSection && !ownWritten) {
        text += own;
        ownWritten = true;
        continue;
      }
    } else if (inOwnSection && IsKnownKeyLine(trimmed)) {
      continue;
    }
    text += line + QStringLiteral("\r\n");
  }
  if (!ownWritten) text += own;
  return EncodeSettingsText(text);
}

QString DecodeSettingsText(const QByteArray& bytes) {
  if (IsNonAsciiUtf8(bytes)) {
    QStringDecoder utf8(QStringDecoder::Utf8);  // drops a leading byte order mark
    return utf8(bytes);
  }
  return DecodeWindows1252(bytes);
}

QByteArray EncodeSettingsText(const QString& text) {
  const QByteArray windows = EncodeWindows1252(text);
  if (DecodeWindows1252(windows) == text && !IsNonAsciiUtf8(windows)) return windows;
  // With a byte order mark, so that a text beginning with U+FEFF keeps it.
  return "\xEF\xBB\xBF" + text.toUtf8();
}

bool SetSettingsKey(SettingsValues& values, const QString& key, const QString& value) {
  const std::optional<Key> k = FindKey(key.trimmed());
  if (!k) return false;
  return ApplyKey(values, *k, value.trimmed());
}

QString DefaultSettingsFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

QString SettingsFilePath(const QString& folder) {
  QString path = folder;
  if (!path.endsWith(u'/')) path += u'/';
  return path + QStringLiteral("zenitra.ini");
}

std::optional<SettingsValues> ReadSettingsFile(const QString& path) {
  QFile file(path);
  if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) return std::nullopt;
  return ParseSettings(file.read(kMaxReadBytes));
}

std::optional<QString> WriteSettingsFile(const QString& path, const SettingsValues& values) {
  const QString folder = QFileInfo(path).absolutePath();
  if (!QDir().mkpath(folder)) {
    return QStringLiteral("Der Ordner \"%1\" für die Einstellungen konnte nicht angelegt werden.")
        .arg(QDir::toNativeSeparators(folder));
  }
  QByteArray previous;
  if (QFile old(path); QFileInfo(path).isFile() && old.open(QIODevice::ReadOnly)) previous = old.read(kMaxReadBytes);
  QSaveFile file(path);
  const QByteArray bytes = SerializeSettings(values, previous);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
    return QStringLiteral("Die Einstellungen konnten nicht in \"%1\" gespeichert werden: %2")
        .arg(QDir::toNativeSeparators(path), file.errorString());
  }
  return std::nullopt;
}

int RemoveStaleSettingsFiles(const QString& path) {
  const QFileInfo info(path);
  // QSaveFile's leftovers: the file's name, a dot and six letters or digits. Matched by hand: a
  // regular expression (or a name filter, which becomes one) would load and compile PCRE at start.
  const QString prefix = info.fileName() + u'.';
  const auto isTemporary = [&prefix](const QString& name) {
    if (name.size() != prefix.size() + 6 || !name.startsWith(prefix)) return false;
    return std::all_of(name.cbegin() + prefix.size(), name.cend(), [](QChar c) {
      return c.unicode() < 128 && (c.isLetter() || c.isDigit());
    });
  };
  QDir folder = info.absoluteDir();
  int removed = 0;
  for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden)) {
    if (isTemporary(name) && folder.remove(name)) ++removed;
  }
  return removed;
}

QByteArray EncodeWindows1252(const QString& text) {
  QByteArray out;
  out.reserve(text.size());
  for (QChar c : text) {
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
      out.append(static_cast<char>(u));
      continue;
    }
    char byte = '?';
    for (std::size_t i = 0; i < kHighBlock.size(); ++i) {
      if (kHighBlock[i] != 0 && kHighBlock[i] == u) byte = static_cast<char>(0x80 + i);
    }
    if (u >= 0x80 && u < 0xA0 && kHighBlock[u - 0x80] == 0) byte = static_cast<char>(u);
    out.append(byte);
  }
  return out;
}

QString DecodeWindows1252(const QByteArray& bytes) {
  QString out;
  out.reserve(bytes.size());
  for (char ch : bytes) {
    const auto b = static_cast<unsigned char>(ch);
    if (b >= 0x80 && b < 0xA0 && kHighBlock[b - 0x80] != 0) {
      out.append(QChar(kHighBlock[b - 0x80]));
    } else {
      out.append(QChar(static_cast<char16_t>(b)));
    }
  }
  return out;
}

}  // namespace zenitra
