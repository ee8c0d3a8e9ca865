#pragma once
// Paper output shared by the windows and the headless commands: pictures fitted to an A4 page,
// lines of text paged under a repeated header, the sky map's palette for white paper, and the
// dialogs "Drucken…", "Als PDF speichern…" and "Bild speichern…".
#include <QImage>
#include <QPageLayout>
#include <QString>
#include <QStringList>
#include <functional>

class QPagedPaintDevice;
class QWidget;

namespace zenitra {

/// What goes on paper, drawn onto any paged device (a PDF file or a printer) whose page size and
/// orientation are already set. Returns false when the device cannot be painted on.
using PagePainter = std::function<bool(QPagedPaintDevice& device)>;

/// The picture centred on the page inside the margins, as large as its proportions allow.
[[nodiscard]] bool PaintPicturePage(QPagedPaintDevice& device, const QImage& picture);

/// `header` on top of every page, then as many `lines` as fit; TAB stops every `tabStopMm`
/// millimetres; the page number "Seite n von m" at the foot.
[[nodiscard]] bool PaintTextPages(QPagedPaintDevice& device, const QStringList& header, const QStringList& lines,
                                  double tabStopMm = 30.0);

/// The sky map for white paper: lightness inverted with hue and saturation kept, so the black sky
/// turns white and white stars dark; coloured lines are kept dark enough to read on white.
[[nodiscard]] QImage PaperPalette(const QImage& skyMap);

/// Writes a PDF of A4 pages in `orientation` drawn by `paint`. Returns an empty string when done,
/// else a German message.
[[nodiscard]] QString WritePdf(const QString& fileName, QPageLayout::Orientation orientation, const PagePainter& paint,
                               const QString& title);

/// Writes a picture as PNG, or as a one-page PDF when the file name ends in ".pdf". Returns an
/// empty string when done, else a German message.
[[nodiscard]] QString WritePicture(const QString& fileName, const QImage& picture, QPageLayout::Orientation orientation,
                                   const QString& title);

/// Writes `bytes` to a file. Returns an empty string when done, else a German message.
[[nodiscard]] QString WriteFileBytes(const QString& fileName, const QByteArray& bytes);

/// "Drucken…" and "Als PDF speichern…" as two buttons at (x, y) of `parent`, each `height` high;
/// `job` is asked on each click for what to print. Returns the x just right of the second button.
int AddPaperButtons(QWidget* parent, int x, int y, int height, std::function<PagePainter()> job,
                    QPageLayout::Orientation orientation, const QString& title, const QString& suggestedName);

/// "Drucken…": the printer dialog, then `paint` on the chosen printer. Messages go to a box.
void PrintWithDialog(QWidget* parent, QPageLayout::Orientation orientation, const PagePainter& paint,
                     const QString& title);
/// "Als PDF speichern…": a file dialog, then WritePdf. Messages go to a box.
void SavePdfWithDialog(QWidget* parent, QPageLayout::Orientation orientation, const PagePainter& paint,
                       const QString& title, const QString& suggestedName);
/// "Bild speichern…": a file dialog, then the picture as PNG.
void SavePictureWithDialog(QWidget* parent, const QImage& picture, const QString& suggestedName);

}  // namespace zenitra
