#pragma once
// The fonts of the drawings and windows, chosen once from what is installed.
#include <QString>

namespace zenitra {

/// Font families: "Verdana" where installed, otherwise DejaVu Sans; the zodiac signs in a family
/// that has the glyphs U+2648..U+2653.
[[nodiscard]] QString SkyFontFamily();
[[nodiscard]] QString ZodiacFontFamily();

/// Fontconfig's configuration, which Qt's font database reads at the first text a window lays
/// out: some 24 million instructions of XML, the largest single part of the start-up.
/// StartReadingFontConfiguration begins reading it on another thread, beside Qt's own start and
/// the work before the first text; AwaitFontConfiguration waits for that reading and belongs just
/// before the first text. (Were a text laid out before, fontconfig would read the configuration
/// there as well and drop the copy finished second: slower, never wrong.) Both are no-ops when no
/// reading was begun; a reading still running at exit is waited for.
void StartReadingFontConfiguration();
void AwaitFontConfiguration();

}  // namespace zenitra
