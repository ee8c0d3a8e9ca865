#pragma once
// The calendars on paper and in files: the year calendar as text, CSV or iCalendar and as paged
// lines, the moon phase calendar as an A4 page. The windows' buttons and the headless commands
// use the same functions.
#include <QByteArray>
#include <QDate>
#include <QImage>
#include <QString>
#include <QStringList>

#include "core/shared_types.h"
#include "ui/printing.h"

class QWidget;

namespace zenitra {

/// The formats of the year calendar's export.
enum class CalendarFormat { Text, Csv, Ics };

/// The year calendar of `place` in `format`, as the window shows it (numbers in the default
/// locale, the place's summer-time changes); `error` gets a German message when there is none (a
/// year iCalendar cannot write).
[[nodiscard]] QByteArray YearCalendarFile(const Location& place, int year, CalendarFormat format, QString& error);

/// The year calendar's pages: a header with the title, place, year and zone on every page, then
/// the lines of the list.
[[nodiscard]] PagePainter YearCalendarPages(const Location& place, int year);

/// "Exportieren…": a file dialog offering iCalendar and CSV, then the file.
void ExportYearCalendarWithDialog(QWidget* parent, const Location& place, int year);

/// The moon phase calendar sheet of the month of `month`, drawn at the window's paint box size.
[[nodiscard]] QImage MoonCalendarPicture(QDate month);

}  // namespace zenitra
