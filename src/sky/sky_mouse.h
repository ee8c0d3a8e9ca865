#pragma once
// Mouse interaction with the sky map: matching a click to the positions that the last drawing
// registered, and placing the information box of a star on the screen.
#include <QPoint>
#include <QSize>
#include <QString>
#include <optional>

#include "sky/position_registers.h"

namespace zenitra {

/// Pixels within which a click hits a registered position: both |x - X| and |y - Y| must be below 5.
inline constexpr int kHitDistance = 5;

/// Tests one register line "x<TAB>y<TAB>name" against a click at (X, Y): the name when both
/// coordinates lie within 4 pixels, otherwise nothing. A line whose coordinates are not integers
/// never hits.
[[nodiscard]] std::optional<QString> RegisterLineHit(const QString& line, int clickX, int clickY);

/// Sets the register's read cursor to 0 and tests its lines in order; the first hit wins.
[[nodiscard]] std::optional<QString> HitTest(PositionRegister& reg, int clickX, int clickY);

/// Top-left corner of the star information box for a click at screen point p on a screen of the
/// given size: 20 pixels right of the click; 220 pixels further left when p.x + 220 would pass the
/// right edge; at the height screen height - 320 when p.y + 300 would pass the bottom edge.
[[nodiscard]] QPoint InformationBoxTopLeft(QPoint p, QSize screen);

}  // namespace zenitra
