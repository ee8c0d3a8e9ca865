#include "sky/sky_bodies.h"

#include <QPainter>
#include <cmath>
#include <limits>
#include <map>
#include <numbers>
#include <vector>

#include "core/degree_math.h"
#include "core/moon_position.h"
#include "sky/sky_renderer.h"
#include "ui/body_pictures.h"

namespace zenitra {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr int kSunPicture = 1160;
constexpr int kJupiterPicture = 1175;
constexpr int kFirstMoonPhasePicture = 1460;
constexpr BodyIndex kVenus = 1;

// Panel sizes and places.
constexpr int kVenusPanelWidth = 160;
constexpr int kVenusPanelHeight = 250;
constexpr double kVenusFrameX = 100.0;  // the frame of the phase geometry; the disc is drawn
constexpr double kVenusFrameY = 110.0;  // kVenusShift pixels further left
constexpr int kVenusShift = 15;

void DrawPicture(SkyCanvas& canvas, int number, int x, int y) {
  const QImage& image = CachedSkyBitmap(number);
  if (!image.isNull()) canvas.DrawImage(x, y, image);
}

// The box (x1, y1)-(x2, y2) of an ellipse excludes its right and bottom edge; a 1-pixel outline of
// the Qt rectangle (x, y, w, h) covers x..x + w, so the rectangle is one pixel smaller.
QRect EllipseBox(int x1, int y1, int x2, int y2) { return QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1); }

QPoint Rounded(QPointF p) { return {RoundHalfEven(p.x()), RoundHalfEven(p.y())}; }

}  // namespace

std::optional<BodyPicture> MapPlanetPicture(std::string_view name) {
  if (name == "Merkur") return BodyPicture{1171, -4, -4};
  if (name == "Venus") return BodyPicture{1172, -4, -4};
  if (name == "Mars") return BodyPicture{1174, -4, -4};
  if (name == "Jupiter") return BodyPicture{1175, -4, -4};
  if (name == "Saturn") return BodyPicture{1176, -9, -4};
  if (name == "Uranus") return BodyPicture{1177, -4, -4};
  return std::nullopt;
}

const QImage& CachedSkyBitmap(int number) {
  static const std::map<int, QImage> bitmaps = [] {
    std::map<int, QImage> m;
    std::vector<int> numbers = {kSunPicture, 1171, 1172, 1174, 1175, 1176, 1177};
    for (int i = 0; i < 8; ++i) numbers.push_back(kFirstMoonPhasePicture + i);
    for (int n : numbers) {
      if (std::optional<QImage> image = SkyBitmap(n)) {
        m.emplace(n, image->convertToFormat(QImage::Format_ARGB32_Premultiplied));
      }
    }
    return m;
  }();
  static const QImage none;
  const auto it = bitmaps.find(number);
  return it == bitmaps.end() ? none : it->second;
}

// ---- placement -------------------------------------------------------------------------------

SkyPlace PlanetSkyPlace(const PlanetEphemeris& e) {
  const double hours = e.RightAscensionHours + e.RightAscensionMinutes / 60.0;
  const double degrees = e.DeclinationDegrees + e.DeclinationMinutes / 60.0;
  return {hours * kPi / 12.0, degrees * kPi / 180.0};
}

SkyPlace SunSkyPlace(double earthLongitudeDeg) {
  // The Sun on the ecliptic at the Earth's longitude turned round, referred to the equator of
  // J2000 with the obliquity 23.4392911 deg (Meeus, eq. 13.3 and 13.4 with latitude 0).
  const double lambda = (earthLongitudeDeg + 180.0) * kPi / 180.0;
  constexpr double kObliquity = 23.4392911 * kPi / 180.0;
  double alpha = std::atan2(std::cos(kObliquity) * std::sin(lambda), std::cos(lambda));
  if (alpha < 0.0) alpha += 2.0 * kPi;
  return {alpha, std::asin(std::sin(kObliquity) * std::sin(lambda))};
}

