// Pixel-for-pixel comparison of two pictures of the same size, for the tests that require one way
// of drawing to give exactly the pixels of another.
#pragma once
#include <QImage>
#include <QPoint>

namespace zenitra::testing {

struct PixelDifference {
  int Count = 0;           ///< pixels whose colours differ
  QPoint First{-1, -1};    ///< the first of them in reading order
};

/// Where `got` and `expected` differ; both must have the same size.
inline PixelDifference DifferingPixels(const QImage& got, const QImage& expected) {
  PixelDifference d;
  for (int y = 0; y < got.height(); ++y) {
    for (int x = 0; x < got.width(); ++x) {
      if (got.pixel(x, y) == expected.pixel(x, y)) continue;
      if (d.Count++ == 0) d.First = QPoint(x, y);
    }
  }
  return d;
}

}  // namespace zenitra::testing
