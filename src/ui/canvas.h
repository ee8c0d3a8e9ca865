#pragma once
// The drawing surface of the sky map and the other drawings: QPainter with the pen, font and pen
// position a layer leaves for the next one.
#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QRect>
#include <QLine>
#include <QPainter>
#include <QPoint>
#include <QString>
#include <optional>
#include <vector>

#include "ui/pixel_lines.h"

namespace zenitra {

/// A drawing surface with the state a layer leaves for the next one: pen colour, font and font
/// colour, and the pen position of the line layers. Text is placed by its top-left corner.
class SkyCanvas {
 public:
  explicit SkyCanvas(QPainter& painter);

  void SetPen(const QColor& colour);
  [[nodiscard]] QColor Pen() const { return pen_; }
  void SetFontColour(const QColor& colour) { fontColour_ = colour; }
  [[nodiscard]] QColor FontColour() const { return fontColour_; }
  /// Sets the font (family, point size); the metrics are cached.
  void SetFont(const QString& family, int pointSize);
  [[nodiscard]] const QFontMetrics& Metrics() const { return *metrics_; }

  /// Text with its cell's top-left corner at (x, y), no background.
  void TextOut(int x, int y, const QString& text);
  [[nodiscard]] int TextWidth(const QString& text) const;

  /// Raster work without text or lines: a filled rectangle, a picture, or anything `paint` draws
  /// with the painter. Each ends like every drawing call of the canvas, with the vector state reset
  /// for the projections that follow (see ui/vector_state.h).
  void FillRect(const QRect& rect, const QColor& colour);
  void DrawImage(int x, int y, const QImage& image);
  template <typename Paint>
  void Raster(Paint&& paint) {
    paint(painter_);
    EndRaster();
  }

  /// Pen movements of the line layers; the segments are collected and drawn together by
  /// FlushLines in the current pen colour.
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void FlushLines();

 private:
  /// The end of each raster call: the one place the drawings reset the vector state.
  static void EndRaster() noexcept;
  /// Whether lines and rectangles in `colour` can be written into the image's pixels directly:
  /// the painter draws onto a 32-bit image with no clip, transform, opacity or composition mode of
  /// its own, and the colour is opaque.
  [[nodiscard]] bool Direct(const QColor& colour) const;

  QPainter& painter_;
  std::optional<PixelTarget> pixels_;  ///< the image the painter draws on, when it is 32-bit
  QColor pen_{Qt::black};
  QColor fontColour_{Qt::white};
  QFont font_;
  QString fontKey_;  ///< font_.key() and a separator, the prefix of the laid-out text cache
  std::optional<QFontMetrics> metrics_;
  QPoint penPosition_;
  std::vector<QLine> pending_;
};

}  // namespace zenitra
