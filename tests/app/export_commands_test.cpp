// The headless calendar commands and the paper output: arguments, files and PDF pages.
#include "app/export_commands.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "app/render_command.h"
#include "ui/printing.h"

namespace zenitra {
namespace {

struct CommandResult {
  int code = 0;
  QString err;
};

CommandResult RunExport(const QStringList& arguments) {
  QString outText, errText;
  QTextStream out(&outText), err(&errText);
  const int code = RunExportCommand(arguments, out, err);
  err.flush();
  return {code, errText};
}

QByteArray ReadAll(const QString& fileName) {
  QFile file(fileName);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << fileName.toStdString();
  return file.readAll();
}

// The pages of a PDF: the size of each "/Type /Page" object's /MediaBox, in points (1/72 inch).
struct PdfPages {
  int count = 0;
  QList<QSizeF> sizes;
};

PdfPages ReadPdfPages(const QByteArray& pdf) {
  PdfPages pages;
  const QString text = QString::fromLatin1(pdf);
  static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
  pages.count = static_cast<int>(text.count(page));
  static const QRegularExpression box(
      QStringLiteral("/MediaBox\\s*\\[\\s*([-\\d.]+)\\s+([-\\d.]+)\\s+([-\\d.]+)\\s+([-\\d.]+)\\s*\\]"));
  for (auto it = box.globalMatch(text); it.hasNext();) {
    const auto m = it.next();
    pages.sizes.append(QSizeF(m.captured(3).toDouble() - m.captured(1).toDouble(),
                              m.captured(4).toDouble() - m.captured(2).toDouble()));
  }
  return pages;
}

// A4 is 210 mm x 297 mm = 595.3 x 841.9 points (ISO 216); a point is 1/72 inch.
void ExpectA4Pages(const QString& fileName, bool landscape, int minimumPages) {
  const PdfPages pages = ReadPdfPages(ReadAll(fileName));
  EXPECT_GE(pages.count, minimumPages) << fileName.toStdString();
  ASSERT_EQ(pages.sizes.size(), pages.count) << fileName.toStdString();
  const QSizeF a4 = landscape ? QSizeF(841.9, 595.3) : QSizeF(595.3, 841.9);
  for (const QSizeF& s : pages.sizes) {
    EXPECT_NEAR(s.width(), a4.width(), 1.0) << fileName.toStdString();
    EXPECT_NEAR(s.height(), a4.height(), 1.0) << fileName.toStdString();
  }
}

TEST(ExportCommands, BadArgumentsExitWith2AndSayWhy) {
  const struct {
    QStringList arguments;
    const char* named;  // what the message must name
  } rows[] = {
      {{QStringLiteral("calendar")}, "Jahr fehlt"},
      {{QStringLiteral("calendar"), QStringLiteral("0")}, "\"0\""},
      {{QStringLiteral("calendar"), QStringLiteral("zwanzig")}, "zwanzig"},
      {{QStringLiteral("calendar"), QStringLiteral("2026"), QStringLiteral("2027")}, "2027"},
      {{QStringLiteral("calendar"), QStringLiteral("2026"), QStringLiteral("--format"), QStringLiteral("xml")}, "xml"},
      {{QStringLiteral("calendar"), QStringLiteral("2026"), QStringLiteral("--place"), QStringLiteral("Atlantis")},
       "Atlantis"},
      {{QStringLiteral("calendar"), QStringLiteral("2026"), QStringLiteral("-o")}, "-o"},
      {{QStringLiteral("calendar"), QStringLiteral("-500"), QStringLiteral("--format"), QStringLiteral("ics")},
       "1 bis 9999"},
      {{QStringLiteral("moon-calendar")}, "Monat fehlt"},
      {{QStringLiteral("moon-calendar"), QStringLiteral("2026-13")}, "2026-13"},
      {{QStringLiteral("moon-calendar"), QStringLiteral("März")}, "März"},
      {{QStringLiteral("moon-calendar"), QStringLiteral("2026-03"), QStringLiteral("-o"), QStringLiteral("x.jpg")},
       "x.jpg"},
  };
  for (const auto& row : rows) {
    const CommandResult r = RunExport(row.arguments);
    EXPECT_EQ(r.code, 2) << "input " << row.arguments.join(u' ').toStdString();
    EXPECT_TRUE(r.err.contains(QString::fromUtf8(row.named)))
        << "input " << row.arguments.join(u' ').toStdString() << " expected " << row.named << " got "
        << r.err.toStdString();
  }
}

TEST(ExportCommands, HelpNamesBothCommandsAndTheirOptions) {
  const QString help = ExportCommandsHelp();
  for (const char* word : {"calendar JAHR", "--place NAME", "--format text|csv|ics", "-o DATEI",
                           "moon-calendar JJJJ-MM", "DATEI.png|DATEI.pdf"}) {
    EXPECT_TRUE(help.contains(QString::fromLatin1(word))) << word;
  }
}

// The command writes what the window exports: as many events in the .ics as the text has lines
// below its five header lines.
TEST(ExportCommands, CalendarFilesHoldTheSameEventsInEveryFormat) {
  QTemporaryDir dir;
  const QString text = dir.filePath(QStringLiteral("2026.txt"));
  const QString ics = dir.filePath(QStringLiteral("2026.ics"));
  const QString csv = dir.filePath(QStringLiteral("2026.csv"));
  for (const auto& [format, file] : {std::pair{QStringLiteral("text"), text}, std::pair{QStringLiteral("ics"), ics},
                                     std::pair{QStringLiteral("csv"), csv}}) {
    const CommandResult r = RunExport({QStringLiteral("calendar"), QStringLiteral("2026"), QStringLiteral("--place"),
                                 QStringLiteral("new york, usa"), QStringLiteral("--format"), format,
                                 QStringLiteral("-o"), file});
    ASSERT_EQ(r.code, 0) << format.toStdString() << " " << r.err.toStdString();
  }
  const QByteArray textBytes = ReadAll(text);
  EXPECT_TRUE(textBytes.startsWith("Berechnungsort: New York, USA\n")) << textBytes.left(80).toStdString();
  const qsizetype events = textBytes.count('\n') - 5;
  EXPECT_GT(events, 50);
  EXPECT_EQ(ReadAll(ics).count("BEGIN:VEVENT"), events);
  EXPECT_EQ(ReadAll(csv).count("\r\n"), events + 1);
  // An unwritable file: exit code 1.
  EXPECT_EQ(RunExport({QStringLiteral("calendar"), QStringLiteral("2026"), QStringLiteral("-o"),
                 dir.filePath(QStringLiteral("missing/2026.txt"))})
                .code,
            1);
}

TEST(PaperOutput, PdfOfEachKindHasA4Pages) {
  QTemporaryDir dir;
  // The moon phase calendar: one page across.
  const QString moon = dir.filePath(QStringLiteral("mond.pdf"));
  ASSERT_EQ(RunExport({QStringLiteral("moon-calendar"), QStringLiteral("2026-03"), QStringLiteral("-o"), moon}).code, 0);
  ExpectA4Pages(moon, true, 1);
  // The year calendar: paged lines, upright; a year has more lines than one page holds.
  const QString year = dir.filePath(QStringLiteral("jahr.pdf"));
  const Location chemnitz{"Chemnitz, D", 50.836667, 12.854444, 1.0, "Europe/Berlin"};
  ASSERT_EQ(WritePdf(year, QPageLayout::Portrait, YearCalendarPages(chemnitz, 2026), QStringLiteral("Jahr")), QString());
  ExpectA4Pages(year, false, 2);
  // The text read back by poppler's pdftotext: each page starts with the header, and an event's
  // line keeps its time and text behind the TABs.
  for (const int page : {1, 2}) {
    QProcess reader;
    reader.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(page),
                                               QStringLiteral("-l"), QString::number(page), year, QStringLiteral("-")});
    ASSERT_TRUE(reader.waitForFinished(60000)) << "pdftotext (poppler-utils) did not run";
    const QString text = QString::fromUtf8(reader.readAllStandardOutput());
    EXPECT_TRUE(text.contains(QStringLiteral("Astronomischer Jahreskalender 2026"))) << "page " << page;
    EXPECT_TRUE(text.contains(QStringLiteral("Berechnungsort: Chemnitz, D"))) << "page " << page;
    if (page == 1) {
      static const QRegularExpression spring(QStringLiteral("20\\.3\\.26\\s+\\d\\d:\\d\\d:\\d\\d\\s+Frühlingsanfang"));
      EXPECT_TRUE(text.contains(spring)) << text.toStdString();
    }
  }
  // The sky map: one page across.
  Catalogue c;
  c.PlaceNames = {QStringLiteral("Chemnitz, D")};
  c.Places = {QStringLiteral("Chemnitz, D\t50.836667\t12.854444\t1")};
  RenderOptions o;
  o.At = ShownMoment{2026, 1, 15, 21, 0, 0};
  o.Output = dir.filePath(QStringLiteral("karte.pdf"));
  QString outText, errText;
  QTextStream out(&outText), err(&errText);
  ASSERT_EQ(RunRender(o, c, out, err), 0) << errText.toStdString();
  ExpectA4Pages(o.Output, true, 1);
}

