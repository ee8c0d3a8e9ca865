// Draws the horizon panorama of the sky map and writes it as two GIF pictures of 2000 x 160:
//   s36s.gif  the landscape in colour on a pure white sky
//   s37s.gif  its mask: white where the landscape is, black where the sky shows
// The landscape: two ranges of rolling hills, fields, forests of spruce and broad-leaved trees, a
// farm, a village with red roofs and a church with a pointed spire, a windmill. Everything is drawn
// without anti-aliasing from a small fixed palette, so the mask has clean edges and no pixel of the
// landscape is pure white. The map draws the picture with its bottom edge on the window's bottom
// edge; the horizon line lies 28 pixels above it, so the ground reaches at least that high.
//
// Build and run:  cmake --build build --target zenitra_make_panorama
//                 build/zenitra_make_panorama resources/pictures
#include <gif_lib.h>

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 2000;
constexpr int kHeight = 160;

// A small deterministic generator (64-bit LCG) so that the tool always draws the same picture.
class Random {
 public:
  explicit Random(unsigned long long seed) : state_(seed) {}
  double Next() {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<double>(state_ >> 11) / 9007199254740992.0;
  }
  double Between(double a, double b) { return a + (b - a) * Next(); }

 private:
  unsigned long long state_;
};

// Palette.
const QColor kFarHill(112, 138, 128);
const QColor kNearHill(70, 112, 58);
const QColor kField(104, 138, 64);
const QColor kFieldDark(84, 118, 52);
const QColor kMeadowFront(58, 92, 44);
const QColor kSpruce(30, 66, 40);
const QColor kSpruceDark(22, 50, 30);
const QColor kLeafTree(54, 100, 42);
const QColor kLeafTreeLight(76, 124, 52);
const QColor kTrunk(90, 62, 40);
const QColor kWall(214, 198, 168);
const QColor kWallShade(180, 164, 138);
const QColor kRoof(156, 54, 40);
const QColor kRoofDark(120, 40, 30);
const QColor kWindow(52, 56, 70);
const QColor kChurchWall(226, 220, 206);
const QColor kSpire(60, 72, 80);
const QColor kGold(200, 170, 60);
const QColor kWood(110, 80, 52);
const QColor kSail(236, 230, 214);

// Hill profile: top row of a range at column x.
double HillTop(double x, double base, double amplitude, double phase) {
  return base - amplitude * (0.55 * std::sin(x / 173.0 + phase) + 0.3 * std::sin(x / 71.0 + 2.0 * phase) +
                             0.15 * std::sin(x / 29.0 + 3.0 * phase));
}

void FillBelow(QPainter& p, const QColor& colour, double base, double amplitude, double phase) {
  QPolygon poly;
  poly << QPoint(0, kHeight);
  for (int x = 0; x <= kWidth; x += 2) poly << QPoint(x, static_cast<int>(std::lround(HillTop(x, base, amplitude, phase))));
  poly << QPoint(kWidth, kHeight);
  p.setPen(colour);
  p.setBrush(colour);
  p.drawPolygon(poly);
}

int NearGround(int x) { return static_cast<int>(std::lround(HillTop(x, 124.0, 7.0, 1.3))); }

void Spruce(QPainter& p, int x, int ground, int height, const QColor& colour) {
  p.setPen(colour);
  p.setBrush(colour);
  const int tiers = 3;
  for (int t = 0; t < tiers; ++t) {
    const int top = ground - height + t * height / 4;
    const int bottom = ground - height / 6 - (tiers - 1 - t) * height / 6;
    const int half = (bottom - top) / 2 + 2;
    p.drawPolygon(QPolygon({QPoint(x, top), QPoint(x + half, bottom), QPoint(x - half, bottom)}));
  }
  p.setPen(kTrunk);
  p.setBrush(kTrunk);
  p.drawRect(x - 1, ground - height / 6, 1, height / 6);
}

void LeafTree(QPainter& p, Random& r, int x, int ground, int height) {
  p.setPen(kTrunk);
  p.setBrush(kTrunk);
  p.drawRect(x - 1, ground - height / 2, 2, height / 2);
  const int crown = height * 2 / 3;
  for (int i = 0; i < 4; ++i) {
    const QColor c = i % 2 == 0 ? kLeafTree : kLeafTreeLight;
    p.setPen(c);
    p.setBrush(c);
    const int dx = static_cast<int>(r.Between(-crown / 4.0, crown / 4.0));
    const int dy = static_cast<int>(r.Between(-crown / 6.0, crown / 6.0));
    const int d = static_cast<int>(crown * r.Between(0.6, 0.8));
    p.drawEllipse(x + dx - d / 2, ground - height + crown / 4 + dy, d, d);
  }
}

