#include "info_windows/tusonne.h"

#include "info_windows/info_text_format.h"
#include "info_windows/info_window_widgets.h"
#include "info_windows/sun_parameters_text.h"

namespace zenitra {

Tusonne::Tusonne(const InfoWindowMoment& moment, std::function<Location()> place, QWidget* parent)
    : ParameterWindow(parent), moment_(moment), place_(std::move(place)) {
  SetUpInfoWindow(*this, QStringLiteral("Aktuelle Sonnenparameter"), 431, 306);
  Image1 = MakePicture(this, 48, 12, QStringLiteral("PL10"));
  NameLabel = MakeNameLabel(this, 218, 24, QStringLiteral("Sonne"), 16);
  Result = MakeTextBox(this, 216, 72, 209, 249);
  Facts = MakeTextBox(this, 8, 136, 201, 177);
  SetTextBoxText(Facts, SunFactLines().join(kCrLf));
  hide();
}

QString Tusonne::BuildText() const { return SunParametersText(moment_, place_(), Locale(), &dayEvents_); }

}  // namespace zenitra
