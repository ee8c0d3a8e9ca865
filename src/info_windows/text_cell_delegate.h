#pragma once
// The cell painter of the ephemeris grid: a cell that holds one line of plain text is drawn from a
// text layout kept per cell while its text, font and width stay the same, shaped once; every
// other cell is painted by the styled delegate. The pixels are those of the styled delegate.
#include <QFont>
#include <QPointF>
#include <QString>
#include <QStyledItemDelegate>
#include <QTextLayout>
#include <QTextOption>
#include <memory>
#include <unordered_map>

namespace zenitra {

class TextCellDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  /// How many times a cell's text was laid out (shaped) for painting, since creation.
  [[nodiscard]] long long Layouts() const { return layouts_; }

 private:
  /// One cell's text laid out for its text rectangle: the key it was made for and where it is drawn.
  struct CellLayout {
    QString Text;
    QFont Font;
    int Width = 0;   ///< the text rectangle's width, pixels
    int Height = 0;  ///< the text rectangle's height, pixels
    Qt::Alignment Alignment;
    QTextOption::WrapMode Wrap = QTextOption::NoWrap;
    Qt::LayoutDirection Direction = Qt::LeftToRight;
    std::unique_ptr<QTextLayout> Layout;  ///< glyphs kept; null when the text needs the styled delegate
    QPointF Offset;                       ///< the layout's position from the text rectangle's top left
  };
  /// The kept layout of the cell (row, column) for the text in `option`, made anew when its key changed.
  const CellLayout& LayoutOf(const QModelIndex& index, const QStyleOptionViewItem& option, const QRect& textRect,
                             const QTextOption& textOption) const;

  mutable std::unordered_map<unsigned long long, CellLayout> cells_;
  mutable long long layouts_ = 0;
};

}  // namespace zenitra