int MoonPhaseStep(double moonAlphaRad, double earthLongitudeDeg) {
  double lambdaSun = (earthLongitudeDeg + 180.0) * kPi / 180.0;
  if (lambdaSun > 2.0 * kPi) lambdaSun -= 2.0 * kPi;
  const double k = (moonAlphaRad - lambdaSun) * 4.0 / kPi;
  if (!std::isfinite(k)) return std::numeric_limits<int>::min();
  return RoundHalfEven(k);
}

std::optional<int> MoonPhasePicture(int k) {
  if (k >= -8 && k <= -1) return kFirstMoonPhasePicture + k + 8;
  if (k >= 0 && k <= 7) return kFirstMoonPhasePicture + k;
  if (k == 8) return kFirstMoonPhasePicture;
  return std::nullopt;
}

void DrawSolarSystemBodies(SkyCanvas& canvas, const ProjectionFrame& frame, const Location& place, bool moonOn,
                           ScreenPoint& point, PositionRegister& bodies) {
  canvas.FlushLines();
  const double jd = frame.Moment;
  for (const std::string_view name : kMapPlanets) {
    const PlanetPlace planet = ComputePlanet(name, jd, place.LatitudeDeg, place.LongitudeDeg, place.ZoneHours);
    const SkyPlace sky = PlanetSkyPlace(planet.Ephemeris);
    if (!ProjectToScreen(frame, sky.AlphaRad, sky.DeltaRad, point)) continue;
    const BodyPicture picture = *MapPlanetPicture(name);
    DrawPicture(canvas, picture.Number, point.X + picture.Dx, point.Y + picture.Dy);
    const QString text = QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
    canvas.TextOut(point.X + 4, point.Y + 4, text);
    bodies.Add(point.X, point.Y, text);
  }

  // The Sun: the Earth's heliocentric longitude turned round, its ecliptic longitude standing in
  // for the right ascension.
  PlanetPlace earth;
  ComputePlanet("Erde", jd, place.LatitudeDeg, place.LongitudeDeg, place.ZoneHours, earth);
  const double earthLongitude = earth.Ephemeris.HeliocentricLongitude;
  const SkyPlace sun = SunSkyPlace(earthLongitude);
  if (ProjectToScreen(frame, sun.AlphaRad, sun.DeltaRad, point)) {
    DrawPicture(canvas, kSunPicture, point.X - 8, point.Y - 9);
    canvas.TextOut(point.X + 8, point.Y + 8, QStringLiteral("Sonne"));
    bodies.Add(point.X, point.Y, QStringLiteral("Sonne"));
  }
  if (moonOn) {
    // The phase uses the same Sun longitude (a second computation for the same moment gives the
    // same value).
    const MoonLowPrecisionValue moon = MoonLowPrecision(jd);
    const double alpha = moon.RightAscension * kPi / 180.0;
    const double delta = moon.Declination * kPi / 180.0;
    if (ProjectOfDateToScreen(frame, alpha, delta, point)) {
      if (const std::optional<int> picture = MoonPhasePicture(MoonPhaseStep(alpha, earthLongitude))) {
        DrawPicture(canvas, *picture, point.X - 7, point.Y - 7);
      }
      canvas.TextOut(point.X + 4, point.Y + 4, QStringLiteral("Mond"));
      bodies.Add(point.X, point.Y, QStringLiteral("Mond"));
    }
  }
}

// ---- Galilean moons panel --------------------------------------------------------------------

bool GalileanPanelShown(int year) { return year >= 1900 && year <= 2100; }

bool HiddenBehindJupiter(int px, int pz) { return pz <= 25 && px >= 151 && px <= 169; }

std::array<GalileanMoonMark, 4> GalileanMoonMarks(const std::array<MoonOffset, 4>& moons) {
  const std::array<std::pair<const char*, QColor>, 4> names = {{{"Io", panel_colours::Io},
                                                                 {"Europa", panel_colours::Europa},
                                                                 {"Ganymed", panel_colours::Ganymed},
                                                                 {"Kallisto", panel_colours::Kallisto}}};
  std::array<GalileanMoonMark, 4> marks;
  for (std::size_t i = 0; i < 4; ++i) {
    GalileanMoonMark& m = marks[i];
    m.Name = QString::fromLatin1(names[i].first);
    m.Colour = names[i].second;
    m.Px = RoundHalfEven(160.0 - 5.5 * moons[i].X);
    m.Py = RoundHalfEven(25.0 + 6.0 * moons[i].Y);
    m.Pz = RoundHalfEven(25.0 - 5.5 * moons[i].Z);
    m.Hidden = HiddenBehindJupiter(m.Px, m.Pz);
  }
  return marks;
}

