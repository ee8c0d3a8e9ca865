#include "sky/panorama.h"

#include "ui/gif_picture.h"

namespace zenitra {

SkyPictures LoadHorizonPictures() {
  return {LoadGifResource(QStringLiteral("s36s")), LoadGifResource(QStringLiteral("s37s"))};
}

}  // namespace zenitra
