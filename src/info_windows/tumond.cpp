#include "info_windows/tumond.h"

#include "info_windows/info_text_format.h"
#include "info_windows/info_window_widgets.h"
#include "info_windows/moon_parameters_text.h"

namespace zenitra {

Tumond::Tumond(const InfoWindowMoment& moment, std::function<Location()> place, QWidget* parent)
    : ParameterWindow(parent), moment_(moment), place_(std::move(place)) {
  // Wider and taller than first designed (519 x 360, text box 265 x 329): with DejaVu Sans the
  // perigee and apogee lines wrapped and the moonset lines fell below the box.
  SetUpInfoWindow(*this, QStringLiteral("Aktuelle Mondparameter"), 559, 376);
  Image1 = MakePicture(this, 56, 24, QStringLiteral("PL9"));
  NameLabel = MakeNameLabel(this, 88, 152, QStringLiteral("Mond"), 16);
  Result = MakeTextBox(this, 240, 16, 305, 345);
  Facts = MakeTextBox(this, 12, 208, 209, 177);
  SetTextBoxText(Facts, MoonFactLines().join(kCrLf));
  hide();
}

QString Tumond::BuildText() const { return MoonParametersText(moment_, place_(), Locale()); }

}  // namespace zenitra

