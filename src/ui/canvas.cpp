#include "ui/canvas.h"

#include <QHash>
#include <QStaticText>

#include "ui/fonts.h"
#include "ui/vector_state.h"

namespace zenitra {

void SkyCanvas::EndRaster() noexcept { ResetVectorStateAfterPainting(); }

void SkyCanvas::FillRect(const QRect& rect, const QColor& colour) {
  painter_.fillRect(rect, colour);
  EndRaster();
}

void SkyCanvas::DrawImage(int x, int y, const QImage& image) {
  painter_.drawImage(x, y, image);
  EndRaster();
}

SkyCanvas::SkyCanvas(QPainter& painter) : painter_(painter) {
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setRenderHint(QPainter::TextAntialiasing, true);
  painter_.setBrush(Qt::NoBrush);
  SetFont(SkyFontFamily(), 8);
}

void SkyCanvas::SetPen(const QColor& colour) {
  if (colour != pen_) FlushLines();
  pen_ = colour;
}

void SkyCanvas::SetFont(const QString& family, int pointSize) {
  if (metrics_ && font_.family() == family && font_.pointSize() == pointSize) return;
  font_ = QFont(family, pointSize);
  // The layout depends on the device's resolution as well as on the font.
  fontKey_ = font_.key() + u'@' + QString::number(painter_.device()->logicalDpiY()) + u'\x1f';
  painter_.setFont(font_);
  metrics_.emplace(painter_.font(), painter_.device());
}

void SkyCanvas::TextOut(int x, int y, const QString& text) {
  // Most labels (star, constellation, body and direction names) are the same on every drawing;
  // their laid-out form is kept so that each drawing only places the glyphs. The cache is bounded:
  // texts that change with the moment (the status line, the panel numbers) refill it slowly.
  static QHash<QString, QStaticText> laidOut;
  const QString key = fontKey_ + text;
  auto it = laidOut.constFind(key);
  if (it == laidOut.constEnd()) {
    if (laidOut.size() >= 4096) laidOut.clear();
    QStaticText staticText(text);
    staticText.setTextFormat(Qt::PlainText);
    staticText.setPerformanceHint(QStaticText::AggressiveCaching);
    staticText.prepare(QTransform(), painter_.font());
    it = laidOut.insert(key, staticText);
  }
  painter_.setPen(fontColour_);
  painter_.drawStaticText(QPointF(x, y), *it);
  EndRaster();
}

int SkyCanvas::TextWidth(const QString& text) const { return metrics_->horizontalAdvance(text); }

void SkyCanvas::MoveTo(int x, int y) { penPosition_ = {x, y}; }

void SkyCanvas::LineTo(int x, int y) {
  pending_.emplace_back(penPosition_, QPoint(x, y));
  penPosition_ = {x, y};
}

void SkyCanvas::FlushLines() {
  if (pending_.empty()) return;
  painter_.setPen(QPen(pen_, 0));
  painter_.drawLines(pending_.data(), static_cast<int>(pending_.size()));
  pending_.clear();
  EndRaster();
}

}  // namespace zenitra
