// Galilean moons by the low-accuracy method.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>

#include "planets/galilean_moons.h"

namespace zenitra {
namespace {

// Meeus, Astronomical Algorithms, 2nd ed., example 44.a (low-accuracy method), 1992-12-16 0h UT
// = JDE 2448972.50068: X1 = -3.44, Y1 = +0.21, X2 = +7.44, Y2 = +0.25, X3 = +1.24, Y3 = +0.65,
// X4 = +7.08, Y4 = +1.10 radii of Jupiter. The values are printed to 0.01 (half a unit of
// rounding) and the orbital constants used here are the earlier edition's, up to 0.006 deg
// different in u (0.003 radii for Kallisto); 0.01 radii covers both.
TEST(GalileanMoons, ReproducesLowAccuracyWorkedExample) {
  const auto moons = GalileanMoons(2448972.50068);
  const double x[4] = {-3.44, 7.44, 1.24, 7.08};
  const double y[4] = {0.21, 0.25, 0.65, 1.10};
  const char* names[4] = {"Io", "Europa", "Ganymed", "Kallisto"};
  for (int i = 0; i < 4; ++i) {
    EXPECT_NEAR(moons[i].X, x[i], 0.01) << names[i];
    EXPECT_NEAR(moons[i].Y, y[i], 0.01) << names[i];
    std::printf("[ accuracy ] Meeus 44.a %-8s dX %+.4f dY %+.4f radii\n", names[i], moons[i].X - x[i],
                moons[i].Y - y[i]);
  }
}

// The same moment by the full theory (Meeus, example 44.b): X = -3.450, +7.442, +1.201, +7.072 and
// Y = +0.212, +0.275, +0.590, +1.029. The low-accuracy method's known error is a few hundredths of
// a radius (Meeus, ch. 44); 0.1 radii is a loose ceiling for it.
TEST(GalileanMoons, AgreesWithFullTheoryWithinLowAccuracy) {
  const auto moons = GalileanMoons(2448972.50068);
  const double x[4] = {-3.450, 7.442, 1.201, 7.072};
  const double y[4] = {0.212, 0.275, 0.590, 1.029};
  for (int i = 0; i < 4; ++i) {
    EXPECT_NEAR(moons[i].X, x[i], 0.1) << "moon " << i;
    EXPECT_NEAR(moons[i].Y, y[i], 0.1) << "moon " << i;
    std::printf("[ accuracy ] Meeus 44.b moon %d dX %+.3f dY %+.3f radii\n", i + 1, moons[i].X - x[i],
                moons[i].Y - y[i]);
  }
}

TEST(GalileanMoons, MoonAtZeroAngleIsStraightBehindOrInFrontOfTheCentre) {
  for (const double u : {0.0, 360.0, -720.0}) {
    const MoonOffset m = MoonOffsetOf(5.9, u, 3.0);
    EXPECT_NEAR(m.X, 0.0, 1e-12) << "u " << u;
    EXPECT_NEAR(m.Z, 5.9, 1e-12) << "u " << u;
    EXPECT_NEAR(m.Y, -5.9 * std::sin(3.0 * 3.14159265358979323846 / 180.0), 1e-12) << "u " << u;
  }
  const MoonOffset exact = MoonOffsetOf(5.9, 0.0, 0.0);
  EXPECT_EQ(exact.X, 0.0);
  EXPECT_EQ(exact.Z, 5.9);
}

TEST(GalileanMoons, StayWithinTheirOrbitsOverFourCenturies) {
  std::mt19937_64 rng(44);
  std::uniform_real_distribution<double> jd(2378496.5, 2524593.5);  // 1800 .. 2200
  const double meanRadius[4] = {5.9073, 9.3991, 14.9924, 26.3699};
  const double swing[4] = {0.0244, 0.0882, 0.0216, 0.1935};
  for (int k = 0; k < 3000; ++k) {
    const double t = jd(rng);
    const auto moons = GalileanMoons(t);
    for (int i = 0; i < 4; ++i) {
      const double r = std::hypot(moons[i].X, moons[i].Z);
      ASSERT_NEAR(r, meanRadius[i], swing[i] + 1e-9) << "jd " << t << " moon " << i;
      ASSERT_LE(std::fabs(moons[i].Y), 0.1 * r) << "jd " << t << " moon " << i;  // |D_E| < 5 deg
    }
    // With 5.5 pixels per radius Kallisto stays inside a 320-pixel panel centred on Jupiter.
    ASSERT_LE(std::fabs(moons[3].X), 26.6) << "jd " << t;
  }
}

}  // namespace
}  // namespace zenitra
