#pragma once
// The Moon parameters window "Aktuelle Mondparameter": the Moon's picture, its fact box and the
// text of MoonParametersText for the moment and place of the main window.
#include <functional>

#include "core/shared_types.h"
#include "info_windows/parameter_window.h"

namespace zenitra {

class Tumond : public ParameterWindow {
  Q_OBJECT
 public:
  /// `moment`: the InfoWindowMoment shared with the Sun window, written by the main window before
  /// each refresh; `place` reads the main window's place. Created hidden.
  Tumond(const InfoWindowMoment& moment, std::function<Location()> place, QWidget* parent = nullptr);


 protected:
  /// The whole text from the moment, the place and the window's other inputs.
  [[nodiscard]] QString BuildText() const override;

 private:
  const InfoWindowMoment& moment_;
  std::function<Location()> place_;
};

}  // namespace zenitra
