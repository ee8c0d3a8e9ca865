#include "sky/sky_renderer.h"

#include <QFontDatabase>
#include <QHash>
#include <QStaticText>
#include <QRawFont>
#include <cmath>
#include <numbers>

#include "core/angle_units.h"
#include "core/sin_cos.h"
#include "core/time_scales.h"
#include "sky/sky_bodies.h"
#include "ui/time_zone.h"

namespace zenitra {

namespace {


struct ZodiacSign {
  double Offset;
  const char16_t* Name;
};
// Offsets place each symbol within its 30-degree sector of right ascension.
constexpr ZodiacSign kZodiac[12] = {
    {1.5, u"Widder"}, {1.5, u"Stier"},    {1.5, u"Zwillinge"}, {1.5, u"Krebs"},
    {1.5, u"Löwe"},   {1.5, u"Jungfrau"}, {1.5, u"Waage"},     {1.17, u"Skorpion"},
    {1.5, u"Schütze"}, {1.3, u"Steinbock"}, {1.2, u"Wassermann"}, {1.5, u"Fische"}};

// A number of a catalogue line; nothing when the line is not a number.
std::optional<double> ParseNumber(const QString& line) {
  // The catalogue's own form first (quick, no locale); then anything Qt reads, blanks around it.
  if (const std::optional<double> v = ParseCatalogueNumber(line)) return v;
  bool ok = false;
  const double v = QStringView(line).trimmed().toDouble(&ok);
  if (!ok || !std::isfinite(v)) return std::nullopt;
  return v;
}

SkyPoint DegreesPoint(double alphaDeg, double deltaDeg) { return MakeSkyPoint(alphaDeg * kDegToRad, deltaDeg * kDegToRad); }

}  // namespace

// ---- geometry --------------------------------------------------------------------------------

SkyPoint MakeSkyPoint(double alphaRad, double deltaRad) {
  // Both angles' sines and cosines at once (within 4e-16 of std::sin and std::cos): some 11,000
  // points are prepared while the program starts.
  Double2 s, c;
  SinCosOf2(Double2{alphaRad, deltaRad}, s, c);
  return {false, s[0], c[0], s[1], c[1]};
}

QColor SpectralClassColour(int classIndex) {
  switch (classIndex) {
    case 1: return {0, 128, 255};
    case 2: return {192, 255, 255};
    case 3: return {255, 255, 255};
    case 4: return {255, 255, 128};
    case 5: return {255, 255, 0};
    case 6: return {255, 127, 0};
    case 7: return {255, 0, 0};
    case 8: return {192, 0, 0};
    default: return {255, 255, 255};
  }
}

int StarDotRadius(double magnitude) {
  if (!std::isfinite(magnitude)) return 0;
  // Clamped so that no magnitude can leave the int range; every drawn star has m < 5.
  return RoundHalfEven(std::clamp((19.0 - magnitude) / 10.0, -1000.0, 1000.0));
}

bool StarNameShown(int mode, double magnitude) {
  switch (mode) {
    case 1: return magnitude < 2.5;
    case 2: return magnitude < 3.5;
    case 3: return true;
    default: return false;
  }
}

std::optional<QString> StarLabel(const QString& fullName) {
  const qsizetype comma = fullName.indexOf(u',');
  if (comma < 0) return std::nullopt;
  const QString label = fullName.mid(comma + 1, 250);
  if (label.isEmpty() || label.front() < u'A' || label.front() > u'Z') return std::nullopt;
  return label;
}

std::vector<SkyPoint> CatalogueLinePoints(const std::vector<CataloguePoint>& catalogue) {
  std::vector<SkyPoint> points;
  points.reserve(catalogue.size());
  for (const CataloguePoint& p : catalogue) {
    if (p.Alpha == 0.0 && p.Delta == 0.0) {
      points.push_back({true, 0.0, 1.0, 0.0, 1.0});
    } else {
      points.push_back(MakeSkyPoint(p.Alpha, p.Delta));
    }
  }
  return points;
}

std::vector<SkyPoint> CatalogueLinePoints(const QStringList& lines) {
  std::vector<CataloguePoint> points;
  points.reserve(static_cast<std::size_t>(lines.size() / 2));
  for (qsizetype i = 0; i + 1 < lines.size(); i += 2) {
    const std::optional<double> a = ParseNumber(lines[i]);
    const std::optional<double> d = ParseNumber(lines[i + 1]);
    points.push_back(a && d ? CataloguePoint{*a, *d} : CataloguePoint{});  // unreadable: a separator
  }
  return CatalogueLinePoints(points);
}

std::vector<SkyPoint> EclipticPoints() {
  std::vector<SkyPoint> points;
  for (int lambda = -10; lambda <= 368; lambda += 3) {
    const double a = lambda * kDegToRad;
    points.push_back(MakeSkyPoint(a, 0.4014257279586958 * std::sin(a)));
  }
  return points;
}

std::vector<std::vector<SkyPoint>> GridLines() {
  std::vector<std::vector<SkyPoint>> lines;
  for (int delta = -60; delta <= 60; delta += 30) {
    std::vector<SkyPoint>& line = lines.emplace_back();
    for (int alpha = -2; alpha <= 362; alpha += 4) line.push_back(DegreesPoint(alpha, delta));
  }
  for (int alpha = 0; alpha <= 300; alpha += 60) {
    std::vector<SkyPoint>& line = lines.emplace_back();
    // Declinations beyond 90 degrees continue over the pole: each hour line is a great circle.
    for (int delta = -2; delta <= 363; delta += 5) line.push_back(DegreesPoint(alpha, delta));
  }
  return lines;
}

std::vector<SkyPoint> EquatorPoints() {
  std::vector<SkyPoint> points;
  for (int alpha = 0; alpha <= 360; alpha += 4) points.push_back(DegreesPoint(alpha, 0.0));
  return points;
}

SkyPoint ZodiacPoint(int sign) {
  const double a = (sign + kZodiac[sign].Offset) * 30.0 * kDegToRad;
  return MakeSkyPoint(a, (23.0 * std::sin(a) + 5.0) * kDegToRad);
}

QString ZodiacName(int sign) { return QString::fromUtf16(kZodiac[sign].Name); }

QString ZodiacSymbol(int sign) {
  return QString(QChar(static_cast<char16_t>(0x2648 + sign)));
}

void DrawPolyline(SkyCanvas& canvas, const ProjectionFrame& frame, const std::vector<SkyPoint>& points,
                  ScreenPoint& point, bool ofDate) {
  bool penUp = true;
  for (const SkyPoint& p : points) {
    if (p.Separator) {
      penUp = true;
      continue;
    }
    const bool visible = ofDate ? ProjectOfDateToScreen(frame, p.SinAlpha, p.CosAlpha, p.SinDelta, p.CosDelta, point)
                                : ProjectToScreen(frame, p.SinAlpha, p.CosAlpha, p.SinDelta, p.CosDelta, point);
    if (!visible) penUp = true;
    if (penUp) {
      canvas.MoveTo(point.X, point.Y);
      penUp = false;
    } else {
      canvas.LineTo(point.X, point.Y);
    }
  }
}

std::vector<ConstellationLabel> ConstellationLabels(const QStringList& lines) {
  std::vector<ConstellationLabel> labels;
  for (qsizetype i = 0; i + 4 < lines.size(); i += 5) {
    const std::optional<double> a = ParseNumber(lines[i + 3]);
    const std::optional<double> d = ParseNumber(lines[i + 4]);
    labels.push_back({lines[i], lines[i + 1], lines[i + 2], a.value_or(std::nan("")), d.value_or(std::nan(""))});
  }
  return labels;
}

std::optional<QString> ConstellationLabelText(const ConstellationLabel& label, int mode) {
  switch (mode) {
    case 1: return label.German;
    case 2: return label.Latin;
    case 3: return label.Abbreviation;
    default: return std::nullopt;
  }
}

double ShownSummerHours(const SkyView& view) {
  return SkyMoment(view.Moment, view.Place, view.Switches.SummerTime).SummerHours;
}

int AltitudeLineRow(int height, int i) {
  return RoundHalfEven((height - kHorizonOffset) - i * std::numbers::pi / 12.0 * kAltitudeScale * height);
}

QString AltitudeLineLabel(int i) { return QString::number(15 * i) + QStringLiteral("°  "); }

QString StatusLineText(const SkyView& view) {
  QString text = QString::fromStdString(view.Place.Name) + QStringLiteral(", ");
  const ShownMoment& m = view.Moment;
  try {
    // The clock reading brought into range by the calendar (a day beyond its month moves on).
    const LocalMoment c = LocalMoment{m.Year, m.Month, m.Day, m.Hour, m.Minute, m.Second, 0.0, 0.0}.ShiftedByDays(0.0);
    text += QStringLiteral("%1.%2.%3 %4:%5:%6")
                .arg(c.Day, 2, 10, QChar(u'0'))
                .arg(c.Month, 2, 10, QChar(u'0'))
                .arg(c.Year)
                .arg(c.Hour, 2, 10, QChar(u'0'))
                .arg(c.Minute, 2, 10, QChar(u'0'))
                .arg(c.Second, 2, 10, QChar(u'0'));
  } catch (const ConversionError&) {
    // A moment outside the calendar's range shows only the place.
  }
  if (ShownSummerHours(view) > 0.0) text += QStringLiteral(" Sommerzeit");
  if (view.TimeRunsBackwards) text += QStringLiteral(" ◀ Zeitlauf rückwärts");
  return text;
}

std::vector<DirectionLetter> DirectionLetters(int width, int centreAzimuth,
                                              const std::function<int(const QString&)>& letterWidth) {
  const int cx = width / 2;
  const double c = centreAzimuth;
  const struct {
    const char* letter;
    double azimuth;
  } letters[4] = {{"S", 0.0},
                  {"W", c < 0 ? -270.0 : 90.0},
                  {"N", c < 0 ? -180.0 : 180.0},
                  {"O", c >= 90 ? 270.0 : -90.0}};
  std::vector<DirectionLetter> result;
  for (const auto& l : letters) {
    const QString letter = QString::fromLatin1(l.letter);
    const double xs = cx - (c - l.azimuth) / 90.0 * (cx - 16) - (letterWidth(letter) / 2);
    DirectionLetter d{letter, 0, false};
    if (std::fabs(xs) < 1e9) {
      d.X = RoundHalfEven(xs);
      d.Drawn = d.X > -20 && d.X < width + 20;
    }
    result.push_back(d);
  }
  return result;
}

// ---- malen -----------------------------------------------------------------------------------

SkyGeometry PrepareSkyGeometry(const Catalogue& catalogue) {
  SkyGeometry g;
  g.Figures = CatalogueLinePoints(catalogue.Figures);
  g.Boundaries = CatalogueLinePoints(catalogue.Boundaries);
  g.Ecliptic = EclipticPoints();
  g.Equator = EquatorPoints();
  g.Grid = GridLines();
  g.Labels = ConstellationLabels(catalogue.Constellations);
  g.Stars.reserve(catalogue.Stars.size());
  for (const CatalogueStar& s : catalogue.Stars) g.Stars.push_back(MakeSkyPoint(s.RightAscension, s.Declination));
  return g;
}

void malen(QImage& image, const SkyView& view, const Catalogue& catalogue, const SkyPictures& pictures,
           PositionRegisters& registers, const SkyLayerHooks& hooks) {
  malen(image, view, catalogue, PrepareSkyGeometry(catalogue), pictures, registers, hooks);
}

void malen(QImage& image, const SkyView& view, const Catalogue& catalogue, const SkyGeometry& geometry,
           const SkyPictures& pictures, PositionRegisters& registers, const SkyLayerHooks& hooks) {
  const DisplaySwitches& sw = view.Switches;
  // 1. Frame.
  const int W = image.width();
  const int H = image.height();
  const ProjectionFrame frame =
      MakeProjectionFrame(W, H, view.Moment, view.Place, view.CentreAzimuth, sw.SummerTime);
  ScreenPoint point;
  QPainter painter(&image);
  SkyCanvas canvas(painter);

  // 2. Background; the white outline of the rectangle (-1, -1)-(W + 1, H + 1) lies outside.
  canvas.FillRect(QRect(0, 0, W, H), Qt::black);
  canvas.SetPen(Qt::black);
  canvas.SetFontColour(Qt::white);

  // 3. Constellation boundaries.
  if (sw.Boundaries) {
    canvas.SetPen(sky_colours::Boundaries);
    DrawPolyline(canvas, frame, geometry.Boundaries, point);
    canvas.SetPen(Qt::black);
  }
  // 4. Constellation lines.
  if (sw.ConstellationLines) {
    canvas.SetPen(sky_colours::Figures);
    DrawPolyline(canvas, frame, geometry.Figures, point);
  }
  canvas.FlushLines();
  // 5. Font.
  canvas.SetFont(SkyFontFamily(), 8);
  canvas.SetFontColour(Qt::white);
  // 6.
  if (sw.StarInformation) registers.StarPositionList.Clear();
  // 7. Stars.
  for (std::size_t k = 0; k < catalogue.Stars.size(); ++k) {
    const CatalogueStar& star = catalogue.Stars[k];
    const double m = star.Magnitude;
    if (!(m < 5.0)) continue;
    const bool prepared = k < geometry.Stars.size();
    const SkyPoint* sp = prepared ? &geometry.Stars[k] : nullptr;
    const bool visible = sp ? ProjectToScreen(frame, sp->SinAlpha, sp->CosAlpha, sp->SinDelta, sp->CosDelta, point)
                                  : ProjectToScreen(frame, star.RightAscension, star.Declination, point);
    if (!visible) continue;
    const QColor classColour = SpectralClassColour(star.SpectralClass);
    const QColor colour = sw.WhiteStars ? QColor(Qt::white) : classColour;
    const int x = point.X;
    const int y = point.Y;
    canvas.SetPen(colour);  // pen and brush keep the star colour for the layers that follow
    if (StarDotRadius(m) > 1) {
      // The filled ellipse in the box (x - 2, y - 2)-(x + 2, y + 2): a 4 x 4 disc without corners.
      canvas.FillRect(QRect(x - 2, y - 1, 4, 2), colour);
      canvas.FillRect(QRect(x - 1, y - 2, 2, 4), colour);
    } else {
      canvas.FillRect(QRect(x, y, 1, 1), colour);
    }
    const QString name = static_cast<qsizetype>(k) < catalogue.StarNames.size()
                             ? catalogue.StarNames[static_cast<qsizetype>(k)]
                             : QString();
    if (sw.StarInformation) registers.StarPositionList.Add(x, y, name);
    if (StarNameShown(sw.StarNames, m)) {
      if (const std::optional<QString> label = StarLabel(name)) {
        canvas.SetFontColour(classColour);
        canvas.TextOut(x + 2, y + 2, *label);
      }
    }
  }
  // 8. Ecliptic.
  if (sw.Ecliptic) {
    canvas.SetPen(sky_colours::Ecliptic);
    DrawPolyline(canvas, frame, geometry.Ecliptic, point);
    canvas.FlushLines();
  }
  // 9. Zodiac signs.
  if (sw.Zodiac) {
    canvas.SetFontColour(sky_colours::Zodiac);
    for (int i = 0; i < 12; ++i) {
      const SkyPoint p = ZodiacPoint(i);
      if (!ProjectToScreen(frame, p.SinAlpha, p.CosAlpha, p.SinDelta, p.CosDelta, point)) continue;
      canvas.SetFont(ZodiacFontFamily(), 20);
      const QString symbol = ZodiacSymbol(i);
      canvas.TextOut(point.X, point.Y, symbol);
      const int w = canvas.TextWidth(symbol);
      canvas.SetFont(SkyFontFamily(), 10);
      if (sw.ConstellationNames == 0) {
        const QString name = ZodiacName(i);
        const int n = canvas.TextWidth(name);
        canvas.TextOut(point.X + w / 2 - n / 2, point.Y + w + 2, name);
      }
    }
    canvas.SetFont(SkyFontFamily(), 8);
  }
  // 10. Coordinate grid.
  if (sw.Grid) {
    canvas.SetPen(sky_colours::Grid);
    for (const std::vector<SkyPoint>& line : geometry.Grid) DrawPolyline(canvas, frame, line, point, true);
    canvas.FlushLines();
  }
  // 11. Celestial equator.
  if (sw.Equator) {
    canvas.SetPen(sky_colours::Equator);
    DrawPolyline(canvas, frame, geometry.Equator, point, true);
    canvas.FlushLines();
  }
  // 12. Constellation names.
  if (sw.ConstellationNames != 0) {
    const QColor remembered = canvas.FontColour();
    canvas.SetFontColour(sky_colours::ConstellationNames);
    for (const ConstellationLabel& label : geometry.Labels) {
      if (!ProjectToScreen(frame, label.Alpha, label.Delta, point)) continue;
      if (const std::optional<QString> text = ConstellationLabelText(label, sw.ConstellationNames)) {
        canvas.TextOut(point.X + 4, point.Y + 4, *text);
      }
    }
    canvas.SetFontColour(remembered);
  }
  // 13. Solar-system bodies.
  registers.BodyPositionList.Clear();
  canvas.SetFontColour(Qt::white);
  DrawSolarSystemBodies(canvas, frame, view.Place, sw.Moon, point, registers.BodyPositionList);
  if (hooks.Bodies) hooks.Bodies(canvas, frame, point, registers.BodyPositionList);
  canvas.FlushLines();
  // 14. Meridian: the vertical centre line.
  if (sw.Meridian) {
    canvas.SetPen(sky_colours::MeridianAndAltitude);
    canvas.MoveTo(frame.CentreX, -1);
    canvas.LineTo(frame.CentreX, H);
    canvas.FlushLines();
  }
  // 15. Altitude lines every 15 degrees, labelled at the right edge.
  if (sw.AltitudeLines) {
    canvas.SetPen(sky_colours::MeridianAndAltitude);
    for (int i = 1; i <= 5; ++i) {
      const int y = AltitudeLineRow(H, i);
      canvas.MoveTo(-1, y);
      canvas.LineTo(W + 1, y);
      canvas.FlushLines();
      const QString label = AltitudeLineLabel(i);
      canvas.TextOut(W - canvas.TextWidth(label), y - 20, label);
    }
  }
  // 16. Ground: the panorama (mask OR, then landscape AND), or the light grey band outlined with
  // the current pen.
  if (sw.Horizon && !pictures.Mask.isNull() && !pictures.Landscape.isNull()) {
    canvas.Raster([&](QPainter& painter) {
      painter.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
      painter.drawImage(0, H - 160, pictures.Mask);
      painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
      painter.drawImage(0, H - 160, pictures.Landscape);
      painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    });
  } else {
    canvas.FillRect(QRect(0, H - 26, W, 1), canvas.Pen());
    canvas.FillRect(QRect(0, H - 25, W, 25), sky_colours::Ground);
  }
  // 17. Status line.
  canvas.SetFontColour(Qt::black);
  canvas.TextOut(50, H - 20, StatusLineText(view));
  // 18. Direction letters.
  canvas.SetFont(SkyFontFamily(), 12);
  for (const DirectionLetter& d :
       DirectionLetters(W, view.CentreAzimuth, [&](const QString& s) { return canvas.TextWidth(s); })) {
    if (d.Drawn) canvas.TextOut(d.X, H - 22, d.Letter);
  }
  // 19. Panels: the Galilean moons and the phase of Venus.
  DrawSkyPanels(canvas, frame, view.Moment, sw, QLocale());
  if (hooks.Panels) hooks.Panels(canvas, frame);
  canvas.FlushLines();
  painter.end();
  // 20. Information windows.
  if (hooks.InformationWindows) hooks.InformationWindows(SkyMoment(view.Moment, view.Place, sw.SummerTime));
}

QImage RenderSky(int width, int height, const SkyView& view, const Catalogue& catalogue,
                 const SkyPictures& pictures, PositionRegisters& registers, const SkyLayerHooks& hooks) {
  return RenderSky(width, height, view, catalogue, PrepareSkyGeometry(catalogue), pictures, registers, hooks);
}

QImage RenderSky(int width, int height, const SkyView& view, const Catalogue& catalogue, const SkyGeometry& geometry,
                 const SkyPictures& pictures, PositionRegisters& registers, const SkyLayerHooks& hooks) {
  QImage image(width, height, QImage::Format_RGB32);
  image.setDotsPerMeterX(3780);  // 96 dpi: 8-point text is 10.7 pixels high as designed
  image.setDotsPerMeterY(3780);
  malen(image, view, catalogue, geometry, pictures, registers, hooks);
  return image;
}

}  // namespace zenitra
