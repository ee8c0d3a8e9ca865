#pragma once
// The moon phase calendar window "Mondphasenkalender": one month as a calendar sheet with the
// Moon's phase at noon of every day, cut from the phase strip "s3".
#include <QDate>
#include <QDialog>
#include <QImage>
#include <QSize>
#include <QWidget>
#include <functional>

class QDateEdit;
class QFrame;
class QLabel;

namespace zenitra {

/// Draws the calendar sheet of the month of `date` into a new picture of `size` (white
/// background), with phase pictures cut from `strip` (602 x 315, 28 pictures of 52 x 52). A null
/// strip leaves the picture places black.
[[nodiscard]] QImage DrawMoonCalendarSheet(const QImage& strip, QDate date, QSize size);

/// The moon phase strip "s3" decoded from its embedded GIF; a null image when it is unreadable.
[[nodiscard]] QImage LoadMoonPhaseStrip();

class Tfmoon;

/// The paint box of the sheet: draws through its window on every paint.
class MoonCalendarPaintBox : public QWidget {
 public:
  explicit MoonCalendarPaintBox(Tfmoon* owner);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Tfmoon* owner_;
};

class Tfmoon : public QDialog {
 public:
  /// `today` gives the computer's local date (a test passes a fixed one).
  explicit Tfmoon(QWidget* parent = nullptr, std::function<QDate()> today = &QDate::currentDate);

  /// Each activation: loads the phase strip (once) and sets the date to today, which repaints.
  void FormActivate();
  /// The sheet for the chosen date at the paint box's size, as it is copied to the paint box.
  [[nodiscard]] QImage Paintbox1Paint() const;

  [[nodiscard]] QDateEdit* DateEdit() const { return DE1; }
  [[nodiscard]] QWidget* PaintBox() const { return Paintbox1; }
  [[nodiscard]] const QImage& PhaseStrip() const { return image1; }

 protected:
  bool event(QEvent* e) override;

 private:
  std::function<QDate()> today_;
  QFrame* Panel1 = nullptr;
  QLabel* label1 = nullptr;
  QDateEdit* DE1 = nullptr;
  MoonCalendarPaintBox* Paintbox1 = nullptr;
  QImage image1;  ///< the phase strip, loaded on the first activation
};

}  // namespace zenitra
