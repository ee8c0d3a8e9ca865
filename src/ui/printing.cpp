#include "ui/printing.h"

#include <QColor>
#include <QFile>
#include <QFileDialog>
#include <QFontMetricsF>
#include <QImageWriter>
#include <QMessageBox>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTextOption>
#include <algorithm>
#include <cmath>

namespace zenitra {

namespace {

constexpr double kMarginMm = 12.0;
constexpr int kTextPointSize = 10;
// The brightest a coloured line or name may come out on paper, as luma (ITU-R BT.601 weights,
// 0..255): yellow names and the light blue the dark grid turns into would vanish on white.
constexpr double kMaxColouredLuma = 110.0;
constexpr int kColouredSaturation = 60;

void SetA4(QPagedPaintDevice& device, QPageLayout::Orientation orientation) {
  device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), orientation,
                                   QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter));
}

}  // namespace

bool PaintPicturePage(QPagedPaintDevice& device, const QImage& picture) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  const QSizeF area(device.width(), device.height());
  QSizeF size = QSizeF(picture.size()).scaled(area, Qt::KeepAspectRatio);
  const QRectF target(QPointF((area.width() - size.width()) / 2.0, (area.height() - size.height()) / 2.0), size);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(target, picture);
  return painter.end();
}

bool PaintTextPages(QPagedPaintDevice& device, const QStringList& header, const QStringList& lines, double tabStopMm) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPointSize(kTextPointSize);
  painter.setFont(font);
  const QFontMetricsF metrics(font, &device);
  const double lineHeight = metrics.lineSpacing();
  const double width = device.width();
  const double height = device.height();
  const double tabStop = tabStopMm * device.logicalDpiX() / 25.4;
  // Each TAB moves on to the next stop after the text before it.
  const auto drawLine = [&](double y, const QString& line) {
    double x = 0.0;
    for (const QString& column : line.split(QLatin1Char('\t'))) {
      painter.drawText(QPointF(x, y + metrics.ascent()), column);
      const double end = x + metrics.horizontalAdvance(column);
      x = (std::floor(end / tabStop) + 1.0) * tabStop;
    }
  };

  // The header, a gap of one line, the lines, a gap and the page number.
  const double headerHeight = (header.size() + 1) * lineHeight;
  const int perPage = std::max(1, static_cast<int>(std::floor((height - headerHeight - 2.0 * lineHeight) / lineHeight)));
  const int pages = std::max<qsizetype>(1, (lines.size() + perPage - 1) / perPage);
  for (int page = 0; page < pages; ++page) {
    if (page > 0 && !device.newPage()) return false;
    double y = 0.0;
    for (const QString& h : header) {
      drawLine(y, h);
      y += lineHeight;
    }
    y += lineHeight;
    const qsizetype first = static_cast<qsizetype>(page) * perPage;
    for (qsizetype i = first; i < std::min<qsizetype>(lines.size(), first + perPage); ++i) {
      drawLine(y, lines[i]);
      y += lineHeight;
    }
    painter.drawText(QRectF(0.0, height - lineHeight, width, lineHeight),
                     QStringLiteral("Seite %1 von %2").arg(page + 1).arg(pages), QTextOption(Qt::AlignRight));
  }
  return painter.end();
}

QImage PaperPalette(const QImage& skyMap) {
  QImage paper = skyMap.convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < paper.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(paper.scanLine(y));
    for (int x = 0; x < paper.width(); ++x) {
      const QColor c = QColor::fromRgb(row[x]).toHsl();
      QColor inverted = QColor::fromHsl(c.hslHue(), c.hslSaturation(), 255 - c.lightness()).toRgb();
      const double luma = 0.299 * inverted.red() + 0.587 * inverted.green() + 0.114 * inverted.blue();
      if (c.hslSaturation() > kColouredSaturation && luma > kMaxColouredLuma) {
        const double f = kMaxColouredLuma / luma;
        inverted.setRgb(static_cast<int>(inverted.red() * f), static_cast<int>(inverted.green() * f),
                        static_cast<int>(inverted.blue() * f));
      }
      row[x] = inverted.rgb();
    }
  }
  return paper;
}

