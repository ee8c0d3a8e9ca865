#pragma once
// Painting straight into a window's backing store: the image every widget of the window paints
// into, shown on the screen only when the painting is over (so nothing flickers).
#include <QImage>
#include <optional>

class QPainter;
class QPaintEvent;
class QWidget;

namespace zenitra {

/// The part of the backing store `painter` (begun on `widget`) paints `widget` into, as an image
/// sharing its pixels at 96 dpi, when the event asks for the whole widget, which is fully visible,
/// at one device pixel per pixel in a 32-bit raster store; otherwise nothing. A drawing that covers
/// its whole area can then go straight into the store, without a picture of its own and the copy
/// of every pixel that picture costs. End `painter` before drawing into the image.
[[nodiscard]] std::optional<QImage> BackingStoreSurface(const QWidget& widget, QPainter& painter,
                                                        const QPaintEvent& event);

}  // namespace zenitra
