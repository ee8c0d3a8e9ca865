#pragma once
// One-pixel lines and filled rectangles written straight into the scanlines of a 32-bit image.
// Qt draws the same through its per-span fill, which costs several times more per pixel for the
// thousands of short segments and star dots of a sky map.
#include <cstddef>
#include <cstdint>

namespace zenitra {

/// The pixels of a 32-bit image (Format_RGB32 or ARGB32_Premultiplied): the first row, the distance
/// between rows in pixels, and the size.
struct PixelTarget {
  std::uint32_t* Bits = nullptr;
  std::ptrdiff_t StridePixels = 0;
  int Width = 0;
  int Height = 0;
};

/// The line (x1, y1)-(x2, y2) in an opaque colour, with the pixels of QPainter's aliased cosmetic
/// pen (width 0, square cap, no transform): both end points drawn, one pixel per column of a
/// flat line or per row of a steep one, the position sampled on the line's 26.6 fixed-point form.
/// Any coordinates are safe: the line is clipped to the image before it is stepped.
void WriteLine(const PixelTarget& target, int x1, int y1, int x2, int y2, std::uint32_t colour) noexcept;

/// The rectangle of `width` x `height` pixels at (x, y), clipped to the image; nothing when empty.
void WriteRect(const PixelTarget& target, int x, int y, int width, int height, std::uint32_t colour) noexcept;

}  // namespace zenitra
