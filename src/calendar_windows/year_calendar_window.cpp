#include "calendar_windows/year_calendar_window.h"

#include <QDate>
#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTextOption>
#include <QTime>
#include <algorithm>
#include <cmath>

#include "calendar_windows/calendar_paper_window.h"
#include "core/conversion_error.h"
#include "ui/time_zone.h"

namespace zenitra {

namespace {
constexpr int ClientWidth = 632;
constexpr int ClientHeight = 464;
constexpr int ItemHeight = 14;
constexpr int TabStopDialogUnits = 50;
}  // namespace

// List lines with their TABs expanded to fixed stops, one line per 14 pixels. The designed stop of
// 50 dialog units (a quarter of the font's average character width each) is narrower than a date
// such as "Mo 12.10.26" in some fonts, so the stop widens to the widest date or time text shown.
class YearCalendarDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  /// The widest date and time column texts of the list, in pixels of the list's font.
  void SetWidestColumn(double pixels) { widestColumn_ = pixels; }
  [[nodiscard]] double TabStop(const QFont& font) const {
    const QFontMetricsF metrics(font);
    // At least two average characters of space between a column and the next, so that a gap
    // between columns reads wider than the space inside a date.
    return std::max(TabStopDialogUnits * metrics.averageCharWidth() / 4.0,
                    std::ceil(widestColumn_ + 2.0 * metrics.averageCharWidth()));
  }

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    painter->save();
    const bool selected = (option.state & QStyle::State_Selected) != 0;
    if (selected) painter->fillRect(option.rect, option.palette.highlight());
    painter->setPen(selected ? option.palette.color(QPalette::HighlightedText) : option.palette.color(QPalette::Text));
    painter->setFont(option.font);
    QTextOption text(Qt::AlignLeft | Qt::AlignVCenter);
    text.setWrapMode(QTextOption::NoWrap);
    text.setTabStopDistance(TabStop(option.font));
    painter->drawText(QRectF(option.rect).adjusted(2, 0, 0, 0), index.data().toString(), text);
    painter->restore();
  }
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return QSize(QStyledItemDelegate::sizeHint(option, index).width(), ItemHeight);
  }

 private:
  double widestColumn_ = 0.0;
};

namespace {


// The widest TAB-separated field before the last one of any line.
double WidestLeadingField(const QStringList& lines, const QFont& font) {
  const QFontMetricsF metrics(font);
  double widest = 0.0;
  for (const QString& line : lines) {
    const QStringList fields = line.split(QLatin1Char('\t'));
    for (qsizetype i = 0; i + 1 < fields.size(); ++i) widest = std::max(widest, metrics.horizontalAdvance(fields[i]));
  }
  return widest;
}

// Long time format without a time-zone name (the local standard time of the place is meant), to
// the nearest second; a time that rounds to 24:00:00 stays 23:59:59 of its day.
QString TimeOfDayText(double dayFraction, const QLocale& locale) {
  double seconds = std::round(dayFraction * 86400.0);
  if (!(seconds >= 0.0)) seconds = 0.0;
  if (seconds > 86399.0) seconds = 86399.0;
  const double ms = seconds * 1000.0;
  QString format = locale.timeFormat(QLocale::LongFormat);
  format.remove(QLatin1Char('t'));
  return QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms)).toString(format.trimmed());
}

QString Fixed2(double value, const QLocale& locale) { return locale.toString(value, 'f', 2); }

}  // namespace

QStringList YearCalendarHeader(const Location& place, const QLocale& locale) {
  return {QStringLiteral("Berechnungsort: ") + QString::fromStdString(place.Name),
          QStringLiteral("Geografische Breite: ") + Fixed2(place.LatitudeDeg, locale) + QStringLiteral("°"),
          QStringLiteral("Geografische Länge: ") + Fixed2(place.LongitudeDeg, locale) + QStringLiteral("°"),
          QStringLiteral("Zeitzone bzgl. WT: ") + Fixed2(place.ZoneHours, locale) + QStringLiteral("h"),
          QStringLiteral(" ")};
}

QStringList YearCalendarLines(const yearcal::YearCalendar& calendar, double zoneHours, const QLocale& locale) {
  QStringList lines;
  for (const yearcal::CalendarEntry& entry : calendar.entries) {
    const auto line = yearcal::CalendarLineOf(entry, calendar.deltaTDays, zoneHours);
    if (!line) continue;
    QString text = QString::fromStdString(line->weekdayAndDate) + QLatin1Char('\t');
    if (line->dayFraction) text += TimeOfDayText(*line->dayFraction, locale);
    text += QLatin1Char('\t') + QString::fromStdString(line->text);
    lines.append(text);
  }
  return lines;
}

