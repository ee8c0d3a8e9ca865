#include "info_windows/info_window_widgets.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

#include <QFontMetricsF>
#include <QPainter>
#include <QPaintEvent>
#include <QPalette>
#include <QShortcut>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include "ui/fonts.h"
#include "ui/body_pictures.h"

namespace zenitra {

QFont InfoFont(int pixelSize, bool bold) {
  QFont font(SkyFontFamily());
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  return font;
}

void SetUpInfoWindow(QWidget& window, const QString& caption, int width, int height) {
  window.setWindowTitle(caption);
  const Qt::WindowFlags type = window.inherits("QDialog") ? Qt::Dialog : Qt::Window;
  window.setWindowFlags(type | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                        Qt::WindowCloseButtonHint);
  window.setFixedSize(width, height);
  window.setAutoFillBackground(true);
  QPalette palette = window.palette();
  palette.setColor(QPalette::Window, Qt::white);
  window.setPalette(palette);
  window.setFont(InfoFont(11));
  // Escape closes the window, as it does a dialog.
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), &window);
  escape->setContext(Qt::WindowShortcut);
  QObject::connect(escape, &QShortcut::activated, &window, &QWidget::close);
}

void InfoTextBox::resizeEvent(QResizeEvent* event) {
  lines_.clear();
  QPlainTextEdit::resizeEvent(event);
}

void InfoTextBox::changeEvent(QEvent* event) {
  // Font, palette or style: every line looks different.
  lines_.clear();
  QPlainTextEdit::changeEvent(event);
}

namespace {

// The rectangle `ink` of an opaque picture, as one byte a pixel when all its pixels are grey (dark
// text on a light base, smoothed without colour fringes), a quarter of the memory; Qt draws a grey
// g as (g, g, g) again. Otherwise a copy of the rectangle as it is.
QImage GreyIfGrey(const QImage& picture, const QRect& ink) {
  QImage grey(ink.size(), QImage::Format_Grayscale8);
  const int width = ink.width();
  for (int y = 0; y < ink.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(ink.top() + y)) + ink.left();
    uchar* out = grey.scanLine(y);
    for (int x = 0; x < width; ++x) {
      const QRgb p = row[x];
      const int g = qGreen(p);
      if (qRed(p) != g || qBlue(p) != g) return picture.copy(ink);
      out[x] = static_cast<uchar>(g);
    }
  }
  return grey;
}

}  // namespace

std::unique_ptr<QTextLayout> OneLineLayout(const QString& text, const QFont& font, const QTextOption& option,
                                           double width, QPointF position, bool leadingIncluded,
                                           const QPaintDevice* device) {
  auto layout = std::make_unique<QTextLayout>(text, font, device);
  layout->setTextOption(option);
  layout->setCacheEnabled(true);
  layout->beginLayout();
  QTextLine first = layout->createLine();
  if (first.isValid()) {
    first.setLeadingIncluded(leadingIncluded);
    first.setLineWidth(width);
    first.setPosition(position);
  }
  const bool wraps = layout->createLine().isValid();
  layout->endLayout();
  if (wraps) return nullptr;
  return layout;
}

const InfoTextBox::LinePicture* InfoTextBox::LinePictureOf(const QTextBlock& block, const QRectF& rect) {
  LinePicture& line = lines_[static_cast<std::size_t>(block.blockNumber())];
  const double ratio = viewport()->devicePixelRatioF();
  const QString text = block.text();
  const bool same = line.Text == text && line.Top == rect.top() && line.Ratio == ratio;
  if (same && line.Drawn) return &line;
  const int top = LinePictureRow(rect, ratio);
  const int bottom = static_cast<int>(std::ceil((rect.bottom() + LineOverhang(rect)) * ratio));
  if (same && line.Layout) {
    // Unchanged since the last paint, which drew it straight from its layout: now it is worth a
    // picture, made from the kept layout without shaping the line again.
    DrawLinePicture(line, *line.Layout, rect, top, bottom);
    line.Layout.reset();
    return &line;
  }
  // The line laid out as the plain box's document lays out a block (its default text option, the
  // document margin on the left, leading included), shaped once here instead of once for the
  // document's layout and again for drawing. A text wider than the box would wrap: no picture.
  const QTextDocument* doc = document();
  const double margin = doc->documentMargin();
  std::unique_ptr<QTextLayout> layout =
      OneLineLayout(text, doc->defaultFont(), doc->defaultTextOption(), viewport()->width() - 2.0 * margin,
                    QPointF(margin, 0.0), true, viewport());
  if (!layout) return nullptr;
  line.Text = text;
  line.Top = rect.top();
  line.Ratio = ratio;
  if (!line.Drawn && !line.Layout) {
    // Shown for the first time: most lines of a window stay as they are.
    DrawLinePicture(line, *layout, rect, top, bottom);
    return &line;
  }
  // A line that has changed is drawn straight from its layout: during the animation the same
  // lines change at every step, and a picture of them would be made for one paint only.
  line.Picture = QImage();
  line.Layout = std::move(layout);
  line.Drawn = false;
  return &line;
}

