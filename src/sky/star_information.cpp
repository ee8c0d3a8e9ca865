#include "sky/star_information.h"

#include <array>
#include <cmath>
#include <optional>

#include "ui/catalogue.h"
#include "sky/projection.h"

namespace zenitra {

namespace {

constexpr int kConstellationLines = 5;

QString SexagesimalText(double v, const QString& unit) {
  if (!std::isfinite(v)) return QStringLiteral("?");
  const bool negative = v < 0.0;
  v = std::fabs(v);
  double a = std::trunc(v);
  const double b = (v - a) * 60.0;
  int c = static_cast<int>(b);  // b lies in [0, 60)
  int d = RoundHalfEven((b - c) * 60.0);
  if (d == 60) {
    c += 1;
    d = 0;
  }
  if (c == 60) {
    a += 1.0;
    c = 0;
  }
  return (negative ? QStringLiteral("-") : QString()) + QString::number(a, 'f', 0) + unit + QString::number(c) +
         u'\'' + QString::number(d) + u'"';
}

// A field converted to a number with '.' as decimal separator, or nothing.
std::optional<double> FieldNumber(const QString& field) {
  bool ok = false;
  const double v = QStringView(field).trimmed().toDouble(&ok);
  if (!ok || !std::isfinite(v)) return std::nullopt;
  return v;
}

}  // namespace

QString DegreesText(double degrees) { return SexagesimalText(degrees, QStringLiteral("°")); }

QString HoursText(double hours) { return SexagesimalText(hours, QStringLiteral("h")); }

QString StarInformationText(const QString& name, const QStringList& star6Lines, const QStringList& star5Lines) {
  const std::optional<StarInformationRecord> record = FindStarInformation(star6Lines, name);
  if (!record) return name;
  const QString br = QString::fromUtf16(kStarInformationBreak);
  const std::array<QString, 8>& f = record->Fields;
  QString text = name;
  const QString abbreviation = name.left(3);
  for (qsizetype c = 0; c + kConstellationLines <= star5Lines.size(); c += kConstellationLines) {
    if (star5Lines[c + 2] == abbreviation) {
      text += br + QStringLiteral("Sternbild: ") + star5Lines[c + 1];
      break;
    }
  }
  const QString absent = QStringLiteral("-10000");
  if (f[4] != absent) text += br + QStringLiteral("M = ") + f[4] + QStringLiteral(" mag");
  text += br + QStringLiteral("m = ") + f[5] + QStringLiteral(" mag");
  if (f[6] != absent) text += br + QStringLiteral("r = ") + f[6] + QStringLiteral(" ly");
  text += br + QStringLiteral("SKL = ") + f[7];
  const std::optional<double> alpha = FieldNumber(f[0]);
  text += br + QStringLiteral("alpha = ") + (alpha ? HoursText(*alpha) : f[0]);
  const std::optional<double> delta = FieldNumber(f[1]);
  text += br + QStringLiteral("delta = ") + (delta ? DegreesText(*delta) : f[1]);
  return text;
}

QString StarInformationText(const QString& name, const QStringList& star5Lines) {
  const QStringList star6 = LoadCatalogueLines(QStringLiteral("STAR6"));
  return StarInformationText(name, star6, star5Lines);
}

}  // namespace zenitra
