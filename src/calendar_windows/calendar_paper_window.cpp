#include "calendar_windows/calendar_paper_window.h"

#include <QDateTime>
#include <QFileDialog>
#include <QLocale>
#include <QMessageBox>

#include "calendars/calendar_export.h"
#include "calendar_windows/moon_calendar_window.h"
#include "calendar_windows/year_calendar_window.h"
#include "ui/time_zone.h"

namespace zenitra {

namespace {

// The paint box of the moon phase calendar window: the sheet is drawn at the size the user sees.
constexpr QSize kMoonSheetSize(784, 578);

std::optional<yearcal::YearCalendar> CalendarOf(const Location& place, int year, const QLocale& locale) {
  return yearcal::BuildYearCalendar(year, place.ZoneHours, locale.decimalPoint().toStdString(),
                                    SummerTimeChanges(place, year));
}

}  // namespace

QByteArray YearCalendarFile(const Location& place, int year, CalendarFormat format, QString& error) {
  const QLocale locale;
  const auto calendar = CalendarOf(place, year, locale);
  if (!calendar) {
    error = QStringLiteral("Für das Jahr %1 gibt es keinen Kalender.").arg(year);
    return {};
  }
  switch (format) {
    case CalendarFormat::Text: {
      const QStringList lines = YearCalendarHeader(place, locale) + YearCalendarLines(*calendar, place.ZoneHours, locale);
      return (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
    }
    case CalendarFormat::Csv:
      return QByteArray::fromStdString(yearcal::CalendarCsv(*calendar, place.ZoneHours));
    case CalendarFormat::Ics: {
      const QDateTime now = QDateTime::currentDateTimeUtc();
      const yearcal::CalendarTime stamp{now.date().year(), now.date().month(), now.date().day(),
                                        now.time().hour(),  now.time().minute(), now.time().second()};
      const yearcal::IcsExport ics = yearcal::CalendarIcs(*calendar, {place.Name, stamp});
      error = QString::fromStdString(ics.error);
      return QByteArray::fromStdString(ics.text);
    }
  }
  return {};
}

PagePainter YearCalendarPages(const Location& place, int year) {
  const QLocale locale;
  QStringList header = YearCalendarHeader(place, locale);
  header.prepend(QStringLiteral("Astronomischer Jahreskalender %1").arg(year));
  QStringList lines;
  if (const auto calendar = CalendarOf(place, year, locale)) lines = YearCalendarLines(*calendar, place.ZoneHours, locale);
  return [header, lines](QPagedPaintDevice& device) { return PaintTextPages(device, header, lines); };
}

void ExportYearCalendarWithDialog(QWidget* parent, const Location& place, int year) {
  const QString ics = QStringLiteral("iCalendar (*.ics)");
  const QString csv = QStringLiteral("CSV-Tabelle (*.csv)");
  QString filter = ics;
  QString file = QFileDialog::getSaveFileName(parent, QStringLiteral("Exportieren"),
                                              QStringLiteral("Jahreskalender-%1.ics").arg(year),
                                              ics + QStringLiteral(";;") + csv, &filter);
  if (file.isEmpty()) return;
  const bool asCsv = filter == csv || file.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive);
  QString error;
  const QByteArray bytes = YearCalendarFile(place, year, asCsv ? CalendarFormat::Csv : CalendarFormat::Ics, error);
  if (error.isEmpty()) error = WriteFileBytes(file, bytes);
  if (!error.isEmpty()) QMessageBox::critical(parent, QStringLiteral("Exportieren"), error);
}

QImage MoonCalendarPicture(QDate month) { return DrawMoonCalendarSheet(LoadMoonPhaseStrip(), month, kMoonSheetSize); }

}  // namespace zenitra
