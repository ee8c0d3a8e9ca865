#include "sky/position_registers.h"

namespace zenitra {

void PositionRegister::Add(const QString& line) {
  lines_.append(line);
  ++cursor_;
}

void PositionRegister::Add(int x, int y, const QString& name) {
  Add(QString::number(x) + u'\t' + QString::number(y) + u'\t' + name);
}

void PositionRegister::Clear() {
  lines_.clear();
  cursor_ = 0;
}

QString PositionRegister::Next() {
  if (AtEnd()) return {};
  return lines_[cursor_++];
}

}  // namespace zenitra
