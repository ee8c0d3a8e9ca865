// Zenitra: start-up. Sets the application title, computes the core's start-up constants, opens
// the main window and runs the message loop until it is closed.
#include <QApplication>

#include "core/time_scales.h"
#include "sky/tfhimmel.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Zenitra"));
  (void)zenitra::Startup();
  zenitra::Tfhimmel window;
  window.show();
  return QApplication::exec();
}
