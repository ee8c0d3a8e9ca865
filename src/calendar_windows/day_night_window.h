#pragma once
// The day-night map "Tag- und Nachgrenze": a world map with coastlines, an optional graticule, the
// night side shaded below the terminator and the Sun at the subsolar point, for a day and a clock
// time of the current year that follows the clock, is entered by hand or runs as a simulation.
#include <QDateTime>
#include <QDialog>
#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <functional>
#include <optional>

#include "calendars/day_night.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;

namespace zenitra {

/// The coastline of the ERDE resource, parsed; malformed lines are skipped. Empty when the
/// resource is missing or damaged.
[[nodiscard]] std::vector<CoastPoint> LoadCoastline();

/// The map of `size` without the night side: white, the graticule when `graticule` is set (silver
/// lines, red "Verdana" 10 labels), and the coastlines in blue.
[[nodiscard]] QImage DrawDayNightBaseMap(QSize size, bool graticule, const std::vector<CoastPoint>& coast);
/// The same painted with `painter` at its origin, with the coastline's pixels at `size`.
void PaintDayNightBaseMap(QPainter& painter, QSize size, bool graticule, const QPolygon& coastPixels);
/// The pixels the coastlines (CoastlinePolylines of `coast` at `size`) cover, drawn with a pen of
/// one pixel.
[[nodiscard]] QPolygon CoastlinePixels(QSize size, const std::vector<CoastPoint>& coast);
/// The night-side work bitmap ((width + 101) x (height + 101), white): the night polygon filled
/// with F0F0F0 and outlined in black, and `sunSymbol` at the subsolar point when given.
[[nodiscard]] QImage DrawNightWorkBitmap(QSize mapSize, const NightPolygon& night, const QImage* sunSymbol);
/// `map` with `work` drawn over it at (-50, -50) with a bitwise AND of the colours.
[[nodiscard]] QImage ComposeDayNightMap(const QImage& map, const QImage& work);
/// The same composition painted with `painter` (on a raster surface) at its origin; no `work`
/// paints the map alone.
void PaintDayNightMap(QPainter& painter, const QImage& map, const QImage* work);
/// ANDs the night side over what `painter` (on a raster surface, at the map's origin) has drawn,
/// as PaintDayNightMap does with DrawNightWorkBitmap(mapSize, night, sunSymbol), pixel for pixel,
/// but without a work bitmap of the map's size.
void PaintNightSide(QPainter& painter, QSize mapSize, const NightPolygon& night, const QImage* sunSymbol);

class Tftag : public QDialog {
  Q_OBJECT
 public:
  /// `width`, `height`: the main window's outer size, taken as this window's size.
  /// `clock` gives the system's local date and time (the year of every computation is its year).
  Tftag(int width, int height, std::function<QDateTime()> clock = &QDateTime::currentDateTime,
        QWidget* parent = nullptr);
  ~Tftag() override;

  /// Everything the paint box shows, for a paint box of `size`.
  [[nodiscard]] QImage RenderMap(QSize size);
  /// Paints what RenderMap returns with `painter` (on a 32-bit picture at 96 dpi) at its origin,
  /// without a picture of its own.
  void PaintMap(QPainter& painter, QSize size);
  /// The Sun model of the fields as they stand; empty when the month field is not 1..12.
  [[nodiscard]] std::optional<DayNightSun> CurrentSun() const;
  /// Whether the coastline projected for the last painted size is kept.
  [[nodiscard]] bool HasCachedCoastline() const { return coastPixelsSize_.isValid(); }

  // Controls of the form (named as in its layout).
  QLineEdit* E15 = nullptr;    ///< "Tag"
  QLineEdit* E16 = nullptr;    ///< "Monat"
  QLineEdit* Edit3 = nullptr;  ///< "Stunden"
  QLineEdit* Edit4 = nullptr;  ///< "Minuten"
  QCheckBox* CB1 = nullptr;    ///< "Sommerzeit berücksichtigen"
  QCheckBox* CB2 = nullptr;    ///< "Sonnenort"
  QCheckBox* CB8 = nullptr;    ///< "Aktualisieren"
  QCheckBox* Cb13 = nullptr;   ///< "Gradnetz"
  QRadioButton* RB1 = nullptr;  ///< "Minuten verändern"
  QRadioButton* RB2 = nullptr;  ///< "Tage verändern"
  QPushButton* Button1 = nullptr;  ///< "Darstellen"
  QPushButton* d15 = nullptr;      ///< "Simulation" / "Stopp"
  QPushButton* Button3 = nullptr;  ///< "Aktuelle Zeit"
  QTimer* Timer1 = nullptr;  ///< simulation, 20 ms
  QTimer* Timer2 = nullptr;  ///< follows the clock, 10 s
  QWidget* pb2 = nullptr;    ///< the paint box

  void pb2Paint();
  void Cb13Click();
  void CB8Click();
  void Timer2Timer();
  void D21Click();
  void d15Click();
  void Timer1Timer();

 protected:
  void hideEvent(QHideEvent* event) override;

 private:
  friend class DayNightPaintBox;
  void FormCreate();
  void SetFieldsToNow();
  [[nodiscard]] int CurrentYear() const;

  std::function<QDateTime()> clock_;
  std::vector<CoastPoint> coast_;
  QImage Image1;  ///< the Sun symbol
  QPolygon coastPixels_;  ///< the coastline's pixels at coastPixelsSize_
  QSize coastPixelsSize_;  ///< invalid when none are kept; an empty coastline is found once too
};

}  // namespace zenitra