void DrawGalileanMoonsPanel(SkyCanvas& canvas, const std::array<MoonOffset, 4>& moons) {
  canvas.FlushLines();
  canvas.Raster([](QPainter& painter) {
    painter.setPen(QPen(Qt::white, 0));
    painter.setBrush(Qt::black);
    painter.drawRect(QRect(1, 1, 318, 58));  // the rectangle (1, 1)-(320, 60)
  });
  canvas.SetPen(Qt::black);
  DrawPicture(canvas, kJupiterPicture, 152, 21);
  const std::array<GalileanMoonMark, 4> marks = GalileanMoonMarks(moons);
  canvas.Raster([&marks](QPainter& painter) {
    painter.setPen(QPen(Qt::black, 0));
    for (const GalileanMoonMark& m : marks) {
      if (m.Hidden) continue;
      painter.setBrush(m.Colour);
      painter.drawEllipse(EllipseBox(m.Px - 4, m.Py - 4, m.Px + 4, m.Py + 4));
    }
    painter.setBrush(Qt::NoBrush);
  });
  canvas.SetFont(SkyFontFamily(), 8);
  int x = 10;
  for (const GalileanMoonMark& m : marks) {
    canvas.SetFontColour(m.Colour);
    canvas.TextOut(x, 42, m.Name);
    x += canvas.TextWidth(m.Name) + 10;
  }
}

// ---- Venus phase panel -----------------------------------------------------------------------

std::optional<PanelCircle> CircleThroughPoints(QPointF p1, QPointF p2, QPointF p3) {
  const double x1 = p1.x(), y1 = p1.y(), x2 = p2.x(), y2 = p2.y(), x3 = p3.x(), y3 = p3.y();
  const double det = 2.0 * (x1 * (y2 - y3) + x2 * (y3 - y1) + x3 * (y1 - y2));
  if (det == 0.0 || !std::isfinite(det)) return std::nullopt;
  const double q1 = x1 * x1 + y1 * y1, q2 = x2 * x2 + y2 * y2, q3 = x3 * x3 + y3 * y3;
  const QPointF centre((q1 * (y2 - y3) + q2 * (y3 - y1) + q3 * (y1 - y2)) / det,
                       (q1 * (x3 - x2) + q2 * (x1 - x3) + q3 * (x2 - x1)) / det);
  // Radius by the sine rule: a / sin A = 2 rho, A the angle at P1 opposite the side a = P2P3.
  const double a = std::hypot(x3 - x2, y3 - y2);
  const double b = std::hypot(x3 - x1, y3 - y1);
  const double c = std::hypot(x2 - x1, y2 - y1);
  double rho = 0.0;
  if (b > 0.0 && c > 0.0) {
    const double cosA = std::clamp((b * b + c * c - a * a) / (2.0 * b * c), -1.0, 1.0);
    const double sinA = std::sin(std::acos(cosA));
    rho = sinA == 0.0 ? 0.0 : std::fabs(a / sinA / 2.0);
  }
  // Nearly collinear points give a circle far larger than anything drawable.
  if (!std::isfinite(centre.x()) || !std::isfinite(centre.y()) || !std::isfinite(rho) || rho > 1e6 ||
      std::fabs(centre.x()) > 1e6 || std::fabs(centre.y()) > 1e6) {
    return std::nullopt;
  }
  return PanelCircle{centre, rho};
}

