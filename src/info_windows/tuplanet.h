#pragma once
// The planet information window "Planeteninformationen": picture, name, fact sheet and the
// current ephemeris of one planet. Created for one click, shown modal, then released.
#include <QDialog>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>

#include "core/shared_types.h"

namespace zenitra {

class Tuplanet : public QDialog {
  Q_OBJECT
 public:
  /// `planetName`: the German name as drawn on the map; `moment`: the main window's local clock
  /// time and zone; `place`: the main window's place.
  Tuplanet(const QString& planetName, const InfoWindowMoment& moment, const Location& place,
           QWidget* parent = nullptr, const QLocale& locale = QLocale());

  /// Fills name, picture, fact sheet and ephemeris (the activation handler).
  void ShowPlanetInfo();

  QLabel* Image1 = nullptr;             ///< the planet's picture
  QLabel* NameLabel = nullptr;          ///< the planet's name
  QPlainTextEdit* FactSheet = nullptr;  ///< the fact sheet
  QPlainTextEdit* Ephemeris = nullptr;  ///< the ephemeris

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QString name_;
  InfoWindowMoment moment_;
  Location place_;
  QLocale locale_;
};

}  // namespace zenitra
