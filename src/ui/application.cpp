#include "ui/application.h"

#include "ui/vector_state.h"

namespace zenitra {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) { ResetVectorStateAfterPainting(); }

bool Application::notify(QObject* receiver, QEvent* event) {
  const bool handled = QApplication::notify(receiver, event);
  ResetVectorStateAfterPainting();
  return handled;
}

}  // namespace zenitra
