#pragma once
// The window "Astronomischer Jahreskalender": the astronomical events of one year for the place of
// the main window, one line each with weekday, date and local standard time.
#include <QDate>
#include <QDialog>
#include <QLocale>
#include <QStringList>
#include <functional>

#include "calendars/year_calendar.h"
#include "core/shared_types.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;


namespace zenitra {

class YearCalendarDelegate;

/// The five header lines of the list for a place, numbers in the locale's format.
[[nodiscard]] QStringList YearCalendarHeader(const Location& place, const QLocale& locale);
/// The list lines of a computed year: weekday and date, TAB, the local time in the locale's long
/// time format (left out for date-only entries), TAB, the text.
[[nodiscard]] QStringList YearCalendarLines(const yearcal::YearCalendar& calendar, double zoneHours,
                                            const QLocale& locale);

class Tukalender : public QDialog {
 public:
  /// `today` gives the computer's local date (a test passes a fixed one).
  explicit Tukalender(Location place, QWidget* parent = nullptr, std::function<QDate()> today = &QDate::currentDate);

  /// Each activation: the year field gets the current year, then the list is computed.
  void FormActivate();
  /// "Anzeigen": header lines, then every event of the year in the field.
  void Button1Click();

  [[nodiscard]] QListWidget* List() const { return ListBox1; }
  [[nodiscard]] QLineEdit* YearEdit() const { return Edit1; }
  [[nodiscard]] QPushButton* ShowButton() const { return Button1; }

  /// Shows an error message (a message box by default; tests replace it).
  std::function<void(const QString&)> ShowError;

 protected:
  bool event(QEvent* e) override;

 private:
  Location place_;
  std::function<QDate()> today_;
  bool showingError_ = false;
  QListWidget* ListBox1 = nullptr;
  QLabel* Label1 = nullptr;
  QLineEdit* Edit1 = nullptr;
  QPushButton* Button1 = nullptr;
  class YearCalendarDelegate* delegate_ = nullptr;
};

}  // namespace zenitra
