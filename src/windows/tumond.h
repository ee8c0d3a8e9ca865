#pragma once
// The Moon parameters window "Aktuelle Mondparameter": the Moon's picture, its fact box and the
// text of MoonParametersText for the moment and place of the main window.
#include <QDate>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QWidget>
#include <functional>

#include "core/shared_types.h"

namespace zenitra {

class Tumond : public QWidget {
  Q_OBJECT
 public:
  /// `moment`: the InfoWindowMoment shared with the Sun window, written by the main window before
  /// each refresh; `place` reads the main window's place. Created hidden.
  Tumond(const InfoWindowMoment& moment, std::function<Location()> place, QWidget* parent = nullptr);

  /// Rebuilds the whole text from the moment, the place and today's date.
  void Refresh();
  /// The locale of the numbers, dates and times (the system's by default).
  void SetLocale(const QLocale& locale) { locale_ = locale; }
  /// The computer's current date shown in line 4 (QDate::currentDate by default).
  std::function<QDate()> Today = [] { return QDate::currentDate(); };

  QLabel* Image1 = nullptr;          ///< the picture "PL9"
  QLabel* NameLabel = nullptr;       ///< "Mond"
  QPlainTextEdit* Result = nullptr;  ///< the text of the refresh
  QPlainTextEdit* Facts = nullptr;   ///< the fixed facts

 protected:
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  const InfoWindowMoment& moment_;
  std::function<Location()> place_;
  QLocale locale_;
};

}  // namespace zenitra
