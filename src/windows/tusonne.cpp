#include "windows/tusonne.h"

#include <QEvent>

#include "core/conversion_error.h"
#include "sky/vector_state.h"
#include "windows/info_text_format.h"
#include "windows/info_window_widgets.h"
#include "windows/sun_parameters_text.h"

namespace zenitra {

Tusonne::Tusonne(const InfoWindowMoment& moment, std::function<Location()> place, std::function<SunDisplayState()> sun,
                 QWidget* parent)
    : QWidget(parent), moment_(moment), place_(std::move(place)), sun_(std::move(sun)) {
  SetUpInfoWindow(*this, QStringLiteral("Aktuelle Sonnenparameter"), 431, 306);
  Image1 = MakePicture(this, 48, 12, QStringLiteral("PL10"));
  NameLabel = MakeNameLabel(this, 218, 24, QStringLiteral("Sonne"), 16);
  Result = MakeTextBox(this, 216, 72, 209, 249);
  Facts = MakeTextBox(this, 8, 136, 201, 177);
  SetTextBoxText(Facts, SunFactLines().join(kCrLf));
  hide();
}

void Tusonne::Refresh() {
  ClearUpperVectorState();  // Qt's raster calls leave the AVX upper halves dirty
  QString text;
  try {
    text = SunParametersText(moment_, place_(), sun_(), locale_);
  } catch (const ConversionError& e) {
    text = QString::fromUtf8(e.what());
  }
  SetTextBoxText(Result, text);
}

void Tusonne::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Refresh();
}

void Tusonne::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) Refresh();
}

}  // namespace zenitra