void InfoTextBox::DrawLinePicture(LinePicture& line, const QTextLayout& layout, const QRectF& rect, int top,
                                  int bottom) {
  const double ratio = line.Ratio;
  // The line's device pixel rows on the base colour, with the text colour as pen, at the line's
  // fractional offset, so that the pixels equal those the plain box paints; with half a line of
  // rows above and below, where accents and descenders may reach into the neighbouring lines.
  // As wide as the text's advance and the overhang beyond it, within the box: no glyph's ink reaches
  // further, and filling and searching the rest of the box's width would cost as much as the text.
  const int boxWidth = static_cast<int>(std::ceil(viewport()->width() * ratio));
  const QTextLine first = layout.lineAt(0);
  const double textRight = first.isValid() ? rect.left() + first.naturalTextRect().right() : rect.left();
  const int width = std::clamp(static_cast<int>(std::ceil((textRight + LineOverhang(rect)) * ratio)), 1,
                               std::max(1, boxWidth));
  QImage picture(width, std::max(1, bottom - top), QImage::Format_RGB32);
  picture.fill(palette().base().color());
  {
    QPainter painter(&picture);
    painter.scale(ratio, ratio);
    painter.setPen(palette().text().color());
    layout.draw(&painter, QPointF(rect.left(), rect.top() - top / ratio));
  }
  // The rectangle that carries ink: only it is kept and drawn (the rest is the base colour the box
  // is filled with), and rows where two lines' ink meet are blended.
  const QRgb base = palette().base().color().rgb() | 0xff000000u;
  const auto isInk = [base](QRgb p) { return (p | 0xff000000u) != base; };
  int inkTop = picture.height();
  int inkBottom = 0;
  int inkLeft = width;
  int inkRight = 0;
  for (int y = 0; y < picture.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
    const auto* end = row + width;
    const auto* firstInk = std::find_if(row, end, isInk);
    if (firstInk == end) continue;
    const auto last = std::find_if(std::make_reverse_iterator(end), std::make_reverse_iterator(firstInk), isInk);
    inkTop = std::min(inkTop, y);
    inkBottom = y + 1;
    inkLeft = std::min(inkLeft, static_cast<int>(firstInk - row));
    inkRight = std::max(inkRight, static_cast<int>(last.base() - row));
  }
  // A copy of the ink alone: the line's picture of the box's whole width and twice its height
  // would hold about five times the memory, and its painter's engine besides.
  line.Picture = inkTop < inkBottom ? GreyIfGrey(picture, QRect(inkLeft, inkTop, inkRight - inkLeft, inkBottom - inkTop))
                                    : QImage();
  line.InkTop = inkTop;
  line.InkBottom = inkBottom;
  line.InkLeft = inkLeft;
  line.Row = top;
  line.Drawn = true;
}

double InfoTextBox::LineOverhang(const QRectF& rect) { return std::ceil(rect.height() / 2.0); }

int InfoTextBox::LinePictureRow(const QRectF& rect, double ratio) {
  return static_cast<int>(std::floor((rect.top() - LineOverhang(rect)) * ratio));
}

