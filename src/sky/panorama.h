#pragma once
// The horizon panorama of the sky map: the GIF pictures "s36s" (landscape on white) and "s37s"
// (mask), embedded as resources and decoded with giflib.
#include <QByteArray>
#include <QImage>
#include <QString>

#include "sky/sky_renderer.h"

namespace zenitra {

/// Decodes the first frame of a GIF held in memory into a Format_RGB32 image of the logical screen
/// size. Returns a null image for data that is not a readable GIF.
[[nodiscard]] QImage DecodeGif(const QByteArray& gifBytes);
/// Loads a GIF resource (":/pictures/NAME.gif"); a null image when it is missing or unreadable.
[[nodiscard]] QImage LoadGifResource(const QString& name);
/// The landscape "s36s" and its mask "s37s".
[[nodiscard]] SkyPictures LoadHorizonPictures();

}  // namespace zenitra
