#pragma once
// The common frame of the Sun and Moon parameter windows: a picture, the body's name, a fixed fact
// box and a result box whose whole text is rebuilt on every refresh and on every activation.
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QString>
#include <QWidget>

namespace zenitra {

class ParameterWindow : public QWidget {
  Q_OBJECT
 public:
  /// Rebuilds the whole text (BuildText) and shows it; a conversion error shows "Fehler!".
  void Refresh();
  /// The locale of the numbers, dates and times (the system's by default).
  void SetLocale(const QLocale& locale) { locale_ = locale; }

  QLabel* Image1 = nullptr;          ///< the body's picture
  QLabel* NameLabel = nullptr;       ///< the body's name
  QPlainTextEdit* Result = nullptr;  ///< the text of the refresh
  QPlainTextEdit* Facts = nullptr;   ///< the fixed facts

 protected:
  explicit ParameterWindow(QWidget* parent) : QWidget(parent) {}
  /// The whole text of the result box for the current moment.
  [[nodiscard]] virtual QString BuildText() const = 0;
  [[nodiscard]] const QLocale& Locale() const { return locale_; }

  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  QLocale locale_;
};

}  // namespace zenitra
