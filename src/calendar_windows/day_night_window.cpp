#include "calendar_windows/day_night_window.h"

#include <QBitmap>
#include <QCheckBox>
#include <QHideEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include "core/conversion_error.h"
#include "ui/backing_store_surface.h"
#include "ui/body_pictures.h"
#include "ui/catalogue.h"

namespace zenitra {

namespace {

// The Sun symbol of the map: the 21 x 20 Sun with rays, black transparent.
constexpr int kSunSymbol = 1158;
constexpr int kSunSymbolOffset = 5;

int FieldValue(const QLineEdit* field) {
  bool ok = false;
  const int v = field->text().trimmed().toInt(&ok);
  return ok ? v : 0;
}

}  // namespace

std::vector<CoastPoint> LoadCoastline() {
  std::vector<CoastPoint> coast;
  QStringList lines;
  try {
    lines = LoadCatalogueLines(QStringLiteral("ERDE"));
  } catch (const CatalogueError&) {
    return coast;
  }
  coast.reserve(static_cast<std::size_t>(lines.size()));
  for (const QString& line : lines) {
    const QByteArray bytes = line.toLatin1();
    if (auto p = ParseCoastLine(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))) {
      coast.push_back(*p);
    }
  }
  return coast;
}

QPolygon CoastlinePixels(QSize size, const std::vector<CoastPoint>& coast) {
  // The polylines drawn as Qt's blue pen drew them into the map, but into one bit per pixel (84 kB
  // at the designed size instead of 2.6 MB); the pixels they set are kept as points.
  QBitmap bits(size);
  bits.fill(Qt::color0);
  {
    QPainter p(&bits);
    p.setPen(QPen(Qt::color1));
    for (const auto& line : CoastlinePolylines(coast, size.width(), size.height())) {
      QPolygon poly;
      for (const MapPixel& q : line) poly << QPoint(q.X, q.Y);
      p.drawPolyline(poly);
    }
  }
  // Qt::color1 paints the bits whose colour is black in the bitmap's picture.
  const QImage mask = bits.toImage().convertToFormat(QImage::Format_MonoLSB);
  const int ink = mask.colorTable().value(1) == qRgb(0, 0, 0) ? 1 : 0;
  QPolygon pixels;
  for (int y = 0; y < mask.height(); ++y) {
    const uchar* row = mask.constScanLine(y);
    for (int x = 0; x < mask.width(); ++x) {
      if (((row[x >> 3] >> (x & 7)) & 1) == ink) pixels << QPoint(x, y);
    }
  }
  return pixels;
}

QImage DrawDayNightBaseMap(QSize size, bool graticule, const std::vector<CoastPoint>& coast) {
  QImage map(size, QImage::Format_RGB32);
  QPainter p(&map);
  PaintDayNightBaseMap(p, size, graticule, CoastlinePixels(size, coast));
  return map;
}

void PaintDayNightBaseMap(QPainter& p, QSize size, bool graticule, const QPolygon& coastPixels) {
  const int w = size.width();
  const int h = size.height();
  p.fillRect(QRect(QPoint(0, 0), size), Qt::white);
  if (graticule) {
    p.setFont(QFont(QStringLiteral("Verdana"), 10));
    for (int lon = -150; lon <= 150; lon += 30) {
      const int x = ProjectToMap(0, lon, w, h).X;
      p.setPen(QColor(0xC0, 0xC0, 0xC0));
      p.drawLine(x, 0, x, h);
      p.setPen(Qt::red);
      p.drawText(QPoint(x + 2, h - 25 + p.fontMetrics().ascent()), QString::fromStdString(GraticuleLabel(lon)));
    }
    for (int lat = -90; lat <= 90; lat += 30) {
      const int y = ProjectToMap(lat, 0, w, h).Y;
      p.setPen(QColor(0xC0, 0xC0, 0xC0));
      p.drawLine(0, y, w, y);
      p.setPen(Qt::red);
      p.drawText(QPoint(2, y + 2 + p.fontMetrics().ascent()), QString::fromStdString(GraticuleLabel(lat)));
    }
  }
  p.setPen(QPen(Qt::blue, 0));
  p.drawPoints(coastPixels);
}