// On paper the black sky is white, white stars are dark and a red line stays a dark red.
TEST(PaperOutput, PaperPaletteTurnsTheSkyWhiteAndKeepsLinesReadable) {
  QImage sky(4, 1, QImage::Format_RGB32);
  sky.setPixel(0, 0, qRgb(0, 0, 0));
  sky.setPixel(1, 0, qRgb(255, 255, 255));
  sky.setPixel(2, 0, qRgb(255, 0, 0));
  sky.setPixel(3, 0, qRgb(255, 255, 0));  // the yellow of the constellation names
  const QImage paper = PaperPalette(sky);
  EXPECT_EQ(QColor(paper.pixel(0, 0)), QColor(Qt::white));
  EXPECT_EQ(QColor(paper.pixel(1, 0)), QColor(Qt::black));
  for (const int x : {2, 3}) {
    const QColor line(paper.pixel(x, 0));
    const double luma = 0.299 * line.red() + 0.587 * line.green() + 0.114 * line.blue();
    EXPECT_LE(luma, 111.0) << "pixel " << x << " too light on white: " << line.name().toStdString();
    EXPECT_GT(line.red(), 2 * line.blue()) << "pixel " << x << " hue kept: " << line.name().toStdString();
  }
}

}  // namespace
}  // namespace zenitra
