#include "ui/canvas.h"

#include <QHash>
#include <QPaintEngine>
#include <QStaticText>

#include "ui/fonts.h"
#include "ui/vector_state.h"

namespace zenitra {

void SkyCanvas::EndRaster() noexcept { ResetVectorStateAfterPainting(); }

bool SkyCanvas::Direct(const QColor& colour) const {
  return pixels_ && colour.alpha() == 255 && !painter_.hasClipping() &&
         painter_.compositionMode() == QPainter::CompositionMode_SourceOver &&
         painter_.deviceTransform().type() == QTransform::TxNone && painter_.opacity() == 1.0;
}

void SkyCanvas::FillRect(const QRect& rect, const QColor& colour) {
  if (!rect.isEmpty() && Direct(colour)) {
    WriteRect(*pixels_, rect.x(), rect.y(), rect.width(), rect.height(), colour.rgba());
  } else {
    painter_.fillRect(rect, colour);
  }
  EndRaster();
}

void SkyCanvas::DrawImage(int x, int y, const QImage& image) {
  painter_.drawImage(x, y, image);
  EndRaster();
}

SkyCanvas::SkyCanvas(QPainter& painter) : painter_(painter) {
  // Qt's raster engine paints a 32-bit image in place, so pixels written between its calls land
  // in the same picture. The lines and star dots go there directly: through QPainter they cost a
  // span fill each (see ui/pixel_lines.h).
  QPaintDevice* device = painter_.device();
  if (device != nullptr && device->devType() == QInternal::Image && painter_.paintEngine() != nullptr &&
      painter_.paintEngine()->type() == QPaintEngine::Raster && painter_.paintEngine()->paintDevice() == device &&
      painter_.paintEngine()->systemClip().isEmpty()) {
    auto* image = static_cast<QImage*>(device);
    const QImage::Format format = image->format();
    if ((format == QImage::Format_RGB32 || format == QImage::Format_ARGB32_Premultiplied) &&
        image->devicePixelRatio() == 1.0) {
      // constBits: the buffer the painter already draws into (bits() could detach a shared copy).
      pixels_ = PixelTarget{reinterpret_cast<std::uint32_t*>(const_cast<uchar*>(image->constBits())),
                            image->bytesPerLine() / 4, image->width(), image->height()};
    }
  }
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
  if (Direct(pen_)) {
    const QRgb colour = pen_.rgba();
    for (const QLine& l : pending_) WriteLine(*pixels_, l.x1(), l.y1(), l.x2(), l.y2(), colour);
  } else {
    painter_.setPen(QPen(pen_, 0));
    painter_.drawLines(pending_.data(), static_cast<int>(pending_.size()));
  }
  pending_.clear();
  EndRaster();
}

}  // namespace zenitra