QImage DrawNightWorkBitmap(QSize mapSize, const NightPolygon& night, const QImage* sunSymbol) {
  QImage work(mapSize.width() + 2 * kNightMargin + 1, mapSize.height() + 2 * kNightMargin + 1,
              QImage::Format_RGB32);
  work.fill(Qt::white);
  QPainter p(&work);
  QPolygon poly;
  for (const MapPixel& q : night.Points) poly << QPoint(q.X, q.Y);
  p.setPen(Qt::black);
  p.setBrush(QColor(0xF0, 0xF0, 0xF0));
  p.drawPolygon(poly);
  if (sunSymbol != nullptr && !sunSymbol->isNull()) {
    p.drawImage(QPoint(night.Subsolar.X - kSunSymbolOffset, night.Subsolar.Y - kSunSymbolOffset), *sunSymbol);
  }
  return work;
}

void PaintNightSide(QPainter& painter, QSize mapSize, const NightPolygon& night, const QImage* sunSymbol) {
  // What ANDing DrawNightWorkBitmap(mapSize, night, sunSymbol) at (-50, -50) gives, without that
  // picture of the whole map (3.4 MB at the designed size): its white ANDs to nothing, so the
  // polygon is drawn straight with the AND operation, and only the few pixels under the sun
  // symbol (drawn over the polygon there) come from a tile of the work bitmap.
  const QRect workRect(0, 0, mapSize.width() + 2 * kNightMargin + 1, mapSize.height() + 2 * kNightMargin + 1);
  QPolygon poly;
  for (const MapPixel& q : night.Points) poly << QPoint(q.X, q.Y);
  const bool symbol = sunSymbol != nullptr && !sunSymbol->isNull();
  const QRect symbolRect =
      symbol ? QRect(QPoint(night.Subsolar.X - kSunSymbolOffset, night.Subsolar.Y - kSunSymbolOffset), sunSymbol->size())
             : QRect();
  const auto drawPolygon = [&poly](QPainter& p) {
    p.setPen(Qt::black);
    p.setBrush(QColor(0xF0, 0xF0, 0xF0));
    p.drawPolygon(poly);
  };
  painter.save();
  painter.translate(-kNightMargin, -kNightMargin);  // work bitmap coordinates
  painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
  painter.setClipRect(workRect, Qt::IntersectClip);
  painter.save();
  if (symbol) painter.setClipRegion(QRegion(workRect).subtracted(QRegion(symbolRect)), Qt::IntersectClip);
  drawPolygon(painter);
  painter.restore();
  if (symbol) {
    QImage tile(symbolRect.size(), QImage::Format_RGB32);
    tile.fill(Qt::white);
    QPainter t(&tile);
    t.translate(-symbolRect.topLeft());
    drawPolygon(t);
    t.drawImage(symbolRect.topLeft(), *sunSymbol);
    t.end();
    painter.drawImage(symbolRect.topLeft(), tile);
  }
  painter.restore();
}

QImage ComposeDayNightMap(const QImage& map, const QImage& work) {
  QImage out(map.size(), QImage::Format_RGB32);
  QPainter p(&out);
  PaintDayNightMap(p, map.convertToFormat(QImage::Format_RGB32), &work);
  return out;
}

void PaintDayNightMap(QPainter& painter, const QImage& map, const QImage* work) {
  painter.save();
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.drawImage(QPoint(0, 0), map);
  if (work != nullptr) {
    painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    painter.drawImage(QPoint(-kNightMargin, -kNightMargin), work->convertToFormat(QImage::Format_RGB32));
  }
  painter.restore();
}

