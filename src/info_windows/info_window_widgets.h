#pragma once
// Controls shared by the information windows: the borderless read-only text boxes, the picture
// and the navy name label, all at fixed positions on a white client area.
#include <memory>
#include <vector>

#include <QFont>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QString>
#include <QTextBlock>
#include <QTextLayout>
#include <QWidget>

namespace zenitra {

/// "Verdana" (or its stand-in) at a size in pixels.
[[nodiscard]] QFont InfoFont(int pixelSize, bool bold = false);

/// Makes `window` a fixed-size window with a white client area of width x height pixels, a
/// caption and only the system menu and close button.
void SetUpInfoWindow(QWidget& window, const QString& caption, int width, int height);

/// The read-only text box of the information windows. It paints each line from a picture kept
/// while the line's text stays the same, so that a refresh during the animation shapes and
/// rasterises only the lines that changed (a plain box shapes every visible line at every paint).
/// While the user has a selection it paints as a plain box.
class InfoTextBox : public QPlainTextEdit {
 public:
  explicit InfoTextBox(QWidget* parent = nullptr) : QPlainTextEdit(parent) {}

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  struct LinePicture {
    QString Text;
    double Top = 0.0;    ///< the line's top in the viewport, pixels (may be fractional)
    double Ratio = 1.0;  ///< device pixels per pixel when it was drawn
    bool Drawn = false;  ///< the fields below hold the line's ink for the text, top and ratio above
    int Row = 0;         ///< the first device row in the viewport the line's ink may reach
    int InkTop = 0;      ///< the device rows [Row + InkTop, Row + InkBottom) carry ink (none when equal)
    int InkBottom = 0;
    int InkLeft = 0;     ///< the first device column with ink
    QImage Picture;      ///< the ink's rectangle, opaque, in device pixels (one byte a pixel when grey)
    /// A line that changed since the last paint: drawn straight from this layout over the
    /// pictures, and pictured only when it stays the same for a paint.
    std::unique_ptr<QTextLayout> Layout;
  };
  /// The picture or layout of a line at `rect` (viewport pixels), or none when its text wraps.
  const LinePicture* LinePictureOf(const QTextBlock& block, const QRectF& rect);
  /// Draws `layout` into the line's picture, device rows [top, bottom), and keeps its ink.
  void DrawLinePicture(LinePicture& line, const QTextLayout& layout, const QRectF& rect, int top, int bottom);
  /// Pixels a line's ink may reach beyond its rectangle, and the first device pixel row of its
  /// picture at a device pixel ratio.
  static double LineOverhang(const QRectF& rect);
  static int LinePictureRow(const QRectF& rect, double ratio);
  std::vector<LinePicture> lines_;
};

/// `text` laid out as one line `width` pixels wide at `position` with `option` (leading included
/// when asked, for `device` when given), as a plain text box or an item view lays out a line; its
/// glyphs are kept, so that drawing does not shape the text again. None when it takes more lines.
[[nodiscard]] std::unique_ptr<QTextLayout> OneLineLayout(const QString& text, const QFont& font,
                                                         const QTextOption& option, double width,
                                                         QPointF position, bool leadingIncluded = false,
                                                         const QPaintDevice* device = nullptr);

/// Gives a plain text box the look of the information windows' boxes (used by MakeTextBox).
void SetUpTextBox(QPlainTextEdit* box, int x, int y, int w, int h);

/// A borderless, read-only text box without tab stop and scroll bars at (x, y), w x h, in Verdana
/// 11 px, with tab stops every 32 dialog units (eight mean letter widths).
[[nodiscard]] InfoTextBox* MakeTextBox(QWidget* parent, int x, int y, int w, int h);
/// Replaces the text of a text box with `text` (CR LF line ends); leaves it alone when unchanged.
void SetTextBoxText(QPlainTextEdit* box, const QString& text);
/// The text of a text box with CR LF line ends, as it was given.
[[nodiscard]] QString TextBoxText(const QPlainTextEdit* box);

/// A label at (x, y) showing the information picture `resourceName`, sized to the picture; no
/// picture (and an empty label) when the name has none.
[[nodiscard]] QLabel* MakePicture(QWidget* parent, int x, int y, const QString& resourceName);
/// The body's name at (x, y) in navy bold Verdana of the given pixel size.
[[nodiscard]] QLabel* MakeNameLabel(QWidget* parent, int x, int y, const QString& name, int pixelSize);

}  // namespace zenitra
