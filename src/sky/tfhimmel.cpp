#include "sky/tfhimmel.h"

namespace zenitra {

Tfhimmel::Tfhimmel(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(QStringLiteral("Aktueller Zenitra"));
  resize(1070, 760);
}

}  // namespace zenitra
