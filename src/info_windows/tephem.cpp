#include "info_windows/tephem.h"

#include <QEvent>
#include <QHeaderView>

#include "core/conversion_error.h"
#include "info_windows/ephemeris_table.h"
#include "info_windows/info_window_widgets.h"
#include "info_windows/text_cell_delegate.h"

namespace zenitra {

Tephem::Tephem(std::function<Location()> place, QWidget* parent) : QWidget(parent), place_(std::move(place)) {
  // Eight columns of 106 px need 848 px: the first designed grid of 749 px (window 782) showed
  // only the "N" of "Neptun" in the last column.
  SetUpInfoWindow(*this, QStringLiteral("Ephemeride der Planeten"), 16 + kEphemerisColumns * 106 + 17, 417);
  Grid = new QTableWidget(kEphemerisRows, kEphemerisColumns, this);
  Grid->setGeometry(16, 16, kEphemerisColumns * 106, 381);
  Grid->setFrameShape(QFrame::NoFrame);
  Grid->horizontalHeader()->hide();
  Grid->verticalHeader()->hide();
  Grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Grid->setSelectionMode(QAbstractItemView::NoSelection);
  Grid->setFocusPolicy(Qt::NoFocus);
  Grid->setFont(InfoFont(11));
  // During the animation a few dozen cells change per step: each is shaped once, not three times.
  Grid->setItemDelegate(new TextCellDelegate(Grid));
  Grid->horizontalHeader()->setMinimumSectionSize(1);
  Grid->verticalHeader()->setMinimumSectionSize(1);
  for (int c = 0; c < kEphemerisColumns; ++c) Grid->setColumnWidth(c, 106);
  for (int r = 0; r < kEphemerisRows; ++r) Grid->setRowHeight(r, 20);
  for (int r = 0; r < kEphemerisRows; ++r) {
    for (int c = 0; c < kEphemerisColumns; ++c) Grid->setItem(r, c, new QTableWidgetItem);
  }
  EarthLabel = new QLabel(this);
  EarthLabel->move(16, 400);
  EarthLabel->setVisible(false);
  hide();
}

QString Tephem::Cell(int column, int row) const {
  const QTableWidgetItem* item = Grid->item(row, column);
  return item ? item->text() : QString();
}

void Tephem::SetCellIfChanged(int column, int row, const QString& text) {
  QTableWidgetItem* item = Grid->item(row, column);
  if (!item || item->text() == text) return;
  item->setText(text);
  ++cellWrites_;
}

void Tephem::RefreshEphemeris() {
  EphemerisTable table;
  try {
    table = BuildEphemerisTable(Moment, place_(), locale_);
  } catch (const ConversionError&) {
    return;  // a date outside the calendar: the table keeps what it showed
  }
  for (int r = 0; r < kEphemerisRows; ++r) {
    for (int c = 0; c < kEphemerisColumns; ++c) SetCellIfChanged(c, r, table.Cells[r][c]);
  }
  if (EarthLabel->text() != table.EarthLabel) EarthLabel->setText(table.EarthLabel);
}

void Tephem::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  RefreshEphemeris();
}

void Tephem::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) RefreshEphemeris();
}

}  // namespace zenitra
