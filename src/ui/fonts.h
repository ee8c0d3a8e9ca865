#pragma once
// The fonts of the drawings and windows, chosen once from what is installed.
#include <QString>

namespace zenitra {

/// Font families: "Verdana" where installed, otherwise DejaVu Sans; the zodiac signs in a family
/// that has the glyphs U+2648..U+2653.
[[nodiscard]] QString SkyFontFamily();
[[nodiscard]] QString ZodiacFontFamily();

}  // namespace zenitra
