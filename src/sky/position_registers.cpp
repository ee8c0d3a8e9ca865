#include "sky/position_registers.h"

#include <array>
#include <charconv>

namespace zenitra {

void PositionRegister::Add(const QString& line) {
  lines_.append(line);
  ++cursor_;
}

void PositionRegister::Add(int x, int y, const QString& name) {
  // Every drawn star adds a line on every frame: the numbers are formatted on the stack, so that
  // the line costs one allocation.
  std::array<char, 32> digits;
  char* end = std::to_chars(digits.data(), digits.data() + 12, x).ptr;
  *end++ = '\t';
  end = std::to_chars(end, end + 12, y).ptr;
  *end++ = '\t';
  const auto length = static_cast<qsizetype>(end - digits.data());
  QString line;
  line.reserve(length + name.size());
  line.append(QLatin1StringView(digits.data(), length));
  line.append(name);
  Add(line);
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
