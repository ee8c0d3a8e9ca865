#pragma once
// The date field of the main window, the moon phase calendar and the orbits window: four-digit
// years, every year from 1 to 9999 (not Qt's default minimum of 14 September 1752), digits typed
// straight into the section under the cursor, and a year of fewer than four digits ("300") taken
// as written when the entry is finished.
#include <QDateEdit>

namespace zenitra {

class DateField : public QDateEdit {
 public:
  explicit DateField(const QDate& date, QWidget* parent = nullptr);

  /// The window title of the calendar that drops down. Qt makes that calendar when it first opens;
  /// asking for it here would make it at once (a table, its model and icons: 0.3 MB a field).
  void SetCalendarTitle(const QString& title);

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  // A year typed with fewer than four digits, e.g. "05.03.300": Qt keeps it as an unfinished entry
  // and falls back to the previous date; this sets the date as written.
  void TakeShortYear();

  QString calendarTitle_;
  bool typing_ = false;    // the last key was a digit of the current entry
  bool advanced_ = false;  // that digit filled its section and the cursor moved on
};

}  // namespace zenitra
