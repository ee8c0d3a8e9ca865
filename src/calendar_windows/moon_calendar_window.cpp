#include "calendar_windows/moon_calendar_window.h"

#include <QApplication>
#include <QDateEdit>

#include "ui/date_field.h"
#include <QEvent>
#include <QFont>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QPainter>

#include "calendar_windows/calendar_paper_window.h"
#include "calendars/moon_calendar.h"
#include "core/time_scales.h"
#include "ui/gif_picture.h"
#include "ui/body_pictures.h"

namespace zenitra {

namespace {

constexpr int ClientWidth = 784;
constexpr int ClientHeight = 605;
constexpr int PanelHeight = 27;

// A rectangle drawn as the platform's Rectangle(l, t, r, b): the outline runs on the pixels l
// and r - 1 (t and b - 1), the brush fills the inside. Qt strokes one pixel beyond the size.
void DrawRectangle(QPainter& p, const PixelRect& r) {
  p.drawRect(QRect(r.left, r.top, r.right - r.left - 1, r.bottom - r.top - 1));
}

// Text placed by its top-left corner, as TextOut does.
void DrawTextAt(QPainter& p, int x, int y, const QString& text) {
  p.drawText(QPoint(x, y + p.fontMetrics().ascent()), text);
}

}  // namespace

QImage LoadMoonPhaseStrip() {
  // Kept with its few colours as a palette: a byte per pixel instead of four (190 kB, not 760 kB).
  return DecodeGif(MoonPhaseStripGif()).convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
}

QImage DrawMoonCalendarSheet(const QImage& strip, QDate date, QSize size) {
  QImage sheet(size, QImage::Format_RGB32);
  sheet.fill(Qt::white);
  if (!date.isValid() || size.isEmpty()) return sheet;
  const int year = date.year();
  const int month = date.month();
  const int width = size.width();
  const MoonCalendarLayout layout = MakeMoonCalendarLayout(width, size.height());
  const int first = FirstDayCell(year, month, date.day());
  const int days = MonthLength(IsLeapYear(year), month);

  QPainter p(&sheet);
  p.setPen(Qt::black);
  p.setBrush(QColor(0xFF, 0xFF, 0xA0));
  DrawRectangle(p, layout.TitleBand(width));
  p.setBrush(Qt::white);
  DrawRectangle(p, layout.WeekdayBand(width));

  p.setPen(QColor(0x80, 0x80, 0x80));
  p.setBrush(Qt::black);
  for (int i = 0; i < 7; ++i) {
    for (int j = 0; j < 6; ++j) DrawRectangle(p, layout.Cell(i, j));
  }

  QFont font(QStringLiteral("Verdana"));
  font.setPointSize(18);
  font.setBold(true);
  p.setFont(font);
  p.setBackgroundMode(Qt::TransparentMode);
  p.setPen(Qt::black);
  const auto title = layout.TitleOrigin();
  DrawTextAt(p, title[0], title[1],
             QString::fromStdString(MonthName(month)) + QLatin1Char(' ') + QString::number(year));
  for (int i = 0; i < 7; ++i) {
    const QString name = QString::fromStdString(WeekdayName(i));
    const auto centre = layout.WeekdayCentre(i);
    DrawTextAt(p, centre[0] - p.fontMetrics().horizontalAdvance(name) / 2, centre[1], name);
  }

  for (int k = 1; k <= days; ++k) {
    const GridCell cell = DayGridCell(first, k);
    p.setPen(cell.column == 0 ? QColor(Qt::red) : QColor(0xF0, 0xF0, 0xF0));
    const auto origin = layout.DayNumberOrigin(cell);
    DrawTextAt(p, origin[0], origin[1], QString::number(k));
  }

  if (!strip.isNull()) {
    const std::vector<int> pictures = MonthPhasePictures(year, month);
    for (int k = 1; k <= static_cast<int>(pictures.size()); ++k) {
      const PixelRect to = layout.PhasePictureRect(DayGridCell(first, k));
      const PixelRect from = StripPictureRect(pictures[static_cast<std::size_t>(k - 1)]);
      p.drawImage(QRect(to.left, to.top, to.right - to.left, to.bottom - to.top), strip,
                  QRect(from.left, from.top, from.right - from.left, from.bottom - from.top));
    }
  }
  return sheet;
}

MoonCalendarPaintBox::MoonCalendarPaintBox(Tfmoon* owner) : QWidget(owner), owner_(owner) {}

void MoonCalendarPaintBox::paintEvent(QPaintEvent*) {
  // Drawn off screen at the paint box's size and copied to (0, 0).
  QPainter p(this);
  p.drawImage(QPoint(0, 0), owner_->Paintbox1Paint());
}

Tfmoon::Tfmoon(QWidget* parent, std::function<QDate()> today) : QDialog(parent), today_(std::move(today)) {
  setWindowTitle(QStringLiteral("Mondphasenkalender"));
  setFixedSize(ClientWidth, ClientHeight);
  setAutoFillBackground(true);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);

  Panel1 = new QFrame(this);
  Panel1->setGeometry(0, 0, ClientWidth, PanelHeight);
  Panel1->setAutoFillBackground(true);
  QPalette panel = Panel1->palette();
  panel.setColor(QPalette::Window, QColor(0xF0, 0xF0, 0xF0));
  Panel1->setPalette(panel);

  label1 = new QLabel(QStringLiteral("Datum"), Panel1);
  label1->setGeometry(8, 5, 40, 17);
  QPalette navy = label1->palette();
  navy.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0x80));
  label1->setPalette(navy);

  auto* dateField = new DateField(today_(), Panel1);
  dateField->SetCalendarTitle(QStringLiteral("Datumseingabe"));
  DE1 = dateField;
  DE1->setGeometry(52, 2, 110, 23);

  // The month of the date field on an A4 page across.
  AddPaperButtons(
      Panel1, 180, 2, 23,
      [this]() -> PagePainter {
        const QImage sheet = MoonCalendarPicture(DE1->date());
        return [sheet](QPagedPaintDevice& device) { return PaintPicturePage(device, sheet); };
      },
      QPageLayout::Landscape, windowTitle(), QStringLiteral("Mondphasenkalender.pdf"));

  Paintbox1 = new MoonCalendarPaintBox(this);
  Paintbox1->setGeometry(0, PanelHeight, ClientWidth, ClientHeight - PanelHeight);
  connect(DE1, &QDateEdit::dateChanged, Paintbox1, qOverload<>(&QWidget::update));
}

void Tfmoon::FormActivate() {
  if (image1.isNull()) image1 = LoadMoonPhaseStrip();
  DE1->setDate(today_());
  Paintbox1->update();
}

QImage Tfmoon::Paintbox1Paint() const { return DrawMoonCalendarSheet(image1, DE1->date(), Paintbox1->size()); }

bool Tfmoon::event(QEvent* e) {
  // The date edit's calendar drop-down is a popup of this window; coming back from it is no
  // new activation of the window.
  if (e->type() == QEvent::WindowActivate && QApplication::activePopupWidget() == nullptr) FormActivate();
  return QDialog::event(e);
}

}  // namespace zenitra
