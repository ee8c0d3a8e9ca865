#include "info_windows/info_window_widgets.h"

#include <algorithm>
#include <cmath>

#include <QFontMetricsF>
#include <QPainter>
#include <QPaintEvent>
#include <QPalette>
#include <QShortcut>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

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

const QImage& InfoTextBox::LinePictureOf(const QTextBlock& block, const QRectF& rect) {
  const auto n = static_cast<std::size_t>(block.blockNumber());
  if (lines_.size() <= n) lines_.resize(n + 1);
  LinePicture& line = lines_[n];
  if (!line.Picture.isNull() && line.Text == block.text() && line.Top == rect.top()) return line.Picture;
  // The line's own pixel rows, drawn as the plain box draws it: the layout at its fractional
  // offset on the base colour, with the text colour as pen.
  const int top = static_cast<int>(std::floor(rect.top()));
  const int bottom = static_cast<int>(std::ceil(rect.bottom()));
  const double ratio = viewport()->devicePixelRatioF();
  QImage picture(QSize(viewport()->width(), std::max(1, bottom - top)) * ratio, QImage::Format_RGB32);
  picture.setDevicePixelRatio(ratio);
  picture.fill(palette().base().color());
  {
    QPainter painter(&picture);
    painter.setPen(palette().text().color());
    block.layout()->draw(&painter, QPointF(rect.left(), rect.top() - top));
  }
  line.Text = block.text();
  line.Top = rect.top();
  line.Picture = std::move(picture);
  return line.Picture;
}

void InfoTextBox::paintEvent(QPaintEvent* event) {
  if (textCursor().hasSelection()) {
    lines_.clear();
    QPlainTextEdit::paintEvent(event);
    return;
  }
  QPainter painter(viewport());
  const QRect area = event->rect();
  painter.fillRect(area, palette().base());
  const QPointF offset = contentOffset();
  for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
    const QRectF r = blockBoundingGeometry(block).translated(offset);
    if (r.top() > area.bottom()) break;
    if (!block.isVisible() || r.bottom() < area.top()) continue;
    painter.drawImage(QPointF(0.0, std::floor(r.top())), LinePictureOf(block, r));
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