QString WritePdf(const QString& fileName, QPageLayout::Orientation orientation, const PagePainter& paint,
                 const QString& title) {
  QPdfWriter writer(fileName);
  writer.setTitle(title);
  writer.setCreator(QStringLiteral("Zenitra"));
  SetA4(writer, orientation);
  if (!paint(writer)) return QStringLiteral("Die Datei \"%1\" konnte nicht geschrieben werden.").arg(fileName);
  return {};
}

QString WritePicture(const QString& fileName, const QImage& picture, QPageLayout::Orientation orientation,
                     const QString& title) {
  if (fileName.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
    return WritePdf(fileName, orientation, [&picture](QPagedPaintDevice& d) { return PaintPicturePage(d, picture); },
                    title);
  }
  QImageWriter writer(fileName, "png");
  if (!writer.write(picture)) {
    return QStringLiteral("Die Datei \"%1\" konnte nicht geschrieben werden: %2").arg(fileName, writer.errorString());
  }
  return {};
}

QString WriteFileBytes(const QString& fileName, const QByteArray& bytes) {
  QFile file(fileName);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush()) {
    return QStringLiteral("Die Datei \"%1\" konnte nicht geschrieben werden: %2").arg(fileName, file.errorString());
  }
  return {};
}

int AddPaperButtons(QWidget* parent, int x, int y, int height, std::function<PagePainter()> job,
                    QPageLayout::Orientation orientation, const QString& title, const QString& suggestedName) {
  const auto add = [&](const QString& caption, int width, auto action) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(caption);
    button->setGeometry(x, y, width, height);
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, parent, [=] {
      const PagePainter paint = job();
      if (paint) action(paint);
    });
    x += width + 8;
  };
  add(QStringLiteral("Drucken…"), 90,
      [=](const PagePainter& paint) { PrintWithDialog(parent, orientation, paint, title); });
  add(QStringLiteral("Als PDF speichern…"), 140,
      [=](const PagePainter& paint) { SavePdfWithDialog(parent, orientation, paint, title, suggestedName); });
  return x;
}

void PrintWithDialog(QWidget* parent, QPageLayout::Orientation orientation, const PagePainter& paint,
                     const QString& title) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(title);
  SetA4(printer, orientation);
  QPrintDialog dialog(&printer, parent);
  dialog.setWindowTitle(QStringLiteral("Drucken"));
  if (dialog.exec() != QDialog::Accepted) return;
  if (!paint(printer)) QMessageBox::critical(parent, title, QStringLiteral("Der Druck ist fehlgeschlagen."));
}

void SavePdfWithDialog(QWidget* parent, QPageLayout::Orientation orientation, const PagePainter& paint,
                       const QString& title, const QString& suggestedName) {
  const QString file = QFileDialog::getSaveFileName(parent, QStringLiteral("Als PDF speichern"), suggestedName,
                                                    QStringLiteral("PDF-Dateien (*.pdf)"));
  if (file.isEmpty()) return;
  const QString error = WritePdf(file, orientation, paint, title);
  if (!error.isEmpty()) QMessageBox::critical(parent, title, error);
}

void SavePictureWithDialog(QWidget* parent, const QImage& picture, const QString& suggestedName) {
  const QString file = QFileDialog::getSaveFileName(parent, QStringLiteral("Bild speichern"), suggestedName,
                                                    QStringLiteral("PNG-Bilder (*.png)"));
  if (file.isEmpty()) return;
  const QString error = WritePicture(file, picture, QPageLayout::Landscape, QString());
  if (!error.isEmpty()) QMessageBox::critical(parent, QStringLiteral("Bild speichern"), error);
}

}  // namespace zenitra
