#pragma once
// The QApplication of the program, its GUI tests and its benchmarks.
#include <QApplication>

namespace zenitra {

/// A QApplication that ends every event it delivers with ResetVectorStateAfterPainting: a
/// widget's painting is an event, so whatever the next event computes (an animation step, a
/// window's text, a calendar) starts at full speed. Starting Qt dirties the state as well, so the
/// constructor resets it once.
class Application : public QApplication {
 public:
  Application(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace zenitra
