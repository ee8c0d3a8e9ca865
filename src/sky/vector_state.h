#pragma once

namespace zenitra {

/// Clears the upper halves of the AVX registers (vzeroupper) when the processor has AVX.
///
/// Some of Qt's raster routines (image fill, line and ellipse drawing) leave the upper register
/// halves dirty. On many Intel processors every plain SSE instruction afterwards pays a transition
/// penalty: measured here, the astronomical computations ran 18 times slower after one
/// QImage::fill until this was called. Call it after painting and before computing.
void ClearUpperVectorState() noexcept;

}  // namespace zenitra
