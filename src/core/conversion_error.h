#pragma once
#include <stdexcept>

namespace zenitra {

/// The one error of the astronomical core: an invalid calendar date or Julian Day. Its message is
/// always "Fehler!"; nothing inside the core catches it, the event handler that called shows it.
class ConversionError : public std::runtime_error {
 public:
  ConversionError() : std::runtime_error("Fehler!") {}
};

}  // namespace zenitra
