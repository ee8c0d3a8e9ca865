#include "ui/fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QStringList>
#include <fontconfig/fontconfig.h>
#include <system_error>
#include <thread>

namespace zenitra {

namespace {

bool FamilyHasZodiac(const QString& family) {
  QFont font(family);
  font.setStyleStrategy(QFont::NoFontMerging);
  const QFontMetrics metrics(font);
  for (char32_t c = 0x2648; c <= 0x2653; ++c) {
    if (!metrics.inFontUcs4(c)) return false;
  }
  return QFontInfo(font).family().compare(family, Qt::CaseInsensitive) == 0;
}

}  // namespace

QString SkyFontFamily() {
  static const QString family = [] {
    const QStringList families = QFontDatabase::families();
    for (const QString& f : {QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")}) {
      if (families.contains(f, Qt::CaseInsensitive)) return f;
    }
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
  }();
  return family;
}

QString ZodiacFontFamily() {
  static const QString family = [] {
    for (const QString& f : {QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans Symbols"),
                             QStringLiteral("Noto Sans Symbols2"), QStringLiteral("Symbola"),
                             QStringLiteral("FreeSerif"), QStringLiteral("Segoe UI Symbol")}) {
      if (FamilyHasZodiac(f)) return f;
    }
    return SkyFontFamily();  // Qt's font merging still finds the signs in some installed font
  }();
  return family;
}

namespace {

struct ConfigurationReader {
  std::thread Thread;
  ~ConfigurationReader() {
    if (Thread.joinable()) Thread.join();
  }
};

ConfigurationReader& Reader() {
  static ConfigurationReader reader;
  return reader;
}

}  // namespace

void StartReadingFontConfiguration() {
  ConfigurationReader& reader = Reader();
  if (reader.Thread.joinable()) return;
  try {
    reader.Thread = std::thread([] { (void)FcInit(); });
  } catch (const std::system_error&) {
    // No thread to spare: Qt reads the configuration itself, as it always could.
  }
}

void AwaitFontConfiguration() {
  ConfigurationReader& reader = Reader();
  if (reader.Thread.joinable()) reader.Thread.join();
}

}  // namespace zenitra
