#pragma once
// Sine and cosine at once, for the hot loops of the series (VSOP87 terms, lunar phase terms), of
// one angle or of two angles side by side in one SSE2 register (a GCC and Clang vector type).
//
// Method: x less the nearest multiple n of pi/2, with pi/2 split in two 26-bit parts and a
// remainder (Cody & Waite), so that n (pi/2) is subtracted exactly for |n| < 2^27; then the
// minimax polynomials on [-pi/4, pi/4] of fdlibm's __kernel_sin and __kernel_cos (Sun
// Microsystems, 1993; notice in docs/third_party_fdlibm.md). Absolute error about 2e-16 for |x|
// up to 1e8 (the Earth's series need at most 3e6); beyond, the result is meaningless, and NaN for
// a NaN or infinite x. Faster than std::sin and std::cos of the same argument.
#include <bit>
#include <cstdint>

namespace zenitra {

/// The sine and cosine of one angle.
struct SinCos {
  double sin = 0.0;
  double cos = 1.0;
};

/// Two doubles, and their bits, in one SSE2 register.
using Double2 = double __attribute__((vector_size(16)));
using Bits2 = std::uint64_t __attribute__((vector_size(16)));

namespace sin_cos_detail {

// The kernel for a double (Bits std::uint64_t) or a Double2 (Bits Bits2), without branches: the
// random quadrants of successive terms would mispredict them.
template <typename Real, typename Bits>
inline void SinCosKernel(Real x, Real& sinOut, Real& cosOut) {
  constexpr double kTwoOverPi = 0.63661977236758134308;
  constexpr double kHalfPi1 = 0x1.921fb58000000p+0;    // pi/2 to 26 bits
  constexpr double kHalfPi2 = -0x1.dde9740000000p-27;  // the next 26 bits
  constexpr double kHalfPi3 = 0x1.1a62633145c07p-54;   // the rest
  // Adding 1.5 * 2^52 rounds to a whole number (halves to even) for |value| < 2^51, and leaves
  // that number in the low bits of the sum: they give the quadrant without a conversion.
  constexpr double kRound = 6755399441055744.0;
  const Real rounded = x * kTwoOverPi + kRound;
  const Real n = rounded - kRound;
  const Real r = ((x - n * kHalfPi1) - n * kHalfPi2) - n * kHalfPi3;
  // The polynomials in z = r^2 by Estrin's scheme (pairs, then pairs of pairs), which shortens the
  // chain of dependent operations that bounds the speed of the series loops.
  const Real z = r * r;
  const Real z2 = z * z;
  const Real z4 = z2 * z2;
  const Real sinPoly = (-1.66666666666666324348e-01 + z * 8.33333333332248946124e-03) +
                       z2 * (-1.98412698298579493134e-04 + z * 2.75573137070700676789e-06) +
                       z4 * (-2.50507602534068634195e-08 + z * 1.58969099521155010221e-10);
  const Real cosPoly = (4.16666666666666019037e-02 + z * -1.38888888888741095749e-03) +
                       z2 * (2.48015872894767294178e-05 + z * -2.75573143513906633035e-07) +
                       z4 * (2.08757232129817482790e-09 + z * -1.13596475577881948265e-11);
  const Real sinR = r + r * z * sinPoly;
  const Real cosR = 1.0 - (0.5 * z - z2 * cosPoly);
  // Quadrant n mod 4: (sin, cos) = (s, c), (c, -s), (-s, -c), (-c, s).
  const auto q = std::bit_cast<Bits>(rounded);
  const Bits swap = 0 - (q & 1);  // all ones in odd quadrants
  const auto sinBits = std::bit_cast<Bits>(sinR);
  const auto cosBits = std::bit_cast<Bits>(cosR);
  sinOut = std::bit_cast<Real>(((sinBits & ~swap) | (cosBits & swap)) ^ ((q & 2) << 62));
  cosOut = std::bit_cast<Real>(((cosBits & ~swap) | (sinBits & swap)) ^ (((q + 1) & 2) << 62));
}

}  // namespace sin_cos_detail

/// Sine and cosine of x (radians).
inline SinCos SinCosOf(double x) {
  SinCos out;
  sin_cos_detail::SinCosKernel<double, std::uint64_t>(x, out.sin, out.cos);
  return out;
}

/// Sine and cosine of two angles (radians) at once.
inline void SinCosOf2(Double2 x, Double2& sinOut, Double2& cosOut) {
  sin_cos_detail::SinCosKernel<Double2, Bits2>(x, sinOut, cosOut);
}

}  // namespace zenitra
