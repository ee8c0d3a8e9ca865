#pragma once
#include <QMainWindow>

namespace zenitra {

/// The main window: the sky above the chosen place at the shown moment.
class Tfhimmel : public QMainWindow {
  Q_OBJECT
 public:
  explicit Tfhimmel(QWidget* parent = nullptr);
};

}  // namespace zenitra