VenusPhaseGeometry VenusPhaseGeometryOf(double p, double i, double d) {
  VenusPhaseGeometry g;
  const double k = (1.0 + CosDeg(i)) / 2.0;
  const double chi = p - 90.0;
  g.IlluminatedFraction = k;
  g.S = std::fabs(k - 0.5) < 0.002 ? 2.0 * d * 0.01 : 2.0 * d * (0.5 - k);
  const auto limb = [&](double angle, double r) {
    return QPointF(kVenusFrameX + r * SinDeg(angle), kVenusFrameY - r * CosDeg(angle));
  };
  g.P1 = limb(chi, d);
  g.P3 = limb(chi + 180.0, d);
  g.P4 = limb(chi + 90.0, d);
  g.P2 = QPointF(kVenusFrameX - g.S * SinDeg(chi + 90.0), kVenusFrameY + g.S * CosDeg(chi + 90.0));
  g.DarkPartDrawn = k < 0.96;
  if (g.DarkPartDrawn) g.Terminator = CircleThroughPoints(g.P1, g.P2, g.P3);
  return g;
}

QString GroupedNumber(double value, int decimals, const QLocale& locale) {
  QLocale l = locale;
  l.setNumberOptions(l.numberOptions() & ~QLocale::OmitGroupSeparator);
  return l.toString(value, 'f', decimals);
}

std::array<QString, 4> VenusPanelTexts(const PhysicalData& venus, const QLocale& locale) {
  const double k = (1.0 + CosDeg(venus.PhaseAngleDeg)) / 2.0;
  return {QStringLiteral("Venusscheibe"),
          QStringLiteral("Durchmesser ") + GroupedNumber(venus.ApparentDiameterArcsec, 2, locale) + u'"',
          QStringLiteral("Helligkeit ") + GroupedNumber(venus.Magnitude, 2, locale) + QStringLiteral(" mag"),
          QStringLiteral("Beleuchteter Teil ") + GroupedNumber(100.0 * k, 1, locale)};
}

int FloodFill(QImage& image, QPoint seed, QRgb target, QRgb replacement) {
  if (!image.rect().contains(seed)) return 0;
  if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32) {
    image = image.convertToFormat(QImage::Format_RGB32);
  }
  const auto same = [](QRgb a, QRgb b) { return (a & 0xFFFFFFu) == (b & 0xFFFFFFu); };
  if (same(target, replacement) || !same(image.pixel(seed), target)) return 0;
  const int w = image.width();
  const int h = image.height();
  int filled = 0;
  std::vector<QPoint> stack{seed};
  // Row spans: each popped point fills its run left and right and queues the rows above and below.
  while (!stack.empty()) {
    const QPoint p = stack.back();
    stack.pop_back();
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(p.y()));
    if (!same(row[p.x()], target)) continue;
    int left = p.x();
    while (left > 0 && same(row[left - 1], target)) --left;
    int right = p.x();
    while (right + 1 < w && same(row[right + 1], target)) ++right;
    for (int x = left; x <= right; ++x) row[x] = replacement;
    filled += right - left + 1;
    for (const int y : {p.y() - 1, p.y() + 1}) {
      if (y < 0 || y >= h) continue;
      const auto* next = reinterpret_cast<const QRgb*>(image.constScanLine(y));
      bool inRun = false;
      for (int x = left; x <= right; ++x) {
        const bool match = same(next[x], target);
        if (match && !inRun) stack.emplace_back(x, y);
        inRun = match;
      }
    }
  }
  return filled;
}