void House(QPainter& p, int x, int ground, int width, int wallHeight, int roofHeight, bool shade) {
  p.setPen(shade ? kWallShade : kWall);
  p.setBrush(shade ? kWallShade : kWall);
  p.drawRect(x, ground - wallHeight, width, wallHeight + 4);
  p.setPen(shade ? kRoofDark : kRoof);
  p.setBrush(shade ? kRoofDark : kRoof);
  p.drawPolygon(QPolygon({QPoint(x - 2, ground - wallHeight), QPoint(x + width / 2, ground - wallHeight - roofHeight),
                          QPoint(x + width + 2, ground - wallHeight)}));
  p.setPen(kWindow);
  p.setBrush(kWindow);
  for (int wx = x + 3; wx + 3 <= x + width - 2; wx += 6) p.drawRect(wx, ground - wallHeight + 3, 2, 3);
}

void Church(QPainter& p, int x, int ground) {
  // Nave with a steep roof.
  p.setPen(kChurchWall);
  p.setBrush(kChurchWall);
  p.drawRect(x + 14, ground - 22, 40, 26);
  p.setPen(kRoof);
  p.setBrush(kRoof);
  p.drawPolygon(QPolygon({QPoint(x + 12, ground - 22), QPoint(x + 34, ground - 40), QPoint(x + 56, ground - 22)}));
  p.setPen(kWindow);
  p.setBrush(kWindow);
  for (int wx = x + 20; wx < x + 52; wx += 9) p.drawRect(wx, ground - 17, 3, 8);
  // Tower with a clock, belfry openings and a pointed spire with a cross.
  p.setPen(kChurchWall);
  p.setBrush(kChurchWall);
  p.drawRect(x, ground - 62, 16, 66);
  p.setPen(kWindow);
  p.setBrush(kWindow);
  p.drawRect(x + 3, ground - 57, 3, 7);
  p.drawRect(x + 10, ground - 57, 3, 7);
  p.drawRect(x + 6, ground - 26, 4, 8);
  p.setPen(kGold);
  p.setBrush(kChurchWall);
  p.drawEllipse(x + 4, ground - 45, 8, 8);
  p.drawLine(x + 8, ground - 41, x + 8, ground - 44);
  p.drawLine(x + 8, ground - 41, x + 10, ground - 41);
  p.setPen(kSpire);
  p.setBrush(kSpire);
  p.drawPolygon(QPolygon({QPoint(x - 2, ground - 62), QPoint(x + 8, ground - 104), QPoint(x + 18, ground - 62)}));
  p.setPen(kGold);
  p.drawLine(x + 8, ground - 105, x + 8, ground - 114);
  p.drawLine(x + 5, ground - 111, x + 11, ground - 111);
}

void Windmill(QPainter& p, int x, int ground) {
  p.setPen(kWood);
  p.setBrush(kWood);
  p.drawPolygon(QPolygon({QPoint(x - 7, ground + 2), QPoint(x - 4, ground - 30), QPoint(x + 4, ground - 30),
                          QPoint(x + 7, ground + 2)}));
  p.setPen(kRoofDark);
  p.setBrush(kRoofDark);
  p.drawPolygon(QPolygon({QPoint(x - 6, ground - 30), QPoint(x, ground - 37), QPoint(x + 6, ground - 30)}));
  p.setPen(kSail);
  p.setBrush(kSail);
  const int hx = x;
  const int hy = ground - 31;
  for (int i = 0; i < 4; ++i) {
    const double a = 0.35 + i * 3.14159265358979 / 2.0;
    const double ca = std::cos(a), sa = std::sin(a);
    const auto at = [&](double along, double across) {
      return QPoint(static_cast<int>(std::lround(hx + along * ca - across * sa)),
                    static_cast<int>(std::lround(hy + along * sa + across * ca)));
    };
    p.drawPolygon(QPolygon({at(3, 0), at(22, 0), at(22, 4), at(5, 4)}));
  }
}

