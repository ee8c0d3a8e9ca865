#include "ui/backing_store_surface.h"

#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QWidget>

namespace zenitra {

std::optional<QImage> BackingStoreSurface(const QWidget& widget, QPainter& painter, const QPaintEvent& event) {
  QPaintEngine* engine = painter.paintEngine();
  QPaintDevice* device = engine ? engine->paintDevice() : nullptr;
  if (device == nullptr || device->devType() != QInternal::Image || engine->type() != QPaintEngine::Raster) {
    return std::nullopt;
  }
  auto* store = static_cast<QImage*>(device);
  const QTransform& t = painter.deviceTransform();
  const QRect whole = widget.rect();
  if (whole.isEmpty() || t.type() > QTransform::TxTranslate || store->devicePixelRatio() != 1.0 ||
      (store->format() != QImage::Format_RGB32 && store->format() != QImage::Format_ARGB32_Premultiplied) ||
      event.region() != QRegion(whole) || widget.visibleRegion() != QRegion(whole)) {
    return std::nullopt;
  }
  const QPoint offset(qRound(t.dx()), qRound(t.dy()));
  if (offset.x() != t.dx() || offset.y() != t.dy() || !store->rect().contains(whole.translated(offset))) {
    return std::nullopt;
  }
  // constBits: the painter of the backing store shares these pixels; bits() would detach them.
  uchar* first = const_cast<uchar*>(store->constBits()) + offset.y() * store->bytesPerLine() + offset.x() * 4;
  QImage surface(first, whole.width(), whole.height(), store->bytesPerLine(), store->format());
  surface.setDotsPerMeterX(3780);  // 96 dpi, the designed resolution
  surface.setDotsPerMeterY(3780);
  return surface;
}

}  // namespace zenitra
