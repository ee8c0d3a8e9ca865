#include "ui/pixel_lines.h"

#include <algorithm>
#include <cmath>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zenitra {

namespace {

// Pixel positions follow Qt's cosmetic stroker for aliased lines (qcosmeticstroker.cpp): the end
// points are converted to 26.6 fixed point by truncation, the step along the minor axis is a 16.16
// quotient, and the square cap extends the line by half a pixel at both ends. Matching it keeps
// the picture the same as when Qt drew the lines (tests/ui/pixel_lines_test.cpp compares them).
using Fixed = long long;

Fixed ToF26Dot6(double v) { return static_cast<Fixed>(v * 64.0); }

Fixed Fixed16Dot16Quotient(Fixed numerator, Fixed denominator) { return numerator * 65536 / denominator; }

void Put(const PixelTarget& t, Fixed x, Fixed y, std::uint32_t colour) {
  if (x < 0 || y < 0 || x >= t.Width || y >= t.Height) return;
  t.Bits[static_cast<std::ptrdiff_t>(y) * t.StridePixels + static_cast<std::ptrdiff_t>(x)] = colour;
}

// Clips coordinate a of both ends to [lo, hi], moving b along the line, in the order and
// arithmetic Qt uses, so that a clipped end lands on the same fixed-point position. False when
// nothing of the segment remains.
bool ClipAxis(double& a1, double& b1, double& a2, double& b2, double lo, double hi) {
  if (a1 < lo) {
    if (a2 <= lo) return false;
    b1 += (b2 - b1) / (a2 - a1) * (lo - a1);
    a1 = lo;
  } else if (a1 > hi) {
    if (a2 >= hi) return false;
    b1 += (b2 - b1) / (a2 - a1) * (hi - a1);
    a1 = hi;
  }
  if (a2 < lo) {
    b2 += (b2 - b1) / (a2 - a1) * (lo - a2);
    a2 = lo;
  } else if (a2 > hi) {
    b2 += (b2 - b1) / (a2 - a1) * (hi - a2);
    a2 = hi;
  }
  return true;
}

// The segment clipped to [xmin, xmax] x [ymin, ymax], x first as Qt does.
bool Clip(double& x1, double& y1, double& x2, double& y2, double xmin, double xmax, double ymin, double ymax) {
  if (!ClipAxis(x1, y1, x2, y2, xmin, xmax) || !ClipAxis(y1, x1, y2, x2, ymin, ymax)) return false;
  // Rounding can leave a clipped end a hair outside; anything further out (or not a number) is
  // not drawn rather than stepped over.
  const auto near = [](double v, double lo, double hi) { return v >= lo - 1.0 && v <= hi + 1.0; };
  return near(x1, xmin, xmax) && near(x2, xmin, xmax) && near(y1, ymin, ymax) && near(y2, ymin, ymax);
}

// Steps along the major axis from its first to its last pixel; `plot(major, minor)` receives the
// pixel, the minor coordinate in 16.16. a1, a2 are the major and b1, b2 the minor coordinates, 26.6.
template <typename Plot>
void Step(Fixed a1, Fixed b1, Fixed a2, Fixed b2, Plot plot) {
  if (a1 > a2) {
    std::swap(a1, a2);
    std::swap(b1, b2);
  }
  const Fixed inc = Fixed16Dot16Quotient(b2 - b1, a2 - a1);
  Fixed b = b1 * 1024;
  // Square caps: half a pixel more at both ends.
  a1 -= 32;
  b -= inc >> 1;
  a2 += 32;
  const Fixed first = (a1 + 32) >> 6;
  const Fixed end = (a2 + 32) >> 6;
  if (first >= end) return;
  const Fixed round = inc > 0 ? 32 : 0;
  b += ((first * 64 + round - a1) * inc) >> 6;
  for (Fixed a = first; a < end; ++a, b += inc) plot(a, b >> 16);
}

// One row of a rectangle: four pixels per store where the processor has SSE2 (every x86-64), so
// that the background of a whole picture fills at memory speed on one thread.
void FillRow(std::uint32_t* first, std::uint32_t* end, std::uint32_t colour) {
#if defined(__SSE2__)
  const __m128i four = _mm_set1_epi32(static_cast<int>(colour));
  for (; end - first >= 4; first += 4) _mm_storeu_si128(reinterpret_cast<__m128i*>(first), four);
#endif
  std::fill(first, end, colour);
}

}  // namespace

void WriteLine(const PixelTarget& t, int x1, int y1, int x2, int y2, std::uint32_t colour) noexcept {
  if (t.Bits == nullptr || t.Width <= 0 || t.Height <= 0) return;
  if (x1 == x2 && y1 == y2) {
    Put(t, x1, y1, colour);
    return;
  }
  double rx1 = x1, ry1 = y1, rx2 = x2, ry2 = y2;
  // The clip box is one pixel wider than the image on the left and top and two on the right and
  // bottom, as Qt's: a line just outside the image still steps its caps into it.
  if (!Clip(rx1, ry1, rx2, ry2, -1.0, t.Width + 1.0, -1.0, t.Height + 1.0)) return;
  const Fixed fx1 = ToF26Dot6(rx1), fy1 = ToF26Dot6(ry1), fx2 = ToF26Dot6(rx2), fy2 = ToF26Dot6(ry2);
  const Fixed dx = fx2 > fx1 ? fx2 - fx1 : fx1 - fx2;
  const Fixed dy = fy2 > fy1 ? fy2 - fy1 : fy1 - fy2;
  if (dx < dy) {
    Step(fy1, fx1, fy2, fx2, [&](Fixed y, Fixed x) { Put(t, x, y, colour); });
  } else if (dx > 0) {
    Step(fx1, fy1, fx2, fy2, [&](Fixed x, Fixed y) { Put(t, x, y, colour); });
  }
}

void WriteRect(const PixelTarget& t, int x, int y, int width, int height, std::uint32_t colour) noexcept {
  if (t.Bits == nullptr || width <= 0 || height <= 0) return;
  const long long left = std::max<long long>(x, 0);
  const long long top = std::max<long long>(y, 0);
  const long long right = std::min<long long>(static_cast<long long>(x) + width, t.Width);
  const long long bottom = std::min<long long>(static_cast<long long>(y) + height, t.Height);
  for (long long row = top; row < bottom; ++row) {
    std::uint32_t* line = t.Bits + static_cast<std::ptrdiff_t>(row) * t.StridePixels;
    FillRow(line + left, line + std::max(left, right), colour);
  }
}

}  // namespace zenitra