Tukalender::Tukalender(Location place, QWidget* parent, std::function<QDate()> today)
    : QDialog(parent), place_(std::move(place)), today_(std::move(today)) {
  setWindowTitle(QStringLiteral("Astronomischer Jahreskalender"));
  setFixedSize(ClientWidth, ClientHeight);
  setFont(QFont(QStringLiteral("Verdana")));
  setAutoFillBackground(true);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);

  ListBox1 = new QListWidget(this);
  ListBox1->setGeometry(16, 16, 601, 392);
  ListBox1->setFrameShape(QFrame::NoFrame);
  ListBox1->setUniformItemSizes(true);
  delegate_ = new YearCalendarDelegate(ListBox1);
  ListBox1->setItemDelegate(delegate_);

  Label1 = new QLabel(QStringLiteral("Jahr"), this);
  Label1->setGeometry(16, 427, 40, 17);
  Edit1 = new QLineEdit(QStringLiteral("2012"), this);
  Edit1->setGeometry(56, 424, 65, 23);
  Button1 = new QPushButton(QStringLiteral("Anzeigen"), this);
  Button1->setGeometry(136, 422, 90, 27);
  Button1->setAutoDefault(false);
  connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
  connect(Edit1, &QLineEdit::returnPressed, this, [this] { Button1Click(); });

  // Export and paper for the year in the field; a year that is no calendar year shows its message
  // as "Anzeigen" does.
  const auto typedYear = [this]() -> std::optional<int> {
    bool ok = false;
    const int year = Edit1->text().trimmed().toInt(&ok);
    if (ok && yearcal::IsCalendarYear(year)) return year;
    Button1Click();
    return std::nullopt;
  };
  auto* exportButton = new QPushButton(QStringLiteral("Exportieren…"), this);
  exportButton->setGeometry(236, 422, 100, 27);
  exportButton->setAutoDefault(false);
  connect(exportButton, &QPushButton::clicked, this, [this, typedYear] {
    if (const std::optional<int> year = typedYear()) ExportYearCalendarWithDialog(this, place_, *year);
  });
  AddPaperButtons(
      this, 344, 422, 27,
      [this, typedYear]() -> PagePainter {
        const std::optional<int> year = typedYear();
        return year ? YearCalendarPages(place_, *year) : PagePainter();
      },
      QPageLayout::Portrait, windowTitle(), QStringLiteral("Jahreskalender.pdf"));

  ShowError = [this](const QString& message) {
    // Activation handed back while the message box closes is no new activation of the window.
    showingError_ = true;
    QMessageBox::critical(this, windowTitle(), message);
    showingError_ = false;
  };
}

void Tukalender::FormActivate() {
  Edit1->setText(QString::number(today_().year()));
  Button1Click();
}

void Tukalender::Button1Click() {
  const QLocale locale;
  ListBox1->clear();
  ListBox1->addItems(YearCalendarHeader(place_, locale));

  bool ok = false;
  const QString typed = Edit1->text().trimmed();
  const int year = typed.toInt(&ok);
  // Not an integer, or a year the calendar cannot count (year 0, before 4712 BC or after 9999):
  // the list keeps only its header.
  if (!ok) {
    ShowError(QStringLiteral("'%1' ist kein gültiger Integerwert").arg(Edit1->text()));
    return;
  }
  if (!yearcal::IsCalendarYear(year)) {
    ShowError(QString::fromUtf8(ConversionError().what()));
    return;
  }
  // The place's own summer-time changes, from the time-zone database.
  const auto calendar = yearcal::BuildYearCalendar(year, place_.ZoneHours, locale.decimalPoint().toStdString(),
                                                   SummerTimeChanges(place_, year));
  if (!calendar) return;
  const QStringList lines = YearCalendarLines(*calendar, place_.ZoneHours, locale);
  delegate_->SetWidestColumn(WidestLeadingField(lines, ListBox1->font()));
  ListBox1->addItems(lines);
}

bool Tukalender::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate && !showingError_) FormActivate();
  return QDialog::event(e);
}

}  // namespace zenitra
