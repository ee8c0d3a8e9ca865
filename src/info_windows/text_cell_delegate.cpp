#include "info_windows/text_cell_delegate.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QTextLine>

#include "info_windows/info_window_widgets.h"

namespace zenitra {

namespace {

// The styles whose item cells are the common style's: the panel of an item that is neither
// selected nor given a background paints nothing, and the text is one text layout drawn in the text
// colour inside the cell's clip. Under any other style (which may add hover or gradients) every
// cell goes to the styled delegate.
bool DrawsCommonItemCells(const QStyle* style) {
  const QString name = style->name();
  return name.compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0 ||
         name.compare(QLatin1String("windows"), Qt::CaseInsensitive) == 0;
}

// A cell whose whole look is its text: no check box, icon, background, alternating colour,
// selection, focus frame or editor.
bool IsPlainTextCell(const QStyleOptionViewItem& o) {
  constexpr auto extras = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDecoration |
                          QStyleOptionViewItem::Alternate;
  constexpr auto marked = QStyle::State_Selected | QStyle::State_HasFocus | QStyle::State_Editing;
  return !(o.features & extras) && !(o.state & marked) && o.backgroundBrush.style() == Qt::NoBrush;
}

}  // namespace

const TextCellDelegate::CellLayout& TextCellDelegate::LayoutOf(const QModelIndex& index,
                                                               const QStyleOptionViewItem& o, const QRect& textRect,
                                                               const QTextOption& textOption) const {
  const auto key = (static_cast<unsigned long long>(static_cast<unsigned>(index.row())) << 32) |
                   static_cast<unsigned>(index.column());
  CellLayout& cell = cells_[key];
  if (cell.Text == o.text && cell.Font == o.font && cell.Width == textRect.width() &&
      cell.Height == textRect.height() && cell.Alignment == textOption.alignment() &&
      cell.Wrap == textOption.wrapMode() && cell.Direction == textOption.textDirection()) {
    return cell;
  }
  ++layouts_;
  cell.Text = o.text;
  cell.Font = o.font;
  cell.Width = textRect.width();
  cell.Height = textRect.height();
  cell.Alignment = textOption.alignment();
  cell.Wrap = textOption.wrapMode();
  cell.Direction = textOption.textDirection();
  cell.Layout.reset();
  // The text laid out as the item view's style lays out a cell's text: one layout with the cell's
  // text option, the line as wide as the text rectangle at y = 0, centred vertically by its
  // height. Kept with its glyphs, so that drawing does not shape the text again.
  std::unique_ptr<QTextLayout> layout = OneLineLayout(o.text, o.font, textOption, textRect.width(), QPointF(0.0, 0.0));
  // One line that fits the rectangle: the style shows it as it is. More lines, or a line too wide
  // or too high, are wrapped, elided or cut by the style: the styled delegate paints those.
  const QTextLine line = layout ? layout->lineAt(0) : QTextLine();
  if (!line.isValid() || line.naturalTextWidth() > textRect.width() || line.height() > textRect.height()) return cell;
  cell.Offset = QPointF(0.0, (textRect.height() - line.height()) / 2.0);
  cell.Layout = std::move(layout);
  return cell;
}

void TextCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QStyleOptionViewItem o = option;
  initStyleOption(&o, index);
  const QWidget* widget = o.widget;
  const QStyle* style = widget ? widget->style() : QApplication::style();
  // Left to right, at the left and centred vertically, as the grid's cells are; any other
  // placement goes to the styled delegate.
  constexpr Qt::Alignment placement = Qt::AlignLeft | Qt::AlignVCenter;
  if (!DrawsCommonItemCells(style) || !IsPlainTextCell(o) || o.direction != Qt::LeftToRight ||
      (o.displayAlignment & (Qt::AlignHorizontal_Mask | Qt::AlignVertical_Mask)) != placement) {
    return QStyledItemDelegate::paint(painter, option, index);
  }
  if (o.text.isEmpty()) return;  // an empty plain cell shows nothing
  // The text rectangle: the cell less the focus frame's margin and one pixel at either side.
  const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
  const QRect textRect = o.rect.adjusted(margin, 0, -margin, 0);
  QTextOption textOption;
  textOption.setWrapMode(o.features & QStyleOptionViewItem::WrapText ? QTextOption::WordWrap
                                                                      : QTextOption::ManualWrap);
  textOption.setTextDirection(o.direction);
  textOption.setAlignment(QStyle::visualAlignment(o.direction, o.displayAlignment));
  const CellLayout& cell = LayoutOf(index, o, textRect, textOption);
  if (!cell.Layout) return QStyledItemDelegate::paint(painter, option, index);
  // The text colour of the cell's colour group, as the style picks it for a cell not selected.
  QPalette::ColorGroup group = o.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
  if (group == QPalette::Normal && !(o.state & QStyle::State_Active)) group = QPalette::Inactive;
  painter->save();
  painter->setClipRect(o.rect);
  painter->setPen(o.palette.color(group, QPalette::Text));
  cell.Layout->draw(painter, QPointF(textRect.topLeft()) + cell.Offset);
  painter->restore();
}

}  // namespace zenitra