QImage VenusPhasePanel(const PhysicalData& venus, const QLocale& locale) {
  QImage image(kVenusPanelWidth, kVenusPanelHeight, QImage::Format_RGB32);
  image.setDotsPerMeterX(3780);  // 96 dpi, as the map
  image.setDotsPerMeterY(3780);
  image.fill(Qt::black);
  const double d = venus.ApparentDiameterArcsec;  // arc seconds drawn as pixels
  const QRgb yellow = panel_colours::VenusDisc.rgb();
  const QRgb black = QColor(Qt::black).rgb();
  const VenusPhaseGeometry g = VenusPhaseGeometryOf(venus.BrightLimbAngleDeg, venus.PhaseAngleDeg, d);
  const bool discDrawable = std::isfinite(d) && std::fabs(d) < 1e4;

  std::optional<QRect> terminatorBox;
  if (g.Terminator) {
    const PanelCircle& t = *g.Terminator;
    terminatorBox = EllipseBox(RoundHalfEven(t.Centre.x() - t.Radius) - kVenusShift,
                               RoundHalfEven(t.Centre.y() - t.Radius),
                               RoundHalfEven(t.Centre.x() + t.Radius) - kVenusShift,
                               RoundHalfEven(t.Centre.y() + t.Radius));
  }
  const QPoint shift(kVenusShift, 0);
  {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (discDrawable) {
      painter.setPen(QPen(panel_colours::VenusDisc, 0));
      painter.setBrush(panel_colours::VenusDisc);
      painter.drawEllipse(EllipseBox(RoundHalfEven(85.0 - d), RoundHalfEven(110.0 - d), RoundHalfEven(86.0 + d),
                                     RoundHalfEven(111.0 + d)));
    }
    if (discDrawable && g.DarkPartDrawn && terminatorBox) {
      painter.setPen(QPen(Qt::black, 0));
      if (g.IlluminatedFraction >= 0.5) {
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(*terminatorBox);
      } else {
        painter.setBrush(Qt::black);
        painter.drawEllipse(*terminatorBox);
        if (g.IlluminatedFraction > 0.498) painter.drawLine(Rounded(g.P1) - shift, Rounded(g.P3) - shift);
      }
    }
  }
  // The flood fills work on the pixels between two painter passes (integer work: the vector state
  // the painter leaves does not slow it; the map resets it when it draws the panel).
  if (discDrawable && g.DarkPartDrawn && terminatorBox) {
    if (g.IlluminatedFraction >= 0.5) {
      FloodFill(image, Rounded((g.P2 + g.P4) / 2.0) - shift, yellow, black);
      QPainter painter(&image);
      painter.setPen(QPen(Qt::black, 0));
      painter.setBrush(Qt::NoBrush);
      painter.drawEllipse(terminatorBox->adjusted(-1, -1, 1, 1));
    } else if (g.IlluminatedFraction > 0.498) {
      const QPointF mirror(2.0 * kVenusFrameX - g.P2.x(), 2.0 * kVenusFrameY - g.P2.y());
      FloodFill(image, Rounded(mirror) - shift, yellow, black);
    }
  }
  {
    QPainter painter(&image);
    SkyCanvas canvas(painter);
    canvas.SetFontColour(Qt::white);
    const std::array<QString, 4> texts = VenusPanelTexts(venus, locale);
    canvas.TextOut(15, 10, texts[0]);
    canvas.TextOut(15, 200, texts[1]);
    canvas.TextOut(15, 215, texts[2]);
    canvas.TextOut(15, 230, texts[3]);
    painter.setPen(QPen(Qt::white, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(1, 1, 157, 247));  // the rectangle (1, 1)-(159, 249)
  }
  return image;
}

void DrawSkyPanels(SkyCanvas& canvas, const ProjectionFrame& frame, const ShownMoment& moment,
                   const DisplaySwitches& switches, const QLocale& locale) {
  if (switches.Jupiter && GalileanPanelShown(moment.Year)) DrawGalileanMoonsPanel(canvas, GalileanMoons(frame.Moment));
  if (switches.Venus) {
    // The shown calendar date and whole clock hour, without a zone correction. The panel depends
    // on nothing else but the number format, so an animation makes it once per shown hour rather
    // than on every frame (the drawing runs on the GUI thread only).
    struct VenusPanel {
      int Day, Month, Year, Hour;
      QString Locale;
      std::optional<QImage> Image;
    };
    static std::optional<VenusPanel> last;
    const QString localeName = locale.name();
    if (!last || last->Day != moment.Day || last->Month != moment.Month || last->Year != moment.Year ||
        last->Hour != moment.Hour || last->Locale != localeName) {
      const std::optional<PhysicalData> venus =
          PhysicalEphemeris(kVenus, moment.Day, moment.Month, moment.Year, moment.Hour);
      last = VenusPanel{moment.Day, moment.Month, moment.Year, moment.Hour, localeName,
                        venus ? std::optional<QImage>(VenusPhasePanel(*venus, locale)) : std::nullopt};
    }
    if (last->Image) {
      canvas.FlushLines();
      canvas.DrawImage(frame.Width - kVenusPanelWidth, 0, *last->Image);
    }
  }
}

}  // namespace zenitra
