#pragma once
// The Sun parameters window "Aktuelle Sonnenparameter": the Sun's picture, its fact box and the
// text of SunParametersText for the moment and place of the main window.
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QWidget>
#include <functional>

#include "core/shared_types.h"

namespace zenitra {

class Tusonne : public QWidget {
  Q_OBJECT
 public:
  /// `moment`: the InfoWindowMoment shared with the Moon window, written by the main window before
  /// each refresh; `place` and `sun` read the main window's place and the Sun's values of its last
  /// drawing. Created hidden.
  Tusonne(const InfoWindowMoment& moment, std::function<Location()> place, std::function<SunDisplayState()> sun,
          QWidget* parent = nullptr);

  /// Rebuilds the whole text from the moment, the place and the Sun's values.
  void Refresh();
  /// The locale of the numbers, dates and times (the system's by default).
  void SetLocale(const QLocale& locale) { locale_ = locale; }

  QLabel* Image1 = nullptr;          ///< the picture "PL10"
  QLabel* NameLabel = nullptr;       ///< "Sonne"
  QPlainTextEdit* Result = nullptr;  ///< the text of the refresh
  QPlainTextEdit* Facts = nullptr;   ///< the fixed facts

 protected:
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  const InfoWindowMoment& moment_;
  std::function<Location()> place_;
  std::function<SunDisplayState()> sun_;
  QLocale locale_;
};

}  // namespace zenitra
