#include "app/export_commands.h"

#include <QRegularExpression>
#include <cstdio>

#include "ui/catalogue.h"
#include "ui/printing.h"
#include "ui/time_zone.h"

namespace zenitra {

namespace {

const QString kDefaultPlace = QStringLiteral("Chemnitz, D");

// The value after an option, or nothing at the end of the arguments.
std::optional<QString> OptionValue(const QStringList& args, qsizetype& i) {
  if (i + 1 >= args.size()) return std::nullopt;
  return args[++i];
}

int RunCalendar(const QStringList& args, QTextStream& out, QTextStream& err) {
  std::optional<int> year;
  QString placeName = kDefaultPlace;
  CalendarFormat format = CalendarFormat::Text;
  QString output;
  const auto usage = [&err](const QString& message) {
    err << message
        << QStringLiteral("\nAufruf: zenitra calendar JAHR [--place NAME] [--format text|csv|ics] [-o DATEI]\n");
    return 2;
  };
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& a = args[i];
    if (a == QStringLiteral("--place") || a == QStringLiteral("--format") || a == QStringLiteral("-o")) {
      const std::optional<QString> v = OptionValue(args, i);
      if (!v) return usage(QStringLiteral("Nach \"%1\" fehlt ein Wert.").arg(a));
      if (a == QStringLiteral("--place")) {
        placeName = *v;
      } else if (a == QStringLiteral("-o")) {
        output = *v;
      } else if (*v == QStringLiteral("text")) {
        format = CalendarFormat::Text;
      } else if (*v == QStringLiteral("csv")) {
        format = CalendarFormat::Csv;
      } else if (*v == QStringLiteral("ics")) {
        format = CalendarFormat::Ics;
      } else {
        return usage(QStringLiteral("Unbekanntes Format \"%1\": erwartet text, csv oder ics.").arg(*v));
      }
      continue;
    }
    bool ok = false;
    const int y = a.toInt(&ok);
    if (!ok || year) return usage(QStringLiteral("Unbekanntes Argument \"%1\".").arg(a));
    if (!yearcal::IsCalendarYear(y)) {
      return usage(QStringLiteral("Ungültiges Jahr \"%1\": erwartet -4712 bis 9999 ohne das Jahr 0.").arg(a));
    }
    year = y;
  }
  if (!year) return usage(QStringLiteral("Das Jahr fehlt."));
  std::optional<Location> place;
  try {
    place = FindListedPlace(LoadCatalogueLines(QStringLiteral("ORTE")), LoadCatalogueLines(QStringLiteral("ORT")),
                            placeName);
  } catch (const CatalogueError& e) {
    err << e.Message() << '\n';
    return 1;
  }
  if (!place) {
    return usage(QStringLiteral("Unbekannter Ort \"%1\". Orte stehen in der Ortsliste, z. B. \"%2\".")
                     .arg(placeName, kDefaultPlace));
  }
  if (const std::optional<QString> message = TimeZoneDatabaseMessage()) err << *message << '\n';
  QString error;
  const QByteArray bytes = YearCalendarFile(*place, *year, format, error);
  if (!error.isEmpty()) {
    err << error << '\n';
    return 2;
  }
  if (output.isEmpty()) {
    out.flush();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
    std::fflush(stdout);
    return 0;
  }
  error = WriteFileBytes(output, bytes);
  if (!error.isEmpty()) {
    err << error << '\n';
    return 1;
  }
  return 0;
}

int RunMoonCalendar(const QStringList& args, QTextStream& out, QTextStream& err) {
  const auto usage = [&err](const QString& message) {
    err << message << QStringLiteral("\nAufruf: zenitra moon-calendar JJJJ-MM [-o DATEI.png|DATEI.pdf]\n");
    return 2;
  };
  std::optional<QDate> month;
  QString output;
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& a = args[i];
    if (a == QStringLiteral("-o")) {
      const std::optional<QString> v = OptionValue(args, i);
      if (!v) return usage(QStringLiteral("Nach \"-o\" fehlt ein Wert."));
      if (!v->endsWith(QStringLiteral(".png"), Qt::CaseInsensitive) &&
          !v->endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
        return usage(QStringLiteral("Die Ausgabedatei \"%1\" muss auf .png oder .pdf enden.").arg(*v));
      }
      output = *v;
      continue;
    }
    static const QRegularExpression pattern(QStringLiteral("^(\\d{4})-(\\d{2})$"));
    const QRegularExpressionMatch m = pattern.match(a);
    const QDate date = m.hasMatch() ? QDate(m.captured(1).toInt(), m.captured(2).toInt(), 1) : QDate();
    // The years of the window's date field.
    if (!date.isValid() || date.year() < 1 || month) {
      return usage(QStringLiteral("Ungültiger Monat \"%1\": erwartet JJJJ-MM, z. B. 2026-03.").arg(a));
    }
    month = date;
  }
  if (!month) return usage(QStringLiteral("Der Monat fehlt."));
  if (output.isEmpty()) output = QStringLiteral("Mondphasenkalender-%1.png").arg(month->toString(QStringLiteral("yyyy-MM")));
  const QString error = WritePicture(output, MoonCalendarPicture(*month), QPageLayout::Landscape,
                                     QStringLiteral("Mondphasenkalender"));
  if (!error.isEmpty()) {
    err << error << '\n';
    return 1;
  }
  out << output << '\n';
  return 0;
}

}  // namespace

QString ExportCommandsHelp() {
  return QStringLiteral(
      "\n"
      "Kalender ohne Fenster:\n"
      "  zenitra calendar JAHR [--place NAME] [--format text|csv|ics] [-o DATEI]\n"
      "                          der astronomische Jahreskalender eines Ortes (Vorgabe \"Chemnitz, D\")\n"
      "                          als Text wie im Fenster, als CSV (Datum, Zonenzeit, UTC, Ereignis,\n"
      "                          Wert) oder als iCalendar-Datei (.ics, Zeiten in UTC); ohne -o auf\n"
      "                          die Standardausgabe\n"
      "  zenitra moon-calendar JJJJ-MM [-o DATEI.png|DATEI.pdf]\n"
      "                          der Mondphasenkalender eines Monats als Bild oder als A4-Seite\n"
      "                          (Vorgabe Mondphasenkalender-JJJJ-MM.png)\n");
}

bool IsExportCommand(const QString& command) {
  return command == QStringLiteral("calendar") || command == QStringLiteral("moon-calendar");
}

int RunExportCommand(const QStringList& arguments, QTextStream& out, QTextStream& err) {
  if (arguments.first() == QStringLiteral("calendar")) return RunCalendar(arguments.mid(1), out, err);
  return RunMoonCalendar(arguments.mid(1), out, err);
}

std::optional<Location> FindListedPlace(const QStringList& placeNames, const QStringList& placeRecords,
                                        const QString& name) {
  for (qsizetype i = 0; i < placeNames.size() && i < placeRecords.size(); ++i) {
    if (placeNames[i].compare(name, Qt::CaseInsensitive) == 0) return ParsePlaceRecord(placeRecords[i]);
  }
  return std::nullopt;
}

}  // namespace zenitra