/// The paint box `pb2`: draws the window's map at its own size.
class DayNightPaintBox : public QWidget {
 public:
  explicit DayNightPaintBox(Tftag* owner) : QWidget(owner), owner_(owner) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    // Composed straight into the window's backing store where it can be: a kept picture of the
    // map would add 2.6 MB at the peak. Otherwise (a part of the box, or device pixels that are not
    // its pixels) through a passing picture at 96 dpi, where the labels have their designed size.
    QPainter p(this);
    if (std::optional<QImage> surface = BackingStoreSurface(*this, p, *event)) {
      p.end();
      QPainter direct(&*surface);
      owner_->PaintMap(direct, size());
      return;
    }
    p.drawImage(0, 0, owner_->RenderMap(size()));
  }

 private:
  Tftag* owner_;
};

Tftag::Tftag(int width, int height, std::function<QDateTime()> clock, QWidget* parent)
    : QDialog(parent), clock_(std::move(clock)) {
  setWindowTitle(QStringLiteral("Tag- und Nachgrenze"));
  setAttribute(Qt::WA_DeleteOnClose, false);

  E15 = new QLineEdit(this);
  E16 = new QLineEdit(this);
  Edit3 = new QLineEdit(this);
  Edit4 = new QLineEdit(this);
  CB1 = new QCheckBox(QStringLiteral("Sommerzeit berücksichtigen"), this);
  CB2 = new QCheckBox(QStringLiteral("Sonnenort"), this);
  CB8 = new QCheckBox(QStringLiteral("Aktualisieren"), this);
  Cb13 = new QCheckBox(QStringLiteral("Gradnetz"), this);
  RB1 = new QRadioButton(QStringLiteral("Minuten verändern"), this);
  RB2 = new QRadioButton(QStringLiteral("Tage verändern"), this);
  Button1 = new QPushButton(QStringLiteral("Darstellen"), this);
  d15 = new QPushButton(QStringLiteral("Simulation"), this);
  Button3 = new QPushButton(QStringLiteral("Aktuelle Zeit"), this);
  CB1->setChecked(true);
  CB2->setChecked(true);
  CB8->setChecked(false);
  Cb13->setChecked(true);
  RB1->setChecked(true);
  Timer1 = new QTimer(this);
  Timer1->setInterval(20);
  Timer2 = new QTimer(this);
  Timer2->setInterval(10000);
  pb2 = new DayNightPaintBox(this);

  auto* controls = new QGridLayout;
  const std::pair<const char16_t*, QLineEdit*> fields[] = {
      {u"Tag", E15}, {u"Monat", E16}, {u"Stunden", Edit3}, {u"Minuten", Edit4}};
  int column = 0;
  for (const auto& [label, field] : fields) {
    controls->addWidget(new QLabel(QString::fromUtf16(label), this), 0, column);
    field->setMaximumWidth(60);
    controls->addWidget(field, 1, column++);
  }
  controls->addWidget(CB1, 0, column);
  controls->addWidget(CB2, 1, column++);
  controls->addWidget(Cb13, 0, column);
  controls->addWidget(CB8, 1, column++);
  controls->addWidget(RB1, 0, column);
  controls->addWidget(RB2, 1, column++);
  controls->addWidget(Button1, 0, column);
  controls->addWidget(Button3, 1, column++);
  controls->addWidget(d15, 0, column);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pb2, 1);
  layout->addLayout(controls);

  connect(CB1, &QCheckBox::clicked, this, &Tftag::pb2Paint);
  connect(CB2, &QCheckBox::clicked, this, &Tftag::pb2Paint);
  connect(Button1, &QPushButton::clicked, this, &Tftag::pb2Paint);
  connect(Cb13, &QCheckBox::clicked, this, &Tftag::Cb13Click);
  connect(CB8, &QCheckBox::toggled, this, &Tftag::CB8Click);
  connect(Timer2, &QTimer::timeout, this, &Tftag::Timer2Timer);
  connect(Button3, &QPushButton::clicked, this, &Tftag::D21Click);
  connect(d15, &QPushButton::clicked, this, &Tftag::d15Click);
  connect(Timer1, &QTimer::timeout, this, &Tftag::Timer1Timer);

  coast_ = LoadCoastline();
  resize(width, height);
  FormCreate();
}

