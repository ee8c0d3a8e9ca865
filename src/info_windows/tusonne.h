#pragma once
// The Sun parameters window "Aktuelle Sonnenparameter": the Sun's picture, its fact box and the
// text of SunParametersText for the moment and place of the main window.
#include <functional>

#include "core/shared_types.h"
#include "info_windows/parameter_window.h"
#include "info_windows/sun_parameters_text.h"

namespace zenitra {

class Tusonne : public ParameterWindow {
  Q_OBJECT
 public:
  /// `moment`: the InfoWindowMoment shared with the Moon window, written by the main window before
  /// each refresh; `place` reads the main window's place. Created hidden.
  Tusonne(const InfoWindowMoment& moment, std::function<Location()> place, QWidget* parent = nullptr);


 protected:
  /// The whole text from the moment, the place and the window's other inputs.
  [[nodiscard]] QString BuildText() const override;

 private:
  const InfoWindowMoment& moment_;
  std::function<Location()> place_;
  mutable SunDayEventCache dayEvents_;  // the day's events, computed once per day and place
};

}  // namespace zenitra
