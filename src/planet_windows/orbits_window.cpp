#include "planet_windows/orbits_window.h"

#include <QDateEdit>

#include "ui/date_field.h"
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QMenuBar>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

#include "core/time_scales.h"
#include "planets/orbits.h"
#include "ui/fonts.h"
#include "ui/body_pictures.h"

namespace zenitra {

namespace {

QFont OrbitFont() {
  QFont f(SkyFontFamily());
  f.setPointSize(8);
  return f;
}

void DrawTextAt(QPainter& painter, int x, int y, const QString& text) {
  // White text placed by the top-left corner of its cell, no background; the pen is kept.
  const QPen pen = painter.pen();
  painter.setPen(Qt::white);
  const QFontMetrics fm(painter.font());
  painter.drawText(x, y + fm.ascent(), text);
  painter.setPen(pen);
}

void DrawBitmap(QPainter& painter, int x, int y, int number) {
  if (const std::optional<QImage> bitmap = OrbitBitmap(number)) painter.drawImage(x, y, *bitmap);
}

}  // namespace

QString ScaleBarLabel(double scale) {
  const ScaleBarLayout bar = ScaleBar(scale);
  if (bar.WholeNumber) return QStringLiteral("%1 AE").arg(QString::number(bar.Value, 'f', 0));
  return QStringLiteral("%1 AE").arg(QLocale().toString(bar.Value, 'f', 2));
}

QImage DrawOrbitsPicture(QSize size, const QStringList& ticked, QDate date, double scale) {
  QImage picture(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  QPainter painter(&picture);
  PaintOrbits(painter, picture.size(), ticked, date, scale);
  painter.end();
  return picture;
}

void PaintOrbits(QPainter& painter, QSize size, const QStringList& ticked, QDate date, double scale) {
  size = size.expandedTo(QSize(1, 1));
  painter.save();
  // A fresh painter's state on a picture, whatever the surface's own pen and font.
  painter.setPen(QPen());
  painter.setBrush(Qt::NoBrush);
  painter.setFont(OrbitFont());
  painter.fillRect(QRect(QPoint(0, 0), size), Qt::black);
  const int xc = size.width() / 2;
  const int yc = size.height() / 2;
  // The window shows a date, not a place: the bodies stand where they are at 0 h UT of that date
  // (zone 0; a fixed zone of +1 h drew them at 23:00 UT of the day before).
  const double jd = date.isValid() ? ZoneMidnightJulianDay(date.year(), date.month(), date.day(), 0.0) : 0.0;

  int n = 0;
  for (const QString& name : ticked) {
    const std::optional<OrbitObject> object = FindOrbitObject(name.toStdString());
    if (!object) continue;
    const OrbitRgb rgb = OrbitColour(n);
    ++n;
    const QColor colour(rgb.R, rgb.G, rgb.B);
    painter.setPen(colour);
    painter.setBrush(Qt::NoBrush);

    const std::array<PixelPoint, 181> orbit = OrbitPolyline(*object, scale, xc, yc);
    QPolygon polyline;
    polyline.reserve(181);
    for (const PixelPoint& p : orbit) polyline << QPoint(p.X, p.Y);
    painter.drawPolyline(polyline);

    const std::optional<PixelPoint> at = date.isValid() ? BodyPixel(*object, jd, scale, xc, yc) : std::nullopt;
    if (!at) continue;
    switch (KindOfOrbitBody(object->Name)) {
      case OrbitBodyKind::Planet: {
        const int number = OrbitBitmapNumber(object->Name);
        DrawBitmap(painter, number == 1176 ? at->X - 9 : at->X - 4, at->Y - 4, number);
        DrawTextAt(painter, at->X - 6, at->Y + 4, QString::fromStdString(OrbitBodyLabel(object->Name)));
        break;
      }
      case OrbitBodyKind::DwarfPlanet:
      case OrbitBodyKind::Asteroid: {
        painter.setBrush(colour);
        painter.drawEllipse(QPoint(at->X, at->Y), 4, 4);
        painter.setBrush(Qt::NoBrush);
        DrawTextAt(painter, at->X - 6, at->Y + 4, QString::fromStdString(OrbitBodyLabel(object->Name)));
        break;
      }
    }
  }

  const ScaleBarLayout bar = ScaleBar(scale);
  painter.setPen(Qt::white);
  painter.drawLine(10, 10, 10 + bar.Length, 10);
  DrawTextAt(painter, bar.Length + 15, 6, ScaleBarLabel(scale));
  DrawBitmap(painter, xc - 10, yc - 10, 1158);
  painter.restore();
}

Tzastro37::Tzastro37(int width, int height, QWidget* parent, const std::function<QDate()>& today) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Planetenbahnen"));
  setProperty("HelpContext", 22001);
  const QFont font(SkyFontFamily());
  setFont(font);

  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->setSpacing(0);
  auto* bar = new QMenuBar(this);
  QAction* ende = bar->addAction(QStringLiteral("Ende"));
  ende->setShortcut(QKeySequence(Qt::Key_Escape));
  addAction(ende);
  connect(ende, &QAction::triggered, this, &QDialog::close);
  outer->setMenuBar(bar);

  auto* body = new QHBoxLayout;
  body->setContentsMargins(0, 0, 0, 0);
  body->setSpacing(0);
  outer->addLayout(body);

  auto* panel = new QWidget(this);
  panel->setFixedWidth(169);
  panel->setAutoFillBackground(true);
  QPalette pal = panel->palette();
  pal.setColor(QPalette::Window, QColor(240, 240, 240));
  panel->setPalette(pal);
  auto* column = new QVBoxLayout(panel);
  column->addWidget(new QLabel(QStringLiteral("Objekte"), panel));
  CB1_ = new QListWidget(panel);
  CB1_->setFrameShape(QFrame::NoFrame);
  CB1_->setSortingEnabled(true);
  column->addWidget(CB1_, 1);
  auto* dateField = new DateField(today(), panel);
  dateField->SetCalendarTitle(QStringLiteral("Datumseingabe"));
  DE1_ = dateField;
  DE1_->setToolTip(QStringLiteral("Datumseingabe"));
  column->addWidget(DE1_);
  simulation_ = new QPushButton(QStringLiteral("Simulation"), panel);
  column->addWidget(simulation_);
  // The spin field sits in the gap of its label, between "Zeitdiff." and "Tage".
  auto* diff = new QLabel(QStringLiteral("Zeitdiff.              Tage"), panel);
  diff->setMinimumHeight(26);
  S1_ = new QSpinBox(diff);
  S1_->setRange(-30, 30);
  S1_->setValue(1);
  const QFontMetrics fm(diff->font());
  const int gapStart = fm.horizontalAdvance(QStringLiteral("Zeitdiff. "));
  const int gapWidth = fm.horizontalAdvance(QStringLiteral("             "));
  S1_->setGeometry(gapStart, 0, std::max(gapWidth, 40), 24);
  column->addWidget(diff);
  auto* scaleRow = new QHBoxLayout;
  scaleRow->addWidget(new QLabel(QStringLiteral("Maßstab"), panel));
  auto makeButton = [&](const QString& text) {
    auto* b = new QToolButton(panel);
    b->setText(text);
    b->setAutoRaise(true);  // flat
    scaleRow->addWidget(b);
    return b;
  };
  enlarge_ = makeButton(QStringLiteral("+"));
  reset_ = makeButton(QStringLiteral("o"));
  reduce_ = makeButton(QStringLiteral("-"));
  column->addLayout(scaleRow);
  body->addWidget(panel);

  PB1_ = new QWidget(this);
  PB1_->setAttribute(Qt::WA_OpaquePaintEvent);
  PB1_->installEventFilter(this);
  body->addWidget(PB1_, 1);

  Timer1_ = new QTimer(this);
  Timer1_->setInterval(50);
  connect(Timer1_, &QTimer::timeout, this, &Tzastro37::Timer1Timer);

  connect(CB1_, &QListWidget::itemChanged, this, [this] { Repaint(); });
  connect(CB1_, &QListWidget::itemClicked, this, [this] { Repaint(); });
  connect(DE1_, &QDateEdit::dateChanged, this, [this] {
    TakeDate();
    Repaint();
  });
  connect(enlarge_, &QToolButton::clicked, this, [this] { SetScale(EnlargedScale(scale_)); });
  connect(reset_, &QToolButton::clicked, this, [this] { SetScale(kOrbitScaleDefault); });
  connect(reduce_, &QToolButton::clicked, this, [this] { SetScale(ReducedScale(scale_)); });
  connect(simulation_, &QPushButton::clicked, this, [this] {
    if (Timer1_->isActive()) {
      Timer1_->stop();
      simulation_->setText(QStringLiteral("Simulation"));
    } else {
      Timer1_->start();
      simulation_->setText(QStringLiteral("Stopp !!!"));
    }
  });

  resize(width, height);
  TakeDate();
}

QStringList Tzastro37::TickedNames() const {
  QStringList names;
  for (int i = 0; i < CB1_->count(); ++i) {
    if (CB1_->item(i)->checkState() == Qt::Checked) names << CB1_->item(i)->text();
  }
  return names;
}

void Tzastro37::FormActivate() {
  // Built once: showing the window again (after minimising it, say) keeps the ticked objects and
  // so the picture the user made.
  if (CB1_->count() > 0) return;
  const QSignalBlocker block(CB1_);
  for (const std::string& name : OrbitObjectNames()) {
    auto* item = new QListWidgetItem(QString::fromStdString(name));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
    item->setCheckState(Qt::Unchecked);
    CB1_->addItem(item);
  }
}

void Tzastro37::TakeDate() {
  const QDate d = DE1_->date();
  year_ = d.year();
  month_ = d.month();
  day_ = d.day();
}

void Tzastro37::SetScale(double scale) {
  scale_ = scale;
  Repaint();
}

void Tzastro37::Repaint() {
  TakeDate();
  PB1_->update();
}

QImage Tzastro37::Picture() const {
  return DrawOrbitsPicture(PB1_->size(), TickedNames(), QDate(year_, month_, day_), scale_);
}

void Tzastro37::Timer1Timer() {
  DE1_->setDate(DE1_->date().addDays(S1_->value()));  // repaints through dateChanged when it moved
  if (S1_->value() == 0) Repaint();
}

void Tzastro37::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormActivate();
  Repaint();
}

bool Tzastro37::eventFilter(QObject* watched, QEvent* event) {
  if (watched == PB1_ && event->type() == QEvent::Paint) {
    // Painted straight on the surface: a picture of its own kept 2.5 MB at the designed size.
    QPainter painter(PB1_);
    PaintOrbits(painter, PB1_->size(), TickedNames(), QDate(year_, month_, day_), scale_);
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace zenitra
