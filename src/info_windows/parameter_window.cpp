#include "info_windows/parameter_window.h"

#include <QEvent>

#include "core/conversion_error.h"
#include "info_windows/info_window_widgets.h"

namespace zenitra {

void ParameterWindow::Refresh() {
  QString text;
  try {
    text = BuildText();
  } catch (const ConversionError& e) {
    text = QString::fromUtf8(e.what());
  }
  SetTextBoxText(Result, text);
}

void ParameterWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Refresh();
}

void ParameterWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) Refresh();
}

}  // namespace zenitra