QImage DrawLandscape() {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, false);
  Random r(20241224);

  FillBelow(p, kFarHill, 112.0, 16.0, 0.2);
  // Distant forest line on the far hills.
  for (int x = 0; x < kWidth; x += 3) {
    const double top = HillTop(x, 112.0, 16.0, 0.2);
    if (std::sin(x / 97.0) + 0.4 * std::sin(x / 23.0) > 0.5) {
      p.setPen(kSpruceDark);
      p.drawLine(x, static_cast<int>(top) - static_cast<int>(r.Between(2, 6)), x, static_cast<int>(top) + 2);
    }
  }
  FillBelow(p, kNearHill, 124.0, 7.0, 1.3);
  // Fields in strips.
  for (int x = 0; x < kWidth; x += 140) {
    p.setPen(kField);
    p.setBrush(kField);
    QPolygon field;
    for (int xx = x; xx <= x + 90; xx += 2) field << QPoint(xx, NearGround(xx) + 4);
    field << QPoint(x + 100, 140) << QPoint(x - 10, 140);
    p.drawPolygon(field);
    p.setPen(kFieldDark);
    for (int row = 0; row < 4; ++row) p.drawLine(x, 130 + row * 3, x + 95, 131 + row * 3);
  }
  // Front meadow: the ground reaches well above the horizon line 28 pixels from the bottom.
  p.setPen(kMeadowFront);
  p.setBrush(kMeadowFront);
  p.drawRect(0, 140, kWidth, kHeight - 140);

  // Forests: spruce stands and broad-leaved groups.
  const int forests[][2] = {{40, 260}, {520, 720}, {1560, 1760}, {1880, 2000}};
  for (const auto& f : forests) {
    for (int x = f[0]; x < f[1]; x += static_cast<int>(r.Between(6, 11))) {
      const int h = static_cast<int>(r.Between(26, 46));
      Spruce(p, x, NearGround(x) + 6, h, r.Next() < 0.5 ? kSpruce : kSpruceDark);
    }
  }
  for (int x = 300; x < 480; x += static_cast<int>(r.Between(14, 24))) LeafTree(p, r, x, NearGround(x) + 5, static_cast<int>(r.Between(24, 38)));
  for (int x = 1450; x < 1540; x += static_cast<int>(r.Between(14, 22))) LeafTree(p, r, x, NearGround(x) + 5, static_cast<int>(r.Between(24, 36)));
  // Single trees along a road.
  for (int x = 760; x < 1080; x += 38) LeafTree(p, r, x, NearGround(x) + 8, static_cast<int>(r.Between(20, 30)));

  // A farm with a barn.
  House(p, 380, NearGround(380) + 10, 30, 14, 10, false);
  House(p, 416, NearGround(416) + 10, 44, 12, 12, true);
  // The village around the church.
  const int village[][3] = {{1120, 26, 0}, {1150, 22, 1}, {1178, 30, 0}, {1270, 28, 1}, {1302, 24, 0},
                            {1332, 34, 1}, {1372, 22, 0}, {1398, 26, 1}};
  for (const auto& h : village) House(p, h[0], NearGround(h[0]) + 10, h[1], 13 + h[1] % 5, 9 + h[1] % 4, h[2] != 0);
  Church(p, 1214, NearGround(1214) + 10);
  // A windmill on a hill.
  Windmill(p, 1000, NearGround(1000) + 4);
  p.end();
  return image;
}

bool WriteGif(const QImage& image, const std::string& path) {
  std::map<QRgb, int> indexOf;
  std::vector<GifColorType> colours;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb c = image.pixel(x, y) | 0xFF000000u;
      if (indexOf.count(c) == 0) {
        if (colours.size() == 256) {
          std::fprintf(stderr, "more than 256 colours in %s\n", path.c_str());
          return false;
        }
        indexOf[c] = static_cast<int>(colours.size());
        colours.push_back({static_cast<GifByteType>(qRed(c)), static_cast<GifByteType>(qGreen(c)),
                           static_cast<GifByteType>(qBlue(c))});
      }
    }
  }
  int size = 2;
  while (size < static_cast<int>(colours.size())) size *= 2;
  colours.resize(static_cast<std::size_t>(size), GifColorType{0, 0, 0});
  ColorMapObject* map = GifMakeMapObject(size, colours.data());
  int error = 0;
  GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
  if (!gif) {
    GifFreeMapObject(map);
    std::fprintf(stderr, "cannot write %s: %s\n", path.c_str(), GifErrorString(error));
    return false;
  }
  bool ok = EGifPutScreenDesc(gif, image.width(), image.height(), 8, 0, map) == GIF_OK &&
            EGifPutImageDesc(gif, 0, 0, image.width(), image.height(), false, nullptr) == GIF_OK;
  std::vector<GifPixelType> line(static_cast<std::size_t>(image.width()));
  for (int y = 0; ok && y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) line[static_cast<std::size_t>(x)] = static_cast<GifPixelType>(indexOf[image.pixel(x, y) | 0xFF000000u]);
    ok = EGifPutLine(gif, line.data(), image.width()) == GIF_OK;
  }
  if (EGifCloseFile(gif, &error) != GIF_OK) ok = false;
  GifFreeMapObject(map);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
    return 2;
  }
  const QImage landscape = DrawLandscape();
  QImage mask(kWidth, kHeight, QImage::Format_RGB32);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const bool sky = (landscape.pixel(x, y) & 0xFFFFFFu) == 0xFFFFFFu;
      mask.setPixel(x, y, sky ? 0xFF000000u : 0xFFFFFFFFu);
    }
  }
  const std::string folder = argv[1];
  if (!WriteGif(landscape, folder + "/s36s.gif") || !WriteGif(mask, folder + "/s37s.gif")) return 1;
  return 0;
}
