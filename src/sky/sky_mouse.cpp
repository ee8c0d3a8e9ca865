#include "sky/sky_mouse.h"

#include <cstdlib>

namespace zenitra {

std::optional<QString> RegisterLineHit(const QString& line, int clickX, int clickY) {
  const qsizetype tab1 = line.indexOf(u'\t');
  if (tab1 < 0) return std::nullopt;
  bool ok = false;
  const int x = QStringView(line).left(tab1).toInt(&ok);
  if (!ok || std::abs(static_cast<long long>(x) - clickX) >= kHitDistance) return std::nullopt;
  const qsizetype tab2 = line.indexOf(u'\t', tab1 + 1);
  if (tab2 < 0) return std::nullopt;
  const int y = QStringView(line).mid(tab1 + 1, tab2 - tab1 - 1).toInt(&ok);
  if (!ok || std::abs(static_cast<long long>(y) - clickY) >= kHitDistance) return std::nullopt;
  return line.mid(tab2 + 1);
}

std::optional<QString> HitTest(PositionRegister& reg, int clickX, int clickY) {
  reg.SetCursor(0);
  while (!reg.AtEnd()) {
    if (std::optional<QString> name = RegisterLineHit(reg.Next(), clickX, clickY)) return name;
  }
  return std::nullopt;
}

QPoint InformationBoxTopLeft(QPoint p, QSize screen) {
  if (screen.width() < p.x() + 220) p.rx() -= 220;
  if (screen.height() < p.y() + 300) p.ry() = screen.height() - 320;
  return {p.x() + 20, p.y()};
}

}  // namespace zenitra
