#include "ui/date_field.h"

#include <QCalendarWidget>
#include <QKeyEvent>
#include <QStringList>

#include "ui/sky_state.h"

namespace zenitra {

DateField::DateField(const QDate& date, QWidget* parent) : QDateEdit(parent) {
  setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
  setDateRange(QDate(kFirstYear, 1, 1), QDate(kLastYear, 12, 31));
  setDate(date);
  setCalendarPopup(true);
}

void DateField::SetCalendarTitle(const QString& title) {
  calendarTitle_ = title;
  if (auto* calendar = findChild<QCalendarWidget*>()) calendar->setWindowTitle(title);
}

bool DateField::event(QEvent* event) {
  // The drop-down is a child of the field, polished before it is first shown, its calendar made.
  if (event->type() == QEvent::ChildPolished && !calendarTitle_.isEmpty()) {
    if (auto* calendar = findChild<QCalendarWidget*>(); calendar && calendar->windowTitle() != calendarTitle_) {
      calendar->setWindowTitle(calendarTitle_);
    }
  }
  return QDateEdit::event(event);
}

void DateField::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) TakeShortYear();
  const QString text = event->text();
  const bool digit = !text.isEmpty() && text.front().isDigit();
  // "15.10.1582": Qt moves on by itself after the "15" that fills the day; the dot typed then
  // would skip the month.
  if (text == QStringLiteral(".") && advanced_) {
    advanced_ = false;
    return;
  }
  // The first digit replaces the whole section under the cursor; Qt would insert it into the
  // section's text and refuse it as too long.
  if (digit && !typing_) setSelectedSection(currentSection());
  const Section before = currentSection();
  QDateEdit::keyPressEvent(event);
  typing_ = digit;
  advanced_ = digit && currentSection() != before;
}

void DateField::focusInEvent(QFocusEvent* event) {
  typing_ = advanced_ = false;
  QDateEdit::focusInEvent(event);
}

void DateField::focusOutEvent(QFocusEvent* event) {
  TakeShortYear();
  QDateEdit::focusOutEvent(event);
}

void DateField::mousePressEvent(QMouseEvent* event) {
  typing_ = advanced_ = false;
  QDateEdit::mousePressEvent(event);
}

void DateField::TakeShortYear() {
  const QStringList parts = text().split(QLatin1Char('.'));
  if (parts.size() != 3 || parts[2].isEmpty() || parts[2].size() >= 4) return;
  bool okDay = false, okMonth = false, okYear = false;
  const QDate d(parts[2].toInt(&okYear), parts[1].toInt(&okMonth), parts[0].toInt(&okDay));
  if (okDay && okMonth && okYear && d.isValid() && d >= minimumDate() && d <= maximumDate()) setDate(d);
}

}  // namespace zenitra
