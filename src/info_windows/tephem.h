#pragma once
// The ephemeris table window "Ephemeride der Planeten": a grid of eight columns (titles, Merkur to
// Neptun) and 18 rows for the moment and place of the main window.
#include <QLabel>
#include <QLocale>
#include <QTableWidget>
#include <QWidget>
#include <functional>

#include "core/shared_types.h"

namespace zenitra {

class Tephem : public QWidget {
  Q_OBJECT
 public:
  /// `place` reads the main window's place. Created hidden.
  explicit Tephem(std::function<Location()> place, QWidget* parent = nullptr);

  /// The window's own moment, written by the main window before each refresh.
  InfoWindowMoment Moment;

  /// Fills every cell from Moment and the place (the activation handler).
  void RefreshEphemeris();
  /// Writes the cell (column, row) only when its text differs from `text`.
  void SetCellIfChanged(int column, int row, const QString& text);
  /// The text of a cell (empty if never written).
  [[nodiscard]] QString Cell(int column, int row) const;
  /// How many cell writes have happened since creation (unchanged cells are not written).
  [[nodiscard]] long long CellWrites() const { return cellWrites_; }
  void SetLocale(const QLocale& locale) { locale_ = locale; }

  QTableWidget* Grid = nullptr;
  QLabel* EarthLabel = nullptr;  ///< invisible: the Earth's heliocentric longitude

 protected:
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  std::function<Location()> place_;
  QLocale locale_;
  long long cellWrites_ = 0;
};

}  // namespace zenitra
