#include "ui/body_pictures.h"

#include <QFile>

#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE and size_t declared first
#include <limits>

#include <jpeglib.h>

namespace zenitra {

namespace {

// libjpeg's default error manager prints and calls exit(). This one jumps back to the setjmp
// in DecodeJpegInto instead.
struct JpegErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

[[noreturn]] void JpegErrorExit(j_common_ptr info) {
  auto* manager = reinterpret_cast<JpegErrorManager*>(info->err);
  std::longjmp(manager->jump, 1);
}

// Warnings (e.g. "premature end of data segment", "corrupt data: bad Huffman code") mean that
// libjpeg would invent the missing pixels. A damaged picture is refused rather than shown.
void JpegEmitMessage(j_common_ptr info, int msgLevel) {
  if (msgLevel < 0) JpegErrorExit(info);
}

void JpegSilentOutput(j_common_ptr) {}

// Guards against absurd headers: no picture of this program is anywhere near this size.
constexpr JDIMENSION kMaxJpegSide = 16384;

std::optional<QImage> LoadBitmap(const QString& path) {
  QImage image;
  if (!image.load(path, "PNG")) return std::nullopt;
  return WithBlackTransparent(image);
}

QString PicturePath(const QString& fileName) { return QStringLiteral(":/pictures/") + fileName; }

// Decodes into *image, which belongs to the caller. Every local here is trivially destructible
// and the row buffer comes from libjpeg's own pool, so a longjmp from inside libjpeg skips no
// destructor; jpeg_destroy_decompress frees everything libjpeg allocated (it is safe on the
// zero-initialised struct, too).
bool DecodeJpegInto(const unsigned char* bytes, unsigned long size, QImage* image) {
  jpeg_decompress_struct info{};
  JpegErrorManager errors{};
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = JpegErrorExit;
  errors.base.emit_message = JpegEmitMessage;
  errors.base.output_message = JpegSilentOutput;
  if (setjmp(errors.jump) != 0) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, bytes, size);
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK || info.image_width == 0 ||
      info.image_height == 0 || info.image_width > kMaxJpegSide ||
      info.image_height > kMaxJpegSide) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
  jpeg_start_decompress(&info);
  const int components = info.output_components;
  if (components != 3 && components != 4) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  const int width = static_cast<int>(info.output_width);
  *image = QImage(width, static_cast<int>(info.output_height), QImage::Format_RGB32);
  if (image->isNull()) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                             info.output_width * static_cast<JDIMENSION>(components), 1);
  while (info.output_scanline < info.output_height) {
    const int y = static_cast<int>(info.output_scanline);
    if (jpeg_read_scanlines(&info, row, 1) != 1) {
      jpeg_destroy_decompress(&info);
      return false;
    }
    auto* out = reinterpret_cast<QRgb*>(image->scanLine(y));
    const JSAMPLE* p = row[0];
    for (int x = 0; x < width; ++x, p += components) {
      if (components == 3) {
        out[x] = qRgb(p[0], p[1], p[2]);
      } else {
        // Adobe CMYK JPEGs store inverted values: c' = 255 - c, so R = c' * k' / 255.
        out[x] = qRgb(p[0] * p[3] / 255, p[1] * p[3] / 255, p[2] * p[3] / 255);
      }
    }
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

}  // namespace

std::optional<QImage> DecodeJpeg(const QByteArray& data) {
  if (data.isEmpty() ||
      static_cast<unsigned long long>(data.size()) > std::numeric_limits<unsigned long>::max()) {
    return std::nullopt;
  }
  QImage image;
  if (!DecodeJpegInto(reinterpret_cast<const unsigned char*>(data.constData()),
                      static_cast<unsigned long>(data.size()), &image)) {
    return std::nullopt;
  }
  return image;
}

QImage WithBlackTransparent(const QImage& image) {
  QImage result = image.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < result.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
    for (int x = 0; x < result.width(); ++x) {
      const QRgb c = line[x];
      line[x] = (qRed(c) == 0 && qGreen(c) == 0 && qBlue(c) == 0)
                    ? qRgba(0, 0, 0, 0)
                    : qRgba(qRed(c), qGreen(c), qBlue(c), 255);
    }
  }
  return result;
}

std::optional<QImage> SkyBitmap(int number) {
  const bool known = number == 1160 || number == 1171 || number == 1172 ||
                     (number >= 1174 && number <= 1177) || (number >= 1460 && number <= 1467);
  if (!known) return std::nullopt;
  return LoadBitmap(PicturePath(QString::number(number) + QStringLiteral(".png")));
}

std::optional<QImage> OrbitBitmap(int number) {
  const bool known = number == 1158 || (number >= 1171 && number <= 1178);
  if (!known) return std::nullopt;
  return LoadBitmap(PicturePath(QString::number(number) + QStringLiteral(".png")));
}

std::optional<QImage> InformationPicture(const QString& resourceName) {
  static const char* const kFiles[] = {"PL10", "PL9", "pl1", "pl2", "pl4", "pl5", "pl6", "pl7"};
  for (const char* file : kFiles) {
    const QString name = QString::fromLatin1(file);
    if (name.compare(resourceName, Qt::CaseInsensitive) != 0) continue;
    QFile resource(PicturePath(name + QStringLiteral(".jpg")));
    if (!resource.open(QIODevice::ReadOnly)) return std::nullopt;
    return DecodeJpeg(resource.readAll());
  }
  return std::nullopt;
}

std::optional<QString> PlanetPictureName(const QString& planetName) {
  struct Entry {
    const char* planet;
    const char* picture;
  };
  static const Entry kPictures[] = {{"Merkur", "pl1"}, {"Venus", "pl2"},  {"Mars", "pl4"},
                                    {"Jupiter", "pl5"}, {"Saturn", "pl6"}, {"Uranus", "pl7"}};
  for (const Entry& e : kPictures) {
    if (planetName == QLatin1String(e.planet)) return QString::fromLatin1(e.picture);
  }
  return std::nullopt;
}

std::optional<QImage> PlanetPicture(const QString& planetName) {
  const std::optional<QString> name = PlanetPictureName(planetName);
  if (!name) return std::nullopt;
  return InformationPicture(*name);
}

QByteArray MoonPhaseStripGif() {
  QFile resource(PicturePath(QStringLiteral("s3.gif")));
  if (!resource.open(QIODevice::ReadOnly)) return {};
  return resource.readAll();
}

}  // namespace zenitra
