#pragma once
// GIF pictures embedded as resources (the horizon panorama, the moon phase strip), decoded with
// giflib.
#include <QByteArray>
#include <QImage>
#include <QString>

namespace zenitra {

/// Decodes the first frame of a GIF held in memory into a Format_RGB32 image of the logical screen
/// size. Returns a null image for data that is not a readable GIF.
[[nodiscard]] QImage DecodeGif(const QByteArray& gifBytes);
/// Loads a GIF resource (":/pictures/NAME.gif"); a null image when it is missing or unreadable.
[[nodiscard]] QImage LoadGifResource(const QString& name);

}  // namespace zenitra
