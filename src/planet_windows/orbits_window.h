#pragma once
// The planet orbits window "Planetenbahnen": the orbits of the ticked bodies seen from the north
// pole of the ecliptic, the Sun in the middle, each body marked where it stands on the chosen
// date. The date can run forward or backward as an animation.
#include <QDate>
#include <QDialog>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>

class QDateEdit;
class QLabel;
class QListWidget;
class QPainter;
class QPushButton;
class QSpinBox;
class QTimer;
class QToolButton;

class QPainter;

namespace zenitra {

/// The orbits picture of width x height pixels: black background, the orbits and positions of
/// the `ticked` objects (names of OrbitListData, drawn in the order given), the scale bar and the
/// Sun. `scale` in pixels per AE. Texts use the default locale's decimal separator.
[[nodiscard]] QImage DrawOrbitsPicture(QSize size, const QStringList& ticked, QDate date, double scale);
/// The same picture painted with `painter` (at its origin, on a raster surface of at least `size`).
void PaintOrbits(QPainter& painter, QSize size, const QStringList& ticked, QDate date, double scale);

/// The text of the scale bar label for a scale in pixels per AE: "%d AE" or "%.2n AE".
[[nodiscard]] QString ScaleBarLabel(double scale);

class Tzastro37 : public QDialog {
  Q_OBJECT
 public:
  /// `width`, `height`: the main window's outer size, taken over as this window's size. `today`
  /// gives the computer's local date, the window's first date (a test passes a fixed one).
  Tzastro37(int width, int height, QWidget* parent = nullptr, const std::function<QDate()>& today = &QDate::currentDate);

  // Controls, reachable for the tests.
  [[nodiscard]] QListWidget* CB1() const { return CB1_; }
  [[nodiscard]] QDateEdit* DE1() const { return DE1_; }
  [[nodiscard]] QPushButton* Simulation() const { return simulation_; }
  [[nodiscard]] QSpinBox* S1() const { return S1_; }
  [[nodiscard]] QToolButton* Enlarge() const { return enlarge_; }
  [[nodiscard]] QToolButton* Reset() const { return reset_; }
  [[nodiscard]] QToolButton* Reduce() const { return reduce_; }
  [[nodiscard]] QTimer* Timer1() const { return Timer1_; }
  [[nodiscard]] QWidget* PB1() const { return PB1_; }
  [[nodiscard]] double Scale() const { return scale_; }

  /// The ticked names of the check list, in list order.
  [[nodiscard]] QStringList TickedNames() const;
  /// The picture as the drawing surface shows it since the last repaint.
  [[nodiscard]] QImage Picture() const;

  /// Builds the check list at the first activation; later activations keep the ticks.
  void FormActivate();
  /// Draws the picture for the drawing surface's size and shows it.
  void Repaint();
  void Timer1Timer();

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void TakeDate();
  void SetScale(double scale);

  QListWidget* CB1_ = nullptr;
  QDateEdit* DE1_ = nullptr;
  QPushButton* simulation_ = nullptr;
  QSpinBox* S1_ = nullptr;
  QToolButton* enlarge_ = nullptr;
  QToolButton* reset_ = nullptr;
  QToolButton* reduce_ = nullptr;
  QTimer* Timer1_ = nullptr;
  QWidget* PB1_ = nullptr;
  double scale_ = 50.0;
  int year_ = 2000;
  int month_ = 1;
  int day_ = 1;
};

}  // namespace zenitra
