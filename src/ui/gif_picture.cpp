#include "ui/gif_picture.h"

#include <gif_lib.h>

#include <QFile>
#include <algorithm>
#include <cstring>
#include <memory>

namespace zenitra {

namespace {

struct MemoryReader {
  const QByteArray* bytes;
  qsizetype offset;
};

int ReadFromMemory(GifFileType* gif, GifByteType* buffer, int length) {
  auto* reader = static_cast<MemoryReader*>(gif->UserData);
  const qsizetype available = reader->bytes->size() - reader->offset;
  const int n = static_cast<int>(std::clamp<qsizetype>(available, 0, length));
  std::memcpy(buffer, reader->bytes->constData() + reader->offset, static_cast<std::size_t>(n));
  reader->offset += n;
  return n;
}

struct GifCloser {
  void operator()(GifFileType* gif) const {
    int error = 0;
    DGifCloseFile(gif, &error);
  }
};

// GIF dimensions are 16-bit; anything larger than this is refused as implausible for our pictures.
constexpr int kMaxSide = 8192;

}  // namespace

QImage DecodeGif(const QByteArray& gifBytes) {
  MemoryReader reader{&gifBytes, 0};
  int error = 0;
  std::unique_ptr<GifFileType, GifCloser> gif(DGifOpen(&reader, ReadFromMemory, &error));
  if (!gif) return {};
  if (DGifSlurp(gif.get()) != GIF_OK || gif->ImageCount < 1) return {};
  const int width = gif->SWidth;
  const int height = gif->SHeight;
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return {};
  const SavedImage& frame = gif->SavedImages[0];
  const ColorMapObject* map = frame.ImageDesc.ColorMap ? frame.ImageDesc.ColorMap : gif->SColorMap;
  if (!map || !frame.RasterBits) return {};
  const GifImageDesc& d = frame.ImageDesc;
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  for (int row = 0; row < d.Height; ++row) {
    const int y = d.Top + row;
    if (y < 0 || y >= height) continue;
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int col = 0; col < d.Width; ++col) {
      const int x = d.Left + col;
      if (x < 0 || x >= width) continue;
      const int index = frame.RasterBits[static_cast<std::size_t>(row) * d.Width + col];
      if (index >= map->ColorCount) continue;
      const GifColorType& c = map->Colors[index];
      line[x] = qRgb(c.Red, c.Green, c.Blue);
    }
  }
  return image;
}

QImage LoadGifResource(const QString& name) {
  QFile file(QStringLiteral(":/pictures/%1.gif").arg(name));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return DecodeGif(file.readAll());
}

}  // namespace zenitra
