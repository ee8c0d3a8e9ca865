#pragma once
// Where the last drawing of the sky map put each solar-system body and each star, as text lines
// "x<TAB>y<TAB>name" (drawing-area pixels), so that a click can be matched to a name without
// projecting anything again.
#include <QString>
#include <QStringList>

namespace zenitra {

/// An ordered list of lines with a read cursor. Add appends and advances the cursor, so a reader
/// resets the cursor to 0 before it reads.
class PositionRegister {
 public:
  /// Appends a line and advances the cursor by one.
  void Add(const QString& line);
  /// Appends "x<TAB>y<TAB>name".
  void Add(int x, int y, const QString& name);
  /// Empties the list and sets the cursor to 0.
  void Clear();
  /// The line at the cursor (the cursor advances), or the empty text at or beyond the end.
  [[nodiscard]] QString Next();
  /// True when the cursor stands at or beyond the number of lines.
  [[nodiscard]] bool AtEnd() const { return cursor_ >= lines_.size(); }
  void SetCursor(qsizetype cursor) { cursor_ = cursor < 0 ? 0 : cursor; }
  [[nodiscard]] qsizetype Cursor() const { return cursor_; }
  [[nodiscard]] const QStringList& Lines() const { return lines_; }

 private:
  QStringList lines_;
  qsizetype cursor_ = 0;
};

/// The two registers the main window keeps for the life of the program.
struct PositionRegisters {
  PositionRegister BodyPositionList;  ///< Sun, Moon and planets
  PositionRegister StarPositionList;  ///< catalogue stars, while star information is on
};

}  // namespace zenitra
