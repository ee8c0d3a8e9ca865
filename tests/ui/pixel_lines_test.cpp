// The direct line and rectangle writer: the same pixels as QPainter's aliased cosmetic pen and
// fillRect for segments in, across and beyond a small image, and no write outside the image for
// any coordinates.
#include "ui/pixel_lines.h"

#include <QImage>
#include <QPainter>
#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <climits>
#include <iterator>
#include <string>
#include <vector>

namespace zenitra {
namespace {

constexpr std::uint32_t kColour = 0xFFFF0000u;

PixelTarget TargetOf(QImage& image) {
  return {reinterpret_cast<std::uint32_t*>(image.bits()), image.bytesPerLine() / 4, image.width(), image.height()};
}

QImage Black(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(Qt::black);
  return image;
}

// The first pixel where the two images differ, as "x,y", or empty.
std::string FirstDifference(const QImage& a, const QImage& b) {
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      if (a.pixel(x, y) != b.pixel(x, y)) return std::to_string(x) + "," + std::to_string(y);
    }
  }
  return {};
}

// Qt, the reference: what the map drew before it wrote lines itself.
QImage QtLine(int w, int h, QLine line) {
  QImage image = Black(w, h);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QPen(QColor::fromRgb(kColour), 0));
  painter.drawLines(&line, 1);
  return image;
}

QImage WrittenLine(int w, int h, QLine line) {
  QImage image = Black(w, h);
  WriteLine(TargetOf(image), line.x1(), line.y1(), line.x2(), line.y2(), kColour);
  return image;
}

TEST(PixelLines, SamePixelsAsQtsCosmeticPenForRandomSegments) {
  constexpr int kW = 61;
  constexpr int kH = 43;
  QRandomGenerator random(16);
  int compared = 0;
  for (int i = 0; i < 8000; ++i) {
    // Ends mostly near the image, some far outside, as projected lines leave the map.
    const int reach = i % 10 == 0 ? 5000 : 25;
    const auto coordinate = [&](int size) { return random.bounded(-reach, size + reach); };
    const QLine line(coordinate(kW), coordinate(kH), coordinate(kW), coordinate(kH));
    const std::string difference = FirstDifference(QtLine(kW, kH, line), WrittenLine(kW, kH, line));
    ASSERT_EQ(difference, "") << "line " << line.x1() << "," << line.y1() << " - " << line.x2() << "," << line.y2();
    ++compared;
  }
  EXPECT_EQ(compared, 8000);
}

TEST(PixelLines, SamePixelsAsQtsCosmeticPenForTheMapsStraightLines) {
  // The meridian and the altitude lines start and end one pixel outside the picture.
  constexpr int kW = 105;
  constexpr int kH = 66;
  for (const QLine line : {QLine(52, -1, 52, kH), QLine(-1, 30, kW + 1, 30), QLine(0, 0, 0, 0), QLine(kW - 1, kH - 1, kW - 1, kH - 1),
                           QLine(3, 3, 40, 4), QLine(40, 4, 3, 3), QLine(-1, -1, kW, kH)}) {
    EXPECT_EQ(FirstDifference(QtLine(kW, kH, line), WrittenLine(kW, kH, line)), "")
        << "line " << line.x1() << "," << line.y1() << " - " << line.x2() << "," << line.y2();
  }
}

TEST(PixelLines, NoWriteOutsideTheImageForAnyCoordinates) {
  // The image sits inside a larger buffer; the margin must stay untouched.
  constexpr int kW = 37;
  constexpr int kH = 23;
  constexpr int kMargin = 8;
  constexpr int kStride = kW + 2 * kMargin;
  constexpr std::uint32_t kUntouched = 0x12345678u;
  std::vector<std::uint32_t> buffer(static_cast<std::size_t>(kStride * (kH + 2 * kMargin)), kUntouched);
  const PixelTarget target{buffer.data() + kMargin * kStride + kMargin, kStride, kW, kH};
  const int extremes[] = {INT_MIN, INT_MIN + 1, -1'000'000'000, -70000, -2, -1, 0, 1, kW - 1, kW, kW + 1,
                          70000, 1'000'000'000, INT_MAX - 1, INT_MAX};
  QRandomGenerator random(61);
  const auto any = [&] {
    return random.bounded(3) == 0 ? extremes[random.bounded(static_cast<int>(std::size(extremes)))]
                                  : static_cast<int>(random.generate());
  };
  long long drawn = 0;
  for (int i = 0; i < 20000; ++i) {
    WriteLine(target, any(), any(), any(), any(), kColour);
    WriteRect(target, any(), any(), any(), any(), kColour);
  }
  for (const int a : extremes) {
    for (const int b : extremes) {
      WriteLine(target, a, b, b, a, kColour);
      WriteLine(target, a, a, b, b, kColour);
      WriteRect(target, a, b, INT_MAX, INT_MAX, kColour);
    }
  }
  for (int y = 0; y < kH + 2 * kMargin; ++y) {
    for (int x = 0; x < kStride; ++x) {
      const bool inside = x >= kMargin && x < kMargin + kW && y >= kMargin && y < kMargin + kH;
      const std::uint32_t p = buffer[static_cast<std::size_t>(y * kStride + x)];
      if (inside) {
        drawn += p == kColour ? 1 : 0;
      } else {
        ASSERT_EQ(p, kUntouched) << "written outside the image at buffer " << x << "," << y;
      }
    }
  }
  EXPECT_GT(drawn, 0) << "the lines across the image drew nothing";
}

TEST(PixelLines, RectanglesAsQtsFillRect) {
  constexpr int kW = 29;
  constexpr int kH = 17;
  QRandomGenerator random(4);
  for (int i = 0; i < 2000; ++i) {
    const QRect rect(random.bounded(-10, kW + 10), random.bounded(-10, kH + 10), random.bounded(1, 20),
                     random.bounded(1, 20));
    QImage qt = Black(kW, kH);
    {
      QPainter painter(&qt);
      painter.fillRect(rect, QColor::fromRgb(kColour));
    }
    QImage written = Black(kW, kH);
    WriteRect(TargetOf(written), rect.x(), rect.y(), rect.width(), rect.height(), kColour);
    ASSERT_EQ(FirstDifference(qt, written), "") << "rectangle " << rect.x() << "," << rect.y() << " " << rect.width()
                                                << "x" << rect.height();
  }
}

}  // namespace
}  // namespace zenitra