void InfoTextBox::paintEvent(QPaintEvent* event) {
  const auto paintAsPlainBox = [&] {
    lines_.clear();
    QPlainTextEdit::paintEvent(event);
  };
  const QTextBlock first = firstVisibleBlock();
  if (textCursor().hasSelection() || !first.isValid()) return paintAsPlainBox();
  // Every line is one line of the box's font, so the lines stack at the height of the first:
  // only that one is laid out by the document.
  const QRectF firstRect = blockBoundingGeometry(first).translated(contentOffset());
  if (first.layout()->lineCount() != 1) return paintAsPlainBox();
  const double height = firstRect.height();
  const QRect area = event->rect();
  // Sized before any picture is taken: the pointers below must stay valid.
  lines_.resize(static_cast<std::size_t>(document()->blockCount()));
  const double ratio = viewport()->devicePixelRatioF();
  std::vector<const LinePicture*> shown;
  for (QTextBlock block = first; block.isValid(); block = block.next()) {
    const QRectF r(firstRect.left(), firstRect.top() + (block.blockNumber() - first.blockNumber()) * height,
                   firstRect.width(), height);
    if (r.top() - LineOverhang(r) > area.bottom()) break;
    if (r.bottom() + LineOverhang(r) < area.top()) continue;
    const LinePicture* picture = LinePictureOf(block, r);
    if (!picture) return paintAsPlainBox();  // a line that wraps
    shown.push_back(picture);
  }
  QPainter painter(viewport());
  painter.fillRect(area, palette().base());
  // The pictures are in device pixels, drawn one to one at whole device rows. A line's ink rows are
  // copied; where they meet a neighbour's ink rows (an accent or descender reaching across), each
  // picture shows the base colour except for its own ink, so the darker (on a dark base the
  // lighter) of the two is the ink of both, as the plain box paints them.
  painter.setWorldTransform(QTransform::fromScale(1.0 / ratio, 1.0 / ratio));
  const bool darkText = palette().text().color().lightness() <= palette().base().color().lightness();
  // The pictures first. A line drawn from its layout comes after them, blended over the base and
  // their ink as the plain box blends its lines, so here it shares no rows with them.
  const auto inkTop = [&](std::size_t i) {
    return shown[i]->Layout ? std::numeric_limits<int>::max() : shown[i]->Row + shown[i]->InkTop;
  };
  const auto inkBottom = [&](std::size_t i) {
    return shown[i]->Layout ? std::numeric_limits<int>::min() : shown[i]->Row + shown[i]->InkBottom;
  };
  for (std::size_t i = 0; i < shown.size(); ++i) {
    if (shown[i]->Layout) continue;
    if (shown[i]->InkTop >= shown[i]->InkBottom) continue;
    // Rows shared with the neighbours' ink: [top, sharedAbove) and [sharedBelow, bottom).
    const int top = inkTop(i);
    const int bottom = inkBottom(i);
    const int sharedAbove = i > 0 ? std::clamp(inkBottom(i - 1), top, bottom) : top;
    const int sharedBelow = i + 1 < shown.size() ? std::clamp(inkTop(i + 1), sharedAbove, bottom) : bottom;
    const auto draw = [&](int from, int to, QPainter::CompositionMode mode) {
      if (from >= to) return;
      painter.setCompositionMode(mode);
      painter.drawImage(QPoint(shown[i]->InkLeft, from), shown[i]->Picture,
                        QRect(0, from - top, shown[i]->Picture.width(), to - from));
    };
    const auto blend = darkText ? QPainter::CompositionMode_Darken : QPainter::CompositionMode_Lighten;
    draw(top, sharedAbove, blend);
    draw(sharedAbove, sharedBelow, QPainter::CompositionMode_Source);
    draw(sharedBelow, bottom, blend);
  }
  painter.setWorldTransform(QTransform());
  painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter.setPen(palette().text().color());
  for (const LinePicture* line : shown) {
    if (line->Layout) line->Layout->draw(&painter, QPointF(firstRect.left(), line->Top));
  }
}

void SetUpTextBox(QPlainTextEdit* box, int x, int y, int w, int h) {
  box->setGeometry(x, y, w, h);
  box->setReadOnly(true);
  // The program alone writes the text, line by line at every refresh: nothing to undo.
  box->setUndoRedoEnabled(false);
  box->setFrameShape(QFrame::NoFrame);
  box->setFocusPolicy(Qt::NoFocus);
  box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  box->setFont(InfoFont(11));
  box->document()->setDocumentMargin(1);
  QPalette palette = box->palette();
  palette.setColor(QPalette::Base, Qt::white);
  palette.setColor(QPalette::Text, Qt::black);
  box->setPalette(palette);
  // Tab stops every 32 dialog units, as in a standard multi-line edit control: a dialog unit is a
  // quarter of the font's mean width of the 52 letters A..Z, a..z.
  const double letters = QFontMetricsF(box->font()).horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  box->setTabStopDistance(letters / 52.0 * 8.0);
}

InfoTextBox* MakeTextBox(QWidget* parent, int x, int y, int w, int h) {
  auto* box = new InfoTextBox(parent);
  SetUpTextBox(box, x, y, w, h);
  return box;
}

void SetTextBoxText(QPlainTextEdit* box, const QString& text) {
  QString shown = text;
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  const QStringList lines = shown.split(u'\n');
  QTextDocument* document = box->document();
  if (document->blockCount() != lines.size()) {
    box->setPlainText(shown);
    return;
  }
  // As many lines as shown: only the lines that changed are replaced, so that only they are laid
  // out and painted again. During the animation most lines (rising, setting, the facts) stay.
  QTextCursor cursor(document);
  bool editing = false;
  for (int i = 0; i < lines.size(); ++i) {
    const QTextBlock block = document->findBlockByNumber(i);
    if (block.text() == lines[i]) continue;
    if (!editing) {
      cursor.beginEditBlock();
      editing = true;
    }
    cursor.setPosition(block.position());
    cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
    cursor.insertText(lines[i]);
  }
  if (editing) cursor.endEditBlock();
}

QString TextBoxText(const QPlainTextEdit* box) {
  QString text = box->toPlainText();
  text.replace(u'\n', QStringLiteral("\r\n"));
  return text;
}

QLabel* MakePicture(QWidget* parent, int x, int y, const QString& resourceName) {
  auto* label = new QLabel(parent);
  label->move(x, y);
  if (const std::optional<QImage> image = InformationPicture(resourceName)) {
    label->setPixmap(QPixmap::fromImage(*image));
    label->resize(image->size());
  } else {
    label->resize(0, 0);
  }
  return label;
}

QLabel* MakeNameLabel(QWidget* parent, int x, int y, const QString& name, int pixelSize) {
  auto* label = new QLabel(name, parent);
  label->setFont(InfoFont(pixelSize, true));
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, QColor(0, 0, 128));
  label->setPalette(palette);
  label->move(x, y);
  label->adjustSize();
  return label;
}

}  // namespace zenitra