Tftag::~Tftag() = default;

void Tftag::FormCreate() {
  if (auto symbol = OrbitBitmap(kSunSymbol)) Image1 = *symbol;
  coastPixels_.clear();
  coastPixelsSize_ = QSize();
  SetFieldsToNow();
}

int Tftag::CurrentYear() const { return clock_().date().year(); }

void Tftag::SetFieldsToNow() {
  const QDateTime now = clock_();
  Edit3->setText(QString::number(now.time().hour()));
  Edit4->setText(QString::number(now.time().minute()));
  E15->setText(QString::number(now.date().day()));
  E16->setText(QString::number(now.date().month()));
}

std::optional<DayNightSun> Tftag::CurrentSun() const {
  return DayNightSunModel(FieldValue(E15), FieldValue(E16), CurrentYear(), FieldValue(Edit3), FieldValue(Edit4),
                          CB1->isChecked());
}

QImage Tftag::RenderMap(QSize size) {
  if (size.width() < 1 || size.height() < 1) return QImage();
  QImage out(size, QImage::Format_RGB32);
  QPainter p(&out);
  PaintMap(p, size);
  return out;
}

void Tftag::PaintMap(QPainter& painter, QSize size) {
  if (size.width() < 1 || size.height() < 1) return;
  // Drawn anew each time: a kept picture of the map would hold 2.6 MB at the designed size. Only
  // the coastline's pixels are kept.
  if (coastPixelsSize_ != size) {
    coastPixels_ = CoastlinePixels(size, coast_);
    coastPixelsSize_ = size;
  }
  PaintDayNightBaseMap(painter, size, Cb13->isChecked(), coastPixels_);
  const std::optional<DayNightSun> sun = CurrentSun();
  if (!sun) return;  // no day of the year for this month: the map alone
  const NightPolygon night = BuildNightPolygon(*sun, size.width(), size.height());
  PaintNightSide(painter, size, night, CB2->isChecked() ? &Image1 : nullptr);
}

void Tftag::pb2Paint() { pb2->update(); }

void Tftag::Cb13Click() { pb2Paint(); }

void Tftag::CB8Click() {
  if (CB8->isChecked()) {
    Timer2->start();
  } else {
    Timer2->stop();
  }
}

void Tftag::Timer2Timer() {
  SetFieldsToNow();
  pb2Paint();
}

void Tftag::D21Click() { Timer2Timer(); }

void Tftag::d15Click() {
  if (Timer1->isActive()) {
    Timer1->stop();
    d15->setText(QStringLiteral("Simulation"));
  } else {
    Timer1->start();
    CB8->setChecked(false);
    d15->setText(QStringLiteral("Stopp"));
  }
}

void Tftag::Timer1Timer() {
  const MapClock next = SimulationStep(
      MapClock{FieldValue(E15), FieldValue(E16), FieldValue(Edit3), FieldValue(Edit4)}, RB1->isChecked(),
      CurrentYear());
  E15->setText(QString::number(next.Day));
  E16->setText(QString::number(next.Month));
  Edit3->setText(QString::number(next.Hour));
  Edit4->setText(QString::number(next.Minute));
  pb2Paint();
}

// FormClose: however the dialog ends (close box, Escape), its timers stop and the map is released.
void Tftag::hideEvent(QHideEvent* event) {
  Timer1->stop();
  Timer2->stop();
  d15->setText(QStringLiteral("Simulation"));
  coastPixels_ = QPolygon();
  coastPixelsSize_ = QSize();
  QDialog::hideEvent(event);
}

}  // namespace zenitra
