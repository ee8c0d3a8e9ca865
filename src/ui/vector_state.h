#pragma once

namespace zenitra {

/// Protects the speed of the computations from the state Qt's painting leaves behind: clears the
/// upper halves of the AVX registers (vzeroupper) when the processor has AVX.
///
/// Some of Qt's raster routines (image fill, line and ellipse drawing, blending) leave the upper
/// register halves dirty. On many Intel processors every plain SSE instruction afterwards pays a
/// transition penalty: measured here, the astronomical computations ran 18 times slower after one
/// QImage::fill until this was called (bench/vector_state_bench.cpp).
///
/// It is called where a painting ends, at two boundaries only: after each event the application
/// delivers (ui/application.h: a widget's painting is an event), and after each raster call of the
/// drawings, which interleave painting with projections within one event (ui/canvas.h).
void ResetVectorStateAfterPainting() noexcept;

}  // namespace zenitra
