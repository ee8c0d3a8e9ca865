#include "info_windows/tuplanet.h"

#include "core/conversion_error.h"
#include "ui/body_pictures.h"
#include "info_windows/info_window_widgets.h"
#include "info_windows/planet_information_text.h"

namespace zenitra {

Tuplanet::Tuplanet(const QString& planetName, const InfoWindowMoment& moment, const Location& place, QWidget* parent,
                   const QLocale& locale)
    : QDialog(parent), name_(planetName), moment_(moment), place_(place), locale_(locale) {
  SetUpInfoWindow(*this, QStringLiteral("Planeteninformationen"), 426, 302);
  setModal(true);
  Image1 = new QLabel(this);
  Image1->move(12, 12);
  NameLabel = MakeNameLabel(this, 42, 136, QString(), 11);
  FactSheet = MakeTextBox(this, 136, 12, 281, 161);
  Ephemeris = MakeTextBox(this, 12, 172, 413, 121);
  ShowPlanetInfo();
  // Centred on the main window.
  if (parent) move(parent->geometry().center() - rect().center());
}

void Tuplanet::ShowPlanetInfo() {
  NameLabel->setText(name_);
  NameLabel->adjustSize();
  if (const std::optional<QImage> picture = PlanetPicture(name_)) {
    Image1->setPixmap(QPixmap::fromImage(*picture));
    Image1->resize(picture->size());
  } else {
    Image1->clear();
    Image1->resize(0, 0);
  }
  SetTextBoxText(FactSheet, FactSheetText(name_));
  QString text;
  try {
    text = PlanetEphemerisText(name_, moment_, place_, locale_);
  } catch (const ConversionError& e) {
    text = QString::fromUtf8(e.what());
  }
  SetTextBoxText(Ephemeris, text);
}

void Tuplanet::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  ShowPlanetInfo();
}

}  // namespace zenitra
