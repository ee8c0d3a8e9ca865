#pragma once
// The horizon panorama of the sky map: the GIF pictures "s36s" (landscape on white) and "s37s"
// (mask), embedded as resources.
#include "sky/sky_renderer.h"

namespace zenitra {

/// The landscape "s36s" and its mask "s37s".
[[nodiscard]] SkyPictures LoadHorizonPictures();

}  // namespace zenitra
